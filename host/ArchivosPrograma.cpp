#include "ArchivosPrograma.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

#include "HostError.h"
#include "TextoDeErrno.h"

namespace {

const QString cNombrePrograma = QStringLiteral("informe-mensual");
const QString cNombreInforme = QStringLiteral("InformeMensual.rpt");

QString ArchivoJuntoAlPrograma(const QString &cRutaEjecutable)
{
    const QFileInfo ejecutable(cRutaEjecutable);
    return ejecutable.absolutePath() + QLatin1Char('/') + ejecutable.fileName() + QStringLiteral(".ini");
}

QString RelativoAConfiguracion()
{
    return cNombrePrograma + QLatin1Char('/') + cNombrePrograma + QStringLiteral(".ini");
}

QString ArchivoDelUsuario()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           RelativoAConfiguracion();
}

// The administrator's defaults: the first $XDG_CONFIG_DIRS folder that has the file.
QString ArchivoDelAdministrador()
{
    const QStringList carpetas = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    const QString cDelUsuario = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    for (const QString &cCarpeta : carpetas) {
        if (cCarpeta == cDelUsuario)
            continue;
        const QString cArchivo = cCarpeta + QLatin1Char('/') + RelativoAConfiguracion();
        if (QFileInfo(cArchivo).isFile())
            return cArchivo;
    }
    return {};
}

HostError FallaDe(const QString &cQue, const QString &cRuta, const QString &cPorQue)
{
    return HostError(CodigoErrorHost::ErrorDeAccesoArchivo,
                     QStringLiteral("No se pudo %1 %2: %3").arg(cQue, cRuta, cPorQue));
}

void CopiaDefectos(const QString &cOrigen, const QString &cDestino)
{
    QFile origen(cOrigen);
    if (!origen.open(QIODevice::ReadOnly))
        throw FallaDe(QStringLiteral("leer la configuración del administrador"), cOrigen, origen.errorString());
    const QByteArray texto = origen.readAll();
    QSaveFile destino(cDestino);
    // flush() before commit(): Qt would put a file whose last write failed in place.
    if (!destino.open(QIODevice::WriteOnly) || destino.write(texto) != texto.size() || !destino.flush() ||
        !destino.commit())
        throw FallaDe(QStringLiteral("crear el archivo de configuración"), cDestino, destino.errorString());
}

} // namespace

namespace ArchivosPrograma {

QString ArchivoIni(const QString &cRutaEjecutable)
{
    const QString cJunto = ArchivoJuntoAlPrograma(cRutaEjecutable);
    return QFileInfo::exists(cJunto) ? cJunto : ArchivoDelUsuario();
}

QString PreparaArchivoIni(const QString &cRutaEjecutable)
{
    const QString cArchivo = ArchivoIni(cRutaEjecutable);
    if (QFileInfo::exists(cArchivo))
        return cArchivo;
    const QString cCarpeta = QFileInfo(cArchivo).absolutePath();
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(cCarpeta).toStdString(), error);
    if (error)
        throw FallaDe(QStringLiteral("crear la carpeta de configuración"), cCarpeta, TextoDeErrno(error.value()));
    if (const QString cDefectos = ArchivoDelAdministrador(); !cDefectos.isEmpty())
        CopiaDefectos(cDefectos, cArchivo);
    return cArchivo;
}

QString ArchivoInforme(const QString &cCarpetaPrograma)
{
    const QString cJunto = cCarpetaPrograma + QLatin1Char('/') + cNombreInforme;
    if (QFileInfo::exists(cJunto))
        return cJunto;
    const QString cInstalado = QDir::cleanPath(cCarpetaPrograma + QStringLiteral("/../share/") + cNombrePrograma +
                                               QLatin1Char('/') + cNombreInforme);
    return QFileInfo::exists(cInstalado) ? cInstalado : cJunto;
}

} // namespace ArchivosPrograma
