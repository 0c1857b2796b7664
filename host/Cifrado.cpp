#include "Cifrado.h"

#include <QFileInfo>

#include "HostError.h"
#include "libNucleo.h"

Cifrado Cifrado::Lee(libNucleo &nucleo, const QString &cArchivoIni)
{
    const QString cSeccion = QStringLiteral("TLS");
    QString cArchivo = cArchivoIni;
    Cifrado cifrado;
    const QString cTls = nucleo.LeeIni(cSeccion, QStringLiteral("TLS"), cArchivo).trimmed();
    const QString cTlsMinusculas = cTls.toLower();
    if (cTlsMinusculas == u"sí" || cTlsMinusculas == u"si")
        cifrado.bTls = true;
    else if (!cTls.isEmpty() && cTlsMinusculas != u"no")
        throw HostError(CodigoErrorHost::TipoNoCoincide,
                        QStringLiteral("El valor «TLS» de [%1] en el archivo de configuración %2 debe ser «sí» o «no», "
                                       "no «%3»")
                            .arg(cSeccion, cArchivoIni, cTls));
    if (!cifrado.bTls)
        return cifrado;
    cifrado.cCA = nucleo.LeeIni(cSeccion, QStringLiteral("CA"), cArchivo).trimmed();
    // Without the authority the server's certificate cannot be checked, and an encrypted
    // connection to an impostor is worth little.
    if (cifrado.cCA.isEmpty())
        throw HostError(CodigoErrorHost::TipoNoCoincide,
                        QStringLiteral("Con «TLS=sí», [%1] en el archivo de configuración %2 necesita «CA»: el archivo "
                                       "del certificado de la autoridad que firmó el del servidor")
                            .arg(cSeccion, cArchivoIni));
    const QFileInfo ca(cifrado.cCA);
    if (!ca.isFile() || !ca.isReadable())
        throw HostError(CodigoErrorHost::ArchivoNoEncontrado,
                        QStringLiteral("No se puede leer el certificado %1 que nombra «CA» de [%2] en el archivo de "
                                       "configuración %3")
                            .arg(cifrado.cCA, cSeccion, cArchivoIni));
    cifrado.cCA = ca.absoluteFilePath();
    return cifrado;
}
