#pragma once

#include <QString>

class QWidget;

// The report on screen into a file of the person's choosing: a PDF on the preview's paper, a
// CSV or a workbook, written by SalidaArchivo as the batch mode writes it.
namespace ExportacionReporte {

// The save dialog: PDF, CSV or workbook, in cCarpeta (set to the chosen file's folder), a name
// from cTitulo. A name whose extension is none of the three gets the chosen type's (the person
// is asked before that replaces a file). Empty when the person cancels.
QString PideRuta(QWidget *pPadre, const QString &cTitulo, QString &cCarpeta);

} // namespace ExportacionReporte
