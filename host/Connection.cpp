#include "Connection.h"

#include <QAtomicInteger>
#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

#include "HostError.h"
#include "Recordset.h"

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
constexpr int nAccesoDenegado = 1045;
// MySQL's answer to a connection without TLS when it requires TLS (ER_SECURE_TRANSPORT_REQUIRED);
// MariaDB 10.11 answers such a connection with 1045 instead, as if the password were wrong.
constexpr int nRequiereTls = 3159;

bool SeCortoLaSesion(int nNumero)
{
    return nNumero == nServidorSeFue || nNumero == nConexionPerdida || nNumero == nCerradaPorInactividad;
}

int NumeroDe(const QSqlError &error)
{
    bool bNumero = false;
    const int nNumero = error.nativeErrorCode().toInt(&bNumero);
    return bNumero ? nNumero : 0;
}

const QString cPideTls = QStringLiteral(
    "El servidor de la base de datos solo acepta conexiones cifradas (TLS): ponga «TLS=sí» y en «CA» el "
    "archivo del certificado de la autoridad que firmó el del servidor, en la sección [TLS] del archivo de "
    "configuración");

// The options of a QMYSQL connection: its waits and, with TLS, the authority that the server's
// certificate must chain to (the client library checks the chain whenever it is given one).
QString OpcionesDe(const DatosConexion &datos, const QString &cCA)
{
    QString cOpciones =
        QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1;MYSQL_OPT_READ_TIMEOUT=%2;MYSQL_OPT_WRITE_TIMEOUT=%2")
            .arg(datos.esperas.nConexion)
            .arg(datos.esperas.nRespuesta);
    if (!cCA.isEmpty())
        cOpciones += QStringLiteral(";SSL_CA=") + cCA;
    return cOpciones;
}

// Whether a server that refused a connection without TLS as a wrong account (1045) takes the
// same account with TLS: then the account was not the cause. The trial connection checks no
// certificate (there is no authority to check it with) and is closed at once. A server
// without TLS refuses it (2026), one whose account is wrong refuses it again.
bool PideTls(const QSqlDatabase &rechazada, const DatosConexion &datos)
{
    static QAtomicInteger<int> nSiguiente = 0;
    const QString cNombre = QStringLiteral("tls%1").arg(++nSiguiente);
    bool bPide = false;
    {
        QSqlDatabase prueba = QSqlDatabase::cloneDatabase(rechazada, cNombre);
        // A cipher list is the one TLS option of Qt's driver that needs no authority.
        prueba.setConnectOptions(OpcionesDe(datos, {}) + QStringLiteral(";SSL_CIPHER=DEFAULT"));
        bPide = prueba.open();
        prueba.close();
    }
    QSqlDatabase::removeDatabase(cNombre);
    return bPide;
}

} // namespace

struct Connection::Estado
{
    QString cNombre;
    DatosConexion datos;
    int nRetenciones = 0;
    ~Estado()
    {
        if (!cNombre.isEmpty()) {
            QSqlDatabase::database(cNombre, false).close();
            QSqlDatabase::removeDatabase(cNombre);
        }
    }
};

void LanzaErrorBase(const QSqlError &error, const Esperas *pEsperas, bool bConectando, qint64 nMilisegundos)
{
    const int nNumero = NumeroDe(error);
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

Connection Connection::Abre(const DatosConexion &datos)
{
    static QAtomicInteger<int> nSiguiente = 0;
    const QString cNombre = QStringLiteral("cnn%1").arg(++nSiguiente);

    Connection cnn;
    cnn.d = std::make_shared<Estado>();
    QSqlDatabase base = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), cNombre);
    cnn.d->cNombre = cNombre;
    cnn.d->datos = datos;
    if (!base.isValid())
        throw HostError(CodigoErrorHost::ErrorBaseDeDatos,
                        QStringLiteral("El controlador QMYSQL de Qt no está instalado (paquete libqt6sql6-mysql)"));
    base.setHostName(datos.cServidor);
    base.setPort(datos.nPuerto);
    base.setUserName(datos.cUsuario);
    base.setPassword(datos.cPassword);
    base.setDatabaseName(datos.cBase);
    cnn.Reabre();
    return cnn;
}

void Connection::Reabre()
{
    QSqlDatabase base = QSqlDatabase::database(d->cNombre, false);
    base.close();
    const Esperas &esperas = d->datos.esperas;
    // A server that stops answering (a stopped process, a dead network) would otherwise keep
    // the program waiting for ever; one that holds a lock, up to its own day-long limit.
    base.setConnectOptions(OpcionesDe(d->datos, d->datos.cifrado.bTls ? d->datos.cifrado.cCA : QString()));
    if (!base.open()) {
        const QSqlError error = base.lastError();
        if (NumeroDe(error) == nAccesoDenegado && !d->datos.cifrado.bTls && PideTls(base, d->datos))
            throw HostError(nAccesoDenegado, QStringLiteral("%1 (%2)").arg(cPideTls, error.databaseText().trimmed()));
        LanzaErrorBase(error, &esperas, true);
    }
    QSqlQuery sesion(base);
    if (!sesion.exec(
            QStringLiteral("set session lock_wait_timeout=%1, innodb_lock_wait_timeout=%1").arg(esperas.nBloqueos)))
        LanzaErrorBase(sesion.lastError(), &esperas);
}

bool Connection::EstaAbierta() const
{
    return d && QSqlDatabase::database(d->cNombre, false).isOpen();
}

void Connection::Cierra()
{
    d.reset();
}

void Connection::RetieneSesion()
{
    if (d)
        ++d->nRetenciones;
}

void Connection::SueltaSesion()
{
    if (d && d->nRetenciones > 0)
        --d->nRetenciones;
}

QSqlDatabase Connection::Base() const
{
    if (!EstaAbierta())
        throw HostError(CodigoErrorHost::ObjetoCerrado,
                        QStringLiteral("La conexión con la base de datos no está abierta"));
    return QSqlDatabase::database(d->cNombre, false);
}

const DatosConexion &Connection::Datos() const
{
    if (!d)
        throw HostError(CodigoErrorHost::ObjetoCerrado,
                        QStringLiteral("La conexión con la base de datos no está abierta"));
    return d->datos;
}

QString Connection::Escapa(const QString &cTexto) const
{
    QSqlField campo(QString(), QMetaType(QMetaType::QString));
    campo.setValue(cTexto);
    const QString cLiteral = Base().driver()->formatValue(campo);
    if (cLiteral.size() < 2 || !cLiteral.startsWith(QLatin1Char('\'')) || !cLiteral.endsWith(QLatin1Char('\'')))
        throw HostError(CodigoErrorHost::ErrorBaseDeDatos, QStringLiteral("El controlador no pudo escapar un texto"));
    return cLiteral.mid(1, cLiteral.size() - 2);
}

Recordset Connection::Execute(const QString &cSql, const QString &cTablaNuevasFilas)
{
    for (bool bReabierta = false;; bReabierta = true) {
        const QSqlDatabase base = Base();
        QSqlQuery consulta(base);
        consulta.setForwardOnly(true);
        consulta.setNumericalPrecisionPolicy(QSql::HighPrecision); // decimals arrive exact, as text
        QElapsedTimer reloj;
        reloj.start();
        if (consulta.exec(cSql))
            return consulta.isSelect() ? Recordset::DeConsulta(base, std::move(consulta), cTablaNuevasFilas)
                                       : Recordset();
        const QSqlError error = consulta.lastError();
        const bool bSesionCortada = SeCortoLaSesion(NumeroDe(error));
        if (bSesionCortada && d->nRetenciones > 0) {
            // What the session held is gone with it: the connection counts as closed, so that
            // nobody tries to undo in it what the server has already thrown away.
            consulta = QSqlQuery();
            QSqlDatabase::database(d->cNombre, false).close();
        }
        if (bReabierta || d->nRetenciones > 0 || !bSesionCortada)
            LanzaErrorBase(error, &d->datos.esperas, false, reloj.elapsed());
        // The server restarted, or closed the session while the window sat idle: nothing the
        // program needs lived in it, so a new one takes its place.
        consulta = QSqlQuery();
        Reabre();
    }
}
