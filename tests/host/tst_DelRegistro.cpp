// The registry object: ODBC user data sources written into the user's data-source file, other
// keys and the host's own values kept in the host store, and the test of a host folder.

#include <QtTest>

#include <sys/stat.h>

#include <functional>
#include <optional>

#include "DelRegistro.h"
#include "EntornoHost.h"
#include "Falla.h"
#include "HostError.h"
#include "IniArchivo.h"
#include "LimiteDeArchivo.h"

namespace {

const QString cClaveOdbc = QStringLiteral("Software\\ODBC\\ODBC.INI\\Almena Reportes");
const QString cFuente = QStringLiteral("Almena Reportes");

// The permission bits of a file in octal ("600"); "" when it does not exist.
QString Permisos(const QString &cArchivo)
{
    struct stat datos = {};
    if (::stat(QFile::encodeName(cArchivo).constData(), &datos) != 0)
        return {};
    return QString::number(datos.st_mode & 07777, 8);
}

ino_t Inodo(const QString &cArchivo)
{
    struct stat datos = {};
    return ::stat(QFile::encodeName(cArchivo).constData(), &datos) == 0 ? datos.st_ino : 0;
}

void CambiaPermisos(const QString &cArchivo, mode_t nModo)
{
    if (::chmod(QFile::encodeName(cArchivo).constData(), nModo) != 0)
        qFatal("No se pueden cambiar los permisos de %s", qPrintable(cArchivo));
}

// How many lines of the section set the key.
int LineasDeClave(const QString &cTexto, const QString &cSeccion, const QString &cClave)
{
    int nLineas = 0;
    bool bEnSeccion = false;
    for (const QString &cLinea : cTexto.split(QLatin1Char('\n'))) {
        const QString cLimpia = cLinea.trimmed();
        if (cLimpia.startsWith(QLatin1Char('[')))
            bEnSeccion = cLimpia == QLatin1Char('[') + cSeccion + QLatin1Char(']');
        else if (bEnSeccion && cLimpia.section(QLatin1Char('='), 0, 0).trimmed() == cClave)
            ++nLineas;
    }
    return nLineas;
}

// A write of GrabarCadena: key, name, value.
struct Escritura
{
    QString cClave;
    QString cNombre;
    QString cValor;
};

} // namespace

Q_DECLARE_METATYPE(Escritura)

class tst_DelRegistro : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void fuenteDeDatos_data();
    void fuenteDeDatos();
    void soloElDuenoLee_data();
    void soloElDuenoLee();
    void escrituraFallida_data();
    void escrituraFallida();
    void nombreDeFuenteNoValido_data();
    void nombreDeFuenteNoValido();
    void otrasClavesVanAlAlmacen_data();
    void otrasClavesVanAlAlmacen();

    void datosALM_data();
    void datosALM();
    void datosALMSinValor_data();
    void datosALMSinValor();
    void buscarRegistroALM_data();
    void buscarRegistroALM();

private:
    DelRegistro &Registro() { return Como<DelRegistro>(m_registro); }
    void Graba(const Escritura &escritura);

    std::unique_ptr<QTemporaryDir> m_carpeta; // holds the ODBC user data-source file
    QString m_cOdbcIni;
    std::unique_ptr<EntornoHost> m_entorno;
    HostObjectPtr m_registro;
};

// Every test gets a data-source file of its own, named before the first call of the installer.
void tst_DelRegistro::init()
{
    m_carpeta = std::make_unique<QTemporaryDir>();
    QVERIFY(m_carpeta->isValid());
    m_cOdbcIni = m_carpeta->filePath(QStringLiteral("odbc.ini"));
    qputenv("ODBCINI", QFile::encodeName(m_cOdbcIni));
    m_entorno = std::make_unique<EntornoHost>();
    m_registro = m_entorno->fabrica.Crea(QStringLiteral("orbe5.DelRegistro"), m_entorno->Contexto());
}

void tst_DelRegistro::cleanup()
{
    m_registro.reset();
    m_entorno.reset();
    m_carpeta.reset();
}

void tst_DelRegistro::Graba(const Escritura &escritura)
{
    QString cValor = escritura.cValor;
    Registro().GrabarCadena(escritura.cClave, escritura.cNombre, cValor);
}

void tst_DelRegistro::fuenteDeDatos_data()
{
    // clang-format off
    QTest::addColumn<QString>("antes"); // the file before; null: no file
    QTest::addColumn<QList<Escritura>>("escrituras");
    QTest::addColumn<QList<QStringList>>("esperado"); // section, key, value read back from the file

    QTest::newRow("archivo nuevo") << QString() << QList<Escritura>{{cClaveOdbc, "Server", "127.0.0.1"}}
                                   << QList<QStringList>{{cFuente, "Server", "127.0.0.1"}};
    QTest::newRow("archivo vacío") << "" << QList<Escritura>{{cClaveOdbc, "Port", "3410"}}
                                   << QList<QStringList>{{cFuente, "Port", "3410"}};
    QTest::newRow("otra clave conserva la primera")
        << QString() << QList<Escritura>{{cClaveOdbc, "Server", "127.0.0.1"}, {cClaveOdbc, "Port", "3410"}}
        << QList<QStringList>{{cFuente, "Server", "127.0.0.1"}, {cFuente, "Port", "3410"}};
    QTest::newRow("valor reemplazado")
        << QString() << QList<Escritura>{{cClaveOdbc, "Server", "127.0.0.2"}, {cClaveOdbc, "Server", "127.0.0.1"}}
        << QList<QStringList>{{cFuente, "Server", "127.0.0.1"}};
    QTest::newRow("otras fuentes intactas")
        << "[Contabilidad]\nDriver=MariaDB Unicode\nServer=10.0.0.9\n"
        << QList<Escritura>{{cClaveOdbc, "Server", "127.0.0.1"}}
        << QList<QStringList>{{"Contabilidad", "Server", "10.0.0.9"}, {cFuente, "Server", "127.0.0.1"}};
    QTest::newRow("valor existente reemplazado")
        << "[Almena Reportes]\nDriver=MariaDB Unicode\nServer=127.0.0.2\n"
        << QList<Escritura>{{cClaveOdbc, "Server", "127.0.0.1"}}
        << QList<QStringList>{{cFuente, "Driver", "MariaDB Unicode"}, {cFuente, "Server", "127.0.0.1"}};
    QTest::newRow("clave en otras letras")
        << QString() << QList<Escritura>{{"SOFTWARE\\odbc\\Odbc.Ini\\Almena Reportes", "Database", "datos1"}}
        << QList<QStringList>{{cFuente, "Database", "datos1"}};
    QTest::newRow("texto UTF-8") << QString() << QList<Escritura>{{cClaveOdbc, "Description", "Informe de Ferretería"}}
                                 << QList<QStringList>{{cFuente, "Description", "Informe de Ferretería"}};
    // The user's comments and other data sources stay; a long value stays on one line.
    const QString cLargo(1500, QLatin1Char('x'));
    QTest::newRow("comentarios y valor largo")
        << "; mis orígenes\n[Contabilidad]\n# el de la contadora\nDriver=MariaDB Unicode\n"
        << QList<Escritura>{{cClaveOdbc, "Password", cLargo}, {cClaveOdbc, "Server", " 127.0.0.2 "}}
        << QList<QStringList>{{"Contabilidad", "Driver", "MariaDB Unicode"}, {cFuente, "Password", cLargo},
                              {cFuente, "Server", "127.0.0.2"}};
    QTest::newRow("lista de fuentes")
        << QString() << QList<Escritura>{{"Software\\ODBC\\ODBC.INI\\ODBC Data Sources", cFuente, "MariaDB Unicode"}}
        << QList<QStringList>{{"ODBC Data Sources", cFuente, "MariaDB Unicode"}};
    // clang-format on
}

void tst_DelRegistro::fuenteDeDatos()
{
    QFETCH(QString, antes);
    QFETCH(QList<Escritura>, escrituras);
    QFETCH(QList<QStringList>, esperado);
    if (!antes.isNull())
        EscribeTexto(m_cOdbcIni, antes);

    for (const Escritura &escritura : escrituras)
        Graba(escritura);

    const QString cTexto = TextoDe(m_cOdbcIni);
    if (!antes.isEmpty())
        QVERIFY2(cTexto.startsWith(antes.left(antes.indexOf(QLatin1Char('=')))), qPrintable(cTexto)); // comments kept
    for (const QStringList &valor : esperado) {
        QCOMPARE(IniArchivo::Lee(m_cOdbcIni, valor.at(0), valor.at(1)), valor.at(2));
        // The key once in its section: a replaced value does not leave the old line behind.
        QVERIFY2(LineasDeClave(cTexto, valor.at(0), valor.at(1)) == 1, qPrintable(cTexto));
    }
    // Nothing of it goes into the host store.
    QCOMPARE(TextoDe(m_entorno->ArchivoAlmacen()), QString());
}

void tst_DelRegistro::soloElDuenoLee_data()
{
    // clang-format off
    QTest::addColumn<int>("permisosAntes"); // -1: no file before
    QTest::addColumn<bool>("yaLaTiene");    // the file holds the password before
    QTest::addColumn<bool>("reemplazado");  // a new file takes the old one's place
    QTest::newRow("archivo nuevo") << -1 << false << true;
    QTest::newRow("legible por todos") << 0644 << false << true;
    QTest::newRow("escribible por todos") << 0666 << false << true;
    QTest::newRow("ya solo del dueño") << 0600 << false << true;
    QTest::newRow("solo lectura del dueño") << 0400 << false << true;
    // The same value again: the file stays, unless others could read it.
    QTest::newRow("mismo valor, solo del dueño") << 0600 << true << false;
    QTest::newRow("mismo valor, legible por todos") << 0644 << true << true;
    // clang-format on
}

void tst_DelRegistro::soloElDuenoLee()
{
    QFETCH(int, permisosAntes);
    QFETCH(bool, yaLaTiene);
    QFETCH(bool, reemplazado);
    ino_t nAntes = 0;
    if (permisosAntes >= 0) {
        EscribeTexto(m_cOdbcIni, yaLaTiene
                                     ? QStringLiteral("[Almena Reportes]\nDriver=MariaDB Unicode\nPassword=secreto\n")
                                     : QStringLiteral("[Almena Reportes]\nDriver=MariaDB Unicode\n"));
        CambiaPermisos(m_cOdbcIni, mode_t(permisosAntes));
        nAntes = Inodo(m_cOdbcIni);
    }
    Graba({cClaveOdbc, QStringLiteral("Password"), QStringLiteral("secreto")});
    QCOMPARE(Permisos(m_cOdbcIni), QStringLiteral("600"));
    QCOMPARE(Inodo(m_cOdbcIni) != nAntes, reemplazado);
    Graba({cClaveOdbc, QStringLiteral("User"), QStringLiteral("root")});
    QCOMPARE(Permisos(m_cOdbcIni), QStringLiteral("600"));
    QCOMPARE(IniArchivo::Lee(m_cOdbcIni, cFuente, QStringLiteral("Password")), QStringLiteral("secreto"));
}

void tst_DelRegistro::escrituraFallida_data()
{
    // clang-format off
    QTest::addColumn<QString>("odbcIni"); // relative to the test's folder
    QTest::addColumn<qint64>("limite");   // the largest file the run may write; 0 no limit
    QTest::newRow("carpeta inexistente") << "no-existe/odbc.ini" << qint64(0);
    QTest::newRow("carpetas inexistentes") << "no/existe/odbc.ini" << qint64(0);
    QTest::newRow("es una carpeta") << "carpeta" << qint64(0);
    // As a full disk: the new file cannot be written whole.
    QTest::newRow("disco lleno") << "odbc.ini" << qint64(64);
    // clang-format on
}

void tst_DelRegistro::escrituraFallida()
{
    QFETCH(QString, odbcIni);
    QFETCH(qint64, limite);
    QVERIFY(QDir(m_carpeta->path()).mkdir(QStringLiteral("carpeta")));
    const QString cCarpeta = m_carpeta->filePath(QStringLiteral("carpeta"));
    const QString cPermisosCarpeta = Permisos(cCarpeta);
    const QString cArchivo = m_carpeta->filePath(odbcIni);
    qputenv("ODBCINI", QFile::encodeName(cArchivo));
    const QString cAntes = QStringLiteral("; mío\n[Almena Reportes]\nDriver=MariaDB Unicode\n");
    if (limite > 0)
        EscribeTexto(cArchivo, cAntes);

    std::optional<Falla> falla;
    {
        const LimiteDeArchivo limiteDeArchivo(limite);
        falla = FallaDe([&] { Graba({cClaveOdbc, QStringLiteral("Server"), QString(200, QLatin1Char('s'))}); });
    }
    QVERIFY2(falla, "se escribió");
    if (limite > 0) {
        QCOMPARE(TextoDe(cArchivo), cAntes); // the previous file stays whole
        QCOMPARE(QDir(m_carpeta->path()).entryList(QDir::Files), (QStringList{"odbc.ini"}));
        return;
    }
    QVERIFY(falla->nNumero != 0);
    QVERIFY2(falla->cDescripcion.contains(cArchivo) || falla->cDescripcion.contains(cFuente),
             qPrintable(falla->cDescripcion));
    QCOMPARE(Permisos(cCarpeta), cPermisosCarpeta); // a folder in the way keeps its permissions
    QVERIFY(!QFileInfo::exists(m_cOdbcIni));
}

void tst_DelRegistro::nombreDeFuenteNoValido_data()
{
    // clang-format off
    QTest::addColumn<QString>("clave");
    QTest::newRow("sin nombre") << "Software\\ODBC\\ODBC.INI\\";
    QTest::newRow("con subclave") << "Software\\ODBC\\ODBC.INI\\Almena Reportes\\Otra";
    QTest::newRow("con corchete") << "Software\\ODBC\\ODBC.INI\\Almena]Reportes";
    // clang-format on
}

void tst_DelRegistro::nombreDeFuenteNoValido()
{
    QFETCH(QString, clave);
    const std::optional<Falla> falla = FallaDe([&] { Graba({clave, QStringLiteral("Server"), QStringLiteral("x")}); });
    QVERIFY2(falla, "se escribió");
    QCOMPARE(falla->nNumero, CodigoErrorHost::ArgumentoNoValido);
    QVERIFY2(falla->cDescripcion.contains(clave), qPrintable(falla->cDescripcion));
    QVERIFY(!QFileInfo::exists(m_cOdbcIni));
    QCOMPARE(TextoDe(m_entorno->ArchivoAlmacen()), QString());
}

void tst_DelRegistro::otrasClavesVanAlAlmacen_data()
{
    // clang-format off
    QTest::addColumn<QString>("clave");
    QTest::newRow("del programa") << "Software\\Almena\\Informe mensual";
    QTest::newRow("ODBC.INI sin barra final") << "Software\\ODBC\\ODBC.INI";
    QTest::newRow("parecida a ODBC") << "Software\\ODBCX\\ODBC.INI\\Almena Reportes";
    QTest::newRow("ODBC de otra rama") << "Software\\ODBC\\ODBCINST.INI\\MariaDB Unicode";
    // clang-format on
}

void tst_DelRegistro::otrasClavesVanAlAlmacen()
{
    QFETCH(QString, clave);
    Graba({clave, QStringLiteral("Última línea"), QStringLiteral("Ferretería")});
    QVERIFY(!QFileInfo::exists(m_cOdbcIni));
    const QString cAlmacen = TextoDe(m_entorno->ArchivoAlmacen());
    QVERIFY2(cAlmacen.contains(QStringLiteral("Última línea")) && cAlmacen.contains(QStringLiteral("Ferretería")),
             qPrintable(cAlmacen));
    QCOMPARE(Registro().DatosALM(clave + QStringLiteral("\\Última línea")), QStringLiteral("Ferretería"));
}

void tst_DelRegistro::datosALM_data()
{
    // clang-format off
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<QString>("valor");
    QTest::newRow("servidor") << "MySQLServer" << "127.0.0.1";
    QTest::newRow("puerto") << "MySQLPuerto" << "3410";
    QTest::newRow("UTF-8") << "Empresa" << "Ferretería Muñoz";
    QTest::newRow("signos del INI") << "Nota" << "a=b; c [d] #e";
    QTest::newRow("blancos a los lados") << "Sangría" << "  dos  ";
    QTest::newRow("vacío") << "MySQLUsuario" << "";
    // clang-format on
}

void tst_DelRegistro::datosALM()
{
    QFETCH(QString, nombre);
    QFETCH(QString, valor);
    // The store in a folder that does not exist yet.
    const QString cAlmacen = m_carpeta->filePath(QStringLiteral("almena/config/almacen.ini"));
    m_entorno->Contexto().cArchivoAlmacen = cAlmacen;
    Registro().GuardaDatosALM(QStringLiteral("servidor"), QStringLiteral("10.0.0.5"));
    QCOMPARE(Permisos(cAlmacen), QStringLiteral("600")); // it holds the enciphered account
    Registro().GuardaDatosALM(nombre, valor);
    QCOMPARE(Registro().DatosALM(nombre), valor);
    QCOMPARE(Registro().DatosALM(QStringLiteral("servidor")), QStringLiteral("10.0.0.5"));

    Registro().GuardaDatosALM(nombre, QStringLiteral("otro"));
    QCOMPARE(Registro().DatosALM(nombre), QStringLiteral("otro"));
    QCOMPARE(Permisos(cAlmacen), QStringLiteral("600"));
}

void tst_DelRegistro::datosALMSinValor_data()
{
    // clang-format off
    QTest::addColumn<QString>("almacen"); // null: no store file
    QTest::newRow("sin almacén") << QString();
    QTest::newRow("almacén vacío") << "";
    QTest::newRow("sin la sección") << "[Otra]\nMySQLServer=127.0.0.2\n";
    QTest::newRow("sin el valor") << "[Almena]\nservidor=127.0.0.2\n";
    // clang-format on
}

void tst_DelRegistro::datosALMSinValor()
{
    QFETCH(QString, almacen);
    if (!almacen.isNull())
        EscribeTexto(m_entorno->ArchivoAlmacen(), almacen);
    const QString cValor = Registro().DatosALM(QStringLiteral("MySQLServer"));
    QVERIFY2(cValor.isEmpty(), qPrintable(cValor));
}

void tst_DelRegistro::buscarRegistroALM_data()
{
    // clang-format off
    QTest::addColumn<QString>("carpeta"); // <local> stands for the test's host installation
    QTest::addColumn<bool>("conMarca");
    QTest::addColumn<bool>("esDelHost");

    QTest::newRow("carpeta del host") << "C:\\almenapremium" << true << true;
    QTest::newRow("unidad en minúscula") << "c:\\almenapremium" << true << true;
    QTest::newRow("barra final") << "C:\\almenapremium\\" << true << true;
    QTest::newRow("ruta local") << "<local>/C/almenapremium" << true << true;
    QTest::newRow("sin la marca") << "C:\\almenapremium" << false << false;
    QTest::newRow("raíz de la unidad") << "C:\\" << true << false;
    QTest::newRow("carpeta inexistente") << "C:\\otra" << true << false;
    QTest::newRow("unidad sin asignar") << "E:\\almenapremium" << true << false;
    QTest::newRow("vacía") << "" << true << false;
    QTest::newRow("blancos") << "   " << true << false;
    QTest::newRow("la marca misma") << "C:\\almenapremium\\almena-premium.id" << true << false;
    // clang-format on
}

void tst_DelRegistro::buscarRegistroALM()
{
    QFETCH(QString, carpeta);
    QFETCH(bool, conMarca);
    QFETCH(bool, esDelHost);
    carpeta.replace(QStringLiteral("<local>"), m_entorno->Carpeta());
    if (!conMarca)
        m_entorno->QuitaMarca();
    QString cCarpeta = carpeta;
    QCOMPARE(Registro().BuscarRegistroALM(cCarpeta), esDelHost ? carpeta : QString());
    QCOMPARE(cCarpeta, carpeta);
}

QTEST_GUILESS_MAIN(tst_DelRegistro)
#include "tst_DelRegistro.moc"
