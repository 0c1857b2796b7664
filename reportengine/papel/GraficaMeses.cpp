#include "GraficaMeses.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace {

constexpr double dSobreGraficaMm = 5.0; // between what comes before and the chart

// The values of one scale of the chart: its marks are k * dPaso for k from nDesde to nHasta.
struct Escala
{
    double dPaso = 1;
    int nDesde = 0; // at most 0
    int nHasta = 1; // at least 0
    double Minimo() const { return nDesde * dPaso; }
    double Maximo() const { return nHasta * dPaso; }
};

// The smallest step of 1, 2, 2.5 or 5 times a power of ten that is at least dMinimo.
double PasoRedondo(double dMinimo)
{
    const double dPotencia = std::pow(10.0, std::floor(std::log10(dMinimo)));
    for (const double dFactor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (dFactor * dPotencia >= dMinimo * (1 - 1e-12))
            return dFactor * dPotencia;
    }
    return 10 * dPotencia;
}

// Some five steps from the smallest value (or 0) to the largest (or 0).
Escala EscalaDe(const QList<double> &valores)
{
    constexpr int nPasos = 5;
    double dMenor = 0;
    double dMayor = 0;
    for (const double dValor : valores) {
        dMenor = qMin(dMenor, dValor);
        dMayor = qMax(dMayor, dValor);
    }
    if (dMayor - dMenor <= 0)
        return Escala{};
    Escala escala;
    escala.dPaso = PasoRedondo((dMayor - dMenor) / nPasos);
    escala.nDesde = int(std::floor(dMenor / escala.dPaso + 1e-9));
    escala.nHasta = int(std::ceil(dMayor / escala.dPaso - 1e-9));
    return escala;
}

// The decimals that show the marks of a step exactly (0.25 takes two).
int DecimalesDePaso(double dPaso)
{
    for (int nDecimales = 0; nDecimales < 6; ++nDecimales) {
        const double dEscalado = dPaso * std::pow(10.0, nDecimales);
        if (std::abs(dEscalado - std::round(dEscalado)) < 1e-6 * dEscalado)
            return nDecimales;
    }
    return 6;
}

} // namespace

void GraficaMeses::Pinta(QPainter &painter, const QRectF &area, QPaintDevice &dispositivo, double dPxPorMm,
                         const QFont &letra, const QLocale &locale) const
{
    const qsizetype nMeses = meses.size();
    Escala escalaImportes = EscalaDe(importes);
    Escala escalaCantidades = EscalaDe(cantidades);
    escalaImportes.nDesde = escalaCantidades.nDesde = qMin(escalaImportes.nDesde, escalaCantidades.nDesde);
    escalaImportes.nHasta = escalaCantidades.nHasta = qMax(escalaImportes.nHasta, escalaCantidades.nHasta);
    const auto marca = [&locale](const Escala &escala, int k) {
        return locale.toString(k * escala.dPaso, 'f', DecimalesDePaso(escala.dPaso));
    };

    QFont letraNegrita = letra;
    letraNegrita.setBold(true);
    const QFontMetricsF metricas(letra, &dispositivo);
    const QFontMetricsF metricasNegrita(letraNegrita, &dispositivo);
    const auto Mm = [dPxPorMm](double dMm) { return dMm * dPxPorMm; };
    const QColor colorBarras(0x8F, 0xA8, 0xC8);
    const QPen trazoCantidad(Qt::black, Mm(0.35), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const double dLado = Mm(1.4); // of a quantity's point, and of the legend's samples
    painter.save();

    // The title, and under it the legend: which is which, and on which scale (on a line of its
    // own, so that a reader of the text finds them in this order).
    double y = area.top() + Mm(dSobreGraficaMm);
    painter.setPen(Qt::black);
    painter.setFont(letraNegrita);
    painter.drawText(QPointF(area.left(), y + metricasNegrita.ascent()), QStringLiteral("Importe y cantidad por mes"));
    y += metricasNegrita.lineSpacing() + Mm(1);
    painter.setFont(letra);
    const double yBaseLeyenda = y + metricas.ascent();
    const double yMuestra = yBaseLeyenda - metricas.xHeight() / 2;
    double x = area.left();
    painter.fillRect(QRectF(x, yMuestra - dLado, 2 * dLado, 2 * dLado), colorBarras);
    x += 2 * dLado + Mm(1);
    const QString cLeyendaImporte = QStringLiteral("Importe (escala izquierda)");
    painter.drawText(QPointF(x, yBaseLeyenda), cLeyendaImporte);
    x += metricas.horizontalAdvance(cLeyendaImporte) + Mm(5);
    painter.setPen(trazoCantidad);
    painter.drawLine(QPointF(x, yMuestra), QPointF(x + 3 * dLado, yMuestra));
    painter.fillRect(QRectF(x + dLado, yMuestra - dLado / 2, dLado, dLado), Qt::black);
    x += 3 * dLado + Mm(1);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(x, yBaseLeyenda), QStringLiteral("Cantidad (escala derecha)"));
    y += metricas.lineSpacing() + Mm(2) + metricas.ascent() / 2;

    // The plot, between the scales' marks and above the months' headings.
    double dMarcasIzquierda = 0;
    double dMarcasDerecha = 0;
    for (int k = escalaImportes.nDesde; k <= escalaImportes.nHasta; ++k) {
        dMarcasIzquierda = qMax(dMarcasIzquierda, metricas.horizontalAdvance(marca(escalaImportes, k)));
        dMarcasDerecha = qMax(dMarcasDerecha, metricas.horizontalAdvance(marca(escalaCantidades, k)));
    }
    const QRectF trama(
        QPointF(area.left() + dMarcasIzquierda + Mm(1.5), y),
        QPointF(area.right() - dMarcasDerecha - Mm(1.5), area.bottom() - metricas.lineSpacing() - Mm(1)));
    const int nPasos = escalaImportes.nHasta - escalaImportes.nDesde;
    const auto altura = [&](const Escala &escala, double dValor) {
        return trama.bottom() - (dValor - escala.Minimo()) / (escala.Maximo() - escala.Minimo()) * trama.height();
    };

    // The marks of both scales on the lines across the plot.
    const double dMedioAlto = (metricas.ascent() - metricas.descent()) / 2;
    for (int k = escalaImportes.nDesde; k <= escalaImportes.nHasta; ++k) {
        const double yMarca = trama.bottom() - double(k - escalaImportes.nDesde) / nPasos * trama.height();
        painter.setPen(QPen(k == 0 ? QColor(0x40, 0x40, 0x40) : QColor(0xC8, 0xC8, 0xC8), Mm(k == 0 ? 0.25 : 0.15)));
        painter.drawLine(QPointF(trama.left(), yMarca), QPointF(trama.right(), yMarca));
        painter.setPen(Qt::black);
        const QString cImporte = marca(escalaImportes, k);
        painter.drawText(QPointF(trama.left() - Mm(1.5) - metricas.horizontalAdvance(cImporte), yMarca + dMedioAlto),
                         cImporte);
        painter.drawText(QPointF(trama.right() + Mm(1.5), yMarca + dMedioAlto), marca(escalaCantidades, k));
    }

    // A bar per month, its heading under it, and the quantities' line over them.
    const double dHueco = trama.width() / double(nMeses);
    const double yCero = altura(escalaImportes, 0);
    QPolygonF linea;
    for (qsizetype i = 0; i < nMeses; ++i) {
        const double xCentro = trama.left() + (double(i) + 0.5) * dHueco;
        const double dAnchoBarra = dHueco * 0.55;
        const double yImporte = altura(escalaImportes, importes[i]);
        painter.fillRect(QRectF(QPointF(xCentro - dAnchoBarra / 2, qMin(yCero, yImporte)),
                                QPointF(xCentro + dAnchoBarra / 2, qMax(yCero, yImporte))),
                         colorBarras);
        const QString &cMes = meses[i];
        painter.setPen(Qt::black);
        painter.drawText(
            QPointF(xCentro - metricas.horizontalAdvance(cMes) / 2, trama.bottom() + Mm(1) + metricas.ascent()), cMes);
        linea.append(QPointF(xCentro, altura(escalaCantidades, cantidades[i])));
    }
    painter.setPen(trazoCantidad);
    painter.drawPolyline(linea);
    for (const QPointF &punto : std::as_const(linea))
        painter.fillRect(QRectF(punto.x() - dLado / 2, punto.y() - dLado / 2, dLado, dLado), Qt::black);

    // The frame of the scales.
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), Mm(0.25)));
    painter.drawLine(trama.topLeft(), trama.bottomLeft());
    painter.drawLine(trama.topRight(), trama.bottomRight());
    painter.restore();
}
