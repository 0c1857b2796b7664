#include "VentanaOcupada.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLayout>

#include <utility>

#include "frmAvance.h"

VentanaOcupada::VentanaOcupada(QWidget *pVentana, QLabel *plblEstado, const QList<QWidget *> &campos,
                               std::function<void()> cancela)
    : m_plblEstado(plblEstado), m_pFoco(QApplication::focusWidget()), m_pAvance(std::make_unique<frmAvance>(pVentana))
{
    for (QWidget *pCampo : campos) {
        m_campos << pCampo;
        pCampo->setEnabled(false);
    }
    connect(m_pAvance.get(), &frmAvance::cancelar, this, std::move(cancela));
    m_espera.setSingleShot(true);
    m_espera.setInterval(nMsAntesDelAvance);
    connect(&m_espera, &QTimer::timeout, this, &VentanaOcupada::MuestraAvance);
    m_espera.start();
    qApp->installEventFilter(this);
    AjustaCursor();
}

VentanaOcupada::~VentanaOcupada()
{
    qApp->removeEventFilter(this);
    m_espera.stop();
    m_otrasVentanas.clear();
    m_bEsperaTerminada = true;
    m_pAvance->hide();
    m_plblEstado->clear();
    for (const QPointer<QWidget> &pCampo : std::as_const(m_campos)) {
        if (pCampo)
            pCampo->setEnabled(true);
    }
    if (m_pFoco && m_pFoco->isEnabled())
        m_pFoco->setFocus();
    AjustaCursor();
}

void VentanaOcupada::MuestraPaso(const QString &cPaso, bool bCancelable)
{
    m_bCancelable = bCancelable;
    m_plblEstado->setText(cPaso);
    m_pAvance->MuestraPaso(cPaso, bCancelable);
    if (bCancelable)
        return;
    // Past the server's work: a progress window not up by now would only come up over the
    // preview, and what is up must be painted now.
    m_espera.stop();
    m_plblEstado->repaint();
    if (m_pAvance->isVisible()) {
        m_pAvance->layout()->activate();
        m_pAvance->repaint();
    }
}

void VentanaOcupada::Cancela()
{
    m_pAvance->Cancela();
}

void VentanaOcupada::MuestraAvance()
{
    m_bAvanceDebido = true;
    if (m_bCancelable && m_otrasVentanas.isEmpty())
        m_pAvance->open();
}

bool VentanaOcupada::eventFilter(QObject *pObjeto, QEvent *pEvento)
{
    const QEvent::Type tipo = pEvento->type();
    if (tipo != QEvent::Show && tipo != QEvent::Hide)
        return false;
    auto *pOtra = qobject_cast<QWidget *>(pObjeto);
    if (!pOtra || !pOtra->isWindow() || !pOtra->isModal() || pOtra == m_pAvance.get())
        return false;
    m_otrasVentanas.removeAll(nullptr);
    if (tipo == QEvent::Show) {
        if (!m_otrasVentanas.contains(pOtra))
            m_otrasVentanas << pOtra;
        if (!m_bCancelable) {
            m_bEsperaTerminada = true;
            m_espera.stop();
            m_pAvance->hide();
            m_plblEstado->clear(); // the run now waits for the person, not the other way round
        }
    } else {
        m_otrasVentanas.removeAll(pOtra);
        // A question answered during the cancellable step (the close question, say): the run goes
        // on, and the progress window that was due meanwhile comes up now.
        if (m_bAvanceDebido && !m_bEsperaTerminada)
            MuestraAvance();
    }
    AjustaCursor();
    return false;
}

// Busy while the person waits for the run: not over a window of the run that asks for them,
// nor once such a window has come up after the cancellable step.
void VentanaOcupada::AjustaCursor()
{
    const bool bOcupado = m_otrasVentanas.isEmpty() && !m_bEsperaTerminada;
    if (bOcupado == m_bCursorOcupado)
        return;
    m_bCursorOcupado = bOcupado;
    if (bOcupado)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}
