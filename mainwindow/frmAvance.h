#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The progress window of a long report run, over the main window: the step under way, a
// moving bar and "Cancelar", which it offers only while the run can still be stopped.
class frmAvance : public QDialog
{
    Q_OBJECT
public:
    explicit frmAvance(QWidget *pPadre);

    // bCancelable: "Cancelar" is offered; otherwise it is disabled and a line says why.
    void MuestraPaso(const QString &cPaso, bool bCancelable);
    // As a click on "Cancelar": once, and only while it is offered.
    void Cancela() { cmdCancelar_Click(); }

signals:
    // "Cancelar", Esc or the window's close button, once, while the step may be cancelled.
    void cancelar();

protected:
    void reject() override; // Esc and the close button: "Cancelar" when it is offered, else nothing

private:
    void cmdCancelar_Click();

    QLabel *m_plblPaso = nullptr;
    QLabel *m_plblNota = nullptr;
    QPushButton *m_pcmdCancelar = nullptr;
    bool m_bCancelado = false;
};
