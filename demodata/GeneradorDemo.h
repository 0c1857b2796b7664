#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <functional>

// Demo data for the program: a hardware wholesaler's invoices and delivery notes over two
// years. The same options always give byte-identical data.

struct OpcionesDemo
{
    quint32 nSemilla = 1;
    qint64 nLineas = 20000;                   // invoice lines (facturasdetalle rows)
    qint64 nClientes = 0;                     // 0: one per 100 lines (at least 20)
    QDate dHasta;                             // last month of the two years of invoices; invalid = current month
    QString cBase = QStringLiteral("datos1"); // host's main database, dropped and created again
};

// How many rows of each kind a load of nLineas invoice lines makes (nClientes, when not 0,
// instead of the clients that the lines would give).
struct TamanoDemo
{
    qint64 nClientes;
    qint64 nProductos;
    qint64 nRemisiones;
};
TamanoDemo TamanoParaLineas(qint64 nLineas, qint64 nClientes = 0);

// First and last day of the 24 calendar months that end with hasta's month.
QDate PrimerDiaDelPeriodo(QDate hasta);
QDate UltimoDiaDelPeriodo(QDate hasta);

// Fills the database that `db` (an open QMYSQL connection with rights to create databases)
// points at: drops and creates opciones.cBase, and creates almenareportes.ventas12meses when
// missing. Leaves the connection's current database on opciones.cBase.
// Throws std::runtime_error with the server's error number and text on any failure.
void GeneraDatosDemo(QSqlDatabase &db, const OpcionesDemo &opciones, std::function<void(QString)> progreso = {});
