#include "ReporteVentas12Meses.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>

#include <utility>

#include "ArchivosPrograma.h"
#include "BasesDD.h"
#include "BloqueoInforme.h"
#include "Cuenta.h"
#include "ErrorBaseDeDatos.h"
#include "FiltroVentas.h"
#include "HostError.h"
#include "ImprimeRpt.h"
#include "Mensajes.h"
#include "NombresDeFiltros.h"
#include "ObjetosPrograma.h"
#include "ParametrosRpt.h"
#include "TablaDeTrabajo.h"
#include "TrabajoEnOtroHilo.h"
#include "Utilerias.h"
#include "libNucleo.h"

namespace {
// Gives the button back however the operation ends.
class Disponibilidad
{
public:
    explicit Disponibilidad(const std::function<void(bool)> &aviso) : m_aviso(aviso)
    {
        if (m_aviso)
            m_aviso(false);
    }
    ~Disponibilidad()
    {
        if (m_aviso)
            m_aviso(true);
    }

private:
    const std::function<void(bool)> &m_aviso;
};
} // namespace

ReporteVentas12Meses::ReporteVentas12Meses(const ObjetosPrograma &objetos, Connection &cnnDatos, qint16 nMonedaUSD,
                                           ParametrosRpt &parametros, ControlReporte &control,
                                           const QString &cCarpetaPrograma, Mensajes &mensajes)
    : m_objetos(objetos), m_cnnDatos(cnnDatos), m_nMonedaUSD(nMonedaUSD), m_parametros(parametros), m_control(control),
      m_cCarpetaPrograma(cCarpetaPrograma), m_mensajes(mensajes)
{
}

void ReporteVentas12Meses::setArchivoSalida(const QString &cArchivo)
{
    m_cArchivoSalida = cArchivo;
    m_bAImpresora = false;
}

void ReporteVentas12Meses::setImpresora(const QString &cImpresora, int nCopias, const QString &cPaginas)
{
    m_cArchivoSalida.clear();
    m_bAImpresora = true;
    m_cImpresora = cImpresora;
    m_nCopias = nCopias;
    m_cPaginas = cPaginas;
}

void ReporteVentas12Meses::Avisa(const QString &cQue) const
{
    if (m_progreso)
        m_progreso(cQue);
}

void ReporteVentas12Meses::AvisaPaso(Paso paso) const
{
    if (m_alCambiarPaso)
        m_alCambiarPaso(paso);
}

bool ReporteVentas12Meses::Cancela()
{
    if (m_bEsperandoTurno) {
        m_bCancelado = true;
        return true;
    }
    if (!m_pLlenado)
        return false;
    m_pLlenado->Cancela();
    return true;
}

void ReporteVentas12Meses::BorraTrasPerderLaSesion(const QString &cBase) const
{
    // The server was stopped or restarted under the run: the lock went with the session, the
    // table stayed. A new session drops it if it is still this run's: nobody holds the lock. A
    // server that is restarting is given the wait for a connection to come back.
    try {
        const DatosConexion &datos = m_cnnDatos.Datos();
        QElapsedTimer reloj;
        reloj.start();
        Connection nueva;
        for (;;) {
            try {
                nueva = Connection::Abre(datos);
                break;
            } catch (const HostError &error) {
                if (!SinServidor(error.Numero()) || reloj.elapsed() >= datos.esperas.nConexion * 1000LL)
                    throw;
                QThread::msleep(500);
            }
        }
        const BloqueoInforme bloqueo(nueva, cBase, 0);
        TablaDeTrabajo::Borra(nueva);
    } catch (const HostError &error) {
        if (error.Numero() == CodigoErrorHost::InformeEnCurso)
            return; // another run has begun: the table is already its own
        MuestraError(m_mensajes,
                     HostError(error.Numero(), QStringLiteral("No se pudo borrar la tabla de trabajo %1 tras perder la "
                                                              "conexión con el servidor (%2); la borrará el próximo "
                                                              "informe.")
                                                   .arg(TablaDeTrabajo::cNombre, error.Descripcion())));
    }
}

QDate ReporteVentas12Meses::Fecha(const QString &cTexto, const QString &cQue) const
{
    const QDate dFecha = QDate::fromString(cTexto.trimmed(), m_objetos.Nucleo().FormatoFecha());
    if (!dFecha.isValid())
        throw HostError(CodigoErrorHost::TipoNoCoincide,
                        QStringLiteral("La %1 «%2» no es una fecha válida").arg(cQue, cTexto));
    return dFecha;
}

ReporteVentas12Meses::Resultado ReporteVentas12Meses::Ejecuta(const FiltrosInforme &filtros)
{
    const QDate dInicial = Fecha(filtros.cFechaInicial, QStringLiteral("fecha inicial"));
    const QDate dFinal = Fecha(filtros.cFechaFinal, QStringLiteral("fecha final"));
    if (!Periodo::Prueba(dInicial, dFinal, m_mensajes))
        return Resultado::PeriodoRechazado;

    const Disponibilidad boton(m_alCambiarDisponibilidad);
    LimpiaParametrosRpt(m_parametros);
    m_columnas = Periodo::Columnas(dInicial, dFinal, m_objetos.Utilidades(), m_localeMeses);
    for (const MonthColumn &columna : m_columnas)
        m_parametros.Formulas[columna.nPosicion - 1] = columna.cEtiqueta;

    if (m_bAImpresora) {
        m_parametros.Propiedad15 = qint32(DestinoRpt::Impresora);
        m_parametros.Propiedad30 = QStringList{m_cImpresora};
        m_parametros.Propiedad24 = qint16(m_nCopias);
        m_parametros.Propiedad48 = m_cPaginas;
    } else if (!m_cArchivoSalida.isEmpty()) {
        m_parametros.Propiedad15 = qint32(DestinoRpt::Archivo); // of the kind its extension names
        m_parametros.Propiedad12 = m_cArchivoSalida;
    }

    // Another run on the same database: this one waits its turn, saying so, as long as the
    // settings' wait for locks allows.
    const QString cBase = m_objetos.Bases().cMiBase;
    m_bCancelado = false;
    const auto esperaTurno = [&](int) {
        if (!std::exchange(m_bEsperandoTurno, true)) {
            Avisa(QStringLiteral("esperando a que termine otro informe en la base de datos %1").arg(cBase));
            AvisaPaso(Paso::EsperandoTurno);
        }
        QEventLoop pausa;
        QTimer::singleShot(50, &pausa, &QEventLoop::quit); // a turn is taken soon after it is freed
        pausa.exec();
        return !m_bCancelado;
    };
    const auto finDeEspera = qScopeGuard([this] { m_bEsperandoTurno = false; });
    BloqueoInforme bloqueo(m_cnnDatos, cBase, m_objetos.Bases().esperas.nBloqueos, esperaTurno);
    m_bEsperandoTurno = false;
    if (!bloqueo.Obtenido())
        return Resultado::Cancelado;
    Avisa(QStringLiteral("calculando las ventas de %1").arg(Cuenta(qsizetype(m_columnas.size()), "mes", "meses")));
    TablaDeTrabajo::DetieneLlenadosHuerfanos(m_cnnDatos);
    TablaDeTrabajo::Recrea(m_cnnDatos);
    // The table and the lock go as soon as the report has read its rows, before anybody looks
    // at a preview, so that other reports on the database need not wait for that person;
    // and however the operation ends, no half-filled table stays behind. Dropped under the
    // lock: once it is freed the name may already belong to another run's table.
    bool bTablaTerminada = false;
    const auto terminaConLaTabla = [&] {
        if (std::exchange(bTablaTerminada, true))
            return;
        try {
            TablaDeTrabajo::Borra(m_cnnDatos);
        } catch (const HostError &error) {
            if (m_cnnDatos.EstaAbierta()) // the next run drops it; the failure that ended this one is shown
                qWarning("No se pudo borrar la tabla de trabajo: %s", error.what());
            else
                BorraTrasPerderLaSesion(cBase);
        }
        bloqueo.Libera();
    };
    const auto alTerminar = qScopeGuard(terminaConLaTabla);
    const FiltroVentas filtro = FiltroVentas::Construye(filtros, m_objetos, m_cnnDatos, m_nMonedaUSD);
    const NombresDeFiltros nombres = NombresDeFiltros::Busca(filtros, m_objetos, m_cnnDatos);
    for (const NombresDeFiltros::Formula &formula : nombres.formulas)
        m_parametros.Formulas[formula.nRanura] = formula.cTexto;
    if (m_alDesconocerFiltro) {
        for (const QString &cDesconocido : nombres.desconocidos)
            m_alDesconocerFiltro(cDesconocido);
    }
    AvisaPaso(Paso::LlenandoTabla);
    if (m_bLlenadoAparte) {
        // The table and the lock stay with this connection; only the long statement goes apart.
        TrabajoEnOtroHilo llenado(m_cnnDatos.Datos());
        m_pLlenado = &llenado;
        const auto olvida = qScopeGuard([this] { m_pLlenado = nullptr; });
        if (!llenado.Ejecuta(
                [&](Connection &cnnLlenado) { m_nClientes = TablaDeTrabajo::Llena(cnnLlenado, filtro, m_columnas); }))
            return Resultado::Cancelado;
    } else {
        m_nClientes = TablaDeTrabajo::Llena(m_cnnDatos, filtro, m_columnas);
    }

    // The report job tells the user of its own failures and always returns.
    Avisa(QStringLiteral("generando el informe de %1").arg(Cuenta(m_nClientes, "cliente", "clientes")));
    AvisaPaso(Paso::LeyendoDatos);
    m_parametros.ArchivoRpt = ArchivosPrograma::ArchivoInforme(m_cCarpetaPrograma);
    ImprimeRpt(QString(), QStringLiteral("ventas12meses*") + TablaDeTrabajo::cNombre, m_parametros, m_control,
               m_objetos, m_mensajes, [&] {
                   terminaConLaTabla();
                   AvisaPaso(Paso::ArmandoInforme);
               });
    return Resultado::Terminado;
}
