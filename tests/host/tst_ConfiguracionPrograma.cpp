// The settings file's defaults and the connection settings taken from the host store.

#include <QtTest>

#include "BasesDD.h"
#include "ConfiguracionPrograma.h"
#include "DelRegistro.h"
#include "EntornoHost.h"
#include "Falla.h"
#include "HostError.h"
#include "IniArchivo.h"
#include "Utilerias.h"
#include "libNucleo.h"

namespace {
const QString cConfiguracion = QStringLiteral("Configuración");

// The three objects that the main window hands to the settings operations.
struct Objetos
{
    explicit Objetos(EntornoHost &entorno)
        : nucleo(entorno.fabrica.Crea(QStringLiteral("Orbe5.libNucleo"), entorno.Contexto())),
          registro(entorno.fabrica.Crea(QStringLiteral("orbe5.DelRegistro"), entorno.Contexto())),
          bases(entorno.fabrica.Crea(QStringLiteral("Orbe5.BasesDD"), entorno.Contexto())),
          utilerias(entorno.fabrica.Crea(QStringLiteral("Orbe5.Utilerias"), entorno.Contexto()))
    {
    }
    libNucleo &Nucleo() { return Como<libNucleo>(nucleo); }
    DelRegistro &Registro() { return Como<DelRegistro>(registro); }
    BasesDD &Bases() { return Como<BasesDD>(bases); }
    Utilerias &Util() { return Como<Utilerias>(utilerias); }
    HostObjectPtr nucleo, registro, bases, utilerias;
};

} // namespace

class tst_ConfiguracionPrograma : public QObject
{
    Q_OBJECT
private slots:
    void leeIniDefecto_data();
    void leeIniDefecto();
    void leeIniDefectoTerminaCuandoNoPuedeGuardar_data();
    void leeIniDefectoTerminaCuandoNoPuedeGuardar();
    void carpetaIncorrecta_data();
    void carpetaIncorrecta();
    void almacenDelHost_data();
    void almacenDelHost();
    void unaSegundaCargaNoEscribeNada();
    void sinLeerLaBasePrincipal();
    void unObjetoQueNoSePuedeCrearLlegaAlLlamador();
};

void tst_ConfiguracionPrograma::leeIniDefecto_data()
{
    // clang-format off
    QTest::addColumn<QString>("antes");
    QTest::addColumn<QString>("esperado");
    QTest::addColumn<QString>("despues");

    const QString cEscrito = QStringLiteral("[Configuración]\nId moneda USD=2\n");
    QTest::newRow("archivo nuevo") << QString() << "2" << cEscrito;
    QTest::newRow("sin la sección") << "[frmDescripcion]\nLinea=10\n" << "2"
                                    << "[frmDescripcion]\nLinea=10\n\n" + cEscrito;
    QTest::newRow("sin la clave") << "[Configuración]\nBase de datos principal=datos1\n" << "2"
                                  << "[Configuración]\nBase de datos principal=datos1\nId moneda USD=2\n";
    QTest::newRow("clave sin valor") << "[Configuración]\nId moneda USD=\n" << "2" << cEscrito;
    QTest::newRow("un blanco se devuelve tal cual") << "[Configuración]\nId moneda USD=\" \"\n" << " "
                                                    << "[Configuración]\nId moneda USD=\" \"\n";
    QTest::newRow("valor guardado") << "[configuración]\nid moneda usd=7\n" << "7" << "[configuración]\nid moneda usd=7\n";
    // clang-format on
}

void tst_ConfiguracionPrograma::leeIniDefecto()
{
    QFETCH(QString, antes);
    QFETCH(QString, esperado);
    QFETCH(QString, despues);
    EntornoHost entorno;
    if (!antes.isNull())
        EscribeTexto(entorno.ArchivoIni(), antes);
    Objetos objetos(entorno);
    QCOMPARE(LeeIniDefecto(cConfiguracion, QStringLiteral("Id moneda USD"), QStringLiteral("2"), objetos.Nucleo(),
                           entorno.ArchivoIni()),
             esperado);
    QCOMPARE(TextoDe(entorno.ArchivoIni()), despues);
}

void tst_ConfiguracionPrograma::leeIniDefectoTerminaCuandoNoPuedeGuardar_data()
{
    // clang-format off
    QTest::addColumn<QString>("archivo");
    QTest::addColumn<QString>("defecto");
    QTest::newRow("carpeta inexistente") << "/no/existe/informe-mensual.ini" << "2";
    QTest::newRow("predeterminado vacío") << "" << "";
    // clang-format on
}

void tst_ConfiguracionPrograma::leeIniDefectoTerminaCuandoNoPuedeGuardar()
{
    QFETCH(QString, archivo);
    QFETCH(QString, defecto);
    EntornoHost entorno;
    if (archivo.isEmpty())
        archivo = entorno.ArchivoIni();
    Objetos objetos(entorno);
    try {
        LeeIniDefecto(cConfiguracion, QStringLiteral("Id moneda USD"), defecto, objetos.Nucleo(), archivo);
        QFAIL("debía fallar en lugar de repetir la lectura sin fin");
    } catch (const HostError &error) {
        QCOMPARE(error.Numero(), CodigoErrorHost::ErrorDeAccesoArchivo);
        QVERIFY2(error.Descripcion().contains(archivo), qPrintable(error.Descripcion()));
    }
}

void tst_ConfiguracionPrograma::carpetaIncorrecta_data()
{
    // clang-format off
    QTest::addColumn<QString>("iniAntes");
    QTest::addColumn<QString>("rutaMostrada");
    QTest::addColumn<int>("respuesta");
    QTest::newRow("sin la clave: se escribe la ruta predeterminada; No") << QString() << "C:\\almenapremium" << Msg::No;
    QTest::newRow("sin la clave; Sí abre el archivo") << QString() << "C:\\almenapremium" << Msg::Si;
    QTest::newRow("otra ruta") << "[Configuración]\nRuta de Almena Premium=D:\\Almena\\Premium\n"
                               << "D:\\Almena\\Premium" << Msg::Si;
    // clang-format on
}

void tst_ConfiguracionPrograma::carpetaIncorrecta()
{
    QFETCH(QString, iniAntes);
    QFETCH(QString, rutaMostrada);
    QFETCH(int, respuesta);
    EntornoHost entorno;
    entorno.QuitaMarca();
    if (!iniAntes.isNull())
        EscribeTexto(entorno.ArchivoIni(), iniAntes);
    entorno.mensajes.Responde(respuesta);
    Objetos objetos(entorno);
    objetos.Bases().cMiBase = QStringLiteral("antes");

    QVERIFY(!CargaDatosConexion(objetos.Nucleo(), objetos.Registro(), objetos.Bases(), entorno.ArchivoIni(), true));

    const QChar r(13);
    const QString cTexto = QStringLiteral("En el archivo de configuración de este programa") + r + r + "(" +
                           entorno.ArchivoIni() + ")" + r + r + "debe indicarse la ruta correcta de Almena Premium." +
                           r + "Ruta indicada e incorrecta: " + r + r + rutaMostrada;
    const auto &llamadas = entorno.mensajes.Llamadas();
    QCOMPARE(llamadas.size(), 2);
    QCOMPARE(llamadas[0].cTexto, cTexto);
    QCOMPARE(llamadas[0].nEstilo, 16);
    QCOMPARE(llamadas[0].cTitulo, QStringLiteral("Atención"));
    QCOMPARE(llamadas[1].cTexto, QStringLiteral("¿Desea editar el archivo de configuración?"));
    QCOMPARE(llamadas[1].nEstilo, 36);
    QCOMPARE(llamadas[1].cTitulo, QStringLiteral("Editar INI"));
    QCOMPARE(entorno.documentosAbiertos, respuesta == Msg::Si ? QStringList{entorno.ArchivoIni()} : QStringList());

    QCOMPARE(objetos.Bases().cMiBase, QStringLiteral("antes"));
    QVERIFY(!QFile::exists(entorno.ArchivoAlmacen())); // nothing stored in the host store
    QCOMPARE(IniArchivo::Lee(entorno.ArchivoIni(), cConfiguracion, QStringLiteral("Ruta de Almena Premium")),
             rutaMostrada);
    QVERIFY(!TextoDe(entorno.ArchivoIni()).contains(QStringLiteral("Base de datos principal")));
}

void tst_ConfiguracionPrograma::almacenDelHost_data()
{
    // clang-format off
    QTest::addColumn<QString>("almacen");       // lines of section [Almena]; user and password in plain text
    QTest::addColumn<QString>("puerto");
    QTest::addColumn<QString>("servidor");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("password");

    QTest::newRow("almacén vacío: valores predeterminados") << "servidor=srv1" << "3306" << "srv1" << "root" << "";
    QTest::newRow("puerto 0") << "servidor=srv1\nMySQLPuerto=0" << "3306" << "srv1" << "root" << "";
    QTest::newRow("puerto sin número") << "MySQLPuerto=abc\nMySQLServer=db" << "3306" << "db" << "root" << "";
    QTest::newRow("otro puerto se queda como está") << "MySQLPuerto=3410x\nMySQLServer=db" << "3410x" << "db" << "root" << "";
    QTest::newRow("servidor en blanco toma servidor") << "servidor=srv2\nMySQLServer=\"   \"" << "3306" << "srv2" << "root" << "";
    QTest::newRow("cuenta guardada") << "MySQLServer=db\nMySQLPuerto=3307\nMySQLUsuario=almena\nMySQLPassword=s3cr;to"
                                     << "3307" << "db" << "almena" << "s3cr;to";
    QTest::newRow("usuario en blanco cuenta como ausente") << "MySQLServer=db\nMySQLUsuario=\"  \"\nMySQLPassword=x"
                                                           << "3306" << "db" << "root" << "x";
    // clang-format on
}

void tst_ConfiguracionPrograma::almacenDelHost()
{
    QFETCH(QString, almacen);
    QFETCH(QString, puerto);
    QFETCH(QString, servidor);
    QFETCH(QString, usuario);
    QFETCH(QString, password);
    EntornoHost entorno;
    Objetos objetos(entorno);
    // The store keeps the account enciphered, as the host suite writes it.
    QStringList lineas = almacen.split(QLatin1Char('\n'));
    for (QString &cLinea : lineas) {
        for (const QString &cClave : {QStringLiteral("MySQLUsuario="), QStringLiteral("MySQLPassword=")})
            if (cLinea.startsWith(cClave) && !cLinea.contains(QLatin1Char('"')))
                cLinea = cClave + objetos.Util().Encripta(cLinea.mid(cClave.size()));
    }
    EscribeTexto(entorno.ArchivoAlmacen(),
                 QStringLiteral("[Almena]\n") + lineas.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    QVERIFY(CargaDatosConexion(objetos.Nucleo(), objetos.Registro(), objetos.Bases(), entorno.ArchivoIni(), true));

    BasesDD &bases = objetos.Bases();
    QCOMPARE(bases.cPuerto, puerto);
    QCOMPARE(bases.cRuta, servidor);
    QCOMPARE(bases.cUsuario, usuario);
    QCOMPARE(bases.cPassword, password);
    QCOMPARE(bases.cMiBase, QStringLiteral("datos1"));
    QVERIFY(entorno.mensajes.Llamadas().isEmpty());
    // What the properties hold is what the store holds now.
    DelRegistro &registro = objetos.Registro();
    QCOMPARE(registro.DatosALM(QStringLiteral("MySQLPuerto")), puerto);
    QCOMPARE(registro.DatosALM(QStringLiteral("MySQLServer")), servidor);
    QCOMPARE(objetos.Util().DesEncripta(registro.DatosALM(QStringLiteral("MySQLUsuario"))), usuario);
    QCOMPARE(objetos.Util().DesEncripta(registro.DatosALM(QStringLiteral("MySQLPassword"))), password);
    QCOMPARE(
        TextoDe(entorno.ArchivoIni()),
        QStringLiteral("[Configuración]\nRuta de Almena Premium=C:\\almenapremium\nBase de datos principal=datos1\n"));
}

void tst_ConfiguracionPrograma::unaSegundaCargaNoEscribeNada()
{
    EntornoHost entorno;
    EscribeTexto(entorno.ArchivoAlmacen(), QStringLiteral("[Almena]\nservidor=srv\n"));
    Objetos objetos(entorno);
    QVERIFY(CargaDatosConexion(objetos.Nucleo(), objetos.Registro(), objetos.Bases(), entorno.ArchivoIni(), true));
    const QString cAlmacen = TextoDe(entorno.ArchivoAlmacen());
    const QString cIni = TextoDe(entorno.ArchivoIni());
    QVERIFY(cAlmacen.contains(QStringLiteral("MySQLPassword=")));

    Objetos otros(entorno);
    QVERIFY(CargaDatosConexion(otros.Nucleo(), otros.Registro(), otros.Bases(), entorno.ArchivoIni(), true));
    QCOMPARE(TextoDe(entorno.ArchivoAlmacen()), cAlmacen);
    QCOMPARE(TextoDe(entorno.ArchivoIni()), cIni);
    QCOMPARE(otros.Bases().cUsuario, QStringLiteral("root"));
    QCOMPARE(otros.Bases().cPassword, QString());
}

void tst_ConfiguracionPrograma::sinLeerLaBasePrincipal()
{
    EntornoHost entorno;
    Objetos objetos(entorno);
    objetos.Bases().cMiBase = QStringLiteral("la de antes");
    QVERIFY(CargaDatosConexion(objetos.Nucleo(), objetos.Registro(), objetos.Bases(), entorno.ArchivoIni(), false));
    QCOMPARE(objetos.Bases().cMiBase, QStringLiteral("la de antes"));
    QCOMPARE(TextoDe(entorno.ArchivoIni()),
             QStringLiteral("[Configuración]\nRuta de Almena Premium=C:\\almenapremium\n"));
}

void tst_ConfiguracionPrograma::unObjetoQueNoSePuedeCrearLlegaAlLlamador()
{
    EntornoHost entorno;
    Objetos objetos(entorno);
    entorno.fabrica.Quita(QStringLiteral("orbe5.Utilerias"));
    QCOMPARE(NumeroDeFalla([&] {
                 CargaDatosConexion(objetos.Nucleo(), objetos.Registro(), objetos.Bases(), entorno.ArchivoIni(), true);
             }),
             CodigoErrorHost::NoSePuedeCrearObjeto);
}

QTEST_MAIN(tst_ConfiguracionPrograma)
#include "tst_ConfiguracionPrograma.moc"
