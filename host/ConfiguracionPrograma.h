#pragma once

#include <QString>

#include "HostObject.h"

class BasesDD;
class Connection;
class DelRegistro;
class HostFactory;
class ObjetosPrograma;
class libNucleo;

// The program's settings file and the connection settings taken from the host store.

// Puts into the slot a new object whose ProgID is the library name + "." + the class name.
void CreaObjeto(const HostFactory &fabrica, const HostContext &contexto, HostObjectPtr &objeto, const QString &cClase,
                const QString &cLibreria);

// The key's value; a missing or empty value is first written with the default (through the
// caller's core object). Never empty: when the default cannot be stored, a failure.
QString LeeIniDefecto(const QString &cSeccion, const QString &cClave, const QString &cDefecto, libNucleo &nucleo,
                      const QString &cArchivoIni);

// The currency id of US dollars ("Id moneda USD", default 2) as a 16-bit whole number; a
// value that is none is a failure (13, or 6 out of range).
qint16 LeeMonedaUSD(libNucleo &nucleo, const QString &cArchivoIni);

// Tests the host folder named in the settings file and fills the connection settings of
// the database object from the host store. False, after telling the user, when the folder
// is not a host installation.
bool CargaDatosConexion(libNucleo &nucleo, DelRegistro &registro, BasesDD &bases, const QString &cArchivoIni,
                        bool bLeeBasePrincipal);

// The start-up that the window's first activation and the batch mode share: the host folder
// and the connection settings from the host store (false, after telling the user, when the
// folder is not a host installation: the program must end), then the dollars' currency id
// and the waits of the settings file, then the connection to the host's main database. A
// failure on the way is a HostError.
bool PreparaConexion(ObjetosPrograma &objetos, const QString &cArchivoIni, Connection &cnnDatos, qint16 &nMonedaUSD);
