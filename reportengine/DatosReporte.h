#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The rows of the report's query, every value as the text the database gave (numbers with a
// point and all their decimals), SQL NULL as a null view. The values lie one after another in
// one text, so that a report of thousands of rows costs a few allocations, not one a value.
struct DatosReporte
{
    QStringList campos;
    QList<int> escalas; // decimals of each field as the database declares them; -1 unknown

    qsizetype Filas() const { return campos.isEmpty() ? 0 : m_lugares.size() / campos.size(); }
    // Valid until the next value is added.
    QStringView Valor(qsizetype nFila, int nCampo) const
    {
        const Lugar &lugar = m_lugares[nFila * campos.size() + nCampo];
        return lugar.nLargo < 0 ? QStringView() : QStringView(m_texto).sliced(lugar.nInicio, lugar.nLargo);
    }
    int IndiceDe(const QString &cCampo) const
    {
        for (int i = 0; i < campos.size(); ++i) {
            if (campos[i].compare(cCampo, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }

    // The next value, row after row, campos.size() values each.
    void Agrega(QStringView valor)
    {
        m_lugares.append({m_texto.size(), int(valor.size())});
        m_texto.append(valor);
    }
    void Agrega(QLatin1StringView valor)
    {
        m_lugares.append({m_texto.size(), int(valor.size())});
        m_texto.append(valor);
    }
    void AgregaNulo() { m_lugares.append({m_texto.size(), -1}); }
    // A null QString is SQL NULL.
    DatosReporte &operator<<(const QString &cValor)
    {
        if (cValor.isNull())
            AgregaNulo();
        else
            Agrega(QStringView(cValor));
        return *this;
    }
    DatosReporte &operator<<(const QStringList &valores)
    {
        for (const QString &cValor : valores)
            *this << cValor;
        return *this;
    }
    qsizetype Caracteres() const { return m_texto.size(); }
    void Reserva(qsizetype nValores, qsizetype nCaracteres)
    {
        m_lugares.reserve(nValores);
        m_texto.reserve(nCaracteres);
    }

private:
    struct Lugar
    {
        qsizetype nInicio;
        int nLargo; // -1: NULL
    };
    QString m_texto;
    QList<Lugar> m_lugares;
};
