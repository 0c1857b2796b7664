#pragma once

#include <QSqlDatabase>
#include <QString>

#include <memory>

#include "Cifrado.h"
#include "Esperas.h"

class Recordset;
class QSqlError;

// What a connection needs to reach a MySQL server.
struct DatosConexion
{
    QString cServidor;
    int nPuerto = 3306;
    QString cUsuario;
    QString cPassword;
    QString cBase;
    Esperas esperas; // connect, answer and lock waits of the session
    Cifrado cifrado; // TLS, checked against the settings' authority
};

// A database connection as the host library hands it out: a handle that may be empty
// (not opened). Copies share the one server session, which ends when the last copy is
// closed or goes.
class Connection
{
public:
    Connection() = default;

    // Opens a QMYSQL connection whose every wait is bounded (DatosConexion::esperas); a
    // failure carries the server's number and text.
    static Connection Abre(const DatosConexion &datos);

    bool EstaAbierta() const;
    void Cierra();

    // Runs a statement. A query gives its rows, positioned on the first one (accepting new
    // rows into cTablaNuevasFilas when that is given); any other statement gives a closed
    // recordset. A session that the server lost (restarted, or closed for idling) is opened
    // again once, with the same values, and the statement repeated, unless the session held
    // state that a new one would not have (RetieneSesion): then the loss is a failure.
    Recordset Execute(const QString &cSql, const QString &cTablaNuevasFilas = {});

    // While the session holds something the server forgets with it (a lock), a lost
    // connection must not be replaced silently. Each RetieneSesion has its SueltaSesion.
    void RetieneSesion();
    void SueltaSesion();

    QSqlDatabase Base() const; // the open QMYSQL connection; a failure when closed

    // What the connection was opened with: another session of the same account on the same
    // database opens with these. A failure when the connection was never opened.
    const DatosConexion &Datos() const;

    // The text escaped by the driver for use between single quotes in a statement.
    QString Escapa(const QString &cTexto) const;

private:
    struct Estado;
    std::shared_ptr<Estado> d;
    void Reabre();
};
