#pragma once

#include <functional>

#include "SalidaImpresa.h"

class VentanaVistaPrevia;
class QWidget;

// The report control's screen and printer, with Qt's print support: the preview window
// (VentanaVistaPrevia, from which the person may also print and export) and the printers of
// this machine.
class ImpresoraYVistaPrevia : public SalidaImpresa
{
public:
    explicit ImpresoraYVistaPrevia(QWidget *pVentanaPadre = nullptr);

    // What a preview does with the ready window. By default it shows it and waits for the
    // person to close it; tests and the benchmark look at it and close it.
    void setPresentaVistaPrevia(std::function<void(VentanaVistaPrevia &)> presenta);

    bool ExisteImpresora(const QString &cNombre) const override;
    void MuestraVistaPrevia(const PintorReporte &pintor, const QString &cTitulo,
                            const AjustesImpresion &ajustes) override;
    void Imprime(const PintorReporte &pintor, const QString &cTitulo, const AjustesImpresion &ajustes) override;

private:
    QWidget *m_pVentanaPadre;
    std::function<void(VentanaVistaPrevia &)> m_presentaVistaPrevia;
};
