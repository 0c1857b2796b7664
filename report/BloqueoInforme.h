#pragma once

#include <QString>

#include "Connection.h"

// A server-wide lock on the working table of one database, held while a report run fills
// and reads it, so that two copies of the program printing against the same database at
// once do not fill each other's table. Released by Libera, when the object goes, or with
// the connection.
class BloqueoInforme
{
public:
    // Waits up to nSegundos; when another run holds the lock, a failure that says so.
    BloqueoInforme(Connection &cnn, const QString &cBase, int nSegundos = 5);
    ~BloqueoInforme();
    void Libera(); // a failure to free it is only logged: the server frees it with the session
    BloqueoInforme(const BloqueoInforme &) = delete;
    BloqueoInforme &operator=(const BloqueoInforme &) = delete;

    // Lock names are server-wide and case-sensitive: the database and the table name it.
    static QString NombreDelBloqueo(const QString &cBase);

private:
    Connection m_cnn;
    QString m_cNombre;
};
