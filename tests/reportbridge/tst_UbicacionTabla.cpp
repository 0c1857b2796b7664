// Where a report's tables are read from: the mapping text and the location rule.

#include <QtTest>

#include "HostError.h"
#include "UbicacionTabla.h"

class tst_UbicacionTabla : public QObject
{
    Q_OBJECT
private slots:
    void cambiaTabla_data();
    void cambiaTabla();
    void ubicacion_data();
    void ubicacion();
};

void tst_UbicacionTabla::cambiaTabla_data()
{
    // clang-format off
    QTest::addColumn<QString>("ubicacion");
    QTest::addColumn<QString>("tablas");
    QTest::addColumn<QString>("esperada");
    QTest::addColumn<int>("falla"); // number of the failure; 0: none

    const QString cMapeo = QStringLiteral("ventas12meses*tmpventas12meses");
    QTest::newRow("con base guardada") << "reportes.ventas12meses" << cMapeo << "empresa.tmpventas12meses" << 0;
    QTest::newRow("sin base guardada") << "ventas12meses" << cMapeo << "empresa.tmpventas12meses" << 0;
    QTest::newRow("otra tabla") << "reportes.clientes" << cMapeo << "reportes.clientes" << 0;
    QTest::newRow("letras y espacios") << "Reportes.VENTAS12MESES" << "  Ventas12Meses *  TmpVentas12Meses "
                                       << "empresa.tmpventas12meses" << 0;
    QTest::newRow("tabulador no es blanco") << "reportes.ventas12meses" << "\tventas12meses*t"
                                            << "reportes.ventas12meses" << 0;
    QTest::newRow("destino con punto") << "reportes.ventas12meses" << "ventas12meses*.tmp" << "empresa.tmp" << 0;
    QTest::newRow("destino vacío") << "reportes.ventas12meses" << "ventas12meses*" << "empresa." << 0;
    QTest::newRow("la primera gana") << "reportes.ventas12meses" << "ventas12meses*uno;VENTAS12MESES*dos"
                                     << "empresa.uno" << 0;
    QTest::newRow("segunda entrada") << "reportes.ventas12meses" << "clientes*c;ventas12meses*v" << "empresa.v" << 0;
    QTest::newRow("nombre con base") << "REPORTES.Ventas12meses" << "reportes.ventas12meses*t" << "empresa.t" << 0;
    QTest::newRow("nombre con otra base") << "otros.ventas12meses" << "reportes.ventas12meses*t"
                                          << "otros.ventas12meses" << 0;
    QTest::newRow("nombre con base y guardada sin base") << "ventas12meses" << "reportes.ventas12meses*t"
                                                         << "ventas12meses" << 0;
    QTest::newRow("; final tras coincidir") << "reportes.ventas12meses" << cMapeo + ";" << "empresa.tmpventas12meses"
                                            << 0;
    QTest::newRow("; final sin coincidir") << "reportes.clientes" << cMapeo + ";" << "reportes.clientes" << 5;
    QTest::newRow("entrada sin * antes") << "reportes.ventas12meses" << "clientes;" + cMapeo
                                         << "reportes.ventas12meses" << 5;
    QTest::newRow("un nombre sin *") << "reportes.ventas12meses" << "ventas12meses" << "reportes.ventas12meses" << 5;
    // clang-format on
}

void tst_UbicacionTabla::cambiaTabla()
{
    QFETCH(QString, ubicacion);
    QFETCH(QString, tablas);
    QFETCH(QString, esperada);
    QFETCH(int, falla);

    int nFalla = 0;
    try {
        CambiaTabla(ubicacion, tablas, QStringLiteral("empresa"));
    } catch (const HostError &error) {
        nFalla = error.Numero();
        QVERIFY2(error.Descripcion().contains(tablas), qPrintable(error.Descripcion()));
    }
    QCOMPARE(nFalla, falla);
    QCOMPARE(ubicacion, esperada);
}

void tst_UbicacionTabla::ubicacion_data()
{
    // clang-format off
    QTest::addColumn<QString>("tabla"); // as LeeTablasRpt lists it
    QTest::addColumn<QString>("archivoDatos");
    QTest::addColumn<QString>("tablas");
    QTest::addColumn<QString>("esperada");
    QTest::addColumn<int>("fallas");

    const QString cMapeo = QStringLiteral("ventas12meses*tmpventas12meses");
    QTest::newRow("mapeada") << "M reportes.ventas12meses" << "" << cMapeo << "Empresa.tmpventas12meses" << 0;
    QTest::newRow("sin mapeo") << "M reportes.ventas12meses" << "" << "" << "Empresa.ventas12meses" << 0;
    QTest::newRow("guardada sin base, mapeada") << "M ventas12meses" << "" << cMapeo << "Empresa.tmpventas12meses"
                                                << 0;
    QTest::newRow("guardada sin base, sin mapeo") << "M ventas12meses" << "" << "" << "Empresa.ventas12meses" << 0;
    QTest::newRow("sin mapeo conserva las letras") << "M Reportes.Clientes" << "" << cMapeo << "Empresa.Clientes" << 0;
    QTest::newRow("destino vacío") << "M reportes.ventas12meses" << "" << "ventas12meses*" << "Empresa." << 0;
    QTest::newRow("mapeo fallido") << "M reportes.clientes" << "" << cMapeo + ";" << "Empresa.clientes" << 1;
    QTest::newRow("DAO") << "A clientes" << "/datos/local.mdb" << cMapeo << "/datos/local.mdb" << 0;
    QTest::newRow("DAO sin archivo de datos") << "A reportes.ventas12meses" << "" << cMapeo << "" << 0;
    // clang-format on
}

void tst_UbicacionTabla::ubicacion()
{
    QFETCH(QString, tabla);
    QFETCH(QString, archivoDatos);
    QFETCH(QString, tablas);
    QFETCH(QString, esperada);
    QFETCH(int, fallas);

    int nFallas = 0;
    const QString cUbicacion =
        UbicacionTabla(tabla, archivoDatos, tablas, QStringLiteral("Empresa"), [&](const HostError &) { ++nFallas; });
    QCOMPARE(cUbicacion, esperada);
    QCOMPARE(nFallas, fallas);
}

QTEST_GUILESS_MAIN(tst_UbicacionTabla)
#include "tst_UbicacionTabla.moc"
