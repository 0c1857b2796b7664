#pragma once

#include <QString>

// The filters of the twelve-month report as the user gave them, read from the window's
// fields (or from the command line) into one plain value. Each filter is described once, in
// TablaDeFiltros, which points at its member here.
struct FiltrosInforme
{
    QString cFechaInicial; // text in the host's date format
    QString cFechaFinal;
    QString cCliente;  // client code exactly as typed (not trimmed); empty: every client
    QString cVendedor; // salesperson code as shown; empty: every salesperson
    QString cLinea;    // the product line's ID as text; empty or 0: every line
};
