#pragma once

#include <QByteArray>
#include <QString>

// Reads back what EscrituraBinaria wrote. The bytes have passed their checksum, so anything
// that does not fit (a length past the end, a count larger than what is left, a value out of
// its range) means a file that was not written by our compiler: an ArchivoDanado failure.
class LecturaBinaria
{
public:
    explicit LecturaBinaria(const QByteArray &bytes) : m_bytes(bytes) {}

    quint8 Byte();
    qint32 Entero();
    qint32 Entero(qint32 nMinimo, qint32 nMaximo, const char *cQue);
    QString Texto();
    // A count of items that take at least one byte each, so it cannot exceed what is left.
    int Cuenta(int nMaximo, const char *cQue);
    bool Bool();
    bool AlFinal() const { return m_nPosicion == m_bytes.size(); }

    [[noreturn]] void Falla(const QString &cDetalle) const;

private:
    void Necesita(qsizetype nBytes) const;

    const QByteArray &m_bytes;
    qsizetype m_nPosicion = 0;
};
