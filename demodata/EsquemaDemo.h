#pragma once

#include <QSqlDatabase>
#include <QString>

// Drops the host's main database `base` and creates it again with empty tables.
void CreaBaseDelHost(QSqlDatabase &db, const QString &base);

// Creates the report database and its table when missing; never drops anything.
void CreaBaseDeReportes(QSqlDatabase &db);
