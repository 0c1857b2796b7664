#include "PapelDeLaVistaPrevia.h"

#include <QChildEvent>
#include <QComboBox>
#include <QPrintDialog>
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

PapelDeLaVistaPrevia::PapelDeLaVistaPrevia(QPrintDialog &dialogo, QPrinter &impresora)
    : m_pDialogo(&dialogo), m_disenoAlAbrir(impresora.pageLayout())
{
    dialogo.installEventFilter(this);
}

bool PapelDeLaVistaPrevia::eventFilter(QObject *pObjeto, QEvent *pEvento)
{
    // A new page setup (the first one, or one for another printer) is polished once, before
    // it first shows.
    if (pEvento->type() == QEvent::ChildPolished && pObjeto == m_pDialogo) {
        if (QComboBox *pPapeles = ListaDePapeles(static_cast<QChildEvent *>(pEvento)->child())) {
            const QPageSize papel = m_disenoAlAbrir.pageSize();
            for (int i = 0; i < pPapeles->count(); ++i) {
                if (pPapeles->itemData(i).value<QPageSize>().isEquivalentTo(papel)) {
                    pPapeles->setCurrentIndex(i);
                    break;
                }
            }
            m_pPapelesMostrados = pPapeles;
        }
    }
    return QObject::eventFilter(pObjeto, pEvento);
}

void PapelDeLaVistaPrevia::AntesDeImprimir(QPrinter &impresora) const
{
    if (!m_pDialogo)
        return;
    // The page setup that the accepted dialog applied; a new one if the person changed printer after seeing one.
    QComboBox *pPapeles = nullptr;
    for (QObject *pHijo : m_pDialogo->children()) {
        if ((pPapeles = ListaDePapeles(pHijo)))
            break;
    }
    if (!pPapeles || pPapeles != m_pPapelesMostrados)
        impresora.setPageLayout(m_disenoAlAbrir);
}
