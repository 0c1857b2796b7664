#pragma once

#include <QString>

class libNucleo;

// Whether the connections to the database server go encrypted (TLS), as servers that accept
// only encrypted connections require (require_secure_transport, managed servers): section
// "TLS" of the settings file. The program's own connection and the report's ODBC one both
// follow it; the host store is left as the host writes it.
struct Cifrado
{
    bool bTls = false; // "TLS": "sí" (or "si") to encrypt, "no" (the default)
    QString cCA;       // "CA": the certificate file (PEM) of the authority that signed the server's

    // The settings of the settings file. A "TLS" that is neither sí nor no, TLS without a CA,
    // and a CA file that cannot be read are failures that name the key and the file. Nothing
    // is written.
    static Cifrado Lee(libNucleo &nucleo, const QString &cArchivoIni);
};
