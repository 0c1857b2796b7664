#pragma once

#include <QString>

class AjustesImpresion;
class PintorReporte;

// Where the report control sends a report for the screen (destination 0, a preview) or for a
// printer (destination 1). The program hands the control one (reportprint/ has the one with
// Qt's print support and its preview window), so that the engine itself draws and writes
// files without any widget.
class SalidaImpresa
{
public:
    virtual ~SalidaImpresa() = default;

    // Whether a printer of that name exists on this machine (the printer property is checked
    // as it is put).
    virtual bool ExisteImpresora(const QString &cNombre) const = 0;
    // Shows the report until the person closes it. Printing from it prints the pages and the
    // copies that the person asks for, on the report's paper unless they pick another one.
    // Throws ErrorReporte.
    virtual void MuestraVistaPrevia(const PintorReporte &pintor, const QString &cTitulo,
                                    const AjustesImpresion &ajustes) = 0;
    // Sends the report to the printer of the settings (the system's default one when they name
    // none), with their copies, pages, paper, sides and tray. Throws ErrorReporte, also when
    // the printer does not exist or its print server does not take the job.
    virtual void Imprime(const PintorReporte &pintor, const QString &cTitulo, const AjustesImpresion &ajustes) = 0;
};
