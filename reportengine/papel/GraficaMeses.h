#pragma once

#include <QFont>
#include <QList>
#include <QLocale>
#include <QRectF>
#include <QStringList>

class QPaintDevice;
class QPainter;

// The chart of the months that closes the report: each month's amount as a bar on the scale at
// the left, its quantity as a line with a point per month on the scale at the right, both
// scales sharing their zero and their marks, and the months' headings under the bars. Solid
// fills and plain strokes only, which every device draws alike (our PDF writer refuses
// gradients and transparency).
struct GraficaMeses
{
    QStringList meses; // the headings under the bars, one per month
    QList<double> cantidades;
    QList<double> importes;

    // Paints the chart in area, a title and a legend over it. Sizes are measured on dispositivo
    // (dPxPorMm of its pixels to the millimetre), whatever device the painter draws on, so that
    // a preview scaled to its zoom draws what the printer does; the texts are in letra.
    void Pinta(QPainter &painter, const QRectF &area, QPaintDevice &dispositivo, double dPxPorMm, const QFont &letra,
               const QLocale &locale) const;
};
