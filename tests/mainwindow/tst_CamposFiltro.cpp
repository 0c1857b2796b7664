// The filter fields of the main window, typed into as a person would, against the private
// database server: name echo, key handling, date repair and the print button's period test.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "BaseDePrueba.h"
#include "CajaFecha.h"
#include "ControlGrabado.h"
#include "ControlesDeVentanas.h"
#include "DataCombo.h"
#include "EntornoHost.h"
#include "ReporteVentas12Meses.h"
#include "frmInicial.h"

namespace {
QString Hoy()
{
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}
} // namespace

class tst_CamposFiltro : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void ecoDelCliente_data();
    void ecoDelCliente();
    void etiquetaOcultaConservaElNombreAnterior();
    void ecoDelVendedor();
    void reparaFecha_data();
    void reparaFecha();
    void reparaLaFechaAntesDelClic();
    void teclasDeLosCampos();
    void periodoRechazado_data();
    void periodoRechazado();
    void periodoAceptadoCreaLasColumnas();
    void filtrosComoUnValor();
    void botonDeshabilitadoSoloDuranteLaOperacion();

private:
    ControlGrabado m_control; // the window's report control
    CajaFecha *Fecha(int i) { return m_pVentana->findChild<CajaFecha *>(QStringLiteral("mkeFecha(%1)").arg(i)); }
    QLineEdit *Cliente() { return m_pVentana->findChild<QLineEdit *>(QStringLiteral("txtDato(0)")); }
    DataCombo *Vendedor() { return m_pVentana->findChild<DataCombo *>(QStringLiteral("dtcVendedor")); }
    DataCombo *Linea() { return m_pVentana->findChild<DataCombo *>(QStringLiteral("dcboLinea")); }
    QLabel *Etiqueta(int i) { return m_pVentana->findChild<QLabel *>(QStringLiteral("Label(%1)").arg(i)); }
    QPushButton *Boton() { return m_pVentana->findChild<QPushButton *>(QStringLiteral("cmdImprimir")); }
    void Escribe(QWidget *pCampo, const QString &cTexto)
    {
        pCampo->setFocus();
        QTest::keyClicks(pCampo, cTexto);
    }
    void PoneFecha(int i, const QString &cTexto)
    {
        Fecha(i)->setFocus();
        Fecha(i)->selectAll();
        QTest::keyClick(Fecha(i), Qt::Key_Backspace);
        Fecha(i)->setCursorPosition(0);
        QTest::keyClicks(Fecha(i), QString(cTexto).remove(QLatin1Char('/')));
    }

    std::unique_ptr<BaseDePrueba> m_pBase;
    std::unique_ptr<EntornoHost> m_pEntorno;
    std::unique_ptr<frmInicial> m_pVentana;
};

void tst_CamposFiltro::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
    m_pBase = std::make_unique<BaseDePrueba>();
    m_pBase->CreaCatalogos();
}

void tst_CamposFiltro::init()
{
    m_pEntorno = std::make_unique<EntornoHost>();
    PreparaParaVentanas(m_pEntorno->Contexto());
    m_pEntorno->AlmacenConServidor(BaseDePrueba::Servidor().nPuerto);
    EscribeTexto(m_pEntorno->ArchivoIni(),
                 QStringLiteral("[Configuración]\nBase de datos principal=%1\n").arg(m_pBase->Nombre()));
    m_pVentana = std::make_unique<frmInicial>(m_pEntorno->Contexto(), m_pEntorno->RutaEjecutable(), m_control);
    QVERIFY(m_pVentana->Abre());
    QVERIFY(QTest::qWaitForWindowActive(m_pVentana.get()));
    QVERIFY(m_pEntorno->mensajes.Llamadas().isEmpty());
}

void tst_CamposFiltro::cleanup()
{
    m_pEntorno->mensajes.Responde(Msg::Si);
    m_pVentana->close();
    m_pVentana.reset();
    m_pEntorno.reset();
}

void tst_CamposFiltro::ecoDelCliente_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("tecleos"); // typed in turn; "<borra>" clears the box
    QTest::addColumn<QString>("textoFinal");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("nombre");

    QTest::newRow("espacios alrededor del código") << QStringList{"  C001 "} << "  C001 " << true << "Abarrotes La Esperanza";
    QTest::newRow("minúsculas se vuelven mayúsculas") << QStringList{"c001"} << "C001" << true << "Abarrotes La Esperanza";
    QTest::newRow("sin coincidencia y luego con ella") << QStringList{"C00", "1"} << "C001" << true
                                                       << "Abarrotes La Esperanza";
    QTest::newRow("código que no existe") << QStringList{"C0019"} << "C0019" << false << "";
    QTest::newRow("borrar el código") << QStringList{"C001", "<borra>"} << "" << false << "";
    QTest::newRow("un apóstrofo es parte del código") << QStringList{"o'br"} << "O'BR" << true << "Ferretería O'Brien";
    QTest::newRow("inyección no encuentra nada") << QStringList{"x' or '1'='1"} << "X' OR '1'='1" << false << "";
    QTest::newRow("comentario no encuentra nada") << QStringList{"C001'-- "} << "C001'-- " << false << "";
    // clang-format on
}

void tst_CamposFiltro::ecoDelCliente()
{
    QFETCH(QStringList, tecleos);
    QFETCH(QString, textoFinal);
    QFETCH(bool, visible);
    QFETCH(QString, nombre);
    for (const QString &cTecleo : tecleos) {
        if (cTecleo == QLatin1String("<borra>")) {
            Cliente()->selectAll();
            QTest::keyClick(Cliente(), Qt::Key_Backspace);
        } else {
            Escribe(Cliente(), cTecleo);
        }
    }
    QCOMPARE(Cliente()->text(), textoFinal);
    QCOMPARE(m_pVentana->LeeFiltros().cCliente, textoFinal);
    QCOMPARE(Etiqueta(5)->isVisible(), visible);
    if (visible)
        QCOMPARE(Etiqueta(5)->text(), nombre);
    QVERIFY2(m_pEntorno->mensajes.Llamadas().isEmpty(), qPrintable(m_pEntorno->mensajes.Llamadas().value(0).cTexto));
}

void tst_CamposFiltro::etiquetaOcultaConservaElNombreAnterior()
{
    Escribe(Cliente(), QStringLiteral("C001"));
    QVERIFY(Etiqueta(5)->isVisible());
    Escribe(Cliente(), QStringLiteral("7"));
    QVERIFY(!Etiqueta(5)->isVisible());
    QCOMPARE(Etiqueta(5)->text(), QStringLiteral("Abarrotes La Esperanza"));
}

void tst_CamposFiltro::ecoDelVendedor()
{
    Vendedor()->setCurrentIndex(1); // chosen in the list
    QVERIFY(Etiqueta(6)->isVisible());
    QCOMPARE(Etiqueta(6)->text(), QStringLiteral("Ana López Ruiz"));

    Vendedor()->lineEdit()->clear();
    QVERIFY(!Etiqueta(6)->isVisible());
    Escribe(Vendedor(), QStringLiteral("v09"));
    QCOMPARE(Vendedor()->currentText(), QStringLiteral("V09"));
    QVERIFY(!Etiqueta(6)->isVisible());
    Vendedor()->lineEdit()->selectAll();
    QTest::keyClick(Vendedor(), Qt::Key_Backspace);
    Escribe(Vendedor(), QStringLiteral("v01"));
    QVERIFY(Etiqueta(6)->isVisible());
    QCOMPARE(Etiqueta(6)->text(), QStringLiteral("Juan Pérez Soto"));
    QCOMPARE(m_pVentana->LeeFiltros().cVendedor, QStringLiteral("V01"));

    Linea()->setCurrentIndex(0); // a product line triggers nothing
    QCOMPARE(Etiqueta(6)->text(), QStringLiteral("Juan Pérez Soto"));
    QVERIFY(m_pEntorno->mensajes.Llamadas().isEmpty());
}

void tst_CamposFiltro::reparaFecha_data()
{
    // clang-format off
    QTest::addColumn<QString>("tecleado");
    QTest::addColumn<QString>("trasSalir");
    QTest::newRow("solo los caracteres de máscara") << "" << Hoy();
    QTest::newRow("a medio llenar") << "1203" << Hoy();
    QTest::newRow("31 de febrero") << "31022024" << Hoy();
    QTest::newRow("fecha válida no cambia") << "15012024" << "15/01/2024";
    QTest::newRow("29 de febrero bisiesto") << "29022024" << "29/02/2024";
    // clang-format on
}

void tst_CamposFiltro::reparaFecha()
{
    QFETCH(QString, tecleado);
    QFETCH(QString, trasSalir);
    PoneFecha(0, tecleado);
    QCOMPARE(Fecha(0)->Texto().remove(QLatin1Char('_')).remove(QLatin1Char('/')), tecleado);
    QTest::keyClick(Fecha(0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Fecha(1));
    QCOMPARE(Fecha(0)->Texto(), trasSalir);
    QVERIFY(m_pEntorno->mensajes.Llamadas().isEmpty());
}

void tst_CamposFiltro::reparaLaFechaAntesDelClic()
{
    PoneFecha(1, QStringLiteral("0102"));
    QTest::mouseClick(Boton(), Qt::LeftButton);
    QCOMPARE(Fecha(1)->Texto(), Hoy());
    QVERIFY2(m_pEntorno->mensajes.Llamadas().isEmpty(), qPrintable(m_pEntorno->mensajes.Llamadas().value(0).cTexto));
    QVERIFY(!m_pVentana->Parametros().Formulas[0].isEmpty()); // the click ran with today's date
}

void tst_CamposFiltro::teclasDeLosCampos()
{
    Fecha(0)->setFocus();
    const QString cAntes = Fecha(0)->Texto();
    QTest::keyClicks(Fecha(0), QStringLiteral("a/-"));
    QCOMPARE(Fecha(0)->Texto(), cAntes); // only digits reach a date box
    QTest::keyClick(Fecha(0), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Fecha(1)); // Enter moves on like Tab
    QTest::keyClick(Fecha(1), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), Cliente());
    QTest::keyClick(Cliente(), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), Fecha(1));
    Cliente()->setFocus();
    QTest::keyClick(Cliente(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Vendedor());
    QTest::keyClick(Vendedor(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Linea());
    QTest::keyClick(Linea(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), Boton());
}

void tst_CamposFiltro::periodoRechazado_data()
{
    // clang-format off
    QTest::addColumn<QString>("inicial");
    QTest::addColumn<QString>("final");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("estilo");
    QTest::newRow("doce fronteras de mes") << "01/01/2024" << "01/01/2025"
                                           << "Desde el mes 1 del año inicial hasta el 1 del año final, son más de 12 meses"
                                           << 48;
    QTest::newRow("trece meses") << "31/01/2024" << "01/03/2025" << "Las fechas indicadas exceden el máximo de 12 meses"
                                 << 16;
    // clang-format on
}

void tst_CamposFiltro::periodoRechazado()
{
    QFETCH(QString, inicial);
    QFETCH(QString, final);
    QFETCH(QString, texto);
    QFETCH(int, estilo);
    PoneFecha(0, QStringLiteral("01062024"));
    PoneFecha(1, QStringLiteral("30062024"));
    QTest::mouseClick(Boton(), Qt::LeftButton);
    const std::array<QString, 21> formulasAntes = m_pVentana->Parametros().Formulas;
    QCOMPARE(formulasAntes[0], QStringLiteral("Mes1='jun-24'"));

    PoneFecha(0, inicial);
    PoneFecha(1, final);
    QTest::mouseClick(Boton(), Qt::LeftButton);
    const auto &llamadas = m_pEntorno->mensajes.Llamadas();
    QCOMPARE(llamadas.size(), 1);
    QCOMPARE(llamadas[0].cTexto, texto);
    QCOMPARE(llamadas[0].nEstilo, estilo);
    QCOMPARE(llamadas[0].cTitulo, QStringLiteral("Alerta"));
    QCOMPARE(QApplication::focusWidget(), Fecha(0));
    QVERIFY(Boton()->isEnabled());
    QVERIFY(m_pVentana->Parametros().Formulas == formulasAntes); // the request was not reset
}

void tst_CamposFiltro::periodoAceptadoCreaLasColumnas()
{
    PoneFecha(0, QStringLiteral("15122023"));
    PoneFecha(1, QStringLiteral("02022024"));
    QTest::mouseClick(Boton(), Qt::LeftButton);
    QVERIFY(m_pEntorno->mensajes.Llamadas().isEmpty());
    const auto &formulas = m_pVentana->Parametros().Formulas;
    QCOMPARE(formulas[0], QStringLiteral("Mes1='dic-23'"));
    QCOMPARE(formulas[1], QStringLiteral("Mes2='ene-24'"));
    QCOMPARE(formulas[2], QStringLiteral("Mes3='feb-24'"));
    for (size_t i = 3; i < formulas.size(); ++i)
        QVERIFY2(formulas[i].isEmpty(), qPrintable(formulas[i]));
    QVERIFY(Boton()->isEnabled());
}

void tst_CamposFiltro::filtrosComoUnValor()
{
    PoneFecha(0, QStringLiteral("01022024"));
    Escribe(Cliente(), QStringLiteral(" c001"));
    Vendedor()->setCurrentIndex(0);
    Linea()->setCurrentIndex(1); // "Material eléctrico", ID 2
    const FiltrosInforme filtros = m_pVentana->LeeFiltros();
    QCOMPARE(filtros.cFechaInicial, QStringLiteral("01/02/2024"));
    QCOMPARE(filtros.cFechaFinal, Hoy());
    QCOMPARE(filtros.cCliente, QStringLiteral(" C001"));
    QCOMPARE(filtros.cVendedor, QStringLiteral("V01"));
    QCOMPARE(filtros.cLinea, QStringLiteral("2"));
    Linea()->lineEdit()->setText(QStringLiteral("no es una línea"));
    QVERIFY(m_pVentana->LeeFiltros().cLinea.isEmpty());
}

void tst_CamposFiltro::botonDeshabilitadoSoloDuranteLaOperacion()
{
    Connection cnn = Connection::Abre(m_pBase->Datos());
    ParametrosRpt parametros;
    ReporteVentas12Meses reporte(m_pVentana->Objetos(), cnn, 2, parametros, m_control, QStringLiteral("/no/hay"),
                                 m_pEntorno->mensajes);
    QList<bool> estados;
    reporte.setAlCambiarDisponibilidad([&](bool bDisponible) { estados << bDisponible; });

    FiltrosInforme filtros;
    filtros.cFechaInicial = QStringLiteral("01/01/2024");
    filtros.cFechaFinal = QStringLiteral("31/01/2025");
    QCOMPARE(reporte.Ejecuta(filtros), ReporteVentas12Meses::Resultado::PeriodoRechazado);
    QVERIFY(estados.isEmpty());

    filtros.cFechaFinal = QStringLiteral("31/12/2024");
    QCOMPARE(reporte.Ejecuta(filtros), ReporteVentas12Meses::Resultado::Terminado);
    QCOMPARE(estados, (QList<bool>{false, true}));
    QCOMPARE(reporte.Columnas().size(), size_t(12));
}

QTEST_MAIN(tst_CamposFiltro)
#include "tst_CamposFiltro.moc"
