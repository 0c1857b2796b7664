#pragma once

#include <QObject>
#include <QPageLayout>
#include <QPointer>

class QComboBox;
class QPrintDialog;
class QPrinter;

// Keeps the paper of the preview when the person prints from it. Qt's print dialog (Qt 6 on
// CUPS) builds its page setup when the person opens its properties or, if they never do,
// when they accept it; either way the page setup starts at the printer's own default paper,
// not at the paper the printer has, and accepting applies it: a report laid out on Letter
// would come out of an A4 printer as A4, with other page breaks than the preview showed.
//
// So this watches the print dialog that the preview opens (an event filter), from before it
// shows: the paper the printer has then is kept; when the page setup is shown, it starts at
// that paper, and what the person leaves there is applied; when it was never shown,
// AntesDeImprimir() puts that paper (and orientation and margins) back. It relies on two
// things of Qt's dialog that are not public: the page setup is a window under the print
// dialog, and its paper list is the combo box "pageSizeCombo". Without them the dialog
// behaves as Qt's own.
class PapelDeLaVistaPrevia : public QObject
{
public:
    // impresora is the dialog's printer, not yet shown.
    PapelDeLaVistaPrevia(QPrintDialog &dialogo, QPrinter &impresora);

    // Called when the print dialog has been accepted and the report is about to be painted on
    // impresora for printing.
    void AntesDeImprimir(QPrinter &impresora) const;

protected:
    bool eventFilter(QObject *pObjeto, QEvent *pEvento) override;

private:
    QPointer<QPrintDialog> m_pDialogo;
    QPageLayout m_disenoAlAbrir;             // the printer's when the print dialog opened
    QPointer<QComboBox> m_pPapelesMostrados; // the paper list of the page setup the person saw
};
