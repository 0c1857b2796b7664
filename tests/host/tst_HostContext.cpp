// The host's Windows-style paths on this machine, and the opener of documents.

#include <QtTest>

#include <optional>

#include "AbridorDeDocumentos.h"
#include "Falla.h"
#include "HostContext.h"
#include "HostError.h"
#include "MensajesGrabados.h"

class tst_HostContext : public QObject
{
    Q_OBJECT
private slots:
    void rutaLocal_data();
    void rutaLocal();
    void abreParaEditar_data();
    void abreParaEditar();
};

void tst_HostContext::rutaLocal_data()
{
    // clang-format off
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
    // clang-format on
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

void tst_HostContext::abreParaEditar_data()
{
    // clang-format off
    QTest::addColumn<QString>("cAbridor"); // the xdg-open on the PATH, a shell script; empty: none
    QTest::addColumn<QString>("cMotivo");  // what the message or the failure says; empty: none
    QTest::newRow("abre") << "exit 0" << "";
    QTest::newRow("nada lo abre") << "/bin/sleep 0.3; echo \"xdg-open: no method available for opening '$1'\" >&2; exit 3"
                                  << "ninguna aplicación de este equipo abre ese tipo de archivo";
    QTest::newRow("muere") << "kill -9 $$" << "ninguna aplicación";
    QTest::newRow("sin abridor") << "" << "instale el paquete xdg-utils";
    // clang-format on
}

void tst_HostContext::abreParaEditar()
{
    QFETCH(QString, cAbridor);
    QFETCH(QString, cMotivo);
    QTemporaryDir carpeta;
    const QString cDocumento = carpeta.filePath(QStringLiteral("informe mensual.ini"));
    if (!cAbridor.isEmpty()) {
        QFile guion(carpeta.filePath(QStringLiteral("xdg-open")));
        QVERIFY(guion.open(QIODevice::WriteOnly));
        guion.write("#!/bin/sh\n" + cAbridor.toUtf8() + "\n");
        guion.close();
        guion.setPermissions(guion.permissions() | QFileDevice::ExeOwner);
    }
    const QByteArray ruta = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(carpeta.path()));
    MensajesGrabados mensajes;
    const std::optional<Falla> falla = FallaDe([&] { AbreParaEditar(cDocumento, mensajes); });
    qputenv("PATH", ruta);
    if (cAbridor.isEmpty()) {
        QVERIFY(falla);
        QCOMPARE(falla->nNumero, int(CodigoErrorHost::ErrorDeAccesoArchivo));
        QVERIFY2(falla->cDescripcion.contains(cDocumento) && falla->cDescripcion.contains(cMotivo),
                 qPrintable(falla->cDescripcion));
        return;
    }
    QVERIFY2(!falla, falla ? qPrintable(falla->cDescripcion) : "");
    // The opener answers after the call; a program about to end waits for its answer.
    EsperaRespuestaDeAbridores(10000);
    if (cMotivo.isEmpty()) {
        QCOMPARE(mensajes.Llamadas().size(), 0);
        return;
    }
    QCOMPARE(mensajes.Llamadas().size(), 1);
    const QString cTexto = mensajes.Llamadas().constFirst().cTexto;
    QVERIFY2(cTexto.contains(cDocumento) && cTexto.contains(cMotivo), qPrintable(cTexto));
}

QTEST_GUILESS_MAIN(tst_HostContext)
#include "tst_HostContext.moc"
