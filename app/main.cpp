// The twelve-month sales report: the main window on the host's database, or the same
// report without a window when options are given (see ModoLotes.h).

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTimer>

#include <cerrno>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "AbridorDeDocumentos.h"
#include "ControlesDeVentanas.h"
#include "Esperas.h"
#include "FuentesOdbc.h"
#include "HostContext.h"
#include "HostFactory.h"
#include "ImpresoraYVistaPrevia.h"
#include "ModoLotes.h"
#include "MotorReporte.h"
#include "ObjetosPrograma.h"
#include "QtMensajes.h"
#include "SenalesDeTermino.h"
#include "TextosDeQt.h"
#include "frmDescripcion.h"
#include "frmInicial.h"

namespace {

// Qt wants a private folder for runtime files in $XDG_RUNTIME_DIR, which a desktop session sets;
// without one (a cron job, a console as root, the demo) it uses /tmp/runtime-<user> and says so
// in English on every run. The program makes that same folder itself, private to the user, and
// names it; a folder there that is not the user's own is left to Qt, which then says so.
void PreparaCarpetaDeEjecucion()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray carpeta = QFile::encodeName(QDir::tempPath()) + "/runtime-" + QByteArray::number(::getuid());
    if (::mkdir(carpeta.constData(), 0700) != 0 && errno != EEXIST)
        return;
    struct stat datos = {};
    if (::lstat(carpeta.constData(), &datos) != 0 || !S_ISDIR(datos.st_mode) || datos.st_uid != ::getuid())
        return;
    if ((datos.st_mode & 0777) != 0700 && ::chmod(carpeta.constData(), 0700) != 0)
        return;
    qputenv("XDG_RUNTIME_DIR", carpeta);
}

} // namespace

int main(int argc, char *argv[])
{
    FuentesOdbc::FijaArchivoParaElControlador();
    PreparaCarpetaDeEjecucion();
    const bool bLotes = ModoLotes::Pedido(argc, argv);
    if (bLotes && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // the batch mode draws its pages without a display
    // The batch mode leaves the application object to the process's end: destroying it makes
    // Qt load the whole font configuration, which a CSV or a workbook never needed, only to
    // let it go again.
    auto *pApp = new QApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("informe-mensual"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(INFORME_VERSION_MAYOR).arg(INFORME_VERSION_MENOR).arg(INFORME_VERSION_REVISION));
    QGuiApplication::setDesktopFileName(QStringLiteral(INFORME_ID));
    CargaTextosDeQtEnEspanol(*pApp);
    if (bLotes)
        return ModoLotes::Ejecuta(QApplication::arguments());
    const std::unique_ptr<QApplication> app(pApp);

    HostFactory fabrica;
    QtMensajes mensajes;
    HostContext contexto = HostContext::DelEntorno(fabrica, mensajes);
    PreparaParaVentanas(contexto);

    ImpresoraYVistaPrevia impresora;
    MotorReporte crpReporte;
    crpReporte.setSalidaImpresa(&impresora);
    frmInicial ventana(contexto, QApplication::applicationFilePath(), crpReporte);
    QObject::connect(&ventana, &frmInicial::programaTerminado, app.get(),
                     [](int nCodigo) { QTimer::singleShot(0, [nCodigo] { QCoreApplication::exit(nCodigo); }); });
    QPointer<frmDescripcion> pDescripcion;
    ventana.setAbreDescripcion([&] {
        if (!pDescripcion) {
            const ObjetosPrograma &objetos = ventana.Objetos();
            pDescripcion = new frmDescripcion(objetos.Nucleo(), objetos.Archivos(), mensajes, ventana.ArchivoIni());
        }
        pDescripcion->show();
        pDescripcion->raise();
        pDescripcion->activateWindow();
    });
    QObject::connect(&ventana, &frmInicial::conectada, app.get(),
                     [&](const Esperas &esperas) { crpReporte.setEsperas(esperas.nConexion, esperas.nRespuesta); });
    // The desktop ends its session with SIGTERM: the window closes as if answered Yes.
    const SenalesDeTermino senales([&ventana](int) { ventana.TerminaSesion(); });
    const int nSalida = ventana.Abre() ? QApplication::exec() : 1;
    // A start-up that failed may have just offered to open the settings file: if nothing opens
    // it, the user must read why before the program goes.
    if (nSalida != 0)
        EsperaRespuestaDeAbridores(10000);
    return nSalida;
}
