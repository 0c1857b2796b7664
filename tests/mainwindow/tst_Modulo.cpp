// A window's placement through a real settings file, and the description window that uses it.

#include <QMenuBar>
#include <QScrollBar>
#include <QTextEdit>
#include <QtTest>

#include "DeArchivos.h"
#include "EntornoHost.h"
#include "IniArchivo.h"
#include "Modulo.h"
#include "Twips.h"
#include "frmDescripcion.h"
#include "libNucleo.h"

namespace {
// A window of fixed design size, named as the program's windows are.
class Ventana : public QWidget
{
public:
    explicit Ventana(const QString &cNombre, const QString &cEtiqueta = {})
    {
        setObjectName(cNombre);
        setProperty("Tag", cEtiqueta);
        setWindowTitle(QStringLiteral("Ventana de prueba"));
        resize(Twips::APixeles(4500), Twips::APixeles(3000));
    }
};

// Puts the window's frame at the place and gives its client area the size, in twips.
void ColocaMarco(QWidget &ventana, const QRect &twips)
{
    ventana.show();
    ventana.move(Twips::APixeles(twips.x()), Twips::APixeles(twips.y()));
    ventana.resize(Twips::APixeles(twips.width()), Twips::APixeles(twips.height()));
}

QRect EnTwips(const QWidget &ventana)
{
    return QRect(Twips::DePixeles(ventana.pos().x()), Twips::DePixeles(ventana.pos().y()),
                 Twips::DePixeles(ventana.width()), Twips::DePixeles(ventana.height()));
}
} // namespace

class tst_Modulo : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void idaYVuelta();
    void carga_data();
    void carga();
    void guardaEnOrdenYSinSeccionNoEscribe();
    void descripcionAcomodaSuTexto_data();
    void descripcionAcomodaSuTexto();
    void descripcionRecuerdaSuLugar();
    void descripcionEditaElIni();

private:
    std::unique_ptr<EntornoHost> m_pEntorno;
    std::unique_ptr<HostObjectPtr> m_pNucleo;
    std::unique_ptr<HostObjectPtr> m_pArchivos;
    libNucleo &Nucleo() { return Como<libNucleo>(*m_pNucleo); }
    frmDescripcion *NuevaDescripcion()
    {
        return new frmDescripcion(Nucleo(), Como<DeArchivos>(*m_pArchivos), m_pEntorno->mensajes, Ini());
    }
    QString Ini() { return m_pEntorno->ArchivoIni(); }
};

void tst_Modulo::init()
{
    m_pEntorno = std::make_unique<EntornoHost>();
    m_pNucleo = std::make_unique<HostObjectPtr>(
        m_pEntorno->fabrica.Crea(QStringLiteral("Orbe5.libNucleo"), m_pEntorno->Contexto()));
    m_pArchivos = std::make_unique<HostObjectPtr>(
        m_pEntorno->fabrica.Crea(QStringLiteral("Orbe5.DeArchivos"), m_pEntorno->Contexto()));
}

void tst_Modulo::idaYVuelta()
{
    bool bConTamano = true;
    Ventana guardada(QStringLiteral("frmPrueba"));
    ColocaMarco(guardada, QRect(2400, 1200, 9300, 7200));
    Modulo::GuardaVentana(guardada, bConTamano, Nucleo(), Ini());

    Ventana leida(QStringLiteral("frmPrueba"));
    leida.show();
    Modulo::CargaVentana(leida, bConTamano, Nucleo(), Ini());
    QCOMPARE(EnTwips(leida), QRect(2400, 1200, 9300, 7200));
}

void tst_Modulo::carga_data()
{
    // clang-format off
    QTest::addColumn<QString>("etiqueta");
    QTest::addColumn<QString>("ini");
    QTest::addColumn<bool>("conTamano");
    QTest::addColumn<QRect>("esperado"); // in twips

    const QString cCompleta = QStringLiteral("[frmPrueba]\nVentana=x\nLinea=1200\nColumna=2400\nAncho=9300\nAlto=7200\n");
    QTest::newRow("completa") << "" << cCompleta << true << QRect(2400, 1200, 9300, 7200);
    QTest::newRow("sin tamaño pedido") << "" << cCompleta << false << QRect(2400, 1200, 4500, 3000);
    QTest::newRow("primera vez: sin entradas") << "" << "" << true << QRect(0, 0, 4500, 3000);
    QTest::newRow("sin Ancho: ni lugar ni tamaño") << "" << "[frmPrueba]\nLinea=1200\nColumna=2400\n" << true
                                                  << QRect(0, 0, 4500, 3000);
    QTest::newRow("Ancho con letras") << "" << "[frmPrueba]\nLinea=1200\nColumna=2400\nAncho=ancho\nAlto=7200\n"
                                      << true << QRect(0, 0, 4500, 3000);
    QTest::newRow("Linea fuera de intervalo") << "" << "[frmPrueba]\nLinea=40000\nColumna=2400\n" << false
                                              << QRect(2400, 0, 4500, 3000);
    QTest::newRow("Alto fuera de intervalo") << "" << "[frmPrueba]\nLinea=1200\nColumna=2400\nAncho=9300\nAlto=32768\n"
                                             << true << QRect(0, 0, 4500, 3000);
    QTest::newRow("Linea con letras tras el número") << "" << "[frmPrueba]\nLinea=1200px\nColumna=2400\n" << false
                                                     << QRect(2400, 1200, 4500, 3000);
    QTest::newRow("medio twip va al par") << "" << "[frmPrueba]\nLinea=1200\nColumna=2400\nAncho=9300.5\nAlto=7201.5\n"
                                          << true << QRect(2400, 1200, 9300, 7200);
    QTest::newRow("Tag de tres espacios: no se encuentra") << "   " << cCompleta << true << QRect(0, 0, 4500, 3000);
    QTest::newRow("Tag propio") << "Otra" << "[Otra]\nLinea=300\nColumna=600\nAncho=6000\nAlto=4500\n" << true
                                << QRect(600, 300, 6000, 4500);
    // clang-format on
}

void tst_Modulo::carga()
{
    QFETCH(QString, etiqueta);
    QFETCH(QString, ini);
    QFETCH(bool, conTamano);
    QFETCH(QRect, esperado);
    EscribeTexto(Ini(), ini);
    Ventana ventana(QStringLiteral("frmPrueba"), etiqueta);
    ColocaMarco(ventana, QRect(990, 885, 4500, 3000));
    Modulo::CargaVentana(ventana, conTamano, Nucleo(), Ini());
    QCOMPARE(EnTwips(ventana), esperado);
}

void tst_Modulo::guardaEnOrdenYSinSeccionNoEscribe()
{
    bool bConTamano = true;
    Ventana conTres(QStringLiteral(" frmPrueba "), QStringLiteral("   "));
    ColocaMarco(conTres, QRect(150, 75, 4500, 3000));
    Modulo::GuardaVentana(conTres, bConTamano, Nucleo(), Ini());
    QCOMPARE(TextoDe(Ini()),
             QStringLiteral("[frmPrueba]\nVentana=Ventana de prueba\nLinea=75\nColumna=150\nAncho=4500\nAlto=3000\n"));

    const QString cAntes = TextoDe(Ini());
    Ventana sinNombre(QStringLiteral("  "));
    Modulo::GuardaVentana(sinNombre, bConTamano, Nucleo(), Ini());
    QCOMPARE(TextoDe(Ini()), cAntes);
}

void tst_Modulo::descripcionAcomodaSuTexto_data()
{
    // clang-format off
    QTest::addColumn<QSize>("ventana");  // outer size in twips
    QTest::addColumn<QSize>("margenes"); // of its frame and menu; empty: the design's
    QTest::addColumn<QSize>("texto");
    QTest::newRow("9500 x 7000") << QSize(9500, 7000) << QSize() << QSize(9240, 6400);
    QTest::newRow("justo los márgenes") << QSize(260, 600) << QSize() << QSize(0, 0);
    QTest::newRow("más chica que los márgenes") << QSize(150, 450) << QSize() << QSize(0, 0);
    QTest::newRow("minimizada") << QSize(0, 0) << QSize() << QSize(0, 0);
    QTest::newRow("marco delgado") << QSize(9500, 7000) << QSize(90, 480) << QSize(9410, 6520);
    // clang-format on
}

void tst_Modulo::descripcionAcomodaSuTexto()
{
    QFETCH(QSize, ventana);
    QFETCH(QSize, margenes);
    QFETCH(QSize, texto);
    QCOMPARE(margenes.isValid() ? frmDescripcion::TamanoDelTexto(ventana, margenes)
                                : frmDescripcion::TamanoDelTexto(ventana),
             texto);

    // On the window itself the box fills the area under the menu to the pixel, at first show
    // and after a resize; its text wraps instead of scrolling sideways.
    frmDescripcion *pVentana = NuevaDescripcion();
    for (const QRect &marco : {QRect(0, 0, 9500, 7000), QRect(300, 300, 6000, 4000)}) {
        ColocaMarco(*pVentana, marco);
        QCOMPARE(pVentana->Texto()->geometry(), pVentana->centralWidget()->rect());
        QVERIFY(!pVentana->Texto()->horizontalScrollBar()->isVisible());
    }
    pVentana->close();
}

void tst_Modulo::descripcionRecuerdaSuLugar()
{
    frmDescripcion *pPrimera = NuevaDescripcion();
    QCOMPARE(EnTwips(*pPrimera).topLeft(), QPoint(0, 0)); // the first time: top-left corner
    QCOMPARE(pPrimera->windowTitle(), QStringLiteral("Descripción del programa"));
    QVERIFY(pPrimera->Texto()->toPlainText().contains(QStringLiteral("--desde")));
    ColocaMarco(*pPrimera, QRect(2400, 1200, 9300, 7200));
    QPointer<frmDescripcion> pVigilada(pPrimera);
    pPrimera->close(); // deleted on close, after saving its placement
    QTRY_VERIFY(pVigilada.isNull());
    QCOMPARE(IniArchivo::Lee(Ini(), QStringLiteral("frmDescripcion"), QStringLiteral("Ancho")), QStringLiteral("9300"));

    frmDescripcion *pSegunda = NuevaDescripcion();
    pSegunda->show();
    QCOMPARE(EnTwips(*pSegunda), QRect(2400, 1200, 9300, 7200));
    pSegunda->close();
}

void tst_Modulo::descripcionEditaElIni()
{
    frmDescripcion *pVentana = NuevaDescripcion();
    QVERIFY(QFile::remove(Ini())); // a file not yet written is handed to the editor all the same
    pVentana->AccionEditarIni()->trigger();
    pVentana->AccionEditarIni()->trigger();
    QCOMPARE(m_pEntorno->documentosAbiertos, (QStringList{Ini(), Ini()}));
    QCOMPARE(pVentana->Texto()->actions().size(), 2); // both commands on the context menu too
    pVentana->close();
}

QTEST_MAIN(tst_Modulo)
#include "tst_Modulo.moc"
