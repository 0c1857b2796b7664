#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "../base/NumeroDecimal.h"
#include "../base/PlantillaTexto.h"
#include "../rpt/DisenoReporte.h"

// A report ready to go on paper, into a CSV file or into a workbook: the columns that are
// shown, every cell of every row, the totals, and the header and footer lines with everything
// filled in but the page numbers. ArmadorContenido builds it from the layout, the formulas
// and the rows.

// A report of thousands of rows holds a cell for every line of every column: 24 bytes each,
// its text, if any, kept once in the report's list of texts.
struct ValorCelda
{
    enum class Tipo : quint8 { Vacio, Texto, Numero };
    NumeroDecimal numero; // a Numero's
    qint32 nTexto = -1;   // a Texto's place in ContenidoReporte::textos
    Tipo tipo = Tipo::Vacio;
};
static_assert(sizeof(ValorCelda) == 24);

struct ColumnaContenido
{
    QString cTitulo;
    ColumnaDiseno::Ancho ancho = ColumnaDiseno::Ancho::Automatico;
    int nAnchoDecimasMm = 0;
    bool bNumerica = false;       // its numbers and heading go to the right
    bool bEnSerie = false;        // one of the columns repeated for each series number shown
    QList<int> decimalesPorLinea; // on paper
    QList<int> escalasPorLinea;   // the decimals its numbers have in the data (files); -1 unknown
};

struct SegmentoContenido
{
    Alineacion alineacion = Alineacion::Izquierda;
    PlantillaTexto texto; // only {=Pagina} and {=Paginas} are left to fill
};

struct LineaContenido
{
    QList<SegmentoContenido> segmentos;
    bool bNegrita = false;
    int nPuntosDecimas = 0;
};

struct ColumnaCsv
{
    QString cTitulo;
    int nColumna = 0;
    int nLinea = 0;
};

// What a report without rows says where the chart of its months would be, on paper and in
// the workbook.
inline QString TextoSinFilas()
{
    return QStringLiteral("Sin ventas en el periodo");
}

struct ContenidoReporte
{
    QString cTitulo;
    PaginaDiseno pagina;
    QList<LineaContenido> encabezado;
    QList<LineaContenido> pie;
    QList<ColumnaContenido> columnas;
    int nLineasPorFila = 1;
    qsizetype nFilas = 0;
    QList<ValorCelda> celdas; // row by row, then line by line, then column by column
    bool bTotales = false;
    QList<ValorCelda> totales; // one row, line by line, then column by column
    QList<ColumnaCsv> csv;
    QStringList textos; // the cells' texts; a label repeated on every row is there once

    const QString &Texto(const ValorCelda &valor) const { return textos[valor.nTexto]; }
    qint32 AgregaTexto(const QString &cTexto)
    {
        textos.append(cTexto);
        return qint32(textos.size() - 1);
    }

    qsizetype CeldasPorFila() const { return qsizetype(nLineasPorFila) * columnas.size(); }
    const ValorCelda &Celda(qsizetype nFila, int nLinea, int nColumna) const
    {
        return celdas[nFila * CeldasPorFila() + qsizetype(nLinea) * columnas.size() + nColumna];
    }
    const ValorCelda &Total(int nLinea, int nColumna) const
    {
        return totales[qsizetype(nLinea) * columnas.size() + nColumna];
    }
    // The decimals a file keeps for this line of this column: those of the data, or the
    // paper's where the data says none (a column with no number at all).
    int DecimalesDeDatos(int nColumna, int nLinea) const
    {
        const ColumnaContenido &columna = columnas[nColumna];
        const int nEscala = columna.escalasPorLinea.value(nLinea, -1);
        return nEscala >= 0 ? nEscala : columna.decimalesPorLinea.value(nLinea, 2);
    }
};
