#include "EscrituraBinaria.h"

#include <QtEndian>

void EscrituraBinaria::Entero(qint32 n)
{
    char bytes[4];
    qToLittleEndian(n, bytes);
    m_bytes.append(bytes, 4);
}

void EscrituraBinaria::Texto(const QString &cTexto)
{
    const QByteArray utf8 = cTexto.toUtf8();
    Entero(qint32(utf8.size()));
    m_bytes.append(utf8);
}
