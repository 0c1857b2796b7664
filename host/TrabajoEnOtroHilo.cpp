#include "TrabajoEnOtroHilo.h"

#include <QEventLoop>
#include <QThread>

#include <exception>
#include <memory>
#include <optional>

#include "HostError.h"
#include "Recordset.h"

namespace {
constexpr int nSesionDesconocida = 1094;     // ER_NO_SUCH_THREAD: the session has ended
constexpr int nSentenciaInterrumpida = 1317; // ER_QUERY_INTERRUPTED: what a KILL QUERY answers
constexpr int nMsInsistencia = 1000;
} // namespace

TrabajoEnOtroHilo::TrabajoEnOtroHilo(const DatosConexion &datos) : m_datos(datos)
{
    m_insistencia.setInterval(nMsInsistencia);
    QObject::connect(&m_insistencia, &QTimer::timeout, [this] {
        try {
            DetieneSentencia();
        } catch (const HostError &error) {
            qWarning("No se pudo detener la sentencia del trabajo cancelado: %s", error.what());
        }
    });
}

bool TrabajoEnOtroHilo::Ejecuta(const std::function<void(Connection &)> &trabajo)
{
    m_bCancelado = false;
    m_nSesion = 0;
    std::optional<HostError> falla;
    std::unique_ptr<QThread> pHilo(QThread::create([&] {
        try {
            // A QMYSQL connection belongs to the thread that opens it: opened, used and closed here.
            Connection cnn = Connection::Abre(m_datos);
            cnn.RetieneSesion();
            qint64 nSesion = 0;
            {
                Recordset rs = cnn.Execute(QStringLiteral("select connection_id()"));
                nSesion = rs.Campo(0).toLongLong();
            }
            // Published before the flag is looked at: a Cancela that comes in between either
            // sees the session and kills what runs there, or is seen here.
            m_nSesion = nSesion;
            if (!m_bCancelado)
                trabajo(cnn);
            m_nSesion = 0;
        } catch (const HostError &error) {
            m_nSesion = 0;
            falla = error;
        } catch (const std::exception &error) {
            m_nSesion = 0;
            falla = HostError(CodigoErrorHost::ErrorInterno, QString::fromLocal8Bit(error.what()));
        }
    }));
    QEventLoop espera;
    QObject::connect(pHilo.get(), &QThread::finished, &espera, &QEventLoop::quit);
    pHilo->start();
    espera.exec(); // the thread's end, posted to this thread, ends it even when it came first
    pHilo->wait();
    m_insistencia.stop();

    if (m_bCancelado) {
        if (falla && falla->Numero() != nSentenciaInterrumpida)
            qWarning("El trabajo cancelado terminó con una falla: %s", falla->what());
        return false;
    }
    if (falla)
        throw *falla;
    return true;
}

void TrabajoEnOtroHilo::Cancela()
{
    if (m_bCancelado.exchange(true))
        return;
    m_insistencia.start();
    DetieneSentencia();
}

void TrabajoEnOtroHilo::DetieneSentencia()
{
    const qint64 nSesion = m_nSesion;
    if (nSesion == 0)
        return;
    Connection cnn = Connection::Abre(m_datos);
    try {
        cnn.Execute(QStringLiteral("kill query %1").arg(nSesion));
    } catch (const HostError &error) {
        if (error.Numero() != nSesionDesconocida)
            throw;
    }
}
