#include "LectorOdbc.h"

#include <QAtomicInteger>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"

namespace {

QString TextoDeError(const QSqlError &error)
{
    QString cTexto = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (!error.nativeErrorCode().isEmpty() && error.nativeErrorCode() != u"0")
        cTexto = QStringLiteral("[%1] %2").arg(error.nativeErrorCode(), cTexto);
    return cTexto;
}

DatosReporte LeeConsulta(QSqlDatabase &base, const QString &cSql)
{
    QSqlQuery consulta(base);
    consulta.setForwardOnly(true);
    consulta.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!consulta.exec(cSql))
        throw ErrorReporte(CodigoErrorRpt::ConsultaFallida,
                           QStringLiteral("La consulta del reporte falló: %1").arg(TextoDeError(consulta.lastError())));
    DatosReporte datos;
    const QSqlRecord registro = consulta.record();
    for (int i = 0; i < registro.count(); ++i) {
        datos.campos.append(registro.fieldName(i));
        datos.escalas.append(registro.field(i).precision()); // the column's scale; -1 for none
    }
    const int nCampos = registro.count();
    while (consulta.next()) {
        for (int i = 0; i < nCampos; ++i) {
            const QVariant valor = consulta.value(i);
            datos.valores.append(valor.isNull() ? QString() : valor.toString());
        }
    }
    if (consulta.lastError().isValid())
        throw ErrorReporte(CodigoErrorRpt::ConsultaFallida,
                           QStringLiteral("La lectura de la consulta del reporte falló: %1").arg(TextoDeError(consulta.lastError())));
    return datos;
}

// What the user can do about a connection that failed before reaching the server: the data
// source, or its driver, is not where the driver manager looks.
QString QueHacer(const QString &cTextoDelError, const QString &cOrigenDatos)
{
    const bool bSinOrigen = cTextoDelError.contains(QLatin1String("Data source name not found"), Qt::CaseInsensitive);
    const bool bSinControlador = cTextoDelError.contains(QLatin1String("Can't open lib"), Qt::CaseInsensitive);
    if (!bSinOrigen && !bSinControlador)
        return {};
    return QStringLiteral(" El origen de datos «%1» no está registrado o su controlador no está instalado: instale el "
                          "controlador ODBC de MariaDB (paquete odbc-mariadb) y registre los orígenes de datos con "
                          "scripts/registra-odbc.sh.")
        .arg(cOrigenDatos);
}

} // namespace

DatosReporte LectorOdbc::Lee(const QString &cCadenaOdbc, const QString &cOrigenDatos, const QString &cSql,
                             const std::function<void()> &alConectar)
{
    static QAtomicInteger<int> nConexiones;
    const QString cNombre = QStringLiteral("reportengine_%1").arg(nConexiones.fetchAndAddRelaxed(1));
    DatosReporte datos;
    {
        QSqlDatabase base = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), cNombre);
        const auto quitaConexion = qScopeGuard([&] {
            base.close();
            base = QSqlDatabase();
            QSqlDatabase::removeDatabase(cNombre);
        });
        if (!base.isValid())
            throw ErrorReporte(CodigoErrorRpt::ConexionFallida,
                               QStringLiteral("No está instalado el controlador ODBC de Qt (QODBC)."));
        base.setDatabaseName(cCadenaOdbc);
        if (!base.open()) {
            const QString cError = TextoDeError(base.lastError());
            throw ErrorReporte(CodigoErrorRpt::ConexionFallida, QStringLiteral("No se pudo conectar con el origen de datos "
                                                                               "\"%1\": %2")
                                                                    .arg(cOrigenDatos, cError) +
                                                                    QueHacer(cError, cOrigenDatos));
        }
        if (alConectar)
            alConectar();
        datos = LeeConsulta(base, cSql);
    }
    return datos;
}
