#include "IconoPrograma.h"

#include <QPainter>
#include <QPixmap>

#include "DibujoIcono.h"

QIcon IconoPrograma()
{
    // Each size painted from the shapes rather than one scaled: the small ones stay sharp.
    QIcon icono;
    for (const int nLado : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap imagen(nLado, nLado);
        imagen.fill(Qt::transparent);
        QPainter pintor(&imagen);
        DibujoIcono::Pinta(pintor, nLado);
        pintor.end();
        icono.addPixmap(imagen);
    }
    return icono;
}
