#pragma once

#include <QSqlDatabase>
#include <QString>

#include "Connection.h"

// A database of its own on the private test server, created empty and dropped at the end,
// so that tests can run in any order. The server is named by the environment that the test
// command sets: ALMENA_PRUEBA_SERVIDOR, _PUERTO, _USUARIO, _PASSWORD.
class BaseDePrueba
{
public:
    BaseDePrueba();
    ~BaseDePrueba();
    BaseDePrueba(const BaseDePrueba &) = delete;
    BaseDePrueba &operator=(const BaseDePrueba &) = delete;

    static DatosConexion Servidor(); // the server, without a database
    const QString &Nombre() const { return m_cNombre; }
    DatosConexion Datos() const; // the server with this database

    // Runs statements separated by ";" on this database; a failure stops the test run.
    void Ejecuta(const QString &cSentencias);
    QSqlDatabase Base() const { return m_cnn.Base(); }

    // The host's tables, empty, as the demo data has them, and the report database's template.
    void CreaEsquemaDelHost();
    // The host's tables with a few product lines, salespeople and clients.
    void CreaCatalogos();

private:
    QString m_cNombre;
    Connection m_cnn;
};
