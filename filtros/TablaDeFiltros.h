#pragma once

#include <QList>
#include <QString>

#include "FiltrosInforme.h"

// The report's filters, one entry each. Everything that reads a filter reads it here: the
// invoices' condition (FiltroVentas), the names in the report's header (NombresDeFiltros), the
// batch mode's option, its help and its check (OpcionesLotes, ModoLotes), the window's label.
// A new filter is a new entry, its member in FiltrosInforme, its formulas in the report
// definition, its field in the window and data to try it on.
namespace TablaDeFiltros {

// How the invoices compare the value: a code as a quoted literal (left out when blank), or a
// number, an ID (left out when it reads as 0).
enum class Tipo { Codigo, Numero };

struct Filtro
{
    QString FiltrosInforme::*pValor; // where the user's value is kept
    Tipo tipo;
    bool bMayusculas;       // upper-cased as the window's field does while it is typed
    QString cArticulo;      // "el", "la"
    QString cNombre;        // as a sentence names it: "cliente", "línea"
    QString cEtiqueta;      // the window's label
    QString cOpcion;        // the batch mode's option, without dashes
    QString cArgumento;     // the option's value as the help names it
    QString cDescripcion;   // the option's help, Spanish
    QString cSinFiltro;     // what leaving a number out gives, for the refusal of a bad one
    QString cColumna;       // the invoices' column (facturas, facturasdetalle and productos joined)
    QString cTabla;         // the host's table whose row names it
    QString cCampoClave;    // that table's column that holds the value
    QString cCampoNombre;   // and the one that holds its name
    QString cFormulaValor;  // the report's formula that shows the value; empty: the name's formula shows it when
                            // the row has no name
    QString cFormulaNombre; // the report's formula that shows the name
};

// The month labels take the report's first formula slots; the filters' formulas follow them,
// two for each entry in the table's order (the value's, then the name's).
constexpr int nPrimeraRanura = 12;

const QList<Filtro> &Todos();

// The entry of the filter whose value is kept in that member of FiltrosInforme.
const Filtro &De(QString FiltrosInforme::*pValor);

// The slots of the entry's two formulas.
int RanuraDelValor(qsizetype nFiltro);
int RanuraDelNombre(qsizetype nFiltro);

} // namespace TablaDeFiltros
