#include "frmInicial.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "BasesDD.h"
#include "CajaFecha.h"
#include "ConfiguracionPrograma.h"
#include "Conversiones.h"
#include "DataCombo.h"
#include "HostContext.h"
#include "HostError.h"
#include "HostFactory.h"
#include "IconoPrograma.h"
#include "Mensajes.h"
#include "Pregunta.h"
#include "Twips.h"
#include "libNucleo.h"

namespace {
const QColor cVerdeClaro(192, 255, 192);

QLabel *NuevaEtiqueta(QWidget *pPadre, int nIndice, const QString &cTexto, const QRect &lugar)
{
    auto *pEtiqueta = new QLabel(cTexto, pPadre);
    pEtiqueta->setObjectName(QStringLiteral("Label(%1)").arg(nIndice));
    pEtiqueta->setGeometry(lugar);
    if (!cTexto.isEmpty())
        pEtiqueta->adjustSize(); // labels with a caption size themselves to it
    return pEtiqueta;
}

QLabel *NuevaEtiquetaNombre(QWidget *pPadre, int nIndice, const QRect &lugar)
{
    QLabel *pEtiqueta = NuevaEtiqueta(pPadre, nIndice, QString(), lugar);
    pEtiqueta->setAutoFillBackground(true);
    QPalette paleta = pEtiqueta->palette();
    paleta.setColor(QPalette::Window, cVerdeClaro);
    paleta.setColor(QPalette::WindowText, Qt::black);
    pEtiqueta->setPalette(paleta);
    pEtiqueta->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    pEtiqueta->setIndent(Twips::APixeles(60));
    return pEtiqueta;
}
} // namespace

frmInicial::frmInicial(const HostContext &contexto, const QString &cRutaEjecutable, QWidget *pPadre)
    : QWidget(pPadre), m_contexto(contexto), m_cRutaEjecutable(cRutaEjecutable)
{
    setObjectName(QStringLiteral("frmInicial"));
    setWindowTitle(DisenoCaption());
    setWindowIcon(IconoPrograma());
    QFont fuente(QStringLiteral("MS Sans Serif"));
    fuente.setPointSizeF(9.75);
    setFont(fuente);
    setFixedSize(Twips::APixeles(7395), Twips::APixeles(6015));
    ColocaControles();
}

frmInicial::~frmInicial() = default;

void frmInicial::ColocaControles()
{
    m_pLabel[0] = NuevaEtiqueta(this, 0, QStringLiteral("Fecha inicial:"), Twips::Rectangulo(480, 600, 1170, 240));
    m_pLabel[1] = NuevaEtiqueta(this, 1, QStringLiteral("Fecha final:"), Twips::Rectangulo(4080, 600, 1020, 240));
    m_pLabel[2] = NuevaEtiqueta(this, 2, QStringLiteral("Cliente:"), Twips::Rectangulo(480, 1440, 660, 240));
    m_pLabel[3] = NuevaEtiqueta(this, 3, QStringLiteral("Vendedor"), Twips::Rectangulo(480, 2760, 900, 240));
    m_pLabel[4] = NuevaEtiqueta(this, 4, QStringLiteral("Línea:"), Twips::Rectangulo(480, 4080, 540, 240));
    m_pLabel[5] = NuevaEtiquetaNombre(this, 5, Twips::Rectangulo(480, 2040, 6720, 540));
    m_pLabel[6] = NuevaEtiquetaNombre(this, 6, Twips::Rectangulo(480, 3360, 6720, 540));

    const QRect lugarFecha[2] = {Twips::Rectangulo(2040, 600, 1335, 375), Twips::Rectangulo(5400, 600, 1335, 375)};
    for (int i = 0; i < 2; ++i) {
        m_pmkeFecha[i] = new CajaFecha(this);
        m_pmkeFecha[i]->setObjectName(QStringLiteral("mkeFecha(%1)").arg(i));
        m_pmkeFecha[i]->setGeometry(lugarFecha[i]);
    }

    m_ptxtDato = new QLineEdit(this);
    m_ptxtDato->setObjectName(QStringLiteral("txtDato(0)"));
    m_ptxtDato->setGeometry(Twips::Rectangulo(2040, 1440, 2295, 375));

    m_pdtcVendedor = new DataCombo(this);
    m_pdtcVendedor->setObjectName(QStringLiteral("dtcVendedor"));
    m_pdtcVendedor->setGeometry(Twips::Rectangulo(2040, 2760, 2775, 360));
    m_pdtcVendedor->setListField(QStringLiteral("Clave"));
    m_pdtcVendedor->setBoundColumn(QStringLiteral("Clave"));

    m_pdcboLinea = new DataCombo(this);
    m_pdcboLinea->setObjectName(QStringLiteral("dcboLinea"));
    m_pdcboLinea->setGeometry(Twips::Rectangulo(2040, 4080, 2775, 360));
    m_pdcboLinea->setListField(QStringLiteral("Linea"));
    m_pdcboLinea->setBoundColumn(QStringLiteral("ID"));

    m_pcmdImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    m_pcmdImprimir->setObjectName(QStringLiteral("cmdImprimir"));
    m_pcmdImprimir->setGeometry(Twips::Rectangulo(5400, 4920, 1335, 615));

    // Labels take no focus: start date, end date, client, salesperson, product line, button.
    QWidget *orden[] = {m_pmkeFecha[0], m_pmkeFecha[1], m_ptxtDato, m_pdtcVendedor, m_pdcboLinea, m_pcmdImprimir};
    for (size_t i = 1; i < std::size(orden); ++i)
        QWidget::setTabOrder(orden[i - 1], orden[i]);
}

QString frmInicial::VersionCaption()
{
    return QStringLiteral("   v %1.%2.%3").arg(INFORME_VERSION_MAYOR).arg(INFORME_VERSION_MENOR).arg(INFORME_VERSION_REVISION);
}

QString frmInicial::ArchivoIniDe(const QString &cRutaEjecutable)
{
    const QFileInfo ejecutable(cRutaEjecutable);
    return ejecutable.absolutePath() + QLatin1Char('/') + ejecutable.fileName() + QStringLiteral(".ini");
}

bool frmInicial::Abre()
{
    try {
        Form_Load();
    } catch (const HostError &error) {
        m_bTerminado = true;
        MuestraError(*m_contexto.pMensajes, error);
        return false;
    }
    if (const QScreen *pPantalla = screen())
        move(pPantalla->availableGeometry().center() - rect().center());
    show();
    raise();
    activateWindow(); // without a window manager nobody else would make it the active window
    return true;
}

void frmInicial::Form_Load()
{
    m_bPrimeraVez = true;
    QDir::setCurrent(QFileInfo(m_cRutaEjecutable).absolutePath());
    m_objetos.Crea(*m_contexto.pFabrica, m_contexto);
    m_cArchivoIni = ArchivoIniDe(m_cRutaEjecutable);
    setWindowTitle(DisenoCaption().trimmed() + VersionCaption());
    for (CajaFecha *pFecha : m_pmkeFecha) {
        pFecha->setFormato(m_objetos.Nucleo().FormatoFecha());
        pFecha->setMascara(m_objetos.Nucleo().MascaraFecha());
        pFecha->setFecha(QDate::currentDate());
    }
}

bool frmInicial::event(QEvent *pEvento)
{
    if (pEvento->type() == QEvent::WindowActivate && m_bPrimeraVez && !m_bTerminado) {
        m_bPrimeraVez = false;
        try {
            Form_Activate();
        } catch (const HostError &error) {
            TerminaPorFalla(error);
        }
    }
    return QWidget::event(pEvento);
}

void frmInicial::Form_Activate()
{
    repaint(); // drawn before any message of the settings check
    BasesDD &bases = m_objetos.Bases();
    if (!CargaDatosConexion(m_objetos.Nucleo(), m_objetos.Registro(), bases, m_cArchivoIni, true)) {
        m_bTerminado = true;
        hide();
        emit programaTerminado(1);
        return;
    }
    m_nMonedaUSD = AEntero16(LeeIniDefecto(QStringLiteral("Configuración"), QStringLiteral("Id moneda USD"),
                                           QStringLiteral("2"), m_objetos.Nucleo(), m_cArchivoIni),
                             QStringLiteral("El valor «Id moneda USD» del archivo de configuración"));
    bases.AbrirBdD(m_cnnDatos, bases.cMiBase);
    bases.AbrirDataSource(m_rsLineas, m_cnnDatos, QStringLiteral("lineas order by Linea"), m_pdcboLinea, {}, true);
    bases.AbrirDataSource(m_rsVendedores, m_cnnDatos, QStringLiteral("vendedores order by Clave"), m_pdtcVendedor, {},
                          true);
}

void frmInicial::TerminaPorFalla(const HostError &error)
{
    m_bTerminado = true;
    MuestraError(*m_contexto.pMensajes, error);
    hide();
    emit programaTerminado(1);
}

void frmInicial::closeEvent(QCloseEvent *pEvento)
{
    if (m_bTerminado) {
        pEvento->accept();
        return;
    }
    QString cPrompt = QStringLiteral("¿Desea cerrar este programa?");
    QString cTitulo = QStringLiteral("Finalizar");
    bool bDefaultNo = true;
    if (!Pregunta(*m_contexto.pMensajes, cPrompt, cTitulo, bDefaultNo)) {
        pEvento->ignore();
        return;
    }
    m_bTerminado = true;
    pEvento->accept();
    try {
        Form_Unload();
    } catch (const HostError &error) {
        MuestraError(*m_contexto.pMensajes, error);
        emit programaTerminado(1);
    }
}

void frmInicial::Form_Unload()
{
    BasesDD &bases = m_objetos.Bases();
    bases.CierraTabla(m_rsLineas);
    bases.CierraTabla(m_rsVendedores);
    bases.CierraBdD(m_cnnDatos);
    for (QWidget *pVentana : QApplication::topLevelWidgets()) {
        if (pVentana != this && pVentana->objectName().startsWith(QStringLiteral("frm")))
            pVentana->close();
    }
    m_objetos.Libera();
}
