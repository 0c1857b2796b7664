#include "Modulo.h"

#include <QWidget>

#include "Conversiones.h"
#include "HostError.h"
#include "Twips.h"
#include "libNucleo.h"

namespace {

QString Etiqueta(const QWidget &ventana)
{
    return ventana.property("Tag").toString();
}

// Single-precision numbers as text: whole numbers of twips read back as the same number.
QString Numero(int nTwips)
{
    return QString::number(static_cast<float>(nTwips), 'g', 9);
}

// A position or size the window cannot take in its present state.
void ExigeEstadoNormal(const QWidget &ventana)
{
    if (ventana.isMinimized() || ventana.isMaximized() || ventana.isFullScreen())
        throw HostError(CodigoErrorHost::ArgumentoNoValido,
                        QStringLiteral("La ventana no puede cambiar de lugar ni de tamaño en su estado actual"));
}

} // namespace

namespace Modulo {

void GuardaVentana(QWidget &ventana, bool &bConTamano, libNucleo &nucleo, const QString &cArchivoIni)
{
    const QString cEtiqueta = Etiqueta(ventana);
    const QString cSeccion = !cEtiqueta.trimmed().isEmpty() ? cEtiqueta : ventana.objectName().trimmed();
    if (cSeccion.isEmpty())
        return;
    nucleo.EscribeIni(cSeccion, QStringLiteral("Ventana"), ventana.windowTitle(), cArchivoIni);
    nucleo.EscribeIni(cSeccion, QStringLiteral("Linea"), Numero(Twips::DePixeles(ventana.pos().y())), cArchivoIni);
    nucleo.EscribeIni(cSeccion, QStringLiteral("Columna"), Numero(Twips::DePixeles(ventana.pos().x())), cArchivoIni);
    if (bConTamano) {
        nucleo.EscribeIni(cSeccion, QStringLiteral("Ancho"), Numero(Twips::DePixeles(ventana.width())), cArchivoIni);
        nucleo.EscribeIni(cSeccion, QStringLiteral("Alto"), Numero(Twips::DePixeles(ventana.height())), cArchivoIni);
    }
}

void CargaVentana(QWidget &ventana, bool &bConTamano, libNucleo &nucleo, const QString &cArchivoIni)
{
    qint16 nArriba = 0, nIzquierda = 0, nAncho = 0, nAlto = 0;
    const QString cEtiqueta = Etiqueta(ventana);
    const QString cSeccion = !cEtiqueta.isEmpty() ? cEtiqueta : ventana.objectName().trimmed();
    QString cArchivo = cArchivoIni;

    // Each step on its own: a failure puts the position back to 0, 0 and the next step runs.
    const auto Paso = [&](auto &&accion) {
        try {
            accion();
        } catch (const HostError &) {
            nArriba = 0;
            nIzquierda = 0;
        }
    };
    if (!cSeccion.isEmpty()) {
        Paso([&] {
            nArriba = AEntero16(nucleo.orVal(nucleo.LeeIni(cSeccion, QStringLiteral("Linea"), cArchivo)),
                                QStringLiteral("Linea"));
        });
        Paso([&] {
            nIzquierda = AEntero16(nucleo.orVal(nucleo.LeeIni(cSeccion, QStringLiteral("Columna"), cArchivo)),
                                   QStringLiteral("Columna"));
        });
        if (bConTamano) {
            Paso([&] {
                nAncho = AEntero16(nucleo.LeeIni(cSeccion, QStringLiteral("Ancho"), cArchivo), QStringLiteral("Ancho"));
            });
            Paso([&] {
                nAlto = AEntero16(nucleo.LeeIni(cSeccion, QStringLiteral("Alto"), cArchivo), QStringLiteral("Alto"));
            });
        }
    }

    Paso([&] {
        ExigeEstadoNormal(ventana);
        ventana.move(Twips::APixeles(nIzquierda), ventana.pos().y());
    });
    Paso([&] {
        ExigeEstadoNormal(ventana);
        ventana.move(ventana.pos().x(), Twips::APixeles(nArriba));
    });
    if (bConTamano && nAncho != 0 && nAlto != 0) {
        Paso([&] {
            ExigeEstadoNormal(ventana);
            ventana.resize(std::max(0, int(Twips::APixeles(nAncho))), ventana.height());
        });
        Paso([&] {
            ExigeEstadoNormal(ventana);
            ventana.resize(ventana.width(), std::max(0, int(Twips::APixeles(nAlto))));
        });
    }
}

} // namespace Modulo
