#pragma once

#include <QLocale>

#include <functional>
#include <vector>

#include "FiltrosInforme.h"
#include "Periodo.h"

class Connection;
class ControlReporte;
class Mensajes;
class ObjetosPrograma;
class TrabajoEnOtroHilo;
struct ParametrosRpt;

// The twelve-month sales report operation: the period test, the month columns and their
// labels in the report request, then the working table and the report job.
class ReporteVentas12Meses
{
public:
    enum class Resultado { PeriodoRechazado, Terminado, Cancelado };
    // What a run is doing, for a window that shows it; only the first step may be cancelled.
    enum class Paso { EsperandoTurno, LlenandoTabla, LeyendoDatos, ArmandoInforme };

    // cCarpetaPrograma: the program's folder, where the report file lies.
    ReporteVentas12Meses(const ObjetosPrograma &objetos, Connection &cnnDatos, qint16 nMonedaUSD,
                         ParametrosRpt &parametros, ControlReporte &control, const QString &cCarpetaPrograma,
                         Mensajes &mensajes);

    // Where the report goes: the preview window unless a file (.pdf, .csv or .xlsx) or a printer is
    // named; each of the two calls undoes the other.
    void setArchivoSalida(const QString &cArchivo);
    // To a printer: cImpresora empty for the system's default one, nCopias 1 to 999, cPaginas
    // empty for every page, "N" or "N-M". The report control checks them as the job starts.
    void setImpresora(const QString &cImpresora, int nCopias = 1, const QString &cPaginas = {});
    // Told what the operation is doing, for long runs.
    void setProgreso(std::function<void(const QString &)> aviso) { m_progreso = std::move(aviso); }

    // Told of each filter whose value its table does not have ("el cliente X no existe en la
    // tabla clientes"), once the run has the lock; the report's header says so as well.
    void setAlDesconocerFiltro(std::function<void(const QString &)> aviso) { m_alDesconocerFiltro = std::move(aviso); }

    // Called with false once the period is accepted, and with true when the operation ends,
    // whether it succeeded or failed (the window disables and enables its button).
    void setAlCambiarDisponibilidad(std::function<void(bool)> aviso) { m_alCambiarDisponibilidad = std::move(aviso); }
    void setLocaleDeMeses(const QLocale &locale) { m_localeMeses = locale; }
    // Called as each step begins, on the caller's thread; it must not throw.
    void setAlCambiarPaso(std::function<void(Paso)> aviso) { m_alCambiarPaso = std::move(aviso); }

    // For a window: the fill runs on a thread and a connection of its own while the caller's
    // events are processed, so that the window keeps painting and Cancela can stop it. Without
    // it (the batch mode) the fill runs on the operation's connection, on the caller's thread.
    void setLlenadoAparte(bool bAparte) { m_bLlenadoAparte = bAparte; }
    // From a handler of the caller's events while the run waits its turn (another run holds
    // the database's lock): the wait ends and Ejecuta answers Cancelado. While the fill runs
    // apart: stops its statement on the server, and Ejecuta then drops the table, frees the
    // lock and answers Cancelado. False, and nothing done, in any other step (the report control's reading and layout,
    // on the caller's thread, have no point to stop at). A failure to reach the server is thrown; the run is cancelled
    // all the same once the fill ends.
    bool Cancela();

    // Runs the operation. A refused period is answered without touching anything else;
    // a failure is thrown as a HostError; a cancelled run leaves nothing behind either.
    Resultado Ejecuta(const FiltrosInforme &filtros);

    const std::vector<MonthColumn> &Columnas() const { return m_columnas; }
    int Clientes() const { return m_nClientes; } // rows of the last working table

private:
    QDate Fecha(const QString &cTexto, const QString &cQue) const;
    void Avisa(const QString &cQue) const;
    void AvisaPaso(Paso paso) const;

    const ObjetosPrograma &m_objetos;
    Connection &m_cnnDatos;
    qint16 m_nMonedaUSD;
    ParametrosRpt &m_parametros;
    ControlReporte &m_control;
    QString m_cCarpetaPrograma;
    Mensajes &m_mensajes;
    QString m_cArchivoSalida;
    bool m_bAImpresora = false;
    QString m_cImpresora;
    int m_nCopias = 1;
    QString m_cPaginas;
    std::function<void(const QString &)> m_progreso;
    std::function<void(const QString &)> m_alDesconocerFiltro;
    std::function<void(bool)> m_alCambiarDisponibilidad;
    std::function<void(Paso)> m_alCambiarPaso;
    bool m_bLlenadoAparte = false;
    void BorraTrasPerderLaSesion(const QString &cBase) const;

    TrabajoEnOtroHilo *m_pLlenado = nullptr; // while the fill runs apart
    bool m_bEsperandoTurno = false;
    bool m_bCancelado = false;
    QLocale m_localeMeses = Periodo::LocaleDeMeses();
    std::vector<MonthColumn> m_columnas;
    int m_nClientes = 0;
};
