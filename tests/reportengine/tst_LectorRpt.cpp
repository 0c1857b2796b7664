// Reading report files: good files come back as written and the bridge's byte scan finds
// exactly their tables; cut, foreign, changed and random files fail with their own number,
// never with a crash.

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "ArchivoConDiseno.h"
#include "CodificacionCuerpo.h"
#include "CodigosErrorReporte.h"
#include "CompiladorRpt.h"
#include "ControlReporte.h"
#include "EscritorRpt.h"
#include "EscrituraBinaria.h"
#include "FormatoRpt.h"
#include "HostError.h"
#include "LectorRpt.h"
#include "TablasRpt.h"

namespace {

QString DefinicionInformeMensual()
{
    QFile archivo(QStringLiteral(DEFINICION_INFORME_MENSUAL));
    if (!archivo.open(QIODevice::ReadOnly))
        qFatal("No se puede leer %s", DEFINICION_INFORME_MENSUAL);
    return QString::fromUtf8(archivo.readAll());
}

// A definition whose texts are full of the letters the bridge's scan looks for.
const char *const cDefinicionTramposa = R"(
reporte "PDSODBC.DLL pdbdao.dll PD pd"
tabla 1 odbc "Uno" base.uno
tabla 2 archivo "datos.mdb" dos
tabla 3 odbc "Tres" base.tres
formula PDX
consulta
UPDATE pdsodbc.dll SET pd=1; SELECT Updated, pdbdao.dll FROM {T1}, {T3}
fin
encabezado izquierda "PD{@PDX}pdsodbc.dll" vacio "pdbdao.dll\\0"
columna "pdsodbc" auto
    texto "{Updated}pd" csv "pdbdao.dll"
fin
totales "Pd pD PD pd"
)";

// The bridge's scan (the real one, from reportbridge) on bytes written to a file.
QStringList TablasQueVeElPuente(const QByteArray &bytes)
{
    QTemporaryDir carpeta;
    QString cRuta = carpeta.filePath(QStringLiteral("reporte.rpt"));
    QFile archivo(cRuta);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(bytes) != bytes.size())
        qFatal("No se pudo escribir el archivo de prueba");
    archivo.close();
    QStringList tablas;
    LeeTablasRpt(cRuta, tablas);
    return tablas;
}

int NumeroDeFalla(const QByteArray &bytes)
{
    try {
        LectorRpt::DeBytes(bytes);
    } catch (const ErrorReporte &error) {
        return error.Numero();
    }
    return 0;
}

} // namespace

class tst_LectorRpt : public QObject
{
    Q_OBJECT

private slots:
    void LeeLoQueSeEscribio_data();
    void LeeLoQueSeEscribio();
    void ElPuenteVeSoloLasTablas_data();
    void ElPuenteVeSoloLasTablas();
    void ElCuerpoNuncaJuntaPyD_data();
    void ElCuerpoNuncaJuntaPyD();
    void ArchivoCortado_data();
    void ArchivoCortado();
    void ArchivoAjenoOAlterado_data();
    void ArchivoAjenoOAlterado();
    void ArchivoEnDisco_data();
    void ArchivoEnDisco();
    void BytesAlAzarNoRompenNada_data();
    void BytesAlAzarNoRompenNada();
};

void tst_LectorRpt::LeeLoQueSeEscribio_data()
{
    // clang-format off
    QTest::addColumn<QString>("cDefinicion");
    QTest::newRow("informe mensual") << DefinicionInformeMensual();
    QTest::newRow("textos con pd y pdsodbc.dll") << QString::fromUtf8(cDefinicionTramposa);
    // clang-format on
}

void tst_LectorRpt::LeeLoQueSeEscribio()
{
    QFETCH(QString, cDefinicion);
    const ArchivoRpt original = CompiladorRpt::Compila(cDefinicion);
    QCOMPARE(LectorRpt::DeBytes(EscritorRpt::Bytes(original)), original);
}

void tst_LectorRpt::ElPuenteVeSoloLasTablas_data()
{
    // clang-format off
    QTest::addColumn<QString>("cDefinicion");
    QTest::addColumn<QStringList>("tablas");
    QTest::newRow("informe mensual") << DefinicionInformeMensual()
                                     << QStringList{"M almenareportes.ventas12meses", "M datos1.clientes"};
    QTest::newRow("textos con pd y pdsodbc.dll")
        << QString::fromUtf8(cDefinicionTramposa) << QStringList{"M base.uno", "A dos", "M base.tres"};

    // Thirty-two tables with the longest names that fit in the bridge's window.
    QString cTablas;
    QStringList tablas;
    for (int i = 1; i <= ArchivoRpt::nMaximoTablas; ++i) {
        // "pdsodbc.dll", the data source "Origen NN" and the location, each with its NUL: 60 bytes.
        const QString cUbicacion = QStringLiteral("b%1.").arg(i, 2, 10, QLatin1Char('0')).leftJustified(60 - 12 - 10 - 1, u'x');
        cTablas += QStringLiteral("tabla %1 odbc \"Origen %2\" %3\n").arg(i).arg(i, 2, 10, QLatin1Char('0')).arg(cUbicacion);
        tablas.append(QStringLiteral("M ") + cUbicacion);
    }
    QTest::newRow("32 tablas largas") << QStringLiteral("reporte \"x\"\n%1consulta\nSELECT 1 FROM {T1}\nfin\n"
                                                        "columna \"a\" auto\n texto \"{a}\"\nfin\n")
                                             .arg(cTablas)
                                      << tablas;
    // clang-format on
}

void tst_LectorRpt::ElPuenteVeSoloLasTablas()
{
    QFETCH(QString, cDefinicion);
    QFETCH(QStringList, tablas);
    QCOMPARE(TablasQueVeElPuente(EscritorRpt::Bytes(CompiladorRpt::Compila(cDefinicion))), tablas);
}

void tst_LectorRpt::ElCuerpoNuncaJuntaPyD_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("contenido");
    QTest::newRow("pd") << QByteArray("pd");
    QTest::newRow("mayúsculas y mezcla") << QByteArray("PD Pd pD");
    QTest::newRow("escape antes de d") << QByteArray("p\x1B" "d");
    QTest::newRow("escapes seguidos") << QByteArray("\x1B\x1B\x1B");
    QTest::newRow("ppdd") << QByteArray("ppddPPDD");
    QTest::newRow("números 0x50 0x44") << QByteArray::fromHex("50447064504464");
    QRandomGenerator azar(7);
    for (int i = 0; i < 20; ++i) {
        QByteArray bytes(int(azar.bounded(400)), Qt::Uninitialized);
        for (char &c : bytes) // mostly p, d, P, D and escapes, to meet every neighbourhood
            c = "pdPD\x1B\0x"[azar.bounded(7)];
        QTest::addRow("al azar %d", i) << bytes;
    }
    // clang-format on
}

void tst_LectorRpt::ElCuerpoNuncaJuntaPyD()
{
    QFETCH(QByteArray, contenido);
    const QByteArray codificado = CodificacionCuerpo::Codifica(contenido);
    QVERIFY2(!codificado.toLower().contains("pd"), codificado.toHex().constData());
    QCOMPARE(CodificacionCuerpo::Decodifica(codificado), std::optional<QByteArray>(contenido));
}

void tst_LectorRpt::ArchivoCortado_data()
{
    // clang-format off
    QTest::addColumn<int>("nLargo");
    const int nLargoTotal = int(EscritorRpt::Bytes(CompiladorRpt::Compila(DefinicionInformeMensual())).size());
    for (int n = 0; n < nLargoTotal; ++n)
        QTest::addRow("%d de %d bytes", n, nLargoTotal) << n;
    // clang-format on
}

void tst_LectorRpt::ArchivoCortado()
{
    QFETCH(int, nLargo);
    static const QByteArray bytes = EscritorRpt::Bytes(CompiladorRpt::Compila(DefinicionInformeMensual()));
    QCOMPARE(NumeroDeFalla(bytes.left(nLargo)), CodigoErrorRpt::ArchivoTruncado);
}

void tst_LectorRpt::ArchivoAjenoOAlterado_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("nFalla");
    const QByteArray bueno = EscritorRpt::Bytes(CompiladorRpt::Compila(DefinicionInformeMensual()));
    const auto cambiado = [&bueno](qsizetype nPosicion, char c) {
        QByteArray bytes = bueno;
        bytes[nPosicion] = c;
        return bytes;
    };
    QTest::newRow("PNG") << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452") << CodigoErrorRpt::FormatoAjeno;
    QTest::newRow("PDF") << QByteArray("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n") << CodigoErrorRpt::FormatoAjeno;
    QTest::newRow("texto") << QByteArray("reporte \"x\"\n") << CodigoErrorRpt::FormatoAjeno;
    QTest::newRow("una letra cambiada en la firma") << cambiado(5, 'X') << CodigoErrorRpt::FormatoAjeno;
    QTest::newRow("versión posterior") << cambiado(FormatoRpt::nLargoFirma, char(ArchivoRpt::nVersion + 1))
                                       << CodigoErrorRpt::VersionNoSoportada;
    QTest::newRow("versión 0") << cambiado(FormatoRpt::nLargoFirma, 0) << CodigoErrorRpt::ArchivoDanado;
    QTest::newRow("200 tablas") << cambiado(FormatoRpt::nLargoFirma + 1, char(200)) << CodigoErrorRpt::ArchivoDanado;
    QTest::newRow("una tabla más de las que hay") << cambiado(FormatoRpt::nLargoFirma + 1, 3) << CodigoErrorRpt::ArchivoDanado;
    QTest::newRow("controlador desconocido") << cambiado(FormatoRpt::nLargoCabecera, 'x') << CodigoErrorRpt::ArchivoDanado;
    QTest::newRow("un byte del diseño cambiado") << cambiado(bueno.size() - 40, '~') << CodigoErrorRpt::ArchivoDanado;
    QTest::newRow("un byte de más al final") << bueno + "x" << CodigoErrorRpt::ArchivoDanado;
    QTest::newRow("escape al final") << bueno + "\x1B" << CodigoErrorRpt::ArchivoTruncado;

    // Layouts with a right checksum but values no compiler writes.
    QTest::newRow("diseño vacío") << ArchivoConDiseno({}) << CodigoErrorRpt::ArchivoDanado;
    QTest::newRow("texto más largo que el diseño") << ArchivoConDiseno(QByteArray::fromHex("ffffff7f41")) << CodigoErrorRpt::ArchivoDanado;
    QTest::newRow("largo negativo") << ArchivoConDiseno(QByteArray::fromHex("feffffff")) << CodigoErrorRpt::ArchivoDanado;
    EscrituraBinaria sinPapel;
    sinPapel.Texto(QStringLiteral("Título"));
    sinPapel.Texto(QStringLiteral("SELECT 1"));
    sinPapel.Entero(0);
    sinPapel.Texto(QStringLiteral("B5"));
    QTest::newRow("papel desconocido") << ArchivoConDiseno(sinPapel.Bytes()) << CodigoErrorRpt::ArchivoDanado;
    EscrituraBinaria formulasDeMas;
    formulasDeMas.Texto(QStringLiteral("Título"));
    formulasDeMas.Texto(QStringLiteral("SELECT 1"));
    formulasDeMas.Entero(1000000);
    QTest::newRow("un millón de fórmulas") << ArchivoConDiseno(formulasDeMas.Bytes()) << CodigoErrorRpt::ArchivoDanado;
    // clang-format on
}

void tst_LectorRpt::ArchivoAjenoOAlterado()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, nFalla);
    QCOMPARE(NumeroDeFalla(bytes), nFalla);
}

void tst_LectorRpt::ArchivoEnDisco_data()
{
    // clang-format off
    QTest::addColumn<QString>("cNombre");
    QTest::addColumn<int>("nFalla");
    QTest::newRow("no existe") << "no-existe.rpt" << CodigoErrorRpt::ArchivoNoEncontrado;
    QTest::newRow("es una carpeta") << "carpeta.rpt" << CodigoErrorRpt::ArchivoIlegible;
    QTest::newRow("vacío") << "vacio.rpt" << CodigoErrorRpt::ArchivoTruncado;
    // clang-format on
}

void tst_LectorRpt::ArchivoEnDisco()
{
    QFETCH(QString, cNombre);
    QFETCH(int, nFalla);
    QTemporaryDir carpeta;
    QVERIFY(QDir(carpeta.path()).mkdir(QStringLiteral("carpeta.rpt")));
    QFile vacio(carpeta.filePath(QStringLiteral("vacio.rpt")));
    QVERIFY(vacio.open(QIODevice::WriteOnly));
    vacio.close();
    try {
        LectorRpt::LeeArchivo(carpeta.filePath(cNombre));
        QFAIL("Se leyó un archivo que no es un reporte");
    } catch (const ErrorReporte &error) {
        QCOMPARE(error.Numero(), nFalla);
        QVERIFY2(error.Descripcion().contains(cNombre) || nFalla == CodigoErrorRpt::ArchivoTruncado,
                 qPrintable(error.Descripcion()));
    }
}

// A quick fuzz inside the test run: random bytes, and mutations of good files and of good
// layouts behind a right checksum. Each must read or fail with a report failure; a crash or
// another exception ends the test. (The longer libFuzzer run lives in fuzz/.)
void tst_LectorRpt::BytesAlAzarNoRompenNada_data()
{
    // clang-format off
    QTest::addColumn<int>("nModo");
    QTest::newRow("bytes al azar") << 0;
    QTest::newRow("archivo bueno mutado") << 1;
    QTest::newRow("diseño mutado con suma correcta") << 2;
    // clang-format on
}

void tst_LectorRpt::BytesAlAzarNoRompenNada()
{
    QFETCH(int, nModo);
    const ArchivoRpt bueno = CompiladorRpt::Compila(DefinicionInformeMensual());
    const QByteArray archivoBueno = EscritorRpt::Bytes(bueno);
    const QByteArray cuerpo = *CodificacionCuerpo::Decodifica(
        archivoBueno.mid(FormatoRpt::nLargoCabecera + bueno.tablas.size() * EscritorRpt::nVentanaDelPuente));
    const QByteArray disenoBueno = cuerpo.mid(4, cuerpo.size() - 4 - FormatoRpt::nLargoHuella);
    QVERIFY(LectorRpt::DeBytes(ArchivoConDiseno(disenoBueno)).diseno == bueno.diseno);

    const QList<int> fallasEsperadas{CodigoErrorRpt::FormatoAjeno, CodigoErrorRpt::VersionNoSoportada,
                                     CodigoErrorRpt::ArchivoTruncado, CodigoErrorRpt::ArchivoDanado};
    QRandomGenerator azar(20240101 + nModo);
    int nLeidos = 0;
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes;
        if (nModo == 0) {
            bytes.resize(azar.bounded(200));
            for (char &c : bytes)
                c = char(azar.bounded(256));
            if (azar.bounded(2)) // a right signature gets past the first test
                bytes.prepend(FormatoRpt::Firma() + char(1) + char(azar.bounded(3)));
        } else {
            bytes = nModo == 1 ? archivoBueno : disenoBueno;
            for (int nCambios = 1 + azar.bounded(4); nCambios > 0; --nCambios) {
                const qsizetype nPosicion = azar.bounded(qMax<qsizetype>(1, bytes.size()));
                switch (azar.bounded(3)) {
                case 0: bytes[nPosicion] = char(azar.bounded(256)); break;
                case 1: bytes.insert(nPosicion, char(azar.bounded(256))); break;
                default: bytes.remove(nPosicion, 1 + azar.bounded(8)); break;
                }
            }
            if (nModo == 2)
                bytes = ArchivoConDiseno(bytes);
        }
        const int nFalla = NumeroDeFalla(bytes);
        if (nFalla == 0)
            ++nLeidos;
        else
            QVERIFY2(fallasEsperadas.contains(nFalla), qPrintable(QStringLiteral("falla %1").arg(nFalla)));
    }
    qInfo("%d de 3000 se leyeron sin falla", nLeidos);
}

QTEST_GUILESS_MAIN(tst_LectorRpt)
#include "tst_LectorRpt.moc"
