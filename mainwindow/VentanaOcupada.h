#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class QLabel;
class frmAvance;

// The main window while a report runs: the busy cursor, the step in its status line, its
// fields closed to input, and after a moment the progress window with "Cancelar". A window
// that the run brings up for the person (a question, an error box, the preview) gets the
// normal cursor; once the cancellable step is over, such a window also ends the progress
// window. Everything ends with the object, which gives the fields and the focus back.
class VentanaOcupada : public QObject
{
public:
    static constexpr int nMsAntesDelAvance = 1000; // a run shorter than this shows no progress window

    // campos: what takes no input during the run; cancela: what "Cancelar" does (it must not
    // throw: a failure is the caller's to show).
    VentanaOcupada(QWidget *pVentana, QLabel *plblEstado, const QList<QWidget *> &campos,
                   std::function<void()> cancela);
    ~VentanaOcupada() override;
    VentanaOcupada(const VentanaOcupada &) = delete;
    VentanaOcupada &operator=(const VentanaOcupada &) = delete;

    // bCancelable: the step may be stopped, and the progress window comes up only during such
    // a step. Another step is painted at once: the thread is about to stay away from the event
    // loop until it ends.
    void MuestraPaso(const QString &cPaso, bool bCancelable);
    // What "Cancelar" does, asked from elsewhere (the close question answered Yes); nothing once
    // the step may no longer be cancelled.
    void Cancela();

protected:
    bool eventFilter(QObject *pObjeto, QEvent *pEvento) override;

private:
    void MuestraAvance();
    void AjustaCursor();

    QLabel *m_plblEstado;
    QList<QPointer<QWidget>> m_campos;
    QPointer<QWidget> m_pFoco;
    std::unique_ptr<frmAvance> m_pAvance;
    QTimer m_espera;
    QList<QPointer<QWidget>> m_otrasVentanas; // modal windows of the run up now
    bool m_bCancelable = true;
    bool m_bAvanceDebido = false;    // the moment for the progress window has come
    bool m_bEsperaTerminada = false; // the run no longer keeps the person waiting
    bool m_bCursorOcupado = false;
};
