#pragma once

#include <QTimer>

#include <atomic>
#include <functional>

#include "Connection.h"

// Long database work that must leave the calling thread (the window's) free to paint and to
// take a click: it runs on a thread and a connection of its own, and the person may stop it
// on the server. The connection is held like a session that keeps state (RetieneSesion): a
// session lost half way is a failure, never silently replaced by a new one that would run
// the rest of the work without what the lost one held (a transaction, session settings).
class TrabajoEnOtroHilo
{
public:
    // datos: what the work's connection opens with (those of the connection it would
    // otherwise use, so the same server, account and database).
    explicit TrabajoEnOtroHilo(const DatosConexion &datos);
    TrabajoEnOtroHilo(const TrabajoEnOtroHilo &) = delete;
    TrabajoEnOtroHilo &operator=(const TrabajoEnOtroHilo &) = delete;

    // Opens the connection on a new thread, runs trabajo on it there and waits for it to end
    // while the calling thread's events are processed. True when the work ran to its end,
    // false when it was cancelled, whatever it got to. The work's failure is thrown here, as
    // it was thrown there; after Cancela it is only logged (the person asked it to stop).
    bool Ejecuta(const std::function<void(Connection &)> &trabajo);

    // From the calling thread while Ejecuta waits (a button's handler): the statement running
    // now stops with KILL QUERY, sent from a short-lived connection of the same account, and
    // the work ends with that statement's failure; work not started yet does not start. The
    // kill is sent again every second until the work ends, in case one arrived between two
    // statements. A failure to reach the server is thrown; the work counts as cancelled all
    // the same.
    void Cancela();
    bool Cancelado() const { return m_bCancelado; }

private:
    void DetieneSentencia();

    DatosConexion m_datos;
    std::atomic<bool> m_bCancelado = false;
    std::atomic<qint64> m_nSesion = 0; // the work's session on the server while it is open
    QTimer m_insistencia;
};
