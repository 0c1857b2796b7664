#pragma once

#include <QString>

#include "HostObject.h"

// The host's registry object: the host store (the suite's own stored values), the test of
// a host installation folder, and registry strings (ODBC user data sources among them).
class DelRegistro : public HostObject
{
public:
    using HostObject::HostObject;

    // The marker file by which a folder is known as a host installation.
    static QString ArchivoMarca() { return QStringLiteral("almena-premium.id"); }

    QString DatosALM(const QString &cNombre);
    void GuardaDatosALM(const QString &cNombre, const QString &cValor);

    // The folder as given when it holds a host installation; "" otherwise.
    QString BuscarRegistroALM(QString &cCarpeta);

    // Writes a string value. Under "Software\ODBC\ODBC.INI\<name>" it goes into the user
    // data source <name> (FuentesOdbc); other keys are kept in the host store.
    void GrabarCadena(const QString &cClave, const QString &cNombre, QString &cValor);
};
