// The report job: the sequence of assignments that the report control sees, and how each
// failure is shown and passed over.

#include <QtTest>

#include <memory>

#include "ArchivoOdbc.h"
#include "BasesDD.h"
#include "BloqueoOdbc.h"
#include "BytesRpt.h"
#include "ControlGrabado.h"
#include "EntornoHost.h"
#include "ImprimeRpt.h"
#include "ObjetosPrograma.h"
#include "ParametrosRpt.h"

namespace {

using Formulas = QMap<int, QString>;

const QString cMapeo = QStringLiteral("ventas12meses*tmpventas12meses");

// Two ODBC tables and a local-file one, far enough apart that no window reaches the next
// driver name.
const QByteArray cRelleno(60, '-');
const QByteArray cTresTablas = Bytes("cabecera|pdsodbc.dll|Almena Reportes|reportes.ventas12meses|") + cRelleno +
                               Bytes("pdsodbc.dll|Almena Reportes|reportes.clientes|") + cRelleno +
                               Bytes("pdbdao.dll|local.mdb|productos|");

// The job from the formulas on, for a request just reset; <carpeta> is the report's folder.
QStringList Ajustes(const QString &cRuta, const QString &cPassword = QStringLiteral("secreto"))
{
    return {"15=0",
            "24=0",
            "3=\"<carpeta>/" + cRuta + "\"",
            "25=0",
            "12=\"\"",
            "30[0]=\"\"",
            "13=\"\"",
            "47=\"\"",
            "48=\"\"",
            "49=\"\"",
            "20=\"SERVER=127.0.0.1;DB=empresa;UID=root;PWD=" + cPassword + ";\"",
            "17=1s"};
}

const QStringList cTablasUbicadas{"32[0]=\"empresa.tmpventas12meses\"", "32[1]=\"empresa.clientes\"", "32[2]=\"\""};

} // namespace

class tst_ImprimeRpt : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void secuencia_data();
    void secuencia();
    void ajustesDelPedido();

private:
    std::unique_ptr<ArchivoOdbc> m_odbc;
    std::unique_ptr<EntornoHost> m_entorno;
    std::unique_ptr<QTemporaryDir> m_carpeta;
    ObjetosPrograma m_objetos;
    ControlGrabado m_control;
};

void tst_ImprimeRpt::init()
{
    m_odbc = std::make_unique<ArchivoOdbc>();
    m_entorno = std::make_unique<EntornoHost>();
    m_carpeta = std::make_unique<QTemporaryDir>();
    m_objetos.Crea(m_entorno->fabrica, m_entorno->Contexto());
    BasesDD &bases = m_objetos.Bases();
    bases.cRuta = QStringLiteral("127.0.0.1");
    bases.cUsuario = QStringLiteral("root");
    bases.cPassword = QStringLiteral("secreto");
    bases.cPuerto = QStringLiteral("3410");
    bases.cMiBase = QStringLiteral("empresa");
    m_control = ControlGrabado();
}

void tst_ImprimeRpt::cleanup()
{
    m_objetos.Libera();
    m_carpeta.reset();
    m_entorno.reset();
    m_odbc.reset();
}

void tst_ImprimeRpt::secuencia_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("archivo"); // null: the report file does not exist
    QTest::addColumn<QString>("ruta");       // ArchivoRpt, in the report's folder
    QTest::addColumn<QString>("tablas");
    QTest::addColumn<Formulas>("formulas");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("falla"); // the assignment that the control rejects
    QTest::addColumn<bool>("odbcInalcanzable");
    QTest::addColumn<bool>("odbcOcupado"); // another job holds the data sources
    QTest::addColumn<QStringList>("asignaciones");
    QTest::addColumn<QStringList>("mensajes"); // the beginning of each error box's text

    const QString cRuta = QStringLiteral("InformeMensual.rpt");
    const QStringList cVacio{"3=\"\""};
    QTest::newRow("archivo sin tablas") << Bytes("cabecera|PD|") << cRuta << cMapeo << Formulas() << "secreto" << ""
                                        << false << false << cVacio + Ajustes(cRuta) << QStringList();
    QTest::newRow("archivo inexistente") << QByteArray() << cRuta << cMapeo << Formulas() << "secreto" << "" << false << false
                                         << cVacio + Ajustes(cRuta) << QStringList();
    QTest::newRow("tres tablas") << cTresTablas << cRuta << cMapeo << Formulas() << "secreto" << "" << false << false
                                 << cVacio + cTablasUbicadas + Ajustes(cRuta) << QStringList();
    QTest::newRow("fórmulas 0 y 20")
        << cTresTablas << cRuta << cMapeo << Formulas{{0, "Mes1='ene'"}, {20, "Vendedor='Ana'"}} << "secreto" << ""
        << false << false << cVacio + cTablasUbicadas + QStringList{"29[0]=\"Mes1='ene'\"", "29[20]=\"Vendedor='Ana'\""} +
                        Ajustes(cRuta)
        << QStringList();
    QTest::newRow("falla en la tabla 2 de 3")
        << cTresTablas << cRuta << cMapeo << Formulas{{0, "Mes1='ene'"}} << "secreto" << "32[1]" << false << false
        << cVacio + QStringList{"32[0]=\"empresa.tmpventas12meses\"", "32[2]=\"\"", "29[0]=\"Mes1='ene'\""} +
               Ajustes(cRuta)
        << QStringList{"Error no. 20999: Propiedad rechazada"};
    QTest::newRow("mapeo fallido en la tabla 1")
        << cTresTablas << cRuta << "clientes*c;" << Formulas() << "secreto" << "" << false << false
        << cVacio + QStringList{"32[0]=\"empresa.ventas12meses\"", "32[1]=\"empresa.c\"", "32[2]=\"\""} +
               Ajustes(cRuta)
        << QStringList{"Error no. 5: "};
    QTest::newRow("tabla rota en el archivo")
        << Bytes("pdsodbc.dll|AR|r.t||pdsodbc.dll|AR|r.u") << cRuta << cMapeo << Formulas() << "secreto" << ""
        << false << false << cVacio + Ajustes(cRuta) << QStringList{"Error no. 5: "};
    QStringList sinCorrida = cVacio + Ajustes(cRuta);
    sinCorrida.removeLast();
    QTest::newRow("la corrida falla") << QByteArray() << cRuta << cMapeo << Formulas() << "secreto" << "17" << false << false
                                      << sinCorrida << QStringList{"Error no. 20999: Propiedad rechazada"};
    QTest::newRow("contraseña vacía") << QByteArray() << cRuta << cMapeo << Formulas() << "" << "" << false << false
                                      << cVacio + Ajustes(cRuta, "") << QStringList();
    QTest::newRow("contraseña con ; y llave") << QByteArray() << cRuta << cMapeo << Formulas() << "p;x}y" << "" << false << false
                                              << cVacio + Ajustes(cRuta, "{p;x}}y}") << QStringList();
    QTest::newRow("ruta sin .rpt") << cTresTablas << "InformeMensual" << cMapeo << Formulas() << "secreto" << ""
                                   << false << false << cVacio + cTablasUbicadas + Ajustes(cRuta) << QStringList();
    QTest::newRow("ruta con .RPT") << cTresTablas << "INFORME.RPT" << cMapeo << Formulas() << "secreto" << "" << false << false
                                   << cVacio + cTablasUbicadas + Ajustes("INFORME.RPT") << QStringList();
    QTest::newRow("orígenes ocupados por otro trabajo")
        << cTresTablas << cRuta << cMapeo << Formulas() << "secreto" << "" << false << true << QStringList()
        << QStringList{"Error no. 3011: Otro informe está usando los orígenes de datos ODBC"};
    QTest::newRow("ODBC sin escribir: no corre") << cTresTablas << cRuta << cMapeo << Formulas() << "secreto" << "" << true << false
                                                 << QStringList() << QStringList{"Error no. 75: "};
    // clang-format on
}

void tst_ImprimeRpt::secuencia()
{
    QFETCH(QByteArray, archivo);
    QFETCH(QString, ruta);
    QFETCH(QString, tablas);
    QFETCH(Formulas, formulas);
    QFETCH(QString, password);
    QFETCH(QString, falla);
    QFETCH(bool, odbcInalcanzable);
    QFETCH(bool, odbcOcupado);
    QFETCH(QStringList, asignaciones);
    QFETCH(QStringList, mensajes);

    const QString cCarpeta = m_carpeta->path();
    ParametrosRpt parametros;
    parametros.ArchivoRpt = cCarpeta + QLatin1Char('/') + ruta;
    if (!archivo.isNull())
        EscribeBytes(parametros.ArchivoRpt.endsWith(".rpt", Qt::CaseInsensitive) ? parametros.ArchivoRpt
                                                                                 : parametros.ArchivoRpt + ".rpt",
                     archivo);
    for (auto formula = formulas.cbegin(); formula != formulas.cend(); ++formula)
        parametros.Formulas[formula.key()] = formula.value();
    m_objetos.Bases().cPassword = password;
    if (!falla.isEmpty())
        m_control.FallaEn(falla, 20999, QStringLiteral("Propiedad rechazada"));
    if (odbcInalcanzable)
        m_odbc->Inalcanzable();
    std::optional<BloqueoOdbc> otroTrabajo;
    if (odbcOcupado)
        otroTrabajo.emplace(1);
    m_objetos.Bases().esperas.nOrigenesOdbc = 1;
    int nDatosLeidos = 0;

    ImprimeRpt(QString(), tablas, parametros, m_control, m_objetos, m_entorno->mensajes, [&] { ++nDatosLeidos; });

    asignaciones.replaceInStrings(QStringLiteral("<carpeta>"), cCarpeta);
    QCOMPARE(m_control.Asignaciones(), asignaciones);
    const auto &llamadas = m_entorno->mensajes.Llamadas();
    QCOMPARE(llamadas.size(), mensajes.size());
    for (int i = 0; i < mensajes.size(); ++i) {
        QVERIFY2(llamadas[i].cTexto.startsWith(mensajes[i]), qPrintable(llamadas[i].cTexto));
        QCOMPARE(llamadas[i].nEstilo, 16);
        QCOMPARE(llamadas[i].cTitulo, QStringLiteral("Error"));
    }
    QCOMPARE(nDatosLeidos, 1); // the caller may let go of its tables, whether the report ran or not
    if (!odbcInalcanzable && !odbcOcupado)
        QCOMPARE(m_odbc->Valores(QStringLiteral("Almena Reportes")).value("Password"), password);
}

// Each field of the request goes to its own property, and the job leaves the request as it was.
void tst_ImprimeRpt::ajustesDelPedido()
{
    ParametrosRpt parametros;
    parametros.ArchivoRpt = m_carpeta->filePath(QStringLiteral("informe"));
    parametros.Propiedad15 = 2;
    parametros.Propiedad24 = 3;
    parametros.Propiedad25 = -4;
    parametros.Propiedad12 = QStringLiteral("/tmp/salida.pdf");
    parametros.Propiedad30 = QStringList{QStringLiteral("Bandeja 1"), QStringLiteral("nunca se entrega")};
    parametros.Propiedad13 = QStringLiteral("Ventas");
    parametros.Propiedad47 = QStringLiteral("cuarenta y siete");
    parametros.Propiedad48 = QStringLiteral("cuarenta y ocho");
    parametros.Propiedad49 = QStringLiteral("cuarenta y nueve");
    parametros.Formulas[5] = QStringLiteral("Mes6='jun'");
    const ParametrosRpt antes = parametros;

    ImprimeRpt(QStringLiteral("/datos/local.mdb"), QString(), parametros, m_control, m_objetos, m_entorno->mensajes);

    const QString cRpt = parametros.ArchivoRpt;
    QCOMPARE(cRpt, antes.ArchivoRpt + QStringLiteral(".rpt"));
    QCOMPARE(m_control.Asignaciones(),
             (QStringList{"3=\"\"", "29[5]=\"Mes6='jun'\"", "15=2", "24=3", "3=\"" + cRpt + "\"", "25=-4",
                          "12=\"/tmp/salida.pdf\"", "30[0]=\"Bandeja 1\"", "13=\"Ventas\"", "47=\"cuarenta y siete\"",
                          "48=\"cuarenta y ocho\"", "49=\"cuarenta y nueve\"",
                          "20=\"SERVER=127.0.0.1;DB=empresa;UID=root;PWD=secreto;\"", "17=1s"}));
    QCOMPARE(parametros.Formulas, antes.Formulas);
    QCOMPARE(parametros.Propiedad30, antes.Propiedad30);
    QVERIFY(m_entorno->mensajes.Llamadas().isEmpty());
}

QTEST_MAIN(tst_ImprimeRpt)
#include "tst_ImprimeRpt.moc"
