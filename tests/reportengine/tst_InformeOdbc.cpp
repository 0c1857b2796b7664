// The twelve-month report from end to end: its .rpt file, a working table and a clients
// table in a database of the test's own on the private server, the two data sources in an
// ODBC file of the test's own, and the engine set up property by property as the bridge
// does it, writing a PDF and a CSV, or showing its preview without a screen.

#include <QDate>
#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "BaseDePrueba.h"
#include "CodigosErrorReporte.h"
#include "CompiladorRpt.h"
#include "EscritorRpt.h"
#include "ImpresoraYVistaPrevia.h"
#include "LimiteDeArchivo.h"
#include "MotorReporte.h"

namespace {

const char *const aMeses[] = {"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"};
const QString cNombreRaro = QStringLiteral("Ferretería O'Higgins Ñandú");

// The working table as the demo's template makes it, or with the decimals another host's
// template may have (amounts to the ten-thousandth, quantities in kilograms to the gram).
QString TablaDeTrabajo(const QString &cNombre = QStringLiteral("tmpventas12meses"), int nDecimalesMonto = 2,
                       int nDecimalesCantidad = 2)
{
    QString cColumnas;
    for (int m = 1; m <= 12; ++m)
        cColumnas += QStringLiteral("Mes%1Monto DECIMAL(18,%2) NOT NULL DEFAULT 0, ").arg(m).arg(nDecimalesMonto);
    for (int m = 1; m <= 12; ++m)
        cColumnas += QStringLiteral("Mes%1Cant DECIMAL(14,%2) NOT NULL DEFAULT 0, ").arg(m).arg(nDecimalesCantidad);
    return QStringLiteral("CREATE TABLE %1 (Cliente VARCHAR(10) NOT NULL PRIMARY KEY, %2"
                          "TotalCantRemis DECIMAL(14,%3) NOT NULL DEFAULT 0)")
        .arg(cNombre, cColumnas)
        .arg(nDecimalesCantidad);
}

QString Ejecuta(const QString &cPrograma, const QStringList &argumentos)
{
    QProcess proceso;
    proceso.start(cPrograma, argumentos);
    if (!proceso.waitForFinished(60000) || proceso.exitCode() != 0)
        qFatal("%s falló: %s", qPrintable(cPrograma), proceso.readAllStandardError().constData());
    return QString::fromUtf8(proceso.readAllStandardOutput());
}

// Runs the report; the failure as text, so that a test shows it instead of aborting.
QString Corre(MotorReporte &motor)
{
    try {
        motor.PropertyPut(PropiedadReporte::Accion, qint16(1));
    } catch (const ErrorReporte &error) {
        return QStringLiteral("Error %1: %2").arg(error.Numero()).arg(error.Descripcion());
    }
    return {};
}

} // namespace

class tst_InformeOdbc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void Pdf();
    void Csv();
    void DecimalesDeLaPlantilla();
    void DiscoLlenoDejaElArchivoAnterior();
    void VistaPreviaSinPantalla_data();
    void VistaPreviaSinPantalla();
    void SinImpresora();
    void UbicacionesGuardadasEnElArchivo();
    void ContrasenaConPuntoYComaYLlaves();
    void FallasDeLaBase_data();
    void FallasDeLaBase();

private:
    // The engine set up as the bridge sets it (tables, formulas, settings, connection),
    // then the extra puts; the run is left to the caller.
    void Prepara(MotorReporte &motor, DestinoReporte destino, const QString &cSalida, const QString &cConexion = {},
                 const QString &cReporte = {});
    QString Conexion(const QString &cUsuario, const QString &cPassword) const;

    std::unique_ptr<BaseDePrueba> m_base;
    QTemporaryDir m_carpeta;
    QString m_cReporte;
    QString m_cUsuarioRaro;
};

void tst_InformeOdbc::initTestCase()
{
    QVERIFY(m_carpeta.isValid());
    m_base = std::make_unique<BaseDePrueba>();
    m_base->Ejecuta(TablaDeTrabajo());
    m_base->Ejecuta(QStringLiteral("CREATE TABLE clientes (Clave VARCHAR(10) NOT NULL PRIMARY KEY, Nombre VARCHAR(80))"));
    m_base->Ejecuta(QStringLiteral("INSERT INTO clientes VALUES ('C001', 'Ferretería O''Higgins Ñandú'), "
                                   "('C002', 'Tlapalería \"La Güera\", S.A.'), ('C999', 'Sin ventas')"));
    // C003 has no row in clientes: its name comes out empty.
    m_base->Ejecuta(QStringLiteral("INSERT INTO tmpventas12meses (Cliente, Mes1Monto, Mes1Cant, Mes2Monto, TotalCantRemis) "
                                   "VALUES ('C001', 0.10, 1.00, 0.20, 2.50)"));
    m_base->Ejecuta(QStringLiteral("INSERT INTO tmpventas12meses (Cliente, Mes1Monto, Mes12Monto, Mes12Cant) "
                                   "VALUES ('C002', 1234567.89, 0.01, 3.25)"));
    m_base->Ejecuta(QStringLiteral("INSERT INTO tmpventas12meses (Cliente, Mes6Cant) VALUES ('C003', 7.00)"));
    // Each client's January amount rounds to 0.00 on its own; their total, rounded once, is 0.01.
    m_base->Ejecuta(TablaDeTrabajo(QStringLiteral("kilos"), 4, 3));
    m_base->Ejecuta(QStringLiteral("INSERT INTO kilos (Cliente, Mes1Cant, Mes1Monto, Mes2Monto, TotalCantRemis) "
                                   "VALUES ('C001', 25.833, 0.0040, 1234.5678, 0.001), ('C002', 0.5, 0.0040, -0.0050, 0)"));

    // Both data sources point at a server and an account that do not exist: the connection
    // text must override them; the port is the only value that comes from here.
    const DatosConexion servidor = BaseDePrueba::Servidor();
    QFile odbcIni(m_carpeta.filePath(QStringLiteral("odbc.ini")));
    QVERIFY(odbcIni.open(QIODevice::WriteOnly));
    for (const char *cOrigen : {"Almena Reportes", "myodbc3-test"}) {
        odbcIni.write(QStringLiteral("[%1]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/libmaodbc.so\nSERVER=no-existe.invalid\n"
                                     "PORT=%2\nDATABASE=nada\nUID=nadie\nPWD=malo\n\n")
                          .arg(QLatin1String(cOrigen))
                          .arg(servidor.nPuerto)
                          .toUtf8());
    }
    odbcIni.close();
    QFile odbcinst(m_carpeta.filePath(QStringLiteral("odbcinst.ini")));
    QVERIFY(odbcinst.open(QIODevice::WriteOnly));
    odbcinst.close();
    qputenv("ODBCINI", QFile::encodeName(odbcIni.fileName()));
    qputenv("ODBCSYSINI", QFile::encodeName(m_carpeta.path()));

    QFile definicion(QStringLiteral(DEFINICION_INFORME_MENSUAL));
    QVERIFY(definicion.open(QIODevice::ReadOnly));
    m_cReporte = m_carpeta.filePath(QStringLiteral("InformeMensual.rpt"));
    EscritorRpt::Escribe(CompiladorRpt::Compila(QString::fromUtf8(definicion.readAll())), m_cReporte);
}

void tst_InformeOdbc::cleanupTestCase()
{
    if (!m_cUsuarioRaro.isEmpty())
        m_base->Ejecuta(QStringLiteral("DROP USER IF EXISTS '%1'@'%'").arg(m_cUsuarioRaro));
    m_base.reset();
}

QString tst_InformeOdbc::Conexion(const QString &cUsuario, const QString &cPassword) const
{
    // As the bridge builds it: values inserted as they are.
    return QStringLiteral("SERVER=%1;DB=%2;UID=%3;PWD=%4;")
        .arg(BaseDePrueba::Servidor().cServidor, m_base->Nombre(), cUsuario, cPassword);
}

void tst_InformeOdbc::Prepara(MotorReporte &motor, DestinoReporte destino, const QString &cSalida, const QString &cConexion,
                              const QString &cReporte)
{
    const DatosConexion servidor = BaseDePrueba::Servidor();
    motor.setLocale(QLocale(QLocale::Spanish, QLocale::Mexico));
    motor.PropertyPut(PropiedadReporte::ArchivoReporte, QString());
    motor.PropertyPutIndexed(PropiedadReporte::UbicacionTabla, 0, m_base->Nombre() + QStringLiteral(".tmpventas12meses"));
    motor.PropertyPutIndexed(PropiedadReporte::UbicacionTabla, 1, m_base->Nombre() + QStringLiteral(".clientes"));
    for (int m = 1; m <= 12; ++m)
        motor.PropertyPutIndexed(PropiedadReporte::Formula, m - 1, QStringLiteral("Mes%1='%2-24'").arg(m).arg(QLatin1String(aMeses[m - 1])));
    motor.PropertyPutIndexed(PropiedadReporte::Formula, 12, QStringLiteral("VENDEDOR='V01'"));
    motor.PropertyPut(PropiedadReporte::Destino, qint32(destino));
    motor.PropertyPut(PropiedadReporte::Copias, qint32(0));
    motor.PropertyPut(PropiedadReporte::ArchivoReporte, cReporte.isEmpty() ? m_cReporte : cReporte);
    motor.PropertyPut(PropiedadReporte::DobleCara, qint32(0));
    motor.PropertyPut(PropiedadReporte::ArchivoSalida, cSalida);
    motor.PropertyPutIndexed(PropiedadReporte::Impresora, 0, QString());
    motor.PropertyPut(PropiedadReporte::TituloVentana, QString());
    motor.PropertyPut(PropiedadReporte::Papel, QString());
    motor.PropertyPut(PropiedadReporte::Paginas, QString());
    motor.PropertyPut(PropiedadReporte::Bandeja, QString());
    motor.PropertyPut(PropiedadReporte::Conexion,
                      cConexion.isEmpty() ? Conexion(servidor.cUsuario, servidor.cPassword) : cConexion);
}

void tst_InformeOdbc::Pdf()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("Falta pdftotext (paquete poppler-utils)");
    const QString cPdf = m_carpeta.filePath(QStringLiteral("informe.pdf"));
    MotorReporte motor;
    Prepara(motor, DestinoReporte::Archivo, cPdf);
    const QString cFalla = Corre(motor);
    QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));

    const QString cTexto = Ejecuta(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), cPdf, QStringLiteral("-")});
    const auto contiene = [&cTexto](const QString &cBuscado) {
        if (!cTexto.contains(cBuscado))
            qWarning("No está \"%s\" en:\n%s", qPrintable(cBuscado), qPrintable(cTexto));
        return cTexto.contains(cBuscado);
    };
    QVERIFY(contiene(QStringLiteral("Ventas de doce meses por cliente")));
    QVERIFY(contiene(QStringLiteral("Periodo: ene-24 a dic-24")));
    QVERIFY(contiene(QStringLiteral("Filtros: vendedor V01")));
    QVERIFY(contiene(QStringLiteral("Impreso el ") + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))));
    QVERIFY(cTexto.contains(QRegularExpression(QStringLiteral("ene-24 +feb-24 .* dic-24 +Total +Rem. pend."))));
    // C001's quantity line and its amount line under its name: 0.10 + 0.20 is 0.30.
    QVERIFY(cTexto.contains(QRegularExpression(QStringLiteral("C001 +Cant\\. +1\\.00 +0\\.00 .* 1\\.00 +2\\.50"))));
    QVERIFY(cTexto.contains(QRegularExpression(QStringLiteral("Ferretería O'Higgins Ñandú +Importe +0\\.10 +0\\.20 .* 0\\.30"))));
    QVERIFY(cTexto.contains(QRegularExpression(QStringLiteral("Importe +1,234,567\\.89 .* 0\\.01 +1,234,567\\.90"))));
    QVERIFY(cTexto.contains(QRegularExpression(QStringLiteral("C003 +Cant\\. .* 7\\.00"))));
    // Totals: amounts 0.10 + 1,234,567.89 in January, 0.20 in February, 0.01 in December.
    QVERIFY(contiene(QStringLiteral("Totales (3 clientes)")));
    QVERIFY(cTexto.contains(QRegularExpression(QStringLiteral("Importe +1,234,567\\.99 +0\\.20 .* 0\\.01 +1,234,568\\.20"))));
    QVERIFY(contiene(QStringLiteral("Página 1 de 1")));
}

void tst_InformeOdbc::Csv()
{
    const QString cCsv = m_carpeta.filePath(QStringLiteral("informe.csv"));
    MotorReporte motor;
    Prepara(motor, DestinoReporte::Archivo, cCsv);
    const QString cFalla = Corre(motor);
    QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));

    QFile archivo(cCsv);
    QVERIFY(archivo.open(QIODevice::ReadOnly));
    const QStringList lineas = QString::fromUtf8(archivo.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lineas.size(), 4);

    QStringList encabezado{"Cliente", "Nombre"};
    for (const char *cMes : aMeses)
        encabezado << QStringLiteral("%1-24 cantidad").arg(QLatin1String(cMes)) << QStringLiteral("%1-24 importe").arg(QLatin1String(cMes));
    encabezado << "Total cantidad" << "Total importe" << "Cantidad en remisiones pendientes";
    QCOMPARE(lineas[0], encabezado.join(u','));

    const auto fila = [](const QString &cCliente, const QString &cNombre, QList<QPair<QString, QString>> meses,
                         const QString &cTotales) {
        QStringList campos{cCliente, cNombre};
        for (int m = 0; m < 12; ++m)
            campos << meses.value(m, {QStringLiteral("0.00"), QStringLiteral("0.00")}).first
                   << meses.value(m, {QStringLiteral("0.00"), QStringLiteral("0.00")}).second;
        return campos.join(u',') + u',' + cTotales;
    };
    QCOMPARE(lineas[1], fila("C001", cNombreRaro, {{"1.00", "0.10"}, {"0.00", "0.20"}}, "1.00,0.30,2.50"));
    QList<QPair<QString, QString>> meses2(12, {"0.00", "0.00"});
    meses2[0] = {"0.00", "1234567.89"};
    meses2[11] = {"3.25", "0.01"};
    QCOMPARE(lineas[2], fila("C002", "\"Tlapalería \"\"La Güera\"\", S.A.\"", meses2, "3.25,1234567.90,0.00"));
    QList<QPair<QString, QString>> meses3(12, {"0.00", "0.00"});
    meses3[5] = {"7.00", "0.00"};
    QCOMPARE(lineas[3], fila("C003", "", meses3, "7.00,0.00,0.00"));
}

void tst_InformeOdbc::DecimalesDeLaPlantilla()
{
    // The CSV keeps every decimal of the working table; paper shows amounts to the cent and
    // quantities with their own decimals, and its totals are the exact sums rounded once.
    const QString cCsv = m_carpeta.filePath(QStringLiteral("kilos.csv"));
    const QString cPdf = m_carpeta.filePath(QStringLiteral("kilos.pdf"));
    for (const QString &cSalida : {cCsv, cPdf}) {
        MotorReporte motor;
        Prepara(motor, DestinoReporte::Archivo, cSalida);
        motor.PropertyPutIndexed(PropiedadReporte::UbicacionTabla, 0, m_base->Nombre() + QStringLiteral(".kilos"));
        const QString cFalla = Corre(motor);
        QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));
    }
    QFile archivo(cCsv);
    QVERIFY(archivo.open(QIODevice::ReadOnly));
    const QStringList lineas = QString::fromUtf8(archivo.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lineas.size(), 3);
    QVERIFY2(lineas[1].startsWith(QStringLiteral("C001,%1,25.833,0.0040,0.000,1234.5678,").arg(cNombreRaro)),
             qPrintable(lineas[1]));
    QVERIFY2(lineas[1].endsWith(QStringLiteral(",25.833,1234.5718,0.001")), qPrintable(lineas[1]));
    QVERIFY2(lineas[2].endsWith(QStringLiteral(",0.500,-0.0010,0.000")), qPrintable(lineas[2]));

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("Falta pdftotext (paquete poppler-utils)");
    const QString cTexto = Ejecuta(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), cPdf, QStringLiteral("-")});
    QVERIFY2(cTexto.contains(QRegularExpression(QStringLiteral("C001 +Cant\\. +25\\.833 +0\\.000 .* 25\\.833 +0\\.001"))),
             qPrintable(cTexto));
    QVERIFY2(cTexto.contains(QRegularExpression(QStringLiteral("Importe +0\\.00 +1,234\\.57 .* 1,234\\.57\\s"))),
             qPrintable(cTexto));
    // January: 0.0040 + 0.0040 = 0.0080, one cent; February: 1234.5678 - 0.0050 = 1,234.56.
    QVERIFY2(cTexto.contains(QRegularExpression(QStringLiteral("Importe +0\\.01 +1,234\\.56 .* 1,234\\.57\\s"))),
             qPrintable(cTexto));
}

void tst_InformeOdbc::DiscoLlenoDejaElArchivoAnterior()
{
    const QString cCsv = m_carpeta.filePath(QStringLiteral("lleno.csv"));
    QFile anterior(cCsv);
    QVERIFY(anterior.open(QIODevice::WriteOnly) && anterior.write("el informe de ayer\r\n") > 0);
    anterior.close();
    MotorReporte motor;
    Prepara(motor, DestinoReporte::Archivo, cCsv);
    QString cFalla;
    {
        const LimiteDeArchivo lleno(200); // the report takes some 600 bytes
        cFalla = Corre(motor);
    }
    QVERIFY2(cFalla.startsWith(QStringLiteral("Error %1:").arg(CodigoErrorRpt::SalidaNoEscrita)), qPrintable(cFalla));
    QVERIFY(anterior.open(QIODevice::ReadOnly));
    QCOMPARE(anterior.readAll(), QByteArray("el informe de ayer\r\n"));
}

void tst_InformeOdbc::VistaPreviaSinPantalla_data()
{
    QTest::addColumn<QString>("cTitulo");
    QTest::addColumn<QString>("cTituloVentana");
    QTest::newRow("título del reporte") << "" << "Ventas de doce meses por cliente";
    QTest::newRow("título propio") << "Mi informe" << "Mi informe";
}

void tst_InformeOdbc::VistaPreviaSinPantalla()
{
    QFETCH(QString, cTitulo);
    QFETCH(QString, cTituloVentana);
    MotorReporte motor;
    Prepara(motor, DestinoReporte::Ventana, QString());
    motor.PropertyPut(PropiedadReporte::TituloVentana, cTitulo);
    int nPaginas = -1;
    QString cTituloVisto;
    ImpresoraYVistaPrevia pantalla;
    motor.setSalidaImpresa(&pantalla);
    pantalla.setPresentaVistaPrevia([&](QPrintPreviewDialog &dialogo) {
        dialogo.show(); // the preview paints its pages when it is shown
        QPrintPreviewWidget *pVista = dialogo.findChild<QPrintPreviewWidget *>();
        QVERIFY(pVista);
        QTRY_VERIFY(pVista->pageCount() > 0);
        nPaginas = pVista->pageCount();
        cTituloVisto = dialogo.windowTitle();
        dialogo.close();
    });
    const QString cFalla = Corre(motor);
    QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));
    QCOMPARE(nPaginas, 1);
    QCOMPARE(cTituloVisto, cTituloVentana);
}

void tst_InformeOdbc::SinImpresora()
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("Este equipo tiene impresora predeterminada (ctest da a esta prueba un CUPS_SERVER sin servidor): no "
              "se imprime en ella desde una prueba");
    MotorReporte motor;
    ImpresoraYVistaPrevia impresora;
    motor.setSalidaImpresa(&impresora);
    Prepara(motor, DestinoReporte::Impresora, QString());
    const QString cFalla = Corre(motor);
    QVERIFY2(cFalla.startsWith(QStringLiteral("Error %1:").arg(CodigoErrorRpt::ImpresoraNoDisponible)), qPrintable(cFalla));
}

void tst_InformeOdbc::UbicacionesGuardadasEnElArchivo()
{
    // A report whose stored locations name the test's tables, without a database (the name of
    // the test's database would not fit the bridge's window): without any property 32 the
    // engine reads them from the file, in the database of the connection text.
    QFile definicion(QStringLiteral(DEFINICION_INFORME_MENSUAL));
    QVERIFY(definicion.open(QIODevice::ReadOnly));
    const QString cTexto = QString::fromUtf8(definicion.readAll())
                               .replace(QLatin1String("almenareportes.ventas12meses"), QLatin1String("tmpventas12meses"))
                               .replace(QLatin1String("datos1.clientes"), QLatin1String("clientes"));
    const QString cReporte = m_carpeta.filePath(QStringLiteral("guardadas.rpt"));
    EscritorRpt::Escribe(CompiladorRpt::Compila(cTexto), cReporte);

    const DatosConexion servidor = BaseDePrueba::Servidor();
    const QString cCsv = m_carpeta.filePath(QStringLiteral("guardadas.csv"));
    MotorReporte motor;
    motor.PropertyPut(PropiedadReporte::ArchivoReporte, cReporte);
    motor.PropertyPutIndexed(PropiedadReporte::Formula, 0, QStringLiteral("Mes1='ene-24'"));
    motor.PropertyPut(PropiedadReporte::Destino, 2);
    motor.PropertyPut(PropiedadReporte::ArchivoSalida, cCsv);
    motor.PropertyPut(PropiedadReporte::Conexion, Conexion(servidor.cUsuario, servidor.cPassword));
    const QString cFalla = Corre(motor);
    QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));
    QFile archivo(cCsv);
    QVERIFY(archivo.open(QIODevice::ReadOnly));
    const QByteArray csv = archivo.readAll();
    QVERIFY2(csv.startsWith("Cliente,Nombre,ene-24 cantidad,ene-24 importe,Total cantidad,"), csv.constData());
    QVERIFY2(csv.contains("\r\nC001," + cNombreRaro.toUtf8() + ",1.00,0.10,1.00,0.10,2.50\r\n"), csv.constData());
}

void tst_InformeOdbc::ContrasenaConPuntoYComaYLlaves()
{
    // The bridge puts the password as it is; the engine must quote it for the driver.
    m_cUsuarioRaro = QStringLiteral("rpt%1").arg(QCoreApplication::applicationPid());
    const QString cPassword = QStringLiteral("p;x}y{z=w");
    QSqlQuery consulta(m_base->Base()); // Ejecuta would cut the statement at the password's ";"
    QVERIFY2(consulta.exec(QStringLiteral("CREATE USER '%1'@'%' IDENTIFIED BY '%2'").arg(m_cUsuarioRaro, cPassword)),
             qPrintable(consulta.lastError().text()));
    m_base->Ejecuta(QStringLiteral("GRANT SELECT ON `%1`.* TO '%2'@'%'").arg(m_base->Nombre(), m_cUsuarioRaro));
    const QString cCsv = m_carpeta.filePath(QStringLiteral("raro.csv"));
    MotorReporte motor;
    Prepara(motor, DestinoReporte::Archivo, cCsv, Conexion(m_cUsuarioRaro, cPassword));
    const QString cFalla = Corre(motor);
    QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));
    QVERIFY(QFile::exists(cCsv));
}

void tst_InformeOdbc::FallasDeLaBase_data()
{
    QTest::addColumn<QString>("cConexion"); // %1 server, %2 database, %3 user, %4 password of the test
    QTest::addColumn<QString>("cTabla");    // replaces the working table's location when given
    QTest::addColumn<int>("nFalla");
    QTest::addColumn<QString>("cMotivo");
    QTest::newRow("contraseña equivocada") << "SERVER=%1;DB=%2;UID=%3;PWD=no-es-esta;" << "" << CodigoErrorRpt::ConexionFallida
                                           << "1045";
    QTest::newRow("servidor que no existe") << "SERVER=no-existe.invalid;DB=%2;UID=%3;PWD=%4;" << ""
                                            << CodigoErrorRpt::ConexionFallida << "Almena Reportes";
    QTest::newRow("tabla que no existe") << "SERVER=%1;DB=%2;UID=%3;PWD=%4;" << "noexiste" << CodigoErrorRpt::ConsultaFallida
                                         << "1146";
    // "sin-origen" stands for a report whose data source nobody registered.
    QTest::newRow("origen de datos sin registrar") << "SERVER=%1;DB=%2;UID=%3;PWD=%4;" << "sin-origen"
                                                   << CodigoErrorRpt::ConexionFallida << "scripts/registra-odbc.sh";
}

void tst_InformeOdbc::FallasDeLaBase()
{
    QFETCH(QString, cConexion);
    QFETCH(QString, cTabla);
    QFETCH(int, nFalla);
    QFETCH(QString, cMotivo);
    const DatosConexion servidor = BaseDePrueba::Servidor();
    const QString cCsv = m_carpeta.filePath(QStringLiteral("falla.csv"));
    QString cReporte;
    if (cTabla == u"sin-origen") {
        QFile definicion(QStringLiteral(DEFINICION_INFORME_MENSUAL));
        QVERIFY(definicion.open(QIODevice::ReadOnly));
        cReporte = m_carpeta.filePath(QStringLiteral("sin-origen.rpt"));
        EscritorRpt::Escribe(CompiladorRpt::Compila(QString::fromUtf8(definicion.readAll())
                                                        .replace(QLatin1String("\"Almena Reportes\""), QLatin1String("\"Sin registrar\""))),
                             cReporte);
    }
    MotorReporte motor;
    Prepara(motor, DestinoReporte::Archivo, cCsv,
            cConexion.arg(servidor.cServidor, m_base->Nombre(), servidor.cUsuario, servidor.cPassword), cReporte);
    if (!cTabla.isEmpty() && cReporte.isEmpty())
        motor.PropertyPutIndexed(PropiedadReporte::UbicacionTabla, 0, m_base->Nombre() + u'.' + cTabla);
    try {
        motor.PropertyPut(PropiedadReporte::Accion, 1);
        QFAIL("El reporte se ejecutó");
    } catch (const ErrorReporte &error) {
        QCOMPARE(error.Numero(), nFalla);
        QVERIFY2(error.Descripcion().contains(cMotivo), qPrintable(error.Descripcion()));
    }
    QVERIFY(!QFile::exists(cCsv));
}

QTEST_MAIN(tst_InformeOdbc)
#include "tst_InformeOdbc.moc"
