#pragma once

#include <QString>

#include "../datos/ContenidoReporte.h"

// The report as a workbook (.xlsx, written by libxlsxwriter) with two sheets.
//
// "Ventas": the title, the header lines as the report fills them (without page numbers), a
// heading row frozen at the top with an autofilter over the rows below it, one row per
// detail row with the CSV's columns in the CSV's order under the CSV's headings, and the
// totals row. Every number is a numeric cell holding the value the data holds (the same
// decimal the CSV writes, turned into a double only for the cell), shown with its column's
// own decimals and thousands grouping; each total is a SUM formula over its column that also
// carries its exact value, for readers that do not calculate. A text that a spreadsheet would
// take for a formula gets the text number format, so that editing the cell keeps it text.
//
// "Meses", for a report with series columns and totals: one row per series column shown (a
// month: its heading, then the totals of its first line, the quantity, and its second, the
// amount), with a column chart of the amounts and a line chart of the quantities.
class SalidaXlsx
{
public:
    // Written into a file without a name in cRuta's folder that replaces cRuta only once
    // complete, so that a process killed meanwhile leaves nothing behind; throws ErrorReporte
    // (SalidaNoEscrita, with the system's reason) when it cannot be, and then leaves cRuta as
    // it was.
    static void Escribe(const ContenidoReporte &contenido, const QString &cRuta);

private:
    class Libro; // the workbook being written, with its cell formats

    static void EscribeVentas(Libro &libro, const ContenidoReporte &contenido);
    static void EscribeMeses(Libro &libro, const ContenidoReporte &contenido);
};
