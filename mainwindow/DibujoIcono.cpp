#include "DibujoIcono.h"

#include <QColor>
#include <QRectF>

#include <iterator>

namespace {

constexpr qreal nLadoDibujo = 32;

// The card behind the bars.
const QRectF cuadro(1.5, 1.5, 29, 29);
constexpr qreal nRadioCuadro = 4;
constexpr qreal nGrosorBorde = 1.5;
const QColor colorCuadro(245, 245, 235);
const QColor colorBorde(60, 60, 60);

struct Barra
{
    qreal nAltura;
    QColor color;
};
constexpr qreal nIzquierdaBarras = 5;
constexpr qreal nPasoBarras = 6;
constexpr qreal nAnchoBarra = 4.5;
constexpr qreal nBaseBarras = 27;
const Barra barras[] = {
    {10, QColor(70, 130, 180)},
    {16, QColor(60, 160, 90)},
    {12, QColor(70, 130, 180)},
    {22, QColor(200, 120, 40)},
};

QRectF RectanguloBarra(int i)
{
    return QRectF(nIzquierdaBarras + i * nPasoBarras, nBaseBarras - barras[i].nAltura, nAnchoBarra, barras[i].nAltura);
}

QString Numero(qreal nValor)
{
    return QString::number(nValor, 'g', 6);
}

} // namespace

namespace DibujoIcono {

void Pinta(QPainter &pintor, int nLado)
{
    pintor.save();
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.scale(nLado / nLadoDibujo, nLado / nLadoDibujo);
    pintor.setBrush(colorCuadro);
    pintor.setPen(QPen(colorBorde, nGrosorBorde));
    pintor.drawRoundedRect(cuadro, nRadioCuadro, nRadioCuadro);
    pintor.setPen(Qt::NoPen);
    for (int i = 0; i < int(std::size(barras)); ++i) {
        pintor.setBrush(barras[i].color);
        pintor.drawRect(RectanguloBarra(i));
    }
    pintor.restore();
}

QString Svg()
{
    QString cSvg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                                  "viewBox=\"0 0 %1 %1\">\n")
                       .arg(Numero(nLadoDibujo));
    cSvg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" ry=\"%5\" fill=\"%6\" "
                           "stroke=\"%7\" stroke-width=\"%8\"/>\n")
                .arg(Numero(cuadro.x()), Numero(cuadro.y()), Numero(cuadro.width()), Numero(cuadro.height()),
                     Numero(nRadioCuadro), colorCuadro.name(), colorBorde.name(), Numero(nGrosorBorde));
    for (int i = 0; i < int(std::size(barras)); ++i) {
        const QRectF barra = RectanguloBarra(i);
        cSvg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                    .arg(Numero(barra.x()), Numero(barra.y()), Numero(barra.width()), Numero(barra.height()),
                         barras[i].color.name());
    }
    cSvg += QStringLiteral("</svg>\n");
    return cSvg;
}

} // namespace DibujoIcono
