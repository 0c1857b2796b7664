// Loads the demo data into the test server (ALMENA_PRUEBA_SERVIDOR, _PUERTO, _USUARIO,
// _PASSWORD) and checks what the report and the benchmarks rely on.

#include "GeneradorDemo.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <stdexcept>

namespace {

const QString cConexion = QStringLiteral("prueba-demodata");
const QString cBaseA = QStringLiteral("prueba_demodata_a");
const QString cBaseB = QStringLiteral("prueba_demodata_b");
const QStringList cTablas{"clientes", "vendedores",      "lineas",     "productos",
                          "facturas", "facturasdetalle", "remisiones", "remisionesdetalle"};

} // namespace

class tst_GeneradorDemo : public QObject
{
    Q_OBJECT

private:
    QSqlDatabase db;

    QVariant Valor(const QString &sql)
    {
        QSqlQuery consulta(db);
        if (!consulta.exec(sql) || !consulta.next())
            throw std::runtime_error(("falló «" + sql + "»: " + consulta.lastError().text()).toStdString());
        return consulta.value(0);
    }

    qint64 Entero(const QString &sql) { return Valor(sql).toLongLong(); }

    // CHECKSUM TABLE of every table of a base, in a fixed order.
    QStringList Sumas(const QString &base)
    {
        QStringList sumas;
        for (const QString &tabla : cTablas) {
            QSqlQuery consulta(db);
            if (!consulta.exec(QStringLiteral("CHECKSUM TABLE `%1`.`%2`").arg(base, tabla)) || !consulta.next())
                throw std::runtime_error(consulta.lastError().text().toStdString());
            sumas << tabla + '=' + consulta.value(1).toString();
        }
        return sumas;
    }

    void Genera(quint32 semilla, qint64 lineas, QDate hasta, const QString &base)
    {
        OpcionesDemo opciones;
        opciones.nSemilla = semilla;
        opciones.nLineas = lineas;
        opciones.dHasta = hasta;
        opciones.cBase = base;
        try {
            GeneraDatosDemo(db, opciones);
        } catch (const std::exception &error) {
            QFAIL(error.what());
        }
    }

private slots:
    void initTestCase()
    {
        const QByteArray servidor = qgetenv("ALMENA_PRUEBA_SERVIDOR");
        if (servidor.isEmpty())
            QSKIP("ALMENA_PRUEBA_SERVIDOR no está definida: corra las pruebas con scripts/prueba.sh");
        db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), cConexion);
        db.setHostName(QString::fromUtf8(servidor));
        db.setPort(qEnvironmentVariableIntValue("ALMENA_PRUEBA_PUERTO"));
        db.setUserName(qEnvironmentVariable("ALMENA_PRUEBA_USUARIO"));
        db.setPassword(qEnvironmentVariable("ALMENA_PRUEBA_PASSWORD"));
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    }

    void cleanupTestCase()
    {
        if (db.isOpen()) {
            QSqlQuery(db).exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(cBaseA));
            QSqlQuery(db).exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(cBaseB));
            QSqlQuery(db).exec(QStringLiteral("DELETE FROM almenareportes.ventas12meses WHERE Cliente='PRUEBA-DEMO'"));
            db.close();
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(cConexion);
    }

    void cuentasYFechas_data()
    {
        QTest::addColumn<qint64>("lineas");
        QTest::addColumn<QDate>("hasta");
        QTest::newRow("una sola partida") << qint64(1) << QDate(2024, 2, 10);
        QTest::newRow("menos que el mínimo de clientes") << qint64(1234) << QDate(2025, 12, 31);
        QTest::newRow("veinte mil, hasta enero") << qint64(20000) << QDate(2025, 1, 1);
    }

    void cuentasYFechas()
    {
        QFETCH(qint64, lineas);
        QFETCH(QDate, hasta);
        Genera(3, lineas, hasta, cBaseA);
        const TamanoDemo tamano = TamanoParaLineas(lineas);
        const QString desde = PrimerDiaDelPeriodo(hasta).toString(Qt::ISODate);
        const QString ultimo = UltimoDiaDelPeriodo(hasta).toString(Qt::ISODate);

        QCOMPARE(Entero("SELECT COUNT(*) FROM facturasdetalle"), lineas);
        QCOMPARE(Entero("SELECT COUNT(*) FROM clientes"), tamano.nClientes);
        QCOMPARE(Entero("SELECT COUNT(*) FROM productos"), tamano.nProductos);
        QCOMPARE(Entero("SELECT COUNT(*) FROM remisiones"), tamano.nRemisiones);
        QCOMPARE(
            Entero(
                QStringLiteral("SELECT COUNT(*) FROM facturas WHERE Fecha < '%1' OR Fecha > '%2'").arg(desde, ultimo)),
            0);
        QCOMPARE(Entero(QStringLiteral("SELECT COUNT(*) FROM remisiones WHERE Fecha < '%1' OR Fecha > '%2'")
                            .arg(desde, ultimo)),
                 0);
        QCOMPARE(Entero("SELECT COUNT(*) FROM (SELECT Id FROM facturasdetalle GROUP BY Id "
                        "HAVING COUNT(*) > 7 OR MIN(Partida) <> 1 OR MAX(Partida) <> COUNT(*)) t"),
                 0);
        QCOMPARE(Entero("SELECT COUNT(*) FROM facturas f WHERE NOT EXISTS "
                        "(SELECT 1 FROM facturasdetalle d WHERE d.Id = f.Id)"),
                 0);
        QCOMPARE(Entero("SELECT COUNT(*) FROM facturasdetalle d LEFT JOIN productos p ON d.Producto = p.Clave "
                        "WHERE p.Clave IS NULL"),
                 0);
        QCOMPARE(Entero("SELECT COUNT(*) FROM facturas f LEFT JOIN clientes c ON f.Cliente = c.Clave "
                        "LEFT JOIN vendedores v ON f.Vendedor = v.Clave WHERE c.Clave IS NULL OR v.Clave IS NULL"),
                 0);
        QVERIFY(Entero("SELECT COUNT(*) FROM clientes WHERE Clave NOT IN (SELECT Cliente FROM facturas)") > 0);
    }

    void proporcionesEnVeinteMilPartidas()
    {
        Genera(11, 20000, QDate(2025, 6, 1), cBaseA);
        const double facturas = Entero("SELECT COUNT(*) FROM facturas");
        const double remisiones = Entero("SELECT COUNT(*) FROM remisiones");
        QVERIFY(qAbs(20000 / facturas - 4.0) < 0.2);
        QVERIFY(qAbs(Entero("SELECT SUM(Cancelada) FROM facturas") / facturas - 0.02) < 0.01);
        QVERIFY(qAbs(Entero("SELECT SUM(Moneda = 2) FROM remisiones") / remisiones - 0.40) < 0.05);
        QVERIFY(qAbs(Entero("SELECT SUM(Saldo > 0) FROM remisiones") / remisiones - 0.60) < 0.05);
        QVERIFY(qAbs(Entero("SELECT SUM(Cancelada) FROM remisiones") / remisiones - 0.03) < 0.015);
        QVERIFY(Entero("SELECT SUM(Cantidad <> FLOOR(Cantidad)) FROM facturasdetalle") > 0);
        QVERIFY(Entero("SELECT SUM(PrecioNeto <> FLOOR(PrecioNeto)) FROM facturasdetalle") > 0);
        QCOMPARE(Entero("SELECT COUNT(DISTINCT DATE_FORMAT(Fecha, '%Y-%m')) FROM facturas"), 24);
    }

    void mismaSemillaMismosDatos()
    {
        Genera(7, 5000, QDate(2024, 8, 1), cBaseA);
        Genera(7, 5000, QDate(2024, 8, 1), cBaseB);
        QCOMPARE(Sumas(cBaseB), Sumas(cBaseA));
        Genera(8, 5000, QDate(2024, 8, 1), cBaseB);
        QVERIFY(Sumas(cBaseB) != Sumas(cBaseA));
    }

    // Every column the report uses without a table name must exist in only one table of its join.
    void consultasDelInformeSinAmbiguedad_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("facturas por cliente y mes")
            << "SELECT Cliente, SUM(Cantidad), SUM(Cantidad*PrecioNeto), YEAR(Fecha), MONTH(Fecha), Vendedor "
               "FROM facturas LEFT JOIN facturasdetalle ON facturas.Id=facturasdetalle.Id "
               "LEFT JOIN productos ON facturasdetalle.Producto=productos.Clave "
               "WHERE Cancelada=0 GROUP BY Cliente, YEAR(Fecha), MONTH(Fecha), Vendedor";
        QTest::newRow("remisiones en dólares con saldo")
            << "SELECT SUM(Cantidad) FROM remisiones LEFT JOIN remisionesdetalle ON remisiones.Id=remisionesdetalle.Id "
               "WHERE remisiones.Moneda=2 AND Saldo>0 AND Cancelada=0 AND Cliente='C00001'";
    }

    void consultasDelInformeSinAmbiguedad()
    {
        QFETCH(QString, sql);
        Genera(1, 2000, QDate(2025, 6, 1), cBaseA);
        QSqlQuery consulta(db);
        QVERIFY2(consulta.exec(sql), qPrintable(consulta.lastError().text()));
    }

    void tablaDeVentasSeConservaYTieneSusColumnas()
    {
        Genera(1, 100, QDate(2025, 6, 1), cBaseA);
        QSqlQuery consulta(db);
        QVERIFY2(
            consulta.exec("REPLACE INTO almenareportes.ventas12meses (Cliente, Mes12Cant) VALUES ('PRUEBA-DEMO', 3)"),
            qPrintable(consulta.lastError().text()));
        Genera(1, 100, QDate(2025, 6, 1), cBaseA);
        QVERIFY2(consulta.exec("SELECT * FROM almenareportes.ventas12meses WHERE Cliente='PRUEBA-DEMO'") &&
                     consulta.next(),
                 "la carga de la demostración borró la tabla de ventas de 12 meses");
        const QSqlRecord registro = consulta.record();
        QCOMPARE(registro.count(), 26);
        QCOMPARE(registro.fieldName(1), QStringLiteral("Mes1Monto"));
        QCOMPARE(registro.fieldName(13), QStringLiteral("Mes1Cant"));
        QCOMPARE(registro.fieldName(25), QStringLiteral("TotalCantRemis"));
        QCOMPARE(consulta.value("Mes12Cant").toDouble(), 3.0);
        QCOMPARE(consulta.value("Mes1Monto").toDouble(), 0.0);
    }

    void opcionesInvalidasSeRechazan_data()
    {
        QTest::addColumn<qint64>("lineas");
        QTest::addColumn<QString>("base");
        QTest::newRow("cero partidas") << qint64(0) << cBaseA;
        QTest::newRow("nombre con espacio") << qint64(10) << "datos 1";
        QTest::newRow("nombre con comilla invertida") << qint64(10) << "datos`1";
        QTest::newRow("nombre vacío") << qint64(10) << QString();
    }

    void opcionesInvalidasSeRechazan()
    {
        QFETCH(qint64, lineas);
        QFETCH(QString, base);
        OpcionesDemo opciones;
        opciones.nLineas = lineas;
        opciones.cBase = base;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, GeneraDatosDemo(db, opciones));
    }
};

QTEST_GUILESS_MAIN(tst_GeneradorDemo)
#include "tst_GeneradorDemo.moc"
