#include "AbridorDeDocumentos.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QThread>

#include "HostError.h"
#include "Mensajes.h"

namespace {
// Openers started and not yet answered; their answer may still be a message for the user.
int nAbridoresSinRespuesta = 0;
} // namespace

void AbreParaEditar(const QString &cArchivo, Mensajes &mensajes)
{
    const QString cAbridor = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (cAbridor.isEmpty())
        throw HostError(
            CodigoErrorHost::ErrorDeAccesoArchivo,
            QStringLiteral("No se pudo abrir el documento %1 para editarlo: este equipo no tiene con qué abrir "
                           "documentos (instale el paquete xdg-utils).")
                .arg(cArchivo));
    // Without a parent, and deleted only when it ends: a QProcess that goes kills its process.
    auto *pAbridor = new QProcess;
    pAbridor->setProgram(cAbridor);
    pAbridor->setArguments({cArchivo});
    pAbridor->setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(
        pAbridor, &QProcess::finished, pAbridor,
        [pAbridor, cArchivo, &mensajes](int nCodigo, QProcess::ExitStatus estado) {
            pAbridor->deleteLater();
            const auto respondido = qScopeGuard([] { --nAbridoresSinRespuesta; });
            if (estado == QProcess::NormalExit && nCodigo == 0)
                return;
            const QStringList lineas =
                QString::fromLocal8Bit(pAbridor->readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            MuestraError(
                mensajes,
                HostError(CodigoErrorHost::ErrorDeAccesoArchivo,
                          QStringLiteral("No se pudo abrir el documento %1 para editarlo: ninguna aplicación "
                                         "de este equipo abre ese tipo de archivo. Ábralo con un editor de "
                                         "texto. (%2)")
                              .arg(cArchivo, lineas.isEmpty() ? QStringLiteral("xdg-open terminó con %1").arg(nCodigo)
                                                              : lineas.constLast())));
        });
    pAbridor->start();
    if (!pAbridor->waitForStarted()) {
        const QString cError = pAbridor->errorString();
        delete pAbridor;
        throw HostError(CodigoErrorHost::ErrorDeAccesoArchivo,
                        QStringLiteral("No se pudo abrir el documento %1 para editarlo: %2").arg(cArchivo, cError));
    }
    ++nAbridoresSinRespuesta;
}

void EsperaRespuestaDeAbridores(int nMilisegundos)
{
    const QDeadlineTimer plazo(nMilisegundos);
    while (nAbridoresSinRespuesta > 0 && !plazo.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
}
