#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include "HostContext.h"
#include "HostFactory.h"
#include "MensajesGrabados.h"

// A host installation for a test, in a temporary folder: the drive C: with the host folder
// "C:\almenapremium" and its marker file, a host store, a program folder with an empty settings
// file, and a context whose documents are recorded instead of opened. When the test run
// names no ODBC data-source file, one in the temporary folder is used, never the user's.
class EntornoHost
{
public:
    EntornoHost();

    QString Carpeta() const { return m_carpeta.path(); }
    QString ArchivoAlmacen() const { return m_contexto.cArchivoAlmacen; }
    QString RutaEjecutable() const; // a program "informe-mensual" in a folder of its own
    QString ArchivoIni() const { return RutaEjecutable() + QStringLiteral(".ini"); }

    // The host store pointing at the private test server (no account: the defaults apply).
    void AlmacenConServidor(int nPuerto);
    void QuitaMarca(); // the host folder is no longer a host installation

    HostFactory fabrica;
    MensajesGrabados mensajes;
    QStringList documentosAbiertos;
    HostContext &Contexto() { return m_contexto; }

private:
    QTemporaryDir m_carpeta;
    HostContext m_contexto;
};

// The whole text of a file ("" when it does not exist).
QString TextoDe(const QString &cArchivo);
void EscribeTexto(const QString &cArchivo, const QString &cTexto);
