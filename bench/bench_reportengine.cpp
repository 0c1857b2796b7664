// Benchmark of the report engine alone: the twelve-month report for 10,000 clients (twelve
// months shown, a salesperson filter in the header) rendered to PDF, CSV and XLSX starting
// from rows already in memory, as the engine has them after its query: no database, no
// ODBC. The PDF goes into memory; the CSV and the workbook are written as the engine writes
// them, into files that replace older ones atomically. Prints rows and pages per second
// (medians of a few runs, each including the building of the content), the PDF's size and its
// pages' content before compression, the workbook's time over the CSV's and the peak memory
// of the process. --qt paints the PDF with Qt's own writer instead of ours, to compare.
//
//   bench_reportengine [--clientes N] [--vueltas N] [--pdf FILE] [--xlsx FILE] [--qt]

#include <QBuffer>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <memory>

#include "ArmadorContenido.h"
#include "CompiladorRpt.h"
#include "ContenidoReporte.h"
#include "ControlReporte.h"
#include "DatosReporte.h"
#include "EscritorPdf.h"
#include "PintorReporte.h"
#include "SalidaCsv.h"
#include "SalidaXlsx.h"

namespace {

const char *const aMeses[] = {"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"};

// Rows shaped like the working table joined with the clients: amounts up to millions with
// cents, quantities with two decimals, a few months without sales. Deterministic.
DatosReporte Filas(int nClientes)
{
    DatosReporte datos;
    datos.campos.append(QStringLiteral("Cliente"));
    for (int m = 1; m <= 12; ++m)
        datos.campos << QStringLiteral("Mes%1Monto").arg(m);
    for (int m = 1; m <= 12; ++m)
        datos.campos << QStringLiteral("Mes%1Cant").arg(m);
    datos.campos << QStringLiteral("TotalCantRemis") << QStringLiteral("Nombre");
    datos.Reserva(qsizetype(nClientes) * datos.campos.size(), qsizetype(nClientes) * 200);
    quint64 nSemilla = 12345;
    const auto azar = [&nSemilla](quint64 nTope) {
        nSemilla = nSemilla * 6364136223846793005ULL + 1442695040888963407ULL;
        return (nSemilla >> 33) % nTope;
    };
    for (int c = 0; c < nClientes; ++c) {
        datos << QStringLiteral("C%1").arg(c + 1, 5, 10, QLatin1Char('0'));
        QStringList montos, cantidades;
        for (int m = 0; m < 12; ++m) {
            const bool bVende = azar(10) < 8;
            const quint64 nCant = bVende ? azar(50000) : 0;
            const quint64 nMonto = bVende ? azar(300000000) : 0;
            montos << QStringLiteral("%1.%2").arg(nMonto / 100).arg(nMonto % 100, 2, 10, QLatin1Char('0'));
            cantidades << QStringLiteral("%1.%2").arg(nCant / 100).arg(nCant % 100, 2, 10, QLatin1Char('0'));
        }
        datos << montos << cantidades;
        datos << QStringLiteral("%1.00").arg(azar(500));
        datos << QStringLiteral("Ferretería Núñez y Hermanos número %1, S.A. de C.V.").arg(c + 1);
    }
    return datos;
}

QHash<QString, QString> Formulas()
{
    QHash<QString, QString> formulas;
    for (int m = 1; m <= 12; ++m)
        formulas.insert(QStringLiteral("mes%1").arg(m), QStringLiteral("%1-24").arg(QLatin1String(aMeses[m - 1])));
    formulas.insert(QStringLiteral("vendedor"), QStringLiteral("V01"));
    return formulas;
}

double Mediana(QList<double> tiempos)
{
    std::sort(tiempos.begin(), tiempos.end());
    return tiempos[tiempos.size() / 2];
}

// Seconds of processor time of this process: on a shared machine the clock on the wall also
// counts the time others take.
double SegundosDeProcesador()
{
    timespec tiempo{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &tiempo);
    return double(tiempo.tv_sec) + tiempo.tv_nsec / 1e9;
}

// Bytes of the pages' content streams before compression, read back from the file: the same
// measure whichever writer made it.
qint64 BytesDeContenido(const QByteArray &pdf)
{
    qint64 nBytes = 0;
    for (qsizetype n = pdf.indexOf("/Contents "); n >= 0; n = pdf.indexOf("/Contents ", n + 1)) {
        const qsizetype nNumero = n + 10;
        const QByteArray cObjeto = '\n' + pdf.mid(nNumero, pdf.indexOf(' ', nNumero) - nNumero) + " 0 obj";
        const qsizetype nDesde = pdf.indexOf("stream\n", pdf.indexOf(cObjeto)) + 7;
        // qUncompress wants a size first; a generous one spares it retries.
        const QByteArray comprimido =
            QByteArray("\x00\x10\x00\x00", 4) + pdf.mid(nDesde, pdf.indexOf("endstream", nDesde) - nDesde);
        nBytes += qUncompress(comprimido).size();
    }
    return nBytes;
}

double MemoriaMaximaMb()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss / 1024.0; // kilobytes on Linux
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser opciones;
    opciones.addHelpOption();
    opciones.addOption({QStringLiteral("clientes"), QStringLiteral("Clientes del reporte."), QStringLiteral("N"),
                        QStringLiteral("10000")});
    opciones.addOption({QStringLiteral("vueltas"), QStringLiteral("Vueltas de cada medida."), QStringLiteral("N"),
                        QStringLiteral("5")});
    opciones.addOption(
        {QStringLiteral("pdf"), QStringLiteral("Deja el PDF de la última vuelta aquí."), QStringLiteral("FILE")});
    opciones.addOption(
        {QStringLiteral("xlsx"), QStringLiteral("Deja el libro de la última vuelta aquí."), QStringLiteral("FILE")});
    opciones.addOption({QStringLiteral("qt"), QStringLiteral("Escribe el PDF con QPdfWriter, el escritor de Qt.")});
    opciones.process(app);
    const int nClientes = opciones.value(QStringLiteral("clientes")).toInt();
    const int nVueltas = qMax(1, opciones.value(QStringLiteral("vueltas")).toInt());
    const bool bQt = opciones.isSet(QStringLiteral("qt"));
    QTextStream salida(stdout);

    try {
        const ArchivoRpt archivo = [] {
            QFile definicion(qEnvironmentVariable("DEFINICION", QStringLiteral(DEFINICION_INFORME_MENSUAL)));
            if (!definicion.open(QIODevice::ReadOnly))
                throw ErrorReporte(0, QStringLiteral("No se puede leer %1").arg(definicion.fileName()));
            return CompiladorRpt::Compila(QString::fromUtf8(definicion.readAll()));
        }();
        const DatosReporte datos = Filas(nClientes);
        const QLocale locale(QLocale::Spanish, QLocale::Mexico);

        QTemporaryDir carpeta;
        const QString cCsv = carpeta.filePath(QStringLiteral("informe.csv"));
        const QString cXlsx = opciones.isSet(QStringLiteral("xlsx")) ? opciones.value(QStringLiteral("xlsx"))
                                                                     : carpeta.filePath(QStringLiteral("informe.xlsx"));
        QList<double> armado, pdf, csv, xlsx, pdfProcesador, csvProcesador, xlsxProcesador;
        int nPaginas = 0;
        qint64 nBytesPdf = 0, nBytesContenido = 0;
        for (int i = 0; i < nVueltas; ++i) {
            QElapsedTimer reloj;
            reloj.start();
            double dProcesador = SegundosDeProcesador();
            const ContenidoReporte contenido =
                ArmadorContenido(archivo.diseno, Formulas(), QDateTime::currentDateTime()).Arma(datos);
            const double dArmado = reloj.nsecsElapsed() / 1e9;
            const double dArmadoProcesador = SegundosDeProcesador() - dProcesador;
            armado.append(dArmado);

            reloj.restart();
            dProcesador = SegundosDeProcesador();
            QBuffer bufer;
            bufer.open(QIODevice::WriteOnly);
            {
                const PintorReporte pintor(contenido, locale);
                std::unique_ptr<QPdfWriter> pEscritor =
                    bQt ? std::make_unique<QPdfWriter>(&bufer) : std::make_unique<EscritorPdf>(&bufer);
                pEscritor->setPageLayout(pintor.DisenoDePagina());
                nPaginas = pintor.Pinta(*pEscritor);
            }
            pdf.append(dArmado + reloj.nsecsElapsed() / 1e9);
            pdfProcesador.append(dArmadoProcesador + SegundosDeProcesador() - dProcesador);
            nBytesPdf = bufer.size();
            if (i == nVueltas - 1)
                nBytesContenido = BytesDeContenido(bufer.data());
            if (i == nVueltas - 1 && opciones.isSet(QStringLiteral("pdf"))) {
                QFile archivoPdf(opciones.value(QStringLiteral("pdf")));
                if (archivoPdf.open(QIODevice::WriteOnly))
                    archivoPdf.write(bufer.data());
            }

            reloj.restart();
            dProcesador = SegundosDeProcesador();
            SalidaCsv::Escribe(contenido, cCsv);
            csv.append(dArmado + reloj.nsecsElapsed() / 1e9);
            csvProcesador.append(dArmadoProcesador + SegundosDeProcesador() - dProcesador);

            reloj.restart();
            dProcesador = SegundosDeProcesador();
            SalidaXlsx::Escribe(contenido, cXlsx);
            xlsx.append(dArmado + reloj.nsecsElapsed() / 1e9);
            xlsxProcesador.append(dArmadoProcesador + SegundosDeProcesador() - dProcesador);
        }
        const double dPdf = Mediana(pdf), dCsv = Mediana(csv), dXlsx = Mediana(xlsx), dArmado = Mediana(armado);
        salida << "desde filas ya en memoria (solo el motor, sin base de datos)\n";
        salida << "clientes: " << nClientes << ", vueltas: " << nVueltas << ", páginas: " << nPaginas << "\n";
        salida << QString::asprintf("armado del contenido: %.3f s\n", dArmado);
        salida << QString::asprintf("PDF (%s): %.3f s (armado incluido; %.3f s de procesador), %.0f filas/s, "
                                    "%.0f páginas/s, %.1f MB, %.1f KB de contenido por página\n",
                                    bQt ? "QPdfWriter" : "EscritorPdf", dPdf, Mediana(pdfProcesador), nClientes / dPdf,
                                    nPaginas / dPdf, nBytesPdf / 1e6, nBytesContenido / 1e3 / qMax(1, nPaginas));
        salida << QString::asprintf("CSV: %.3f s (armado incluido; %.3f s de procesador), %.0f filas/s, %.1f MB\n",
                                    dCsv, Mediana(csvProcesador), nClientes / dCsv, QFileInfo(cCsv).size() / 1e6);
        salida << QString::asprintf("XLSX: %.3f s (armado incluido; %.3f s de procesador), %.0f filas/s, %.1f MB, "
                                    "%.2f veces el tiempo del CSV\n",
                                    dXlsx, Mediana(xlsxProcesador), nClientes / dXlsx, QFileInfo(cXlsx).size() / 1e6,
                                    dXlsx / dCsv);
        salida << QString::asprintf("memoria máxima: %.0f MB\n", MemoriaMaximaMb());
    } catch (const ErrorReporte &error) {
        salida << "Error " << error.Numero() << ": " << error.Descripcion() << "\n";
        return 1;
    }
    return 0;
}
