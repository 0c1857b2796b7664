#include "UbicacionTabla.h"

#include <QStringList>

#include "HostError.h"

namespace {

// Only spaces: a tab inside the mapping text is part of the name.
QString SinEspaciosALosLados(const QString &cTexto)
{
    qsizetype nInicio = 0;
    qsizetype nFin = cTexto.size();
    while (nInicio < nFin && cTexto[nInicio] == QLatin1Char(' '))
        ++nInicio;
    while (nFin > nInicio && cTexto[nFin - 1] == QLatin1Char(' '))
        --nFin;
    return cTexto.mid(nInicio, nFin - nInicio);
}

// The table part of a location: what follows its first "."; all of it when there is none.
QString NombreDeTabla(const QString &cUbicacion)
{
    const qsizetype nPunto = cUbicacion.indexOf(QLatin1Char('.'));
    return nPunto < 0 ? cUbicacion : cUbicacion.mid(nPunto + 1);
}

} // namespace

void CambiaTabla(QString &cUbicacion, const QString &cTablas, const QString &cBase)
{
    const QString cUbicacionMinusculas = cUbicacion.toLower();
    for (const QString &cEntrada : cTablas.split(QLatin1Char(';'))) {
        const QString cEntradaMinusculas = cEntrada.toLower();
        const qsizetype q = cEntradaMinusculas.indexOf(QLatin1Char('*'));
        if (q < 0)
            throw HostError(
                CodigoErrorHost::ArgumentoNoValido,
                QStringLiteral("La entrada «%1» del texto de tablas «%2» no tiene «*»").arg(cEntrada, cTablas));
        const QString cNombre = SinEspaciosALosLados(cEntradaMinusculas.left(q));
        QString cDestino = SinEspaciosALosLados(cEntradaMinusculas.mid(q + 1));
        if (!cDestino.startsWith(QLatin1Char('.')))
            cDestino.prepend(QLatin1Char('.'));

        const bool bCoincide = cNombre.contains(QLatin1Char('.')) ? cUbicacionMinusculas == cNombre
                                                                  : NombreDeTabla(cUbicacionMinusculas) == cNombre;
        if (bCoincide) {
            cUbicacion = cBase + cDestino;
            return;
        }
    }
}

QString UbicacionTabla(const QString &cTabla, const QString &cArchivoDatos, const QString &cTablas,
                       const QString &cBase, const std::function<void(const HostError &)> &alFallarMapeo)
{
    if (cTabla.startsWith(QLatin1Char('A')))
        return cArchivoDatos; // a local-file table is read from the job's data file
    QString cUbicacion = cTabla.mid(2);
    if (!cTablas.isEmpty()) {
        try {
            CambiaTabla(cUbicacion, cTablas, cBase);
        } catch (const HostError &error) {
            alFallarMapeo(error);
        }
    }
    return cBase + QLatin1Char('.') + NombreDeTabla(cUbicacion);
}
