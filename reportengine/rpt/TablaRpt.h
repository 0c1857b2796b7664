#pragma once

#include <QString>

// One table of a report file: the driver that serves it, the data source it is read through
// and the location (database.table) that the report was designed against.
struct TablaRpt
{
    enum class Tipo : quint8 {
        Odbc,         // written as the driver file pdsodbc.dll
        ArchivoLocal, // written as pdbdao.dll; there is no driver for it on this platform
    };

    Tipo tipo = Tipo::Odbc;
    QString cOrigenDatos; // the ODBC data source name (for a local table, its data file)
    QString cUbicacion;   // "database.table", or just "table"

    bool operator==(const TablaRpt &) const = default;
};
