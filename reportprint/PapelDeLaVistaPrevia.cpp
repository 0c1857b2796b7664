#include "PapelDeLaVistaPrevia.h"

#include <QChildEvent>
#include <QComboBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

// The paper list of Qt's page setup, when obj is that page setup's window.
QComboBox *ListaDePapeles(QObject *pObjeto)
{
    auto *pVentana = qobject_cast<QWidget *>(pObjeto);
    return pVentana && pVentana->isWindow() ? pVentana->findChild<QComboBox *>(QStringLiteral("pageSizeCombo"))
                                            : nullptr;
}

} // namespace

PapelDeLaVistaPrevia::PapelDeLaVistaPrevia(QPrintPreviewDialog &vista, QPrinter &impresora)
    : QObject(&vista), m_impresora(impresora)
{
    vista.installEventFilter(this);
}

bool PapelDeLaVistaPrevia::eventFilter(QObject *pObjeto, QEvent *pEvento)
{
    // The preview creates its print dialog the first time the person prints; a window is
    // polished once, before it first shows.
    if (pEvento->type() == QEvent::ChildPolished) {
        QObject *pHijo = static_cast<QChildEvent *>(pEvento)->child();
        if (auto *pDialogo = qobject_cast<QPrintDialog *>(pHijo); pDialogo && pDialogo != m_pDialogo) {
            m_pDialogo = pDialogo;
            pDialogo->installEventFilter(this);
            m_disenoAlAbrir = m_impresora.pageLayout();
        } else if (QComboBox *pPapeles = pObjeto == m_pDialogo ? ListaDePapeles(pHijo) : nullptr) {
            // A new page setup (the first one, or one for another printer), about to show.
            const QPageSize papel = m_disenoAlAbrir ? m_disenoAlAbrir->pageSize() : m_impresora.pageLayout().pageSize();
            for (int i = 0; i < pPapeles->count(); ++i) {
                if (pPapeles->itemData(i).value<QPageSize>().isEquivalentTo(papel)) {
                    pPapeles->setCurrentIndex(i);
                    break;
                }
            }
            m_pPapelesMostrados = pPapeles;
        }
    } else if (pEvento->type() == QEvent::Show && pObjeto == m_pDialogo) {
        m_disenoAlAbrir = m_impresora.pageLayout(); // the same dialog opens again on each print
    }
    return QObject::eventFilter(pObjeto, pEvento);
}

void PapelDeLaVistaPrevia::AntesDeImprimir(QPrinter &impresora) const
{
    if (!m_pDialogo || !m_disenoAlAbrir)
        return;
    // The page setup that the accepted dialog applied; a new one if the person changed printer after seeing one.
    QComboBox *pPapeles = nullptr;
    for (QObject *pHijo : m_pDialogo->children()) {
        if ((pPapeles = ListaDePapeles(pHijo)))
            break;
    }
    if (!pPapeles || pPapeles != m_pPapelesMostrados)
        impresora.setPageLayout(*m_disenoAlAbrir);
}
