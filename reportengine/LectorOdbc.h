#pragma once

#include <QString>

#include <functional>

#include "DatosReporte.h"

// Runs the report's query through Qt's ODBC driver and reads all its rows. Numbers come as
// text (QSql::HighPrecision), so that no DECIMAL passes through a double on its way. Nothing
// is bound: Qt 6.4's ODBC driver sends a bound QString with a NUL at its end.
class LectorOdbc
{
public:
    // cCadenaOdbc as TextoConexion::CadenaOdbc gives it; cOrigenDatos only names the data
    // source in messages; alConectar, when given, is called once the connection is open.
    // Throws ErrorReporte: ConexionFallida (with the driver's number and text, and what to do
    // when the data source or its driver is missing) or ConsultaFallida.
    static DatosReporte Lee(const QString &cCadenaOdbc, const QString &cOrigenDatos, const QString &cSql,
                            const std::function<void()> &alConectar = {});
};
