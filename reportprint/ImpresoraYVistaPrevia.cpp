#include "ImpresoraYVistaPrevia.h"

#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

#include <optional>

#include "AjustesImpresion.h"
#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "PapelDeLaVistaPrevia.h"
#include "PintorReporte.h"

namespace {

// Paints pages nDesde..nHasta on a printer set up for the job (printer, paper, copies), then
// makes sure the print server took the job. A printer that makes no copies of its own (a
// PDF file chosen in the print dialog) gets them painted; a CUPS printer makes them itself.
void ImprimeEn(QPrinter &impresora, const PintorReporte &pintor, int nDesde, int nHasta)
{
    const int nCopias = impresora.supportsMultipleCopies() ? 1 : impresora.copyCount();
    pintor.Pinta(impresora, nDesde, nHasta, nCopias, impresora.collateCopies());
    if (impresora.outputFormat() != QPrinter::NativeFormat)
        return;
    // Qt hands the finished job to CUPS when the painting ends and drops its answer (a queue
    // that refuses jobs, a server that went away); the answer is still this thread's last one.
    if (cupsLastError() > IPP_STATUS_OK_CONFLICTING)
        throw ErrorReporte(CodigoErrorRpt::ImpresoraNoDisponible,
                           QStringLiteral("La impresora \"%1\" no recibió el reporte: %2.")
                               .arg(impresora.printerName(), QString::fromUtf8(cupsLastErrorString())));
}

// The settings that a printer takes besides the paper, which goes with the page layout.
void AplicaAjustes(const AjustesImpresion &ajustes, QPrinter &impresora)
{
    impresora.setCopyCount(ajustes.Copias());
    switch (ajustes.ModoDobleCara()) {
    case AjustesImpresion::DobleCara::UnaCara:
        impresora.setDuplex(QPrinter::DuplexNone);
        break;
    case AjustesImpresion::DobleCara::LadoLargo:
        impresora.setDuplex(QPrinter::DuplexLongSide);
        break;
    case AjustesImpresion::DobleCara::LadoCorto:
        impresora.setDuplex(QPrinter::DuplexShortSide);
        break;
    case AjustesImpresion::DobleCara::DeLaImpresora:
        break;
    }
    if (const auto bandeja = ajustes.BandejaDePapel()) {
        switch (*bandeja) {
        case AjustesImpresion::Bandeja::Automatica:
            impresora.setPaperSource(QPrinter::Auto);
            break;
        case AjustesImpresion::Bandeja::Superior:
            impresora.setPaperSource(QPrinter::Upper);
            break;
        case AjustesImpresion::Bandeja::Inferior:
            impresora.setPaperSource(QPrinter::Lower);
            break;
        case AjustesImpresion::Bandeja::Manual:
            impresora.setPaperSource(QPrinter::Manual);
            break;
        }
    }
}

} // namespace

ImpresoraYVistaPrevia::ImpresoraYVistaPrevia(QWidget *pVentanaPadre)
    : m_pVentanaPadre(pVentanaPadre), m_presentaVistaPrevia([](QPrintPreviewDialog &dialogo) { dialogo.exec(); })
{
}

void ImpresoraYVistaPrevia::setPresentaVistaPrevia(std::function<void(QPrintPreviewDialog &)> presenta)
{
    m_presentaVistaPrevia = std::move(presenta);
}

bool ImpresoraYVistaPrevia::ExisteImpresora(const QString &cNombre) const
{
    return QPrinterInfo::availablePrinterNames().contains(cNombre);
}

void ImpresoraYVistaPrevia::MuestraVistaPrevia(const PintorReporte &pintor, const QString &cTitulo,
                                              const AjustesImpresion &ajustes)
{
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setPageLayout(pintor.DisenoDePagina(ajustes.Papel()));
    impresora.setDocName(cTitulo);
    AplicaAjustes(ajustes, impresora);
    if (!ajustes.Impresora().isEmpty())
        impresora.setPrinterName(ajustes.Impresora());

    QPrintPreviewDialog dialogo(&impresora, m_pVentanaPadre);
    dialogo.setWindowTitle(cTitulo);
    const PapelDeLaVistaPrevia papel(dialogo, impresora);
    // Qt calls this from inside its event loop, which no exception may cross: a failure is
    // kept and thrown once the dialog is closed. The same signal asks for the pages of the
    // preview (every page, painted into pictures) and, once the person has accepted the print
    // dialog, for the printout with that dialog's pages and copies.
    std::optional<ErrorReporte> falla;
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, &dialogo, [&](QPrinter *pImpresora) {
        try {
            if (pImpresora->paintEngine()->type() == QPaintEngine::Picture) {
                pintor.Pinta(*pImpresora);
                return;
            }
            int nDesde = 1;
            int nHasta = 0;
            if (pImpresora->printRange() == QPrinter::PageRange) {
                nDesde = pImpresora->fromPage();
                nHasta = pImpresora->toPage();
            } else if (pImpresora->printRange() == QPrinter::CurrentPage) {
                if (const auto *pHojas = dialogo.findChild<QPrintPreviewWidget *>())
                    nDesde = nHasta = pHojas->currentPage();
            }
            if (pImpresora == &impresora)
                papel.AntesDeImprimir(impresora);
            ImprimeEn(*pImpresora, pintor, nDesde, nHasta);
        } catch (const ErrorReporte &error) {
            falla = error;
        }
    });
    m_presentaVistaPrevia(dialogo);
    if (falla)
        throw *falla;
}

void ImpresoraYVistaPrevia::Imprime(const PintorReporte &pintor, const QString &cTitulo, const AjustesImpresion &ajustes)
{
    if (ajustes.Impresora().isEmpty() && QPrinterInfo::defaultPrinter().isNull())
        throw ErrorReporte(CodigoErrorRpt::ImpresoraNoDisponible,
                           QStringLiteral("Este equipo no tiene impresora predeterminada."));
    // QPrinter would take an unknown name for a PDF file without a name.
    if (!ajustes.Impresora().isEmpty() && !ExisteImpresora(ajustes.Impresora()))
        throw ErrorReporte(CodigoErrorRpt::ImpresoraNoDisponible,
                           QStringLiteral("La impresora \"%1\" no existe en este equipo.").arg(ajustes.Impresora()));
    QPrinter impresora(QPrinter::HighResolution);
    if (!ajustes.Impresora().isEmpty())
        impresora.setPrinterName(ajustes.Impresora());
    if (!impresora.isValid())
        throw ErrorReporte(CodigoErrorRpt::ImpresoraNoDisponible,
                           QStringLiteral("No se puede usar la impresora \"%1\".").arg(impresora.printerName()));
    impresora.setPageLayout(pintor.DisenoDePagina(ajustes.Papel()));
    impresora.setDocName(cTitulo);
    AplicaAjustes(ajustes, impresora);
    ImprimeEn(impresora, pintor, ajustes.PrimeraPagina(), ajustes.UltimaPagina());
}
