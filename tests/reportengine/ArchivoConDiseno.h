#pragma once

#include <QByteArray>

#include "ArchivoRpt.h"
#include "CodificacionCuerpo.h"
#include "EscrituraBinaria.h"
#include "FormatoRpt.h"

// Bytes of a whole report file around a layout given as raw bytes, with a right checksum:
// the way to hand the layout reader bytes that the checksum would otherwise turn away.
inline QByteArray ArchivoConDiseno(const QByteArray &diseno)
{
    QByteArray bytes = FormatoRpt::Firma();
    bytes.append(char(ArchivoRpt::nVersion)).append(char(0));
    EscrituraBinaria largo;
    largo.Entero(qint32(diseno.size()));
    bytes.append(CodificacionCuerpo::Codifica(largo.Bytes() + diseno + FormatoRpt::Huella(diseno)));
    return bytes;
}
