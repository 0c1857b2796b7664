#pragma once

#include <QString>

#include <vector>

#include "Periodo.h"

class Connection;
struct FiltroVentas;

// The working table tmpventas12meses of the host's main database: an empty copy of the
// template almenareportes.ventas12meses, filled with one row per client of the filtered
// invoices, and dropped after the report.
namespace TablaDeTrabajo {

inline const QString cNombre = QStringLiteral("tmpventas12meses");

// Stops what a run killed half way (SIGKILL, a crash, a machine switched off) left running
// on the server: its fill goes on writing into the table after its client is gone, and would
// hold up the next run's DROP and share the server's time with it until it ends. Only under
// the database's report lock (BloqueoInforme): no live run then uses the table, so every
// statement of this account on it in this database is a dead run's. Answers how many it stopped.
int DetieneLlenadosHuerfanos(Connection &cnn);

// Drops the table left by an earlier run and creates it again from the template's own
// definition (extra columns, keys and defaults included).
void Recrea(Connection &cnn);

// Fills the table: per client of the invoices of F, the amount and quantity of each month
// column added to the column's default, and the quantity of the client's open delivery
// notes of R. The server does the work in one statement, inside a transaction, whatever
// the number of rows. Answers the number of clients.
int Llena(Connection &cnn, const FiltroVentas &filtro, const std::vector<MonthColumn> &columnas);

void Borra(Connection &cnn);

// The DEFAULT of one column's definition as the server's SHOW CREATE TABLE writes it (what
// follows the column's name): a quoted text, an expression in parentheses, or a single word
// or number; "NULL" when there is none.
QString DefectoDeColumna(const QString &cDefinicion);

} // namespace TablaDeTrabajo
