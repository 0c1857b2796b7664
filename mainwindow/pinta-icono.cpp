// Build-time tool: writes the program's icon as a PNG file of a given size, or as an SVG file,
// for the installation (the desktop's icon theme).
//   pinta-icono LADO ARCHIVO.png
//   pinta-icono svg ARCHIVO.svg

#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>

#include "DibujoIcono.h"

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "uso: pinta-icono LADO|svg ARCHIVO\n");
        return 1;
    }
    const QString cTipo = QString::fromLocal8Bit(argv[1]);
    QSaveFile archivo(QString::fromLocal8Bit(argv[2]));
    if (!archivo.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "pinta-icono: no se puede escribir %s: %s\n", argv[2],
                     archivo.errorString().toLocal8Bit().constData());
        return 1;
    }
    bool bEscrito = false;
    if (cTipo == u"svg") {
        const QByteArray svg = DibujoIcono::Svg().toUtf8();
        bEscrito = archivo.write(svg) == svg.size();
    } else {
        bool bNumero = false;
        const int nLado = cTipo.toInt(&bNumero);
        if (!bNumero || nLado < 1 || nLado > 1024) {
            std::fprintf(stderr, "pinta-icono: %s no es un lado de 1 a 1024 pixeles\n", argv[1]);
            return 1;
        }
        QImage imagen(nLado, nLado, QImage::Format_ARGB32);
        imagen.fill(Qt::transparent);
        QPainter pintor(&imagen);
        DibujoIcono::Pinta(pintor, nLado);
        pintor.end();
        bEscrito = imagen.save(&archivo, "PNG");
    }
    if (!bEscrito || !archivo.flush() || !archivo.commit()) {
        std::fprintf(stderr, "pinta-icono: no se pudo escribir %s: %s\n", argv[2],
                     archivo.errorString().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
