#pragma once

#include <QString>

#include "HostObject.h"

class BasesDD;
class DelRegistro;
class HostFactory;
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
