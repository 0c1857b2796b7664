#pragma once

#include <QByteArray>
#include <QString>

// Appends the plain values of a report layout to a byte array: numbers as 32-bit little-endian
// integers, texts as their UTF-8 length and bytes. LecturaBinaria reads them back.
class EscrituraBinaria
{
public:
    void Byte(quint8 n) { m_bytes.append(char(n)); }
    void Entero(qint32 n);
    void Texto(const QString &cTexto);

    const QByteArray &Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
