#pragma once

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>

#include <functional>
#include <memory>
#include <optional>

#include "../datos/ContenidoReporte.h"
#include "PaginacionReporte.h"

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;
class QRectF;

// Paints a report with QPainter on a paged device: a PDF writer, a printer, or the printer of
// the preview window. On every page: the header lines, the column headings and the footer
// with "Página N de M"; then the rows, a shaded band every other row, and the totals at the
// end, in the rows' letter (wide totals take more lines), and a chart of the months after
// them. Columns that do not fit on the paper make the whole table's letter smaller. No
// widgets here, so the tests and the batch mode paint without a window.
class PintorReporte
{
    struct Medidas;

public:
    // The report laid out on one page (its size and resolution): the letters, the columns'
    // widths and the rows of every page. It refers to the device it was laid out on, which
    // must outlive it with the same page and resolution. Copies share it.
    class Disposicion
    {
    public:
        int Paginas() const;
        // Page nPagina (1-based): its rows, and whether it has the totals.
        const PaginacionReporte::Pagina &Pagina(int nPagina) const;

    private:
        friend class PintorReporte;
        std::shared_ptr<const Medidas> m_pMedidas;
    };

    PintorReporte(const ContenidoReporte &contenido, const QLocale &locale);

    const ContenidoReporte &Contenido() const { return m_contenido; }

    // The report's paper (or papel when given), orientation and margins.
    QPageLayout DisenoDePagina(std::optional<QPageSize::PageSizeId> papel = std::nullopt) const;

    // Lays the report out for the device's page and paints its pages nDesde..nHasta (1-based,
    // inclusive; nHasta 0 or past the end: up to the last), nCopias times: the whole range
    // again for each copy when bIntercaladas, else each page nCopias times before the next (a
    // device that makes no copies of its own, such as a PDF file, gets them this way). Returns
    // the report's number of pages. Throws ErrorReporte: ValorNoValido when nDesde is past the
    // last page, SalidaNoEscrita when the device refuses to paint.
    int Pinta(QPagedPaintDevice &dispositivo, int nDesde = 1, int nHasta = 0, int nCopias = 1,
              bool bIntercaladas = true) const;

    // The report laid out for the device's page, once, for PintaPagina.
    Disposicion Dispone(QPaintDevice &dispositivo) const;
    // Page nPagina (1-based) of the layout, with a painter whose origin is the page's printable
    // corner, in the units of the layout's device (a painter on another device scales to them).
    // Throws ErrorReporte (ValorNoValido) for a page the layout does not have.
    void PintaPagina(QPainter &painter, const Disposicion &disposicion, int nPagina) const;

private:
    struct TextosMasAnchos;
    struct LugarDeTotal
    {
        int nLinea = 0;        // the line of paper in the totals row
        double dIzquierda = 0; // for a number: where it begins
        double dDerecha = 0;   // and where it ends
    };

    Medidas Mide(QPaintDevice &dispositivo) const;
    TextosMasAnchos TextosQueDebenCaber(bool bConTotales) const;
    double Ajusta(Medidas &medidas, const TextosMasAnchos &textos) const;
    void AnchosDeColumnas(Medidas &medidas) const;
    void ColocaTotales(Medidas &medidas) const;
    void PintaPagina(QPainter &painter, const Medidas &medidas, const PaginacionReporte::Pagina &pagina, int nPagina,
                     int nPaginas) const;
    double PintaLineasFijas(QPainter &painter, const Medidas &medidas, const QList<LineaContenido> &lineas, double y,
                            int nPagina, int nPaginas) const;
    void PintaGrafica(QPainter &painter, const Medidas &medidas, const QRectF &area) const;
    void PintaFila(QPainter &painter, const Medidas &medidas, double y,
                   const std::function<const ValorCelda &(int, int)> &celda, bool bTotales) const;
    QString Texto(const ValorCelda &valor, int nColumna, int nLinea) const;

    const ContenidoReporte &m_contenido;
    QLocale m_locale;
};
