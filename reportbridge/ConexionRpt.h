#pragma once

#include <QString>

// The database connection text that the report control logs on with:
// "SERVER=<server>;DB=<database>;UID=<user>;PWD=<password>;". The port is not part of it;
// the report's ODBC data source carries it.
QString ArmaTextoConexion(const QString &cServidor, const QString &cBase, const QString &cUsuario,
                          const QString &cPassword);

// A value as it may stand in a connection text: unchanged, or in braces with every "}"
// doubled when it holds ";", "{" or "}", which would otherwise end or garble the value.
QString ValorDeConexion(const QString &cValor);
