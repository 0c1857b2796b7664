#include "frmDescripcion.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QTextEdit>

#include "DeArchivos.h"
#include "FuenteVentanas.h"
#include "HostError.h"
#include "Mensajes.h"
#include "Modulo.h"
#include "TextoDescripcion.h"
#include "Twips.h"

frmDescripcion::frmDescripcion(libNucleo &nucleo, DeArchivos &archivos, Mensajes &mensajes, const QString &cArchivoIni,
                               QWidget *pPadre)
    : QMainWindow(pPadre), m_nucleo(nucleo), m_archivos(archivos), m_mensajes(mensajes), m_cArchivoIni(cArchivoIni)
{
    setObjectName(QStringLiteral("frmDescripcion"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Descripción del programa"));
    setFont(FuenteVentanas());

    QMenu *pmnUno = menuBar()->addMenu(QStringLiteral("Uno"));
    m_pmnDescrip = pmnUno->addAction(QStringLiteral("Descripción del programa"));
    m_pmnEditINI = pmnUno->addAction(QStringLiteral("Editar archivo INI de configuración"));
    connect(m_pmnDescrip, &QAction::triggered, this, [this] {
        show();
        raise();
        activateWindow();
    });
    connect(m_pmnEditINI, &QAction::triggered, this, [this] {
        try {
            mnEditINI_Click();
        } catch (const HostError &error) {
            MuestraError(m_mensajes, error);
        }
    });

    auto *pCentro = new QWidget(this);
    setCentralWidget(pCentro);
    m_prtbTexto = new QTextEdit(pCentro);
    m_prtbTexto->setObjectName(QStringLiteral("rtbTexto"));
    m_prtbTexto->setGeometry(Twips::Rectangulo(0, 0, 9135, 6255));
    m_prtbTexto->setFont(FuenteVentanas());
    m_prtbTexto->setLineWrapMode(QTextEdit::WidgetWidth); // lines wrap: no sideways scrolling
    m_prtbTexto->setHtml(TextoDescripcion(m_cArchivoIni, QCoreApplication::applicationDirPath()));
    m_prtbTexto->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_prtbTexto->addActions({m_pmnDescrip, m_pmnEditINI});
    resize(Twips::APixeles(9180), Twips::APixeles(6330) + menuBar()->sizeHint().height());

    bool bConTamano = true;
    Modulo::CargaVentana(*this, bConTamano, m_nucleo, m_cArchivoIni);
}

void frmDescripcion::resizeEvent(QResizeEvent *pEvento)
{
    QMainWindow::resizeEvent(pEvento);
    Form_Resize();
}

// A window smaller than the margins gives the box no size rather than a negative one.
QSize frmDescripcion::TamanoDelTexto(const QSize &exterior, const QSize &margenes)
{
    return QSize(std::max(0, exterior.width() - margenes.width()), std::max(0, exterior.height() - margenes.height()));
}

void frmDescripcion::Form_Resize()
{
    // In pixels, as the window measures its frame and menu: twips would round a strip off.
    const QSize exterior = frameGeometry().size();
    m_prtbTexto->resize(TamanoDelTexto(exterior, exterior - centralWidget()->size()));
}

void frmDescripcion::mnEditINI_Click()
{
    m_archivos.AbreDocumento(m_cArchivoIni, 0, 1);
}

void frmDescripcion::closeEvent(QCloseEvent *pEvento)
{
    bool bConTamano = true;
    try {
        Modulo::GuardaVentana(*this, bConTamano, m_nucleo, m_cArchivoIni);
    } catch (const HostError &error) {
        MuestraError(m_mensajes, error);
    }
    pEvento->accept();
}
