#include "HostContext.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include "AbridorDeDocumentos.h"
#include "HostError.h"

QString HostContext::RutaLocal(const QString &cRuta) const
{
    QString cResto = cRuta;
    QString cRaiz;
    if (cRuta.size() >= 2 && cRuta.at(0).isLetter() && cRuta.at(1) == QLatin1Char(':')) {
        cRaiz = mapaUnidades.value(cRuta.at(0).toUpper(), QStringLiteral("/"));
        cResto = cRuta.mid(2);
    }
    cResto.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (cRaiz.isEmpty())
        return cResto;
    while (cResto.startsWith(QLatin1Char('/')))
        cResto.remove(0, 1);
    return QDir(cRaiz).filePath(cResto);
}

HostContext HostContext::DelEntorno(HostFactory &fabrica, Mensajes &mensajes)
{
    HostContext contexto;
    contexto.pFabrica = &fabrica;
    contexto.pMensajes = &mensajes;

    const QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    contexto.cArchivoAlmacen = entorno.value(QStringLiteral("ALMENA_ALMACEN"));
    if (contexto.cArchivoAlmacen.isEmpty())
        contexto.cArchivoAlmacen = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                   QStringLiteral("/almena/almacen.ini");

    for (char c = 'A'; c <= 'Z'; ++c) {
        const QString cCarpeta = entorno.value(QStringLiteral("ALMENA_UNIDAD_") + QLatin1Char(c));
        if (!cCarpeta.isEmpty())
            contexto.mapaUnidades.insert(QLatin1Char(c), cCarpeta);
    }

    contexto.abreDocumento = [&mensajes](const QString &cArchivo) { AbreParaEditar(cArchivo, mensajes); };
    return contexto;
}
