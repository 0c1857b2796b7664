#pragma once

#include <QString>

// The user's ODBC data sources, in the file the driver manager reads them from: $ODBCINI, or
// ~/.odbc.ini. The program writes that file itself, not through the ODBC installer, which
// drops the user's comment lines, splits values longer than 999 characters and rewrites the
// file in place (another program may then read half a file). Here a write changes only its
// own line, keeps every comment and every other data source, and replaces the file
// atomically, readable by its owner only, since it holds passwords. A write that fails is a
// HostError and leaves the previous file whole.
namespace FuentesOdbc {

QString Archivo();

// Names the file in $ODBCINI when unset, for the rest of the process. Without it the driver
// manager looks for the user's data sources in the home folder of the account's password
// entry, not in $HOME: a program run with another HOME (sudo, a service, a test) would write
// one file and connect through another user's. Called once at start-up, before any thread.
void FijaArchivoParaElControlador();

// The value of a key of the data source; "" when the file, the source or the key is absent.
QString Lee(const QString &cFuente, const QString &cClave);

void Escribe(const QString &cFuente, const QString &cClave, const QString &cValor);

} // namespace FuentesOdbc
