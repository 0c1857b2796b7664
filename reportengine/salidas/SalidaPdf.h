#pragma once

#include <QString>

class PintorReporte;
class QPageLayout;

// The report as a PDF file: painted by PintorReporte, page after page, on our writer
// (EscritorPdf), which keeps no page once it is written, or by Qt's writer when the report's
// letter is one that ours cannot embed. The batch mode's file and the preview's export.
class SalidaPdf
{
public:
    // Pages nDesde..nHasta (as PintorReporte::Pinta) on diseno's paper, with the report's title.
    // Written atomically; throws ErrorReporte (SalidaNoEscrita with the file and the system's
    // reason, a full disk say; ValorNoValido for a range past the last page) and then leaves
    // cRuta as it was.
    static void Escribe(const PintorReporte &pintor, const QPageLayout &diseno, const QString &cRuta, int nDesde = 1,
                        int nHasta = 0);
};
