#include "NombresDeFiltros.h"

#include "BasesDD.h"
#include "Connection.h"
#include "Conversiones.h"
#include "NumeroSQL.h"
#include "ObjetosPrograma.h"
#include "Recordset.h"
#include "Utilerias.h"
#include "libNucleo.h"

namespace {

// The field of the first row of the source; empty when there is none.
QString PrimerValor(const ObjetosPrograma &objetos, Connection &cnn, const QString &cFuente, const QString &cCampo)
{
    BasesDD &bases = objetos.Bases();
    Recordset rs;
    QString cValor;
    if (bases.AbrirTabla(rs, cnn, cFuente, cCampo))
        cValor = rs.Campo(cCampo).toString();
    bases.CierraTabla(rs);
    return cValor;
}

// The table's row whose Clave is the code, as the sales filter compares it.
QString PorClave(const ObjetosPrograma &objetos, Connection &cnn, const QString &cTabla, const QString &cCodigo)
{
    return PrimerValor(objetos, cnn,
                       cTabla + objetos.Utilidades().CambXXX(QStringLiteral(" where Clave='XXX'"), cnn.Escapa(cCodigo)),
                       QStringLiteral("Nombre"));
}

QString Asignacion(const char *cNombre, const QString &cValor)
{
    return QLatin1String(cNombre) + QStringLiteral("='") + cValor + QLatin1Char('\'');
}

} // namespace

QList<NombresDeFiltros::Formula> NombresDeFiltros::Busca(const FiltrosInforme &filtros, const ObjetosPrograma &objetos,
                                                         Connection &cnn)
{
    QList<Formula> formulas;
    const auto agrega = [&formulas](int nRanura, const char *cNombre, const QString &cValor) {
        if (!cValor.isEmpty())
            formulas.append(Formula{nRanura, Asignacion(cNombre, cValor)});
    };
    const QString cCliente = RecortaEspacios(filtros.cCliente);
    if (!cCliente.isEmpty()) {
        agrega(nFormulaCliente, "CLIENTE", cCliente);
        agrega(nFormulaNombreCliente, "NOMBRECLIENTE",
               PorClave(objetos, cnn, QStringLiteral("clientes"), filtros.cCliente));
    }
    if (!RecortaEspacios(filtros.cVendedor).isEmpty())
        agrega(nFormulaNombreVendedor, "NOMBREVENDEDOR",
               PorClave(objetos, cnn, QStringLiteral("vendedores"), filtros.cVendedor));
    const double nLinea = objetos.Nucleo().orVal(filtros.vLinea);
    if (nLinea != 0) {
        const QString cId = NumeroSQL(nLinea);
        const QString cNombre =
            PrimerValor(objetos, cnn, QStringLiteral("lineas where ID=") + cId, QStringLiteral("Linea"));
        agrega(nFormulaLinea, "LINEA", cNombre.isEmpty() ? cId : cNombre);
    }
    return formulas;
}
