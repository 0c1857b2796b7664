#pragma once

#include <QFontMetricsF>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <array>

class MotorPdf;
class QPainter;
class QPaintDevice;

// One letter of the report's table, with the glyph and the advance of every ASCII character
// looked up once. Widths are then sums, and the ASCII texts of a row (numbers, codes, labels)
// skip Qt's text layout, which would otherwise lay out and shape each cell on its own, most of
// the time of a long report: Qt's PDF engine (a printer) takes the row's as one glyph run with
// positions set here. Texts with other characters (names with accents) go through Qt's drawText
// as usual, and so does everything on a device that would record glyph runs as outlines (the
// preview's pictures). Our PDF writer (MotorPdf) takes every text straight, the ASCII ones with
// the same glyphs and positions as the glyph run.
class LetraDeTabla
{
public:
    LetraDeTabla(const QFont &letra, QPaintDevice *pDispositivo);

    double Ancho(const QString &cTexto) const;
    // The text cut with "…" to fit in dAncho.
    QString Recorta(const QString &cTexto, double dAncho) const;
    // How many characters of the text its leading whole words take (with the blanks after
    // them) that fit in dAncho, leaving at least one word over; 0 when not even the first fits.
    qsizetype PalabrasQueCaben(const QString &cTexto, double dAncho) const;

    // How ASCII texts go to paper, by the painter's engine (see the class).
    void EligeManera(QPainter &painter);

    // Draws the text with its left end at x on the baseline y: straight to our PDF writer or
    // into the glyph run when it can, else at once through Qt (in the painter's letter).
    void Escribe(QPainter &painter, const QString &cTexto, double x, double y);
    // Puts the glyphs gathered since the last call on the paper.
    void Vacia(QPainter &painter);

    const QFontMetricsF &Metricas() const { return m_metricas; }

private:
    bool EsRapido(const QString &cTexto) const;

    QFont m_letra;
    QFontMetricsF m_metricas;
    QRawFont m_fuente;
    std::array<double, 128> m_avance; // -1: not in the letter, or not ASCII
    std::array<quint32, 128> m_glifo;
    QList<quint32> m_glifos;
    QList<QPointF> m_posiciones;
    bool m_bCorridas = false;
    MotorPdf *m_pPdf = nullptr;
};
