#pragma once

#include <QByteArray>
#include <QCryptographicHash>

// The constants that the writer and the reader of report files share.
namespace FormatoRpt {
constexpr int nLargoFirma = 8;
constexpr int nLargoCabecera = nLargoFirma + 2; // signature, version, number of tables
constexpr int nLargoHuella = 8;
// Lines of one column in a row: the compiler refuses more, the reader a file that has more.
constexpr int nMaximoLineasPorFila = 4;

inline QByteArray Firma()
{
    return QByteArray("ALMRPT\x1A\0", nLargoFirma);
}

// A check of the layout's bytes: a file changed after the compiler wrote it is refused.
inline QByteArray Huella(const QByteArray &diseno)
{
    return QCryptographicHash::hash(diseno, QCryptographicHash::Sha256).left(nLargoHuella);
}
} // namespace FormatoRpt
