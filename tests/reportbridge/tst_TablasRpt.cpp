// The scan of a report file for its tables: driver names found byte by byte, overlapping
// windows, the ".rpt" suffix, and the failures that end a scan.

#include <QtTest>

#include "BytesRpt.h"
#include "HostError.h"
#include "TablasRpt.h"

class tst_TablasRpt : public QObject
{
    Q_OBJECT
private slots:
    void lee_data();
    void lee();
    void extrae_data();
    void extrae();
    void sufijo_data();
    void sufijo();
    void archivoIlegible();

private:
    QTemporaryDir m_carpeta;
};

void tst_TablasRpt::lee_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("archivo");
    QTest::addColumn<QStringList>("tablas");
    QTest::addColumn<int>("falla"); // number of the failure; 0: none

    const QByteArray cEquis60(60, 'x');
    QTest::newRow("archivo vacío") << QByteArray() << QStringList() << 0;
    QTest::newRow("PD sin controlador") << Bytes("cabecera|PD|PDF|pd.dll|a|b|") << QStringList() << 0;
    QTest::newRow("una tabla ODBC") << Bytes("cab|pdsodbc.dll|Almena Reportes|reportes.ventas12meses|fin")
                                    << QStringList{"M reportes.ventas12meses"} << 0;
    QTest::newRow("en mayúsculas") << Bytes("PDSODBC.DLL|Almena Reportes|Reportes.Ventas|")
                                   << QStringList{"M Reportes.Ventas"} << 0;
    QTest::newRow("letras mezcladas") << Bytes("pDsOdBc.DlL|AR|r.t|") << QStringList{"M r.t"} << 0;
    QTest::newRow("tabla DAO") << Bytes("pdbdao.dll|datos.mdb|clientes|") << QStringList{"A clientes"} << 0;
    QTest::newRow("pdbdao con el .dll de otro") << Bytes("pdsodbc.dll|pdbdao|r.t|") << QStringList{"A r.t"} << 0;
    QTest::newRow("ODBC seguida de cerca por una DAO") << Bytes("pdsodbc.dll|AR|r.uno||pdbdao.dll|d.mdb|dos|")
                                                      << QStringList{"A r.uno", "A dos"} << 0;
    QTest::newRow("dos tablas en orden") << Bytes("pdsodbc.dll|AR|r.uno||pdsodbc.dll|AR|r.dos|")
                                         << QStringList{"M r.uno", "M r.dos"} << 0;
    QTest::newRow("PD perdido delante") << Bytes("xPDx|pdsodbc.dll|AR|r.t|") << QStringList{"M r.t", "M r.t"} << 0;
    QTest::newRow("PD perdido a más de 60 bytes") << Bytes("PD") + cEquis60 + Bytes("pdsodbc.dll|AR|r.t|")
                                                  << QStringList{"M r.t"} << 0;
    QTest::newRow("controlador sin .dll") << Bytes("pdsodbc|AR|r.t|") << QStringList() << 0;
    QTest::newRow("controlador a más de 60 bytes del .dll") << Bytes("pdsodbc") + cEquis60 + Bytes(".dll|AR|r.t|")
                                                            << QStringList() << 0;
    QTest::newRow("P al final del archivo") << Bytes("pdsodbc.dll|AR|r.t|P") << QStringList{"M r.t"} << 0;
    QTest::newRow("ventana al final, NUL en el último byte") << Bytes("xx|pdsodbc.dll|AR|r.t|")
                                                             << QStringList{"M r.t"} << 0;
    QTest::newRow("archivo acaba en la ubicación") << Bytes("pdsodbc.dll|AR|r.t") << QStringList() << 5;
    QTest::newRow("archivo acaba en el .dll") << Bytes("pdsodbc.dll") << QStringList() << 5;
    QTest::newRow("un solo campo tras el .dll") << Bytes("pdsodbc.dll|r.t|") << QStringList() << 5;
    QTest::newRow("sin ningún NUL") << Bytes("pdsodbc.dll") + cEquis60 << QStringList() << 5;
    QTest::newRow("ubicación más allá de la ventana") << Bytes("pdsodbc.dll|AR|") + cEquis60 + Bytes("|")
                                                      << QStringList() << 5;
    QTest::newRow("tabla buena y luego una rota") << Bytes("pdsodbc.dll|AR|r.t||pdsodbc.dll|AR|r.u")
                                                  << QStringList() << 5;
    // clang-format on
}

void tst_TablasRpt::lee()
{
    QFETCH(QByteArray, archivo);
    QFETCH(QStringList, tablas);
    QFETCH(int, falla);
    QString cArchivo = m_carpeta.filePath(QStringLiteral("informe.rpt"));
    EscribeBytes(cArchivo, archivo);

    QStringList leidas;
    int nFalla = 0;
    int nTablas = -1;
    try {
        nTablas = LeeTablasRpt(cArchivo, leidas);
    } catch (const HostError &error) {
        nFalla = error.Numero();
    }
    QCOMPARE(nFalla, falla);
    if (falla == 0) {
        QCOMPARE(leidas, tablas);
        QCOMPARE(nTablas, tablas.size());
    }
}

void tst_TablasRpt::extrae_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("ventana");
    QTest::addColumn<QString>("tabla");

    QTest::newRow("sin .dll") << Bytes("pdsodbc|AR|r.t|") << "";
    QTest::newRow("terminador que no es NUL") << Bytes("pdsodbc.dllXAR|r.t|") << "M r.t";
    QTest::newRow("campo saltado vacío") << Bytes("pdsodbc.dll||r.t|") << "M r.t";
    QTest::newRow("ubicación vacía") << Bytes("pdsodbc.dll|AR||") << "M ";
    QTest::newRow("sin base en la ubicación") << Bytes("pdsodbc.dll|AR|ventas12meses|") << "M ventas12meses";
    QTest::newRow("byte de 8 bits") << Bytes("pdsodbc.dll|AR|r.a\xf1o|") << QString::fromUtf8("M r.año");
    // clang-format on
}

void tst_TablasRpt::extrae()
{
    QFETCH(QByteArray, ventana);
    QFETCH(QString, tabla);
    QCOMPARE(ExtraeTabla(ventana), tabla);
}

void tst_TablasRpt::sufijo_data()
{
    // clang-format off
    QTest::addColumn<QString>("ruta");
    QTest::addColumn<QString>("leida");

    QTest::newRow("sin sufijo") << "informe" << "informe.rpt";
    QTest::newRow("con sufijo") << "informe.rpt" << "informe.rpt";
    QTest::newRow("en mayúsculas") << "INFORME.RPT" << "INFORME.RPT";
    QTest::newRow("en medio") << "informe.rpt.bak" << "informe.rpt.bak";
    QTest::newRow("en la carpeta") << "viejos.Rpt/informe" << "viejos.Rpt/informe";
    QTest::newRow("otra extensión") << "informe.txt" << "informe.txt.rpt";
    // clang-format on
}

// A file that does not exist has no tables and is not created by the scan.
void tst_TablasRpt::sufijo()
{
    QFETCH(QString, ruta);
    QFETCH(QString, leida);
    const QTemporaryDir carpeta;
    QString cArchivo = carpeta.filePath(ruta);
    QStringList tablas{QStringLiteral("de antes")};

    QCOMPARE(LeeTablasRpt(cArchivo, tablas), 0);
    QCOMPARE(cArchivo, carpeta.filePath(leida));
    QCOMPARE(tablas, QStringList());
    QVERIFY(!QFileInfo::exists(cArchivo));
}

void tst_TablasRpt::archivoIlegible()
{
    QString cCarpeta = m_carpeta.filePath(QStringLiteral("carpeta.rpt"));
    QVERIFY(QDir().mkdir(cCarpeta));
    QStringList tablas;
    try {
        LeeTablasRpt(cCarpeta, tablas);
        QFAIL("se leyó una carpeta");
    } catch (const HostError &error) {
        QCOMPARE(error.Numero(), CodigoErrorHost::ErrorDeAccesoArchivo);
        QVERIFY2(error.Descripcion().contains(cCarpeta), qPrintable(error.Descripcion()));
    }
}

QTEST_GUILESS_MAIN(tst_TablasRpt)
#include "tst_TablasRpt.moc"
