#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// What a command writes to its standard output; a command that fails stops the test run,
// since whatever the test meant to read is then missing.
inline QString SalidaDe(const QString &cPrograma, const QStringList &argumentos)
{
    QProcess proceso;
    proceso.start(cPrograma, argumentos);
    if (!proceso.waitForFinished(60000) || proceso.exitCode() != 0)
        qFatal("%s falló: %s", qPrintable(cPrograma), proceso.readAllStandardError().constData());
    return QString::fromUtf8(proceso.readAllStandardOutput());
}

// The text of a PDF's pages as pdftotext -layout reads them.
inline QString TextoDePdf(const QString &cPdf)
{
    return SalidaDe(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), cPdf, QStringLiteral("-")});
}
