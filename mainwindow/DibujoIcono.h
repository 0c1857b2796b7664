#pragma once

#include <QPainter>
#include <QString>

// The program's icon, a light rounded square with four coloured bars, kept as shapes on a
// square of 32 units: the window's icon, the PNG files and the SVG file of the installation
// are all drawn from these shapes, so they never become two designs.
namespace DibujoIcono {

// Paints the icon filling a square of nLado pixels from the painter's origin.
void Pinta(QPainter &pintor, int nLado);

// The same shapes as an SVG document.
QString Svg();

} // namespace DibujoIcono
