#include "EntornoHost.h"

#include <QDir>
#include <QFile>

#include "DelRegistro.h"

EntornoHost::EntornoHost()
{
    QDir carpeta(m_carpeta.path());
    carpeta.mkpath(QStringLiteral("C/almenapremium"));
    carpeta.mkpath(QStringLiteral("programa"));
    EscribeTexto(carpeta.filePath(QStringLiteral("C/almenapremium/") + DelRegistro::ArchivoMarca()),
                 QStringLiteral("prueba\n"));

    m_contexto.pFabrica = &fabrica;
    m_contexto.pMensajes = &mensajes;
    m_contexto.cArchivoAlmacen = carpeta.filePath(QStringLiteral("almacen.ini"));
    m_contexto.mapaUnidades.insert(QLatin1Char('C'), carpeta.filePath(QStringLiteral("C")));
    m_contexto.abreDocumento = [this](const QString &cArchivo) { documentosAbiertos.append(cArchivo); };
    // The program's copy carries its settings file beside it, as a portable copy does; the
    // user's configuration folder is the test's own, never the account's.
    EscribeTexto(ArchivoIni(), QString());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(carpeta.filePath(QStringLiteral("config"))));
    static const bool bOdbcIniDeLaCorrida = !qEnvironmentVariableIsEmpty("ODBCINI");
    if (!bOdbcIniDeLaCorrida)
        qputenv("ODBCINI", carpeta.filePath(QStringLiteral("odbc.ini")).toLocal8Bit());
}

QString EntornoHost::RutaEjecutable() const
{
    return QDir(m_carpeta.path()).filePath(QStringLiteral("programa/informe-mensual"));
}

void EntornoHost::AlmacenConServidor(int nPuerto)
{
    EscribeTexto(ArchivoAlmacen(),
                 QStringLiteral("[Almena]\nservidor=127.0.0.1\nMySQLServer=127.0.0.1\nMySQLPuerto=%1\n").arg(nPuerto));
}

void EntornoHost::QuitaMarca()
{
    QFile::remove(QDir(m_carpeta.path()).filePath(QStringLiteral("C/almenapremium/") + DelRegistro::ArchivoMarca()));
}

QString TextoDe(const QString &cArchivo)
{
    QFile archivo(cArchivo);
    if (!archivo.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(archivo.readAll());
}

void EscribeTexto(const QString &cArchivo, const QString &cTexto)
{
    QFile archivo(cArchivo);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate) || archivo.write(cTexto.toUtf8()) < 0)
        qFatal("No se puede escribir %s", qPrintable(cArchivo));
}
