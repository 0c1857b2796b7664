#include "ReferenciaPorFilas.h"

#include "BasesDD.h"
#include "Connection.h"
#include "FiltroVentas.h"
#include "NumeroSQL.h"
#include "ObjetosPrograma.h"
#include "Recordset.h"
#include "Utilerias.h"

namespace {
// A number of the recordset as the statement's text: exact digits, 0 for NULL.
QString NumeroDeCampo(const QVariant &valor)
{
    return valor.isNull() ? QStringLiteral("0") : valor.toString();
}
} // namespace

void LlenaPorFilas(const ObjetosPrograma &objetos, Connection &cnn, const FiltroVentas &filtro,
                   const std::vector<MonthColumn> &columnas)
{
    BasesDD &bases = objetos.Bases();
    const Utilerias &u = objetos.Utilidades();
    Recordset rsPrincipal;
    Recordset rsBusca;
    const bool bHayFilas = bases.AbrirTabla(
        rsPrincipal, cnn, filtro.cFacturas + QStringLiteral(" group by Cliente,year(Fecha),month(Fecha)"),
        QStringLiteral("Cliente,sum(Cantidad) as Cantidad,sum(Cantidad * PrecioNeto) as Importe,"
                       "year(Fecha) as Anio,month(Fecha) as Mes"));
    if (!bHayFilas)
        return;
    for (; !rsPrincipal.FinDeFilas(); rsPrincipal.Siguiente()) {
        const QString cCliente = rsPrincipal.Campo(QStringLiteral("Cliente")).toString();
        const QString cDonde = u.CambXXX(QStringLiteral(" where Cliente='XXX'"), cnn.Escapa(cCliente));
        if (!bases.AbrirTabla(rsBusca, cnn, QStringLiteral("tmpventas12meses") + cDonde)) {
            rsBusca.AgregaFila();
            rsBusca.AsignaCampo(QStringLiteral("Cliente"), cCliente);
            rsBusca.GuardaFila();
        }
        const QVariant vMes = rsPrincipal.Campo(QStringLiteral("Mes"));
        const QVariant vAnio = rsPrincipal.Campo(QStringLiteral("Anio"));
        for (const MonthColumn &columna : columnas) {
            if (!vMes.isNull() && vMes.toInt() == columna.nMes && vAnio.toInt() == columna.nAnio) {
                cnn.Execute(u.CambXXX(QStringLiteral("Update tmpventas12meses set XXX=XXX+"),
                                      QStringLiteral("Mes%1Monto").arg(columna.nPosicion)) +
                            NumeroDeCampo(rsPrincipal.Campo(QStringLiteral("Importe"))) +
                            u.CambXXX(QStringLiteral(",XXX=XXX+"), QStringLiteral("Mes%1Cant").arg(columna.nPosicion)) +
                            NumeroDeCampo(rsPrincipal.Campo(QStringLiteral("Cantidad"))) + cDonde);
                break;
            }
        }
    }

    if (!bases.AbrirTabla(rsPrincipal, cnn, filtro.cFacturas + QStringLiteral(" group by Cliente"),
                          QStringLiteral("Cliente")))
        return;
    for (; !rsPrincipal.FinDeFilas(); rsPrincipal.Siguiente()) {
        const QString cDonde = u.CambXXX(QStringLiteral(" where Cliente='XXX'"),
                                         cnn.Escapa(rsPrincipal.Campo(QStringLiteral("Cliente")).toString()));
        QString cRemisiones =
            filtro.cRemisiones + u.CambXXX(QStringLiteral(" and Cliente='XXX'"),
                                           cnn.Escapa(rsPrincipal.Campo(QStringLiteral("Cliente")).toString()));
        const double nTotal = bases.Sum(cnn, cRemisiones, QStringLiteral("Cantidad"));
        cnn.Execute(QStringLiteral("Update tmpventas12meses set TotalCantRemis=") + NumeroSQL(nTotal) + cDonde);
    }
    bases.CierraTabla(rsPrincipal);
    bases.CierraTabla(rsBusca);
}
