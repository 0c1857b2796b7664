// The report control's property puts: the bridge's sequence is taken, anything else fails
// with its number and a text that names the property; and the failures of a run that come
// before any connection.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "CodigosErrorReporte.h"
#include "CompiladorRpt.h"
#include "EscritorRpt.h"
#include "Falla.h"
#include "MotorReporte.h"

namespace {

// One put: plain when nIndice is -1 (other negative indices are put as they are).
struct Asignacion
{
    int nDispId = 0;
    int nIndice = -1;
    QVariant valor;
};
using Asignaciones = QList<Asignacion>;

void Asigna(MotorReporte &motor, const Asignacion &asignacion)
{
    if (asignacion.nIndice == -1)
        motor.PropertyPut(PropiedadReporte(asignacion.nDispId), asignacion.valor);
    else
        motor.PropertyPutIndexed(PropiedadReporte(asignacion.nDispId), asignacion.nIndice, asignacion.valor);
}

// The sequence the bridge sends for a request at its reset values, but the run.
Asignaciones SecuenciaDelPuente(const QString &cArchivo)
{
    return {{3, -1, QString()},
            {32, 0, QStringLiteral("datos1.tmpventas12meses")},
            {32, 1, QStringLiteral("datos1.clientes")},
            {29, 0, QStringLiteral("Mes1='ene-24'")},
            {29, 12, QStringLiteral("VENDEDOR='O'Brien'")},
            {15, -1, qint32(0)},
            {24, -1, qint32(0)},
            {3, -1, cArchivo},
            {25, -1, qint32(0)},
            {12, -1, QString()},
            {30, 0, QString()},
            {13, -1, QString()},
            {47, -1, QString()},
            {48, -1, QString()},
            {49, -1, QString()},
            {20, -1, QStringLiteral("SERVER=127.0.0.1;DB=datos1;UID=root;PWD=;")}};
}

} // namespace

Q_DECLARE_METATYPE(Asignacion)

class tst_PropiedadesMotor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void SecuenciaDelPuenteYOtrosValoresBuenos_data();
    void SecuenciaDelPuenteYOtrosValoresBuenos();
    void AsignacionRechazada_data();
    void AsignacionRechazada();
    void EjecucionQueFallaAntesDeConectar_data();
    void EjecucionQueFallaAntesDeConectar();

private:
    QTemporaryDir m_carpeta;
    QString m_cReporte;      // a report of two tables
    QString m_cReporteLocal; // its query reads a local-file table
};

void tst_PropiedadesMotor::initTestCase()
{
    QVERIFY(m_carpeta.isValid());
    const QString cDefinicion =
        QStringLiteral("reporte \"R\"\ntabla 1 odbc \"Sin servidor\" b.t\n"
                       "tabla 2 archivo \"datos.mdb\" local\nformula Mes1 VENDEDOR\n"
                       "consulta\nSELECT * FROM %1\nfin\ncolumna \"C\" auto\n texto \"{a}\"\nfin\n");
    m_cReporte = m_carpeta.filePath(QStringLiteral("r.rpt"));
    EscritorRpt::Escribe(CompiladorRpt::Compila(cDefinicion.arg(QStringLiteral("{T1}"))), m_cReporte);
    m_cReporteLocal = m_carpeta.filePath(QStringLiteral("local.rpt"));
    EscritorRpt::Escribe(CompiladorRpt::Compila(cDefinicion.arg(QStringLiteral("{T2}"))), m_cReporteLocal);
}

void tst_PropiedadesMotor::SecuenciaDelPuenteYOtrosValoresBuenos_data()
{
    // clang-format off
    QTest::addColumn<Asignaciones>("asignaciones");
    QTest::newRow("la secuencia del puente") << SecuenciaDelPuente(QStringLiteral("InformeMensual.rpt"));
    QTest::newRow("a un archivo") << Asignaciones{{15, -1, qint32(2)},
                                                  {12, -1, QStringLiteral("/tmp/x.PDF")},
                                                  {12, -1, QStringLiteral("x.csv")},
                                                  {12, -1, QStringLiteral("x.Xlsx")}};
    QTest::newRow("impresora y papel") << Asignaciones{{15, -1, qint16(1)}, {24, -1, qint32(3)}, {25, -1, 2},
                                                       {47, -1, QStringLiteral("carta")}, {47, -1, QStringLiteral("Legal")},
                                                       {48, -1, QStringLiteral(" 2 - 5 ")}, {48, -1, QStringLiteral("7")},
                                                       {49, -1, QStringLiteral("Automática")}};
    QTest::newRow("enteros como texto") << Asignaciones{{15, -1, QStringLiteral("2")}};
    QTest::newRow("acción 0 no hace nada") << Asignaciones{{17, -1, qint16(0)}};
    QTest::newRow("ranuras extremas") << Asignaciones{{29, 20, QStringLiteral("Mes12 = \"dic-24\"")}, {32, 31, QStringLiteral("t")},
                                                      {29, 0, QString()}};
    // clang-format on
}

void tst_PropiedadesMotor::SecuenciaDelPuenteYOtrosValoresBuenos()
{
    QFETCH(Asignaciones, asignaciones);
    MotorReporte motor;
    for (const Asignacion &asignacion : std::as_const(asignaciones)) {
        try {
            Asigna(motor, asignacion);
        } catch (const ErrorReporte &error) {
            QFAIL(qPrintable(QStringLiteral("%1: %2").arg(asignacion.nDispId).arg(error.Descripcion())));
        }
    }
}

void tst_PropiedadesMotor::AsignacionRechazada_data()
{
    // clang-format off
    QTest::addColumn<Asignacion>("asignacion");
    QTest::addColumn<int>("nFalla");
    QTest::addColumn<QString>("cMotivo");
    using namespace CodigoErrorRpt;
    QTest::newRow("propiedad desconocida") << Asignacion{99, -1, 1} << PropiedadDesconocida << "99";
    QTest::newRow("indexada sin índice") << Asignacion{29, -1, QString()} << PropiedadDesconocida << "índice";
    QTest::newRow("índice a una sin índice") << Asignacion{15, 0, 1} << PropiedadDesconocida << "15";
    QTest::newRow("destino 3") << Asignacion{15, -1, 3} << ValorNoValido << "destino 3";
    QTest::newRow("destino con decimales") << Asignacion{15, -1, 1.5} << ValorNoValido << "entero";
    QTest::newRow("destino en letras") << Asignacion{15, -1, QStringLiteral("dos")} << ValorNoValido << "entero";
    QTest::newRow("archivo .txt") << Asignacion{12, -1, QStringLiteral("informe.txt")} << ValorNoValido << ".xlsx";
    QTest::newRow("archivo sin extensión") << Asignacion{12, -1, QStringLiteral("informe")} << ValorNoValido << "informe";
    QTest::newRow("archivo que solo se llama pdf") << Asignacion{12, -1, QStringLiteral("pdf")} << ValorNoValido << ".csv";
    QTest::newRow("archivo como número") << Asignacion{12, -1, 5} << ValorNoValido << "texto";
    QTest::newRow("mil copias") << Asignacion{24, -1, 1000} << ValorNoValido << "999";
    QTest::newRow("doble cara 4") << Asignacion{25, -1, 4} << ValorNoValido << "25";
    QTest::newRow("entero enorme") << Asignacion{25, -1, qint64(1) << 40} << ValorNoValido << "entero";
    QTest::newRow("papel B5") << Asignacion{47, -1, QStringLiteral("B5")} << ValorNoValido << "B5";
    QTest::newRow("página 0") << Asignacion{48, -1, QStringLiteral("0")} << ValorNoValido << "48";
    QTest::newRow("páginas al revés") << Asignacion{48, -1, QStringLiteral("5-2")} << ValorNoValido << "5-2";
    QTest::newRow("bandeja trasera") << Asignacion{49, -1, QStringLiteral("trasera")} << ValorNoValido << "trasera";
    QTest::newRow("impresora índice 1") << Asignacion{30, 1, QString()} << IndiceNoValido << "índice 0";
    QTest::newRow("impresora que no existe") << Asignacion{30, 0, QStringLiteral("No existe 123")} << ImpresoraNoDisponible
                                             << "No existe 123";
    QTest::newRow("fórmula 21") << Asignacion{29, 21, QStringLiteral("A='b'")} << IndiceNoValido << "21";
    QTest::newRow("fórmula con índice negativo") << Asignacion{29, -2, QStringLiteral("A='b'")} << IndiceNoValido << "-2";
    QTest::newRow("fórmula sin comillas") << Asignacion{29, 0, QStringLiteral("Mes1=ene-24")} << FormulaNoValida << "Mes1=ene-24";
    QTest::newRow("fórmula con comillas distintas") << Asignacion{29, 0, QStringLiteral("Mes1='ene-24\"")} << FormulaNoValida
                                                    << "Nombre='valor'";
    QTest::newRow("fórmula como número") << Asignacion{29, 0, 5} << ValorNoValido << "texto";
    QTest::newRow("tabla 33") << Asignacion{32, 32, QStringLiteral("b.t")} << IndiceNoValido << "33";
    QTest::newRow("tabla sin nombre") << Asignacion{32, 0, QStringLiteral("base.")} << UbicacionNoValida << "no nombra la tabla";
    QTest::newRow("tabla con dos puntos") << Asignacion{32, 0, QStringLiteral("a.b.c")} << UbicacionNoValida << "a.b.c";
    QTest::newRow("conexión con puerto") << Asignacion{20, -1, QStringLiteral("SERVER=h;PORT=1;")} << ConexionNoValida << "PORT";
    QTest::newRow("acción 2") << Asignacion{17, -1, 2} << ValorNoValido << "acción 2";
    // clang-format on
}

void tst_PropiedadesMotor::AsignacionRechazada()
{
    QFETCH(Asignacion, asignacion);
    QFETCH(int, nFalla);
    QFETCH(QString, cMotivo);
    MotorReporte motor;
    const std::optional<Falla> falla = FallaDe<ErrorReporte>([&] { Asigna(motor, asignacion); });
    QVERIFY2(falla, "Se aceptó la asignación");
    QCOMPARE(falla->nNumero, nFalla);
    QVERIFY2(falla->cDescripcion.contains(cMotivo), qPrintable(falla->cDescripcion));
}

void tst_PropiedadesMotor::EjecucionQueFallaAntesDeConectar_data()
{
    // clang-format off
    QTest::addColumn<Asignaciones>("asignaciones");
    QTest::addColumn<int>("nFalla");
    QTest::addColumn<QString>("cMotivo");
    using namespace CodigoErrorRpt;
    QTest::newRow("sin archivo de reporte") << Asignaciones{} << SinArchivoDeReporte << "archivo de reporte";
    QTest::newRow("a archivo sin decir cuál") << Asignaciones{{3, -1, m_cReporte}, {15, -1, 2}} << SinArchivoDeSalida
                                              << "propiedad 12";
    QTest::newRow("reporte que no existe") << Asignaciones{{3, -1, m_carpeta.filePath(QStringLiteral("no.rpt"))}}
                                           << ArchivoNoEncontrado << "no.rpt";
    QTest::newRow("fórmula que el reporte no tiene")
        << Asignaciones{{3, -1, m_cReporte}, {29, 0, QStringLiteral("Mes1='a'")}, {29, 5, QStringLiteral("Linea='3'")}}
        << FormulaDesconocida << "Linea";
    QTest::newRow("consulta de una tabla local") << Asignaciones{{3, -1, m_cReporteLocal}} << TablaNoSoportada << "datos.mdb";
    QTest::newRow("vista previa sin pantalla") << Asignaciones{{3, -1, m_cReporte}, {15, -1, 0}} << SinPantallaNiImpresora
                                               << "no muestra ni imprime";
    // The refused name must not leave the job on its way to the default printer.
    const Asignaciones aImpresoraRechazada{{3, -1, m_cReporte}, {15, -1, 1}, {30, 0, QStringLiteral("No existe 123")}};
    QTest::newRow("impresora rechazada") << aImpresoraRechazada << ImpresoraNoDisponible
                                         << "\"No existe 123\" no existe";
    QTest::newRow("impresora rechazada por el trabajo anterior ya no cuenta")
        << aImpresoraRechazada + Asignaciones{{17, -1, qint16(1)}, {3, -1, m_cReporte}, {15, -1, 1}}
        << SinPantallaNiImpresora << "no muestra ni imprime";
    QTest::newRow("lo que puso el trabajo anterior ya no cuenta")
        << Asignaciones{{3, -1, m_cReporte}, {29, 5, QStringLiteral("Linea='3'")}, {17, -1, qint16(1)}, {3, -1, m_cReporte}}
        << SinPantallaNiImpresora << "no muestra ni imprime";
    QTest::newRow("una fórmula vaciada ya no cuenta")
        << Asignaciones{{3, -1, m_cReporte}, {29, 5, QStringLiteral("Linea='3'")}, {29, 5, QString()}}
        << SinPantallaNiImpresora << "no muestra ni imprime";
    // clang-format on
}

void tst_PropiedadesMotor::EjecucionQueFallaAntesDeConectar()
{
    QFETCH(Asignaciones, asignaciones);
    QFETCH(int, nFalla);
    QFETCH(QString, cMotivo);
    MotorReporte motor;
    for (const Asignacion &asignacion : std::as_const(asignaciones)) {
        const std::optional<Falla> anterior = FallaDe<ErrorReporte>([&] { Asigna(motor, asignacion); });
        // An earlier job's run may fail, and so may the printer's name: the bridge shows that
        // and goes on. Only the last run counts.
        if (anterior)
            QVERIFY2(asignacion.nDispId == int(PropiedadReporte::Accion) ||
                         asignacion.nDispId == int(PropiedadReporte::Impresora),
                     qPrintable(anterior->cDescripcion));
    }
    const std::optional<Falla> falla =
        FallaDe<ErrorReporte>([&] { motor.PropertyPut(PropiedadReporte::Accion, qint16(1)); });
    QVERIFY2(falla, "El reporte se ejecutó");
    QCOMPARE(falla->nNumero, nFalla);
    QVERIFY2(falla->cDescripcion.contains(cMotivo), qPrintable(falla->cDescripcion));
}

QTEST_MAIN(tst_PropiedadesMotor)
#include "tst_PropiedadesMotor.moc"
