// The whole twelve-month report as a user gets it, against a database of generated invoices
// (genera-demo), compared with the floor (Piso.h) measured in the same run:
//
//   the batch mode as a process, from start to exit, for each kind of file;
//   the same run in this process, stage by stage: start-up (settings and connection), the fill
//   of the working table, the report's ODBC read (the data sources refreshed, connected, rows
//   read), the table dropped and the server lock freed once the rows are in memory, and the
//   writer (content, and the file);
//   with --ventana, the window: from the click on "Imprimir" to the preview's first page painted
//   on screen (and the part of it after the report's rows were read), and the peak memory of
//   that process (VmHWM);
//   with --aparte, the in-process run with the fill on a thread and a connection of its own,
//   as the window runs it, beside the same run on the caller's thread;
//   with --cancela, how long a fill takes to end after Cancela, as "Cancelar" asks it: held up
//   on the server (another session locks the invoices), and half a second into its work;
//   with --a-la-vez N, N batch runs started at once on the same database (people pressing
//   Imprimir together): whether all of them wrote their report, and when the last one ended,
//   against the sum of N runs one after another.
//
//   bench_corrida [--base bench10k] [--salidas csv,pdf] [--vueltas 3] [--ventana] [--aparte] [--cancela]
//                 [--a-la-vez N]
//
// The server comes from ALMENA_PRUEBA_SERVIDOR/_PUERTO/_USUARIO/_PASSWORD and the ODBC data
// sources from ODBCINI, as for the tests (scripts/prueba.sh). The period is the last twelve
// months of the data (genera-demo's --hasta: the current month).

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "BaseDePrueba.h"
#include "BasesDD.h"
#include "CajaFecha.h"
#include "ConfiguracionPrograma.h"
#include "EntornoHost.h"
#include "FiltroVentas.h"
#include "HostError.h"
#include "ImpresoraYVistaPrevia.h"
#include "MotorReporte.h"
#include "ObjetosPrograma.h"
#include "ParametrosRpt.h"
#include "Piso.h"
#include "Recordset.h"
#include "ReporteVentas12Meses.h"
#include "VentanaVistaPrevia.h"
#include "frmInicial.h"

namespace {

const QString cCarpetaPrograma = QStringLiteral(CARPETA_PROGRAMA);

// The report control with a clock: it notes when the report has connected and when it has
// read its rows, and passes everything on to the real one.
class ControlCronometrado : public ControlReporte
{
public:
    ControlCronometrado(ControlReporte &real, const QElapsedTimer &reloj) : m_real(real), m_reloj(reloj) {}
    void PropertyPut(PropiedadReporte propiedad, const QVariant &valor) override
    {
        m_real.PropertyPut(propiedad, valor);
    }
    void PropertyPutIndexed(PropiedadReporte propiedad, int nIndice, const QVariant &valor) override
    {
        m_real.PropertyPutIndexed(propiedad, nIndice, valor);
    }
    void PonAvisos(const AvisosReporte &avisos) override
    {
        m_real.PonAvisos({[this, avisos] {
                              dConectado = m_reloj.nsecsElapsed() / 1e9;
                              if (avisos.alConectar)
                                  avisos.alConectar();
                          },
                          [this, avisos] {
                              dDatosLeidos = m_reloj.nsecsElapsed() / 1e9;
                              if (avisos.alLeerDatos)
                                  avisos.alLeerDatos();
                              dTablaBorrada = m_reloj.nsecsElapsed() / 1e9;
                          }});
    }
    double dConectado = 0;
    double dDatosLeidos = 0;
    double dTablaBorrada = 0;

private:
    ControlReporte &m_real;
    const QElapsedTimer &m_reloj;
};

// The last twelve calendar months up to the current one, as the user types them.
FiltrosInforme DoceMeses()
{
    const QDate dHoy = QDate::currentDate();
    const QDate dDesde = QDate(dHoy.year(), dHoy.month(), 1).addMonths(-11);
    const QDate dHasta = QDate(dHoy.year(), dHoy.month(), 1).addMonths(1).addDays(-1);
    return {dDesde.toString(cFormatoFechaHost), dHasta.toString(cFormatoFechaHost), {}, {}, {}};
}

double MemoriaMaximaMb()
{
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &linea : estado.readAll().split('\n')) {
        if (linea.startsWith("VmHWM:"))
            return linea.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// A host installation whose store names the test server and whose program folder holds a
// copy of the built program, its report file and a settings file for the database.
struct Instalacion
{
    explicit Instalacion(const QString &cBase)
    {
        entorno.AlmacenConServidor(BaseDePrueba::Servidor().nPuerto);
        const QString cCarpeta = QFileInfo(entorno.RutaEjecutable()).absolutePath();
        for (const char *cArchivo : {"informe-mensual", "InformeMensual.rpt"})
            QFile::copy(cCarpetaPrograma + QLatin1Char('/') + QLatin1String(cArchivo),
                        cCarpeta + QLatin1Char('/') + QLatin1String(cArchivo));
        EscribeTexto(entorno.ArchivoIni(), QStringLiteral("[Configuración]\nBase de datos principal=%1\n").arg(cBase));
    }
    QString Carpeta() const { return QFileInfo(entorno.RutaEjecutable()).absolutePath(); }
    EntornoHost entorno;
};

// The program's start-up on an installation: its objects, the connection and the dollars' id.
struct Sesion
{
    explicit Sesion(Instalacion &instalacion)
    {
        objetos.Crea(instalacion.entorno.fabrica, instalacion.entorno.Contexto());
        if (!PreparaConexion(objetos, instalacion.entorno.ArchivoIni(), cnn, nMonedaUSD))
            throw HostError(0, QStringLiteral("la carpeta del host no es una instalación"));
    }
    ObjetosPrograma objetos;
    Connection cnn;
    qint16 nMonedaUSD = 0;
};

struct Etapas
{
    double dArranque = 0, dLlenado = 0, dLectura = 0, dBorrado = 0, dEscritor = 0, dTotal = 0;
};

Etapas CorreDentro(Instalacion &instalacion, const QString &cSalida, int &nClientes, bool bAparte = false)
{
    Etapas etapas;
    QElapsedTimer reloj;
    reloj.start();
    Sesion sesion(instalacion);
    etapas.dArranque = reloj.nsecsElapsed() / 1e9;
    double dFinLlenado = 0;
    MotorReporte motor;
    ControlCronometrado control(motor, reloj);
    ParametrosRpt parametros;
    ReporteVentas12Meses reporte(sesion.objetos, sesion.cnn, sesion.nMonedaUSD, parametros, control,
                                 instalacion.Carpeta(), instalacion.entorno.mensajes);
    reporte.setArchivoSalida(cSalida);
    reporte.setLlenadoAparte(bAparte);
    reporte.setProgreso([&](const QString &cQue) {
        if (cQue.startsWith(QLatin1String("generando")))
            dFinLlenado = reloj.nsecsElapsed() / 1e9;
    });
    reporte.Ejecuta(DoceMeses());
    etapas.dTotal = reloj.nsecsElapsed() / 1e9;
    if (!instalacion.entorno.mensajes.Llamadas().isEmpty())
        throw HostError(0, instalacion.entorno.mensajes.Llamadas().first().cTexto);
    etapas.dLlenado = dFinLlenado - etapas.dArranque;
    etapas.dLectura = control.dDatosLeidos - dFinLlenado;
    etapas.dBorrado = control.dTablaBorrada - control.dDatosLeidos;
    etapas.dEscritor = etapas.dTotal - control.dTablaBorrada;
    nClientes = reporte.Clientes();
    return etapas;
}

// The batch mode of the installation, started (not waited for) to write cSalida.
void ArrancaProceso(Instalacion &instalacion, const QString &cSalida, QProcess &programa)
{
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert(QStringLiteral("ALMENA_ALMACEN"), instalacion.entorno.ArchivoAlmacen());
    variables.insert(QStringLiteral("ALMENA_UNIDAD_C"), instalacion.entorno.Carpeta() + QStringLiteral("/C"));
    const FiltrosInforme filtros = DoceMeses();
    programa.setProcessEnvironment(variables);
    programa.start(instalacion.Carpeta() + QStringLiteral("/informe-mensual"),
                   {QStringLiteral("--desde"), filtros.cFechaInicial, QStringLiteral("--hasta"), filtros.cFechaFinal,
                    QStringLiteral("--salida"), cSalida});
}

void EsperaProceso(QProcess &programa)
{
    if (!programa.waitForFinished(600000) || programa.exitCode() != 0)
        throw HostError(0, QString::fromUtf8(programa.readAllStandardError()));
}

double CorreProceso(Instalacion &instalacion, const QString &cSalida)
{
    QProcess programa;
    QElapsedTimer reloj;
    reloj.start();
    ArrancaProceso(instalacion, cSalida, programa);
    EsperaProceso(programa);
    return reloj.nsecsElapsed() / 1e9;
}

// N runs at once: the time until the last one ended. A run that failed is a failure.
double CorreALaVez(Instalacion &instalacion, const QTemporaryDir &salidas, int nCorridas)
{
    std::vector<std::unique_ptr<QProcess>> programas;
    QElapsedTimer reloj;
    reloj.start();
    for (int i = 0; i < nCorridas; ++i) {
        programas.push_back(std::make_unique<QProcess>());
        ArrancaProceso(instalacion, salidas.filePath(QStringLiteral("a-la-vez-%1.csv").arg(i)), *programas.back());
    }
    for (const auto &pPrograma : programas)
        EsperaProceso(*pPrograma);
    return reloj.nsecsElapsed() / 1e9;
}

// From Cancela to the run's end (the statement stopped, the table dropped, the lock freed),
// asked once the fill waits on the server for the invoices that another session holds
// (bBloqueadas), or half a second after its statement has begun.
double CancelaLlenado(Instalacion &instalacion, const DatosConexion &datos, const QString &cSalida, bool bBloqueadas)
{
    Sesion sesion(instalacion);
    MotorReporte motor;
    ParametrosRpt parametros;
    ReporteVentas12Meses reporte(sesion.objetos, sesion.cnn, sesion.nMonedaUSD, parametros, motor,
                                 instalacion.Carpeta(), instalacion.entorno.mensajes);
    reporte.setArchivoSalida(cSalida);
    reporte.setLlenadoAparte(true);
    Connection otraSesion = Connection::Abre(datos);
    if (bBloqueadas)
        otraSesion.Execute(QStringLiteral("lock tables facturas write"));
    Connection vigia = Connection::Abre(datos);
    QElapsedTimer reloj;
    QTimer sondeo;
    sondeo.setInterval(10);
    QObject::connect(&sondeo, &QTimer::timeout, [&] {
        Recordset rs =
            vigia.Execute(QStringLiteral("select count(*) from information_schema.processlist "
                                         "where db=database() and info like 'insert into tmpventas12meses%'"));
        if (rs.Campo(0).toInt() == 0)
            return;
        sondeo.stop();
        QTimer::singleShot(bBloqueadas ? 0 : 500, [&] {
            reloj.start();
            reporte.Cancela();
        });
    });
    sondeo.start();
    const ReporteVentas12Meses::Resultado resultado = reporte.Ejecuta(DoceMeses());
    const double dSegundos = reloj.isValid() ? reloj.nsecsElapsed() / 1e9 : -1;
    if (bBloqueadas)
        otraSesion.Execute(QStringLiteral("unlock tables"));
    if (resultado != ReporteVentas12Meses::Resultado::Cancelado || dSegundos < 0)
        throw HostError(0, QStringLiteral("el llenado no se canceló"));
    return dSegundos;
}

struct Ventana
{
    double dPrimeraPagina = -1; // from the click on "Imprimir" to the preview's first page painted on screen
    double dDesdeLosDatos = -1; // from the report's rows read to that page
};

// The click on "Imprimir" in the main window, up to the preview's first sheet painted on
// screen; the preview then closes.
Ventana PrimeraPaginaEnPantalla(Instalacion &instalacion)
{
    MotorReporte motor;
    ImpresoraYVistaPrevia pantalla;
    motor.setSalidaImpresa(&pantalla);
    QElapsedTimer reloj;
    ControlCronometrado control(motor, reloj);
    Ventana ventana;
    pantalla.setPresentaVistaPrevia([&](VentanaVistaPrevia &vista) {
        QObject::connect(&vista, &VentanaVistaPrevia::paginaPintada, &vista, [&] {
            if (ventana.dPrimeraPagina < 0) {
                ventana.dPrimeraPagina = reloj.nsecsElapsed() / 1e9;
                QTimer::singleShot(0, &vista, &QDialog::accept);
            }
        });
        QTimer::singleShot(600000, &vista, &QDialog::reject);
        vista.exec();
    });
    frmInicial principal(instalacion.entorno.Contexto(), instalacion.entorno.RutaEjecutable(), control);
    if (!principal.Abre() || !QTest::qWaitForWindowActive(&principal))
        throw HostError(0, QStringLiteral("la ventana no se abrió"));
    const FiltrosInforme filtros = DoceMeses();
    principal.findChild<CajaFecha *>(QStringLiteral("mkeFecha(0)"))->setText(filtros.cFechaInicial);
    principal.findChild<CajaFecha *>(QStringLiteral("mkeFecha(1)"))->setText(filtros.cFechaFinal);
    reloj.start();
    QTest::mouseClick(principal.findChild<QPushButton *>(QStringLiteral("cmdImprimir")), Qt::LeftButton);
    instalacion.entorno.mensajes.Responde(Msg::Si);
    principal.close();
    if (ventana.dPrimeraPagina < 0)
        throw HostError(0, QStringLiteral("la vista previa no pintó ninguna página"));
    ventana.dDesdeLosDatos = ventana.dPrimeraPagina - control.dDatosLeidos;
    return ventana;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser opciones;
    opciones.addHelpOption();
    opciones.addOption({QStringLiteral("base"), QStringLiteral("Base de datos generada."), QStringLiteral("NOMBRE"),
                        QStringLiteral("bench10k")});
    opciones.addOption({QStringLiteral("salidas"), QStringLiteral("Archivos a medir."), QStringLiteral("csv,pdf,..."),
                        QStringLiteral("csv,pdf")});
    opciones.addOption({QStringLiteral("vueltas"), QStringLiteral("Vueltas de cada medida."), QStringLiteral("N"),
                        QStringLiteral("3")});
    opciones.addOption({QStringLiteral("ventana"), QStringLiteral("Mide la ventana: clic a primera página.")});
    opciones.addOption({QStringLiteral("aparte"), QStringLiteral("Mide también el llenado en un hilo aparte.")});
    opciones.addOption(
        {QStringLiteral("cancela"), QStringLiteral("Mide cuánto tarda en terminar un llenado cancelado.")});
    opciones.addOption(
        {QStringLiteral("a-la-vez"), QStringLiteral("Mide N corridas sin ventana a la vez."), QStringLiteral("N")});
    opciones.process(app);
    const QString cBase = opciones.value(QStringLiteral("base"));
    const int nVueltas = qMax(1, opciones.value(QStringLiteral("vueltas")).toInt());

    try {
        Instalacion instalacion(cBase);
        QTemporaryDir salidas;
        DatosConexion datos = BaseDePrueba::Servidor();
        datos.cBase = cBase;
        Connection cnn = Connection::Abre(datos);
        ObjetosPrograma objetos;
        objetos.Crea(instalacion.entorno.fabrica, instalacion.entorno.Contexto());
        const FiltroVentas filtro = FiltroVentas::Construye(DoceMeses(), objetos, cnn, 2);
        Piso piso;

        if (opciones.isSet(QStringLiteral("ventana"))) {
            std::vector<double> pisos, ventanas, desdeLosDatos;
            for (int i = 0; i < nVueltas; ++i) {
                pisos.push_back(piso.Mide(cnn, filtro));
                const Ventana ventana = PrimeraPaginaEnPantalla(instalacion);
                ventanas.push_back(ventana.dPrimeraPagina);
                desdeLosDatos.push_back(ventana.dDesdeLosDatos);
            }
            std::printf(
                "base %s: piso %.3f s; clic a primera página en pantalla %.3f s, de ellos %.3f s desde los datos "
                "leídos (medianas de %d); memoria máxima %.0f MB\n",
                qPrintable(cBase), Mediana(pisos), Mediana(ventanas), Mediana(desdeLosDatos), nVueltas,
                MemoriaMaximaMb());
            return 0;
        }

        if (opciones.isSet(QStringLiteral("cancela"))) {
            const QString cSalida = salidas.filePath(QStringLiteral("informe.csv"));
            std::vector<double> detenidos, trabajando;
            for (int i = 0; i < nVueltas; ++i) {
                detenidos.push_back(CancelaLlenado(instalacion, datos, cSalida, true));
                trabajando.push_back(CancelaLlenado(instalacion, datos, cSalida, false));
            }
            std::printf("base %s: de Cancela al fin de la corrida, con las facturas bloqueadas %.3f s, a medio "
                        "cálculo %.3f s (medianas de %d)\n",
                        qPrintable(cBase), Mediana(detenidos), Mediana(trabajando), nVueltas);
            return 0;
        }
        if (opciones.isSet(QStringLiteral("a-la-vez"))) {
            const int nCorridas = qMax(1, opciones.value(QStringLiteral("a-la-vez")).toInt());
            std::vector<double> solas, juntas, sumas;
            for (int i = 0; i < nVueltas; ++i) {
                double dSuma = 0;
                for (int j = 0; j < nCorridas; ++j) {
                    const double dSola = CorreProceso(instalacion, salidas.filePath(QStringLiteral("sola.csv")));
                    solas.push_back(dSola);
                    dSuma += dSola;
                }
                sumas.push_back(dSuma);
                juntas.push_back(CorreALaVez(instalacion, salidas, nCorridas));
            }
            std::printf("base %s: %d corridas a la vez, todas escribieron su informe; la última terminó a los %.3f s; "
                        "una sola %.3f s, %d una tras otra %.3f s; a la vez / una tras otra %.2f (medianas de %d)\n",
                        qPrintable(cBase), nCorridas, Mediana(juntas), Mediana(solas), nCorridas, Mediana(sumas),
                        Mediana(juntas) / Mediana(sumas), nVueltas);
            return 0;
        }
        if (opciones.isSet(QStringLiteral("aparte"))) {
            const QString cSalida = salidas.filePath(QStringLiteral("informe.csv"));
            std::vector<double> llenados, aparte;
            int nClientes = 0;
            for (int i = 0; i < nVueltas; ++i) {
                llenados.push_back(CorreDentro(instalacion, cSalida, nClientes).dLlenado);
                aparte.push_back(CorreDentro(instalacion, cSalida, nClientes, true).dLlenado);
            }
            std::printf(
                "base %s, %d clientes: llenado en este hilo %.3f s, en un hilo aparte %.3f s (medianas de %d)\n",
                qPrintable(cBase), nClientes, Mediana(llenados), Mediana(aparte), nVueltas);
            return 0;
        }

        std::printf(
            "base %s, %d vueltas, medianas en segundos; el proceso es la corrida completa del modo sin ventana; "
            "las etapas, la misma corrida dentro de este proceso\n",
            qPrintable(cBase), nVueltas);
        std::printf("%-5s %7s %8s %9s %8s %8s %8s %8s %8s %9s %13s\n", "tipo", "piso", "proceso", "arranque", "llenado",
                    "lectura", "borrado", "escritor", "dentro", "clientes", "proceso/piso");
        for (const QString &cTipo : opciones.value(QStringLiteral("salidas")).split(QLatin1Char(','))) {
            const QString cSalida = salidas.filePath(QStringLiteral("informe.") + cTipo);
            std::vector<double> pisos, procesos, arranques, llenados, lecturas, borrados, escritores, dentro;
            int nClientes = 0;
            for (int i = 0; i < nVueltas; ++i) {
                pisos.push_back(piso.Mide(cnn, filtro));
                procesos.push_back(CorreProceso(instalacion, cSalida));
                const Etapas etapas = CorreDentro(instalacion, cSalida, nClientes);
                arranques.push_back(etapas.dArranque);
                llenados.push_back(etapas.dLlenado);
                lecturas.push_back(etapas.dLectura);
                borrados.push_back(etapas.dBorrado);
                escritores.push_back(etapas.dEscritor);
                dentro.push_back(etapas.dTotal);
            }
            std::printf("%-5s %7.3f %8.3f %9.3f %8.3f %8.3f %8.3f %8.3f %8.3f %9d %13.2f\n", qPrintable(cTipo),
                        Mediana(pisos), Mediana(procesos), Mediana(arranques), Mediana(llenados), Mediana(lecturas),
                        Mediana(borrados), Mediana(escritores), Mediana(dentro), nClientes,
                        Mediana(procesos) / Mediana(pisos));
        }
    } catch (const HostError &error) {
        std::fprintf(stderr, "bench_corrida: %s\n", error.what());
        return 1;
    }
    return 0;
}
