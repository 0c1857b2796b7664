#include "DelRegistro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <odbcinst.h>

#include "HostContext.h"
#include "HostError.h"
#include "IniArchivo.h"

namespace {

const QString cSeccionAlmacen = QStringLiteral("Almena");
const QString cPrefijoOdbc = QStringLiteral("Software\\ODBC\\ODBC.INI\\");

QString ErrorDelInstalador()
{
    DWORD nCodigo = 0;
    char cMensaje[SQL_MAX_MESSAGE_LENGTH + 1] = {};
    WORD nLargo = 0;
    if (SQLInstallerError(1, &nCodigo, cMensaje, sizeof cMensaje, &nLargo) == SQL_NO_DATA)
        return QStringLiteral("sin detalle del instalador ODBC");
    return QString::fromLocal8Bit(cMensaje);
}

// The user's data-source file, as the ODBC installer chooses it.
QString ArchivoOdbcUsuario()
{
    const QString cOdbcIni = qEnvironmentVariable("ODBCINI");
    return cOdbcIni.isEmpty() ? QDir::homePath() + QStringLiteral("/.odbc.ini") : cOdbcIni;
}

// The file holds passwords: it is created, and kept, readable by its owner only.
void SoloParaElDueno(const QString &cArchivo)
{
    const QFileInfo datos(cArchivo);
    if (datos.exists() && !datos.isFile()) // a folder in the way keeps its own permissions
        throw HostError(ErrorHost::ErrorDeAccesoArchivo,
                        QStringLiteral("El archivo de orígenes de datos ODBC %1 no es un archivo").arg(cArchivo));
    QFile archivo(cArchivo);
    if (!archivo.exists() && !archivo.open(QIODevice::WriteOnly))
        throw HostError(ErrorHost::ErrorDeAccesoArchivo,
                        QStringLiteral("No se puede crear el archivo %1: %2").arg(cArchivo, archivo.errorString()));
    archivo.close();
    if (!archivo.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw HostError(ErrorHost::ErrorDeAccesoArchivo,
                        QStringLiteral("No se pueden cambiar los permisos de %1").arg(cArchivo));
}

} // namespace

QString DelRegistro::DatosALM(const QString &cNombre)
{
    return IniArchivo::Lee(Contexto().cArchivoAlmacen, cSeccionAlmacen, cNombre);
}

void DelRegistro::GuardaDatosALM(const QString &cNombre, const QString &cValor)
{
    const QFileInfo almacen(Contexto().cArchivoAlmacen);
    QDir().mkpath(almacen.absolutePath());
    // The store holds the host's enciphered account: no one but its owner reads it.
    IniArchivo::Escribe(Contexto().cArchivoAlmacen, cSeccionAlmacen, cNombre, cValor, true);
}

QString DelRegistro::BuscarRegistroALM(QString &cCarpeta)
{
    if (cCarpeta.trimmed().isEmpty())
        return {};
    const QString cLocal = Contexto().RutaLocal(cCarpeta);
    return QFileInfo(QDir(cLocal).filePath(ArchivoMarca())).isFile() ? cCarpeta : QString();
}

void DelRegistro::GrabarCadena(const QString &cClave, const QString &cNombre, QString &cValor)
{
    if (!cClave.startsWith(cPrefijoOdbc, Qt::CaseInsensitive)) {
        GuardaDatosALM(cClave + QLatin1Char('\\') + cNombre, cValor);
        return;
    }
    if (cValor.contains(QLatin1Char('\n')) || cValor.contains(QLatin1Char('\r')) || cNombre.contains(QLatin1Char('=')))
        throw HostError(ErrorHost::ArgumentoNoValido,
                        QStringLiteral("El valor %1 del origen de datos no puede tener saltos de línea").arg(cNombre));
    const QByteArray fuente = cClave.mid(cPrefijoOdbc.size()).toUtf8();
    if (fuente.isEmpty() || fuente.contains('\\') || fuente.contains(']'))
        throw HostError(ErrorHost::ArgumentoNoValido, QStringLiteral("Nombre de origen de datos no válido: %1").arg(cClave));

    SoloParaElDueno(ArchivoOdbcUsuario());
    SQLSetConfigMode(ODBC_USER_DSN);
    const bool bEscrito = SQLWritePrivateProfileString(fuente.constData(), cNombre.toUtf8().constData(),
                                                       cValor.toUtf8().constData(), "odbc.ini");
    const QString cFalla = bEscrito ? QString() : ErrorDelInstalador();
    SQLSetConfigMode(ODBC_BOTH_DSN);
    if (!bEscrito)
        throw HostError(ErrorHost::ErrorOdbc, QStringLiteral("No se pudo guardar %1 del origen de datos ODBC %2: %3")
                                                  .arg(cNombre, QString::fromUtf8(fuente), cFalla));
    SoloParaElDueno(ArchivoOdbcUsuario());
}
