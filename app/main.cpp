// The twelve-month sales report: the main window on the host's database, or the same
// report without a window when options are given (see ModoLotes.h).

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <memory>

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

int main(int argc, char *argv[])
{
    FuentesOdbc::FijaArchivoParaElControlador();
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
