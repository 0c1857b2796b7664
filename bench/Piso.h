#pragma once

#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <vector>

#include "Connection.h"
#include "FiltroVentas.h"
#include "Recordset.h"

// What the benchmarks measure the program against: the least a report of these invoices must
// ask of the server. The invoices grouped by client and calendar month, and every client's
// open delivery notes in the currency grouped by client, both read to the end through the
// program's own connection. The program's numbers need both, so that is the floor.
struct Piso
{
    qint64 nGrupos = 0;     // client-month groups of the invoices
    qint64 nRemisiones = 0; // clients with open delivery notes

    double Mide(Connection &cnn, const FiltroVentas &filtro)
    {
        const QString cFacturas =
            QStringLiteral("select Cliente,sum(Cantidad) as Cantidad,sum(Cantidad * PrecioNeto) as "
                           "Importe,year(Fecha) as Anio,month(Fecha) as Mes from ") +
            filtro.cFacturas + QStringLiteral(" group by Cliente,year(Fecha),month(Fecha)");
        const QString cRemisiones = QStringLiteral("select Cliente,sum(Cantidad) from ") + filtro.cRemisiones +
                                    QStringLiteral(" group by Cliente");
        QElapsedTimer reloj;
        reloj.start();
        nGrupos = nRemisiones = 0;
        for (Recordset rs = cnn.Execute(cFacturas); !rs.FinDeFilas(); rs.Siguiente())
            ++nGrupos;
        for (Recordset rs = cnn.Execute(cRemisiones); !rs.FinDeFilas(); rs.Siguiente())
            ++nRemisiones;
        return reloj.nsecsElapsed() / 1e9;
    }
};

inline double Mediana(std::vector<double> valores)
{
    if (valores.empty())
        return 0;
    std::sort(valores.begin(), valores.end());
    const size_t n = valores.size();
    return n % 2 ? valores[n / 2] : (valores[n / 2 - 1] + valores[n / 2]) / 2;
}
