// The host's Windows-style paths on this machine.

#include <QtTest>

#include <optional>

#include "HostContext.h"

class tst_HostContext : public QObject
{
    Q_OBJECT
private slots:
    void rutaLocal_data();
    void rutaLocal();
};

void tst_HostContext::rutaLocal_data()
{
    QTest::addColumn<QString>("ruta");
    QTest::addColumn<QString>("esperado");

    // C: is /srv/unidad-c and D: is /srv/unidad-d/ (with a final slash); no other drive is mapped.
    QTest::newRow("carpeta del host") << "C:\\almenapremium" << "/srv/unidad-c/almenapremium";
    QTest::newRow("unidad en minúscula") << "c:\\almenapremium" << "/srv/unidad-c/almenapremium";
    QTest::newRow("subcarpetas") << "C:\\almenapremium\\datos\\enero.txt" << "/srv/unidad-c/almenapremium/datos/enero.txt";
    QTest::newRow("barra final") << "C:\\almenapremium\\" << "/srv/unidad-c/almenapremium/";
    QTest::newRow("raíz de la unidad") << "C:\\" << "/srv/unidad-c";
    QTest::newRow("solo la unidad") << "C:" << "/srv/unidad-c";
    QTest::newRow("sin barra tras la unidad") << "C:almenapremium" << "/srv/unidad-c/almenapremium";
    QTest::newRow("unidad con barra final") << "D:\\reportes" << "/srv/unidad-d/reportes";
    QTest::newRow("unidad sin asignar") << "E:\\almenapremium" << "/almenapremium";
    QTest::newRow("unidad sin asignar en minúscula") << "e:\\a\\b" << "/a/b";
    QTest::newRow("sin unidad") << "reportes\\enero" << "reportes/enero";
    QTest::newRow("raíz sin unidad") << "\\almenapremium" << "/almenapremium";
    QTest::newRow("ruta local") << "/home/ana/almena" << "/home/ana/almena";
    QTest::newRow("vacía") << "" << "";
}

void tst_HostContext::rutaLocal()
{
    QFETCH(QString, ruta);
    QFETCH(QString, esperado);
    HostContext contexto;
    contexto.mapaUnidades.insert(QLatin1Char('C'), QStringLiteral("/srv/unidad-c"));
    contexto.mapaUnidades.insert(QLatin1Char('D'), QStringLiteral("/srv/unidad-d/"));
    QCOMPARE(contexto.RutaLocal(ruta), esperado);
}

QTEST_GUILESS_MAIN(tst_HostContext)
#include "tst_HostContext.moc"
