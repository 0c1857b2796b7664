#pragma once

#include <QFontMetricsF>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <array>

class QPainter;
class QPaintDevice;

// One letter of the report's table, with the glyph and the advance of every ASCII character
// looked up once. Widths are then sums, and the ASCII texts of a row (numbers, codes,
// labels) go to the paper as one glyph run with positions set here: Qt would otherwise lay
// out and shape each cell on its own, which is most of the time of a long report. Texts with
// other characters (names with accents) go through Qt's drawText as usual, and so does
// everything on a device that would record glyph runs as outlines (the preview's pictures).
class LetraDeTabla
{
public:
    LetraDeTabla(const QFont &letra, QPaintDevice *pDispositivo);

    double Ancho(const QString &cTexto) const;
    // The text cut with "…" to fit in dAncho.
    QString Recorta(const QString &cTexto, double dAncho) const;

    // Whether ASCII texts may go into glyph runs; decided by the painter's device.
    void UsaCorridasDeGlifos(bool bUsa) { m_bCorridas = bUsa; }

    // Draws the text with its left end at x on the baseline y: into the glyph run when it
    // can, else at once through Qt (in the painter's letter).
    void Escribe(QPainter &painter, const QString &cTexto, double x, double y);
    // Puts the glyphs gathered since the last call on the paper.
    void Vacia(QPainter &painter);

    const QFontMetricsF &Metricas() const { return m_metricas; }

private:
    bool EsRapido(const QString &cTexto) const;

    QFontMetricsF m_metricas;
    QRawFont m_fuente;
    std::array<double, 128> m_avance; // -1: not in the letter, or not ASCII
    std::array<quint32, 128> m_glifo;
    QList<quint32> m_glifos;
    QList<QPointF> m_posiciones;
    bool m_bCorridas = true;
};
