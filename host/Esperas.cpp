#include "Esperas.h"

#include "HostError.h"
#include "libNucleo.h"

Esperas Esperas::Lee(libNucleo &nucleo, const QString &cArchivoIni)
{
    const QString cSeccion = QStringLiteral("Esperas");
    Esperas esperas;
    QString cArchivo = cArchivoIni;
    for (auto [cClave, pSegundos] :
         {std::pair{"Conexion", &esperas.nConexion}, std::pair{"Respuesta", &esperas.nRespuesta},
          std::pair{"Bloqueos", &esperas.nBloqueos}, std::pair{"Origenes ODBC", &esperas.nOrigenesOdbc}}) {
        const QString cValor = nucleo.LeeIni(cSeccion, QLatin1String(cClave), cArchivo).trimmed();
        if (cValor.isEmpty())
            continue;
        bool bNumero = false;
        const int nSegundos = cValor.toInt(&bNumero);
        if (!bNumero || nSegundos < 1)
            throw HostError(
                CodigoErrorHost::TipoNoCoincide,
                QStringLiteral("El valor «%1» de [%2] en el archivo de configuración %3 debe ser un número de "
                               "segundos, no «%4»")
                    .arg(QLatin1String(cClave), cSeccion, cArchivoIni, cValor));
        *pSegundos = nSegundos;
    }
    return esperas;
}
