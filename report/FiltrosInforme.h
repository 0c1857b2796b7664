#pragma once

#include <QString>
#include <QVariant>

// The filters of the twelve-month report as the user gave them, read from the window's
// fields (or from the command line) into one plain value.
struct FiltrosInforme
{
    QString cFechaInicial; // text in the host's date format
    QString cFechaFinal;
    QString cCliente;  // client code exactly as typed (not trimmed); empty: every client
    QString cVendedor; // salesperson code as shown; empty: every salesperson
    QVariant vLinea;   // the product line's ID; empty: every line
};
