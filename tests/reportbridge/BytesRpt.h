#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Report-file bytes written readably: "|" stands for NUL.
inline QByteArray Bytes(const char *cTexto)
{
    QByteArray bytes(cTexto);
    bytes.replace('|', '\0');
    return bytes;
}

inline void EscribeBytes(const QString &cArchivo, const QByteArray &bytes)
{
    QFile archivo(cArchivo);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate) || archivo.write(bytes) != bytes.size())
        qFatal("No se puede escribir %s", qPrintable(cArchivo));
}
