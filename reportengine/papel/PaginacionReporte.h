#pragma once

#include <QList>

// How the rows of a report fall on its pages, from heights measured on the paper. Every page
// takes as many whole rows as its body holds (one at least, so a row taller than the body
// still advances); the totals go under the last row when they fit, else on a page of their
// own, and so does the chart after them. A report without rows still has one page, for its
// header and totals.
class PaginacionReporte
{
public:
    struct Pagina
    {
        qsizetype nPrimeraFila = 0;
        qsizetype nFilas = 0;
        bool bTotales = false;
        bool bGrafica = false; // the chart, under the totals if any
        bool operator==(const Pagina &) const = default;
    };

    // dAlturaTotales 0: the report has no totals; dAlturaGrafica 0: no chart.
    static QList<Pagina> Reparte(qsizetype nFilas, double dAlturaCuerpo, double dAlturaFila, double dAlturaTotales,
                                 double dAlturaGrafica = 0);
};
