// The main window's load, first activation, close question and unload, and every way its
// start-up can fail, against the private database server.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "BaseDePrueba.h"
#include "BasesDD.h"
#include "BloqueoInforme.h"
#include "CajaFecha.h"
#include "ConfiguracionPrograma.h"
#include "ControlGrabado.h"
#include "DataCombo.h"
#include "DeArchivos.h"
#include "DelRegistro.h"
#include "EntornoHost.h"
#include "ObjetosPrograma.h"
#include "ObjetosSoloCreados.h"
#include "Recordset.h"
#include "Utilerias.h"
#include "VentanaOcupada.h"
#include "frmInicial.h"
#include "libNucleo.h"

namespace {

// A host class that writes its creation and its release into a shared log.
template <class T> class Grabado : public T
{
public:
    Grabado(const HostContext &contexto, QStringList &registro, const QString &cNombre)
        : T(contexto), m_registro(registro), m_cNombre(cNombre)
    {
        m_registro << QStringLiteral("crea ") + m_cNombre;
    }
    ~Grabado() override { m_registro << QStringLiteral("libera ") + m_cNombre; }

private:
    QStringList &m_registro;
    QString m_cNombre;
};

template <class T> void RegistraGrabado(HostFactory &fabrica, const QString &cProgId, QStringList &registro)
{
    fabrica.Registra(cProgId, [&registro, cProgId](const HostContext &contexto) {
        return HostObjectPtr(new Grabado<T>(contexto, registro, cProgId));
    });
}

// Another window of the program, which notes when it is unloaded.
class VentanaQueAnota : public QWidget
{
public:
    explicit VentanaQueAnota(QStringList &registro) : m_registro(registro)
    {
        setObjectName(QStringLiteral("frmDescripcion"));
    }

protected:
    void closeEvent(QCloseEvent *pEvento) override
    {
        m_registro << QStringLiteral("descarga frmDescripcion");
        QWidget::closeEvent(pEvento);
    }

private:
    QStringList &m_registro;
};

// Port 1 of the loopback: nothing listens there, so a connection is refused at once.
constexpr int nPuertoSinServidor = 1;

QStringList Elementos(const QComboBox *pCombo)
{
    QStringList textos;
    for (int i = 0; i < pCombo->count(); ++i)
        textos << pCombo->itemText(i);
    return textos;
}

// Counts the times a widget is painted.
class Pinturas : public QObject
{
public:
    explicit Pinturas(QWidget *pWidget) { pWidget->installEventFilter(this); }
    int n = 0;

protected:
    bool eventFilter(QObject *, QEvent *pEvento) override
    {
        if (pEvento->type() == QEvent::Paint)
            ++n;
        return false;
    }
};

// Boxes answered as MensajesGrabados does, after a modal window has stood for the box for a
// while, as long as a person takes to answer it: the main window sees what a real box does.
class MensajesEnPantalla : public MensajesGrabados
{
public:
    int nMsEnPantalla = 0;

    int MsgBox(const QString &cTexto, int nEstilo, const QString &cTitulo) override
    {
        if (nMsEnPantalla > 0) {
            QDialog caja;
            caja.setModal(true);
            QTimer::singleShot(nMsEnPantalla, &caja, &QDialog::accept);
            caja.exec();
        }
        return MensajesGrabados::MsgBox(cTexto, nEstilo, cTitulo);
    }
};

// The fill of the working table as the server runs it now: the sessions that run it on the
// database of cnn (other tests and other people's share the server).
int LlenadosEnElServidor(Connection &cnn)
{
    Recordset rs = cnn.Execute(QStringLiteral("select count(*) from information_schema.processlist "
                                              "where db=database() and info like 'insert into tmpventas12meses%'"));
    return rs.Campo(0).toInt();
}

} // namespace

class tst_frmInicial : public QObject
{
    Q_OBJECT
private slots:
    void primeraEjecucionConArchivoVacio();
    void activacionLlenaLasListas();
    void unaActivacionPosteriorNoCambiaNada();
    void cierreRespondidoNo();
    void cierreRespondidoSiDescargaTodoEnOrden();
    void arranqueFallido_data();
    void arranqueFallido();
    void informeDetenidoMientrasEsperaAlServidor_data();
    void informeDetenidoMientrasEsperaAlServidor();

private:
    ControlGrabado m_control; // the window's report control
    // A host installation whose store points at the test server and whose settings file
    // names the test database; every host object notes its creation and release.
    void Prepara(EntornoHost &entorno, const BaseDePrueba &base)
    {
        entorno.AlmacenConServidor(BaseDePrueba::Servidor().nPuerto);
        EscribeTexto(entorno.ArchivoIni(),
                     QStringLiteral("[Configuración]\nBase de datos principal=%1\n").arg(base.Nombre()));
        const auto &ids = ObjetosPrograma::ProgIds();
        RegistraGrabado<libNucleo>(entorno.fabrica, ids[0], m_registro);
        RegistraGrabado<BasesDD>(entorno.fabrica, ids[1], m_registro);
        RegistraGrabado<DeEquipo>(entorno.fabrica, ids[2], m_registro);
        RegistraGrabado<Utilerias>(entorno.fabrica, ids[3], m_registro);
        RegistraGrabado<DeArchivos>(entorno.fabrica, ids[4], m_registro);
        RegistraGrabado<DeAcceso>(entorno.fabrica, ids[5], m_registro);
        RegistraGrabado<DelRegistro>(entorno.fabrica, ids[6], m_registro);
        RegistraGrabado<DeControles>(entorno.fabrica, ids[7], m_registro);
        m_registro.clear();
    }
    // The program's eight objects are created at load, before anything else.
    static QStringList Creados()
    {
        QStringList lineas;
        for (const QString &cProgId : ObjetosPrograma::ProgIds())
            lineas << QStringLiteral("crea ") + cProgId;
        return lineas;
    }
    // Objects alive now: created and not yet released (the settings operations make
    // short-lived objects of their own, which they release before returning).
    qsizetype Vivos() const
    {
        return m_registro.filter(QRegularExpression(QStringLiteral("^crea "))).size() -
               m_registro.filter(QRegularExpression(QStringLiteral("^libera "))).size();
    }
    QStringList m_registro;
};

void tst_frmInicial::primeraEjecucionConArchivoVacio()
{
    EntornoHost entorno;
    entorno.AlmacenConServidor(BaseDePrueba::Servidor().nPuerto);
    EscribeTexto(entorno.ArchivoIni(), QString());
    QDir::setCurrent(QDir::tempPath());

    frmInicial ventana(entorno.Contexto(), entorno.RutaEjecutable(), m_control);
    QVERIFY(ventana.Abre());
    QCOMPARE(ventana.windowTitle(), QStringLiteral("Informe mensual   v " INFORME_VERSION_TEXTO));
    QCOMPARE(QDir::currentPath(), QFileInfo(entorno.RutaEjecutable()).absolutePath());
    QCOMPARE(ventana.ArchivoIni(), entorno.ArchivoIni());
    for (int i = 0; i < 2; ++i) {
        auto *pFecha = ventana.findChild<CajaFecha *>(QStringLiteral("mkeFecha(%1)").arg(i));
        QVERIFY(pFecha);
        QCOMPARE(pFecha->Texto(), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        QCOMPARE(pFecha->inputMask(), QStringLiteral("99/99/9999;_"));
    }
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
    // Whether the default database "datos1" is on the test server or not, the settings
    // file now holds the three keys, in this order.
    QCOMPARE(
        TextoDe(entorno.ArchivoIni()),
        QStringLiteral("[Configuración]\nRuta de Almena Premium=C:\\almenapremium\nBase de datos principal=datos1\n"
                       "Id moneda USD=2\n"));
}

void tst_frmInicial::activacionLlenaLasListas()
{
    BaseDePrueba base;
    base.CreaCatalogos();
    EntornoHost entorno;
    Prepara(entorno, base);
    frmInicial ventana(entorno.Contexto(), entorno.RutaEjecutable(), m_control);
    QSignalSpy terminado(&ventana, &frmInicial::programaTerminado);
    QVERIFY(ventana.Abre());
    QVERIFY(QTest::qWaitForWindowActive(&ventana));

    QVERIFY2(entorno.mensajes.Llamadas().isEmpty(), qPrintable(entorno.mensajes.Llamadas().value(0).cTexto));
    QCOMPARE(terminado.count(), 0);
    QCOMPARE(m_registro.mid(0, 8), Creados());
    QCOMPARE(Vivos(), 8);
    QCOMPARE(ventana.MonedaUSD(), qint16(2));

    auto *pLinea = ventana.findChild<DataCombo *>(QStringLiteral("dcboLinea"));
    auto *pVendedor = ventana.findChild<DataCombo *>(QStringLiteral("dtcVendedor"));
    QCOMPARE(Elementos(pLinea), (QStringList{"Ferretería", "Material eléctrico", "Plomería"}));
    QCOMPARE(Elementos(pVendedor), (QStringList{"V01", "V02"}));
    QCOMPARE(pLinea->currentText(), QString());
    pLinea->setCurrentIndex(2);
    QCOMPARE(pLinea->BoundText().toInt(), 3);
    pVendedor->setCurrentIndex(0);
    QCOMPARE(pVendedor->BoundText().toString(), QStringLiteral("V01"));
}

void tst_frmInicial::unaActivacionPosteriorNoCambiaNada()
{
    BaseDePrueba base;
    base.CreaCatalogos();
    EntornoHost entorno;
    Prepara(entorno, base);
    frmInicial ventana(entorno.Contexto(), entorno.RutaEjecutable(), m_control);
    QVERIFY(ventana.Abre());
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
    const QString cIni = TextoDe(entorno.ArchivoIni());
    const qsizetype nRegistroAntes = m_registro.size();

    base.Ejecuta(
        QStringLiteral("insert into lineas values (9, 'Pinturas'); insert into vendedores values ('V09', 'Nueva')"));
    EscribeTexto(entorno.ArchivoIni(), cIni + QStringLiteral("Id moneda USD=5\n"));
    QWidget otra;
    otra.show();
    otra.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&otra));
    ventana.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&ventana));

    QCOMPARE(ventana.findChild<DataCombo *>(QStringLiteral("dcboLinea"))->count(), 3);
    QCOMPARE(ventana.findChild<DataCombo *>(QStringLiteral("dtcVendedor"))->count(), 2);
    QCOMPARE(ventana.MonedaUSD(), qint16(2));
    QCOMPARE(m_registro.size(), nRegistroAntes); // no settings read, no object created
}

void tst_frmInicial::cierreRespondidoNo()
{
    BaseDePrueba base;
    base.CreaCatalogos();
    EntornoHost entorno;
    Prepara(entorno, base);
    frmInicial ventana(entorno.Contexto(), entorno.RutaEjecutable(), m_control);
    QVERIFY(ventana.Abre());
    QVERIFY(QTest::qWaitForWindowActive(&ventana));

    entorno.mensajes.Responde(Msg::No);
    QVERIFY(!ventana.close());
    QVERIFY(ventana.isVisible());
    QCOMPARE(entorno.mensajes.Llamadas().size(), 1);
    const auto &pregunta = entorno.mensajes.Llamadas().first();
    QCOMPARE(pregunta.cTexto, QStringLiteral("¿Desea cerrar este programa?"));
    QCOMPARE(pregunta.cTitulo, QStringLiteral("Finalizar"));
    QCOMPARE(pregunta.nEstilo, 292); // Yes/No, question icon, No the default button
    QCOMPARE(Vivos(), 8);            // nothing released
    QCOMPARE(ventana.findChild<DataCombo *>(QStringLiteral("dcboLinea"))->count(), 3);
}

void tst_frmInicial::cierreRespondidoSiDescargaTodoEnOrden()
{
    BaseDePrueba base;
    base.CreaCatalogos();
    EntornoHost entorno;
    Prepara(entorno, base);
    const QStringList conexionesAntes = QSqlDatabase::connectionNames();
    frmInicial ventana(entorno.Contexto(), entorno.RutaEjecutable(), m_control);
    QVERIFY(ventana.Abre());
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
    QCOMPARE(QSqlDatabase::connectionNames().size(), conexionesAntes.size() + 1);
    VentanaQueAnota descripcion(m_registro);
    descripcion.show();

    entorno.mensajes.Responde(Msg::Si);
    QVERIFY(ventana.close());
    QVERIFY(!descripcion.isVisible());
    QCOMPARE(QSqlDatabase::connectionNames(), conexionesAntes); // the connection is closed

    QStringList esperado{QStringLiteral("descarga frmDescripcion")};
    for (const QString &cProgId : ObjetosPrograma::ProgIds())
        esperado << QStringLiteral("libera ") + cProgId;
    QCOMPARE(m_registro.mid(m_registro.size() - 9), esperado);
    QCOMPARE(Vivos(), 0);
}

void tst_frmInicial::arranqueFallido_data()
{
    // clang-format off
    QTest::addColumn<QString>("caso");
    QTest::addColumn<QString>("inicioDelMensaje"); // of the one message box shown
    QTest::newRow("servidor que no responde") << "puerto" << "Error no. 200";
    QTest::newRow("base de datos que no existe") << "base" << "Error no. 1049: ";
    QTest::newRow("clase del host desconocida") << "progid" << "Error no. 429: ";
    QTest::newRow("moneda que no es un número") << "moneda" << "Error no. 13: ";
    QTest::newRow("tabla de líneas ausente") << "tabla" << "Error no. 1146: ";
    QTest::newRow("carpeta del host incorrecta") << "carpeta" << "En el archivo de configuración";
    // clang-format on
}

void tst_frmInicial::arranqueFallido()
{
    QFETCH(QString, caso);
    QFETCH(QString, inicioDelMensaje);
    BaseDePrueba base;
    if (caso != QLatin1String("tabla"))
        base.CreaCatalogos();
    EntornoHost entorno;
    Prepara(entorno, base);
    if (caso == QLatin1String("puerto"))
        entorno.AlmacenConServidor(nPuertoSinServidor);
    if (caso == QLatin1String("base"))
        EscribeTexto(entorno.ArchivoIni(), QStringLiteral("[Configuración]\nBase de datos principal=no_existe_xyz\n"));
    if (caso == QLatin1String("progid"))
        entorno.fabrica.Quita(QStringLiteral("orbe5.DeAcceso"));
    if (caso == QLatin1String("moneda"))
        EscribeTexto(entorno.ArchivoIni(), TextoDe(entorno.ArchivoIni()) + QStringLiteral("Id moneda USD=dólar\n"));
    if (caso == QLatin1String("carpeta"))
        entorno.QuitaMarca();

    frmInicial ventana(entorno.Contexto(), entorno.RutaEjecutable(), m_control);
    QSignalSpy terminado(&ventana, &frmInicial::programaTerminado);
    if (caso == QLatin1String("progid")) {
        QVERIFY(!ventana.Abre()); // the load fails: the window is never shown
        QVERIFY(!ventana.isVisible());
    } else {
        QVERIFY(ventana.Abre());
        QTRY_COMPARE(terminado.count(), 1);
        QCOMPARE(terminado.first().first().toInt(), 1);
        QVERIFY(!ventana.isVisible());
    }
    const auto &llamadas = entorno.mensajes.Llamadas();
    QVERIFY(!llamadas.isEmpty());
    QVERIFY2(llamadas.first().cTexto.startsWith(inicioDelMensaje), qPrintable(llamadas.first().cTexto));
    if (inicioDelMensaje.startsWith(QLatin1String("Error"))) {
        QCOMPARE(llamadas.size(), 1);
        QCOMPARE(llamadas.first().cTitulo, QStringLiteral("Error"));
        QCOMPARE(llamadas.first().nEstilo, 16);
    }

    // The program ends without the close question and without the unload steps.
    const qsizetype nAntes = llamadas.size();
    const qsizetype nVivos = Vivos();
    QVERIFY(ventana.close());
    QCOMPARE(entorno.mensajes.Llamadas().size(), nAntes);
    QCOMPARE(Vivos(), nVivos);
    QCOMPARE(nVivos, caso == QLatin1String("progid") ? 5 : 8);
}

void tst_frmInicial::informeDetenidoMientrasEsperaAlServidor_data()
{
    // clang-format off
    QTest::addColumn<bool>("cierre");   // stopped by closing the window, else by "Cancelar"
    QTest::addColumn<int>("nPregunta"); // the close question asked at the start and answered No after so long
    // Once the progress window is up and the fill waits on the server.
    QTest::newRow("Cancelar en la ventana de avance") << false << 0;
    // At the run's first turn of the event loop, before its session may even be open.
    QTest::newRow("cierre respondido Sí al empezar") << true << 0;
    // The question stays up past the moment of the progress window, which comes up once it is
    // answered, and Cancelar there.
    QTest::newRow("cierre respondido No, luego Cancelar") << false << VentanaOcupada::nMsAntesDelAvance * 3 / 2;
    // clang-format on
}

// Another session holds the invoices, so the fill waits on the server (for ten minutes, the
// window's lock wait here). Meanwhile the window keeps painting, and the person stops the run:
// the statement ends on the server, the lock is free, the table gone, and no error box says so.
void tst_frmInicial::informeDetenidoMientrasEsperaAlServidor()
{
    QFETCH(bool, cierre);
    QFETCH(int, nPregunta);
    BaseDePrueba base;
    base.CreaCatalogos();
    EntornoHost entorno;
    MensajesEnPantalla mensajes;
    entorno.Contexto().pMensajes = &mensajes;
    Prepara(entorno, base);
    EscribeTexto(entorno.ArchivoIni(), TextoDe(entorno.ArchivoIni()) + QStringLiteral("[Esperas]\nBloqueos=600\n"));
    frmInicial ventana(entorno.Contexto(), entorno.RutaEjecutable(), m_control);
    QVERIFY(ventana.Abre());
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
    Connection otraSesion = Connection::Abre(base.Datos());
    otraSesion.Execute(QStringLiteral("lock tables facturas write"));
    Connection vigia = Connection::Abre(base.Datos());

    auto *pEstado = ventana.findChild<QLabel *>(QStringLiteral("lblEstado"));
    auto *pBoton = ventana.findChild<QPushButton *>(QStringLiteral("cmdImprimir"));
    auto *pCliente = ventana.findChild<QLineEdit *>(QStringLiteral("txtDato(0)"));
    const Pinturas pinturas(pEstado);
    // What the window was like while the fill waited, seen from the run's own event loop.
    struct
    {
        int nVueltas = 0;
        QString cEstado;
        int nPinturas = 0;
        bool bCursorOcupado = false;
        bool bCamposCerrados = false;
        int nLlenados = 0;
    } durante;
    // Should the stop not reach the server (or the progress window not come up), the invoices
    // are let go after a while, so that the test ends, and that is a failure.
    bool bSoltadasPorLaPrueba = false;
    QTimer vigilante;
    vigilante.setSingleShot(true);
    vigilante.setInterval(30000);
    connect(&vigilante, &QTimer::timeout, this, [&] {
        bSoltadasPorLaPrueba = true;
        otraSesion.Execute(QStringLiteral("unlock tables"));
    });
    QTimer reloj;
    reloj.setInterval(20);
    connect(&reloj, &QTimer::timeout, this, [&] {
        if (pBoton->isEnabled())
            return; // the run has not started
        if (durante.nVueltas++ == 0)
            vigilante.start();
        if (nPregunta > 0 && durante.nVueltas == 1) {
            mensajes.nMsEnPantalla = nPregunta;
            mensajes.Responde(Msg::No);
            ventana.close();
            mensajes.nMsEnPantalla = 0;
            return;
        }
        auto *pAvance = ventana.findChild<QDialog *>(QStringLiteral("frmAvance"));
        if (!cierre && (!pAvance || !pAvance->isVisible() || LlenadosEnElServidor(vigia) == 0))
            return;
        reloj.stop();
        durante.cEstado = pEstado->text();
        durante.nPinturas = pinturas.n;
        durante.bCursorOcupado = QApplication::overrideCursor() != nullptr;
        durante.bCamposCerrados = !pCliente->isEnabled() && !pBoton->isEnabled();
        durante.nLlenados = LlenadosEnElServidor(vigia);
        if (cierre) {
            mensajes.Responde(Msg::Si);
            ventana.close();
        } else {
            pAvance->findChild<QPushButton *>(QStringLiteral("cmdCancelar"))->click();
        }
    });
    reloj.start();
    QTest::mouseClick(pBoton, Qt::LeftButton); // returns when the run has ended
    vigilante.stop();

    QVERIFY(!bSoltadasPorLaPrueba); // the invoices are still locked: the run ended because it was stopped
    QCOMPARE(LlenadosEnElServidor(vigia), 0);
    QVERIFY(vigia.Execute(QStringLiteral("show tables like 'tmpventas12meses'")).FinDeFilas());
    const QString cBloqueo = vigia.Escapa(BloqueoInforme::NombreDelBloqueo(base.Nombre()));
    QCOMPARE(vigia.Execute(QStringLiteral("select get_lock('%1', 0)").arg(cBloqueo)).Campo(0).toInt(), 1);
    vigia.Execute(QStringLiteral("select release_lock('%1')").arg(cBloqueo));
    otraSesion.Execute(QStringLiteral("unlock tables"));
    QVERIFY(durante.nVueltas > 0);
    QCOMPARE(durante.cEstado, QStringLiteral("Llenando la tabla de trabajo…"));
    QVERIFY(durante.bCursorOcupado);
    QVERIFY(durante.bCamposCerrados);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // The close question when one was asked, and no error box.
    QCOMPARE(mensajes.Llamadas().size(), cierre || nPregunta > 0 ? 1 : 0);
    if (!mensajes.Llamadas().isEmpty())
        QCOMPARE(mensajes.Llamadas().first().cTitulo, QStringLiteral("Finalizar"));
    if (cierre) {
        QVERIFY(!ventana.isVisible());
        QCOMPARE(Vivos(), 0);
        return;
    }
    QCOMPARE(durante.nLlenados, 1);
    QVERIFY(durante.nPinturas > 0); // the status line was painted while the server worked
    QCOMPARE(pEstado->text(), QStringLiteral("Informe cancelado."));
    QVERIFY(pBoton->isEnabled());
    QVERIFY(pCliente->isEnabled());
    QVERIFY(!ventana.findChild<QDialog *>(QStringLiteral("frmAvance")));
    mensajes.Responde(Msg::Si);
    QVERIFY(ventana.close());
}

QTEST_MAIN(tst_frmInicial)
#include "tst_frmInicial.moc"
