#include "HojasVistaPrevia.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <array>
#include <cmath>
#include <exception>

namespace {

constexpr int nMargen = 12;                    // around the sheets and between them, in pixels
constexpr qint64 nKbDeHojas = 64 * 1024;       // what the painted sheets may take, in KB
constexpr std::array<double, 12> aZoomsFijos = // the steps of "Acercar" and "Alejar"
    {0.1, 0.25, 1 / 3.0, 0.5, 2 / 3.0, 0.75, 1, 1.25, 1.5, 2, 3, 4};
const QColor colorMesa(0x80, 0x80, 0x80);

} // namespace

HojasVistaPrevia::HojasVistaPrevia(const PintorReporte &pintor, const PintorReporte::Disposicion &disposicion,
                                   const QPageLayout &diseno, int nResolucion, QWidget *pPadre)
    : QAbstractScrollArea(pPadre), m_pintor(pintor), m_disposicion(disposicion),
      m_hojaPuntos(diseno.fullRect(QPageLayout::Point)), m_origenPuntos(diseno.paintRect(QPageLayout::Point).topLeft()),
      m_nResolucion(nResolucion), m_hojas(nKbDeHojas)
{
    // Always there, so that fitting the width does not make it come and go.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

QSizeF HojasVistaPrevia::TamanoHoja() const
{
    const double dPixelesPorPunto = logicalDpiX() / 72.0 * m_dZoom;
    return QSizeF(qRound(m_hojaPuntos.width() * dPixelesPorPunto), qRound(m_hojaPuntos.height() * dPixelesPorPunto));
}

double HojasVistaPrevia::AlturaPorHoja() const
{
    return TamanoHoja().height() + nMargen;
}

QRectF HojasVistaPrevia::RectanguloDeHoja(int nPagina) const
{
    const QSizeF tamano = TamanoHoja();
    const double x = qMax<double>(nMargen, qFloor((viewport()->width() - tamano.width()) / 2));
    const double y = nMargen + (nPagina - 1) * AlturaPorHoja();
    return QRectF(QPointF(x - horizontalScrollBar()->value(), y - verticalScrollBar()->value()), tamano);
}

double HojasVistaPrevia::ZoomQueAjusta(Ajuste ajuste) const
{
    const double dPixelesPorPunto = logicalDpiX() / 72.0;
    const double dAncho = (viewport()->width() - 2.0 * nMargen) / (m_hojaPuntos.width() * dPixelesPorPunto);
    if (ajuste == Ajuste::Ancho)
        return dAncho;
    const double dAlto = (viewport()->height() - 2.0 * nMargen) / (m_hojaPuntos.height() * dPixelesPorPunto);
    return qMin(dAncho, dAlto);
}

void HojasVistaPrevia::ActualizaBarras()
{
    const QSizeF tamano = TamanoHoja();
    const double dAlto = nMargen + Paginas() * AlturaPorHoja();
    const double dAncho = tamano.width() + 2 * nMargen;
    QScrollBar *pVertical = verticalScrollBar();
    pVertical->setRange(0, qMax(0, qCeil(dAlto) - viewport()->height()));
    pVertical->setPageStep(viewport()->height());
    QScrollBar *pHorizontal = horizontalScrollBar();
    pHorizontal->setRange(0, qMax(0, qCeil(dAncho) - viewport()->width()));
    pHorizontal->setPageStep(viewport()->width());
}

void HojasVistaPrevia::CambiaZoom(double dZoom, Ajuste ajuste)
{
    m_ajuste = ajuste;
    dZoom = qBound(dZoomMinimo, dZoom, dZoomMaximo);
    if (qFuzzyCompare(dZoom, m_dZoom)) {
        ActualizaBarras();
        return;
    }
    // The same place of the report stays at the top of the window, and the same part of the
    // sheet's width in its middle.
    const double dArriba = verticalScrollBar()->value() / AlturaPorHoja();
    const double dCentro =
        (horizontalScrollBar()->value() + viewport()->width() / 2.0) / (TamanoHoja().width() + 2 * nMargen);
    m_dZoom = dZoom;
    ActualizaBarras();
    verticalScrollBar()->setValue(qRound(dArriba * AlturaPorHoja()));
    horizontalScrollBar()->setValue(qRound(dCentro * (TamanoHoja().width() + 2 * nMargen) - viewport()->width() / 2.0));
    viewport()->update();
    emit zoomCambiado(m_dZoom);
}

void HojasVistaPrevia::PonZoom(double dZoom)
{
    CambiaZoom(dZoom, Ajuste::Ninguno);
}

void HojasVistaPrevia::Ajusta(Ajuste ajuste)
{
    CambiaZoom(ajuste == Ajuste::Ninguno ? m_dZoom : ZoomQueAjusta(ajuste), ajuste);
}

void HojasVistaPrevia::Acerca()
{
    for (const double dZoom : aZoomsFijos) {
        if (dZoom > m_dZoom * 1.01) {
            PonZoom(dZoom);
            return;
        }
    }
    PonZoom(dZoomMaximo);
}

void HojasVistaPrevia::Aleja()
{
    for (auto it = aZoomsFijos.rbegin(); it != aZoomsFijos.rend(); ++it) {
        if (*it < m_dZoom * 0.99) {
            PonZoom(*it);
            return;
        }
    }
    PonZoom(dZoomMinimo);
}

void HojasVistaPrevia::IrAPagina(int nPagina)
{
    nPagina = qBound(1, nPagina, Paginas());
    verticalScrollBar()->setValue(qRound((nPagina - 1) * AlturaPorHoja()));
    // At the end of the report the last sheets may not reach the top: the one asked for is
    // the current one all the same.
    if (nPagina != m_nPaginaActual) {
        m_nPaginaActual = nPagina;
        emit paginaActualCambiada(nPagina);
    }
}

void HojasVistaPrevia::BuscaPaginaActual()
{
    const double dAlto = AlturaPorHoja();
    const double dArriba = verticalScrollBar()->value();
    const int nPrimera = qBound(1, int(std::floor((dArriba - nMargen) / dAlto)) + 1, Paginas());
    const int nUltima = qBound(1, int(std::floor((dArriba + viewport()->height()) / dAlto)) + 1, Paginas());
    int nMejor = nPrimera;
    double dMejor = -1;
    for (int nPagina = nPrimera; nPagina <= nUltima; ++nPagina) {
        const QRectF hoja = RectanguloDeHoja(nPagina);
        const double dVisible = qMin(hoja.bottom(), double(viewport()->height())) - qMax(hoja.top(), 0.0);
        if (dVisible > dMejor + 0.5) {
            dMejor = dVisible;
            nMejor = nPagina;
        }
    }
    if (nMejor != m_nPaginaActual) {
        m_nPaginaActual = nMejor;
        emit paginaActualCambiada(nMejor);
    }
}

void HojasVistaPrevia::resizeEvent(QResizeEvent *pEvento)
{
    QAbstractScrollArea::resizeEvent(pEvento);
    if (m_ajuste != Ajuste::Ninguno)
        CambiaZoom(ZoomQueAjusta(m_ajuste), m_ajuste);
    else
        ActualizaBarras();
    BuscaPaginaActual();
}

void HojasVistaPrevia::scrollContentsBy(int, int)
{
    viewport()->update();
    BuscaPaginaActual();
}

void HojasVistaPrevia::wheelEvent(QWheelEvent *pEvento)
{
    if (!(pEvento->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(pEvento);
        return;
    }
    if (pEvento->angleDelta().y() > 0)
        Acerca();
    else if (pEvento->angleDelta().y() < 0)
        Aleja();
    pEvento->accept();
}

QImage HojasVistaPrevia::PintaHoja(int nPagina)
{
    const qreal dEscala = devicePixelRatioF();
    const QSizeF tamano = TamanoHoja();
    QImage hoja((tamano * dEscala).toSize(), QImage::Format_ARGB32_Premultiplied);
    if (hoja.isNull())
        return hoja; // too big for the memory there is
    hoja.setDevicePixelRatio(dEscala);
    // The printer's resolution, so that the letters resolve as on paper.
    const int nPuntosPorMetro = qRound(m_nResolucion / 0.0254);
    hoja.setDotsPerMeterX(nPuntosPorMetro);
    hoja.setDotsPerMeterY(nPuntosPorMetro);
    hoja.fill(Qt::white);
    QPainter painter(&hoja);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const double dPuntosPorPixel = m_nResolucion / 72.0;
    painter.scale(tamano.width() / (m_hojaPuntos.width() * dPuntosPorPixel),
                  tamano.height() / (m_hojaPuntos.height() * dPuntosPorPixel));
    painter.translate(m_origenPuntos * dPuntosPorPixel);
    m_pintor.PintaPagina(painter, m_disposicion, nPagina);
    painter.end();
    emit paginaPintada(nPagina);
    return hoja;
}

void HojasVistaPrevia::paintEvent(QPaintEvent *pEvento)
{
    QPainter painter(viewport());
    painter.fillRect(pEvento->rect(), colorMesa);
    if (m_dZoomDeHojas != m_dZoom || m_dEscalaDeHojas != devicePixelRatioF()) {
        m_hojas.clear();
        m_dZoomDeHojas = m_dZoom;
        m_dEscalaDeHojas = devicePixelRatioF();
    }
    const double dAlto = AlturaPorHoja();
    const double dArriba = verticalScrollBar()->value() + pEvento->rect().top();
    const int nPrimera = qMax(1, int(std::floor((dArriba - nMargen) / dAlto)) + 1);
    const int nUltima = qMin(Paginas(), int(std::floor((dArriba + pEvento->rect().height()) / dAlto)) + 1);
    for (int nPagina = nPrimera; nPagina <= nUltima; ++nPagina) {
        const QRectF rectangulo = RectanguloDeHoja(nPagina);
        if (!rectangulo.intersects(pEvento->rect()))
            continue;
        painter.fillRect(rectangulo.translated(3, 3), QColor(0x50, 0x50, 0x50)); // its shadow
        if (const QImage *pHoja = m_hojas.object(nPagina)) {
            painter.drawImage(rectangulo.topLeft(), *pHoja);
            continue;
        }
        QString cFalla;
        QImage hoja;
        try {
            hoja = PintaHoja(nPagina);
            if (hoja.isNull())
                cFalla = QStringLiteral("No hay memoria para dibujar la página %1 con este zoom.").arg(nPagina);
        } catch (const std::exception &error) {
            // No exception may leave a paint event: the sheet says what went wrong instead.
            cFalla =
                QStringLiteral("No se pudo dibujar la página %1: %2").arg(nPagina).arg(QString::fromUtf8(error.what()));
            qWarning("%s", qPrintable(cFalla));
        }
        if (!cFalla.isEmpty()) {
            painter.fillRect(rectangulo, Qt::white);
            painter.setPen(Qt::red);
            painter.drawText(rectangulo.adjusted(nMargen, nMargen, -nMargen, -nMargen), Qt::TextWordWrap, cFalla);
            continue;
        }
        painter.drawImage(rectangulo.topLeft(), hoja);
        // A sheet bigger than the whole cache is not kept (QCache deletes it at once).
        const qint64 nKb = qMax<qint64>(1, hoja.sizeInBytes() / 1024);
        m_hojas.insert(nPagina, new QImage(std::move(hoja)), nKb);
    }
}
