#pragma once

#include <QList>

#include "DisenoReporte.h"
#include "TablaRpt.h"

// A report file in memory: its table directory and its layout. EscritorRpt writes it and
// LectorRpt reads it; the format is described in EscritorRpt.h.
struct ArchivoRpt
{
    // 2: a number's decimals may be the column's own, up to a limit. Version 1 files read alike.
    static constexpr int nVersion = 2;
    static constexpr int nMaximoTablas = 32;

    QList<TablaRpt> tablas; // table n of the query ({Tn}) is tablas[n - 1]
    DisenoReporte diseno;

    bool operator==(const ArchivoRpt &) const = default;
};
