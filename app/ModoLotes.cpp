#include "ModoLotes.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

#include "BasesDD.h"
#include "ConfiguracionPrograma.h"
#include "Connection.h"
#include "HostContext.h"
#include "HostError.h"
#include "HostFactory.h"
#include "MensajesEnConsola.h"
#include "MotorReporte.h"
#include "ObjetosPrograma.h"
#include "ParametrosRpt.h"
#include "ReporteVentas12Meses.h"
#include "frmInicial.h"
#include "libNucleo.h"

namespace {

void Escribe(const QString &cTexto)
{
    std::fprintf(stderr, "informe-mensual: %s\n", cTexto.toUtf8().constData());
    std::fflush(stderr);
}

// A date of the command line, in the program's date format; empty when it is none.
QString FechaValida(const QString &cTexto)
{
    const QDate dFecha = QDate::fromString(cTexto, QStringLiteral("dd/MM/yyyy"));
    return dFecha.isValid() ? cTexto : QString();
}

} // namespace

namespace ModoLotes {

bool Pedido(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]).startsWith('-'))
            return true;
    return false;
}

int Ejecuta(const QStringList &argumentos)
{
    QCommandLineParser opciones;
    opciones.setApplicationDescription(QStringLiteral(
        "Informe de ventas de doce meses por cliente y mes, sin ventana. Termina con 0 cuando escribió el "
        "archivo, con 2 cuando el periodo excede los doce meses y con 1 ante cualquier otra falla."));
    opciones.addHelpOption();
    opciones.addOptions({
        {QStringLiteral("desde"), QStringLiteral("Fecha inicial del periodo."), QStringLiteral("DD/MM/AAAA")},
        {QStringLiteral("hasta"), QStringLiteral("Fecha final del periodo."), QStringLiteral("DD/MM/AAAA")},
        {QStringLiteral("cliente"), QStringLiteral("Clave del cliente, tal como se escribe."), QStringLiteral("C")},
        {QStringLiteral("vendedor"), QStringLiteral("Clave del vendedor."), QStringLiteral("V")},
        {QStringLiteral("linea"), QStringLiteral("Número (ID) de la línea de productos."), QStringLiteral("ID")},
        {QStringLiteral("salida"), QStringLiteral("Archivo del informe: .pdf o .csv."), QStringLiteral("ARCHIVO")},
    });
    if (!opciones.parse(argumentos)) {
        Escribe(opciones.errorText() + QStringLiteral(" (vea --help)"));
        return 1;
    }
    if (opciones.isSet(QStringLiteral("help"))) {
        std::fprintf(stdout, "%s", opciones.helpText().toUtf8().constData());
        return 0;
    }
    if (!opciones.positionalArguments().isEmpty()) {
        Escribe(QStringLiteral("argumento desconocido: %1 (vea --help)").arg(opciones.positionalArguments().first()));
        return 1;
    }
    for (const char *cObligatoria : {"desde", "hasta", "salida"}) {
        if (opciones.value(QLatin1String(cObligatoria)).isEmpty()) {
            Escribe(QStringLiteral("falta --%1 (vea --help)").arg(QLatin1String(cObligatoria)));
            return 1;
        }
    }
    FiltrosInforme filtros;
    filtros.cFechaInicial = FechaValida(opciones.value(QStringLiteral("desde")));
    filtros.cFechaFinal = FechaValida(opciones.value(QStringLiteral("hasta")));
    for (const auto &[cFecha, cOpcion] : {std::pair{filtros.cFechaInicial, "desde"}, std::pair{filtros.cFechaFinal, "hasta"}}) {
        if (cFecha.isEmpty()) {
            Escribe(QStringLiteral("--%1 %2 no es una fecha DD/MM/AAAA").arg(QLatin1String(cOpcion), opciones.value(QLatin1String(cOpcion))));
            return 1;
        }
    }
    filtros.cCliente = opciones.value(QStringLiteral("cliente"));
    filtros.cVendedor = opciones.value(QStringLiteral("vendedor"));
    if (opciones.isSet(QStringLiteral("linea"))) {
        bool bNumero = false;
        const int nLinea = opciones.value(QStringLiteral("linea")).toInt(&bNumero);
        if (!bNumero) {
            Escribe(QStringLiteral("--linea %1 no es un número de línea").arg(opciones.value(QStringLiteral("linea"))));
            return 1;
        }
        filtros.vLinea = nLinea;
    }
    const QFileInfo salida(opciones.value(QStringLiteral("salida")));
    const QString cTipo = salida.suffix().toLower();
    if (cTipo != QLatin1String("pdf") && cTipo != QLatin1String("csv")) {
        Escribe(QStringLiteral("--salida debe terminar en .pdf o .csv: %1").arg(salida.filePath()));
        return 1;
    }

    const QString cEjecutable = QCoreApplication::applicationFilePath();
    const QString cCarpeta = QFileInfo(cEjecutable).absolutePath();
    HostFactory fabrica;
    MensajesEnConsola mensajes;
    const HostContext contexto = HostContext::DelEntorno(fabrica, mensajes);
    ObjetosPrograma objetos;
    QElapsedTimer reloj;
    reloj.start();
    try {
        // The same start-up as the window's.
        QDir::setCurrent(cCarpeta);
        objetos.Crea(fabrica, contexto);
        const QString cArchivoIni = frmInicial::ArchivoIniDe(cEjecutable);
        BasesDD &bases = objetos.Bases();
        if (!CargaDatosConexion(objetos.Nucleo(), objetos.Registro(), bases, cArchivoIni, true))
            return 1;
        const qint16 nMonedaUSD = LeeMonedaUSD(objetos.Nucleo(), cArchivoIni);
        Connection cnnDatos;
        bases.AbrirBdD(cnnDatos, bases.cMiBase);

        ParametrosRpt parametros;
        MotorReporte motor;
        ReporteVentas12Meses reporte(objetos, cnnDatos, nMonedaUSD, parametros, motor, cCarpeta, mensajes);
        reporte.setArchivoSalida(salida.absoluteFilePath());
        reporte.setProgreso([&](const QString &cQue) {
            Escribe(QStringLiteral("%1 (%2 s)").arg(cQue).arg(reloj.elapsed() / 1000.0, 0, 'f', 1));
        });
        const QDateTime antes = QDateTime::currentDateTime().addSecs(-1);
        if (reporte.Ejecuta(filtros) == ReporteVentas12Meses::Resultado::PeriodoRechazado)
            return 2;
        const QFileInfo escrito(salida.absoluteFilePath());
        if (mensajes.Errores() > 0 || !escrito.exists() || escrito.lastModified() < antes) {
            Escribe(QStringLiteral("no se escribió %1").arg(salida.filePath()));
            return 1;
        }
        Escribe(QStringLiteral("informe de %1 clientes escrito en %2 (%3 s)")
                    .arg(reporte.Clientes())
                    .arg(escrito.absoluteFilePath())
                    .arg(reloj.elapsed() / 1000.0, 0, 'f', 1));
        return 0;
    } catch (const HostError &error) {
        MuestraError(mensajes, error);
        return 1;
    }
}

} // namespace ModoLotes
