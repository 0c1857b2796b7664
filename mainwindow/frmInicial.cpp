#include "frmInicial.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>

#include "ArchivosPrograma.h"
#include "BasesDD.h"
#include "CajaFecha.h"
#include "CodigosTecla.h"
#include "ConfiguracionPrograma.h"
#include "Conversiones.h"
#include "DataCombo.h"
#include "FuenteVentanas.h"
#include "HostContext.h"
#include "HostError.h"
#include "HostFactory.h"
#include "IconoPrograma.h"
#include "Mensajes.h"
#include "Pregunta.h"
#include "ReporteVentas12Meses.h"
#include "TablaDeFiltros.h"
#include "Twips.h"
#include "Utilerias.h"
#include "VentanaOcupada.h"
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

frmInicial::frmInicial(const HostContext &contexto, const QString &cRutaEjecutable, ControlReporte &crpReporte,
                       QWidget *pPadre)
    : QWidget(pPadre), m_contexto(contexto), m_cRutaEjecutable(cRutaEjecutable), m_crpReporte(crpReporte)
{
    setObjectName(QStringLiteral("frmInicial"));
    setWindowTitle(DisenoCaption());
    setWindowIcon(IconoPrograma());
    setFont(FuenteVentanas());
    setFixedSize(Twips::APixeles(7395), Twips::APixeles(6015));
    ColocaControles();
    ConectaCampos();
}

frmInicial::~frmInicial() = default;

void frmInicial::ColocaControles()
{
    m_pLabel[0] = NuevaEtiqueta(this, 0, QStringLiteral("Fecha inicial:"), Twips::Rectangulo(480, 600, 1170, 240));
    m_pLabel[1] = NuevaEtiqueta(this, 1, QStringLiteral("Fecha final:"), Twips::Rectangulo(4080, 600, 1020, 240));
    m_pLabel[2] = NuevaEtiqueta(this, 2, TablaDeFiltros::De(&FiltrosInforme::cCliente).cEtiqueta,
                                Twips::Rectangulo(480, 1440, 660, 240));
    m_pLabel[3] = NuevaEtiqueta(this, 3, TablaDeFiltros::De(&FiltrosInforme::cVendedor).cEtiqueta,
                                Twips::Rectangulo(480, 2760, 900, 240));
    m_pLabel[4] = NuevaEtiqueta(this, 4, TablaDeFiltros::De(&FiltrosInforme::cLinea).cEtiqueta,
                                Twips::Rectangulo(480, 4080, 540, 240));
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

    m_plblEstado = new QLabel(this);
    m_plblEstado->setObjectName(QStringLiteral("lblEstado"));
    m_plblEstado->setGeometry(Twips::Rectangulo(480, 5040, 4800, 375));
    m_plblEstado->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // Labels take no focus: start date, end date, client, salesperson, product line, button.
    QWidget *orden[] = {m_pmkeFecha[0], m_pmkeFecha[1], m_ptxtDato, m_pdtcVendedor, m_pdcboLinea, m_pcmdImprimir};
    for (size_t i = 1; i < std::size(orden); ++i)
        QWidget::setTabOrder(orden[i - 1], orden[i]);
}

QString frmInicial::VersionCaption()
{
    return QStringLiteral("   v %1.%2.%3")
        .arg(INFORME_VERSION_MAYOR)
        .arg(INFORME_VERSION_MENOR)
        .arg(INFORME_VERSION_REVISION);
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
    m_cArchivoIni = ArchivosPrograma::PreparaArchivoIni(m_cRutaEjecutable);
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
    if (!PreparaConexion(m_objetos, m_cArchivoIni, m_cnnDatos, m_nMonedaUSD)) {
        m_bTerminado = true;
        hide();
        emit programaTerminado(1);
        return;
    }
    BasesDD &bases = m_objetos.Bases();
    bases.AbrirDataSource(m_rsLineas, m_cnnDatos, QStringLiteral("lineas order by Linea"), m_pdcboLinea, {}, true);
    bases.AbrirDataSource(m_rsVendedores, m_cnnDatos, QStringLiteral("vendedores order by Clave"), m_pdtcVendedor, {},
                          true);
    emit conectada(bases.esperas);
}

void frmInicial::TerminaPorFalla(const HostError &error)
{
    m_bTerminado = true;
    MuestraError(*m_contexto.pMensajes, error);
    hide();
    emit programaTerminado(1);
}

void frmInicial::ConectaCampos()
{
    auto *pDescripcion = new QAction(QStringLiteral("Descripción del programa"), this);
    pDescripcion->setShortcut(QKeySequence(Qt::Key_F1));
    pDescripcion->setShortcutContext(Qt::WindowShortcut);
    connect(pDescripcion, &QAction::triggered, this, [this] {
        if (m_abreDescripcion)
            SinFallaSilenciosa([this] { m_abreDescripcion(); });
    });
    addAction(pDescripcion);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(m_ptxtDato, &QLineEdit::textChanged, this, [this] { SinFallaSilenciosa([this] { txtDato_Change(0); }); });
    connect(m_pdtcVendedor, &QComboBox::editTextChanged, this,
            [this] { SinFallaSilenciosa([this] { dtcVendedor_Change(); }); });
    connect(m_pcmdImprimir, &QPushButton::clicked, this, [this] {
        SinFallaSilenciosa([this] { cmdImprimir_Click(); });
        if (m_bCerrarAlTerminar)
            close(); // asked during the run, which has now left nothing behind
    });
    for (QWidget *pCampo : {static_cast<QWidget *>(m_pmkeFecha[0]), static_cast<QWidget *>(m_pmkeFecha[1]),
                            static_cast<QWidget *>(m_ptxtDato), static_cast<QWidget *>(m_pdtcVendedor),
                            static_cast<QWidget *>(m_pdcboLinea)})
        pCampo->installEventFilter(this);
}

template <class F> void frmInicial::SinFallaSilenciosa(F &&manejador)
{
    try {
        manejador();
    } catch (const HostError &error) {
        MuestraError(*m_contexto.pMensajes, error);
    }
}

bool frmInicial::eventFilter(QObject *pObjeto, QEvent *pEvento)
{
    QWidget *pCampo = qobject_cast<QWidget *>(pObjeto);
    const bool bFecha = pCampo == m_pmkeFecha[0] || pCampo == m_pmkeFecha[1];
    const int nFecha = pCampo == m_pmkeFecha[1] ? 1 : 0;
    bool bConsumido = false;
    switch (pEvento->type()) {
    case QEvent::FocusIn:
        if (bFecha || pCampo == m_ptxtDato)
            SinFallaSilenciosa([&] { m_objetos.Nucleo().Resalta(pCampo); });
        break;
    case QEvent::FocusOut: {
        // Leaving for another field validates; the window losing the focus does not.
        const Qt::FocusReason razon = static_cast<QFocusEvent *>(pEvento)->reason();
        if (bFecha && razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason)
            SinFallaSilenciosa([&] { mkeFecha_Validate(nFecha); });
        break;
    }
    case QEvent::KeyPress:
        SinFallaSilenciosa([&] { bConsumido = TeclaDeCampo(pCampo, static_cast<QKeyEvent *>(pEvento)); });
        break;
    default: break;
    }
    return bConsumido || QWidget::eventFilter(pObjeto, pEvento);
}

// Key down goes through Teclas (the code boxes and the date boxes), the typed character
// through Enter; the key the library leaves is the one the field processes, 0 none.
bool frmInicial::TeclaDeCampo(QWidget *pCampo, QKeyEvent *pEvento)
{
    if (m_bReenviandoTecla || !m_objetos.Creados())
        return false;
    const bool bFecha = pCampo == m_pmkeFecha[0] || pCampo == m_pmkeFecha[1];
    libNucleo &nucleo = m_objetos.Nucleo();
    if (bFecha || pCampo == m_ptxtDato) {
        qint16 nTecla = CodigosTecla::CodigoVirtual(*pEvento);
        if (nTecla != 0) {
            nucleo.Teclas(nTecla);
            if (nTecla == 0)
                return true;
        }
    }
    qint16 nCaracter = CodigosTecla::CodigoCaracter(*pEvento);
    if (nCaracter == 0)
        return false;
    const qint16 nOriginal = nCaracter;
    nucleo.Enter(nCaracter, bFecha ? QStringLiteral("9") : QStringLiteral("!"));
    if (nCaracter == 0)
        return true;
    if (nCaracter == nOriginal)
        return false;
    QKeyEvent cambiado(QEvent::KeyPress, pEvento->key(), pEvento->modifiers(), QString(QChar(ushort(nCaracter))),
                       pEvento->isAutoRepeat(), ushort(pEvento->count()));
    m_bReenviandoTecla = true;
    QCoreApplication::sendEvent(pCampo, &cambiado);
    m_bReenviandoTecla = false;
    return true;
}

void frmInicial::EcoNombre(QLabel *pEtiqueta, const QString &cTabla, const QString &cCodigo)
{
    pEtiqueta->hide();
    BasesDD &bases = m_objetos.Bases();
    Recordset rs;
    const QString cClave = RecortaEspacios(cCodigo);
    if (!cClave.isEmpty()) {
        // The code goes in as a quoted literal: a quote in it is part of the code.
        const QString cExpresion =
            cTabla + m_objetos.Utilidades().CambXXX(QStringLiteral(" where Clave='XXX'"), m_cnnDatos.Escapa(cClave));
        if (bases.AbrirTabla(rs, m_cnnDatos, cExpresion, QStringLiteral("Nombre"))) {
            pEtiqueta->setText(rs.Campo(QStringLiteral("Nombre")).toString());
            pEtiqueta->show();
        }
    }
    bases.CierraTabla(rs);
}

void frmInicial::txtDato_Change(int nIndice)
{
    EcoNombre(m_pLabel[nIndice + 5], nIndice == 0 ? QStringLiteral("clientes") : QStringLiteral("vendedores"),
              m_ptxtDato->text());
}

void frmInicial::dtcVendedor_Change()
{
    EcoNombre(m_pLabel[6], QStringLiteral("vendedores"), m_pdtcVendedor->currentText());
}

void frmInicial::mkeFecha_Validate(int nIndice)
{
    CajaFecha *pFecha = m_pmkeFecha[nIndice];
    if (!pFecha->Fecha().isValid())
        pFecha->setFecha(QDate::currentDate());
}

FiltrosInforme frmInicial::LeeFiltros() const
{
    FiltrosInforme filtros;
    filtros.cFechaInicial = m_pmkeFecha[0]->Texto();
    filtros.cFechaFinal = m_pmkeFecha[1]->Texto();
    filtros.cCliente = m_ptxtDato->text();
    filtros.cVendedor = m_pdtcVendedor->currentText();
    filtros.cLinea = m_pdcboLinea->BoundText().toString();
    return filtros;
}

namespace {
QString TextoDelPaso(ReporteVentas12Meses::Paso paso)
{
    switch (paso) {
    case ReporteVentas12Meses::Paso::EsperandoTurno: return QStringLiteral("Esperando a que termine otro informe…");
    case ReporteVentas12Meses::Paso::LlenandoTabla: return QStringLiteral("Llenando la tabla de trabajo…");
    case ReporteVentas12Meses::Paso::LeyendoDatos: return QStringLiteral("Leyendo los datos…");
    case ReporteVentas12Meses::Paso::ArmandoInforme: return QStringLiteral("Armando el informe…");
    }
    return {};
}
} // namespace

// The server's work runs apart while this window keeps painting, its fields closed to input
// (a second run, a close without the question); the wait for its turn and that work can be
// cancelled.
void frmInicial::cmdImprimir_Click()
{
    // A click through the button's shortcut leaves no field: repair the dates here too.
    mkeFecha_Validate(0);
    mkeFecha_Validate(1);
    m_plblEstado->clear();
    ReporteVentas12Meses reporte(m_objetos, m_cnnDatos, m_nMonedaUSD, m_parametros, m_crpReporte,
                                 QFileInfo(m_cRutaEjecutable).absolutePath(), *m_contexto.pMensajes);
    reporte.setLlenadoAparte(true);
    reporte.setAlCambiarDisponibilidad([this](bool bDisponible) {
        m_pcmdImprimir->setEnabled(bDisponible);
        m_pOcupada.reset();
        if (bDisponible)
            return;
        const QList<QWidget *> campos{m_pmkeFecha[0], m_pmkeFecha[1], m_ptxtDato, m_pdtcVendedor, m_pdcboLinea};
        m_pOcupada = std::make_unique<VentanaOcupada>(this, m_plblEstado, campos,
                                                      [this] { SinFallaSilenciosa([this] { CancelaInforme(); }); });
    });
    reporte.setAlCambiarPaso([this](ReporteVentas12Meses::Paso paso) {
        if (m_pOcupada)
            m_pOcupada->MuestraPaso(TextoDelPaso(paso), paso == ReporteVentas12Meses::Paso::EsperandoTurno ||
                                                            paso == ReporteVentas12Meses::Paso::LlenandoTabla);
    });
    m_pInformeEnCurso = &reporte;
    const auto termina = qScopeGuard([this] { m_pInformeEnCurso = nullptr; });
    switch (reporte.Ejecuta(LeeFiltros())) {
    case ReporteVentas12Meses::Resultado::PeriodoRechazado: m_pmkeFecha[0]->setFocus(); break;
    case ReporteVentas12Meses::Resultado::Cancelado: m_plblEstado->setText(QStringLiteral("Informe cancelado.")); break;
    case ReporteVentas12Meses::Resultado::Terminado: break;
    }
}

void frmInicial::CancelaInforme()
{
    if (m_pInformeEnCurso)
        m_pInformeEnCurso->Cancela();
}

void frmInicial::CancelaComoCancelar()
{
    if (m_pOcupada)
        m_pOcupada->Cancela(); // as "Cancelar" does, so that the progress window says so
    else
        SinFallaSilenciosa([this] { CancelaInforme(); });
}

void frmInicial::TerminaSesion()
{
    if (m_bTerminado || m_bCerrarAlTerminar)
        return;                 // already closing
    m_bCerrarAlTerminar = true; // answered: nobody is there to ask
    if (m_pInformeEnCurso) {
        CancelaComoCancelar();
        return; // the window closes when the run ends
    }
    close();
}

void frmInicial::closeEvent(QCloseEvent *pEvento)
{
    if (m_bTerminado) {
        pEvento->accept();
        return;
    }
    if (m_pInformeEnCurso && m_bCerrarAlTerminar) {
        pEvento->ignore(); // already answered: the window closes when the run ends
        return;
    }
    if (!m_bCerrarAlTerminar) {
        QString cPrompt = QStringLiteral("¿Desea cerrar este programa?");
        QString cTitulo = QStringLiteral("Finalizar");
        bool bDefaultNo = true;
        if (!Pregunta(*m_contexto.pMensajes, cPrompt, cTitulo, bDefaultNo)) {
            pEvento->ignore();
            return;
        }
        if (m_pInformeEnCurso) {
            // The run first lets go of the server's lock and drops its table: the window closes
            // when it ends, at once when it is cancelled.
            m_bCerrarAlTerminar = true;
            CancelaComoCancelar();
            pEvento->ignore();
            return;
        }
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
