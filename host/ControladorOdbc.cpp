#include "ControladorOdbc.h"

#include <QByteArray>
#include <QFileInfo>

#include <odbcinst.h>

#include "HostError.h"

namespace {

// (name, library) of every driver in the driver manager's list.
QList<QPair<QString, QString>> ControladoresRegistrados()
{
    QList<QPair<QString, QString>> controladores;
    QByteArray nombres(64 * 1024, '\0');
    WORD nLargo = 0;
    if (!SQLGetInstalledDrivers(nombres.data(), static_cast<WORD>(nombres.size() - 1), &nLargo))
        return controladores;
    // The names come one after another, each ended by a NUL, the list by a second NUL.
    for (const QByteArray &nombre : nombres.left(nLargo).split('\0')) {
        if (nombre.isEmpty())
            continue;
        QByteArray libreria(4096, '\0');
        const int nLibreria = SQLGetPrivateProfileString(nombre.constData(), "Driver", "", libreria.data(),
                                                         libreria.size(), "ODBCINST.INI");
        controladores.append({QString::fromUtf8(nombre), QString::fromUtf8(libreria.left(qMax(nLibreria, 0)))});
    }
    return controladores;
}

} // namespace

namespace ControladorOdbc {

QString Elige(const QList<QPair<QString, QString>> &controladores)
{
    for (const auto &[cNombre, cLibreria] : controladores)
        if (QFileInfo(cLibreria.trimmed()).fileName() == u"libmaodbc.so")
            return cNombre;
    return {};
}

QString MariaDB()
{
    const QString cNombre = Elige(ControladoresRegistrados());
    if (cNombre.isEmpty())
        throw HostError(
            CodigoErrorHost::SinControladorOdbc,
            QStringLiteral("No hay ningún controlador ODBC de MariaDB registrado en este equipo (la lista de "
                           "«odbcinst -q -d» no tiene ninguno cuya biblioteca sea libmaodbc.so). Instale el "
                           "paquete odbc-mariadb."));
    return cNombre;
}

} // namespace ControladorOdbc
