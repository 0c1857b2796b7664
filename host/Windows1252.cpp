#include "Windows1252.h"

#include <QList>

#include <array>

namespace {

// The characters of the bytes 0x80-0x9F; the unassigned ones keep their own number.
constexpr std::array<char16_t, 32> cTabla80 = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

namespace Windows1252 {

QString Decodifica(const QByteArray &bytes)
{
    QString cTexto;
    cTexto.reserve(bytes.size());
    for (const char c : bytes) {
        const auto nByte = static_cast<unsigned char>(c);
        cTexto.append(nByte >= 0x80 && nByte < 0xA0 ? QChar(cTabla80[nByte - 0x80]) : QChar(char16_t(nByte)));
    }
    return cTexto;
}

bool Codifica(const QString &cTexto, QByteArray &bytes, char32_t &nNoCabe)
{
    bytes.clear();
    bytes.reserve(cTexto.size());
    for (const char32_t nCaracter : cTexto.toUcs4()) {
        if (nCaracter < 0x80 || (nCaracter >= 0xA0 && nCaracter <= 0xFF)) {
            bytes.append(char(nCaracter));
            continue;
        }
        qsizetype nPosicion = 0;
        while (nPosicion < qsizetype(cTabla80.size()) && cTabla80[nPosicion] != nCaracter)
            ++nPosicion;
        if (nPosicion == qsizetype(cTabla80.size())) {
            nNoCabe = nCaracter;
            return false;
        }
        bytes.append(char(0x80 + nPosicion));
    }
    return true;
}

} // namespace Windows1252
