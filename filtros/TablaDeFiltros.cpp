#include "TablaDeFiltros.h"

namespace TablaDeFiltros {

const QList<Filtro> &Todos()
{
    // One filter a row, laid out by hand: clang-format would put every field on a line. The
    // window's labels are as the window has always shown them ("Vendedor" without a colon).
    // clang-format off
    static const QList<Filtro> filtros{
        {&FiltrosInforme::cCliente, Tipo::Codigo, true, QStringLiteral("el"), QStringLiteral("cliente"), QStringLiteral("Cliente:"),
         QStringLiteral("cliente"), QStringLiteral("C"),
         QStringLiteral("Clave del cliente; las minúsculas cuentan como mayúsculas, como en la ventana."), {},
         QStringLiteral("Cliente"), QStringLiteral("clientes"), QStringLiteral("Clave"), QStringLiteral("Nombre"),
         QStringLiteral("CLIENTE"), QStringLiteral("NOMBRECLIENTE")},
        {&FiltrosInforme::cVendedor, Tipo::Codigo, false, QStringLiteral("el"), QStringLiteral("vendedor"), QStringLiteral("Vendedor"),
         QStringLiteral("vendedor"), QStringLiteral("V"), QStringLiteral("Clave del vendedor."), {},
         QStringLiteral("Vendedor"), QStringLiteral("vendedores"), QStringLiteral("Clave"), QStringLiteral("Nombre"),
         QStringLiteral("VENDEDOR"), QStringLiteral("NOMBREVENDEDOR")},
        {&FiltrosInforme::cLinea, Tipo::Numero, false, QStringLiteral("la"), QStringLiteral("línea"), QStringLiteral("Línea:"),
         QStringLiteral("linea"), QStringLiteral("ID"),
         QStringLiteral("Número (ID) de la línea de productos; sin ella, todas las líneas."),
         QStringLiteral("todas las líneas"),
         QStringLiteral("productos.Linea"), QStringLiteral("lineas"), QStringLiteral("ID"), QStringLiteral("Linea"),
         {}, QStringLiteral("LINEA")},
    };
    // clang-format on
    return filtros;
}

const Filtro &De(QString FiltrosInforme::*pValor)
{
    for (const Filtro &filtro : Todos()) {
        if (filtro.pValor == pValor)
            return filtro;
    }
    // Every member of FiltrosInforme but the dates has its entry (tst_TablaDeFiltros checks it).
    qFatal("TablaDeFiltros: un miembro de FiltrosInforme no tiene su filtro");
}

int RanuraDelValor(qsizetype nFiltro)
{
    return nPrimeraRanura + 2 * int(nFiltro);
}

int RanuraDelNombre(qsizetype nFiltro)
{
    return RanuraDelValor(nFiltro) + 1;
}

} // namespace TablaDeFiltros
