// The twelve-month report from end to end: its .rpt file, a working table and a clients
// table in a database of the test's own on the private server, the two data sources in an
// ODBC file of the test's own, and the engine set up property by property as the bridge
// does it, writing a PDF, a CSV and a workbook, or showing its preview without a screen.

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
#include "HojasVistaPrevia.h"
#include "ImpresoraYVistaPrevia.h"
#include "LimiteDeArchivo.h"
#include "MotorReporte.h"
#include "NumeroDecimal.h"
#include "Programa.h"
#include "SalidaCsv.h"
#include "VentanaVistaPrevia.h"

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

// What openpyxl reads in a workbook, and Python's csv module in a CSV when one is given
// (lee_libro.py); empty, with the reason in cFalla, when the reader fails.
QJsonObject LeeLibro(const QString &cLibro, const QString &cCsv, QString &cFalla)
{
    QProcess lector;
    QStringList argumentos{QStringLiteral(LECTOR_LIBRO), cLibro};
    if (!cCsv.isEmpty())
        argumentos << cCsv;
    lector.start(QStringLiteral("/usr/bin/python3"), argumentos);
    if (!lector.waitForFinished(60000) || lector.exitStatus() != QProcess::NormalExit || lector.exitCode() != 0) {
        cFalla = QStringLiteral("lee_libro.py falló: ") + QString::fromUtf8(lector.readAllStandardError());
        return {};
    }
    QJsonParseError error;
    const QJsonDocument documento = QJsonDocument::fromJson(lector.readAllStandardOutput(), &error);
    if (!documento.isObject())
        cFalla = QStringLiteral("lee_libro.py no dio JSON: ") + error.errorString();
    return documento.object();
}

bool HayOpenpyxl()
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    return python.waitForFinished(30000) && python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0;
}

// The letters of a spreadsheet column: 0 is A, 28 is AC.
QString LetrasDeColumna(int nColumna)
{
    QString cLetras;
    for (++nColumna; nColumna > 0; nColumna = (nColumna - 1) / 26)
        cLetras.prepend(QChar(u'A' + (nColumna - 1) % 26));
    return cLetras;
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
    void MasFilasQueUnBloque();
    void LibroConLosValoresDelCsv();
    void DiscoLlenoDejaElArchivoAnterior_data();
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
    m_base->Ejecuta(
        QStringLiteral("CREATE TABLE clientes (Clave VARCHAR(10) NOT NULL PRIMARY KEY, Nombre VARCHAR(80))"));
    m_base->Ejecuta(QStringLiteral("INSERT INTO clientes VALUES ('C001', 'Ferretería O''Higgins Ñandú'), "
                                   "('C002', 'Tlapalería \"La Güera\", S.A.'), ('C004', '=1+2 Comercial'), "
                                   "('C999', 'Sin ventas')"));
    // C003 has no row in clientes: its name comes out empty.
    m_base->Ejecuta(
        QStringLiteral("INSERT INTO tmpventas12meses (Cliente, Mes1Monto, Mes1Cant, Mes2Monto, TotalCantRemis) "
                       "VALUES ('C001', 0.10, 1.00, 0.20, 2.50)"));
    m_base->Ejecuta(QStringLiteral("INSERT INTO tmpventas12meses (Cliente, Mes1Monto, Mes12Monto, Mes12Cant) "
                                   "VALUES ('C002', 1234567.89, 0.01, 3.25)"));
    m_base->Ejecuta(QStringLiteral("INSERT INTO tmpventas12meses (Cliente, Mes6Cant) VALUES ('C003', 7.00)"));
    // Each client's January amount rounds to 0.00 on its own; their total, rounded once, is 0.01.
    m_base->Ejecuta(TablaDeTrabajo(QStringLiteral("kilos"), 4, 3));
    m_base->Ejecuta(QStringLiteral("INSERT INTO kilos (Cliente, Mes1Cant, Mes1Monto, Mes2Monto, TotalCantRemis) "
                                   "VALUES ('C001', 25.833, 0.0040, 1234.5678, 0.001), "
                                   "('C002', 0.5, 0.0040, -0.0050, 0), ('C004', 0, 0, 0, 0)"));

    // Both data sources point at a server and an account that do not exist: the connection
    // text must override them; the port is the only value that comes from here.
    const DatosConexion servidor = BaseDePrueba::Servidor();
    QFile odbcIni(m_carpeta.filePath(QStringLiteral("odbc.ini")));
    QVERIFY(odbcIni.open(QIODevice::WriteOnly));
    for (const char *cOrigen : {"Almena Reportes", "myodbc3-test"}) {
        odbcIni.write(
            QStringLiteral("[%1]\nDriver=/usr/lib/x86_64-linux-gnu/odbc/libmaodbc.so\nSERVER=no-existe.invalid\n"
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

void tst_InformeOdbc::Prepara(MotorReporte &motor, DestinoReporte destino, const QString &cSalida,
                              const QString &cConexion, const QString &cReporte)
{
    const DatosConexion servidor = BaseDePrueba::Servidor();
    motor.setLocale(QLocale(QLocale::Spanish, QLocale::Mexico));
    motor.PropertyPut(PropiedadReporte::ArchivoReporte, QString());
    motor.PropertyPutIndexed(PropiedadReporte::UbicacionTabla, 0,
                             m_base->Nombre() + QStringLiteral(".tmpventas12meses"));
    motor.PropertyPutIndexed(PropiedadReporte::UbicacionTabla, 1, m_base->Nombre() + QStringLiteral(".clientes"));
    for (int m = 1; m <= 12; ++m)
        motor.PropertyPutIndexed(PropiedadReporte::Formula, m - 1,
                                 QStringLiteral("Mes%1='%2-24'").arg(m).arg(QLatin1String(aMeses[m - 1])));
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

    const QString cTexto =
        SalidaDe(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), cPdf, QStringLiteral("-")});
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
    QVERIFY(cTexto.contains(
        QRegularExpression(QStringLiteral("Ferretería O'Higgins Ñandú +Importe +0\\.10 +0\\.20 .* 0\\.30"))));
    QVERIFY(cTexto.contains(QRegularExpression(QStringLiteral("Importe +1,234,567\\.89 .* 0\\.01 +1,234,567\\.90"))));
    QVERIFY(cTexto.contains(QRegularExpression(QStringLiteral("C003 +Cant\\. .* 7\\.00"))));
    // Totals: amounts 0.10 + 1,234,567.89 in January, 0.20 in February, 0.01 in December.
    QVERIFY(contiene(QStringLiteral("Totales (3 clientes)")));
    // January's, in bold, is wider than its column: centred under it, it runs into the free
    // room beside the label and stays on the amounts' line, under its month.
    QVERIFY(cTexto.contains(
        QRegularExpression(QStringLiteral("Importe +1,234,567\\.99 +0\\.20 .* 0\\.01 +1,234,568\\.20\n"))));
    QVERIFY(contiene(QStringLiteral("Página 1 de 1")));
    // The chart of the months under the totals, its months headed as the columns.
    QVERIFY(contiene(QStringLiteral("Importe y cantidad por mes")));
    QCOMPARE(cTexto.count(QStringLiteral("feb-24")), 2);
    // The document says what it is and who wrote it.
    const QString cInformacion = SalidaDe(QStringLiteral("pdfinfo"), {cPdf});
    QVERIFY2(cInformacion.contains(QRegularExpression(QStringLiteral("Title: +Ventas de doce meses por cliente\n"))),
             qPrintable(cInformacion));
    QVERIFY(cInformacion.contains(QRegularExpression(QStringLiteral("Creator: +informe-mensual\n"))));
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
        encabezado << QStringLiteral("%1-24 cantidad").arg(QLatin1String(cMes))
                   << QStringLiteral("%1-24 importe").arg(QLatin1String(cMes));
    encabezado << "Total cantidad"
               << "Total importe"
               << "Cantidad en remisiones pendientes";
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

void tst_InformeOdbc::MasFilasQueUnBloque()
{
    // The reader brings the rows in blocks: every row of every block, the last one partial,
    // in order, with its names NULL (no such clients), reaches the CSV; but one client's name
    // fills its column with characters of four bytes each.
    const int nFilas = 1337;
    const int nConNombre = 777;
    const QString cNombreLargo = QString(80, u'x').replace(u'x', QStringLiteral("\U0001F600"));
    m_base->Ejecuta(TablaDeTrabajo(QStringLiteral("muchas")));
    m_base->Ejecuta(QStringLiteral("INSERT INTO clientes VALUES ('M%1', '%2')")
                        .arg(nConNombre, 5, 10, QLatin1Char('0'))
                        .arg(cNombreLargo));
    m_base->Ejecuta(QStringLiteral("INSERT INTO muchas (Cliente, Mes1Cant, Mes1Monto) "
                                   "SELECT CONCAT('M', LPAD(seq, 5, '0')), seq, seq / 100 "
                                   "FROM seq_1_to_%1")
                        .arg(nFilas));
    const QString cCsv = m_carpeta.filePath(QStringLiteral("muchas.csv"));
    MotorReporte motor;
    Prepara(motor, DestinoReporte::Archivo, cCsv);
    motor.PropertyPutIndexed(PropiedadReporte::UbicacionTabla, 0, m_base->Nombre() + QStringLiteral(".muchas"));
    const QString cFalla = Corre(motor);
    QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));
    QFile archivo(cCsv);
    QVERIFY(archivo.open(QIODevice::ReadOnly));
    const QStringList lineas = QString::fromUtf8(archivo.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lineas.size(), nFilas + 1);
    for (int n = 1; n <= nFilas; ++n) {
        const QStringList campos = lineas[n].split(u',');
        if (campos[0] != QStringLiteral("M%1").arg(n, 5, 10, QLatin1Char('0')) ||
            campos[1] != (n == nConNombre ? cNombreLargo : QString()) || campos[2] != QStringLiteral("%1.00").arg(n) ||
            campos[3] != QString::number(n / 100.0, 'f', 2))
            QFAIL(qPrintable(QStringLiteral("Fila %1: %2").arg(n).arg(lineas[n])));
    }
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
    QCOMPARE(lineas.size(), 4);
    QVERIFY2(lineas[1].startsWith(QStringLiteral("C001,%1,25.833,0.0040,0.000,1234.5678,").arg(cNombreRaro)),
             qPrintable(lineas[1]));
    QVERIFY2(lineas[1].endsWith(QStringLiteral(",25.833,1234.5718,0.001")), qPrintable(lineas[1]));
    QVERIFY2(lineas[2].endsWith(QStringLiteral(",0.500,-0.0010,0.000")), qPrintable(lineas[2]));

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("Falta pdftotext (paquete poppler-utils)");
    const QString cTexto =
        SalidaDe(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), cPdf, QStringLiteral("-")});
    QVERIFY2(
        cTexto.contains(QRegularExpression(QStringLiteral("C001 +Cant\\. +25\\.833 +0\\.000 .* 25\\.833 +0\\.001"))),
        qPrintable(cTexto));
    QVERIFY2(cTexto.contains(QRegularExpression(QStringLiteral("Importe +0\\.00 +1,234\\.57 .* 1,234\\.57\\s"))),
             qPrintable(cTexto));
    // January: 0.0040 + 0.0040 = 0.0080, one cent; February: 1234.5678 - 0.0050 = 1,234.56.
    QVERIFY2(cTexto.contains(QRegularExpression(QStringLiteral("Importe +0\\.01 +1,234\\.56 .* 1,234\\.57\\s"))),
             qPrintable(cTexto));
}

void tst_InformeOdbc::LibroConLosValoresDelCsv()
{
    if (!HayOpenpyxl())
        QSKIP("/usr/bin/python3 no tiene openpyxl (paquete python3-openpyxl): no se puede leer el libro");
    // The same rows into a CSV and into a workbook whose name a user typed in capitals.
    const QString cCsv = m_carpeta.filePath(QStringLiteral("libro.csv"));
    const QString cLibro = m_carpeta.filePath(QStringLiteral("libro.XLSX"));
    for (const QString &cSalida : {cCsv, cLibro}) {
        MotorReporte motor;
        Prepara(motor, DestinoReporte::Archivo, cSalida);
        motor.PropertyPutIndexed(PropiedadReporte::UbicacionTabla, 0, m_base->Nombre() + QStringLiteral(".kilos"));
        const QString cFalla = Corre(motor);
        QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));
    }
    QString cFalla;
    const QJsonObject libro = LeeLibro(cLibro, cCsv, cFalla);
    QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));
    QCOMPARE(libro["hojas"].toVariant().toStringList(), (QStringList{"Ventas", "Meses"}));
    const QJsonObject ventas = libro["Ventas"].toObject();
    const QJsonArray filas = ventas["celdas"].toArray();
    const auto celda = [&filas](int nFila, int nColumna) { return filas[nFila].toArray()[nColumna].toObject(); };
    const QJsonArray csv = libro["csv"].toArray();
    const int nClientes = int(csv.size()) - 1;
    const int nColumnas = int(csv[0].toArray().size());
    QCOMPARE(nClientes, 3);
    QCOMPARE(nColumnas, 29);

    // The headings are the frozen row, the filter runs from them over the clients, and above
    // them are the title, the period and the filters, without page numbers.
    const int nTitulos = ventas["congelada"]["fila"].toInt() - 1;
    QCOMPARE(ventas["congelada"]["columna"].toInt(), 0);
    QCOMPARE(ventas["filtro"].toArray(), (QJsonArray{nTitulos, 0, nTitulos + nClientes, nColumnas - 1}));
    QCOMPARE(celda(0, 0)["valor"].toString(), QStringLiteral("Ventas de doce meses por cliente"));
    QStringList encima;
    for (int nFila = 1; nFila < nTitulos; ++nFila)
        encima << celda(nFila, 0)["valor"].toString();
    QVERIFY2(encima.contains(QStringLiteral("Periodo: ene-24 a dic-24")), qPrintable(encima.join(u'|')));
    QVERIFY2(encima.contains(QStringLiteral("Filtros: vendedor V01")), qPrintable(encima.join(u'|')));
    QVERIFY2(!encima.join(u'|').contains(QStringLiteral("Página")), qPrintable(encima.join(u'|')));

    // Cell by cell against the CSV: its headings, its texts (where the CSV needs an apostrophe
    // the workbook keeps the text itself), its numbers as numbers with their own decimals, as
    // wide as they show; under each numeric column the SUM of it, carrying the exact sum.
    const QJsonObject anchos = ventas["anchos"].toObject();
    for (int c = 0; c < nColumnas; ++c) {
        const QString cLetras = LetrasDeColumna(c);
        QCOMPARE(celda(nTitulos, c)["valor"].toString(), csv[0][c].toString());
        int nAncho = int(csv[0][c].toString().size());
        NumeroDecimal suma;
        int nDecimales = 0;
        for (int r = 1; r <= nClientes; ++r) {
            const QString cValor = csv[r][c].toString();
            const QJsonObject valor = celda(nTitulos + r, c);
            const QByteArray donde =
                QStringLiteral("%1%2: %3 en el CSV").arg(cLetras).arg(nTitulos + r + 1).arg(cValor).toUtf8();
            if (c < 2) {
                QVERIFY2(valor.isEmpty() || valor["tipo"].toString() == u"s", donde);
                QVERIFY2(SalidaCsv::TextoSeguro(valor["valor"].toString()) == cValor, donde);
                nAncho = qMax(nAncho, int(cValor.size()));
                continue;
            }
            QVERIFY2(valor["tipo"].toString() == u"n", donde);
            QVERIFY2(valor["valor"].toDouble() == cValor.toDouble(), donde);
            const int nEnteros = int(cValor.indexOf(u'.')) - (cValor.startsWith(u'-') ? 1 : 0);
            nDecimales = int(cValor.size()) - int(cValor.indexOf(u'.')) - 1;
            QVERIFY2(valor["formato"].toString() == QStringLiteral("#,##0.") + QString(nDecimales, u'0'), donde);
            QVERIFY(suma.Suma(*NumeroDecimal::DeTexto(cValor)));
            nAncho = qMax(nAncho, int(cValor.size()) + (nEnteros - 1) / 3); // with its thousands grouped
        }
        QVERIFY2(anchos[cLetras].toDouble() >= nAncho, qPrintable(cLetras));
        if (c < 2)
            continue;
        const QJsonObject total = celda(nTitulos + nClientes + 1, c);
        QCOMPARE(total["tipo"].toString(), QStringLiteral("f"));
        QCOMPARE(total["valor"].toString(),
                 QStringLiteral("=SUM(%1%2:%1%3)").arg(cLetras).arg(nTitulos + 2).arg(nTitulos + 1 + nClientes));
        QVERIFY2(total["calculado"].toDouble() == suma.TextoPlano(nDecimales).toDouble(), qPrintable(cLetras));
    }
    QCOMPARE(celda(nTitulos + nClientes + 1, 0)["valor"].toString(), QStringLiteral("Totales (3 clientes)"));
    // The template's own decimals: quantities to the gram, amounts to the ten-thousandth.
    QCOMPARE(celda(nTitulos + 1, 2)["formato"].toString(), QStringLiteral("#,##0.000"));
    QCOMPARE(celda(nTitulos + 1, 3)["formato"].toString(), QStringLiteral("#,##0.0000"));
    QCOMPARE(celda(nTitulos + 1, 5)["valor"].toDouble(), 1234.5678);
    // A name that a spreadsheet would run stays a text, and stays one when edited.
    const QJsonObject formula = celda(nTitulos + 3, 1);
    QCOMPARE(csv[3][0].toString(), QStringLiteral("C004"));
    QCOMPARE(formula["tipo"].toString(), QStringLiteral("s"));
    QCOMPARE(formula["valor"].toString(), QStringLiteral("=1+2 Comercial"));
    QCOMPARE(formula["formato"].toString(), QStringLiteral("@"));

    // The months with their totals (those of the sheet's totals row), and their charts: the
    // amounts in columns, the quantities in a line, both carrying what they show.
    const QJsonObject meses = libro["Meses"].toObject();
    const QJsonArray filasMeses = meses["celdas"].toArray();
    QCOMPARE(filasMeses.size(), 13);
    QJsonArray etiquetas, cantidades, importes;
    for (int m = 0; m < 12; ++m) {
        const QJsonArray mes = filasMeses[m + 1].toArray();
        QCOMPARE(mes[0]["valor"].toString(), QStringLiteral("%1-24").arg(QLatin1String(aMeses[m])));
        for (int k = 0; k < 2; ++k) {
            const QJsonObject total = celda(nTitulos + nClientes + 1, 2 + 2 * m + k);
            QVERIFY2(mes[1 + k]["valor"].toDouble() == total["calculado"].toDouble(), aMeses[m]);
        }
        etiquetas << mes[0]["valor"];
        cantidades << mes[1]["valor"];
        importes << mes[2]["valor"];
    }
    const QJsonArray graficas = meses["graficas"].toArray();
    QCOMPARE(graficas.size(), 2);
    QCOMPARE(graficas[0]["tipo"].toString(), QStringLiteral("barChart"));
    QCOMPARE(graficas[1]["tipo"].toString(), QStringLiteral("lineChart"));
    for (const QJsonValue grafica : graficas) {
        const QString cTitulo = grafica["titulo"].toString();
        QVERIFY2(cTitulo.endsWith(QStringLiteral("ene-24 a dic-24")), qPrintable(cTitulo));
        QCOMPARE(grafica["series"][0]["categorias"].toArray(), etiquetas);
    }
    QCOMPARE(graficas[0]["series"][0]["valores"].toArray(), importes);
    QCOMPARE(graficas[1]["series"][0]["valores"].toArray(), cantidades);

    // On paper as the PDF: the report's Letter landscape, one page wide, the foot numbered;
    // the clients under the heading rows repeated on every page, the months and their charts
    // on one page.
    for (const auto &[pHoja, nPaginasDeAlto] : {std::pair{&ventas, 0}, std::pair{&meses, 1}}) {
        const QJsonObject pagina = (*pHoja)["pagina"].toObject();
        QCOMPARE(pagina["orientacion"].toString(), QStringLiteral("landscape"));
        QCOMPARE(pagina["papel"].toInt(), 1);
        QVERIFY(pagina["ajustada"].toBool());
        QCOMPARE(pagina["paginas_de_ancho"].toInt(), 1);
        QCOMPARE(pagina["paginas_de_alto"].toInt(), nPaginasDeAlto);
        QCOMPARE(pagina["pie"].toString(), QStringLiteral("Página &P de &N"));
    }
    QCOMPARE(ventas["pagina"]["filas_repetidas"].toString(), QStringLiteral("1:%1").arg(nTitulos + 1));
}

void tst_InformeOdbc::DiscoLlenoDejaElArchivoAnterior_data()
{
    // clang-format off
    QTest::addColumn<QString>("cArchivo");
    QTest::newRow("csv") << "lleno.csv";
    QTest::newRow("libro") << "lleno.xlsx";
    // clang-format on
}

void tst_InformeOdbc::DiscoLlenoDejaElArchivoAnterior()
{
    QFETCH(QString, cArchivo);
    const QString cRuta = m_carpeta.filePath(cArchivo);
    QFile anterior(cRuta);
    QVERIFY(anterior.open(QIODevice::WriteOnly) && anterior.write("el informe de ayer\r\n") > 0);
    anterior.close();
    MotorReporte motor;
    Prepara(motor, DestinoReporte::Archivo, cRuta);
    QString cFalla;
    {
        const LimiteDeArchivo lleno(200); // the CSV takes some 600 bytes, the workbook thousands
        cFalla = Corre(motor);
    }
    QVERIFY2(cFalla.startsWith(QStringLiteral("Error %1:").arg(CodigoErrorRpt::SalidaNoEscrita)), qPrintable(cFalla));
    QVERIFY2(cFalla.contains(cRuta), qPrintable(cFalla));
    QVERIFY(anterior.open(QIODevice::ReadOnly));
    QCOMPARE(anterior.readAll(), QByteArray("el informe de ayer\r\n"));
    // Nothing left behind of the file that was not finished.
    QCOMPARE(QDir(m_carpeta.path()).entryList({cArchivo + u'*'}, QDir::Files | QDir::Hidden), QStringList{cArchivo});
}

void tst_InformeOdbc::VistaPreviaSinPantalla_data()
{
    // clang-format off
    QTest::addColumn<QString>("cTitulo");
    QTest::addColumn<QString>("cTituloVentana");
    QTest::addColumn<QString>("cExporta"); // what "Exportar…" writes from the preview; empty: nothing
    const QString cTituloReporte = QStringLiteral("Ventas de doce meses por cliente");
    QTest::newRow("título del reporte") << "" << cTituloReporte << "";
    QTest::newRow("título propio") << "Mi informe"
                                   << "Mi informe"
                                   << "";
    QTest::newRow("exporta el CSV del archivo") << "" << cTituloReporte << "csv";
    QTest::newRow("exporta el libro del archivo") << "" << cTituloReporte << "xlsx";
    QTest::newRow("exporta el PDF del archivo") << "" << cTituloReporte << "pdf";
    // clang-format on
}

// The preview's window, and what it exports: the very file that the same run writes without
// a window.
void tst_InformeOdbc::VistaPreviaSinPantalla()
{
    QFETCH(QString, cTitulo);
    QFETCH(QString, cTituloVentana);
    QFETCH(QString, cExporta);
    if (cExporta == u"xlsx" && !HayOpenpyxl())
        QSKIP("/usr/bin/python3 no tiene openpyxl (paquete python3-openpyxl): no se puede leer el libro");
    if (cExporta == u"pdf" && QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("Falta pdftotext (paquete poppler-utils)");
    const QString cExportado = m_carpeta.filePath(QStringLiteral("exportado.") + cExporta);
    const QString cDelArchivo = m_carpeta.filePath(QStringLiteral("sin-ventana.") + cExporta);
    MotorReporte motor;
    Prepara(motor, DestinoReporte::Ventana, QString());
    motor.PropertyPut(PropiedadReporte::TituloVentana, cTitulo);
    int nPaginas = -1;
    QString cTituloVisto;
    ImpresoraYVistaPrevia pantalla;
    motor.setSalidaImpresa(&pantalla);
    pantalla.setPresentaVistaPrevia([&](VentanaVistaPrevia &ventana) {
        nPaginas = ventana.Hojas().Paginas();
        cTituloVisto = ventana.windowTitle();
        if (!cExporta.isEmpty())
            ventana.Exporta(cExportado);
    });
    QString cFalla = Corre(motor);
    QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));
    QCOMPARE(nPaginas, 1);
    QCOMPARE(cTituloVisto, cTituloVentana);
    if (cExporta.isEmpty())
        return;

    MotorReporte sinVentana;
    Prepara(sinVentana, DestinoReporte::Archivo, cDelArchivo);
    cFalla = Corre(sinVentana);
    QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));
    if (cExporta == u"csv") {
        QFile exportado(cExportado);
        QFile delArchivo(cDelArchivo);
        QVERIFY(exportado.open(QIODevice::ReadOnly) && delArchivo.open(QIODevice::ReadOnly));
        QCOMPARE(exportado.readAll(), delArchivo.readAll());
    } else if (cExporta == u"xlsx") {
        const QJsonObject exportado = LeeLibro(cExportado, {}, cFalla);
        QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));
        QCOMPARE(exportado["hojas"].toVariant().toStringList(), (QStringList{"Ventas", "Meses"}));
        QCOMPARE(exportado, LeeLibro(cDelArchivo, {}, cFalla));
    } else {
        // Both say when they were printed, to the second.
        static const QRegularExpression impreso(QStringLiteral("Impreso el [0-9/: ]+"));
        const QString cTexto = TextoDePdf(cExportado).replace(impreso, QStringLiteral("Impreso el"));
        QVERIFY(cTexto.contains(QStringLiteral("Página 1 de 1")));
        QCOMPARE(cTexto, TextoDePdf(cDelArchivo).replace(impreso, QStringLiteral("Impreso el")));
    }
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
    QVERIFY2(cFalla.startsWith(QStringLiteral("Error %1:").arg(CodigoErrorRpt::ImpresoraNoDisponible)),
             qPrintable(cFalla));
}

void tst_InformeOdbc::UbicacionesGuardadasEnElArchivo()
{
    // A report whose stored locations name the test's tables, without a database (the name of
    // the test's database would not fit the bridge's window): without any property 32 the
    // engine reads them from the file, in the database of the connection text.
    QFile definicion(QStringLiteral(DEFINICION_INFORME_MENSUAL));
    QVERIFY(definicion.open(QIODevice::ReadOnly));
    const QString cTexto =
        QString::fromUtf8(definicion.readAll())
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
    // clang-format off
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
    // clang-format on
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
                                                        .replace(QLatin1String("\"Almena Reportes\""),
                                                                 QLatin1String("\"Sin registrar\""))),
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
