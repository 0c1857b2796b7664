#include "IconoPrograma.h"

#include <QPainter>
#include <QPixmap>

QIcon IconoPrograma()
{
    QPixmap imagen(32, 32);
    imagen.fill(Qt::transparent);
    QPainter pintor(&imagen);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setBrush(QColor(245, 245, 235));
    pintor.setPen(QPen(QColor(60, 60, 60), 1.5));
    pintor.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 4, 4);
    const int nAlturas[] = {10, 16, 12, 22};
    const QColor colores[] = {QColor(70, 130, 180), QColor(60, 160, 90), QColor(70, 130, 180), QColor(200, 120, 40)};
    for (int i = 0; i < 4; ++i) {
        pintor.setPen(Qt::NoPen);
        pintor.setBrush(colores[i]);
        pintor.drawRect(QRectF(5 + i * 6, 27 - nAlturas[i], 4.5, nAlturas[i]));
    }
    return QIcon(imagen);
}
