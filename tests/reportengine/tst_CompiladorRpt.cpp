// The compiler of report definitions: the twelve-month report's definition compiles into
// what the engine and the bridge expect, every feature survives the trip through a .rpt
// file, and a faulty definition fails with the number of its line.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "CodigosErrorReporte.h"
#include "CompiladorRpt.h"
#include "ControlReporte.h"
#include "EscritorRpt.h"
#include "InformeMensualDePrueba.h"
#include "LectorRpt.h"

namespace {

// Every statement and option of the language once.
QByteArray DefinicionCompleta()
{
    QFile archivo(QStringLiteral(DATOS_PRUEBA "/completo.rptdef"));
    if (!archivo.open(QIODevice::ReadOnly))
        qFatal("No se puede leer completo.rptdef");
    return archivo.readAll();
}

} // namespace

class tst_CompiladorRpt : public QObject
{
    Q_OBJECT

private slots:
    void InformeMensual();
    void IdaYVueltaPorArchivo();
    void CadaOpcionLlegaAlDiseno();
    void DefinicionConFallas_data();
    void DefinicionConFallas();
    void CompilaArchivo_data();
    void CompilaArchivo();
};

void tst_CompiladorRpt::InformeMensual()
{
    const ArchivoRpt archivo = CompiladorRpt::Compila(DefinicionInformeMensual());
    QCOMPARE(archivo.tablas.size(), 2);
    QCOMPARE(archivo.tablas[0], (TablaRpt{TablaRpt::Tipo::Odbc, "Almena Reportes", "almenareportes.ventas12meses"}));
    QCOMPARE(archivo.tablas[1].cOrigenDatos, QStringLiteral("myodbc3-test"));
    QVERIFY(archivo.tablas[1].cUbicacion.endsWith(QLatin1String(".clientes")));
    const DisenoReporte &diseno = archivo.diseno;
    QVERIFY(diseno.cConsulta.contains(QLatin1String("{T1}")) && diseno.cConsulta.contains(QLatin1String("{T2}")));
    for (int n = 1; n <= 12; ++n)
        QVERIFY2(diseno.formulas.contains(QStringLiteral("Mes%1").arg(n)), qPrintable(diseno.formulas.join(',')));
    QVERIFY(diseno.formulas.contains(QStringLiteral("VENDEDOR")));
    QVERIFY(diseno.pagina.bHorizontal);
    QCOMPARE(diseno.serie.nDesde, 1);
    QCOMPARE(diseno.serie.nHasta, 12);
    QVERIFY(diseno.bTotales);
    QCOMPARE(diseno.LineasPorFila(), 2);
}

void tst_CompiladorRpt::IdaYVueltaPorArchivo()
{
    QTemporaryDir carpeta;
    const QString cDefinicion = carpeta.filePath(QStringLiteral("completo.rptdef"));
    const QString cSalida = carpeta.filePath(QStringLiteral("completo.rpt"));
    QFile archivo(cDefinicion);
    QVERIFY(archivo.open(QIODevice::WriteOnly));
    archivo.write(DefinicionCompleta().replace("\n", "\r\n")); // Windows line ends too
    archivo.close();
    CompiladorRpt::CompilaArchivo(cDefinicion, cSalida);
    QCOMPARE(LectorRpt::LeeArchivo(cSalida), CompiladorRpt::Compila(QString::fromUtf8(DefinicionCompleta())));
}

void tst_CompiladorRpt::CadaOpcionLlegaAlDiseno()
{
    const ArchivoRpt archivo = CompiladorRpt::Compila(QString::fromUtf8(DefinicionCompleta()));
    const DisenoReporte &diseno = archivo.diseno;
    QCOMPARE(diseno.cTitulo, QStringLiteral("Título con \"comillas\" y \\ barra"));
    QCOMPARE(archivo.tablas[1], (TablaRpt{TablaRpt::Tipo::ArchivoLocal, "datos.mdb", "dos"}));
    QCOMPARE(diseno.cConsulta, QStringLiteral("SELECT u.*, 'x;y' AS z\n  FROM {T1} u\n\nWHERE 1 = 1"));
    QCOMPARE(diseno.formulas, (QStringList{"A", "B_2", "S3", "S4", "S5"}));
    QCOMPARE(diseno.pagina, (PaginaDiseno{"Oficio", false, 125, "DejaVu Serif", 95}));
    QCOMPARE(diseno.encabezado.size(), 1);
    const LineaFija &encabezado = diseno.encabezado.first();
    QVERIFY(encabezado.bNegrita);
    QCOMPARE(encabezado.nPuntosDecimas, 140);
    QCOMPARE(encabezado.segmentos.size(), 3);
    QCOMPARE(encabezado.segmentos[1], (SegmentoLinea{Alineacion::Centro, "{@A}", "sin A"}));
    QCOMPARE(diseno.pie.first().segmentos.first().alineacion, Alineacion::Centro);
    QCOMPARE(diseno.serie, (SerieDiseno{3, 5, "S#"}));

    QCOMPARE(diseno.columnas.size(), 6);
    const ColumnaDiseno &fijo = diseno.columnas[0];
    QCOMPARE(fijo.ancho, ColumnaDiseno::Ancho::Fijo);
    QCOMPARE(fijo.nAnchoDecimasMm, 250);
    QCOMPARE(fijo.lineas.size(), 3);
    QCOMPARE(fijo.lineas[0], (CeldaDiseno{CeldaDiseno::Tipo::Texto, "{c1} - {c2}", 2, "C1 y C2"}));
    QCOMPARE(fijo.lineas[1].tipo, CeldaDiseno::Tipo::Rotulo);
    QCOMPARE(fijo.lineas[2].tipo, CeldaDiseno::Tipo::Vacia);
    QCOMPARE(diseno.columnas[1].ancho, ColumnaDiseno::Ancho::Resto);
    QCOMPARE(diseno.columnas[1].lineas[0].nDecimales, 0);
    QCOMPARE(diseno.columnas[2].nAnchoDecimasMm, 305);
    QVERIFY(diseno.columnas[3].bEnSerie && diseno.columnas[4].bEnSerie && !diseno.columnas[5].bEnSerie);
    QCOMPARE(diseno.columnas[3].lineas[0], (CeldaDiseno{CeldaDiseno::Tipo::Numero, "m#x", 3, "{@S#} x", true}));
    QCOMPARE(diseno.columnas[5].lineas[0], (CeldaDiseno{CeldaDiseno::Tipo::Suma, "m#x", 4, "suma"}));
    QCOMPARE(diseno.cRotuloTotales, QStringLiteral("Totales de {=Registros}"));
}

void tst_CompiladorRpt::DefinicionConFallas_data()
{
    // clang-format off
    QTest::addColumn<QString>("cDefinicion");
    QTest::addColumn<int>("nLinea");
    QTest::addColumn<QString>("cMotivo");

    // A definition that compiles; each row breaks it in one place.
    const QString cBase = QStringLiteral("reporte \"R\"\n"                           // 1
                                         "tabla 1 odbc \"Origen\" base.tabla\n"      // 2
                                         "formula F\n"                               // 3
                                         "consulta\nSELECT * FROM {T1}\nfin\n"       // 4-6
                                         "columna \"C\" auto\n texto \"{a}\"\nfin\n" // 7-9
    );
    QVERIFY(!CompiladorRpt::Compila(cBase).diseno.columnas.isEmpty());
    const auto con = [&cBase](const QString &cCambio) { return cBase + cCambio; };

    QTest::newRow("instrucción desconocida") << con("tablas 2\n") << 10 << "instrucción desconocida";
    QTest::newRow("comillas sin cerrar") << con("totales \"T\n") << 10 << "cerrar las comillas";
    QTest::newRow("barra sin sentido") << con("totales \"a\\nb\"\n") << 10 << "\\ solo puede ir";
    QTest::newRow("título repetido") << con("reporte \"Otro\"\n") << 10 << "ya tiene título";
    QTest::newRow("tabla fuera de orden") << con("tabla 3 odbc \"O\" b.t\n") << 10 << "se esperaba la tabla 2";
    QTest::newRow("tipo de tabla") << con("tabla 2 dao \"O\" b.t\n") << 10 << "tipo de tabla desconocido";
    QTest::newRow("pd en la ubicación") << con("tabla 2 odbc \"O\" updates.t\n") << 10 << "pd";
    QTest::newRow("registro largo para el puente")
        << con("tabla 2 odbc \"Un origen de datos largo\" una_base.una_tabla_larga\n") << 10 << "60";
    QTest::newRow("ubicación no ASCII") << con("tabla 2 odbc \"O\" año.t\n") << 10 << "ASCII";
    QTest::newRow("fórmula repetida") << con("formula f\n") << 10 << "ya existe";
    QTest::newRow("consulta sin fin") << QStringLiteral("reporte \"R\"\nconsulta\nSELECT 1\n") << 2 << "fin";
    QTest::newRow("tabla que no existe en la consulta")
        << QString(cBase).replace("{T1}", "{T1}, {T2}") << 4 << "tabla {T2}";
    QTest::newRow("papel") << con("pagina B5 horizontal\n") << 10 << "papel desconocido";
    QTest::newRow("más decimales de los que se guardan") << con("columna \"D\" auto\n numero n decimales hasta 11\nfin\n")
                                                         << 11 << "de 0 a 10";
    QTest::newRow("margen con dos decimales") << con("pagina A4 vertical margen 1.25\n") << 10 << "con un decimal";
    QTest::newRow("línea sin texto") << con("encabezado negrita\n") << 10 << "no tiene texto";
    QTest::newRow("llave sin cerrar") << con("pie izquierda \"{=Pagina\"\n") << 10 << "llave";
    QTest::newRow("parte opcional sin cerrar") << con("pie izquierda \"{?{@F} x\"\n") << 10 << "sin su }";
    QTest::newRow("parte opcional dentro de otra")
        << con("pie izquierda \"{?{@F}{?{@F}}}\"\n") << 10 << "dentro de otra";
    QTest::newRow("parte opcional sin campos") << con("pie izquierda \"{?nunca}\"\n") << 10 << "sin campos";
    QTest::newRow("fórmula sin declarar") << con("pie izquierda \"{@G}\"\n") << 10 << "no está declarada";
    QTest::newRow("valor desconocido") << con("pie izquierda \"{=Hoy}\"\n") << 10 << "valor desconocido";
    QTest::newRow("página fuera del encabezado") << con("totales \"{=Pagina}\"\n") << 10 << "solo va en el encabezado";
    QTest::newRow("campo en el encabezado") << con("encabezado izquierda \"{a}\"\n") << 10 << "solo va en las líneas";
    QTest::newRow("columna sin líneas") << con("columna \"D\" auto\nfin\n") << 11 << "ninguna línea";
    QTest::newRow("cinco líneas") << con("columna \"D\" auto\n vacia\n vacia\n vacia\n vacia\n vacia\nfin\n") << 15
                                  << "4 líneas";
    QTest::newRow("csv de un rótulo") << con("columna \"D\" auto\n rotulo \"r\" csv \"x\"\nfin\n") << 11 << "no van al CSV";
    QTest::newRow("suma sin serie") << con("columna \"D\" auto\n suma m# \nfin\n") << 11 << "necesita una serie";
    QTest::newRow("suma sin #") << con("serie 1 a 2 si S#\ncolumna \"x\" auto\nvacia\nfin\nfin\n"
                                       "columna \"D\" auto\n suma m\nfin\n")
                                << 16 << "lleva #";
    QTest::newRow("serie sin fin") << con("serie 1 a 2 si S#\n") << 10 << "serie no termina";
    QTest::newRow("serie vacía") << con("serie 1 a 2 si S#\nfin\n") << 11 << "no tiene columnas";
    QTest::newRow("dos series") << con("serie 1 a 2 si S#\ncolumna \"x\" auto\nvacia\nfin\nfin\nserie 1 a 2 si T#\n") << 15
                                << "una serie a lo más";
    QTest::newRow("serie choca con fórmula") << con("serie 1 a 2 si F#\n").replace("formula F", "formula F2") << 10
                                             << "ya existe";
    QTest::newRow("fin suelto") << con("fin\n") << 10 << "sin consulta";
    QTest::newRow("sin título") << QString(cBase).replace("reporte \"R\"\n", "") << 1 << "falta la instrucción reporte";
    QTest::newRow("sin columnas") << QStringLiteral("reporte \"R\"\nconsulta\nx\nfin\n") << 1 << "no tiene columnas";
    // clang-format on
}

void tst_CompiladorRpt::DefinicionConFallas()
{
    QFETCH(QString, cDefinicion);
    QFETCH(int, nLinea);
    QFETCH(QString, cMotivo);
    try {
        CompiladorRpt::Compila(cDefinicion);
        QFAIL("La definición se compiló");
    } catch (const ErrorReporte &error) {
        QCOMPARE(error.Numero(), CodigoErrorRpt::DefinicionNoValida);
        QVERIFY2(error.Descripcion().startsWith(QStringLiteral("Línea %1:").arg(nLinea)),
                 qPrintable(error.Descripcion()));
        QVERIFY2(error.Descripcion().contains(cMotivo), qPrintable(error.Descripcion()));
    }
}

void tst_CompiladorRpt::CompilaArchivo_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("definicion"); // empty: no definition file at all
    QTest::addColumn<QString>("cSalida");
    QTest::addColumn<int>("nFalla");
    const QByteArray buena = DefinicionInformeMensual().toUtf8();
    QTest::newRow("sin archivo de definición") << QByteArray() << "s.rpt" << CodigoErrorRpt::ArchivoNoEncontrado;
    QTest::newRow("no es UTF-8") << QByteArray("reporte \"Espa\xF1" "a\"\n") << "s.rpt" << CodigoErrorRpt::DefinicionNoValida;
    QTest::newRow("carpeta de salida que no existe") << buena << "no/existe/s.rpt" << CodigoErrorRpt::SalidaNoEscrita;
    // clang-format on
}

void tst_CompiladorRpt::CompilaArchivo()
{
    QFETCH(QByteArray, definicion);
    QFETCH(QString, cSalida);
    QFETCH(int, nFalla);
    QTemporaryDir carpeta;
    const QString cDefinicion = carpeta.filePath(QStringLiteral("d.rptdef"));
    if (!definicion.isEmpty()) {
        QFile archivo(cDefinicion);
        QVERIFY(archivo.open(QIODevice::WriteOnly));
        archivo.write(definicion);
    }
    try {
        CompiladorRpt::CompilaArchivo(cDefinicion, carpeta.filePath(cSalida));
        QFAIL("Se compiló");
    } catch (const ErrorReporte &error) {
        QCOMPARE(error.Numero(), nFalla);
    }
    QVERIFY(!QFile::exists(carpeta.filePath(cSalida)));
}

QTEST_GUILESS_MAIN(tst_CompiladorRpt)
#include "tst_CompiladorRpt.moc"
