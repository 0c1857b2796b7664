#pragma once

#include <QByteArray>
#include <QString>

// The Windows-1252 code page, in which settings files edited by hand on Windows are often
// saved. Bytes 0x00-0x7F and 0xA0-0xFF are the Latin-1 characters of the same number;
// 0x80-0x9F follow the code page's table, and its five unassigned bytes (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) stand for the control characters of the same number, so that every byte
// has a character and a file decoded and encoded again comes back byte for byte.
namespace Windows1252 {

// The text of the bytes; every byte has a character, so this never fails.
QString Decodifica(const QByteArray &bytes);

// The bytes of the text. False, with the first character that has no byte in nNoCabe,
// when the code page cannot hold the text; bytes is then incomplete.
bool Codifica(const QString &cTexto, QByteArray &bytes, char32_t &nNoCabe);

} // namespace Windows1252
