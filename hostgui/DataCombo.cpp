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
    // The chosen row first: two rows may list the same text with different bound values.
    int nFila = currentIndex();
    if (nFila < 0 || itemText(nFila) != currentText())
        nFila = findText(currentText(), Qt::MatchExactly);
    return nFila < 0 ? QVariant() : itemData(nFila);
}
