#pragma once

#include <QSqlDatabase>
#include <QString>

#include <memory>

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
};

// A database connection as the host library hands it out: a handle that may be empty
// (not opened). Copies share the one server session, which ends when the last copy is
// closed or goes.
class Connection
{
public:
    Connection() = default;

    // Opens a QMYSQL connection; a failure carries the server's number and text.
    static Connection Abre(const DatosConexion &datos);

    bool EstaAbierta() const;
    void Cierra();

    // Runs a statement. A query gives its rows, positioned on the first one (accepting new
    // rows into cTablaNuevasFilas when that is given); any other statement gives a closed
    // recordset.
    Recordset Execute(const QString &cSql, const QString &cTablaNuevasFilas = {});

    QSqlDatabase Base() const; // the open QMYSQL connection; a failure when closed

    // The text escaped by the driver for use between single quotes in a statement.
    QString Escapa(const QString &cTexto) const;

private:
    struct Estado;
    std::shared_ptr<Estado> d;
};

// The failure of a database call: the server's own number and text.
[[noreturn]] void LanzaErrorBase(const QSqlError &error, const QString &cContexto = {});
