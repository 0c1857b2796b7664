#pragma once

#include <QString>

class QWidget;
class libNucleo;

// A window's place on the screen kept from one run to the next in the settings file, in a
// section named after the window: its "Tag" property when set, otherwise its object name.
// Measures are twips: the position of the window's frame on the screen and the size of its
// client area, which is what can be known before a window manager has framed it.
namespace Modulo {

// Writes the caption, the top and left edges and, with bConTamano, the width and height.
void GuardaVentana(QWidget &ventana, bool &bConTamano, libNucleo &nucleo, const QString &cArchivoIni);

// Reads the placement back and applies it. Any failure along the way (a missing or
// non-numeric size, a value out of range) sets the position read so far back to 0, 0 and
// goes on with the next step, so the window then opens at the top-left corner with its
// design size.
void CargaVentana(QWidget &ventana, bool &bConTamano, libNucleo &nucleo, const QString &cArchivoIni);

} // namespace Modulo
