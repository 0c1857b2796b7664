#pragma once

#include <QString>

class DelRegistro;
class ObjetosPrograma;

// The two ODBC data sources that report files are designed against, refreshed from the
// host's connection values before every report job, so that the report reads with the
// server, port and account that the host uses at that moment.

// Writes server, password, user, port, database and the TLS settings (BasesDD::cifrado) into
// "myodbc3-test" and then into "Almena Reportes". A failing read or write ends the refresh there: what was written
// stays, the rest is not written.
void ActualizaODBC(const ObjetosPrograma &objetos);

// Adds to the user's data-source file each of the two data sources it lacks (one without a
// driver counts as lacking), with the MariaDB driver of the driver manager's list and a
// description; the refresh then writes its values. On an installed system nobody else has
// registered them. Every other data source and comment of the file stays.
void AseguraOrigenesODBC();

// Writes one value, named in Spanish ("Servidor", "Contraseña", "Usuario", "Puerto",
// "BaseDeDatos", any letter case), into data source 0 ("myodbc3-test") or 1 ("Almena
// Reportes"). Password and user go under both their long and short ODBC names.
void GrabaValorODBC(DelRegistro &registro, const QString &cNombre, const QString &cValor, int nIndice);
