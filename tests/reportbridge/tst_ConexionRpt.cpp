// The connection text that the report logs on with, and the values that must go in braces.

#include <QtTest>

#include "ConexionRpt.h"

class tst_ConexionRpt : public QObject
{
    Q_OBJECT
private slots:
    void texto_data();
    void texto();
    void otrosValores();
};

void tst_ConexionRpt::texto_data()
{
    // clang-format off
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("texto");

    QTest::newRow("normal") << "secreto" << "SERVER=127.0.0.1;DB=datos1;UID=root;PWD=secreto;";
    QTest::newRow("vacía") << "" << "SERVER=127.0.0.1;DB=datos1;UID=root;PWD=;";
    QTest::newRow("con ;") << "p;x" << "SERVER=127.0.0.1;DB=datos1;UID=root;PWD={p;x};";
    QTest::newRow("con llaves") << "p;x}y" << "SERVER=127.0.0.1;DB=datos1;UID=root;PWD={p;x}}y};";
    QTest::newRow("llave de apertura") << "{abc" << "SERVER=127.0.0.1;DB=datos1;UID=root;PWD={{abc};";
    QTest::newRow("solo una llave de cierre") << "}" << "SERVER=127.0.0.1;DB=datos1;UID=root;PWD={}}};";
    QTest::newRow("= y espacios sin llaves") << "a=b c" << "SERVER=127.0.0.1;DB=datos1;UID=root;PWD=a=b c;";
    // clang-format on
}

// Server, database and user are quoted like the password.
void tst_ConexionRpt::otrosValores()
{
    QCOMPARE(
        ArmaTextoConexion(QStringLiteral("h;1"), QStringLiteral("b{x}"), QStringLiteral("u;"), QStringLiteral("p")),
        QStringLiteral("SERVER={h;1};DB={b{x}}};UID={u;};PWD=p;"));
}

void tst_ConexionRpt::texto()
{
    QFETCH(QString, password);
    QFETCH(QString, texto);
    QCOMPARE(ArmaTextoConexion(QStringLiteral("127.0.0.1"), QStringLiteral("datos1"), QStringLiteral("root"), password),
             texto);
}

QTEST_GUILESS_MAIN(tst_ConexionRpt)
#include "tst_ConexionRpt.moc"
