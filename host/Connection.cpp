#include "Connection.h"

#include <QAtomicInteger>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

#include "HostError.h"
#include "Recordset.h"

struct Connection::Estado
{
    QString cNombre;
    ~Estado()
    {
        if (!cNombre.isEmpty()) {
            QSqlDatabase::database(cNombre, false).close();
            QSqlDatabase::removeDatabase(cNombre);
        }
    }
};

void LanzaErrorBase(const QSqlError &error, const QString &cContexto)
{
    bool bNumero = false;
    const int nNumero = error.nativeErrorCode().toInt(&bNumero);
    QString cTexto = error.databaseText().trimmed();
    if (cTexto.isEmpty())
        cTexto = error.driverText().trimmed();
    if (!cContexto.isEmpty())
        cTexto += QStringLiteral(" (%1)").arg(cContexto);
    throw HostError(bNumero && nNumero != 0 ? nNumero : ErrorHost::ErrorBaseDeDatos, cTexto);
}

Connection Connection::Abre(const DatosConexion &datos)
{
    static QAtomicInteger<int> nSiguiente = 0;
    const QString cNombre = QStringLiteral("cnn%1").arg(++nSiguiente);

    Connection cnn;
    cnn.d = std::make_shared<Estado>();
    QSqlDatabase base = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), cNombre);
    cnn.d->cNombre = cNombre;
    if (!base.isValid())
        throw HostError(ErrorHost::ErrorBaseDeDatos,
                        QStringLiteral("El controlador QMYSQL de Qt no está instalado (paquete libqt6sql6-mysql)"));
    base.setHostName(datos.cServidor);
    base.setPort(datos.nPuerto);
    base.setUserName(datos.cUsuario);
    base.setPassword(datos.cPassword);
    base.setDatabaseName(datos.cBase);
    base.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=10"));
    if (!base.open())
        LanzaErrorBase(base.lastError());
    return cnn;
}

bool Connection::EstaAbierta() const
{
    return d && QSqlDatabase::database(d->cNombre, false).isOpen();
}

void Connection::Cierra()
{
    d.reset();
}

QSqlDatabase Connection::Base() const
{
    if (!EstaAbierta())
        throw HostError(ErrorHost::ObjetoCerrado, QStringLiteral("La conexión con la base de datos no está abierta"));
    return QSqlDatabase::database(d->cNombre, false);
}

QString Connection::Escapa(const QString &cTexto) const
{
    QSqlField campo(QString(), QMetaType(QMetaType::QString));
    campo.setValue(cTexto);
    const QString cLiteral = Base().driver()->formatValue(campo);
    if (cLiteral.size() < 2 || !cLiteral.startsWith(QLatin1Char('\'')) || !cLiteral.endsWith(QLatin1Char('\'')))
        throw HostError(ErrorHost::ErrorBaseDeDatos, QStringLiteral("El controlador no pudo escapar un texto"));
    return cLiteral.mid(1, cLiteral.size() - 2);
}

Recordset Connection::Execute(const QString &cSql, const QString &cTablaNuevasFilas)
{
    const QSqlDatabase base = Base();
    QSqlQuery consulta(base);
    consulta.setForwardOnly(true);
    consulta.setNumericalPrecisionPolicy(QSql::HighPrecision); // decimals arrive exact, as text
    if (!consulta.exec(cSql))
        LanzaErrorBase(consulta.lastError());
    if (!consulta.isSelect())
        return {};
    return Recordset::DeConsulta(base, std::move(consulta), cTablaNuevasFilas);
}
