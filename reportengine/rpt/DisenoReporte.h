#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The layout of a report as the compiler writes it and the engine reads it. Texts may hold
// fields in braces: {Campo} a column of the query, {@Formula} the value of a formula put
// through property 29, {=Nombre} a value of the engine (Titulo, FechaImpresion, Pagina,
// Paginas, Registros, PrimeraSerie, UltimaSerie); "{{" and "}}" are literal braces;
// {?...} is a part shown only when a field inside it has a value (PlantillaTexto). Inside the
// columns of a series, "#" stands for the series number.

enum class Alineacion : quint8 { Izquierda, Centro, Derecha };

// A piece of a header or footer line, placed at the left, the centre or the right.
struct SegmentoLinea
{
    Alineacion alineacion = Alineacion::Izquierda;
    QString cTexto;
    QString cSiVacio; // shown instead when every field of cTexto comes out empty
    bool operator==(const SegmentoLinea &) const = default;
};

struct LineaFija
{
    QList<SegmentoLinea> segmentos;
    bool bNegrita = false;
    int nPuntosDecimas = 0; // font size in tenths of a point; 0 is the report's size
    bool operator==(const LineaFija &) const = default;
};

struct PaginaDiseno
{
    QString cPapel = QStringLiteral("A4"); // A3, A4, A5, Carta, Oficio
    bool bHorizontal = true;
    int nMargenDecimasMm = 100; // the same on the four sides
    QString cFuente = QStringLiteral("DejaVu Sans");
    int nPuntosDecimas = 80; // the report's font size
    bool operator==(const PaginaDiseno &) const = default;
};

// What one line of a detail column shows for each row.
struct CeldaDiseno
{
    enum class Tipo : quint8 {
        Vacia,
        Texto,  // cValor: a text with fields
        Rotulo, // cValor: a fixed text, the same on every row (not written to CSV)
        Numero, // cValor: a numeric column of the query
        Suma,   // cValor: a column name with "#", summed over the series numbers shown
    };
    Tipo tipo = Tipo::Vacia;
    QString cValor;
    int nDecimales = 2;               // on paper
    QString cCsv;                     // heading of this value's CSV column; empty: not in the CSV (which always
                                      // carries the column's own decimals)
    bool bDecimalesDeColumna = false; // on paper the column's own decimals, at most nDecimales
    bool operator==(const CeldaDiseno &) const = default;
};

struct ColumnaDiseno
{
    enum class Ancho : quint8 {
        Automatico, // as wide as its widest value or heading
        Fijo,       // nAnchoDecimasMm
        Resto,      // what the other columns leave, at least nAnchoDecimasMm
    };
    QString cTitulo;
    Ancho ancho = Ancho::Automatico;
    int nAnchoDecimasMm = 0;
    bool bEnSerie = false;     // repeated once for each series number shown
    QList<CeldaDiseno> lineas; // line 1, line 2, ... of each row
    bool operator==(const ColumnaDiseno &) const = default;
};

// The numbers nDesde..nHasta of the series; number n is shown when the formula cFormula with
// "#" replaced by n was put (for the twelve-month report: Mes1 .. Mes12).
struct SerieDiseno
{
    int nDesde = 0;
    int nHasta = -1; // no series when nHasta < nDesde
    QString cFormula;
    bool Existe() const { return nHasta >= nDesde; }
    bool operator==(const SerieDiseno &) const = default;
};

struct DisenoReporte
{
    QString cTitulo;
    QString cConsulta;    // SQL; {T1}, {T2}, ... name the tables of the file's directory
    QStringList formulas; // names of the formulas the report accepts
    PaginaDiseno pagina;
    QList<LineaFija> encabezado; // on top of every page
    QList<LineaFija> pie;        // at the foot of every page
    SerieDiseno serie;
    QList<ColumnaDiseno> columnas;
    bool bTotales = false;
    QString cRotuloTotales; // first cell of the totals row

    int LineasPorFila() const
    {
        int n = 1;
        for (const ColumnaDiseno &columna : columnas)
            n = qMax(n, int(columna.lineas.size()));
        return n;
    }
    bool operator==(const DisenoReporte &) const = default;
};
