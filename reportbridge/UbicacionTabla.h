#pragma once

#include <QString>

#include <functional>

class HostError;

// Where each table of a report is read from at print time: every table goes to the host's
// main database, and the mapping text of the job can send a table to another table there
// (the twelve-month report sends its template table to the working table).
//
// Mapping text: entries separated by ";", each a report table name, "*" and the real table
// name, e.g. "ventas12meses*tmpventas12meses". A name with a database part
// ("reportes.ventas12meses") matches only that stored location. Letter case and spaces
// around the names do not count; the real table name is used in lower case.

// Rewrites cUbicacion (a stored location, "database.table" or "table") as
// cBase + "." + real table when an entry of cTablas matches it; the first matching entry
// wins. An entry without "*" fails with a HostError and leaves cUbicacion as it was.
void CambiaTabla(QString &cUbicacion, const QString &cTablas, const QString &cBase);

// The location that the report control receives for one table entry of LeeTablasRpt: the
// data file for a local-file table, otherwise the (mapped) table in cBase. A failing mapping
// goes to alFallarMapeo and the table keeps its stored table name, so that one bad entry in
// the mapping does not leave the table without a location.
QString UbicacionTabla(const QString &cTabla, const QString &cArchivoDatos, const QString &cTablas,
                       const QString &cBase, const std::function<void(const HostError &)> &alFallarMapeo);
