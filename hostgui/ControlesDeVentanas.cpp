#include "ControlesDeVentanas.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "HostContext.h"

namespace {

void MueveFoco(bool bAdelante)
{
    QWidget *pActual = QApplication::focusWidget();
    if (!pActual)
        return;
    QWidget *pSiguiente = pActual;
    do {
        pSiguiente = bAdelante ? pSiguiente->nextInFocusChain() : pSiguiente->previousInFocusChain();
        if (pSiguiente->window() == pActual->window() && pSiguiente->isEnabled() &&
            pSiguiente->isVisibleTo(pActual->window()) && (pSiguiente->focusPolicy() & Qt::TabFocus) &&
            !pSiguiente->focusProxy()) {
            pSiguiente->setFocus(bAdelante ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    } while (pSiguiente != pActual);
}

void Resalta(QObject *pControl)
{
    QLineEdit *pCaja = qobject_cast<QLineEdit *>(pControl);
    if (!pCaja) {
        if (auto *pCombo = qobject_cast<QComboBox *>(pControl))
            pCaja = pCombo->lineEdit();
    }
    if (!pCaja)
        return;
    pCaja->selectAll();
    // A click that gave the focus would clear the selection again: select once more after it.
    QPointer<QLineEdit> pGuardado(pCaja);
    QTimer::singleShot(0, pCaja, [pGuardado] {
        if (pGuardado && pGuardado->hasFocus())
            pGuardado->selectAll();
    });
}

} // namespace

void PreparaParaVentanas(HostContext &contexto)
{
    contexto.mueveFoco = MueveFoco;
    contexto.resalta = Resalta;
}
