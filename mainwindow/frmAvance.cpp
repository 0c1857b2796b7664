#include "frmAvance.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "FuenteVentanas.h"
#include "IconoPrograma.h"
#include "Twips.h"

frmAvance::frmAvance(QWidget *pPadre) : QDialog(pPadre)
{
    setObjectName(QStringLiteral("frmAvance"));
    setWindowTitle(QStringLiteral("Informe mensual"));
    setWindowIcon(IconoPrograma());
    setFont(FuenteVentanas());
    setWindowModality(Qt::WindowModal);

    m_plblPaso = new QLabel(this);
    m_plblPaso->setObjectName(QStringLiteral("lblPaso"));
    auto *pBarra = new QProgressBar(this);
    pBarra->setRange(0, 0); // no measure of how far the server has got: a bar that only moves
    pBarra->setTextVisible(false);
    m_plblNota = new QLabel(this);
    m_plblNota->setObjectName(QStringLiteral("lblNota"));
    m_plblNota->setWordWrap(true);
    // Room for either note: a step that is not cancellable is shown without an event loop to
    // lay the window out again.
    m_plblNota->setMinimumHeight(2 * m_plblNota->fontMetrics().lineSpacing());
    m_pcmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    m_pcmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    m_pcmdCancelar->setDefault(true);
    connect(m_pcmdCancelar, &QPushButton::clicked, this, &frmAvance::cmdCancelar_Click);

    auto *pBotones = new QHBoxLayout;
    pBotones->addStretch();
    pBotones->addWidget(m_pcmdCancelar);
    auto *pLugar = new QVBoxLayout(this);
    pLugar->addWidget(m_plblPaso);
    pLugar->addWidget(pBarra);
    pLugar->addWidget(m_plblNota);
    pLugar->addLayout(pBotones);
    setFixedWidth(Twips::APixeles(5400));
    MuestraPaso(QString(), true);
}

void frmAvance::MuestraPaso(const QString &cPaso, bool bCancelable)
{
    m_plblPaso->setText(cPaso);
    if (m_bCancelado)
        return; // the button keeps saying so
    m_pcmdCancelar->setEnabled(bCancelable);
    m_plblNota->setText(bCancelable
                            ? QStringLiteral("Cancelar detiene el cálculo en el servidor y no deja nada a medias.")
                            : QStringLiteral("Esta parte ya no se puede cancelar; termina en unos instantes."));
}

void frmAvance::cmdCancelar_Click()
{
    if (m_bCancelado || !m_pcmdCancelar->isEnabled())
        return;
    m_bCancelado = true;
    m_pcmdCancelar->setEnabled(false);
    m_pcmdCancelar->setText(QStringLiteral("Cancelando…"));
    emit cancelar();
}

void frmAvance::reject()
{
    cmdCancelar_Click();
}
