#include "NombresDeFiltros.h"

#include "BasesDD.h"
#include "Connection.h"
#include "Conversiones.h"
#include "FiltroVentas.h"
#include "ObjetosPrograma.h"
#include "Recordset.h"
#include "Utilerias.h"

namespace {

QString Asignacion(const QString &cNombre, const QString &cValor)
{
    return cNombre + QStringLiteral("='") + cValor + QLatin1Char('\'');
}

} // namespace

std::optional<QString> NombresDeFiltros::Nombre(const TablaDeFiltros::Filtro &filtro, const QString &cValor,
                                                const ObjetosPrograma &objetos, Connection &cnn)
{
    // The row whose key is the value, as the sales filter compares it.
    const QString cFuente =
        filtro.tipo == TablaDeFiltros::Tipo::Numero
            ? filtro.cTabla + QStringLiteral(" where ") + filtro.cCampoClave + QLatin1Char('=') + cValor
            : filtro.cTabla +
                  objetos.Utilidades().CambXXX(
                      QStringLiteral(" where ") + filtro.cCampoClave + QStringLiteral("='XXX'"), cnn.Escapa(cValor));
    BasesDD &bases = objetos.Bases();
    Recordset rs;
    std::optional<QString> nombre;
    if (bases.AbrirTabla(rs, cnn, cFuente, filtro.cCampoNombre))
        nombre = rs.Campo(filtro.cCampoNombre).toString();
    bases.CierraTabla(rs);
    return nombre;
}

NombresDeFiltros NombresDeFiltros::Busca(const FiltrosInforme &filtros, const ObjetosPrograma &objetos, Connection &cnn)
{
    NombresDeFiltros nombres;
    const auto agrega = [&nombres](int nRanura, const QString &cFormula, const QString &cValor) {
        if (!cValor.isEmpty())
            nombres.formulas.append(Formula{nRanura, Asignacion(cFormula, cValor)});
    };
    const QList<TablaDeFiltros::Filtro> &tabla = TablaDeFiltros::Todos();
    for (qsizetype i = 0; i < tabla.size(); ++i) {
        const TablaDeFiltros::Filtro &filtro = tabla.at(i);
        const QString cValor = FiltroVentas::Valor(filtro, filtros, objetos);
        if (cValor.isEmpty())
            continue;
        const std::optional<QString> nombre = Nombre(filtro, cValor, objetos, cnn);
        if (!nombre)
            nombres.desconocidos << QStringLiteral("%1 %2 %3 no existe en la tabla %4")
                                        .arg(filtro.cArticulo, filtro.cNombre, RecortaEspacios(cValor), filtro.cTabla);
        if (filtro.cFormulaValor.isEmpty()) {
            const QString cNombre = nombre.value_or(QString());
            agrega(TablaDeFiltros::RanuraDelNombre(i), filtro.cFormulaNombre,
                   !nombre             ? cValor + u' ' + cNoExiste
                   : cNombre.isEmpty() ? cValor
                                       : cNombre);
        } else {
            agrega(TablaDeFiltros::RanuraDelValor(i), filtro.cFormulaValor, RecortaEspacios(cValor));
            agrega(TablaDeFiltros::RanuraDelNombre(i), filtro.cFormulaNombre, nombre.value_or(cNoExiste));
        }
    }
    return nombres;
}
