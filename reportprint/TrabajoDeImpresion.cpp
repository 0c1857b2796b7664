#include "TrabajoDeImpresion.h"

#include <QPrinter>

#include <cups/cups.h>

#include "AjustesImpresion.h"
#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "PintorReporte.h"

void TrabajoDeImpresion::ImprimeEn(QPrinter &impresora, const PintorReporte &pintor, int nDesde, int nHasta)
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

void TrabajoDeImpresion::AplicaAjustes(const AjustesImpresion &ajustes, QPrinter &impresora)
{
    impresora.setCopyCount(ajustes.Copias());
    switch (ajustes.ModoDobleCara()) {
    case AjustesImpresion::DobleCara::UnaCara: impresora.setDuplex(QPrinter::DuplexNone); break;
    case AjustesImpresion::DobleCara::LadoLargo: impresora.setDuplex(QPrinter::DuplexLongSide); break;
    case AjustesImpresion::DobleCara::LadoCorto: impresora.setDuplex(QPrinter::DuplexShortSide); break;
    case AjustesImpresion::DobleCara::DeLaImpresora: break;
    }
    if (const auto bandeja = ajustes.BandejaDePapel()) {
        switch (*bandeja) {
        case AjustesImpresion::Bandeja::Automatica: impresora.setPaperSource(QPrinter::Auto); break;
        case AjustesImpresion::Bandeja::Superior: impresora.setPaperSource(QPrinter::Upper); break;
        case AjustesImpresion::Bandeja::Inferior: impresora.setPaperSource(QPrinter::Lower); break;
        case AjustesImpresion::Bandeja::Manual: impresora.setPaperSource(QPrinter::Manual); break;
        }
    }
}
