// Values to 16-bit whole numbers as the host's callers expect them.

#include <QtTest>

#include <optional>

#include "Conversiones.h"
#include "Falla.h"
#include "HostError.h"

class tst_Conversiones : public QObject
{
    Q_OBJECT
private slots:
    void aEntero16_data();
    void aEntero16();
};

void tst_Conversiones::aEntero16_data()
{
    // clang-format off
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<int>("esperado");
    QTest::addColumn<int>("falla"); // 0: none

    QTest::newRow("dos") << QVariant("2") << 2 << 0;
    QTest::newRow("con blancos") << QVariant(" 7 ") << 7 << 0;
    QTest::newRow("medio al par de abajo") << QVariant("2.5") << 2 << 0;
    QTest::newRow("medio al par de arriba") << QVariant("3.5") << 4 << 0;
    QTest::newRow("negativo medio") << QVariant("-2.5") << -2 << 0;
    QTest::newRow("casi medio") << QVariant("2.49") << 2 << 0;
    QTest::newRow("mínimo") << QVariant("-32768") << -32768 << 0;
    QTest::newRow("máximo") << QVariant("32767") << 32767 << 0;
    QTest::newRow("número doble") << QVariant(6.5) << 6 << 0;
    QTest::newRow("número entero") << QVariant(12) << 12 << 0;
    QTest::newRow("uno de más") << QVariant("32768") << 0 << CodigoErrorHost::Desbordamiento;
    QTest::newRow("uno de menos") << QVariant("-32769") << 0 << CodigoErrorHost::Desbordamiento;
    QTest::newRow("redondeado fuera") << QVariant("32767.5") << 0 << CodigoErrorHost::Desbordamiento;
    QTest::newRow("entero grande") << QVariant(40000) << 0 << CodigoErrorHost::Desbordamiento;
    QTest::newRow("letras") << QVariant("abc") << 0 << CodigoErrorHost::TipoNoCoincide;
    QTest::newRow("número y letras") << QVariant("2x") << 0 << CodigoErrorHost::TipoNoCoincide;
    QTest::newRow("vacío") << QVariant("") << 0 << CodigoErrorHost::TipoNoCoincide;
    QTest::newRow("blancos") << QVariant("   ") << 0 << CodigoErrorHost::TipoNoCoincide;
    // clang-format on
}

void tst_Conversiones::aEntero16()
{
    QFETCH(QVariant, valor);
    QFETCH(int, esperado);
    QFETCH(int, falla);
    const QString cQue = QStringLiteral("Id moneda USD");
    qint16 nResultado = 0;
    const std::optional<Falla> resultado = FallaDe([&] { nResultado = AEntero16(valor, cQue); });
    QCOMPARE(resultado ? resultado->nNumero : 0, falla);
    if (resultado)
        QVERIFY2(resultado->cDescripcion.contains(cQue), qPrintable(resultado->cDescripcion));
    else
        QCOMPARE(int(nResultado), esperado);
}

QTEST_GUILESS_MAIN(tst_Conversiones)
#include "tst_Conversiones.moc"
