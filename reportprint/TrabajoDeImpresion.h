#pragma once

#include <QString>

class AjustesImpresion;
class PintorReporte;
class QPrinter;

// What printing a report takes besides painting it: the report control's printer settings on a
// QPrinter, and the printout of a page range with the print server's answer. The preview
// window and the printer destination share it.
namespace TrabajoDeImpresion {

// The settings that a printer takes besides the paper, which goes with the page layout.
void AplicaAjustes(const AjustesImpresion &ajustes, QPrinter &impresora);

// Paints pages nDesde..nHasta (PintorReporte::Pinta) on a printer set up for the job (printer,
// paper, copies), then makes sure the print server took the job. A printer that makes no copies
// of its own (a PDF file chosen in the print dialog) gets them painted; a CUPS printer makes
// them itself. Throws ErrorReporte: ImpresoraNoDisponible when the print server refused the job.
void ImprimeEn(QPrinter &impresora, const PintorReporte &pintor, int nDesde, int nHasta);

// Why the print server refused this thread's last request, in Spanish, with the server's own
// words after it: "no acepta trabajos (el servidor de impresión dice: «...»)".
QString MotivoDelServidor();

} // namespace TrabajoDeImpresion
