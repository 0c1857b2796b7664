#pragma once

#include <QString>

class PintorReporte;
class QPageLayout;

// The report as a file of the kind its name ends in, .pdf, .csv or .xlsx in any letter case,
// each by its writer (SalidaPdf, SalidaCsv, SalidaXlsx): the batch mode's file and the
// preview's export are the same file.
namespace SalidaArchivo {

bool EsDeUnTipoConocido(const QString &cRuta);

// A PDF's pages nDesde..nHasta on diseno's paper (as SalidaPdf); a CSV or a workbook whole.
// Atomically; throws ErrorReporte: SalidaNoEscrita, and ValorNoValido for another ending.
void Escribe(const PintorReporte &pintor, const QPageLayout &diseno, const QString &cRuta, int nDesde = 1,
             int nHasta = 0);

} // namespace SalidaArchivo
