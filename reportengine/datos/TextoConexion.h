#pragma once

#include <QString>

#include <optional>

// The connection text of property 20, as the bridge builds it from the host's values:
// "SERVER=host;DB=base;UID=user;PWD=password;". Its server, database, user and password
// override those of the report's ODBC data source; the port stays the data source's.
class TextoConexion
{
public:
    // Keys SERVER, DB (or DATABASE), UID (or USER), PWD (or PASSWORD), in any letter case.
    // A value in braces may hold ";", "=" and braces ("}}" is one "}"), as the bridge writes
    // such a value; an unbraced password takes everything after PWD= up to a final ";". An
    // empty text overrides nothing.
    // Throws ErrorReporte (ConexionNoValida) for an unknown key or a piece without "=".
    static TextoConexion Analiza(const QString &cTexto);

    // The ODBC connection string that connects through the data source with these
    // overrides. Values that need it go in braces ({p;x}}y}). With waits (seconds; 0 leaves the driver's own), the
    // driver gives up connecting, or waiting for an answer, after them.
    QString CadenaOdbc(const QString &cOrigenDatos, int nSegundosConexion = 0, int nSegundosRespuesta = 0) const;

    // A value as the ODBC connection string needs it.
    static QString ValorOdbc(const QString &cValor);

    std::optional<QString> cServidor;
    std::optional<QString> cBase;
    std::optional<QString> cUsuario;
    std::optional<QString> cPassword;
};
