#include "VentanaVistaPrevia.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>

#include "AjustesImpresion.h"
#include "CodigosErrorReporte.h"
#include "ExportacionReporte.h"
#include "HojasVistaPrevia.h"
#include "PapelDeLaVistaPrevia.h"
#include "SalidaArchivo.h"
#include "TrabajoDeImpresion.h"

namespace {

// The wait cursor while the window prints or writes a file.
class CursorOcupado
{
public:
    CursorOcupado() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorOcupado() { QApplication::restoreOverrideCursor(); }
    CursorOcupado(const CursorOcupado &) = delete;
    CursorOcupado &operator=(const CursorOcupado &) = delete;
};

} // namespace

VentanaVistaPrevia::VentanaVistaPrevia(const PintorReporte &pintor, const QString &cTitulo,
                                       const AjustesImpresion &ajustes, QWidget *pPadre)
    : QDialog(pPadre), m_pintor(pintor), m_impresora(QPrinter::HighResolution), m_medida(QString())
{
    m_impresora.setPageLayout(pintor.DisenoDePagina(ajustes.Papel()));
    m_impresora.setDocName(cTitulo);
    TrabajoDeImpresion::AplicaAjustes(ajustes, m_impresora);
    if (!ajustes.Impresora().isEmpty())
        m_impresora.setPrinterName(ajustes.Impresora());

    // Laid out once, as printing on that printer lays it out: its resolution, its page (with
    // the margins it may have widened). Not on the printer itself, whose paper and resolution
    // the print dialog may change while the window shows this layout.
    m_medida.setResolution(m_impresora.resolution());
    m_medida.setPageLayout(m_impresora.pageLayout());
    m_diseno = m_medida.pageLayout();
    m_disposicion = pintor.Dispone(m_medida);

    setWindowTitle(cTitulo);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    m_pHojas = new HojasVistaPrevia(pintor, m_disposicion, m_diseno, m_medida.resolution(), this);
    auto *pDistribucion = new QVBoxLayout(this);
    pDistribucion->setContentsMargins(0, 0, 0, 0);
    pDistribucion->setSpacing(0);
    CreaBarra();
    pDistribucion->addWidget(m_pHojas, 1);
    connect(m_pHojas, &HojasVistaPrevia::paginaPintada, this, &VentanaVistaPrevia::paginaPintada);

    const QRect pantalla = (pPadre ? pPadre->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    resize(pantalla.size() * 0.85);
    for (QWidget *pControl : findChildren<QWidget *>())
        pControl->installEventFilter(this);
    m_pHojas->setFocus();
}

bool VentanaVistaPrevia::eventFilter(QObject *pObjeto, QEvent *pEvento)
{
    if (pEvento->type() == QEvent::ShortcutOverride) {
        // Left unaccepted, the key goes on to the shortcut instead of to the control.
        const auto *pTecla = static_cast<QKeyEvent *>(pEvento);
        const QKeySequence tecla(pTecla->keyCombination());
        for (const QAction *pAccion : std::as_const(m_acciones)) {
            if (pAccion->isEnabled() && pAccion->shortcuts().contains(tecla)) {
                pEvento->ignore();
                return true;
            }
        }
    }
    return QDialog::eventFilter(pObjeto, pEvento);
}

VentanaVistaPrevia::~VentanaVistaPrevia() = default;

void VentanaVistaPrevia::CreaBarra()
{
    auto *pBarra = new QToolBar(this);
    pBarra->setObjectName(QStringLiteral("barraVistaPrevia"));
    pBarra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout()->addWidget(pBarra);
    const auto accion = [&](const char *cNombre, const QString &cTexto, QStyle::StandardPixmap icono,
                            const QKeySequence &atajo, auto alActivar) {
        QAction *pAccion = pBarra->addAction(cTexto);
        pAccion->setObjectName(QLatin1String(cNombre));
        if (icono != QStyle::SP_CustomBase)
            pAccion->setIcon(style()->standardIcon(icono));
        if (!atajo.isEmpty()) {
            m_acciones.append(pAccion);
            pAccion->setShortcut(atajo);
            pAccion->setToolTip(QStringLiteral("%1 (%2)").arg(cTexto, atajo.toString(QKeySequence::NativeText)));
        }
        connect(pAccion, &QAction::triggered, this, alActivar);
        return pAccion;
    };
    constexpr auto sinIcono = QStyle::SP_CustomBase;

    QAction *pPrimera = accion("accionPrimeraPagina", QStringLiteral("Primera página"), QStyle::SP_MediaSkipBackward,
                               QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { m_pHojas->IrAPagina(1); });
    QAction *pAnterior = accion("accionPaginaAnterior", QStringLiteral("Página anterior"), QStyle::SP_MediaSeekBackward,
                                QKeySequence(), [this] { m_pHojas->IrAPagina(m_pHojas->PaginaActual() - 1); });
    m_pPagina = new QSpinBox(pBarra);
    m_pPagina->setObjectName(QStringLiteral("paginaActual"));
    m_pPagina->setRange(1, m_pHojas->Paginas());
    m_pPagina->setKeyboardTracking(false);
    m_pPagina->setAlignment(Qt::AlignRight);
    m_pPagina->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_pPagina->setToolTip(QStringLiteral("Página que se muestra; escriba otra para ir a ella"));
    pBarra->addWidget(m_pPagina);
    auto *pDe = new QLabel(QStringLiteral(" de %1 ").arg(m_pHojas->Paginas()), pBarra);
    pDe->setObjectName(QStringLiteral("totalDePaginas"));
    pBarra->addWidget(pDe);
    QAction *pSiguiente =
        accion("accionPaginaSiguiente", QStringLiteral("Página siguiente"), QStyle::SP_MediaSeekForward, QKeySequence(),
               [this] { m_pHojas->IrAPagina(m_pHojas->PaginaActual() + 1); });
    QAction *pUltima =
        accion("accionUltimaPagina", QStringLiteral("Última página"), QStyle::SP_MediaSkipForward,
               QKeySequence(Qt::CTRL | Qt::Key_End), [this] { m_pHojas->IrAPagina(m_pHojas->Paginas()); });
    pBarra->addSeparator();

    accion("accionAlejar", QStringLiteral("Alejar"), sinIcono, QKeySequence::ZoomOut, [this] { m_pHojas->Aleja(); });
    m_pZoom = new QLabel(pBarra);
    m_pZoom->setObjectName(QStringLiteral("zoom"));
    m_pZoom->setMinimumWidth(m_pZoom->fontMetrics().horizontalAdvance(QStringLiteral(" 400 % ")));
    m_pZoom->setAlignment(Qt::AlignCenter);
    pBarra->addWidget(m_pZoom);
    accion("accionAcercar", QStringLiteral("Acercar"), sinIcono, QKeySequence::ZoomIn, [this] { m_pHojas->Acerca(); });
    QAction *pAncho = accion("accionAjustarAncho", QStringLiteral("Ajustar al ancho"), sinIcono, QKeySequence(),
                             [this] { m_pHojas->Ajusta(HojasVistaPrevia::Ajuste::Ancho); });
    QAction *pCompleta = accion("accionPaginaCompleta", QStringLiteral("Página completa"), sinIcono, QKeySequence(),
                                [this] { m_pHojas->Ajusta(HojasVistaPrevia::Ajuste::PaginaCompleta); });
    pAncho->setCheckable(true);
    pCompleta->setCheckable(true);
    pBarra->addSeparator();
    // The arrows say enough (their names are in their tooltips), and leave room for the rest.
    for (QAction *pFlecha : {pPrimera, pAnterior, pSiguiente, pUltima}) {
        if (auto *pBoton = qobject_cast<QToolButton *>(pBarra->widgetForAction(pFlecha)))
            pBoton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }

    accion("accionImprimir", QStringLiteral("Imprimir…"), sinIcono, QKeySequence::Print, [this] { Imprime(); });
    accion("accionExportar", QStringLiteral("Exportar…"), QStyle::SP_DialogSaveButton,
           QKeySequence(Qt::CTRL | Qt::Key_E), [this] { ExportaConDialogo(); });
    accion("accionCerrar", QStringLiteral("Cerrar"), QStyle::SP_DialogCloseButton, QKeySequence(), [this] { close(); });

    const auto alCambiarPagina = [=, this](int nPagina) {
        const QSignalBlocker sinAviso(m_pPagina);
        m_pPagina->setValue(nPagina);
        pPrimera->setEnabled(nPagina > 1);
        pAnterior->setEnabled(nPagina > 1);
        pSiguiente->setEnabled(nPagina < m_pHojas->Paginas());
        pUltima->setEnabled(nPagina < m_pHojas->Paginas());
    };
    connect(m_pHojas, &HojasVistaPrevia::paginaActualCambiada, this, alCambiarPagina);
    connect(m_pPagina, &QSpinBox::valueChanged, m_pHojas, &HojasVistaPrevia::IrAPagina);
    alCambiarPagina(m_pHojas->PaginaActual());
    connect(m_pHojas, &HojasVistaPrevia::zoomCambiado, this, [=, this](double dZoom) {
        MuestraZoom(dZoom);
        pAncho->setChecked(m_pHojas->AjusteDelZoom() == HojasVistaPrevia::Ajuste::Ancho);
        pCompleta->setChecked(m_pHojas->AjusteDelZoom() == HojasVistaPrevia::Ajuste::PaginaCompleta);
    });
    pAncho->setChecked(true);
    MuestraZoom(m_pHojas->Zoom());
}

void VentanaVistaPrevia::MuestraZoom(double dZoom)
{
    m_pZoom->setText(QStringLiteral("%1 %").arg(qRound(dZoom * 100)));
}

void VentanaVistaPrevia::Imprime()
{
    QPrintDialog dialogo(&m_impresora, this);
    dialogo.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                       QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies |
                       QAbstractPrintDialog::PrintCurrentPage);
    dialogo.setMinMax(1, m_pHojas->Paginas());
    const PapelDeLaVistaPrevia papel(dialogo, m_impresora);
    if (dialogo.exec() != QDialog::Accepted)
        return;
    int nDesde = 1;
    int nHasta = 0;
    if (m_impresora.printRange() == QPrinter::PageRange) {
        nDesde = m_impresora.fromPage();
        nHasta = m_impresora.toPage();
    } else if (m_impresora.printRange() == QPrinter::CurrentPage) {
        nDesde = nHasta = m_pHojas->PaginaActual();
    }
    papel.AntesDeImprimir(m_impresora);
    {
        const CursorOcupado ocupado;
        try {
            TrabajoDeImpresion::ImprimeEn(m_impresora, m_pintor, nDesde, nHasta);
        } catch (const ErrorReporte &error) {
            m_fallaAlImprimir = error;
        } catch (const std::exception &error) { // out of memory, say: no exception may cross the event loop
            m_fallaAlImprimir = ErrorReporte(
                CodigoErrorRpt::SalidaNoEscrita,
                QStringLiteral("No se pudo imprimir el reporte: %1.").arg(QString::fromLocal8Bit(error.what())));
        }
    }
    // Printed, the preview has done its work and closes, and a failure reaches the person
    // through who opened it.
    accept();
}

void VentanaVistaPrevia::Exporta(const QString &cRuta) const
{
    const CursorOcupado ocupado;
    SalidaArchivo::Escribe(m_pintor, m_diseno, cRuta);
}

void VentanaVistaPrevia::ExportaConDialogo()
{
    if (m_cCarpetaExportacion.isEmpty())
        m_cCarpetaExportacion = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString cRuta = ExportacionReporte::PideRuta(this, windowTitle(), m_cCarpetaExportacion);
    if (cRuta.isEmpty())
        return;
    std::optional<ErrorReporte> falla;
    try {
        Exporta(cRuta);
    } catch (const ErrorReporte &error) {
        falla = error;
    } catch (const std::exception &error) { // out of memory, say: the file is not there, the window stays
        falla = ErrorReporte(
            CodigoErrorRpt::SalidaNoEscrita,
            QStringLiteral("No se pudo escribir el archivo %1: %2.").arg(cRuta, QString::fromLocal8Bit(error.what())));
    }
    if (falla) {
        QMessageBox caja(QMessageBox::Critical, QStringLiteral("Error"),
                         QStringLiteral("Error no. %1: %2").arg(falla->Numero()).arg(falla->Descripcion()),
                         QMessageBox::Ok, this);
        caja.exec();
    }
}
