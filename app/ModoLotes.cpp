#include "ModoLotes.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "AjustesImpresion.h"
#include "ArchivosPrograma.h"
#include "BasesDD.h"
#include "ConfiguracionPrograma.h"
#include "Connection.h"
#include "Cuenta.h"
#include "ErrorReporte.h"
#include "Esperas.h"
#include "HostContext.h"
#include "HostError.h"
#include "HostFactory.h"
#include "ImpresoraYVistaPrevia.h"
#include "MensajesEnConsola.h"
#include "MotorReporte.h"
#include "ObjetosPrograma.h"
#include "OpcionesLotes.h"
#include "ParametrosRpt.h"
#include "ReporteVentas12Meses.h"
#include "SenalesDeTermino.h"
#include "TablaDeFiltros.h"
#include "TextoDeErrno.h"
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
    const QDate dFecha = QDate::fromString(cTexto, cFormatoFechaHost);
    return dFecha.isValid() ? cTexto : QString();
}

// Why the report could not be written into this folder; empty when it can. A file is really
// created and removed there, as permissions alone do not say it (root, read-only mounts).
QString ProblemaDeCarpeta(const QString &cCarpeta)
{
    const QFileInfo carpeta(cCarpeta);
    if (!carpeta.exists())
        return QStringLiteral("la carpeta %1 no existe").arg(cCarpeta);
    if (!carpeta.isDir())
        return QStringLiteral("%1 no es una carpeta").arg(cCarpeta);
    // Created by hand, for the system's own reason: Qt's text would blame a missing file for a
    // folder that takes no new files (/proc) and for a read-only file system alike.
    for (int nIntento = 0;; ++nIntento) {
        const QByteArray prueba =
            QFile::encodeName(QStringLiteral("%1/.informe-mensual-%2")
                                  .arg(cCarpeta)
                                  .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        const int nArchivo = ::open(prueba.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (nArchivo >= 0) {
            ::close(nArchivo);
            ::unlink(prueba.constData());
            return {};
        }
        const int nError = errno;
        if (nError == EEXIST && nIntento < 100)
            continue;
        // The folder is there: a "missing file" is a folder that takes no files.
        return nError == ENOENT
                   ? QStringLiteral("no se puede escribir en la carpeta %1: no admite archivos nuevos").arg(cCarpeta)
                   : QStringLiteral("no se puede escribir en la carpeta %1: %2").arg(cCarpeta, TextoDeErrno(nError));
    }
}

// What identifies one version of a file: a report written anew is a new file (it is replaced
// atomically), so its inode or its time changes.
struct VersionDelArchivo
{
    bool bExiste = false;
    ino_t nInodo = 0;
    timespec modificado{};

    static VersionDelArchivo De(const QString &cArchivo)
    {
        VersionDelArchivo version;
        struct stat datos = {};
        if (::stat(QFile::encodeName(cArchivo).constData(), &datos) == 0) {
            version.bExiste = true;
            version.nInodo = datos.st_ino;
            version.modificado = datos.st_mtim;
        }
        return version;
    }
    bool DistintaDe(const VersionDelArchivo &antes) const
    {
        return bExiste && (!antes.bExiste || nInodo != antes.nInodo || modificado.tv_sec != antes.modificado.tv_sec ||
                           modificado.tv_nsec != antes.modificado.tv_nsec);
    }
};

// The printer output of the batch mode: the program's own, and whether a job reached the
// print server (the report job shows its failures and goes on, as a window would).
class ImpresoraDeLotes : public SalidaImpresa
{
public:
    bool ExisteImpresora(const QString &cNombre) const override { return m_impresora.ExisteImpresora(cNombre); }
    void MuestraVistaPrevia(const PintorReporte &pintor, const QString &cTitulo,
                            const AjustesImpresion &ajustes) override
    {
        m_impresora.MuestraVistaPrevia(pintor, cTitulo, ajustes);
    }
    void Imprime(const PintorReporte &pintor, const QString &cTitulo, const AjustesImpresion &ajustes) override
    {
        m_impresora.Imprime(pintor, cTitulo, ajustes);
        m_bEnviado = true;
    }
    bool Enviado() const { return m_bEnviado; }

private:
    ImpresoraYVistaPrevia m_impresora;
    bool m_bEnviado = false;
};

QString NombreDeSenal(int nSenal)
{
    switch (nSenal) {
    case SIGINT: return QStringLiteral("SIGINT (Ctrl+C)");
    case SIGTERM: return QStringLiteral("SIGTERM");
    case SIGHUP: return QStringLiteral("SIGHUP");
    default: return QStringLiteral("la señal %1").arg(nSenal);
    }
}

// QCommandLineParser has no options with an optional value: a bare --impresora (last, or
// followed by another option) becomes --impresora= with an empty one.
QStringList ConImpresoraPredeterminada(QStringList argumentos)
{
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        const QString &cArgumento = argumentos.at(i);
        if ((cArgumento == u"--impresora" || cArgumento == u"-impresora") &&
            (i + 1 == argumentos.size() || argumentos.at(i + 1).startsWith(QLatin1Char('-'))))
            argumentos[i] = QStringLiteral("--impresora=");
    }
    return argumentos;
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
    // The options come from the table that also writes the help, the description window and
    // the manual page; the help is the table's own, which shows an optional value as optional.
    QCommandLineParser opciones;
    for (const OpcionesLotes::Opcion &opcion : OpcionesLotes::Todas()) {
        QStringList nombres;
        if (!opcion.cCorto.isEmpty())
            nombres << opcion.cCorto;
        nombres << opcion.cNombre;
        opciones.addOption(QCommandLineOption(nombres, opcion.cDescripcion, opcion.cArgumento));
    }
    if (!opciones.parse(ConImpresoraPredeterminada(argumentos))) {
        Escribe(opciones.errorText() + QStringLiteral(" (vea --help)"));
        return 1;
    }
    if (opciones.isSet(QStringLiteral("help"))) {
        std::fprintf(stdout, "%s", OpcionesLotes::TextoAyuda(QCoreApplication::applicationName()).toUtf8().constData());
        // Which files this copy of the program uses, as it would find them now.
        std::fprintf(stdout, "\nArchivo de configuración: %s\nInforme: %s\n",
                     qUtf8Printable(ArchivosPrograma::ArchivoIni(QCoreApplication::applicationFilePath())),
                     qUtf8Printable(ArchivosPrograma::ArchivoInforme(QCoreApplication::applicationDirPath())));
        return 0;
    }
    if (opciones.isSet(QStringLiteral("version"))) {
        std::fprintf(stdout, "%s %s\n", QCoreApplication::applicationName().toUtf8().constData(),
                     QCoreApplication::applicationVersion().toUtf8().constData());
        return 0;
    }
    if (!opciones.positionalArguments().isEmpty()) {
        Escribe(QStringLiteral("argumento desconocido: %1 (vea --help)").arg(opciones.positionalArguments().first()));
        return 1;
    }
    for (const QString &cOpcion : opciones.optionNames()) {
        if (opciones.values(cOpcion).size() > 1) {
            Escribe(QStringLiteral("--%1 se dio más de una vez (vea --help)").arg(cOpcion));
            return 1;
        }
    }
    for (const char *cObligatoria : {"desde", "hasta"}) {
        if (opciones.value(QLatin1String(cObligatoria)).isEmpty()) {
            Escribe(QStringLiteral("falta --%1 (vea --help)").arg(QLatin1String(cObligatoria)));
            return 1;
        }
    }
    const bool bAImpresora = opciones.isSet(QStringLiteral("impresora"));
    if (bAImpresora == opciones.isSet(QStringLiteral("salida"))) {
        Escribe(bAImpresora ? QStringLiteral("--salida y --impresora se excluyen: dé solo una (vea --help)")
                            : QStringLiteral("falta --salida o --impresora (vea --help)"));
        return 1;
    }
    if (!bAImpresora && opciones.value(QStringLiteral("salida")).isEmpty()) {
        Escribe(QStringLiteral("falta el archivo de --salida (vea --help)"));
        return 1;
    }
    for (const char *cDeImpresora : {"copias", "paginas"}) {
        if (!bAImpresora && opciones.isSet(QLatin1String(cDeImpresora))) {
            Escribe(QStringLiteral("--%1 solo vale con --impresora").arg(QLatin1String(cDeImpresora)));
            return 1;
        }
    }
    FiltrosInforme filtros;
    filtros.cFechaInicial = FechaValida(opciones.value(QStringLiteral("desde")));
    filtros.cFechaFinal = FechaValida(opciones.value(QStringLiteral("hasta")));
    for (const auto &[cFecha, cOpcion] :
         {std::pair{filtros.cFechaInicial, "desde"}, std::pair{filtros.cFechaFinal, "hasta"}}) {
        if (cFecha.isEmpty()) {
            Escribe(QStringLiteral("--%1 %2 no es una fecha DD/MM/AAAA")
                        .arg(QLatin1String(cOpcion), opciones.value(QLatin1String(cOpcion))));
            return 1;
        }
    }
    // One option for each filter of the table; a number must be a whole one above 0.
    for (const TablaDeFiltros::Filtro &filtro : TablaDeFiltros::Todos()) {
        const QString cValor = opciones.value(filtro.cOpcion);
        if (filtro.tipo == TablaDeFiltros::Tipo::Codigo || !opciones.isSet(filtro.cOpcion)) {
            filtros.*filtro.pValor = cValor;
            continue;
        }
        bool bNumero = false;
        const int nNumero = cValor.toInt(&bNumero);
        if (!bNumero || nNumero <= 0) {
            Escribe(QStringLiteral("--%1 %2 no es un número de %3 (omita --%1 para %4)")
                        .arg(filtro.cOpcion, cValor, filtro.cNombre, filtro.cSinFiltro));
            return 1;
        }
        filtros.*filtro.pValor = QString::number(nNumero);
    }
    if (QDate::fromString(filtros.cFechaFinal, cFormatoFechaHost) <
        QDate::fromString(filtros.cFechaInicial, cFormatoFechaHost))
        Escribe(
            QStringLiteral("el periodo está vacío: la fecha final %1 es anterior a la inicial %2; el informe saldrá "
                           "sin ventas")
                .arg(filtros.cFechaFinal, filtros.cFechaInicial));

    // Relative to the folder the user is in, before the start-up moves to the program's.
    QString cSalida;
    if (!bAImpresora) {
        const QFileInfo salida(QDir::current().absoluteFilePath(opciones.value(QStringLiteral("salida"))));
        cSalida = salida.absoluteFilePath();
        const QString cTipo = salida.suffix().toLower();
        if (cTipo != QLatin1String("pdf") && cTipo != QLatin1String("csv") && cTipo != QLatin1String("xlsx")) {
            Escribe(QStringLiteral("--salida debe terminar en .pdf, .csv o .xlsx: %1")
                        .arg(opciones.value(QStringLiteral("salida"))));
            return 1;
        }
        if (salida.isDir()) {
            Escribe(QStringLiteral("--salida %1 es una carpeta, no un archivo").arg(cSalida));
            return 1;
        }
        if (const QString cProblema = ProblemaDeCarpeta(salida.absolutePath()); !cProblema.isEmpty()) {
            Escribe(QStringLiteral("no se escribirá el informe: %1").arg(cProblema));
            return 1;
        }
    }

    // The printer, its copies and its pages, checked as the report control checks them.
    ImpresoraDeLotes impresora;
    const QString cImpresora = opciones.value(QStringLiteral("impresora"));
    int nCopias = 1;
    const QString cPaginas = opciones.value(QStringLiteral("paginas"));
    QString cDestino; // what the last line names
    if (bAImpresora) {
        if (opciones.isSet(QStringLiteral("copias"))) {
            bool bNumero = false;
            nCopias = opciones.value(QStringLiteral("copias")).toInt(&bNumero);
            if (!bNumero || nCopias < 1 || nCopias > 999) {
                Escribe(QStringLiteral("--copias %1 no es un número de copias de 1 a 999")
                            .arg(opciones.value(QStringLiteral("copias"))));
                return 1;
            }
        }
        try {
            AjustesImpresion().AsignaPaginas(cPaginas);
        } catch (const ErrorReporte &) {
            Escribe(QStringLiteral("--paginas %1 no son páginas: se escribe N o N-M, desde la página 1").arg(cPaginas));
            return 1;
        }
        if (!cImpresora.isEmpty() && !impresora.ExisteImpresora(cImpresora)) {
            const QStringList impresoras = QPrinterInfo::availablePrinterNames();
            Escribe(QStringLiteral("la impresora «%1» no existe en este equipo (%2); no se imprimió nada")
                        .arg(cImpresora, impresoras.isEmpty()
                                             ? QStringLiteral("no tiene ninguna")
                                             : QStringLiteral("tiene ") + impresoras.join(QStringLiteral(", "))));
            return 1;
        }
        cDestino = cImpresora.isEmpty() ? QPrinterInfo::defaultPrinterName() : cImpresora;
        if (cDestino.isEmpty()) {
            Escribe(QStringLiteral("este equipo no tiene impresora predeterminada: indique --impresora NOMBRE"));
            return 1;
        }
        cDestino = QStringLiteral("la impresora %1").arg(cDestino);
        if (nCopias > 1)
            cDestino += QStringLiteral(", %1 copias").arg(nCopias);
        if (!cPaginas.isEmpty()) {
            // "página 8" for one page (also written 8-8), "páginas 2-5" for more.
            const QStringList extremos = cPaginas.simplified().remove(u' ').split(u'-');
            cDestino += extremos.size() == 1 || extremos.first() == extremos.last()
                            ? QStringLiteral(", página %1").arg(extremos.first())
                            : QStringLiteral(", páginas %1").arg(extremos.join(u'-'));
        }
    }

    const QString cEjecutable = QCoreApplication::applicationFilePath();
    const QString cCarpeta = QFileInfo(cEjecutable).absolutePath();
    HostFactory fabrica;
    MensajesEnConsola mensajes;
    const HostContext contexto = HostContext::DelEntorno(fabrica, mensajes);
    ObjetosPrograma objetos;
    QElapsedTimer reloj;
    reloj.start();
    // Ctrl+C, SIGTERM and SIGHUP stop the run as "Cancelar" does: the fill stopped on the
    // server, the table dropped, the lock freed, the earlier file left as it was. The signal is
    // taken up when the run waits (its turn, the fill); one that comes while the rows are read
    // or the file is written, which take a moment and have no point to stop at, is answered
    // at the end.
    int nSenal = 0;
    ReporteVentas12Meses *pReporte = nullptr;
    const SenalesDeTermino senales([&](int nRecibida) {
        if (nSenal == 0) {
            nSenal = nRecibida;
            Escribe(QStringLiteral("se recibió %1: se detiene el informe").arg(NombreDeSenal(nSenal)));
        }
        try {
            if (pReporte)
                pReporte->Cancela();
        } catch (const HostError &error) {
            MuestraError(mensajes, error);
        }
    });
    const auto interrumpido = [&](const QString &cQueSeHizo) {
        Escribe(QStringLiteral("informe interrumpido por %1: %2").arg(NombreDeSenal(nSenal), cQueSeHizo));
        return SenalesDeTermino::EstadoDeSalida(nSenal);
    };
    try {
        // The same start-up as the window's.
        QDir::setCurrent(cCarpeta);
        objetos.Crea(fabrica, contexto);
        Connection cnnDatos;
        qint16 nMonedaUSD = 0;
        if (!PreparaConexion(objetos, ArchivosPrograma::PreparaArchivoIni(cEjecutable), cnnDatos, nMonedaUSD))
            return 1;

        ParametrosRpt parametros;
        MotorReporte motor;
        motor.setSalidaImpresa(&impresora);
        const Esperas &esperas = objetos.Bases().esperas;
        motor.setEsperas(esperas.nConexion, esperas.nRespuesta);
        ReporteVentas12Meses reporte(objetos, cnnDatos, nMonedaUSD, parametros, motor, cCarpeta, mensajes);
        reporte.setLlenadoAparte(true); // so that a signal can stop it on the server
        pReporte = &reporte;
        const auto olvida = qScopeGuard([&] { pReporte = nullptr; });
        if (bAImpresora)
            reporte.setImpresora(cImpresora, nCopias, cPaginas);
        else
            reporte.setArchivoSalida(cSalida);
        reporte.setAlDesconocerFiltro([](const QString &cDesconocido) { Escribe(cDesconocido); });
        reporte.setProgreso([&](const QString &cQue) {
            Escribe(QStringLiteral("%1 (%2 s)").arg(cQue).arg(reloj.elapsed() / 1000.0, 0, 'f', 1));
        });
        const VersionDelArchivo antes = VersionDelArchivo::De(cSalida);
        QCoreApplication::processEvents(); // a signal during the start-up: nothing is begun
        if (nSenal == 0) {
            const ReporteVentas12Meses::Resultado resultado = reporte.Ejecuta(filtros);
            if (resultado == ReporteVentas12Meses::Resultado::PeriodoRechazado)
                return 2;
        }
        QCoreApplication::processEvents(); // a signal that came while nothing could stop
        const QString cFallas = Cuenta(mensajes.Errores(), "falla", "fallas");
        if (nSenal != 0) {
            if (bAImpresora)
                return interrumpido(impresora.Enviado() ? QStringLiteral("llegó cuando el informe ya se había "
                                                                         "enviado a %1")
                                                              .arg(cDestino)
                                                        : QStringLiteral("no se imprimió nada"));
            return interrumpido(
                VersionDelArchivo::De(cSalida).DistintaDe(antes)
                    ? QStringLiteral("llegó cuando %1 ya estaba escrito").arg(cSalida)
                    : QStringLiteral("no se escribió %1; el archivo que había quedó como estaba").arg(cSalida));
        }
        if (bAImpresora) {
            if (!impresora.Enviado()) {
                Escribe(QStringLiteral("no se imprimió nada en %1 (%2, vea arriba)").arg(cDestino, cFallas));
                return 1;
            }
            if (mensajes.Errores() > 0) {
                Escribe(QStringLiteral("se envió a %1, pero hubo %2 (vea arriba): revise lo impreso")
                            .arg(cDestino, cFallas));
                return 1;
            }
            Escribe(QStringLiteral("informe de %1 enviado a %2 (%3 s)")
                        .arg(Cuenta(reporte.Clientes(), "cliente", "clientes"), cDestino)
                        .arg(reloj.elapsed() / 1000.0, 0, 'f', 1));
            return 0;
        }
        const bool bEscrito = VersionDelArchivo::De(cSalida).DistintaDe(antes);
        if (!bEscrito) {
            Escribe(mensajes.Errores() > 0 ? QStringLiteral("no se escribió %1 (%2, vea arriba)").arg(cSalida, cFallas)
                                           : QStringLiteral("no se escribió %1").arg(cSalida));
            return 1;
        }
        if (mensajes.Errores() > 0) {
            Escribe(
                QStringLiteral("se escribió %1, pero hubo %2 (vea arriba): revise el informe").arg(cSalida, cFallas));
            return 1;
        }
        Escribe(QStringLiteral("informe de %1 escrito en %2 (%3 s)")
                    .arg(Cuenta(reporte.Clientes(), "cliente", "clientes"), cSalida)
                    .arg(reloj.elapsed() / 1000.0, 0, 'f', 1));
        return 0;
    } catch (const HostError &error) {
        if (nSenal != 0) // the failure is what the stop left (a statement stopped), not its cause
            return interrumpido(QStringLiteral("no se escribió ni se imprimió nada"));
        MuestraError(mensajes, error);
        return 1;
    }
}

} // namespace ModoLotes
