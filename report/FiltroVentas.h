#pragma once

#include <QString>

#include "FiltrosInforme.h"

class Connection;
class ObjetosPrograma;
struct ParametrosRpt;

// The table expressions of the twelve-month report: the invoices that match the filters
// (F) and the client's open delivery notes in one currency (R).
struct FiltroVentas
{
    QString cFacturas;  // F: "facturas left join ... where Cancelada=0 and ..."
    QString cRemisiones; // R: "remisiones left join ... where remisiones.Moneda=... and Saldo>0 and Cancelada=0"

    // The formula slot of the salesperson's label: the first one that no month label uses.
    static constexpr int nFormulaVendedor = 12;

    // Builds both expressions from the filters; every typed code goes in as a quoted literal,
    // escaped by the connection's driver. With a salesperson, its formula VENDEDOR='code' is
    // stored in the request.
    static FiltroVentas Construye(const FiltrosInforme &filtros, const ObjetosPrograma &objetos, const Connection &cnn,
                                  qint16 nMonedaUSD, ParametrosRpt &parametros);
};
