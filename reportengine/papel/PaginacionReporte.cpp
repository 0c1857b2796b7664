#include "PaginacionReporte.h"

#include <cmath>

QList<PaginacionReporte::Pagina> PaginacionReporte::Reparte(qsizetype nFilas, double dAlturaCuerpo, double dAlturaFila,
                                                            double dAlturaTotales, double dAlturaGrafica)
{
    // A hair of tolerance, so that rows that fill the body exactly are not pushed off it by rounding.
    constexpr double dHolgura = 1e-6;
    const qsizetype nPorPagina =
        dAlturaFila > 0 ? qMax<qsizetype>(1, qsizetype(std::floor(dAlturaCuerpo / dAlturaFila + dHolgura))) : nFilas;

    QList<Pagina> paginas;
    for (qsizetype nPrimera = 0; nPrimera < nFilas; nPrimera += nPorPagina)
        paginas.append(Pagina{nPrimera, qMin(nPorPagina, nFilas - nPrimera), false});
    if (paginas.isEmpty())
        paginas.append(Pagina{0, 0, false});

    if (dAlturaTotales > 0) {
        const double dUsada = double(paginas.last().nFilas) * dAlturaFila;
        if (paginas.last().nFilas == 0 || dUsada + dAlturaTotales <= dAlturaCuerpo + dHolgura)
            paginas.last().bTotales = true;
        else
            paginas.append(Pagina{nFilas, 0, true});
    }

    if (dAlturaGrafica > 0) {
        const Pagina &ultima = paginas.last();
        const double dUsada = double(ultima.nFilas) * dAlturaFila + (ultima.bTotales ? dAlturaTotales : 0);
        if (dUsada + dAlturaGrafica <= dAlturaCuerpo + dHolgura)
            paginas.last().bGrafica = true;
        else
            paginas.append(Pagina{nFilas, 0, false, true});
    }
    return paginas;
}
