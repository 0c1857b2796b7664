// Settings files are edited by hand: a write must change only its own key.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "EntornoHost.h"
#include "HostError.h"
#include "IniArchivo.h"

class tst_IniArchivo : public QObject
{
    Q_OBJECT
private slots:
    void escribe_data();
    void escribe();
    void lee_data();
    void lee();
    void escrituraSeguidaDeLecturaDevuelveElValor();
    void reemplazaElArchivoSinCambiarSusPermisos();
    void carpetaSinPermisoEsUnaFallaConNumero();
    void valorConSaltoDeLineaSeRechaza();
};

void tst_IniArchivo::escribe_data()
{
    QTest::addColumn<QString>("antes");
    QTest::addColumn<QString>("seccion");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("despues");

    QTest::newRow("archivo vacío") << "" << "Configuración" << "Id moneda USD" << "2"
                                   << "[Configuración]\nId moneda USD=2\n";
    QTest::newRow("clave nueva al final de su sección, no del archivo")
        << "; mi nota\n[Configuración]\nA=1\n\n[Otra]\nB=2\n" << "Configuración" << "C" << "3"
        << "; mi nota\n[Configuración]\nA=1\nC=3\n\n[Otra]\nB=2\n";
    QTest::newRow("valor cambiado, comentarios y claves ajenas intactos")
        << "; arriba\n[Configuración]\n; sobre la ruta\nRuta de Almena Premium = C:\\viejo\nDesconocida=x\n; al final\n"
        << "configuración" << "RUTA DE ALMENA PREMIUM" << "D:\\nuevo"
        << "; arriba\n[Configuración]\n; sobre la ruta\nRuta de Almena Premium = D:\\nuevo\nDesconocida=x\n; al final\n";
    QTest::newRow("un blanco va entre comillas") << "[S]\nK=1\n" << "S" << "K" << " " << "[S]\nK=\" \"\n";
    QTest::newRow("clave vacía recibe su valor") << "[S]\nK=\nL=1\n" << "S" << "K" << "v" << "[S]\nK=v\nL=1\n";
    QTest::newRow("sección nueva tras una línea en blanco") << "[S]\nK=1" << "T" << "K" << "2"
                                                            << "[S]\nK=1\n\n[T]\nK=2\n";
    QTest::newRow("finales de línea CRLF se conservan") << "[S]\r\nK=1\r\n" << "S" << "J" << "2"
                                                        << "[S]\r\nK=1\r\nJ=2\r\n";
    QTest::newRow("clave repetida: cambia la última, la que se lee") << "[S]\nK=1\nK=2\n" << "S" << "K" << "3"
                                                                     << "[S]\nK=1\nK=3\n";
    QTest::newRow("sección con espacios dentro de los corchetes") << "[ S ]\nK=1\n" << "S" << "K" << "9"
                                                                  << "[ S ]\nK=9\n";
    QTest::newRow("un comentario que parece clave no se toca") << "[S]\n;K=1\n" << "S" << "K" << "2"
                                                               << "[S]\n;K=1\nK=2\n";
    QTest::newRow("líneas que no son claves se conservan") << "[S]\nbasura sin igual\nK=1\n" << "S" << "K" << "2"
                                                           << "[S]\nbasura sin igual\nK=2\n";
}

void tst_IniArchivo::escribe()
{
    QFETCH(QString, antes);
    QFETCH(QString, seccion);
    QFETCH(QString, clave);
    QFETCH(QString, valor);
    QFETCH(QString, despues);
    QCOMPARE(QString::fromUtf8(IniArchivo::ConValor(antes.toUtf8(), seccion, clave, valor)), despues);
}

void tst_IniArchivo::lee_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("seccion");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("esperado");

    const QString cBase = QStringLiteral("[Configuración]\nRuta de Almena Premium=C:\\almena\nVacía=\nBlanco= \n");
    QTest::newRow("valor") << cBase << "Configuración" << "Ruta de Almena Premium" << "C:\\almena";
    QTest::newRow("sin distinguir mayúsculas") << cBase << "CONFIGURACIóN" << "ruta de almena premium" << "C:\\almena";
    QTest::newRow("clave ausente") << cBase << "Configuración" << "Otra" << "";
    QTest::newRow("sección ausente") << cBase << "frmDescripcion" << "Linea" << "";
    QTest::newRow("valor vacío") << cBase << "Configuración" << "Vacía" << "";
    QTest::newRow("archivo vacío") << "" << "Configuración" << "Vacía" << "";
    QTest::newRow("blanco sin comillas no cuenta") << cBase << "Configuración" << "Blanco" << "";
    QTest::newRow("blanco entre comillas") << "[S]\nK=\" \"\n" << "S" << "K" << " ";
}

void tst_IniArchivo::lee()
{
    QFETCH(QString, texto);
    QFETCH(QString, seccion);
    QFETCH(QString, clave);
    QFETCH(QString, esperado);
    QTemporaryDir carpeta;
    const QString cArchivo = carpeta.filePath(QStringLiteral("a.ini"));
    EscribeTexto(cArchivo, texto);
    QCOMPARE(IniArchivo::Lee(cArchivo, seccion, clave), esperado);
}

void tst_IniArchivo::escrituraSeguidaDeLecturaDevuelveElValor()
{
    QTemporaryDir carpeta;
    const QString cArchivo = carpeta.filePath(QStringLiteral("nuevo.ini"));
    QCOMPARE(IniArchivo::Lee(cArchivo, QStringLiteral("S"), QStringLiteral("K")), QString());
    QVERIFY(!QFile::exists(cArchivo)); // reading does not create the file

    const QStringList valores = {QStringLiteral(" "), QStringLiteral("año ñandú"), QStringLiteral("a=b;c"),
                                 QStringLiteral("\"entre comillas\"")};
    for (const QString &cValor : valores) {
        IniArchivo::Escribe(cArchivo, QStringLiteral("Sección"), QStringLiteral("K"), cValor);
        QCOMPARE(IniArchivo::Lee(cArchivo, QStringLiteral("Sección"), QStringLiteral("K")), cValor);
    }
}

void tst_IniArchivo::reemplazaElArchivoSinCambiarSusPermisos()
{
    QTemporaryDir carpeta;
    const QString cArchivo = carpeta.filePath(QStringLiteral("a.ini"));
    EscribeTexto(cArchivo, QStringLiteral("[S]\nK=1\n"));
    const auto permisos = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QVERIFY(QFile::setPermissions(cArchivo, permisos));
    IniArchivo::Escribe(cArchivo, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("2"));
    QCOMPARE(TextoDe(cArchivo), QStringLiteral("[S]\nK=2\n"));
    QCOMPARE(QFile::permissions(cArchivo) & 0x7077, permisos); // owner, group and others
    QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.ini")}); // no leftovers
}

void tst_IniArchivo::carpetaSinPermisoEsUnaFallaConNumero()
{
    const QString cArchivo = QStringLiteral("/no/existe/esta/carpeta/a.ini");
    try {
        IniArchivo::Escribe(cArchivo, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("1"));
        QFAIL("la escritura debía fallar");
    } catch (const HostError &error) {
        QCOMPARE(error.Numero(), ErrorHost::ErrorDeAccesoArchivo);
        QVERIFY2(error.Descripcion().contains(cArchivo), qPrintable(error.Descripcion()));
    }
}

void tst_IniArchivo::valorConSaltoDeLineaSeRechaza()
{
    QTemporaryDir carpeta;
    const QString cArchivo = carpeta.filePath(QStringLiteral("a.ini"));
    EscribeTexto(cArchivo, QStringLiteral("[S]\nK=1\n"));
    try {
        IniArchivo::Escribe(cArchivo, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("2\n[Otra]\nX=1"));
        QFAIL("un valor de varias líneas debía rechazarse");
    } catch (const HostError &error) {
        QCOMPARE(error.Numero(), ErrorHost::ArgumentoNoValido);
    }
    QCOMPARE(TextoDe(cArchivo), QStringLiteral("[S]\nK=1\n"));
}

QTEST_GUILESS_MAIN(tst_IniArchivo)
#include "tst_IniArchivo.moc"
