#pragma once

#include <QString>

#include "Connection.h"

// A server-wide lock on the working table of one database, held for a whole report run, so
// that two copies of the program printing against the same database at once do not fill
// each other's table. Released when the object goes, or with the connection.
class BloqueoInforme
{
public:
    // Waits up to nSegundos; when another run holds the lock, a failure that says so.
    BloqueoInforme(Connection &cnn, const QString &cBase, int nSegundos = 5);
    ~BloqueoInforme();
    BloqueoInforme(const BloqueoInforme &) = delete;
    BloqueoInforme &operator=(const BloqueoInforme &) = delete;

    // Lock names are server-wide and case-sensitive: the database and the table name it.
    static QString NombreDelBloqueo(const QString &cBase);

private:
    Connection m_cnn;
    QString m_cNombre;
};
