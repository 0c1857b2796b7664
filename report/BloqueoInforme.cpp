#include "BloqueoInforme.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QScopeGuard>

#include <utility>

#include "HostError.h"
#include "Recordset.h"
#include "TablaDeTrabajo.h"

QString BloqueoInforme::NombreDelBloqueo(const QString &cBase)
{
    const QString cNombre = cBase + QLatin1Char('.') + TablaDeTrabajo::cNombre;
    if (cNombre.size() <= 64) // the server's limit for lock names
        return cNombre;
    return TablaDeTrabajo::cNombre + QLatin1Char('.') +
           QString::fromLatin1(QCryptographicHash::hash(cBase.toUtf8(), QCryptographicHash::Md5).toHex());
}

BloqueoInforme::BloqueoInforme(Connection &cnn, const QString &cBase, int nSegundos, const AlEsperar &alEsperar)
    : m_cnn(cnn), m_cNombre(NombreDelBloqueo(cBase))
{
    // Tries that do not wait on the server, and between them the caller's pause, in which it
    // says that the run waits and may give up (a person's Cancelar, a signal): one long wait
    // on the server would let it do neither.
    const auto intenta = [this](int nEspera) {
        Recordset rs =
            m_cnn.Execute(QStringLiteral("select get_lock('%1', %2)").arg(m_cnn.Escapa(m_cNombre)).arg(nEspera));
        return !rs.FinDeFilas() && rs.Campo(0).toInt() == 1;
    };
    QElapsedTimer reloj;
    reloj.start();
    bool bObtenido = intenta(0);
    while (!bObtenido) {
        const int nEsperados = int(reloj.elapsed() / 1000);
        if (nEsperados >= nSegundos)
            break;
        if (!alEsperar) {
            bObtenido = intenta(qMin(1, nSegundos - nEsperados));
            continue;
        }
        if (!alEsperar(nEsperados)) {
            m_cNombre.clear();
            return;
        }
        bObtenido = intenta(0);
    }
    if (bObtenido) {
        m_cnn.RetieneSesion(); // the lock lives in this session: losing it is no longer harmless
        return;
    }
    m_cNombre.clear();
    throw HostError(CodigoErrorHost::InformeEnCurso,
                    QStringLiteral("Otro informe se está generando en la base de datos %1 y no terminó en %2 s. "
                                   "Espere a que termine e intente de nuevo.")
                        .arg(cBase)
                        .arg(nSegundos));
}

BloqueoInforme::~BloqueoInforme()
{
    Libera();
}

void BloqueoInforme::Libera()
{
    const QString cNombre = std::exchange(m_cNombre, QString());
    if (cNombre.isEmpty())
        return;
    // Still retained: a session lost by now took the lock with it, and opening a new one just
    // to free it would only keep the user waiting.
    const auto suelta = qScopeGuard([this] { m_cnn.SueltaSesion(); });
    if (!m_cnn.EstaAbierta())
        return;
    try {
        m_cnn.Execute(QStringLiteral("select release_lock('%1')").arg(m_cnn.Escapa(cNombre)));
    } catch (const HostError &error) {
        // The server frees the lock with the session anyway; say why it could not be freed now.
        qWarning("No se pudo liberar el bloqueo %s: %s", qPrintable(cNombre), error.what());
    }
}
