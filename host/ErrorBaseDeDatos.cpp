#include "ErrorBaseDeDatos.h"

#include <QSqlError>

#include "Esperas.h"
#include "HostError.h"

namespace {

// Client error numbers of the MySQL protocol, and the server's for a lock wait.
constexpr int nSinConexionLocal = 2002;
constexpr int nSinConexion = 2003;
constexpr int nServidorDesconocido = 2005;
constexpr int nServidorSeFue = 2006;
constexpr int nConexionPerdida = 2013;
// MySQL from 8.0.24 tells a client whose idle session it closed so (ER_CLIENT_INTERACTION_TIMEOUT)
// before the client sees the closed connection itself.
constexpr int nCerradaPorInactividad = 4031;
constexpr int nBloqueoSinLiberar = 1205;
// MySQL's answer to a connection without TLS when it requires TLS (ER_SECURE_TRANSPORT_REQUIRED);
// MariaDB 10.11 answers such a connection with 1045 instead, as if the password were wrong.
constexpr int nRequiereTls = 3159;

} // namespace

bool SinServidor(int nNumero)
{
    return nNumero == nSinConexionLocal || nNumero == nSinConexion;
}

bool SeCortoLaSesion(int nNumero)
{
    return nNumero == nServidorSeFue || nNumero == nConexionPerdida || nNumero == nCerradaPorInactividad;
}

int NumeroDeError(const QSqlError &error)
{
    bool bNumero = false;
    const int nNumero = error.nativeErrorCode().toInt(&bNumero);
    return bNumero ? nNumero : 0;
}

const QString cPideTls = QStringLiteral(
    "El servidor de la base de datos solo acepta conexiones cifradas (TLS): ponga «TLS=sí» y en «CA» el "
    "archivo del certificado de la autoridad que firmó el del servidor, en la sección [TLS] del archivo de "
    "configuración");

void LanzaErrorBase(const QSqlError &error, const Esperas *pEsperas, bool bConectando, qint64 nMilisegundos)
{
    const int nNumero = NumeroDeError(error);
    QString cTexto = error.databaseText().trimmed();
    if (cTexto.isEmpty())
        cTexto = error.driverText().trimmed();
    const auto segundos = [pEsperas](int Esperas::*pEspera) {
        return pEsperas ? QStringLiteral(" en %1 s").arg(pEsperas->*pEspera) : QString();
    };
    switch (nNumero) {
    case nSinConexionLocal:
    case nSinConexion:
    case nServidorDesconocido:
        cTexto = QStringLiteral("No se pudo conectar con el servidor de la base de datos%1 (%2)")
                     .arg(segundos(&Esperas::nConexion), cTexto);
        break;
    case nServidorSeFue:
    case nConexionPerdida:
    case nCerradaPorInactividad:
        // The client library says the same when the server went silent and when it closed the
        // session (stopped, restarted, killed it): the time the statement took tells them apart.
        if (!bConectando && pEsperas && nMilisegundos >= 0 && nMilisegundos < pEsperas->nRespuesta * 1000LL - 1000)
            cTexto = QStringLiteral("Se perdió la conexión con el servidor de la base de datos: el servidor la cerró "
                                    "(se detuvo, se reinició o terminó la sesión) (%1)")
                         .arg(cTexto);
        else
            cTexto =
                QStringLiteral("El servidor de la base de datos no responde: no contestó%1 o cerró la conexión (%2)")
                    .arg(segundos(bConectando ? &Esperas::nConexion : &Esperas::nRespuesta), cTexto);
        break;
    case nRequiereTls: cTexto = QStringLiteral("%1 (%2)").arg(cPideTls, cTexto); break;
    case nBloqueoSinLiberar:
        cTexto = QStringLiteral("Otra sesión del servidor tiene bloqueados los datos que se necesitan y no los "
                                "liberó%1 (%2)")
                     .arg(segundos(&Esperas::nBloqueos), cTexto);
        break;
    default: break;
    }
    throw HostError(nNumero != 0 ? nNumero : CodigoErrorHost::ErrorBaseDeDatos, cTexto);
}
