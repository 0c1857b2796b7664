// The twelve-month report's content from rows in memory: which month columns show, exact
// row sums and totals, the header's period and filter, the CSV file, and the failures for
// rows that do not fit the layout.

#include <QFile>
#include <QTest>

#include "ArmadorContenido.h"
#include "CodigosErrorReporte.h"
#include "CompiladorRpt.h"
#include "ControlReporte.h"
#include "InformeMensualDePrueba.h"
#include "SalidaCsv.h"

namespace {

using Formulas = QHash<QString, QString>;

Formulas Meses(std::initializer_list<int> meses)
{
    static const char *const aNombres[] = {"ene", "feb", "mar", "abr", "may", "jun",
                                           "jul", "ago", "sep", "oct", "nov", "dic"};
    Formulas formulas;
    for (const int n : meses)
        formulas.insert(QStringLiteral("mes%1").arg(n), QStringLiteral("%1-24").arg(QLatin1String(aNombres[n - 1])));
    return formulas;
}

// Rows shaped like the working table joined with the clients; every value not given is "0.00".
struct Fila
{
    QString cCliente;
    QString cNombre;
    QHash<QString, QString> valores;
};

DatosReporte Datos(const QList<Fila> &filas, const QStringList &sinCampos = {})
{
    DatosReporte datos;
    datos.campos.append(QStringLiteral("Cliente"));
    for (int m = 1; m <= 12; ++m)
        datos.campos << QStringLiteral("Mes%1Monto").arg(m) << QStringLiteral("Mes%1Cant").arg(m);
    datos.campos << QStringLiteral("TotalCantRemis") << QStringLiteral("Nombre");
    for (const QString &cCampo : sinCampos)
        datos.campos.removeAll(cCampo);
    for (const Fila &fila : filas) {
        for (const QString &cCampo : std::as_const(datos.campos)) {
            if (cCampo == u"Cliente")
                datos << fila.cCliente;
            else if (cCampo == u"Nombre")
                datos << fila.cNombre;
            else
                datos << fila.valores.value(cCampo, QStringLiteral("0.00"));
        }
    }
    return datos;
}

QString TextoDeLinea(const LineaContenido &linea)
{
    QStringList textos;
    for (const SegmentoContenido &segmento : linea.segmentos)
        textos.append(segmento.texto.Rellena([](const PlantillaTexto::Pieza &pieza) { return pieza.cTexto; }));
    return textos.join(QLatin1String(" | "));
}

ContenidoReporte Arma(const Formulas &formulas, const DatosReporte &datos)
{
    return ArmadorContenido(InformeMensual(), formulas, QDateTime(QDate(2025, 1, 31), QTime(9, 5))).Arma(datos);
}

} // namespace

Q_DECLARE_METATYPE(DatosReporte)

class tst_ArmadorContenido : public QObject
{
    Q_OBJECT

private slots:
    void ColumnasDeLosMesesPuestos_data();
    void ColumnasDeLosMesesPuestos();
    void EncabezadoConPeriodoYFiltro_data();
    void EncabezadoConPeriodoYFiltro();
    void CsvConSumasExactas();
    void TotalesExactos();
    void TotalesConSuCuenta_data();
    void TotalesConSuCuenta();
    void FilasQueNoEncajan_data();
    void FilasQueNoEncajan();
};

void tst_ArmadorContenido::ColumnasDeLosMesesPuestos_data()
{
    // clang-format off
    QTest::addColumn<Formulas>("formulas");
    QTest::addColumn<QStringList>("titulos");
    const QStringList antes{"Cliente", ""}, despues{"Total", "Rem. pend."};
    QTest::newRow("doce meses") << Meses({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
                                << antes + QStringList{"ene-24", "feb-24", "mar-24", "abr-24", "may-24", "jun-24", "jul-24",
                                                       "ago-24", "sep-24", "oct-24", "nov-24", "dic-24"} +
                                       despues;
    QTest::newRow("tres meses") << Meses({1, 2, 3}) << antes + QStringList{"ene-24", "feb-24", "mar-24"} + despues;
    QTest::newRow("un hueco") << Meses({1, 3}) << antes + QStringList{"ene-24", "mar-24"} + despues;
    QTest::newRow("ningún mes") << Formulas() << antes + despues;
    Formulas vacia{{"mes1", ""}};
    QTest::newRow("mes puesto con etiqueta vacía") << vacia << antes + QStringList{""} + despues;
    // clang-format on
}

void tst_ArmadorContenido::ColumnasDeLosMesesPuestos()
{
    QFETCH(Formulas, formulas);
    QFETCH(QStringList, titulos);
    const ContenidoReporte contenido = Arma(formulas, Datos({}));
    QStringList reales;
    for (const ColumnaContenido &columna : contenido.columnas)
        reales.append(columna.cTitulo);
    QCOMPARE(reales, titulos);
}

void tst_ArmadorContenido::EncabezadoConPeriodoYFiltro_data()
{
    // clang-format off
    QTest::addColumn<Formulas>("formulas");
    QTest::addColumn<QStringList>("lineas");
    Formulas conVendedor = Meses({1, 2, 3});
    conVendedor.insert(QStringLiteral("vendedor"), QStringLiteral("V01"));
    QTest::newRow("tres meses y vendedor")
        << conVendedor
        << QStringList{"Ventas de doce meses por cliente", "Periodo: ene-24 a mar-24 | Impreso el 31/01/2025 09:05",
                       "Filtros: vendedor V01"};
    // Each filter in use named with its code and name, joined by "; ", whichever are in use.
    const auto conFiltros = [](std::initializer_list<std::pair<const char *, const char *>> filtros) {
        Formulas formulas = Meses({1});
        for (const auto &[cNombre, cValor] : filtros)
            formulas.insert(QString::fromUtf8(cNombre), QString::fromUtf8(cValor));
        return formulas;
    };
    const QString cPeriodo = QStringLiteral("Periodo: ene-24 a ene-24 | Impreso el 31/01/2025 09:05");
    QTest::newRow("los tres filtros")
        << conFiltros({{"cliente", "C001"},
                       {"nombrecliente", "Díaz; Hijos, S.A."},
                       {"vendedor", "V01"},
                       {"nombrevendedor", "Ana Ruiz"},
                       {"linea", "Pinturas"}})
        << QStringList{"Ventas de doce meses por cliente", cPeriodo,
                       "Filtros: cliente C001 Díaz; Hijos, S.A.; vendedor V01 Ana Ruiz; línea Pinturas"};
    QTest::newRow("cliente sin nombre y línea")
        << conFiltros({{"cliente", "X9"}, {"linea", "Pinturas"}})
        << QStringList{"Ventas de doce meses por cliente", cPeriodo, "Filtros: cliente X9; línea Pinturas"};
    QTest::newRow("vendedor con nombre") << conFiltros({{"vendedor", "V02"}, {"nombrevendedor", "Luis Paz"}})
                                         << QStringList{"Ventas de doce meses por cliente", cPeriodo,
                                                        "Filtros: vendedor V02 Luis Paz"};
    QTest::newRow("solo la línea") << conFiltros({{"linea", "Pinturas"}})
                                   << QStringList{"Ventas de doce meses por cliente", cPeriodo,
                                                  "Filtros: línea Pinturas"};
    QTest::newRow("sin vendedor") << Meses({4})
                                  << QStringList{"Ventas de doce meses por cliente",
                                                 "Periodo: abr-24 a abr-24 | Impreso el 31/01/2025 09:05",
                                                 "Filtros: ninguno"};
    QTest::newRow("sin meses") << Formulas()
                               << QStringList{"Ventas de doce meses por cliente",
                                              "Periodo: sin meses | Impreso el 31/01/2025 09:05", "Filtros: ninguno"};
    // clang-format on
}

void tst_ArmadorContenido::EncabezadoConPeriodoYFiltro()
{
    QFETCH(Formulas, formulas);
    QFETCH(QStringList, lineas);
    const ContenidoReporte contenido = Arma(formulas, Datos({}));
    QStringList reales;
    for (const LineaContenido &linea : contenido.encabezado)
        reales.append(TextoDeLinea(linea));
    QCOMPARE(reales, lineas);
}

void tst_ArmadorContenido::CsvConSumasExactas()
{
    // Month 3 is in the table but not in the period: it stays out of the columns and the sums.
    const DatosReporte datos = Datos({
        {"C001",
         "O'Higgins, \"El Ñandú\"",
         {{"Mes1Monto", "0.10"},
          {"Mes2Monto", "0.20"},
          {"Mes3Monto", "5.00"},
          {"Mes1Cant", "1.50"},
          {"TotalCantRemis", "3.00"}}},
        {"C002", QString(), {{"Mes1Monto", "1234567.89"}, {"Mes2Cant", QString()}}},
        // Texts a spreadsheet would run get an apostrophe; a negative number stays a number.
        {"@SUMA", "=2+3", {{"Mes1Monto", "-2.50"}}},
        {"-C9", "+56 1234", {{"Mes1Cant", "-1"}}},
        {"\tC10", "\rR", {}},
    });
    const QByteArray csv = SalidaCsv::Bytes(Arma(Meses({1, 2}), datos));
    QCOMPARE(csv, QByteArray("Cliente,Nombre,ene-24 cantidad,ene-24 importe,feb-24 cantidad,feb-24 importe,"
                             "Total cantidad,Total importe,Cantidad en remisiones pendientes\r\n"
                             "C001,\"O'Higgins, \"\"El \xC3\x91"
                             "and\xC3\xBA\"\"\",1.50,0.10,0.00,0.20,1.50,0.30,3.00\r\n"
                             "C002,,0.00,1234567.89,,0.00,0.00,1234567.89,0.00\r\n"
                             "'@SUMA,'=2+3,0.00,-2.50,0.00,0.00,0.00,-2.50,0.00\r\n"
                             "'-C9,'+56 1234,-1.00,0.00,0.00,0.00,-1.00,0.00,0.00\r\n"
                             "'\tC10,\"'\rR\",0.00,0.00,0.00,0.00,0.00,0.00,0.00\r\n"));
}

void tst_ArmadorContenido::TotalesExactos()
{
    QList<Fila> filas;
    for (int i = 0; i < 1000; ++i) // a thousand times 0.10 and 0.20: 300.00 exactly
        filas.append(
            Fila{QStringLiteral("C%1").arg(i), QStringLiteral("N"), {{"Mes1Monto", "0.10"}, {"Mes2Monto", "0.20"}}});
    const ContenidoReporte contenido = Arma(Meses({1, 2}), Datos(filas));
    QVERIFY(contenido.bTotales);
    const int nTotal = int(contenido.columnas.size()) - 2;
    QCOMPARE(contenido.Total(1, 2).numero.TextoPlano(2), QStringLiteral("100.00"));
    QCOMPARE(contenido.Total(1, 3).numero.TextoPlano(2), QStringLiteral("200.00"));
    QCOMPARE(contenido.Total(1, nTotal).numero.TextoPlano(2), QStringLiteral("300.00"));
    QCOMPARE(contenido.Texto(contenido.Total(0, 0)), QStringLiteral("Totales (1000 clientes)"));
    QCOMPARE(contenido.Texto(contenido.Total(1, 1)),
             QStringLiteral("Importe")); // the line labels repeat on the totals row
}

void tst_ArmadorContenido::TotalesConSuCuenta_data()
{
    // clang-format off
    QTest::addColumn<Formulas>("formulas");
    QTest::addColumn<int>("nClientes");
    QTest::addColumn<QString>("cRotulo");
    QTest::addColumn<int>("nDecimalesCantidad"); // of the quantities' total, declared with 2
    QTest::newRow("ningún cliente") << Meses({1, 2}) << 0 << "Totales (0 clientes)" << 2;
    QTest::newRow("un cliente") << Meses({1, 2}) << 1 << "Totales (1 cliente)" << 2;
    QTest::newRow("dos clientes") << Meses({1, 2}) << 2 << "Totales (2 clientes)" << 2;
    QTest::newRow("periodo vacío: ningún mes, ningún cliente") << Formulas() << 0 << "Totales (0 clientes)" << 2;
    // clang-format on
}

// The totals' label says the count in the number it needs, and the total of the quantities
// has the decimals that the quantities' columns declare, with or without months to add.
void tst_ArmadorContenido::TotalesConSuCuenta()
{
    QFETCH(Formulas, formulas);
    QFETCH(int, nClientes);
    QFETCH(QString, cRotulo);
    QFETCH(int, nDecimalesCantidad);
    QList<Fila> filas;
    for (int i = 0; i < nClientes; ++i)
        filas.append(Fila{QStringLiteral("C%1").arg(i), QStringLiteral("N"), {{"Mes1Cant", "1.25"}}});
    DatosReporte datos = Datos(filas);
    for (const QString &cCampo : std::as_const(datos.campos))
        datos.escalas.append(cCampo.contains(QLatin1String("Cant")) || cCampo.contains(QLatin1String("Monto")) ? 2
                                                                                                               : -1);
    const ContenidoReporte contenido = Arma(formulas, datos);
    QCOMPARE(contenido.Texto(contenido.Total(0, 0)), cRotulo);
    const int nTotal = int(contenido.columnas.size()) - 2;
    QCOMPARE(contenido.columnas[nTotal].cTitulo, QStringLiteral("Total"));
    QCOMPARE(contenido.columnas[nTotal].decimalesPorLinea[0], nDecimalesCantidad);
    QCOMPARE(contenido.DecimalesDeDatos(nTotal, 0), nDecimalesCantidad);
}

void tst_ArmadorContenido::FilasQueNoEncajan_data()
{
    // clang-format off
    QTest::addColumn<DatosReporte>("datos");
    QTest::addColumn<int>("nFalla"); // 0: no failure
    QTest::addColumn<QString>("cMotivo");
    QTest::newRow("falta el campo de las remisiones") << Datos({}, {"TotalCantRemis"}) << CodigoErrorRpt::CampoFaltante
                                                     << "TotalCantRemis";
    QTest::newRow("falta el importe de un mes del periodo") << Datos({}, {"Mes2Monto"}) << CodigoErrorRpt::CampoFaltante
                                                           << "Mes2Monto";
    QTest::newRow("falta un mes fuera del periodo") << Datos({}, {"Mes12Monto", "Mes12Cant"}) << 0 << "";
    QTest::newRow("texto en un importe")
        << Datos({{"C1", "a", {}}, {"C2", "b", {{"Mes2Monto", "12,50"}}}}) << CodigoErrorRpt::NumeroNoValido
        << "Mes2Monto de la fila 2";
    QList<Fila> enormes; // 200 times 10^30 is past what 128 bits hold at six decimals
    for (int i = 0; i < 200; ++i)
        enormes.append(Fila{"C", "a", {{"Mes1Monto", "999999999999999999999999999"}}});
    QTest::newRow("suma que no cabe") << Datos(enormes) << CodigoErrorRpt::Desbordamiento << "demasiado grande";
    // clang-format on
}

void tst_ArmadorContenido::FilasQueNoEncajan()
{
    QFETCH(DatosReporte, datos);
    QFETCH(int, nFalla);
    QFETCH(QString, cMotivo);
    try {
        Arma(Meses({1, 2}), datos);
        QCOMPARE(0, nFalla);
    } catch (const ErrorReporte &error) {
        QCOMPARE(error.Numero(), nFalla);
        QVERIFY2(error.Descripcion().contains(cMotivo), qPrintable(error.Descripcion()));
    }
}

QTEST_GUILESS_MAIN(tst_ArmadorContenido)
#include "tst_ArmadorContenido.moc"
