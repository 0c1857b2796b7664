#include "BloqueoInforme.h"

#include <QCryptographicHash>
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

BloqueoInforme::BloqueoInforme(Connection &cnn, const QString &cBase, int nSegundos)
    : m_cnn(cnn), m_cNombre(NombreDelBloqueo(cBase))
{
    Recordset rs =
        m_cnn.Execute(QStringLiteral("select get_lock('%1', %2)").arg(m_cnn.Escapa(m_cNombre)).arg(nSegundos));
    if (!rs.FinDeFilas() && rs.Campo(0).toInt() == 1) {
        m_cnn.RetieneSesion(); // the lock lives in this session: losing it is no longer harmless
        return;
    }
    m_cNombre.clear();
    throw HostError(CodigoErrorHost::InformeEnCurso,
                    QStringLiteral("Otro informe se está generando en la base de datos %1. Espere a que termine "
                                   "e intente de nuevo.")
                        .arg(cBase));
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
