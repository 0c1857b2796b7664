#pragma once

#include <QByteArray>

#include <optional>

// The escaping of the body of a report file (everything after the table directory).
//
// The report bridge finds the tables of a report by scanning every byte of the file for the
// letters "PD" in any case followed by a driver name, and it takes each hit for a table. So
// nothing but a table record may hold "pd": not a query with "UPDATE", not a title, and not a
// length whose bytes happen to be 0x50 0x44. Escaping puts the byte 0x1B before each d or D
// that would come right after a p or P, and before every 0x1B of the content; reading drops
// each 0x1B and keeps the byte after it as it is.
class CodificacionCuerpo
{
public:
    static constexpr char cEscape = '\x1B';

    static QByteArray Codifica(const QByteArray &contenido);
    // Empty when the bytes end in the middle of an escape (a cut file).
    static std::optional<QByteArray> Decodifica(const QByteArray &bytes);
};
