#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The MariaDB ODBC driver as the driver manager knows it. The program writes the data sources
// it needs when a user has none, and names in them the driver registered in unixODBC's driver
// list (odbcinst.ini), never a library path of its own guessing.
namespace ControladorOdbc {

// The name of the registered driver whose library is the MariaDB connector (libmaodbc.so).
// None registered: a HostError SinControladorOdbc that names the package to install.
QString MariaDB();

// The choice among registered drivers, as (name, library) pairs in the driver manager's order:
// the first whose library file is libmaodbc.so; "" when none is.
QString Elige(const QList<QPair<QString, QString>> &controladores);

} // namespace ControladorOdbc
