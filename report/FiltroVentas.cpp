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
    for (const TablaDeFiltros::Filtro &filtrado : TablaDeFiltros::Todos()) {
        const QString cValor = Valor(filtrado, filtros, objetos);
        if (cValor.isEmpty())
            continue;
        if (filtrado.tipo == TablaDeFiltros::Tipo::Numero)
            f += QStringLiteral(" and ") + filtrado.cColumna + QLatin1Char('=') + cValor;
        else
            f += utilerias.CambXXX(QStringLiteral(" and ") + filtrado.cColumna + QStringLiteral("='XXX'"),
                                   cnn.Escapa(cValor));
    }
    return filtro;
}

QString FiltroVentas::Valor(const TablaDeFiltros::Filtro &filtro, const FiltrosInforme &filtros,
                            const ObjetosPrograma &objetos)
{
    const QString &cDado = filtros.*filtro.pValor;
    if (filtro.tipo == TablaDeFiltros::Tipo::Numero) {
        const double nNumero = objetos.Nucleo().orVal(cDado);
        return nNumero == 0 ? QString() : NumeroSQL(nNumero);
    }
    if (RecortaEspacios(cDado).isEmpty())
        return {};
    return filtro.bMayusculas ? CodigoEnMayusculas(cDado) : cDado;
}
