#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QList>
#include <QPaintEngine>
#include <QRawFont>
#include <QStringView>

#include <array>
#include <future>
#include <memory>

#include "ArchivoPdf.h"

class EscritorPdf;
class FuentePdf;

// The paint engine of EscritorPdf: it writes what QPainter draws as a plain PDF 1.4. Each text
// item goes to the page as one text-showing operator with the glyphs of an embedded subset of
// its letter (FuentePdf), the font and colour set only when they change; rects, lines and paths
// are filled and stroked in the brush's and the pen's colour. Coordinates are the device's
// (PdmDpiX units from the top left of the printable area, as QPdfWriter's) and go to the page in
// points.
//
// What it cannot draw faithfully (an image, a gradient, a pattern, transparency, a clip, a
// rotated text...) is not drawn at all: the first such thing is kept in Falla(), the rest of the
// document is skipped and end() fails. Qt calls the engine from code that lets no exception
// through, hence no ErrorReporte here.
class MotorPdf : public QPaintEngine
{
public:
    explicit MotorPdf(const EscritorPdf &escritor);
    ~MotorPdf() override;

    bool begin(QPaintDevice *pDispositivo) override;
    bool end() override;
    void updateState(const QPaintEngineState &estado) override;
    void drawRects(const QRectF *pRectangulos, int nRectangulos) override;
    void drawLines(const QLineF *pLineas, int nLineas) override;
    void drawPath(const QPainterPath &camino) override;
    void drawPolygon(const QPointF *pPuntos, int nPuntos, PolygonDrawMode modo) override;
    void drawTextItem(const QPointF &origen, const QTextItem &item) override;
    void drawPixmap(const QRectF &destino, const QPixmap &imagen, const QRectF &origen) override;
    void drawImage(const QRectF &destino, const QImage &imagen, const QRectF &origen,
                   Qt::ImageConversionFlags banderas) override;
    void drawTiledPixmap(const QRectF &destino, const QPixmap &imagen, const QPointF &origen) override;
    Type type() const override { return QPaintEngine::User; }

    // Write a text with its left end at origen on the baseline, in the painter's pen, without
    // QPainter, whose text layout is most of the time of a table of short texts. EscribeTexto
    // puts the glyphs where QPainter::drawText would: a text whose pairs of characters Qt lays
    // out as the character map and the advances say (no ligature, kerning or mark) takes the
    // map's glyphs, any other is laid out as Qt does. EscribeCaracteres takes one glyph of
    // fuente for each character as its character map gives it, at its advances, whatever Qt
    // would make of them (LetraDeTabla's glyph runs on Qt's PDF engine do the same).
    void EscribeTexto(const QFont &letra, const QPointF &origen, const QString &cTexto);
    void EscribeCaracteres(const QRawFont &fuente, const QPointF &origen, QStringView cTexto);

    // Closes the page and starts the next one (EscritorPdf::newPage).
    bool NuevaPagina();
    const QString &Falla() const { return m_cFalla; }
    // The first failure was a letter whose outlines cannot be embedded (CFF, OpenType): Qt's
    // writer can draw that document instead.
    bool LetraAjena() const { return m_bLetraAjena; }
    // Of every page written so far, before compression.
    qint64 BytesDeContenido() const { return m_nBytesDeContenido; }

private:
    struct Tamano;
    struct LetraDeItem;

    bool Falla(const QString &cQue);
    bool PuedePintar();
    bool PuedeEscribir();
    bool PreparaRelleno(bool &bRellena);
    bool PreparaTrazo(bool &bTraza);
    void FijaColor(const QColor &color, bool bTrazo);
    void AbreTexto();
    void CierraTexto();
    void CierraPagina();
    void Punto(const QPointF &punto);
    void EscribePaginaComprimida();
    void Pinta(bool bRellena, bool bTraza, bool bParImpar);
    Tamano *TamanoDe(const QRawFont &fuente);
    LetraDeItem &LetraDe(const QFont &letra);
    bool EsSimple(LetraDeItem &letra, QStringView cTexto);
    void Escribe(const QFont &letra, const QPointF &origen, const QString &cTexto, bool bDerechaAIzquierda);
    void EscribeDelMapa(const QRawFont &fuente, const QPointF &origen, QStringView cTexto);
    void EscribeGlifos(Tamano &tamano, const quint32 *pGlifos, const QPointF *pPosiciones, qsizetype nGlifos,
                       const char16_t *pCaracteres);

    const EscritorPdf &m_escritor;
    std::unique_ptr<ArchivoPdf> m_pArchivo;
    bool m_bUsado = false; // one document per writer
    QString m_cFalla;
    bool m_bLetraAjena = false;
    qint64 m_nBytesDeContenido = 0;

    // Device units to points: x * m_dEscala + m_dOrigenX, m_dOrigenY - y * m_dEscala.
    double m_dEscala = 1;
    double m_dOrigenX = 0;
    double m_dOrigenY = 0;
    QByteArray m_cCajaDeMedios;
    QPointF m_desplazamiento; // the painter's translation

    int m_nPaginas = 0;
    int m_nRecursos = 0;
    QList<int> m_paginas;
    QByteArray m_contenido;
    // The last closed page's content, compressed on another thread while the next one is
    // drawn, and written when that one closes (or the document ends); its buffer comes back
    // for the page after.
    struct PaginaComprimida
    {
        QByteArray flujo;
        QByteArray contenido;
    };
    std::future<PaginaComprimida> m_paginaComprimida;
    QByteArray m_contenidoLibre;

    // What the page's content has set so far; a new page starts from the PDF's defaults.
    QRgb m_rellenoActual = 0;
    QRgb m_trazoActual = 0;
    double m_dGrosorActual = 1;
    int m_nExtremoActual = 0;
    int m_nUnionActual = 0;
    bool m_bEnTexto = false;
    FuentePdf *m_pFuenteActual = nullptr;
    qint64 m_nCuerpoActual = 0; // the font's size in ten-thousandths of a point
    qint64 m_nLineaX = 0;       // the text line's start in thousandths of a point
    qint64 m_nLineaY = 0;

    std::vector<std::unique_ptr<FuentePdf>> m_fuentes;
    QHash<QString, FuentePdf *> m_porCara;
    std::vector<std::unique_ptr<Tamano>> m_tamanos;
    Tamano *m_pUltimoTamano = nullptr;
    QHash<QFont, std::shared_ptr<LetraDeItem>> m_porLetra;
};
