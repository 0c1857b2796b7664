#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Finds the database tables that a report file reads. Each table record of a report file
// starts with the file name of its database driver (pdsodbc.dll for an ODBC table,
// pdbdao.dll for a local-file table), a terminator, a field that is skipped and the stored
// location "database.table", each field ending in NUL. The file is searched byte by byte
// for those driver names, so nothing else of its format matters here.

// Appends ".rpt" to cArchivoRpt when it has no ".rpt" anywhere (any letter case), reads the
// file and fills tablas with one entry per table found, in the order of the file; returns
// their number. A file that does not exist has no tables (and is not created). Fails with
// a HostError when the file cannot be read or a table record has no end.
int LeeTablasRpt(QString &cArchivoRpt, QStringList &tablas);

// The table entry in a window of report-file bytes that starts at a driver name: "A " or
// "M " (local-file table or not) and the stored location; "" when the window holds no
// ".dll". Fails with a HostError when the location field does not end inside the window.
QString ExtraeTabla(const QByteArray &ventana);
