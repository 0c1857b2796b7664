#pragma once

#include <QDialog>
#include <QPdfWriter>
#include <QPrinter>

#include <optional>

#include "ErrorReporte.h"
#include "PintorReporte.h"

class AjustesImpresion;
class QAction;
class HojasVistaPrevia;
class QLabel;
class QSpinBox;

// The preview window of a report: its sheets one under the other (HojasVistaPrevia), laid out
// once as the printer lays them out, and a toolbar to move through the pages, zoom, print
// ("Imprimir…", Ctrl+P) and export ("Exportar…", Ctrl+E: a PDF, CSV or workbook written by the
// same writers as the batch mode).
//
// A failure to print cannot leave Qt's event loop: it is kept (FallaAlImprimir) for who opened
// the window to throw once it is closed (printing closes it), as the report control's preview
// always did. A failure to export is shown at once, in the program's error box, and the
// window stays.
class VentanaVistaPrevia : public QDialog
{
    Q_OBJECT

public:
    // The printer of ajustes (the system's default one when they name none), with their copies,
    // sides and tray, on the report's paper (ajustes's when they name one).
    VentanaVistaPrevia(const PintorReporte &pintor, const QString &cTitulo, const AjustesImpresion &ajustes,
                       QWidget *pPadre = nullptr);
    ~VentanaVistaPrevia() override;

    HojasVistaPrevia &Hojas() const { return *m_pHojas; }
    const PintorReporte::Disposicion &Disposicion() const { return m_disposicion; }
    // The printer that "Imprimir…" sets up and prints on.
    QPrinter &Impresora() { return m_impresora; }
    const std::optional<ErrorReporte> &FallaAlImprimir() const { return m_fallaAlImprimir; }

    // The whole report, as the window shows it, into cRuta: a PDF on the preview's paper, a
    // CSV or a workbook, by cRuta's extension (.pdf, .csv, .xlsx in any case). Written
    // atomically; throws ErrorReporte (SalidaNoEscrita, and ValorNoValido for another extension).
    void Exporta(const QString &cRuta) const;

public slots:
    // The print dialog, then the printout of its pages and copies; then the window closes.
    void Imprime();
    // The file dialog, then the file; a failure in an error box.
    void ExportaConDialogo();

protected:
    // The window's shortcuts win over a control's own use of the same keys (the page box
    // takes Ctrl+E, Ctrl+Home and Ctrl+End as a text box's cursor moves).
    bool eventFilter(QObject *pObjeto, QEvent *pEvento) override;

signals:
    // A sheet was painted on screen at the current zoom (see HojasVistaPrevia).
    void paginaPintada(int nPagina);

private:
    void CreaBarra();
    void MuestraZoom(double dZoom);

    const PintorReporte &m_pintor;
    QPrinter m_impresora;
    QPdfWriter m_medida; // the printer's resolution and page, never painted on: the layout's device
    QPageLayout m_diseno;
    PintorReporte::Disposicion m_disposicion;
    HojasVistaPrevia *m_pHojas;
    QSpinBox *m_pPagina = nullptr;
    QLabel *m_pZoom = nullptr;
    QList<QAction *> m_acciones; // those with a shortcut
    std::optional<ErrorReporte> m_fallaAlImprimir;
    QString m_cCarpetaExportacion; // where the file dialog opens: the folder of the last export
};
