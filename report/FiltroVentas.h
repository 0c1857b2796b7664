#pragma once

#include <QString>

#include "FiltrosInforme.h"
#include "TablaDeFiltros.h"

class Connection;
class ObjetosPrograma;

// The table expressions of the twelve-month report: the invoices that match the filters
// (F) and the client's open delivery notes in one currency (R).
struct FiltroVentas
{
    QString cFacturas;   // F: "facturas left join ... where Cancelada=0 and ..."
    QString cRemisiones; // R: "remisiones left join ... where remisiones.Moneda=... and Saldo>0 and Cancelada=0"

    // Builds both expressions from the filters, one condition for each filter of the table in
    // use, in its order; every typed code goes in as a quoted literal, escaped by the
    // connection's driver.
    static FiltroVentas Construye(const FiltrosInforme &filtros, const ObjetosPrograma &objetos, const Connection &cnn,
                                  qint16 nMonedaUSD);

    // The filter's value as the invoices compare it and the header shows it: upper-cased when
    // the window's field upper-cases it (so the window and the batch mode match the same
    // rows), not trimmed. Empty when the filter is not in use: a blank code, a number that
    // reads as 0 (a number is given as NumeroSQL writes it).
    static QString Valor(const TablaDeFiltros::Filtro &filtro, const FiltrosInforme &filtros,
                         const ObjetosPrograma &objetos);
};
