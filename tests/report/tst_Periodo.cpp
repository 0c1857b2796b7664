// The period test and the month columns of the twelve-month report.

#include <QtTest>

#include "EntornoHost.h"
#include "ParametrosRpt.h"
#include "Periodo.h"
#include "Utilerias.h"

namespace {
QDate D(const char *cTexto)
{
    return QDate::fromString(QString::fromLatin1(cTexto), QStringLiteral("dd/MM/yyyy"));
}
const QLocale espanol(QLocale::Spanish, QLocale::Spain);
} // namespace

class tst_Periodo : public QObject
{
    Q_OBJECT
private slots:
    void numeroMes_data();
    void numeroMes();
    void columnas_data();
    void columnas();
    void rechazo_data();
    void rechazo();
    void mesesDelLocale();
    void limpiaParametrosRpt();
};

void tst_Periodo::numeroMes_data()
{
    // clang-format off
    QTest::addColumn<QDate>("fecha");
    QTest::addColumn<int>("numero");
    QTest::newRow("enero de 2000") << D("15/01/2000") << 1;
    QTest::newRow("diciembre de 1999") << D("31/12/1999") << 0;
    QTest::newRow("marzo de 2024") << D("01/03/2024") << 291;
    QTest::newRow("antes de 2000") << D("01/01/1990") << -119;
    // clang-format on
}

void tst_Periodo::numeroMes()
{
    QFETCH(QDate, fecha);
    QFETCH(int, numero);
    QCOMPARE(int(Periodo::NumeroMes(fecha)), numero);
}

void tst_Periodo::columnas_data()
{
    // clang-format off
    QTest::addColumn<QDate>("inicial");
    QTest::addColumn<QDate>("final");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("meses"); // month/year of each column, in order
    QTest::addColumn<QString>("etiquetas");

    QTest::newRow("un año calendario") << D("15/01/2024") << D("31/12/2024") << 11
                                       << "1/2024 2/2024 3/2024 4/2024 5/2024 6/2024 7/2024 8/2024 9/2024 10/2024 11/2024 12/2024"
                                       << "Mes1='ene-24' Mes2='feb-24' Mes3='mar-24' Mes4='abr-24' Mes5='may-24' "
                                          "Mes6='jun-24' Mes7='jul-24' Mes8='ago-24' Mes9='" +
                                              espanol.monthName(9, QLocale::ShortFormat) +
                                              "-24' Mes10='oct-24' Mes11='nov-24' Mes12='dic-24'";
    QTest::newRow("cambio de año") << D("30/11/2024") << D("02/02/2025") << 3 << "11/2024 12/2024 1/2025 2/2025"
                                   << "Mes1='nov-24' Mes2='dic-24' Mes3='ene-25' Mes4='feb-25'";
    QTest::newRow("diciembre a febrero") << D("01/12/2023") << D("29/02/2024") << 2 << "12/2023 1/2024 2/2024"
                                         << "Mes1='dic-23' Mes2='ene-24' Mes3='feb-24'";
    QTest::newRow("un día de diferencia, dos meses") << D("31/01/2024") << D("01/02/2024") << 1 << "1/2024 2/2024"
                                                     << "Mes1='ene-24' Mes2='feb-24'";
    QTest::newRow("mismo día") << D("10/05/2024") << D("10/05/2024") << 0 << "5/2024" << "Mes1='may-24'";
    QTest::newRow("final antes del inicio en el mismo mes") << D("20/01/2024") << D("10/01/2024") << 0 << "1/2024"
                                                            << "Mes1='ene-24'";
    QTest::newRow("final en un mes anterior") << D("15/03/2024") << D("20/01/2024") << -2 << "" << "";
    QTest::newRow("final años antes") << D("15/03/2024") << D("20/01/2019") << -62 << "" << "";
    QTest::newRow("año 2000") << D("01/12/1999") << D("31/01/2000") << 1 << "12/1999 1/2000"
                              << "Mes1='dic-99' Mes2='ene-00'";
    // clang-format on
}

void tst_Periodo::columnas()
{
    QFETCH(QDate, inicial);
    QFETCH(QDate, final);
    QFETCH(int, n);
    QFETCH(QString, meses);
    QFETCH(QString, etiquetas);
    EntornoHost entorno;
    const Utilerias utilerias(entorno.Contexto());

    QCOMPARE(Periodo::MesesEntre(inicial, final), n);
    QVERIFY(Periodo::Prueba(inicial, final, entorno.mensajes));
    QVERIFY(entorno.mensajes.Llamadas().isEmpty());

    const std::vector<MonthColumn> columnas = Periodo::Columnas(inicial, final, utilerias, espanol);
    QStringList obtenidosMeses, obtenidasEtiquetas;
    for (size_t i = 0; i < columnas.size(); ++i) {
        QCOMPARE(int(columnas[i].nPosicion), int(i + 1));
        obtenidosMeses << QStringLiteral("%1/%2").arg(columnas[i].nMes).arg(columnas[i].nAnio);
        obtenidasEtiquetas << columnas[i].cEtiqueta;
    }
    QCOMPARE(obtenidosMeses.join(QLatin1Char(' ')), meses);
    QCOMPARE(obtenidasEtiquetas.join(QLatin1Char(' ')), etiquetas);
}

void tst_Periodo::rechazo_data()
{
    // clang-format off
    QTest::addColumn<QDate>("inicial");
    QTest::addColumn<QDate>("final");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("estilo");
    QTest::newRow("n = 12") << D("01/01/2024") << D("01/01/2025")
                            << "Desde el mes 1 del año inicial hasta el 1 del año final, son más de 12 meses" << 48;
    QTest::newRow("n = 12, octubre") << D("31/10/2023") << D("01/10/2024")
                                     << "Desde el mes 10 del año inicial hasta el 10 del año final, son más de 12 meses" << 48;
    QTest::newRow("n = 14") << D("31/01/2024") << D("01/03/2025") << "Las fechas indicadas exceden el máximo de 12 meses"
                            << 16;
    QTest::newRow("n = 13") << D("01/01/2024") << D("28/02/2025") << "Las fechas indicadas exceden el máximo de 12 meses"
                            << 16;
    QTest::newRow("siglos") << D("01/01/1900") << D("31/12/2999") << "Las fechas indicadas exceden el máximo de 12 meses"
                            << 16;
    // clang-format on
}

void tst_Periodo::rechazo()
{
    QFETCH(QDate, inicial);
    QFETCH(QDate, final);
    QFETCH(QString, texto);
    QFETCH(int, estilo);
    EntornoHost entorno;
    QVERIFY(!Periodo::Prueba(inicial, final, entorno.mensajes));
    QCOMPARE(entorno.mensajes.Llamadas().size(), 1);
    QCOMPARE(entorno.mensajes.Llamadas()[0].cTexto, texto);
    QCOMPARE(entorno.mensajes.Llamadas()[0].nEstilo, estilo);
    QCOMPARE(entorno.mensajes.Llamadas()[0].cTitulo, QStringLiteral("Alerta"));
}

void tst_Periodo::mesesDelLocale()
{
    QCOMPARE(Periodo::LocaleDeMeses(QLocale::c()).language(), QLocale::Spanish);
    QCOMPARE(Periodo::LocaleDeMeses(QLocale(QLocale::English, QLocale::UnitedStates)).language(), QLocale::English);
    QCOMPARE(Periodo::NombreCorto(3, 2024, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("Mar-24"));
    QCOMPARE(Periodo::NombreCorto(1, 2005, espanol), QStringLiteral("ene-05"));
}

void tst_Periodo::limpiaParametrosRpt()
{
    ParametrosRpt parametros;
    parametros.Propiedad15 = 2;
    parametros.ArchivoRpt = QStringLiteral("/x/InformeMensual.rpt");
    parametros.Propiedad24 = 3;
    parametros.Propiedad25 = 1;
    parametros.Propiedad12 = QStringLiteral("salida.pdf");
    parametros.Propiedad30 = {QStringLiteral("a"), QStringLiteral("b")};
    parametros.Propiedad13 = parametros.Propiedad47 = parametros.Propiedad48 = parametros.Propiedad49 =
        QStringLiteral("x");
    parametros.Formulas.fill(QStringLiteral("F='1'"));

    LimpiaParametrosRpt(parametros);
    QCOMPARE(parametros.Propiedad15, 0);
    QCOMPARE(parametros.Propiedad24, qint16(0));
    QCOMPARE(parametros.Propiedad25, qint16(0));
    for (const QString *pTexto : {&parametros.ArchivoRpt, &parametros.Propiedad12, &parametros.Propiedad13,
                                  &parametros.Propiedad47, &parametros.Propiedad48, &parametros.Propiedad49})
        QCOMPARE(*pTexto, QString());
    QCOMPARE(parametros.Propiedad30, QStringList{QString()});
    QCOMPARE(parametros.Formulas.size(), size_t(21));
    for (const QString &cFormula : parametros.Formulas)
        QVERIFY(cFormula.isEmpty());
}

QTEST_GUILESS_MAIN(tst_Periodo)
#include "tst_Periodo.moc"
