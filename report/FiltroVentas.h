#pragma once

#include <QString>

#include "FiltrosInforme.h"

class Connection;
class ObjetosPrograma;

// The table expressions of the twelve-month report: the invoices that match the filters
// (F) and the client's open delivery notes in one currency (R), and the report's formula
// that names the salesperson filter.
struct FiltroVentas
{
    QString cFacturas;        // F: "facturas left join ... where Cancelada=0 and ..."
    QString cRemisiones;      // R: "remisiones left join ... where remisiones.Moneda=... and Saldo>0 and Cancelada=0"
    QString cFormulaVendedor; // VENDEDOR='code' with a salesperson; empty without

    // The formula slot of the salesperson's label: the first one that no month label uses.
    static constexpr int nFormulaVendedor = 12;

    // Builds both expressions from the filters; every typed code goes in as a quoted literal,
    // escaped by the connection's driver.
    static FiltroVentas Construye(const FiltrosInforme &filtros, const ObjetosPrograma &objetos, const Connection &cnn,
                                  qint16 nMonedaUSD);
};
