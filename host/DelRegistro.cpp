#include "DelRegistro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "FuentesOdbc.h"
#include "HostContext.h"
#include "HostError.h"
#include "IniArchivo.h"

namespace {

const QString cSeccionAlmacen = QStringLiteral("Almena");
const QString cPrefijoOdbc = QStringLiteral("Software\\ODBC\\ODBC.INI\\");

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
        throw HostError(CodigoErrorHost::ArgumentoNoValido,
                        QStringLiteral("El valor %1 del origen de datos no puede tener saltos de línea").arg(cNombre));
    const QString cFuente = cClave.mid(cPrefijoOdbc.size());
    if (cFuente.isEmpty() || cFuente.contains(QLatin1Char('\\')) || cFuente.contains(QLatin1Char(']')))
        throw HostError(CodigoErrorHost::ArgumentoNoValido,
                        QStringLiteral("Nombre de origen de datos no válido: %1").arg(cClave));
    FuentesOdbc::Escribe(cFuente, cNombre, cValor);
}
