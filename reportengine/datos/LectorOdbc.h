#pragma once

#include <QString>

#include <functional>

#include "DatosReporte.h"

// Runs the report's query through the ODBC driver manager and reads all its rows, a block of
// rows per call into bound columns. Numbers come as the driver's text, so that no DECIMAL
// passes through a double on its way; texts come in UTF-8, whatever the server's character set.
class LectorOdbc
{
public:
    // cCadenaOdbc as TextoConexion::CadenaOdbc gives it; cOrigenDatos only names the data
    // source in messages; alConectar, when given, is called once the connection is open. The
    // waits (seconds, 0 for the driver's own) are set as ODBC's login, connection and query
    // timeouts, for drivers that do not know the connection text's keywords.
    // Throws ErrorReporte: ConexionFallida (with the driver's number and text, and what to do
    // when the data source or its driver is missing) or ConsultaFallida.
    static DatosReporte Lee(const QString &cCadenaOdbc, const QString &cOrigenDatos, const QString &cSql,
                            const std::function<void()> &alConectar = {}, int nSegundosConexion = 0,
                            int nSegundosRespuesta = 0);
};
