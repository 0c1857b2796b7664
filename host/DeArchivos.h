#pragma once

#include <QString>

#include "HostObject.h"

// The host's document object.
class DeArchivos : public HostObject
{
public:
    using HostObject::HostObject;

    // Opens the file for editing with the handler of the context (the desktop's).
    void AbreDocumento(QString &cArchivo, int nModo, int nVentana);
};
