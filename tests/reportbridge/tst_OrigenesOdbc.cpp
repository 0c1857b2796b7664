// The refresh of the two ODBC data sources from the host's connection values, written into
// a data-source file of the test's own.

#include <QtTest>

#include <memory>

#include "ArchivoOdbc.h"
#include "BasesDD.h"
#include "EntornoHost.h"
#include "HostError.h"
#include "ObjetosPrograma.h"
#include "OrigenesOdbc.h"

namespace {

const QString cPrueba = QStringLiteral("myodbc3-test");
const QString cReportes = QStringLiteral("Almena Reportes");

struct Conexion
{
    QString cRuta, cPassword, cUsuario, cPuerto, cMiBase;
    QString cCA = {}; // with TLS when given
};

ValoresOdbc Esperados(const Conexion &c, const QString &cBase)
{
    const QString cTls = c.cCA.isEmpty() ? QStringLiteral("0") : QStringLiteral("1");
    return {{"Server", c.cRuta}, {"Password", c.cPassword}, {"PWD", c.cPassword}, {"User", c.cUsuario},
            {"UID", c.cUsuario}, {"Port", c.cPuerto},       {"Database", cBase},  {"FORCETLS", cTls},
            {"SSLVERIFY", cTls}, {"SSLCA", c.cCA}};
}

const Conexion cnnNormal{"127.0.0.1", "secreto", "root", "3410", "datos1"};

} // namespace

Q_DECLARE_METATYPE(Conexion)

class tst_OrigenesOdbc : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void actualiza_data();
    void actualiza();
    void otraVezLoMismo();
    void conservaLoDemas();
    void interrumpida_data();
    void interrumpida();
    void grabaValor_data();
    void grabaValor();
    void asegura_data();
    void asegura();

private:
    void Usa(const Conexion &c);

    std::unique_ptr<ArchivoOdbc> m_odbc;
    std::unique_ptr<EntornoHost> m_entorno;
    ObjetosPrograma m_objetos;
};

void tst_OrigenesOdbc::init()
{
    m_odbc = std::make_unique<ArchivoOdbc>();
    m_entorno = std::make_unique<EntornoHost>();
    m_objetos.Crea(m_entorno->fabrica, m_entorno->Contexto());
}

void tst_OrigenesOdbc::cleanup()
{
    m_objetos.Libera();
    m_entorno.reset();
    m_odbc.reset();
}

void tst_OrigenesOdbc::Usa(const Conexion &c)
{
    BasesDD &bases = m_objetos.Bases();
    bases.cRuta = c.cRuta;
    bases.cPassword = c.cPassword;
    bases.cUsuario = c.cUsuario;
    bases.cPuerto = c.cPuerto;
    bases.cMiBase = c.cMiBase;
    bases.cifrado.bTls = !c.cCA.isEmpty();
    bases.cifrado.cCA = c.cCA;
}

void tst_OrigenesOdbc::actualiza_data()
{
    // clang-format off
    QTest::addColumn<Conexion>("conexion");
    QTest::newRow("valores del host") << cnnNormal;
    QTest::newRow("contraseña vacía") << Conexion{"127.0.0.1", "", "root", "3410", "datos1"};
    QTest::newRow("puerto tal como está") << Conexion{"127.0.0.1", "x", "root", "03410", "datos1"};
    QTest::newRow("la base de reportes misma") << Conexion{"127.0.0.2", "x", "root", "3306", "almenareportes"};
    QTest::newRow("signos y acentos") << Conexion{"servidor.local", "cl;a{v}e=ñ#", "José", "3306", "Ferretería"};
    QTest::newRow("con TLS") << Conexion{"127.0.0.1", "x", "root", "3306", "datos1", "/etc/almena/ca del servidor.pem"};
    // clang-format on
}

void tst_OrigenesOdbc::actualiza()
{
    QFETCH(Conexion, conexion);
    Usa(conexion);
    ActualizaODBC(m_objetos);
    QCOMPARE(m_odbc->Valores(cPrueba), Esperados(conexion, conexion.cMiBase));
    QCOMPARE(m_odbc->Valores(cReportes), Esperados(conexion, QStringLiteral("almenareportes")));
}

// Each job writes every value again; the file ends up the same, with no line repeated.
void tst_OrigenesOdbc::otraVezLoMismo()
{
    Usa(cnnNormal);
    ActualizaODBC(m_objetos);
    const QString cPrimera = TextoDe(m_odbc->Ruta());
    ActualizaODBC(m_objetos);
    QCOMPARE(TextoDe(m_odbc->Ruta()), cPrimera);
    QCOMPARE(m_odbc->Valores(cReportes), Esperados(cnnNormal, QStringLiteral("almenareportes")));
}

// The driver and description that set-up wrote, and other data sources, stay as they were.
void tst_OrigenesOdbc::conservaLoDemas()
{
    EscribeTexto(m_odbc->Ruta(), QStringLiteral("[Contabilidad]\nDriver=MariaDB Unicode\nSERVER=127.9.9.9\n\n"
                                                "[Almena Reportes]\nDriver=MariaDB Unicode\nDescription=Informes\n"
                                                "SERVER=127.0.0.2\nPORT=3306\nDATABASE=otra\n"));
    Usa(cnnNormal);
    ActualizaODBC(m_objetos);

    // Keys are matched without regard to letter case, and the user's lines keep their spelling.
    ValoresOdbc esperados = Esperados(cnnNormal, QStringLiteral("almenareportes"));
    for (const char *cClave : {"Server", "Port", "Database"})
        esperados.insert(QString::fromLatin1(cClave).toUpper(), esperados.take(QLatin1String(cClave)));
    esperados.insert(QStringLiteral("Driver"), QStringLiteral("MariaDB Unicode"));
    esperados.insert(QStringLiteral("Description"), QStringLiteral("Informes"));
    QCOMPARE(m_odbc->Valores(cReportes), esperados);
    QCOMPARE(m_odbc->Valores(QStringLiteral("Contabilidad")),
             (ValoresOdbc{{"Driver", "MariaDB Unicode"}, {"SERVER", "127.9.9.9"}}));
}

// A failing write ends the refresh: what came before it is written, nothing after it.
void tst_OrigenesOdbc::interrumpida_data()
{
    // clang-format off
    QTest::addColumn<Conexion>("conexion");
    QTest::addColumn<bool>("inalcanzable");
    QTest::addColumn<QStringList>("escritos"); // in "myodbc3-test"; nothing in "Almena Reportes"
    QTest::addColumn<int>("falla");

    QTest::newRow("usuario con salto de línea") << Conexion{"127.0.0.1", "secreto", "ro\not", "3410", "datos1"} << false
                                                << QStringList{"Password", "PWD", "Server"} << 5;
    QTest::newRow("contraseña con salto de línea") << Conexion{"127.0.0.1", "a\r\nb", "root", "3410", "datos1"} << false
                                                   << QStringList{"Server"} << 5;
    QTest::newRow("base con retorno de carro") << Conexion{"127.0.0.1", "x", "root", "3410", "datos1\r"} << false
                                               << QStringList{"PWD", "Password", "Port", "Server", "UID", "User"}
                                               << 5;
    QTest::newRow("archivo inalcanzable") << cnnNormal << true << QStringList() << 75;
    // clang-format on
}

void tst_OrigenesOdbc::interrumpida()
{
    QFETCH(Conexion, conexion);
    QFETCH(bool, inalcanzable);
    QFETCH(QStringList, escritos);
    QFETCH(int, falla);
    Usa(conexion);
    if (inalcanzable)
        m_odbc->Inalcanzable();

    try {
        ActualizaODBC(m_objetos);
        QFAIL("la actualización no falló");
    } catch (const HostError &error) {
        QCOMPARE(error.Numero(), falla);
    }
    QStringList claves = m_odbc->Valores(cPrueba).keys();
    claves.sort();
    escritos.sort();
    QCOMPARE(claves, escritos);
    QCOMPARE(m_odbc->Valores(cReportes), ValoresOdbc());
}

void tst_OrigenesOdbc::grabaValor_data()
{
    // clang-format off
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("fuente");
    QTest::addColumn<ValoresOdbc>("valores");

    QTest::newRow("servidor en mayúsculas") << "SERVIDOR" << 0 << cPrueba << ValoresOdbc{{"Server", "v"}};
    QTest::newRow("contraseña con Ñ") << "CONTRASEÑA" << 1 << cReportes << ValoresOdbc{{"Password", "v"}, {"PWD", "v"}};
    QTest::newRow("base de la fuente 0") << "BaseDeDatos" << 0 << cPrueba << ValoresOdbc{{"Database", "v"}};
    QTest::newRow("base de la fuente 1") << "basededatos" << 1 << cReportes
                                         << ValoresOdbc{{"Database", "almenareportes"}};
    QTest::newRow("otro índice es la fuente 1") << "BaseDeDatos" << 2 << cReportes
                                                << ValoresOdbc{{"Database", "almenareportes"}};
    QTest::newRow("nombre desconocido") << "Clave" << 0 << cPrueba << ValoresOdbc();
    // clang-format on
}

void tst_OrigenesOdbc::grabaValor()
{
    QFETCH(QString, nombre);
    QFETCH(int, indice);
    QFETCH(QString, fuente);
    QFETCH(ValoresOdbc, valores);

    int nFalla = 0;
    try {
        GrabaValorODBC(m_objetos.Registro(), nombre, QStringLiteral("v"), indice);
    } catch (const HostError &error) {
        nFalla = error.Numero();
    }
    QCOMPARE(nFalla, valores.isEmpty() ? CodigoErrorHost::ArgumentoNoValido : 0);
    QCOMPARE(m_odbc->Valores(fuente), valores);
    QCOMPARE(m_odbc->Valores(fuente == cPrueba ? cReportes : cPrueba), ValoresOdbc());
}

// A user without the data sources gets both, with the MariaDB driver of the driver manager's
// list (a list of the test's own, through $ODBCSYSINI); what the user had stays.
void tst_OrigenesOdbc::asegura_data()
{
    const QString cDosControladores = QStringLiteral(
        "[Otro]\nDriver=/usr/lib/odbc/libotro.so\n[MariaDB de prueba]\nDriver=/usr/lib/odbc/libmaodbc.so\n");
    const ValoresOdbc nuevaPrueba{{"Driver", "MariaDB de prueba"},
                                  {"Description", "Base principal de Almena para informe-mensual"}};
    const ValoresOdbc nuevaReportes{{"Driver", "MariaDB de prueba"},
                                    {"Description", "Base de reportes de Almena para informe-mensual"}};
    // clang-format off
    QTest::addColumn<QString>("controladores");
    QTest::addColumn<QString>("antes");
    QTest::addColumn<ValoresOdbc>("prueba");
    QTest::addColumn<ValoresOdbc>("reportes");
    QTest::addColumn<int>("error");
    QTest::newRow("sin archivo: las dos") << cDosControladores << QString() << nuevaPrueba << nuevaReportes << 0;
    QTest::newRow("una ya está: se queda como está") << cDosControladores
        << "# mis orígenes\n[myodbc3-test]\nDriver=Mio\nSERVER=127.0.0.5\n"
        << ValoresOdbc{{"Driver", "Mio"}, {"SERVER", "127.0.0.5"}} << nuevaReportes << 0;
    QTest::newRow("una sin controlador lo recibe") << cDosControladores
        << "[Almena Reportes]\nDescription=Mía\nPORT=3306\n"
        << nuevaPrueba << ValoresOdbc{{"Driver", "MariaDB de prueba"}, {"Description", "Mía"}, {"PORT", "3306"}} << 0;
    QTest::newRow("ningún controlador de MariaDB") << "[Otro]\nDriver=/usr/lib/odbc/libotro.so\n"
        << "# nada\n" << ValoresOdbc() << ValoresOdbc() << CodigoErrorHost::SinControladorOdbc;
    // clang-format on
}

void tst_OrigenesOdbc::asegura()
{
    QFETCH(QString, controladores);
    QFETCH(QString, antes);
    QFETCH(ValoresOdbc, prueba);
    QFETCH(ValoresOdbc, reportes);
    QFETCH(int, error);
    // The driver manager takes $ODBCSYSINI once a process: one folder for every row.
    static QTemporaryDir sistema;
    qputenv("ODBCSYSINI", QFile::encodeName(sistema.path()));
    EscribeTexto(sistema.filePath(QStringLiteral("odbcinst.ini")), controladores);
    if (!antes.isNull())
        EscribeTexto(m_odbc->Ruta(), antes);

    try {
        AseguraOrigenesODBC();
        QCOMPARE(0, error);
    } catch (const HostError &falla) {
        QCOMPARE(falla.Numero(), error);
        QVERIFY2(falla.Descripcion().contains(QStringLiteral("odbc-mariadb")), qPrintable(falla.Descripcion()));
    }
    QCOMPARE(m_odbc->Valores(cPrueba), prueba);
    QCOMPARE(m_odbc->Valores(cReportes), reportes);
    if (!antes.isEmpty())
        QVERIFY2(TextoDe(m_odbc->Ruta()).startsWith(antes.section(QLatin1Char('\n'), 0, 0)),
                 qPrintable(TextoDe(m_odbc->Ruta())));
}

QTEST_MAIN(tst_OrigenesOdbc)
#include "tst_OrigenesOdbc.moc"
