#pragma once

#include <QRect>

// Window measures are given in twips (1440 to the logical inch); this is the one place
// where they become pixels.
namespace Twips {
int APixeles(int nTwips);
int DePixeles(int nPixeles);
QRect Rectangulo(int nIzquierda, int nArriba, int nAncho, int nAlto);
} // namespace Twips
