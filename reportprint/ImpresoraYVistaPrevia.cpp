#include "ImpresoraYVistaPrevia.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <optional>

#include "AjustesImpresion.h"
#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "PintorReporte.h"

namespace {

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
    // Qt calls this from inside its event loop, which no exception may cross: a failure is
    // kept and thrown once the dialog is closed.
    std::optional<ErrorReporte> falla;
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, &dialogo, [&](QPrinter *pImpresora) {
        try {
            pintor.Pinta(*pImpresora);
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
    QPrinter impresora(QPrinter::HighResolution);
    if (!ajustes.Impresora().isEmpty())
        impresora.setPrinterName(ajustes.Impresora());
    if (!impresora.isValid())
        throw ErrorReporte(CodigoErrorRpt::ImpresoraNoDisponible,
                           QStringLiteral("No se puede usar la impresora \"%1\".").arg(impresora.printerName()));
    impresora.setPageLayout(pintor.DisenoDePagina(ajustes.Papel()));
    impresora.setDocName(cTitulo);
    AplicaAjustes(ajustes, impresora);
    pintor.Pinta(impresora, ajustes.PrimeraPagina(), ajustes.UltimaPagina());
}
