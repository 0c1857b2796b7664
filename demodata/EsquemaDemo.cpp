#include "EsquemaDemo.h"

#include "InsercionPorLotes.h"

#include <QStringList>

namespace {

const char *const cOpcionesDeTabla = " ENGINE=InnoDB DEFAULT CHARSET=utf8mb4";

// In the report's joins every unqualified column (Cancelada, Fecha, Cliente, Vendedor,
// Cantidad, PrecioNeto, Saldo) must live in exactly one of the joined tables.
const char *const cTablasDelHost[] = {
    "CREATE TABLE clientes ("
    " Clave VARCHAR(20) NOT NULL PRIMARY KEY,"
    " Nombre VARCHAR(100) NOT NULL,"
    " Ciudad VARCHAR(60) NOT NULL)",

    "CREATE TABLE vendedores ("
    " Clave VARCHAR(10) NOT NULL PRIMARY KEY,"
    " Nombre VARCHAR(80) NOT NULL)",

    "CREATE TABLE lineas ("
    " ID INT NOT NULL PRIMARY KEY,"
    " Linea VARCHAR(60) NOT NULL)",

    "CREATE TABLE productos ("
    " Clave VARCHAR(20) NOT NULL PRIMARY KEY,"
    " Descripcion VARCHAR(100) NOT NULL,"
    " Linea INT NOT NULL,"
    " Precio DECIMAL(12,2) NOT NULL,"
    " KEY idx_productos_linea (Linea))",

    "CREATE TABLE facturas ("
    " Id INT NOT NULL PRIMARY KEY,"
    " Folio INT NOT NULL,"
    " Fecha DATE NOT NULL,"
    " Cliente VARCHAR(20) NOT NULL,"
    " Vendedor VARCHAR(10) NOT NULL,"
    " Cancelada TINYINT NOT NULL DEFAULT 0,"
    " Moneda INT NOT NULL,"
    " KEY idx_facturas_fecha (Fecha),"
    " KEY idx_facturas_cliente (Cliente),"
    " KEY idx_facturas_vendedor (Vendedor))",

    "CREATE TABLE facturasdetalle ("
    " Id INT NOT NULL,"
    " Partida INT NOT NULL,"
    " Producto VARCHAR(20) NOT NULL,"
    " Cantidad DECIMAL(12,2) NOT NULL,"
    " PrecioNeto DECIMAL(12,2) NOT NULL,"
    " PRIMARY KEY (Id, Partida),"
    " KEY idx_facturasdetalle_producto (Producto))",

    "CREATE TABLE remisiones ("
    " Id INT NOT NULL PRIMARY KEY,"
    " Folio INT NOT NULL,"
    " Fecha DATE NOT NULL,"
    " Cliente VARCHAR(20) NOT NULL,"
    " Moneda INT NOT NULL,"
    " Saldo DECIMAL(14,2) NOT NULL,"
    " Cancelada TINYINT NOT NULL DEFAULT 0,"
    " KEY idx_remisiones_cliente (Cliente))",

    "CREATE TABLE remisionesdetalle ("
    " Id INT NOT NULL,"
    " Partida INT NOT NULL,"
    " Producto VARCHAR(20) NOT NULL,"
    " Cantidad DECIMAL(12,2) NOT NULL,"
    " Precio DECIMAL(12,2) NOT NULL,"
    " PRIMARY KEY (Id, Partida))",
};

QString TablaDeVentas12Meses()
{
    QStringList columnas{QStringLiteral("Cliente VARCHAR(20) NOT NULL PRIMARY KEY")};
    for (int mes = 1; mes <= 12; ++mes)
        columnas << QStringLiteral("Mes%1Monto DECIMAL(16,2) NOT NULL DEFAULT 0").arg(mes);
    for (int mes = 1; mes <= 12; ++mes)
        columnas << QStringLiteral("Mes%1Cant DECIMAL(14,2) NOT NULL DEFAULT 0").arg(mes);
    columnas << QStringLiteral("TotalCantRemis DECIMAL(14,2) NOT NULL DEFAULT 0");
    return QStringLiteral("CREATE TABLE IF NOT EXISTS almenareportes.ventas12meses (%1)%2")
        .arg(columnas.join(QStringLiteral(", ")), QLatin1String(cOpcionesDeTabla));
}

} // namespace

void CreaBaseDelHost(QSqlDatabase &db, const QString &base)
{
    EjecutaSql(db, QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(base));
    EjecutaSql(db, QStringLiteral("CREATE DATABASE `%1` CHARACTER SET utf8mb4").arg(base));
    EjecutaSql(db, QStringLiteral("USE `%1`").arg(base));
    for (const char *tabla : cTablasDelHost)
        EjecutaSql(db, QString::fromUtf8(tabla) + QLatin1String(cOpcionesDeTabla));
}

void CreaBaseDeReportes(QSqlDatabase &db)
{
    EjecutaSql(db, QStringLiteral("CREATE DATABASE IF NOT EXISTS almenareportes CHARACTER SET utf8mb4"));
    EjecutaSql(db, TablaDeVentas12Meses());
}
