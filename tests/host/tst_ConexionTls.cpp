// Connections to a server that accepts only encrypted ones (require_secure_transport=ON): a
// second private MariaDB server of the test's own, on 127.0.0.1 only, with a certificate
// authority and a server certificate made here by openssl. Without TLS the failure says that
// the server asks for it and which settings to set; with TLS and the authority that signed the
// server's certificate the session is encrypted; with another authority it is refused.

#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "BaseDePrueba.h"
#include "Connection.h"
#include "HostError.h"

class tst_ConexionTls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void Conecta_data();
    void Conecta();

private:
    bool Corre(const QString &cPrograma, const QStringList &argumentos, const QProcessEnvironment &entorno = {});
    QProcessEnvironment EntornoDelServidor() const;

    QTemporaryDir m_carpeta;
    int m_nPuerto = 0;
    bool m_bArrancado = false;
    QString m_cSalida;
};

bool tst_ConexionTls::Corre(const QString &cPrograma, const QStringList &argumentos, const QProcessEnvironment &entorno)
{
    QProcess proceso;
    proceso.setWorkingDirectory(m_carpeta.path());
    if (!entorno.isEmpty())
        proceso.setProcessEnvironment(entorno);
    proceso.setProcessChannelMode(QProcess::MergedChannels);
    proceso.start(cPrograma, argumentos);
    const bool bBien =
        proceso.waitForFinished(120000) && proceso.exitStatus() == QProcess::NormalExit && proceso.exitCode() == 0;
    m_cSalida = QString::fromUtf8(proceso.readAll());
    return bBien;
}

QProcessEnvironment tst_ConexionTls::EntornoDelServidor() const
{
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("ALMENA_MARIADB_DIR"), m_carpeta.filePath(QStringLiteral("servidor")));
    entorno.insert(QStringLiteral("ALMENA_MARIADB_PUERTO"), QString::number(m_nPuerto));
    entorno.insert(QStringLiteral("ALMENA_MARIADB_OPCIONES"),
                   QStringLiteral("--ssl-cert=%1 --ssl-key=%2 --ssl-ca=%3 --require-secure-transport=ON "
                                  "--innodb-buffer-pool-size=16M --innodb-log-file-size=8M")
                       .arg(m_carpeta.filePath(QStringLiteral("servidor.pem")),
                            m_carpeta.filePath(QStringLiteral("servidor-clave.pem")),
                            m_carpeta.filePath(QStringLiteral("ca.pem"))));
    entorno.insert(QStringLiteral("ALMENA_MARIADB_CLIENTE"), QStringLiteral("--ssl"));
    return entorno;
}

void tst_ConexionTls::initTestCase()
{
    QVERIFY(m_carpeta.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty())
        QSKIP("Falta openssl (paquete openssl)");
    // Beside the test command's own server, whose port each developer's copy sets apart.
    m_nPuerto = BaseDePrueba::Servidor().nPuerto + 12;

    // The authority, a server certificate it signs for 127.0.0.1, and an authority that
    // signed nothing of this server.
    const QString cDias = QStringLiteral("2");
    for (const QString &cCa : {QStringLiteral("ca"), QStringLiteral("otra-ca")})
        QVERIFY2(
            Corre(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"), cDias,
                   QStringLiteral("-subj"), QStringLiteral("/CN=Autoridad de prueba ") + cCa, QStringLiteral("-keyout"),
                   cCa + QStringLiteral("-clave.pem"), QStringLiteral("-out"), cCa + QStringLiteral(".pem")}),
            qPrintable(m_cSalida));
    QVERIFY2(
        Corre(QStringLiteral("openssl"),
              {QStringLiteral("req"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"), QStringLiteral("-nodes"),
               QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-keyout"),
               QStringLiteral("servidor-clave.pem"), QStringLiteral("-out"), QStringLiteral("servidor.csr")}),
        qPrintable(m_cSalida));
    QFile extension(m_carpeta.filePath(QStringLiteral("san.cnf")));
    QVERIFY(extension.open(QIODevice::WriteOnly) && extension.write("subjectAltName=IP:127.0.0.1\n") > 0);
    extension.close();
    QVERIFY2(Corre(QStringLiteral("openssl"),
                   {QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
                    QStringLiteral("servidor.csr"), QStringLiteral("-CA"), QStringLiteral("ca.pem"),
                    QStringLiteral("-CAkey"), QStringLiteral("ca-clave.pem"), QStringLiteral("-CAcreateserial"),
                    QStringLiteral("-days"), cDias, QStringLiteral("-extfile"), QStringLiteral("san.cnf"),
                    QStringLiteral("-out"), QStringLiteral("servidor.pem")}),
             qPrintable(m_cSalida));

    m_bArrancado = true; // stopped at the end even if it did not quite start
    QVERIFY2(Corre(QStringLiteral("bash"),
                   {QStringLiteral(RAIZ "/scripts/mariadb-privado.sh"), QStringLiteral("start")}, EntornoDelServidor()),
             qPrintable(m_cSalida));
}

void tst_ConexionTls::cleanupTestCase()
{
    if (m_bArrancado &&
        !Corre(QStringLiteral("bash"), {QStringLiteral(RAIZ "/scripts/mariadb-privado.sh"), QStringLiteral("stop")},
               EntornoDelServidor()))
        qWarning("No se pudo detener el servidor con TLS de la prueba: %s", qPrintable(m_cSalida));
}

void tst_ConexionTls::Conecta_data()
{
    // clang-format off
    QTest::addColumn<bool>("bServidorTls"); // or the test command's server, which has no TLS
    QTest::addColumn<QString>("cPassword");
    QTest::addColumn<bool>("bTls");
    QTest::addColumn<QString>("cCA");      // a file of the test's folder
    QTest::addColumn<int>("nFalla");       // 0: the session opens, and is encrypted
    QTest::addColumn<QString>("cMotivo");
    QTest::newRow("sin TLS: dice que el servidor lo pide") << true << "" << false << "" << 1045 << "solo acepta conexiones cifradas (TLS)";
    QTest::newRow("TLS con la autoridad del servidor") << true << "" << true << "ca.pem" << 0 << "";
    QTest::newRow("TLS con otra autoridad: rechazada") << true << "" << true << "otra-ca.pem" << 2026 << "certificate";
    // A wrong password is a wrong password, on a server with TLS or without it.
    QTest::newRow("contraseña equivocada, servidor con TLS") << true << "no-es-esta" << false << "" << 1045 << "Access denied";
    QTest::newRow("contraseña equivocada, servidor sin TLS") << false << "no-es-esta" << false << "" << 1045 << "Access denied";
    // clang-format on
}

void tst_ConexionTls::Conecta()
{
    QFETCH(bool, bServidorTls);
    QFETCH(QString, cPassword);
    QFETCH(bool, bTls);
    QFETCH(QString, cCA);
    QFETCH(int, nFalla);
    QFETCH(QString, cMotivo);
    DatosConexion datos = BaseDePrueba::Servidor();
    if (bServidorTls) {
        datos.cServidor = QStringLiteral("127.0.0.1");
        datos.nPuerto = m_nPuerto;
        datos.cUsuario = QStringLiteral("root");
        datos.cPassword.clear();
    }
    if (!cPassword.isEmpty())
        datos.cPassword = cPassword;
    datos.cifrado.bTls = bTls;
    if (!cCA.isEmpty())
        datos.cifrado.cCA = m_carpeta.filePath(cCA);
    try {
        Connection cnn = Connection::Abre(datos);
        QCOMPARE(nFalla, 0);
        QSqlQuery consulta(cnn.Base());
        QVERIFY(consulta.exec(QStringLiteral("SHOW SESSION STATUS LIKE 'Ssl_version'")) && consulta.next());
        QVERIFY2(consulta.value(1).toString().startsWith(QStringLiteral("TLS")),
                 qPrintable(consulta.value(1).toString()));
    } catch (const HostError &error) {
        QVERIFY2(nFalla != 0, qPrintable(error.Descripcion()));
        QCOMPARE(error.Numero(), nFalla);
        QVERIFY2(error.Descripcion().contains(cMotivo), qPrintable(error.Descripcion()));
        QVERIFY2(cPassword.isEmpty() || !error.Descripcion().contains(QStringLiteral("TLS")),
                 qPrintable(error.Descripcion()));
    }
}

QTEST_MAIN(tst_ConexionTls)
#include "tst_ConexionTls.moc"
