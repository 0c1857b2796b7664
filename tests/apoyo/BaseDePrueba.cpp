#include "BaseDePrueba.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>

#include "EsquemaDemo.h"
#include "HostError.h"
#include "Recordset.h"

DatosConexion BaseDePrueba::Servidor()
{
    DatosConexion datos;
    datos.cServidor = qEnvironmentVariable("ALMENA_PRUEBA_SERVIDOR", QStringLiteral("127.0.0.1"));
    datos.nPuerto = qEnvironmentVariable("ALMENA_PRUEBA_PUERTO", QStringLiteral("3407")).toInt();
    datos.cUsuario = qEnvironmentVariable("ALMENA_PRUEBA_USUARIO", QStringLiteral("root"));
    datos.cPassword = qEnvironmentVariable("ALMENA_PRUEBA_PASSWORD");
    return datos;
}

BaseDePrueba::BaseDePrueba()
    : m_cNombre(QStringLiteral("prueba_%1_%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(QRandomGenerator::global()->bounded(1000000)))
{
    try {
        Connection servidor = Connection::Abre(Servidor());
        servidor.Execute(QStringLiteral("create database `%1` character set utf8mb4").arg(m_cNombre));
        DatosConexion datos = Datos();
        m_cnn = Connection::Abre(datos);
    } catch (const HostError &error) {
        qFatal("No se puede preparar la base de prueba en %s:%d (%s). ¿Arrancó el servidor privado?",
               qPrintable(Servidor().cServidor), Servidor().nPuerto, error.what());
    }
}

BaseDePrueba::~BaseDePrueba()
{
    try {
        m_cnn.Execute(QStringLiteral("drop database if exists `%1`").arg(m_cNombre));
    } catch (const HostError &error) {
        qWarning("No se pudo borrar la base de prueba %s: %s", qPrintable(m_cNombre), error.what());
    }
}

DatosConexion BaseDePrueba::Datos() const
{
    DatosConexion datos = Servidor();
    datos.cBase = m_cNombre;
    return datos;
}

void BaseDePrueba::Ejecuta(const QString &cSentencias)
{
    for (const QString &cSentencia : cSentencias.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (cSentencia.trimmed().isEmpty())
            continue;
        try {
            m_cnn.Execute(cSentencia);
        } catch (const HostError &error) {
            qFatal("Sentencia de prueba fallida: %s\n%s", qPrintable(cSentencia), error.what());
        }
    }
}

void BaseDePrueba::CreaEsquemaDelHost()
{
    QSqlDatabase base = m_cnn.Base();
    try {
        CreaBaseDelHost(base, m_cNombre);
        CreaBaseDeReportes(base);
    } catch (const std::exception &error) {
        qFatal("No se pudo crear el esquema del host en %s: %s", qPrintable(m_cNombre), error.what());
    }
    Ejecuta(QStringLiteral("use `%1`").arg(m_cNombre));
}

void BaseDePrueba::CreaCatalogos()
{
    CreaEsquemaDelHost();
    Ejecuta(QStringLiteral(
        "insert into lineas (ID, Linea) values (3, 'Plomería'), (1, 'Ferretería'), (2, 'Material eléctrico');"
        "insert into vendedores (Clave, Nombre) values ('V02', 'Ana López Ruiz'), ('V01', 'Juan Pérez Soto');"
        "insert into clientes (Clave, Nombre, Ciudad) values ('C001', 'Abarrotes La Esperanza', 'León'), ('O''BR', "
        "'Ferretería O''Brien', 'Puebla')"));
}
