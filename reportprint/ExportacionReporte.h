#pragma once

#include <QString>

class PintorReporte;
class QPageLayout;
class QWidget;

// The report on screen into a file of the person's choosing: a PDF on the preview's paper, a
// CSV or a workbook, each by the writer that the batch mode uses (SalidaPdf, SalidaCsv,
// SalidaXlsx), so that the preview's file is the batch mode's file.
namespace ExportacionReporte {

// By cRuta's extension (.pdf, .csv, .xlsx in any case); atomically. Throws ErrorReporte:
// SalidaNoEscrita, ValorNoValido for any other extension.
void Escribe(const PintorReporte &pintor, const QPageLayout &diseno, const QString &cRuta);

// The save dialog: PDF, CSV or workbook, in cCarpeta (set to the chosen file's folder), a name
// from cTitulo. A name whose extension is none of the three gets the chosen type's (the person
// is asked before that replaces a file). Empty when the person cancels.
QString PideRuta(QWidget *pPadre, const QString &cTitulo, QString &cCarpeta);

} // namespace ExportacionReporte
