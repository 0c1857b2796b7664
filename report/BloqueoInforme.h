#pragma once

#include <QString>

#include <functional>

#include "Connection.h"

// A server-wide lock on the working table of one database, held while a report run fills
// and reads it, so that two copies of the program printing against the same database at
// once do not fill each other's table. Released by Libera, when the object goes, or with
// the connection.
class BloqueoInforme
{
public:
    // Called between tries while another run holds the lock, with the seconds waited so far:
    // it pauses a moment (the caller's events go on meanwhile) and answers whether to go on
    // waiting.
    using AlEsperar = std::function<bool(int nEsperados)>;

    // Waits its turn up to nSegundos (without alEsperar, on the server, in waits of a second);
    // when the other run still holds the lock then, a failure that says so. A wait given up
    // leaves Obtenido() false.
    BloqueoInforme(Connection &cnn, const QString &cBase, int nSegundos = 5, const AlEsperar &alEsperar = {});
    ~BloqueoInforme();
    void Libera(); // a failure to free it is only logged: the server frees it with the session
    bool Obtenido() const { return !m_cNombre.isEmpty(); }
    BloqueoInforme(const BloqueoInforme &) = delete;
    BloqueoInforme &operator=(const BloqueoInforme &) = delete;

    // Lock names are server-wide and case-sensitive: the database and the table name it.
    static QString NombreDelBloqueo(const QString &cBase);

private:
    Connection m_cnn;
    QString m_cNombre;
};
