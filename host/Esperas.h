#pragma once

#include <QString>

class libNucleo;

// How long the program waits, in seconds, before it gives up with a message that names the
// cause. The defaults are far above what a long report on a big database takes; the
// settings file's section "Esperas" may change each one.
struct Esperas
{
    int nConexion = 10;     // "Conexion": to reach the server
    int nRespuesta = 300;   // "Respuesta": for the server to answer (each read and write)
    int nBloqueos = 60;     // "Bloqueos": for rows or tables that another session holds locked
    int nOrigenesOdbc = 30; // "Origenes ODBC": for another report job to let go of the ODBC data sources

    // The waits of the settings file; a key that is absent keeps its default, one that is not
    // a number of seconds from 1 on is a failure (13) that names it. Nothing is written.
    static Esperas Lee(libNucleo &nucleo, const QString &cArchivoIni);
};
