#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The rows of the report's query, every value as the text the database gave (numbers with a
// point and all their decimals), SQL NULL as a null QString.
struct DatosReporte
{
    QStringList campos;
    QList<int> escalas;     // decimals of each field as the database declares them; -1 unknown
    QList<QString> valores; // row after row, campos.size() values each

    qsizetype Filas() const { return campos.isEmpty() ? 0 : valores.size() / campos.size(); }
    const QString &Valor(qsizetype nFila, int nCampo) const { return valores[nFila * campos.size() + nCampo]; }
    int IndiceDe(const QString &cCampo) const
    {
        for (int i = 0; i < campos.size(); ++i) {
            if (campos[i].compare(cCampo, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }
};
