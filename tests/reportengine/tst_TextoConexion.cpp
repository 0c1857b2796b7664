// The connection text of property 20 and the ODBC connection string made from it: the
// bridge's values as they come (a password may hold ";" or "="), braces where the driver
// needs them, and the quirks of Qt's ODBC driver.

#include <QTest>

#include "CodigosErrorReporte.h"
#include "ControlReporte.h"
#include "TextoConexion.h"

using Opcional = std::optional<QString>;

class tst_TextoConexion : public QObject
{
    Q_OBJECT

private slots:
    void Analiza_data();
    void Analiza();
    void RechazaLoQueNoEntiende_data();
    void RechazaLoQueNoEntiende();
    void CadenaOdbc_data();
    void CadenaOdbc();
};

void tst_TextoConexion::Analiza_data()
{
    // clang-format off
    QTest::addColumn<QString>("cTexto");
    QTest::addColumn<Opcional>("cServidor");
    QTest::addColumn<Opcional>("cBase");
    QTest::addColumn<Opcional>("cUsuario");
    QTest::addColumn<Opcional>("cPassword");
    QTest::newRow("como lo arma el puente") << "SERVER=127.0.0.1;DB=datos1;UID=root;PWD=secreto;" << Opcional("127.0.0.1")
                                           << Opcional("datos1") << Opcional("root") << Opcional("secreto");
    QTest::newRow("contraseña vacía") << "SERVER=h;DB=d;UID=u;PWD=;" << Opcional("h") << Opcional("d") << Opcional("u")
                                      << Opcional("");
    QTest::newRow("contraseña con ; y =") << "SERVER=h;DB=d;UID=u;PWD=a;b=c;" << Opcional("h") << Opcional("d")
                                          << Opcional("u") << Opcional("a;b=c");
    QTest::newRow("contraseña que acaba en ;;") << "SERVER=h;PWD=x;;" << Opcional("h") << Opcional() << Opcional()
                                                << Opcional("x;");
    QTest::newRow("claves en minúsculas y sinónimos") << "server=h;database=d;user=u;password=p" << Opcional("h")
                                                      << Opcional("d") << Opcional("u") << Opcional("p");
    QTest::newRow("valores vacíos") << "SERVER=;DB=;UID=;" << Opcional("") << Opcional("") << Opcional("") << Opcional();
    QTest::newRow("piezas vacías") << ";;SERVER=h;;" << Opcional("h") << Opcional() << Opcional() << Opcional();
    QTest::newRow("texto vacío") << "" << Opcional() << Opcional() << Opcional() << Opcional();
    QTest::newRow("valores entre llaves, como los escribe el puente")
        << "SERVER={h;1};DB=d;UID={u}}};PWD={p;x}}y{z=w};" << Opcional("h;1") << Opcional("d") << Opcional("u}")
        << Opcional("p;x}y{z=w");
    QTest::newRow("contraseña vacía entre llaves") << "SERVER=h;PWD={};" << Opcional("h") << Opcional() << Opcional()
                                                   << Opcional("");
    // clang-format on
}

void tst_TextoConexion::Analiza()
{
    QFETCH(QString, cTexto);
    QFETCH(Opcional, cServidor);
    QFETCH(Opcional, cBase);
    QFETCH(Opcional, cUsuario);
    QFETCH(Opcional, cPassword);
    const TextoConexion conexion = TextoConexion::Analiza(cTexto);
    QCOMPARE(conexion.cServidor, cServidor);
    QCOMPARE(conexion.cBase, cBase);
    QCOMPARE(conexion.cUsuario, cUsuario);
    QCOMPARE(conexion.cPassword, cPassword);
}

void tst_TextoConexion::RechazaLoQueNoEntiende_data()
{
    // clang-format off
    QTest::addColumn<QString>("cTexto");
    QTest::addColumn<QString>("cMotivo");
    QTest::newRow("el puerto es del origen de datos") << "SERVER=h;PORT=3306;" << "PORT";
    QTest::newRow("otro origen de datos") << "DSN=otro;UID=u" << "DSN";
    QTest::newRow("pieza sin =") << "SERVER=h;basura;UID=u" << "basura";
    QTest::newRow("llave sin cerrar") << "SERVER=h;PWD={abc;" << "PWD";
    QTest::newRow("texto tras la llave") << "SERVER={h}x;UID=u" << "SERVER";
    // clang-format on
}

void tst_TextoConexion::RechazaLoQueNoEntiende()
{
    QFETCH(QString, cTexto);
    QFETCH(QString, cMotivo);
    try {
        TextoConexion::Analiza(cTexto);
        QFAIL("Se aceptó el texto");
    } catch (const ErrorReporte &error) {
        QCOMPARE(error.Numero(), CodigoErrorRpt::ConexionNoValida);
        QVERIFY2(error.Descripcion().contains(cMotivo), qPrintable(error.Descripcion()));
    }
}

void tst_TextoConexion::CadenaOdbc_data()
{
    // clang-format off
    QTest::addColumn<QString>("cOrigen");
    QTest::addColumn<QString>("cTexto");
    QTest::addColumn<QString>("cCadena");
    QTest::newRow("como lo arma el puente") << "Almena Reportes" << "SERVER=127.0.0.1;DB=datos1;UID=root;PWD=x;"
                                           << "DSN=Almena Reportes;SERVER=127.0.0.1;DATABASE=datos1;UID=root;PWD=x";
    QTest::newRow("contraseña vacía entre llaves") << "o" << "SERVER=h;DB=d;UID=u;PWD=;" << "DSN=o;SERVER=h;DATABASE=d;UID=u;PWD={}";
    QTest::newRow("llaves, punto y coma, igual") << "o" << "SERVER=h;PWD=p;x}y{z=w;"
                                                << "DSN=o;SERVER=h;PWD={p;x}}y{z=w}";
    QTest::newRow("blancos en los extremos") << "o" << "SERVER=h;UID= u ;" << "DSN=o;SERVER=h;UID={ u }";
    QTest::newRow("origen con ;") << "a;b" << "SERVER=h" << "DSN={a;b};SERVER=h";
    QTest::newRow("sin servidor") << "myodbc3-test" << "DB=d;UID=u;" << "DSN=myodbc3-test;DATABASE=d;UID=u";
    QTest::newRow("sin texto") << "myodbc3-test" << "" << "DSN=myodbc3-test";
    QTest::newRow("server= en la contraseña") << "o" << "PWD=xserver=y" << "DSN=o;PWD={xserver=y}";
    QTest::newRow(".dsn en la contraseña") << "o" << "SERVER=h;PWD=a.dsn;" << "DSN=o;SERVER=h;PWD=a.dsn";
    // clang-format on
}

void tst_TextoConexion::CadenaOdbc()
{
    QFETCH(QString, cOrigen);
    QFETCH(QString, cTexto);
    QFETCH(QString, cCadena);
    QCOMPARE(TextoConexion::Analiza(cTexto).CadenaOdbc(cOrigen), cCadena);
}

QTEST_APPLESS_MAIN(tst_TextoConexion)
#include "tst_TextoConexion.moc"
