// The report's files as the batch mode and the preview write them: a PDF whose letter our
// writer cannot embed is still written, and a workbook whose writing is cut short, by a full
// disk or by a kill, leaves nothing in the user's folder.

#include <QDir>
#include <QPageLayout>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "ArmadorContenido.h"
#include "CodigosErrorReporte.h"
#include "CompiladorRpt.h"
#include "ErrorReporte.h"
#include "InformeMensualDePrueba.h"
#include "LimiteDeArchivo.h"
#include "PintorReporte.h"
#include "Programa.h"
#include "SalidaArchivo.h"

namespace {

// The twelve-month report of nClientes clients, in the letter cLetra when one is given.
ContenidoReporte Contenido(int nClientes, const QString &cLetra = {})
{
    QString cDefinicion = DefinicionInformeMensual();
    if (!cLetra.isEmpty())
        cDefinicion.replace(QStringLiteral("\"DejaVu Sans Condensed\""), u'"' + cLetra + u'"');
    const ArchivoRpt archivo = CompiladorRpt::Compila(cDefinicion);
    DatosReporte datos;
    datos.campos << QStringLiteral("Cliente") << QStringLiteral("Nombre") << QStringLiteral("TotalCantRemis");
    for (int m = 1; m <= 12; ++m)
        datos.campos << QStringLiteral("Mes%1Monto").arg(m) << QStringLiteral("Mes%1Cant").arg(m);
    for (int i = 1; i <= nClientes; ++i) {
        datos << QStringLiteral("C%1").arg(i, 5, 10, QLatin1Char('0')) << QStringLiteral("Ferretería %1").arg(i)
              << QStringLiteral("1.00");
        for (int m = 1; m <= 12; ++m)
            datos << QStringLiteral("%1.25").arg(i * m) << QStringLiteral("%1.50").arg(m);
    }
    QHash<QString, QString> formulas;
    for (int m = 1; m <= 12; ++m)
        formulas.insert(QStringLiteral("mes%1").arg(m), QStringLiteral("m%1-24").arg(m));
    return ArmadorContenido(archivo.diseno, formulas, QDateTime::currentDateTime()).Arma(datos);
}

QString Escribe(const ContenidoReporte &contenido, const QString &cRuta)
{
    const PintorReporte pintor(contenido, QLocale(QLocale::Spanish, QLocale::Mexico));
    try {
        SalidaArchivo::Escribe(pintor, pintor.DisenoDePagina(), cRuta);
    } catch (const ErrorReporte &error) {
        return QStringLiteral("Error %1: %2").arg(error.Numero()).arg(error.Descripcion());
    }
    return {};
}

} // namespace

class tst_SalidaArchivo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void LetraDelSistema_data();
    void LetraDelSistema();
    void ArchivoCortadoNoDejaNada_data();
    void ArchivoCortadoNoDejaNada();
    void LibroInterrumpidoNoDejaNada();

private:
    QTemporaryDir m_carpeta;
};

void tst_SalidaArchivo::initTestCase()
{
    QVERIFY(m_carpeta.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("pdffonts")).isEmpty())
        QSKIP("Falta pdffonts (paquete poppler-utils)");
}

void tst_SalidaArchivo::LetraDelSistema_data()
{
    // clang-format off
    QTest::addColumn<QString>("cLetra");
    QTest::addColumn<QString>("cArchivoDeLetra"); // what fontconfig must resolve it to, for the row to mean anything
    QTest::newRow("TrueType: nuestro escritor") << "DejaVu Sans Condensed" << ".ttf";
    // fonts-urw-base35: OpenType with CFF outlines, which only Qt's writer embeds.
    QTest::newRow("CFF de fonts-urw-base35: el escritor de Qt") << "C059" << ".otf";
    // clang-format on
}

void tst_SalidaArchivo::LetraDelSistema()
{
    QFETCH(QString, cLetra);
    QFETCH(QString, cArchivoDeLetra);
    const QString cArchivo = SalidaDe(QStringLiteral("fc-match"), {cLetra, QStringLiteral("--format=%{file}")});
    QVERIFY2(cArchivo.endsWith(cArchivoDeLetra), qPrintable(cLetra + QStringLiteral(" es ") + cArchivo));
    const QString cPdf = m_carpeta.filePath(QStringLiteral("letra.pdf"));
    QFile::remove(cPdf);
    const QString cFalla = Escribe(Contenido(60, cLetra), cPdf);
    QVERIFY2(cFalla.isEmpty(), qPrintable(cFalla));
    const QString cFuentes = SalidaDe(QStringLiteral("pdffonts"), {cPdf});
    // Embedded: the file shows the same on a machine without the letter.
    QVERIFY2(QRegularExpression(QString(cLetra).remove(u' ') + QStringLiteral("[-A-Za-z]* .* yes "))
                 .match(cFuentes)
                 .hasMatch(),
             qPrintable(cFuentes));
    const QString cTexto = SalidaDe(QStringLiteral("pdftotext"), {cPdf, QStringLiteral("-")});
    QVERIFY2(cTexto.contains(QStringLiteral("Ferretería 60")) && cTexto.contains(QStringLiteral("Página 1 de ")),
             qPrintable(cTexto.left(2000)));
}

void tst_SalidaArchivo::ArchivoCortadoNoDejaNada_data()
{
    // clang-format off
    QTest::addColumn<QString>("cArchivo");
    QTest::addColumn<QString>("cLetra");
    QTest::newRow("pdf") << "lleno.pdf" << "";
    QTest::newRow("pdf por el escritor de Qt") << "lleno-qt.pdf" << "C059";
    QTest::newRow("csv") << "lleno.csv" << "";
    QTest::newRow("libro") << "lleno.xlsx" << "";
    // clang-format on
}

void tst_SalidaArchivo::ArchivoCortadoNoDejaNada()
{
    // A file size limit stands for the full disk: the write fails as it would (EFBIG, where a
    // full disk gives ENOSPC, and both say so).
    QFETCH(QString, cArchivo);
    QFETCH(QString, cLetra);
    const QString cRuta = m_carpeta.filePath(cArchivo);
    QFile anterior(cRuta);
    QVERIFY(anterior.open(QIODevice::WriteOnly) && anterior.write("el informe de ayer\r\n") > 0);
    anterior.close();
    const ContenidoReporte contenido = Contenido(400, cLetra);
    QString cFalla;
    {
        const LimiteDeArchivo lleno(4000);
        cFalla = Escribe(contenido, cRuta);
    }
    QVERIFY2(cFalla.startsWith(QStringLiteral("Error %1: No se pudo escribir el archivo %2: el disco está lleno")
                                   .arg(CodigoErrorRpt::SalidaNoEscrita)
                                   .arg(cRuta)),
             qPrintable(cFalla));
    QVERIFY(anterior.open(QIODevice::ReadOnly));
    QCOMPARE(anterior.readAll(), QByteArray("el informe de ayer\r\n"));
    QCOMPARE(QDir(m_carpeta.path()).entryList({cArchivo + u'*'}, QDir::Files | QDir::Hidden), QStringList{cArchivo});
}

void tst_SalidaArchivo::LibroInterrumpidoNoDejaNada()
{
    // A child writes a large workbook and is killed in the middle of it, as a user or the
    // system may kill the program: nothing of it may stay in the folder, and the earlier file
    // stays as it was.
    QTemporaryDir carpeta;
    QVERIFY(carpeta.isValid());
    const QString cRuta = carpeta.filePath(QStringLiteral("grande.xlsx"));
    QFile anterior(cRuta);
    QVERIFY(anterior.open(QIODevice::WriteOnly) && anterior.write("el informe de ayer") > 0);
    anterior.close();
    const ContenidoReporte contenido = Contenido(20000);
    int nTuberia[2];
    QVERIFY(::pipe(nTuberia) == 0);
    const pid_t nHijo = ::fork();
    QVERIFY(nHijo >= 0);
    if (nHijo == 0) {
        ::close(nTuberia[0]);
        (void)!::write(nTuberia[1], "y", 1);
        Escribe(contenido, cRuta);
        ::_exit(0);
    }
    ::close(nTuberia[1]);
    char c = 0;
    QVERIFY(::read(nTuberia[0], &c, 1) == 1);
    ::close(nTuberia[0]);
    QTest::qSleep(150); // the library is still collecting the cells: the whole takes seconds
    ::kill(nHijo, SIGKILL);
    int nEstado = 0;
    QCOMPARE(::waitpid(nHijo, &nEstado, 0), nHijo);
    QVERIFY2(WIFSIGNALED(nEstado), "el libro se terminó antes de matar al proceso: no se probó nada");
    QCOMPARE(QDir(carpeta.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("grande.xlsx")});
    QVERIFY(anterior.open(QIODevice::ReadOnly));
    QCOMPARE(anterior.readAll(), QByteArray("el informe de ayer"));
}

QTEST_MAIN(tst_SalidaArchivo)
#include "tst_SalidaArchivo.moc"
