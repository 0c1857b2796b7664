#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUtf8StringView>

#include <limits>

// The rows of the query, every value as the text the database gave (numbers with a point and
// all their decimals), in UTF-8, SQL NULL as a null view. The values lie one after another in
// one array of bytes, so that a report of thousands of rows costs a few allocations, not one
// a value, and a number takes a byte a digit.
struct DatosReporte
{
    // What the rows' values may take together.
    static constexpr qsizetype nBytesMaximos = std::numeric_limits<qint32>::max();

    QStringList campos;
    QList<int> escalas; // decimals of each field as the database declares them; -1 unknown

    qsizetype Filas() const { return campos.isEmpty() ? 0 : m_lugares.size() / campos.size(); }
    // Valid until the next value is added.
    QUtf8StringView Valor(qsizetype nFila, int nCampo) const
    {
        const Lugar &lugar = m_lugares[nFila * campos.size() + nCampo];
        return lugar.nLargo < 0 ? QUtf8StringView()
                                : QUtf8StringView(m_bytes.constData() + lugar.nInicio, lugar.nLargo);
    }
    int IndiceDe(const QString &cCampo) const
    {
        for (int i = 0; i < campos.size(); ++i) {
            if (campos[i].compare(cCampo, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }

    // The next value, row after row, campos.size() values each; false, and nothing added, when
    // it would pass nBytesMaximos.
    bool Agrega(QByteArrayView utf8)
    {
        if (utf8.size() > nBytesMaximos - m_bytes.size())
            return false;
        m_lugares.append({qint32(m_bytes.size()), qint32(utf8.size())});
        m_bytes.append(utf8);
        return true;
    }
    void AgregaNulo() { m_lugares.append({qint32(m_bytes.size()), -1}); }
    // A null QString is SQL NULL.
    DatosReporte &operator<<(const QString &cValor)
    {
        if (cValor.isNull())
            AgregaNulo();
        else
            Agrega(cValor.toUtf8());
        return *this;
    }
    DatosReporte &operator<<(const QStringList &valores)
    {
        for (const QString &cValor : valores)
            *this << cValor;
        return *this;
    }
    qsizetype Bytes() const { return m_bytes.size(); }
    void Reserva(qsizetype nValores, qsizetype nBytes)
    {
        m_lugares.reserve(nValores);
        m_bytes.reserve(qMin(nBytes, nBytesMaximos));
    }

private:
    struct Lugar
    {
        qint32 nInicio;
        qint32 nLargo; // -1: NULL
    };
    QByteArray m_bytes;
    QList<Lugar> m_lugares;
};
