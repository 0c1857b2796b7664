#pragma once

#include <QComboBox>
#include <QVariant>

#include "ListaDeDatos.h"

// A combo box bound to rows: it lists one column of the rows (ListField) and yields
// another for the chosen row (BoundColumn). The text stays editable, as the user may type.
class DataCombo : public QComboBox, public ListaDeDatos
{
    Q_OBJECT
public:
    explicit DataCombo(QWidget *pPadre = nullptr);

    void setListField(const QString &cCampo) { m_cListField = cCampo; }
    void setBoundColumn(const QString &cCampo) { m_cBoundColumn = cCampo; }
    QString ListField() const { return m_cListField; }
    QString BoundColumn() const { return m_cBoundColumn; }

    // Replaces the list with the rows of the recordset from its current row to its end;
    // no row is chosen afterwards.
    void LlenaCon(Recordset &rs) override;

    // The bound value of the row whose listed text is the combo's text; empty when none.
    QVariant BoundText() const;

private:
    QString m_cListField;
    QString m_cBoundColumn;
};
