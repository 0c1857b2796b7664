#include "Connection.h"

#include <QAtomicInteger>
#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

#include "ErrorBaseDeDatos.h"
#include "HostError.h"
#include "Recordset.h"

namespace {

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
        if (NumeroDeError(error) == nAccesoDenegado && !d->datos.cifrado.bTls && PideTls(base, d->datos))
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
        const bool bSesionCortada = SeCortoLaSesion(NumeroDeError(error));
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
