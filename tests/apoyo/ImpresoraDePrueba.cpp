#include "ImpresoraDePrueba.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace {

QString Ejecuta(const QString &cPrograma, const QStringList &argumentos, bool *pBien = nullptr)
{
    QProcess proceso;
    proceso.start(cPrograma, argumentos);
    const bool bBien =
        proceso.waitForFinished(30000) && proceso.exitStatus() == QProcess::NormalExit && proceso.exitCode() == 0;
    if (pBien)
        *pBien = bBien;
    return QString::fromUtf8(proceso.readAllStandardOutput());
}

QSet<int> Ids(const QString &cLista)
{
    QSet<int> ids;
    static const QRegularExpression id(QStringLiteral("^\\S+-(\\d+)\\s"), QRegularExpression::MultilineOption);
    for (auto it = id.globalMatch(cLista); it.hasNext();)
        ids.insert(it.next().captured(1).toInt());
    return ids;
}

} // namespace

QString ImpresoraDePrueba::FaltaParaImprimir()
{
    for (const char *cVariable : {"CUPS_SERVER", "ALMENA_CUPS_IMPRESORA", "ALMENA_CUPS_SALIDA"}) {
        if (qEnvironmentVariableIsEmpty(cVariable))
            return QStringLiteral("Sin servidor de impresión privado: falta %1 (scripts/prueba.sh lo arranca con "
                                  "scripts/cups-privado.sh, que necesita root)")
                .arg(QLatin1String(cVariable));
    }
    for (const char *cPrograma : {"lpstat", "pdfinfo", "pdftotext"}) {
        if (QStandardPaths::findExecutable(QLatin1String(cPrograma)).isEmpty())
            return QStringLiteral("Falta %1 (paquetes cups-client y poppler-utils)").arg(QLatin1String(cPrograma));
    }
    bool bResponde = false;
    Ejecuta(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &bResponde);
    if (!bResponde)
        return QStringLiteral("El servidor de impresión privado %1 no responde")
            .arg(qEnvironmentVariable("CUPS_SERVER"));
    return {};
}

QString ImpresoraDePrueba::Nombre()
{
    // Never empty, so that a row meant for the printer never passes for one without it.
    return qEnvironmentVariable("ALMENA_CUPS_IMPRESORA", QStringLiteral("AlmenaPDF"));
}

QString ImpresoraDePrueba::NombreQueRechaza()
{
    return Nombre() + QStringLiteral("Rechaza");
}

QSet<int> ImpresoraDePrueba::Trabajos()
{
    return Ids(Ejecuta(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")}));
}

QString ImpresoraDePrueba::EsperaPdf(int nTrabajo)
{
    const QDir salida(qEnvironmentVariable("ALMENA_CUPS_SALIDA"));
    const QStringList patron{QStringLiteral("*-job_%1.pdf").arg(nTrabajo)};
    const QDeadlineTimer limite(60000);
    while (!limite.hasExpired()) {
        // cups-pdf writes the file before the job ends; once it has ended the file is whole.
        const bool bPendiente = Ids(Ejecuta(QStringLiteral("lpstat"), {QStringLiteral("-o")})).contains(nTrabajo);
        const QStringList archivos = salida.entryList(patron, QDir::Files);
        if (!bPendiente && !archivos.isEmpty())
            return salida.filePath(archivos.first());
        QThread::msleep(200);
    }
    return {};
}

ImpresoraDePrueba::Hojas ImpresoraDePrueba::Lee(const QString &cPdf)
{
    Hojas hojas;
    const QString cInfo = Ejecuta(QStringLiteral("pdfinfo"), {cPdf});
    hojas.nPaginas = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
                         .match(cInfo)
                         .captured(1)
                         .toInt();
    const QRegularExpressionMatch tamano =
        QRegularExpression(QStringLiteral("^Page size:\\s+([0-9.]+) x ([0-9.]+) pts"),
                           QRegularExpression::MultilineOption)
            .match(cInfo);
    const QRegularExpressionMatch giro =
        QRegularExpression(QStringLiteral("^Page rot:\\s+(\\d+)"), QRegularExpression::MultilineOption).match(cInfo);
    hojas.tamano = QSizeF(tamano.captured(1).toDouble(), tamano.captured(2).toDouble());
    if (giro.captured(1).toInt() % 180 == 90)
        hojas.tamano.transpose();
    hojas.textos = Ejecuta(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), cPdf, QStringLiteral("-")})
                       .split(QLatin1Char('\f'));
    if (!hojas.textos.isEmpty() && hojas.textos.last().trimmed().isEmpty())
        hojas.textos.removeLast();
    return hojas;
}
