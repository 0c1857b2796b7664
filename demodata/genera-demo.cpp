// genera-demo: loads the demo data into a MariaDB/MySQL server.
//   genera-demo [--semilla N] [--lineas N] [--clientes N] [--hasta AAAA-MM] [--base NOMBRE]
//               [--servidor 127.0.0.1] [--puerto 3407] [--usuario root] [--password ""]

#include "GeneradorDemo.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>

#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

const QString cConexion = QStringLiteral("genera-demo");

void Escribe(const QString &texto)
{
    std::fprintf(stdout, "%s\n", qUtf8Printable(texto));
    std::fflush(stdout);
}

qint64 Entero(const QCommandLineParser &parser, const QString &opcion, qint64 minimo, qint64 maximo)
{
    bool ok = false;
    const qint64 valor = parser.value(opcion).toLongLong(&ok);
    if (!ok || valor < minimo || valor > maximo)
        throw std::runtime_error(QStringLiteral("--%1 espera un número entre %2 y %3, no «%4»")
                                     .arg(opcion)
                                     .arg(minimo)
                                     .arg(maximo)
                                     .arg(parser.value(opcion))
                                     .toStdString());
    return valor;
}

QDate Mes(const QCommandLineParser &parser)
{
    if (!parser.isSet(QStringLiteral("hasta")))
        return {};
    const QDate mes =
        QDate::fromString(parser.value(QStringLiteral("hasta")) + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
    if (!mes.isValid())
        throw std::runtime_error("--hasta espera un mes AAAA-MM, no «" +
                                 parser.value(QStringLiteral("hasta")).toStdString() + "»");
    return mes;
}

int Ejecuta(const QCommandLineParser &parser)
{
    OpcionesDemo opciones;
    opciones.nSemilla = static_cast<quint32>(Entero(parser, QStringLiteral("semilla"), 0, 4294967295LL));
    opciones.nLineas = Entero(parser, QStringLiteral("lineas"), 1, 100000000);
    opciones.nClientes =
        parser.isSet(QStringLiteral("clientes")) ? Entero(parser, QStringLiteral("clientes"), 1, 10000000) : 0;
    opciones.dHasta = Mes(parser);
    opciones.cBase = parser.value(QStringLiteral("base"));
    const int puerto = static_cast<int>(Entero(parser, QStringLiteral("puerto"), 1, 65535));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), cConexion);
    if (!db.isValid())
        throw std::runtime_error("no está disponible el controlador QMYSQL de Qt (paquete libqt6sql6-mysql)");
    db.setHostName(parser.value(QStringLiteral("servidor")));
    db.setPort(puerto);
    db.setUserName(parser.value(QStringLiteral("usuario")));
    db.setPassword(parser.value(QStringLiteral("password")));
    db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=10"));
    if (!db.open())
        throw std::runtime_error(
            QStringLiteral("no se pudo conectar a %1:%2 como %3: error %4: %5")
                .arg(db.hostName())
                .arg(puerto)
                .arg(db.userName(), db.lastError().nativeErrorCode(), db.lastError().databaseText())
                .toStdString());

    Escribe(QStringLiteral("Generando %L1 partidas de factura con semilla %2 en %3:%4/%5")
                .arg(opciones.nLineas)
                .arg(opciones.nSemilla)
                .arg(db.hostName())
                .arg(puerto)
                .arg(opciones.cBase));
    QElapsedTimer reloj;
    reloj.start();
    GeneraDatosDemo(db, opciones, [&reloj](const QString &mensaje) {
        Escribe(QStringLiteral("[%1 s] %2").arg(reloj.elapsed() / 1000.0, 0, 'f', 1).arg(mensaje));
    });
    Escribe(QStringLiteral("Listo en %1 s").arg(reloj.elapsed() / 1000.0, 0, 'f', 1));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("genera-demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Carga datos de demostración (facturas y remisiones de dos años)."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("semilla"), QStringLiteral("Semilla de los datos."), QStringLiteral("N"), QStringLiteral("1")},
        {QStringLiteral("lineas"), QStringLiteral("Partidas de factura."), QStringLiteral("N"),
         QStringLiteral("20000")},
        {QStringLiteral("clientes"), QStringLiteral("Clientes (por omisión uno por cada 100 partidas)."),
         QStringLiteral("N")},
        {QStringLiteral("hasta"), QStringLiteral("Último mes con facturas (por omisión el actual)."),
         QStringLiteral("AAAA-MM")},
        {QStringLiteral("base"), QStringLiteral("Base de datos del sistema (se borra y se crea)."),
         QStringLiteral("NOMBRE"), QStringLiteral("datos1")},
        {QStringLiteral("servidor"), QStringLiteral("Servidor MariaDB/MySQL."), QStringLiteral("HOST"),
         QStringLiteral("127.0.0.1")},
        {QStringLiteral("puerto"), QStringLiteral("Puerto TCP."), QStringLiteral("N"), QStringLiteral("3407")},
        {QStringLiteral("usuario"), QStringLiteral("Usuario."), QStringLiteral("USUARIO"), QStringLiteral("root")},
        {QStringLiteral("password"), QStringLiteral("Contraseña."), QStringLiteral("CLAVE"), QString()},
    });
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "genera-demo: argumento inesperado «%s» (vea --help)\n",
                     qUtf8Printable(parser.positionalArguments().first()));
        return 1;
    }

    int resultado = 1;
    try {
        resultado = Ejecuta(parser);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "genera-demo: error: %s\n", error.what());
    }
    QSqlDatabase::removeDatabase(cConexion);
    return resultado;
}
