#include "ConsultaReporte.h"

#include <QRegularExpression>

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"

namespace {
constexpr int nMaximoLargoNombre = 64; // MariaDB's limit for database and table names

QString ComillasInvertidas(QString cNombre)
{
    return QLatin1Char('`') + cNombre.replace(QLatin1Char('`'), QLatin1String("``")) + QLatin1Char('`');
}
} // namespace

QString ConsultaReporte::ProblemaDeUbicacion(const QString &cUbicacion)
{
    const QStringList partes = cUbicacion.split(QLatin1Char('.'));
    if (partes.size() > 2)
        return QStringLiteral("la ubicación \"%1\" lleva más de un punto").arg(cUbicacion);
    if (partes.last().trimmed().isEmpty())
        return QStringLiteral("la ubicación \"%1\" no nombra la tabla").arg(cUbicacion);
    if (partes.first().trimmed().isEmpty())
        return QStringLiteral("la ubicación \"%1\" no nombra la base").arg(cUbicacion);
    for (const QString &cParte : partes) {
        if (cParte.size() > nMaximoLargoNombre || cParte.contains(QChar(0)))
            return QStringLiteral("la ubicación \"%1\" no es un nombre de base.tabla válido").arg(cUbicacion);
    }
    return {};
}

QString ConsultaReporte::Identificador(const QString &cUbicacion)
{
    const qsizetype nPunto = cUbicacion.indexOf(QLatin1Char('.'));
    if (nPunto < 0)
        return ComillasInvertidas(cUbicacion);
    return ComillasInvertidas(cUbicacion.left(nPunto)) + QLatin1Char('.') +
           ComillasInvertidas(cUbicacion.mid(nPunto + 1));
}

ConsultaReporte::ConsultaReporte(const ArchivoRpt &archivo, const QList<QString> &ubicacionesAsignadas)
{
    static const QRegularExpression marca(QStringLiteral("\\{T([0-9]+)\\}"));
    const QString &cConsulta = archivo.diseno.cConsulta;
    qsizetype nDesde = 0;
    for (const QRegularExpressionMatch &coincide : marca.globalMatch(cConsulta)) {
        const int nTabla = coincide.captured(1).toInt();
        if (nTabla < 1 || nTabla > archivo.tablas.size())
            throw ErrorReporte(CodigoErrorRpt::ArchivoDanado,
                               QStringLiteral("La consulta del reporte nombra la tabla %1 y el reporte tiene %2.")
                                   .arg(nTabla)
                                   .arg(archivo.tablas.size()));
        const TablaRpt &tabla = archivo.tablas[nTabla - 1];
        if (tabla.tipo == TablaRpt::Tipo::ArchivoLocal)
            throw ErrorReporte(
                CodigoErrorRpt::TablaNoSoportada,
                QStringLiteral("La tabla %1 del reporte es de un archivo local (%2), que este programa no lee.")
                    .arg(nTabla)
                    .arg(tabla.cOrigenDatos));
        const QString cAsignada = nTabla <= ubicacionesAsignadas.size() ? ubicacionesAsignadas[nTabla - 1] : QString();
        const QString cUbicacion = cAsignada.isEmpty() ? tabla.cUbicacion : cAsignada;
        const QString cProblema = ProblemaDeUbicacion(cUbicacion);
        if (!cProblema.isEmpty())
            throw ErrorReporte(CodigoErrorRpt::UbicacionNoValida,
                               QStringLiteral("Tabla %1: %2.").arg(nTabla).arg(cProblema));
        if (m_cOrigenDatos.isEmpty())
            m_cOrigenDatos = tabla.cOrigenDatos;
        m_cSql += cConsulta.mid(nDesde, coincide.capturedStart() - nDesde) + Identificador(cUbicacion);
        nDesde = coincide.capturedEnd();
    }
    m_cSql += cConsulta.mid(nDesde);
    if (m_cOrigenDatos.isEmpty())
        throw ErrorReporte(CodigoErrorRpt::ArchivoDanado,
                           QStringLiteral("La consulta del reporte no nombra ninguna tabla."));
}
