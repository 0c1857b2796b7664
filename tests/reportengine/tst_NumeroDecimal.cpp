// Exact decimals: what the database gives as text, summed to the cent and printed with the
// locale's grouping on paper and a plain point in CSV, and the nearest double in a workbook.

#include <QLocale>
#include <QTest>

#include <bit>
#include <cstdlib>

#include "NumeroDecimal.h"

class tst_NumeroDecimal : public QObject
{
    Q_OBJECT

private slots:
    void LeeYEscribe_data();
    void LeeYEscribe();
    void RechazaLoQueNoEsNumero_data();
    void RechazaLoQueNoEsNumero();
    void SumaSinDerivaBinaria_data();
    void SumaSinDerivaBinaria();
    void SumaQueNoCabe();
    void TextoConLaAgrupacionDelLocale_data();
    void TextoConLaAgrupacionDelLocale();
};

void tst_NumeroDecimal::LeeYEscribe_data()
{
    // clang-format off
    QTest::addColumn<QString>("cTexto");
    QTest::addColumn<int>("nDecimales");
    QTest::addColumn<QString>("cEsperado");
    QTest::newRow("dos decimales") << "1234.50" << 2 << "1234.50";
    QTest::newRow("entero con decimales") << "12" << 2 << "12.00";
    QTest::newRow("sin parte entera") << ".5" << 2 << "0.50";
    QTest::newRow("redondeo hacia arriba desde la mitad") << "2.345" << 2 << "2.35";
    QTest::newRow("negativo redondea alejándose del cero") << "-2.345" << 2 << "-2.35";
    QTest::newRow("undécimo decimal redondea el décimo") << "0.00000000005" << 10 << "0.0000000001";
    QTest::newRow("tres decimales de kilos") << "25.833" << 3 << "25.833";
    QTest::newRow("cuatro decimales de precio") << "1234.5678" << 4 << "1234.5678";
    QTest::newRow("negativo que redondea a cero no lleva signo") << "-0.001" << 2 << "0.00";
    QTest::newRow("acarreo hasta los enteros") << "9.995" << 2 << "10.00";
    QTest::newRow("veintisiete dígitos enteros") << "123456789012345678901234567.12" << 2
                                                 << "123456789012345678901234567.12";
    QTest::newRow("un décimo, que ningún double es") << "0.1" << 1 << "0.1";
    QTest::newRow("millones con centavos") << "9469596.61" << 2 << "9469596.61";
    QTest::newRow("dieciséis dígitos") << "123456789012.3456" << 4 << "123456789012.3456";
    QTest::newRow("más dígitos de los que un double guarda") << "9999999999999.9999" << 4 << "9999999999999.9999";
    QTest::newRow("entero impar más allá de 2^53") << "9007199254740993" << 0 << "9007199254740993";
    QTest::newRow("el mayor de 64 bits") << "18446744073709551615" << 0 << "18446744073709551615";
    QTest::newRow("uno más que 64 bits") << "18446744073709551616" << 0 << "18446744073709551616";
    QTest::newRow("64 bits con decimales") << "1844674407370955161.55" << 2 << "1844674407370955161.55";
    // clang-format on
}

void tst_NumeroDecimal::LeeYEscribe()
{
    QFETCH(QString, cTexto);
    QFETCH(int, nDecimales);
    QFETCH(QString, cEsperado);
    const std::optional<NumeroDecimal> numero = NumeroDecimal::DeTexto(cTexto);
    QVERIFY(numero.has_value());
    QCOMPARE(numero->TextoPlano(nDecimales), cEsperado);
    const QByteArray utf8 = cTexto.toUtf8(); // as the database's rows hold it
    QCOMPARE(NumeroDecimal::DeTexto(QUtf8StringView(utf8)), numero);
    // Bit for bit the double that the C library reads in that text (and no -0 for "0.00").
    QCOMPARE(std::bit_cast<quint64>(numero->Real(nDecimales)),
             std::bit_cast<quint64>(std::strtod(cEsperado.toLatin1().constData(), nullptr)));
}

void tst_NumeroDecimal::RechazaLoQueNoEsNumero_data()
{
    // clang-format off
    QTest::addColumn<QString>("cTexto");
    QTest::newRow("vacío") << "";
    QTest::newRow("solo signo") << "-";
    QTest::newRow("letras") << "12a";
    QTest::newRow("exponente") << "1e5";
    QTest::newRow("coma decimal") << "1,5";
    QTest::newRow("agrupado") << "1,234.50";
    QTest::newRow("dígitos árabes orientales") << QString::fromUtf8("١٢");
    QTest::newRow("veintiocho dígitos enteros") << "1234567890123456789012345678";
    // clang-format on
}

void tst_NumeroDecimal::RechazaLoQueNoEsNumero()
{
    QFETCH(QString, cTexto);
    QVERIFY(!NumeroDecimal::DeTexto(cTexto).has_value());
    const QByteArray utf8 = cTexto.toUtf8();
    QVERIFY(!NumeroDecimal::DeTexto(QUtf8StringView(utf8)).has_value());
}

void tst_NumeroDecimal::SumaSinDerivaBinaria_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("sumandos");
    QTest::addColumn<QString>("cEsperado");
    QTest::newRow("0.10 + 0.20") << QStringList{"0.10", "0.20"} << "0.30";
    QTest::newRow("diez veces 0.1") << QStringList(10, "0.1") << "1.00";
    QTest::newRow("grande y pequeño") << QStringList{"99999999999999.99", "0.01"} << "100000000000000.00";
    QTest::newRow("con negativos") << QStringList{"10.05", "-0.10", "-9.95"} << "0.00";
    QTest::newRow("mil veces 0.01") << QStringList(1000, "0.01") << "10.00";
    // clang-format on
}

void tst_NumeroDecimal::SumaSinDerivaBinaria()
{
    QFETCH(QStringList, sumandos);
    QFETCH(QString, cEsperado);
    NumeroDecimal suma;
    for (const QString &cSumando : std::as_const(sumandos))
        QVERIFY(suma.Suma(*NumeroDecimal::DeTexto(cSumando)));
    QCOMPARE(suma.TextoPlano(2), cEsperado);
}

void tst_NumeroDecimal::SumaQueNoCabe()
{
    // 10^27 times 10^10 is close to the top of 128 bits; a hundred thousand of them are not.
    const NumeroDecimal grande = *NumeroDecimal::DeTexto(QStringLiteral("999999999999999999999999999"));
    NumeroDecimal suma;
    bool bCupo = true;
    for (int i = 0; i < 200000 && bCupo; ++i)
        bCupo = suma.Suma(grande);
    QVERIFY(!bCupo);
    const QString cAntes = suma.TextoPlano(0);
    QVERIFY(!suma.Suma(grande));
    QCOMPARE(suma.TextoPlano(0), cAntes); // a refused sum leaves the number as it was
}

void tst_NumeroDecimal::TextoConLaAgrupacionDelLocale_data()
{
    // clang-format off
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("cTexto");
    QTest::addColumn<QString>("cEsperado");
    const QLocale mexico(QLocale::Spanish, QLocale::Mexico);
    const QLocale alemania(QLocale::German, QLocale::Germany);
    QTest::newRow("México, millones") << mexico << "1234567.891" << "1,234,567.89";
    QTest::newRow("México, cuatro cifras") << mexico << "1000" << "1,000.00";
    QTest::newRow("México, negativo") << mexico << "-1234.5" << "-1,234.50";
    QTest::newRow("Alemania") << alemania << "1234567.5" << "1.234.567,50";
    QTest::newRow("cero") << mexico << "0" << "0.00";
    // clang-format on
}

void tst_NumeroDecimal::TextoConLaAgrupacionDelLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, cTexto);
    QFETCH(QString, cEsperado);
    QCOMPARE(NumeroDecimal::DeTexto(cTexto)->TextoLocal(2, locale), cEsperado);
}

QTEST_APPLESS_MAIN(tst_NumeroDecimal)
#include "tst_NumeroDecimal.moc"
