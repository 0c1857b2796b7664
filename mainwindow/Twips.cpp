#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {
double PuntosPorPulgada()
{
    const QScreen *pPantalla = QGuiApplication::primaryScreen();
    return pPantalla ? pPantalla->logicalDotsPerInchX() : 96.0;
}
} // namespace

namespace Twips {

int APixeles(int nTwips)
{
    return int(std::lround(nTwips * PuntosPorPulgada() / 1440.0));
}

int DePixeles(int nPixeles)
{
    return int(std::lround(nPixeles * 1440.0 / PuntosPorPulgada()));
}

QRect Rectangulo(int nIzquierda, int nArriba, int nAncho, int nAlto)
{
    return QRect(APixeles(nIzquierda), APixeles(nArriba), APixeles(nAncho), APixeles(nAlto));
}

} // namespace Twips
