// The twelve-month sales report: the main window on the host's database.

#include <QApplication>
#include <QFont>
#include <QPointer>
#include <QTimer>

#include "HostContext.h"
#include "HostFactory.h"
#include "QtMensajes.h"
#include "frmDescripcion.h"
#include "frmInicial.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("informe-mensual"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));

    HostFactory fabrica;
    QtMensajes mensajes;
    const HostContext contexto = HostContext::DelEntorno(fabrica, mensajes);

    frmInicial ventana(contexto, QApplication::applicationFilePath());
    QObject::connect(&ventana, &frmInicial::programaTerminado, &app,
                     [](int nCodigo) {
                         QTimer::singleShot(0, [nCodigo] { QCoreApplication::exit(nCodigo); });
                     });
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
    if (!ventana.Abre())
        return 1;
    return app.exec();
}
