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
                           QStringLiteral("La impresora \"%1\" no recibió el informe: %2.")
                               .arg(impresora.printerName(), MotivoDelServidor()));
}

QString TrabajoDeImpresion::MotivoDelServidor()
{
    // The print server speaks its own language (English, as a rule): the cause in Spanish, and
    // its words kept after it for whoever looks after the printer.
    QString cSuyo = QString::fromUtf8(cupsLastErrorString()).trimmed();
    while (cSuyo.endsWith(QLatin1Char('.')))
        cSuyo.chop(1);
    QString cMotivo;
    switch (cupsLastError()) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS: cMotivo = QStringLiteral("no acepta trabajos"); break;
    case IPP_STATUS_ERROR_NOT_FOUND: cMotivo = QStringLiteral("el servidor de impresión no la conoce"); break;
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
        cMotivo = QStringLiteral("este usuario no tiene permiso de imprimir en ella");
        break;
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_BUSY:
    case IPP_STATUS_ERROR_TEMPORARY:
        cMotivo = QStringLiteral("el servidor de impresión no está disponible ahora");
        break;
    case IPP_STATUS_ERROR_REQUEST_ENTITY: cMotivo = QStringLiteral("el trabajo es demasiado grande"); break;
    case IPP_STATUS_ERROR_INTERNAL: cMotivo = QStringLiteral("no se pudo hablar con el servidor de impresión"); break;
    default: cMotivo = QStringLiteral("el servidor de impresión rechazó el trabajo"); break;
    }
    return cSuyo.isEmpty() ? cMotivo : QStringLiteral("%1 (el servidor de impresión dice: «%2»)").arg(cMotivo, cSuyo);
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
