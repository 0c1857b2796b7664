#pragma once

#include <QByteArray>
#include <QString>

#include "../datos/ContenidoReporte.h"

class QIODevice;

// The report as a CSV file (UTF-8, comma-separated, CRLF line ends, a field in quotes when it
// holds a comma, a quote, a line end or blanks at its ends): one heading row, then
// one row per detail row with the values that the layout sends to the CSV, numbers plain
// with a point, no grouping and every decimal the data has. The totals row stays on paper: a
// spreadsheet sums by itself. A text that a spreadsheet would run as a formula is written so
// that it shows as text.
class SalidaCsv
{
public:
    // Row by row into the device, in blocks; throws ErrorReporte (SalidaNoEscrita) when the
    // device refuses a write.
    static void EscribeEn(const ContenidoReporte &contenido, QIODevice &destino);
    static QByteArray Bytes(const ContenidoReporte &contenido);
    // Written atomically; throws ErrorReporte (SalidaNoEscrita) when it cannot be.
    static void Escribe(const ContenidoReporte &contenido, const QString &cRuta);

    // Whether a spreadsheet would run this text as a formula, or take it for one: it begins
    // with =, +, -, @, a tab or a carriage return.
    static bool PareceFormula(const QString &cTexto);
    // Such a text with a leading apostrophe, as spreadsheets take it for text; any other text
    // unchanged.
    static QString TextoSeguro(const QString &cTexto);
};
