#include "FuentesOdbc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

#include "HostError.h"
#include "IniArchivo.h"
#include "TextoDeErrno.h"

namespace FuentesOdbc {

QString Archivo()
{
    // The same choice the driver manager makes.
    const QString cOdbcIni = qEnvironmentVariable("ODBCINI");
    return cOdbcIni.isEmpty() ? QDir::homePath() + QStringLiteral("/.odbc.ini") : cOdbcIni;
}

void FijaArchivoParaElControlador()
{
    if (qEnvironmentVariableIsEmpty("ODBCINI"))
        qputenv("ODBCINI", QFile::encodeName(Archivo()));
}

QString Lee(const QString &cFuente, const QString &cClave)
{
    return IniArchivo::Lee(Archivo(), cFuente, cClave);
}

void Escribe(const QString &cFuente, const QString &cClave, const QString &cValor)
{
    const QString cArchivo = Archivo();
    const auto falla = [&](const QString &cPorQue) {
        return HostError(CodigoErrorHost::ErrorDeAccesoArchivo,
                         QStringLiteral("No se pudo guardar %1 del origen de datos ODBC %2 en %3: %4. El archivo quedó "
                                        "como estaba.")
                             .arg(cClave, cFuente, cArchivo, cPorQue));
    };
    const QFileInfo datos(cArchivo);
    if (datos.exists() && !datos.isFile()) // a folder in the way keeps its own permissions
        throw falla(QStringLiteral("no es un archivo"));

    QByteArray texto;
    if (datos.exists()) {
        QFile anterior(cArchivo);
        if (!anterior.open(QIODevice::ReadOnly))
            throw falla(anterior.errorString());
        texto = anterior.readAll();
    }
    // The driver manager takes a value as it stands: no quotes around it.
    const QByteArray nuevo = IniArchivo::ConValor(texto, cFuente, cClave, cValor, IniArchivo::Comillas::Nunca);
    // Every report writes the same values again: a file that already holds them, readable by
    // its owner only, is left as it is (replacing it costs a write to disk each time).
    const QFileDevice::Permissions soloDelDueno = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (datos.exists() && nuevo == texto &&
        (datos.permissions() & ~(soloDelDueno | QFileDevice::ReadUser | QFileDevice::WriteUser)) == 0)
        return;

    QSaveFile archivo(cArchivo);
    if (!archivo.open(QIODevice::WriteOnly)) {
        // Qt names the temporary file it could not make, often as "no such file"; the folder
        // says why (read-only, no permission).
        if (::access(QFile::encodeName(datos.absolutePath()).constData(), W_OK) != 0)
            throw falla(TextoDeErrno(errno));
        throw falla(archivo.errorString());
    }
    // flush() before commit(): Qt's commit would put in place a file whose last write failed
    // (a full disk), and QSaveFile discards it when it is not committed.
    const bool bEscrito = archivo.write(nuevo) == nuevo.size() && archivo.setPermissions(soloDelDueno) &&
                          archivo.flush() && archivo.commit();
    if (!bEscrito)
        throw falla(archivo.errorString());
}

} // namespace FuentesOdbc
