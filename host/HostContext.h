#pragma once

#include <QChar>
#include <QMap>
#include <QString>

#include <functional>

class HostFactory;
class Mensajes;
class QObject;

// What every host object shares: the factory that made it, where the user's messages go,
// the host store file, and how the host's Windows-style paths ("C:\...") map onto this
// machine. Built once by the program (or a test) and passed in; nothing here is global.
struct HostContext
{
    HostFactory *pFabrica = nullptr;
    Mensajes *pMensajes = nullptr;
    QString cArchivoAlmacen;                            // the host store (INI file of the host suite)
    QMap<QChar, QString> mapaUnidades;                  // drive letter (upper case) -> local folder
    std::function<void(const QString &)> abreDocumento; // opens a file for editing
    // What the windows' key handling needs, handed in by the windows' side (hostgui), so that
    // the host itself knows no widgets: move the focus to the next (or previous) field, and
    // highlight a field's text. Without them a key that would move the focus does nothing.
    std::function<void(bool bAdelante)> mueveFoco;
    std::function<void(QObject *pControl)> resalta;

    // The local path of a host path: "X:\a\b" becomes <folder of X>/a/b; other
    // backslashes become slashes. A drive without a folder maps onto "/".
    QString RutaLocal(const QString &cRuta) const;

    // The context of the running program: host store from $ALMENA_ALMACEN (or
    // ~/.config/almena/almacen.ini), drives from $ALMENA_UNIDAD_<letter>, documents opened
    // with the desktop's handler.
    static HostContext DelEntorno(HostFactory &fabrica, Mensajes &mensajes);
};
