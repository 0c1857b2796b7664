#include "FiltroVentas.h"

#include <QDate>

#include "Connection.h"
#include "Conversiones.h"
#include "NumeroSQL.h"
#include "ObjetosPrograma.h"
#include "Utilerias.h"
#include "libNucleo.h"

FiltroVentas FiltroVentas::Construye(const FiltrosInforme &filtros, const ObjetosPrograma &objetos,
                                     const Connection &cnn, qint16 nMonedaUSD)
{
    const libNucleo &nucleo = objetos.Nucleo();
    const Utilerias &utilerias = objetos.Utilidades();
    FiltroVentas filtro;

    filtro.cRemisiones = QStringLiteral("remisiones left join remisionesdetalle on remisiones.Id=remisionesdetalle.Id "
                                        "where remisiones.Moneda=") +
                         QString::number(nMonedaUSD) + QStringLiteral(" and Saldo>0 and Cancelada=0");

    QString &f = filtro.cFacturas;
    f = QStringLiteral("facturas left join facturasdetalle on facturas.Id=facturasdetalle.Id "
                       "left join productos on facturasdetalle.Producto=productos.Clave where Cancelada=0");
    const QDate dInicial = QDate::fromString(filtros.cFechaInicial, nucleo.FormatoFecha());
    if (dInicial.isValid())
        f += utilerias.CambXXX(QStringLiteral(" and Fecha>='XXX'"), nucleo.FechaSQL(dInicial));
    const QDate dFinal = QDate::fromString(filtros.cFechaFinal, nucleo.FormatoFecha());
    if (dFinal.isValid())
        f += utilerias.CambXXX(QStringLiteral(" and Fecha<='XXX'"), nucleo.FechaSQL(dFinal));
    if (!RecortaEspacios(filtros.cCliente).isEmpty())
        f += utilerias.CambXXX(QStringLiteral(" and Cliente='XXX'"), cnn.Escapa(filtros.cCliente));
    if (!RecortaEspacios(filtros.cVendedor).isEmpty()) {
        filtro.cFormulaVendedor = QStringLiteral("VENDEDOR='") + filtros.cVendedor + QLatin1Char('\'');
        f += utilerias.CambXXX(QStringLiteral(" and Vendedor='XXX'"), cnn.Escapa(filtros.cVendedor));
    }
    const double nLinea = nucleo.orVal(filtros.vLinea);
    if (nLinea != 0)
        f += QStringLiteral(" and productos.Linea=") + NumeroSQL(nLinea);
    return filtro;
}
