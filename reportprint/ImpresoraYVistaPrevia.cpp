#include "ImpresoraYVistaPrevia.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "AjustesImpresion.h"
#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "PintorReporte.h"
#include "TrabajoDeImpresion.h"
#include "VentanaVistaPrevia.h"

ImpresoraYVistaPrevia::ImpresoraYVistaPrevia(QWidget *pVentanaPadre)
    : m_pVentanaPadre(pVentanaPadre), m_presentaVistaPrevia([](VentanaVistaPrevia &ventana) { ventana.exec(); })
{
}

void ImpresoraYVistaPrevia::setPresentaVistaPrevia(std::function<void(VentanaVistaPrevia &)> presenta)
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
    VentanaVistaPrevia ventana(pintor, cTitulo, ajustes, m_pVentanaPadre);
    m_presentaVistaPrevia(ventana);
    // Kept by the window: no exception may cross Qt's event loop.
    if (ventana.FallaAlImprimir())
        throw *ventana.FallaAlImprimir();
}

void ImpresoraYVistaPrevia::Imprime(const PintorReporte &pintor, const QString &cTitulo,
                                    const AjustesImpresion &ajustes)
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
    TrabajoDeImpresion::AplicaAjustes(ajustes, impresora);
    TrabajoDeImpresion::ImprimeEn(impresora, pintor, ajustes.PrimeraPagina(), ajustes.UltimaPagina());
}
