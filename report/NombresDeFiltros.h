#pragma once

#include <QList>
#include <QString>

#include "FiltrosInforme.h"

class Connection;
class ObjetosPrograma;

// The report's formulas that name the filters in use in its header, with the names the host's
// tables give them (the salesperson's code, VENDEDOR, is FiltroVentas's and stays as it was):
// CLIENTE, the client's code, and NOMBRECLIENTE; NOMBREVENDEDOR; LINEA, the product line's
// name. A code that no row of its table has goes without a name, and a product line without a
// row is named by its ID. Each formula has a slot of its own after the salesperson's.
struct NombresDeFiltros
{
    struct Formula
    {
        int nRanura = 0;
        QString cTexto; // NOMBRE='value'
    };

    static constexpr int nFormulaCliente = 13;
    static constexpr int nFormulaNombreCliente = 14;
    static constexpr int nFormulaNombreVendedor = 15;
    static constexpr int nFormulaLinea = 16;

    // The formulas of the filters in use, in the order of their slots. Codes go into the
    // lookups as quoted literals, escaped by the connection's driver.
    static QList<Formula> Busca(const FiltrosInforme &filtros, const ObjetosPrograma &objetos, Connection &cnn);
};
