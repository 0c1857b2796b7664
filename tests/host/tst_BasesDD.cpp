// The database object against the private test server: connections, recordsets, new rows,
// sums and the filling of list controls.

#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "BasesDDDePrueba.h"
#include "Falla.h"
#include "HostError.h"
#include "ListaDeDatos.h"

namespace {

// A list for calls that must fail before they fill one.
struct ListaSinFilas : ListaDeDatos
{
    void LlenaCon(Recordset &) override { QFAIL("no debía llenarse"); }
};

// A TCP port of this machine where nothing listens.
int PuertoLibre()
{
    const int nSocket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (nSocket < 0)
        return 0;
    sockaddr_in direccion{};
    direccion.sin_family = AF_INET;
    direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    direccion.sin_port = 0; // the system chooses
    socklen_t nLargo = sizeof direccion;
    int nPuerto = 0;
    if (::bind(nSocket, reinterpret_cast<sockaddr *>(&direccion), sizeof direccion) == 0 &&
        ::getsockname(nSocket, reinterpret_cast<sockaddr *>(&direccion), &nLargo) == 0)
        nPuerto = ntohs(direccion.sin_port);
    ::close(nSocket);
    return nPuerto;
}

// A loopback relay to the test server that, when told, answers the client's next command with
// a server error of the given number and closes the session, as a server does that ends an
// idle session (MySQL from 8.0.24 says so with 4031 before closing; older ones only close).
class ServidorQueCorta
{
public:
    explicit ServidorQueCorta(int nPuertoReal) : m_nPuertoReal(nPuertoReal)
    {
        m_nEscucha = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in direccion = Direccion(0);
        socklen_t nLargo = sizeof direccion;
        if (m_nEscucha < 0 || ::bind(m_nEscucha, reinterpret_cast<sockaddr *>(&direccion), sizeof direccion) != 0 ||
            ::listen(m_nEscucha, 8) != 0 ||
            ::getsockname(m_nEscucha, reinterpret_cast<sockaddr *>(&direccion), &nLargo) != 0)
            return;
        m_nPuerto = ntohs(direccion.sin_port);
        m_hilo = std::thread([this] { Atiende(); });
    }
    ~ServidorQueCorta()
    {
        m_bTermina = true;
        if (m_hilo.joinable())
            m_hilo.join();
        for (int nSocket : m_sockets)
            ::close(nSocket);
        if (m_nEscucha >= 0)
            ::close(m_nEscucha);
    }
    int Puerto() const { return m_nPuerto; }
    void CortaConError(int nNumero) { m_nError = nNumero; }

private:
    static sockaddr_in Direccion(int nPuerto)
    {
        sockaddr_in direccion{};
        direccion.sin_family = AF_INET;
        direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        direccion.sin_port = htons(quint16(nPuerto));
        return direccion;
    }
    // Sockets in pairs: the client's at an even place, the server's beside it.
    void Atiende()
    {
        while (!m_bTermina) {
            std::vector<pollfd> vigilados{{m_nEscucha, POLLIN, 0}};
            for (int nSocket : m_sockets)
                vigilados.push_back({nSocket, POLLIN, 0});
            if (::poll(vigilados.data(), vigilados.size(), 50) <= 0)
                continue;
            if (vigilados[0].revents & POLLIN) {
                const int nCliente = ::accept(m_nEscucha, nullptr, nullptr);
                const int nServidor = ::socket(AF_INET, SOCK_STREAM, 0);
                const sockaddr_in real = Direccion(m_nPuertoReal);
                if (nCliente >= 0 && nServidor >= 0 &&
                    ::connect(nServidor, reinterpret_cast<const sockaddr *>(&real), sizeof real) == 0) {
                    m_sockets.push_back(nCliente);
                    m_sockets.push_back(nServidor);
                }
                continue;
            }
            for (std::size_t i = 0; i < m_sockets.size(); ++i) {
                if (!(vigilados[i + 1].revents & (POLLIN | POLLHUP)))
                    continue;
                const bool bDelCliente = i % 2 == 0;
                char datos[65536];
                const ssize_t nLeidos = ::read(m_sockets[i], datos, sizeof datos);
                const int nError = bDelCliente ? m_nError.exchange(0) : 0;
                if (nLeidos > 0 && nError == 0) {
                    (void)!::write(m_sockets[bDelCliente ? i + 1 : i - 1], datos, std::size_t(nLeidos));
                    continue;
                }
                if (nLeidos > 3 && nError != 0) {
                    // The error packet follows the command's own sequence number.
                    const QByteArray cMensaje = QByteArrayLiteral("The client was disconnected by the server because "
                                                                  "of inactivity.");
                    QByteArray paquete = QByteArray(1, char(0xff)) + char(nError & 0xff) + char(nError >> 8) +
                                         QByteArrayLiteral("#HY000") + cMensaje;
                    paquete.prepend(char(datos[3] + 1));
                    paquete.prepend(QByteArray(1, char(paquete.size() - 1)) + char(0) + char(0));
                    (void)!::write(m_sockets[i], paquete.constData(), std::size_t(paquete.size()));
                }
                const std::size_t nPar = i - i % 2;
                ::close(m_sockets[nPar]);
                ::close(m_sockets[nPar + 1]);
                m_sockets.erase(m_sockets.begin() + qsizetype(nPar), m_sockets.begin() + qsizetype(nPar) + 2);
                break;
            }
        }
    }

    int m_nPuertoReal;
    int m_nEscucha = -1;
    int m_nPuerto = 0;
    std::vector<int> m_sockets;
    std::atomic<int> m_nError = 0;
    std::atomic<bool> m_bTermina = false;
    std::thread m_hilo;
};

} // namespace

using AccionConRecordset = std::function<void(Recordset &)>;
using AccionConConexion = std::function<void(BasesDD &, Connection &)>;
Q_DECLARE_METATYPE(AccionConRecordset)
Q_DECLARE_METATYPE(AccionConConexion)

class tst_BasesDD : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void abrirBdD();
    void abrirBdDFalla_data();
    void abrirBdDFalla();

    void abrirTabla_data();
    void abrirTabla();
    void abrirTablaSentenciaFallida_data();
    void abrirTablaSentenciaFallida();
    void filaNueva_data();
    void filaNueva();
    void conListaDeCamposNoAdmiteFilas();
    void abrirDosVecesReemplaza_data();
    void abrirDosVecesReemplaza();
    void cierraTablaNuncaAbierta();
    void recordsetCerrado_data();
    void recordsetCerrado();

    void sum_data();
    void sum();

    void conexionCerrada_data();
    void conexionCerrada();
    void sesionPerdida_data();
    void sesionPerdida();

private:
    // The database object pointed at the test server; cnn opened on the test database.
    BasesDD &Bases() { return m_prueba->Bases(); }
    void Abre(Connection &cnn) { m_prueba->Abre(cnn); }
    QStringList Columna(const QString &cFuente, const QString &cCampo);

    std::unique_ptr<BasesDDDePrueba> m_prueba;
};

void tst_BasesDD::init()
{
    m_prueba = std::make_unique<BasesDDDePrueba>();
}

void tst_BasesDD::cleanup()
{
    m_prueba.reset();
}

// The values of one field over the rows of a source, read through a connection of its own.
QStringList tst_BasesDD::Columna(const QString &cFuente, const QString &cCampo)
{
    Connection cnn;
    Abre(cnn);
    Recordset rs;
    QStringList valores;
    for (Bases().AbrirTabla(rs, cnn, cFuente, cCampo); !rs.FinDeFilas(); rs.Siguiente())
        valores << (rs.Campo(0).isNull() ? QStringLiteral("(nulo)") : rs.Campo(0).toString());
    return valores;
}

void tst_BasesDD::abrirBdD()
{
    Connection cnn;
    Abre(cnn);
    QVERIFY(cnn.EstaAbierta());
    {
        Recordset rs;
        QVERIFY(Bases().AbrirTabla(rs, cnn, QStringLiteral("lineas where ID = 1"), QStringLiteral("Linea")));
        QCOMPARE(rs.Campo(0).toString(), QStringLiteral("Ferretería"));
    }
    Bases().CierraBdD(cnn);
    QVERIFY(!cnn.EstaAbierta());
}

void tst_BasesDD::abrirBdDFalla_data()
{
    // clang-format off
    QTest::addColumn<bool>("sinServidor"); // a port where nothing listens; otherwise a missing database
    QTest::addColumn<QList<int>>("numeros");
    QTest::addColumn<QString>("texto");    // a part of the description

    QTest::newRow("base inexistente") << false << QList<int>{1049} << "Unknown database";
    QTest::newRow("puerto sin servidor") << true << QList<int>{2002, 2003} << "Can't connect";
    // clang-format on
}

void tst_BasesDD::abrirBdDFalla()
{
    QFETCH(bool, sinServidor);
    QFETCH(QList<int>, numeros);
    QFETCH(QString, texto);
    Connection cnn;
    Abre(cnn); // an open connection that the failed opening must not leave behind
    QString cBase = m_prueba->base.Nombre();
    if (sinServidor) {
        const int nPuerto = PuertoLibre();
        QVERIFY(nPuerto > 0);
        Bases().cPuerto = QString::number(nPuerto);
    } else {
        cBase += QStringLiteral("_no_existe");
    }

    QElapsedTimer reloj;
    reloj.start();
    const std::optional<Falla> falla = FallaDe([&] { Bases().AbrirBdD(cnn, cBase); });
    QVERIFY2(falla, "se abrió");
    QVERIFY2(reloj.elapsed() < 5000, qPrintable(QStringLiteral("tardó %1 ms").arg(reloj.elapsed())));
    QVERIFY2(numeros.contains(falla->nNumero), qPrintable(QStringLiteral("número %1").arg(falla->nNumero)));
    QVERIFY2(falla->cDescripcion.contains(texto), qPrintable(falla->cDescripcion));
    if (!sinServidor)
        QVERIFY2(falla->cDescripcion.contains(cBase), qPrintable(falla->cDescripcion));
    QVERIFY(!cnn.EstaAbierta());
}

void tst_BasesDD::abrirTabla_data()
{
    // clang-format off
    QTest::addColumn<QString>("fuente");
    QTest::addColumn<QString>("campos");
    QTest::addColumn<QVariant>("id");    // of the first row; none when no row matches
    QTest::addColumn<QString>("linea");

    QTest::newRow("coincide") << "lineas where ID = 1" << "ID, Linea" << QVariant(1) << "Ferretería";
    QTest::newRow("sin lista de campos") << "lineas where Linea like 'Material%'" << "" << QVariant(2)
                                         << "Material eléctrico";
    QTest::newRow("orden") << "lineas order by Linea desc" << "ID, Linea" << QVariant(3) << "Plomería";
    QTest::newRow("no coincide") << "lineas where ID = 99" << "ID, Linea" << QVariant() << "";
    QTest::newRow("no coincide, sin lista") << "lineas where 1 = 0" << "" << QVariant() << "";
    // clang-format on
}

void tst_BasesDD::abrirTabla()
{
    QFETCH(QString, fuente);
    QFETCH(QString, campos);
    QFETCH(QVariant, id);
    QFETCH(QString, linea);
    Connection cnn;
    Abre(cnn);
    Recordset rs;
    const bool bHayFila = Bases().AbrirTabla(rs, cnn, fuente, campos);
    QCOMPARE(bHayFila, id.isValid());
    QCOMPARE(rs.FinDeFilas(), !bHayFila);
    if (bHayFila) {
        QCOMPARE(rs.Campo(QStringLiteral("ID")), id);
        QCOMPARE(rs.Campo(QStringLiteral("linea")).toString(), linea); // names without regard to case
        QCOMPARE(rs.Campo(0), id);
        QCOMPARE(rs.Campo(1).toString(), linea);
    } else {
        QCOMPARE(NumeroDeFalla([&] { rs.Campo(QStringLiteral("Linea")); }), CodigoErrorHost::SinFilaActual);
        QCOMPARE(NumeroDeFalla([&] { rs.Campo(0); }), CodigoErrorHost::SinFilaActual);
        QCOMPARE(NumeroDeFalla([&] { rs.Siguiente(); }), CodigoErrorHost::SinFilaActual);
    }
}

void tst_BasesDD::abrirTablaSentenciaFallida_data()
{
    // clang-format off
    QTest::addColumn<QString>("fuente");
    QTest::addColumn<QString>("campos");
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("nombre"); // named in the description

    QTest::newRow("tabla inexistente") << "no_existe" << "" << 1146 << "no_existe";
    QTest::newRow("tabla inexistente con campos") << "no_existe where ID = 1" << "ID" << 1146 << "no_existe";
    QTest::newRow("campo inexistente") << "lineas" << "Precio" << 1054 << "Precio";
    QTest::newRow("sintaxis") << "lineas where" << "" << 1064 << "";
    // clang-format on
}

void tst_BasesDD::abrirTablaSentenciaFallida()
{
    QFETCH(QString, fuente);
    QFETCH(QString, campos);
    QFETCH(int, numero);
    QFETCH(QString, nombre);
    Connection cnn;
    Abre(cnn);
    Recordset rs;
    QVERIFY(Bases().AbrirTabla(rs, cnn, QStringLiteral("lineas"))); // open before the failure
    const std::optional<Falla> falla = FallaDe([&] { Bases().AbrirTabla(rs, cnn, fuente, campos); });
    QVERIFY2(falla, "no falló");
    QCOMPARE(falla->nNumero, numero);
    QVERIFY2(falla->cDescripcion.contains(nombre), qPrintable(falla->cDescripcion));
    QVERIFY(!rs.EstaAbierto()); // not the rows of the earlier opening
    QVERIFY(cnn.EstaAbierta());
}

void tst_BasesDD::filaNueva_data()
{
    // clang-format off
    QTest::addColumn<QString>("fuente");
    QTest::newRow("tabla") << "articulos";
    QTest::newRow("sin filas") << "articulos where 1 = 0";
    QTest::newRow("con orden") << "articulos   order by ID desc";
    QTest::newRow("salto de línea") << "articulos\nwhere Nombre = 'Clavos'";
    QTest::newRow("comillas invertidas") << "`articulos` where ID > 0";
    // clang-format on
}

void tst_BasesDD::filaNueva()
{
    QFETCH(QString, fuente);
    m_prueba->base.Ejecuta(QStringLiteral("create table articulos (ID int auto_increment primary key, "
                                          "Nombre varchar(60) not null default '', Existencia int not null default 5, "
                                          "Linea int default 1, Alta date null);"
                                          "insert into articulos (Nombre) values ('Clavos')"));
    Connection cnn;
    Abre(cnn);
    Recordset rs;
    Bases().AbrirTabla(rs, cnn, fuente);
    rs.AgregaFila();
    rs.AsignaCampo(QStringLiteral("Nombre"), QStringLiteral("Llave de paso ½\" ñandú"));
    rs.AsignaCampo(QStringLiteral("Linea"), 3);
    rs.GuardaFila();
    QVERIFY(!rs.FinDeFilas());

    QCOMPARE(Columna(QStringLiteral("articulos order by ID"), QStringLiteral("Nombre")),
             QStringList({QStringLiteral("Clavos"), QStringLiteral("Llave de paso ½\" ñandú")}));
    const QString cNueva = QStringLiteral("articulos where ID = 2");
    QCOMPARE(Columna(cNueva, QStringLiteral("Linea")), QStringList{QStringLiteral("3")});
    QCOMPARE(Columna(cNueva, QStringLiteral("Existencia")), QStringList{QStringLiteral("5")});
    QCOMPARE(Columna(cNueva, QStringLiteral("Alta")), QStringList{QStringLiteral("(nulo)")});
}

void tst_BasesDD::conListaDeCamposNoAdmiteFilas()
{
    Connection cnn;
    Abre(cnn);
    Recordset rs;
    Bases().AbrirTabla(rs, cnn, QStringLiteral("lineas"), QStringLiteral("ID, Linea"));
    const std::optional<Falla> falla = FallaDe([&] {
        rs.AgregaFila();
        rs.AsignaCampo(QStringLiteral("ID"), 9);
        rs.AsignaCampo(QStringLiteral("Linea"), QStringLiteral("Pinturas"));
        rs.GuardaFila();
    });
    QVERIFY2(falla, "aceptó la fila nueva");
    QVERIFY(falla->nNumero != 0);
    QVERIFY2(falla->cDescripcion.contains(QStringLiteral("filas nuevas")), qPrintable(falla->cDescripcion));
    QCOMPARE(Columna(QStringLiteral("lineas where ID = 9"), QStringLiteral("Linea")), QStringList());
}

void tst_BasesDD::abrirDosVecesReemplaza_data()
{
    // clang-format off
    QTest::addColumn<QString>("segunda");
    QTest::addColumn<QStringList>("lineas"); // what the recordset gives after the second opening

    QTest::newRow("otra fila") << "lineas where ID = 2" << QStringList{QStringLiteral("Material eléctrico")};
    QTest::newRow("dos filas") << "lineas where ID >= 2 order by ID"
                               << QStringList{QStringLiteral("Material eléctrico"), QStringLiteral("Plomería")};
    QTest::newRow("ninguna fila") << "lineas where ID = 99" << QStringList();
    // clang-format on
}

void tst_BasesDD::abrirDosVecesReemplaza()
{
    QFETCH(QString, segunda);
    QFETCH(QStringList, lineas);
    Connection cnn;
    Abre(cnn);
    Recordset rs;
    QVERIFY(Bases().AbrirTabla(rs, cnn, QStringLiteral("lineas where ID = 1"), QStringLiteral("Linea")));
    QCOMPARE(Bases().AbrirTabla(rs, cnn, segunda, QStringLiteral("Linea")), !lineas.isEmpty());
    QStringList leidas;
    for (; !rs.FinDeFilas(); rs.Siguiente())
        leidas << rs.Campo(QStringLiteral("Linea")).toString();
    QCOMPARE(leidas, lineas);
}

void tst_BasesDD::cierraTablaNuncaAbierta()
{
    Recordset rs;
    QCOMPARE(NumeroDeFalla([&] { Bases().CierraTabla(rs); }), 0);
    QVERIFY(!rs.EstaAbierto());
    QCOMPARE(NumeroDeFalla([&] { Bases().CierraTabla(rs); }), 0);
}

void tst_BasesDD::recordsetCerrado_data()
{
    // clang-format off
    QTest::addColumn<bool>("cierraLaConexion"); // instead of the recordset
    QTest::addColumn<AccionConRecordset>("accion");

    const QList<std::pair<const char *, AccionConRecordset>> acciones = {
        {"FinDeFilas", [](Recordset &rs) { rs.FinDeFilas(); }},
        {"Siguiente", [](Recordset &rs) { rs.Siguiente(); }},
        {"Campo por nombre", [](Recordset &rs) { rs.Campo(QStringLiteral("Linea")); }},
        {"Campo por posición", [](Recordset &rs) { rs.Campo(1); }},
        {"NumeroDeCampos", [](Recordset &rs) { rs.NumeroDeCampos(); }},
        {"AgregaFila", [](Recordset &rs) { rs.AgregaFila(); }},
    };
    for (const auto &[cNombre, accion] : acciones) {
        QTest::addRow("CierraTabla, %s", cNombre) << false << accion;
        QTest::addRow("CierraBdD, %s", cNombre) << true << accion;
    }
    // clang-format on
}

void tst_BasesDD::recordsetCerrado()
{
    QFETCH(bool, cierraLaConexion);
    QFETCH(AccionConRecordset, accion);
    Connection cnn;
    Abre(cnn);
    Recordset rs;
    QVERIFY(Bases().AbrirTabla(rs, cnn, QStringLiteral("lineas")));
    if (cierraLaConexion)
        Bases().CierraBdD(cnn);
    else
        Bases().CierraTabla(rs);
    QVERIFY(!rs.EstaAbierto());
    QCOMPARE(NumeroDeFalla([&] { accion(rs); }), CodigoErrorHost::ObjetoCerrado);
}

void tst_BasesDD::sum_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("importes");
    QTest::addColumn<QString>("condicion");
    QTest::addColumn<double>("esperado");

    QTest::newRow("decimales") << QStringList{"3.10", "3.05", "4.10"} << "" << 10.25;
    QTest::newRow("muchos centavos") << QStringList(10, QStringLiteral("0.10")) << "" << 1.0;
    QTest::newRow("con negativos") << QStringList{"100.50", "-0.25", "-90.00"} << "" << 10.25;
    QTest::newRow("con nulos") << QStringList{"5.25", "null", "5.00"} << "" << 10.25;
    QTest::newRow("filtrado") << QStringList{"1.00", "2.00", "4.00"} << "where Importe > 1.5" << 6.0;
    QTest::newRow("ninguna fila elegida") << QStringList{"1.00"} << "where Importe > 100" << 0.0;
    QTest::newRow("tabla vacía") << QStringList() << "" << 0.0;
    QTest::newRow("solo nulos") << QStringList{"null"} << "" << 0.0;
    // clang-format on
}

void tst_BasesDD::sum()
{
    QFETCH(QStringList, importes);
    QFETCH(QString, condicion);
    QFETCH(double, esperado);
    m_prueba->base.Ejecuta(
        QStringLiteral("create table ventas (ID int auto_increment primary key, Importe decimal(12,2))"));
    for (const QString &cImporte : importes)
        m_prueba->base.Ejecuta(QStringLiteral("insert into ventas (Importe) values (%1)").arg(cImporte));
    Connection cnn;
    Abre(cnn);
    QString cFuente = QStringLiteral("ventas ") + condicion;
    QCOMPARE(Bases().Sum(cnn, cFuente, QStringLiteral("Importe")), esperado);
}

void tst_BasesDD::conexionCerrada_data()
{
    // clang-format off
    QTest::addColumn<bool>("abiertaAntes"); // opened and closed again; otherwise never opened
    QTest::addColumn<AccionConConexion>("accion");

    const QList<std::pair<const char *, AccionConConexion>> acciones = {
        {"AbrirTabla", [](BasesDD &bases, Connection &cnn) {
             Recordset rs;
             bases.AbrirTabla(rs, cnn, QStringLiteral("lineas"));
         }},
        {"AbrirTabla con campos", [](BasesDD &bases, Connection &cnn) {
             Recordset rs;
             bases.AbrirTabla(rs, cnn, QStringLiteral("lineas"), QStringLiteral("ID"));
         }},
        {"AbrirDataSource", [](BasesDD &bases, Connection &cnn) {
             Recordset rs;
             ListaSinFilas lista;
             bases.AbrirDataSource(rs, cnn, QStringLiteral("lineas"), &lista);
         }},
        {"Sum", [](BasesDD &bases, Connection &cnn) {
             QString cFuente = QStringLiteral("lineas");
             bases.Sum(cnn, cFuente, QStringLiteral("ID"));
         }},
    };
    for (const auto &[cNombre, accion] : acciones) {
        QTest::addRow("%s, nunca abierta", cNombre) << false << accion;
        QTest::addRow("%s, ya cerrada", cNombre) << true << accion;
    }
    // clang-format on
}

void tst_BasesDD::conexionCerrada()
{
    QFETCH(bool, abiertaAntes);
    QFETCH(AccionConConexion, accion);
    Connection cnn;
    if (abiertaAntes) {
        Abre(cnn);
        Bases().CierraBdD(cnn);
    }
    QCOMPARE(NumeroDeFalla([&] { accion(Bases(), cnn); }), CodigoErrorHost::ObjetoCerrado);
}

// The server ends the session (as when it restarts): the next statement opens a new one and
// goes on, unless the session held something a new one would not have.
void tst_BasesDD::sesionPerdida_data()
{
    // clang-format off
    QTest::addColumn<bool>("retenida");
    QTest::addColumn<int>("aviso");         // the error the server sends as it closes; 0 it only closes
    QTest::addColumn<QList<int>>("fallas"); // the numbers it may fail with; none: it goes on
    QTest::newRow("sin nada que perder se reabre") << false << 0 << QList<int>();
    QTest::newRow("con un bloqueo es una falla") << true << 0 << QList<int>{2006, 2013};
    QTest::newRow("cerrada por inactividad con aviso (4031), se reabre") << false << 4031 << QList<int>();
    QTest::newRow("cerrada por inactividad con aviso (4031) y un bloqueo") << true << 4031 << QList<int>{4031};
    // clang-format on
}

void tst_BasesDD::sesionPerdida()
{
    QFETCH(bool, retenida);
    QFETCH(int, aviso);
    QFETCH(QList<int>, fallas);
    ServidorQueCorta servidor(m_prueba->base.Datos().nPuerto);
    QVERIFY(servidor.Puerto() > 0);
    if (aviso != 0)
        Bases().cPuerto = QString::number(servidor.Puerto());
    Connection cnn;
    Abre(cnn);
    if (retenida)
        cnn.RetieneSesion();
    if (aviso != 0) {
        servidor.CortaConError(aviso);
    } else {
        Connection otra;
        Abre(otra);
        otra.Execute(
            QStringLiteral("kill %1").arg(cnn.Execute(QStringLiteral("select connection_id()")).Campo(0).toString()));
    }

    Recordset rs;
    const std::optional<Falla> falla =
        FallaDe([&] { Bases().AbrirTabla(rs, cnn, QStringLiteral("lineas where ID = 1"), QStringLiteral("Linea")); });
    if (fallas.isEmpty()) {
        QVERIFY2(!falla, qPrintable(falla ? falla->cDescripcion : QString()));
        QCOMPARE(rs.Campo(0).toString(), QStringLiteral("Ferretería"));
    } else {
        QVERIFY(falla);
        QVERIFY2(fallas.contains(falla->nNumero), qPrintable(QString::number(falla->nNumero)));
        // Closed at once, not left without an answer: the message says the server closed it.
        QVERIFY2(falla->cDescripcion.startsWith(QStringLiteral("Se perdió la conexión con el servidor")),
                 qPrintable(falla->cDescripcion));
    }
}

QTEST_MAIN(tst_BasesDD)
#include "tst_BasesDD.moc"
