// The utilities object: statement templates and the cipher of stored accounts.

#include <QtTest>

#include <optional>

#include "EntornoHost.h"
#include "Falla.h"
#include "HostError.h"
#include "HostFactory.h"
#include "Utilerias.h"

class tst_Utilerias : public QObject
{
    Q_OBJECT
private slots:
    void cambXXX_data();
    void cambXXX();
    void encriptaIdaYVuelta_data();
    void encriptaIdaYVuelta();
    void desEncriptaRechazaLoQueNoEsCifrado_data();
    void desEncriptaRechazaLoQueNoEsCifrado();
};

void tst_Utilerias::cambXXX_data()
{
    // clang-format off
    QTest::addColumn<QString>("plantilla");
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("uno") << "select * from lineas where ID=XXX" << QVariant(3) << "select * from lineas where ID=3";
    QTest::newRow("todos") << "Clave='XXX' or Padre='XXX' or XXX" << QVariant("V01")
                           << "Clave='V01' or Padre='V01' or V01";
    QTest::newRow("con comilla") << "Nombre='XXX'" << QVariant("Ferretería O'Brien") << "Nombre='Ferretería O'Brien'";
    QTest::newRow("entero largo") << "ID=XXX" << QVariant(qlonglong(9000000000)) << "ID=9000000000";
    QTest::newRow("decimal") << "Importe>XXX" << QVariant(10.25) << "Importe>10.25";
    QTest::newRow("negativo") << "Saldo<XXX" << QVariant(-4) << "Saldo<-4";
    QTest::newRow("vacío") << "[XXX]" << QVariant(QString()) << "[]";
    QTest::newRow("sin XXX") << "select count(*) from lineas" << QVariant(7) << "select count(*) from lineas";
    QTest::newRow("minúsculas no") << "xxx=XXX" << QVariant(1) << "xxx=1";
    QTest::newRow("cuatro X") << "XXXX" << QVariant(1) << "1X";
    QTest::newRow("valor con XXX") << "XXX-XXX" << QVariant("aXXX") << "aXXX-aXXX";
    // clang-format on
}

void tst_Utilerias::cambXXX()
{
    QFETCH(QString, plantilla);
    QFETCH(QVariant, valor);
    QFETCH(QString, esperado);
    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.Utilerias"), entorno.Contexto());
    QCOMPARE(Como<Utilerias>(objeto).CambXXX(plantilla, valor), esperado);
}

void tst_Utilerias::encriptaIdaYVuelta_data()
{
    // clang-format off
    QTest::addColumn<QString>("texto");
    QTest::newRow("vacío") << "";
    QTest::newRow("un blanco") << " ";
    QTest::newRow("root") << "root";
    QTest::newRow("UTF-8") << "contraseña";
    QTest::newRow("signos del INI") << "a;b=c [d] #e";
    QTest::newRow("letras iguales") << "aaaaaaaa";
    QTest::newRow("largo") << QString(300, QLatin1Char('x')) + QStringLiteral("ñ");
    // clang-format on
}

void tst_Utilerias::encriptaIdaYVuelta()
{
    QFETCH(QString, texto);
    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.Utilerias"), entorno.Contexto());
    const Utilerias &utilerias = Como<Utilerias>(objeto);

    const QString cCifrado = utilerias.Encripta(texto);
    QVERIFY2(QRegularExpression(QStringLiteral("^([0-9A-Fa-f]{2})+$")).match(cCifrado).hasMatch(),
             qPrintable(cCifrado));
    QVERIFY2(cCifrado != texto, qPrintable(cCifrado));
    if (texto.toUtf8().size() >= 4) // not merely the text in hexadecimal
        QVERIFY2(!cCifrado.contains(QString::fromLatin1(texto.toUtf8().toHex()), Qt::CaseInsensitive),
                 qPrintable(cCifrado));
    QCOMPARE(utilerias.DesEncripta(cCifrado), texto);
}

void tst_Utilerias::desEncriptaRechazaLoQueNoEsCifrado_data()
{
    // clang-format off
    QTest::addColumn<QString>("cifrado");

    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.Utilerias"), entorno.Contexto());
    const QString cBueno = Como<Utilerias>(objeto).Encripta(QStringLiteral("contraseña"));
    QVERIFY(cBueno.size() >= 6);

    // One hexadecimal digit changed at position n.
    const auto conDigitoCambiado = [&](qsizetype n) {
        QString cDanado = cBueno;
        cDanado[n] = cBueno.at(n) == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
        return cDanado;
    };

    QTest::newRow("vacío") << "";
    QTest::newRow("blancos") << "   ";
    QTest::newRow("no hexadecimal") << "XYZ";
    QTest::newRow("no hexadecimal par") << "XYZW";
    QTest::newRow("largo impar") << cBueno.chopped(1);
    QTest::newRow("un byte de menos") << cBueno.chopped(2);
    QTest::newRow("un byte de más") << cBueno + QStringLiteral("00");
    QTest::newRow("texto plano") << "root";
    QTest::newRow("primer dígito cambiado") << conDigitoCambiado(0);
    QTest::newRow("un dígito de en medio cambiado") << conDigitoCambiado(cBueno.size() / 2);
    QTest::newRow("otro dígito de en medio cambiado") << conDigitoCambiado(cBueno.size() / 2 + 3);
    QTest::newRow("último dígito cambiado") << conDigitoCambiado(cBueno.size() - 1);
    // clang-format on
}

void tst_Utilerias::desEncriptaRechazaLoQueNoEsCifrado()
{
    QFETCH(QString, cifrado);
    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.Utilerias"), entorno.Contexto());
    QString cResultado;
    const std::optional<Falla> falla = FallaDe([&] { cResultado = Como<Utilerias>(objeto).DesEncripta(cifrado); });
    QVERIFY2(falla, qPrintable(QStringLiteral("se aceptó y dio «%1»").arg(cResultado)));
    QCOMPARE(falla->nNumero, CodigoErrorHost::TipoNoCoincide);
    QVERIFY(!falla->cDescripcion.isEmpty());
}

QTEST_GUILESS_MAIN(tst_Utilerias)
#include "tst_Utilerias.moc"
