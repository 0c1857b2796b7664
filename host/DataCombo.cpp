#include "DataCombo.h"

#include <QLineEdit>

#include "Recordset.h"

DataCombo::DataCombo(QWidget *pPadre) : QComboBox(pPadre)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void DataCombo::LlenaCon(Recordset &rs)
{
    const QSignalBlocker bloqueo(this);
    clear();
    for (; !rs.FinDeFilas(); rs.Siguiente())
        addItem(rs.Campo(m_cListField).toString(), rs.Campo(m_cBoundColumn));
    setCurrentIndex(-1);
    lineEdit()->clear();
}

QVariant DataCombo::BoundText() const
{
    const int nFila = findText(currentText(), Qt::MatchExactly);
    return nFila < 0 ? QVariant() : itemData(nFila);
}
