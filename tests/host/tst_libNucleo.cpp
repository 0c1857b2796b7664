// The core object's conversions: numbers as a person reads them, dates for SQL.

#include <QtTest>

#include <optional>

#include "EntornoHost.h"
#include "HostFactory.h"
#include "libNucleo.h"

class tst_libNucleo : public QObject
{
    Q_OBJECT
private slots:
    void orVal_data();
    void orVal();
    void fechaSQL_data();
    void fechaSQL();
};

void tst_libNucleo::orVal_data()
{
    // clang-format off
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<double>("esperado");

    QTest::newRow("vacío") << QVariant(QString()) << 0.0;
    QTest::newRow("nulo") << QVariant() << 0.0;
    QTest::newRow("cero") << QVariant("0") << 0.0;
    QTest::newRow("puerto") << QVariant("3306") << 3306.0;
    QTest::newRow("blancos y letras") << QVariant("  12abc") << 12.0;
    QTest::newRow("tabulador") << QVariant("\t7") << 7.0;
    QTest::newRow("letras") << QVariant("abc") << 0.0;
    QTest::newRow("negativo decimal") << QVariant("-4.5x") << -4.5;
    QTest::newRow("con signo más") << QVariant("+8") << 8.0;
    QTest::newRow("dos puntos") << QVariant("1.2.3") << 1.2;
    QTest::newRow("punto al principio") << QVariant(".5") << 0.5;
    QTest::newRow("coma") << QVariant("1,5") << 1.0;
    QTest::newRow("solo signo") << QVariant("-") << 0.0;
    QTest::newRow("solo punto") << QVariant(".") << 0.0;
    QTest::newRow("entero") << QVariant(42) << 42.0;
    QTest::newRow("entero negativo") << QVariant(-3) << -3.0;
    QTest::newRow("entero largo") << QVariant(qlonglong(5000000000)) << 5000000000.0;
    QTest::newRow("doble") << QVariant(2.75) << 2.75;
    // clang-format on
}

void tst_libNucleo::orVal()
{
    QFETCH(QVariant, valor);
    QFETCH(double, esperado);
    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.libNucleo"), entorno.Contexto());
    QCOMPARE(Como<libNucleo>(objeto).orVal(valor), esperado);
}

void tst_libNucleo::fechaSQL_data()
{
    // clang-format off
    QTest::addColumn<QDate>("fecha");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("día y mes de una cifra") << QDate(2024, 3, 5) << "2024-03-05";
    QTest::newRow("fin de año") << QDate(2023, 12, 31) << "2023-12-31";
    QTest::newRow("bisiesto") << QDate(2024, 2, 29) << "2024-02-29";
    // clang-format on
}

void tst_libNucleo::fechaSQL()
{
    QFETCH(QDate, fecha);
    QFETCH(QString, esperado);
    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.libNucleo"), entorno.Contexto());
    QCOMPARE(Como<libNucleo>(objeto).FechaSQL(fecha), esperado);
}

QTEST_GUILESS_MAIN(tst_libNucleo)
#include "tst_libNucleo.moc"
