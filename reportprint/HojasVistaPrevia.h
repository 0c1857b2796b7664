#pragma once

#include <QAbstractScrollArea>
#include <QCache>
#include <QImage>
#include <QPageLayout>

#include "PintorReporte.h"

// The sheets of the preview window, one under the other on a grey desk, at a zoom. A sheet is
// painted only when some of it is on screen, and kept as an image in a cache bounded in bytes,
// so that neither the time to show the report nor the memory grows with its pages.
//
// A sheet is painted as the printer would paint it: into an image that has the resolution of
// the device the report was laid out on, with the painter scaled down to the zoom, so that
// letters given in points take the printer's size and the text breaks as on paper.
class HojasVistaPrevia : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // How the zoom follows the window: kept as set, or fitted to its width or to whole sheets.
    enum class Ajuste { Ninguno, Ancho, PaginaCompleta };

    // The sheets of disposicion on paper diseno, laid out at nResolucion dots per inch.
    HojasVistaPrevia(const PintorReporte &pintor, const PintorReporte::Disposicion &disposicion,
                     const QPageLayout &diseno, int nResolucion, QWidget *pPadre = nullptr);

    int Paginas() const { return m_disposicion.Paginas(); }
    // The sheet that takes most of the window (1-based).
    int PaginaActual() const { return m_nPaginaActual; }
    // 1 is the paper's own size on screen.
    double Zoom() const { return m_dZoom; }
    Ajuste AjusteDelZoom() const { return m_ajuste; }

    void IrAPagina(int nPagina);
    void PonZoom(double dZoom);
    void Ajusta(Ajuste ajuste);
    void Acerca();
    void Aleja();

    static constexpr double dZoomMinimo = 0.1;
    static constexpr double dZoomMaximo = 4.0;

signals:
    void paginaActualCambiada(int nPagina);
    void zoomCambiado(double dZoom);
    // A sheet was painted at the current zoom (not taken from the cache).
    void paginaPintada(int nPagina);

protected:
    void paintEvent(QPaintEvent *pEvento) override;
    void resizeEvent(QResizeEvent *pEvento) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *pEvento) override;

private:
    QSizeF TamanoHoja() const; // at the zoom, in the window's pixels
    double AlturaPorHoja() const;
    QRectF RectanguloDeHoja(int nPagina) const; // in the viewport's coordinates
    double ZoomQueAjusta(Ajuste ajuste) const;
    void ActualizaBarras();
    void CambiaZoom(double dZoom, Ajuste ajuste);
    void BuscaPaginaActual();
    QImage PintaHoja(int nPagina);

    const PintorReporte &m_pintor;
    PintorReporte::Disposicion m_disposicion;
    QRectF m_hojaPuntos;    // the whole sheet, in points
    QPointF m_origenPuntos; // the printable area's corner on it, in points
    int m_nResolucion;
    double m_dZoom = 1;
    Ajuste m_ajuste = Ajuste::Ancho;
    int m_nPaginaActual = 1;
    QCache<int, QImage> m_hojas; // by page, at the zoom and the screen's pixel ratio of m_dZoomDeHojas
    double m_dZoomDeHojas = 0;
    qreal m_dEscalaDeHojas = 0;
};
