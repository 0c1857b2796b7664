// Settings files are edited by hand: a write must change only its own key.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "EntornoHost.h"
#include "Falla.h"
#include "HostError.h"
#include "IniArchivo.h"

namespace {

// Files saved elsewhere come in other encodings: these tests look at their bytes.
QByteArray BytesDe(const QString &cArchivo)
{
    QFile archivo(cArchivo);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

void EscribeBytes(const QString &cArchivo, const QByteArray &bytes)
{
    QFile archivo(cArchivo);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate) || archivo.write(bytes) != bytes.size())
        qFatal("No se puede escribir %s", qPrintable(cArchivo));
}

} // namespace

class tst_IniArchivo : public QObject
{
    Q_OBJECT
private slots:
    void escribe_data();
    void escribe();
    void lee_data();
    void lee();
    void conservaLaCodificacionDelArchivo_data();
    void conservaLaCodificacionDelArchivo();
    void escrituraSeguidaDeLecturaDevuelveElValor();
    void reemplazaElArchivoSinCambiarSusPermisos();
    void carpetaSinPermisoEsUnaFallaConNumero();
    void archivoQueNoEsTextoEsUnaFallaConNumero_data();
    void archivoQueNoEsTextoEsUnaFallaConNumero();
    void valorQueElArchivoNoPuedeGuardarSeRechaza_data();
    void valorQueElArchivoNoPuedeGuardarSeRechaza();
};

void tst_IniArchivo::escribe_data()
{
    // clang-format off
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
    // clang-format on
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
    // clang-format off
    QTest::addColumn<QByteArray>("texto");
    QTest::addColumn<QString>("seccion");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("esperado");

    const QByteArray cBase =
        QStringLiteral("[Configuración]\nRuta de Almena Premium=C:\\almena\nVacía=\nBlanco= \n").toUtf8();
    QTest::newRow("valor") << cBase << "Configuración" << "Ruta de Almena Premium" << "C:\\almena";
    QTest::newRow("sin distinguir mayúsculas") << cBase << "CONFIGURACIóN" << "ruta de almena premium" << "C:\\almena";
    QTest::newRow("clave ausente") << cBase << "Configuración" << "Otra" << "";
    QTest::newRow("sección ausente") << cBase << "frmDescripcion" << "Linea" << "";
    QTest::newRow("valor vacío") << cBase << "Configuración" << "Vacía" << "";
    QTest::newRow("archivo vacío") << QByteArray() << "Configuración" << "Vacía" << "";
    QTest::newRow("blanco sin comillas no cuenta") << cBase << "Configuración" << "Blanco" << "";
    QTest::newRow("blanco entre comillas") << QByteArray("[S]\nK=\" \"\n") << "S" << "K" << " ";
    QTest::newRow("Windows-1252: sección, clave y valor")
        << QByteArray("[Configuraci\xf3n]\r\nCompa\xf1\xed" "a=Ferreter\xed" "a Mu\xf1oz \x80\r\n") << "Configuración"
        << "Compañía" << "Ferretería Muñoz €";
    QTest::newRow("Windows-1252: bytes sin carácter asignado")
        << QByteArray("[S]\nK=\x81\x8d\x8f\x90\x9d\n") << "S" << "K"
        << QStringLiteral("\u0081\u008D\u008F\u0090\u009D");
    QTest::newRow("marca de orden de bytes UTF-8")
        << QByteArray("\xEF\xBB\xBF[Configuración]\nRuta de Almena Premium=C:\\almena\n") << "Configuración"
        << "Ruta de Almena Premium" << "C:\\almena";
    // clang-format on
}

void tst_IniArchivo::lee()
{
    QFETCH(QByteArray, texto);
    QFETCH(QString, seccion);
    QFETCH(QString, clave);
    QFETCH(QString, esperado);
    QTemporaryDir carpeta;
    const QString cArchivo = carpeta.filePath(QStringLiteral("a.ini"));
    EscribeBytes(cArchivo, texto);
    QCOMPARE(IniArchivo::Lee(cArchivo, seccion, clave), esperado);
}

void tst_IniArchivo::conservaLaCodificacionDelArchivo_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("antes"); // null: no file
    QTest::addColumn<QString>("seccion");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QByteArray>("despues");

    QTest::newRow("Windows-1252: cambia su línea, las demás quedan byte a byte")
        << QByteArray("; precios en \x80\r\n[Configuraci\xf3n]\r\nRuta de Almena Premium=C:\\a\xf1o\r\n"
                      "Raros=\x81\x8d\x8f\x90\x9d \x9f\xff\r\n")
        << "Configuración" << "Ruta de Almena Premium" << "D:\\año € ‰"
        << QByteArray("; precios en \x80\r\n[Configuraci\xf3n]\r\nRuta de Almena Premium=D:\\a\xf1o \x80 \x89\r\n"
                      "Raros=\x81\x8d\x8f\x90\x9d \x9f\xff\r\n");
    QTest::newRow("Windows-1252: clave nueva en su sección")
        << QByteArray("[Configuraci\xf3n]\nA=1\n") << "Configuración" << "Compañía" << "Muñoz"
        << QByteArray("[Configuraci\xf3n]\nA=1\nCompa\xf1\xed" "a=Mu\xf1oz\n");
    QTest::newRow("marca UTF-8: se conserva, sin sección repetida")
        << QByteArray("\xEF\xBB\xBF[Configuración]\nA=1\n") << "Configuración" << "A" << "ñ"
        << QByteArray("\xEF\xBB\xBF[Configuración]\nA=ñ\n");
    QTest::newRow("solo la marca UTF-8") << QByteArray("\xEF\xBB\xBF") << "S" << "K" << "1"
                                         << QByteArray("\xEF\xBB\xBF[S]\nK=1\n");
    QTest::newRow("UTF-8 sigue en UTF-8") << QByteArray("[Sección]\nK=ñ\n") << "Sección" << "K" << "€"
                                          << QByteArray("[Sección]\nK=€\n");
    QTest::newRow("archivo nuevo en UTF-8 sin marca") << QByteArray() << "Sección" << "K" << "€"
                                                      << QByteArray("[Sección]\nK=€\n");
    // clang-format on
}

void tst_IniArchivo::conservaLaCodificacionDelArchivo()
{
    QFETCH(QByteArray, antes);
    QFETCH(QString, seccion);
    QFETCH(QString, clave);
    QFETCH(QString, valor);
    QFETCH(QByteArray, despues);
    QTemporaryDir carpeta;
    const QString cArchivo = carpeta.filePath(QStringLiteral("a.ini"));
    if (!antes.isNull())
        EscribeBytes(cArchivo, antes);
    IniArchivo::Escribe(cArchivo, seccion, clave, valor);
    QCOMPARE(BytesDe(cArchivo), despues);
    QCOMPARE(IniArchivo::Lee(cArchivo, seccion, clave), valor);
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
        QCOMPARE(error.Numero(), CodigoErrorHost::ErrorDeAccesoArchivo);
        QVERIFY2(error.Descripcion().contains(cArchivo), qPrintable(error.Descripcion()));
    }
}

void tst_IniArchivo::archivoQueNoEsTextoEsUnaFallaConNumero_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("contenido");
    QTest::newRow("binario") << QByteArrayLiteral("\x7F" "ELF\x02\x01\x01\0\0\0[S]\nK=1\n");
    QTest::newRow("UTF-16 con marca") << QByteArrayLiteral("\xFF\xFE[\0S\0]\0\n\0K\0=\0001\0\n\0");
    QTest::newRow("UTF-16 sin marca") << QByteArrayLiteral("\0[\0S\0]\0\n\0K\0=\0001\0\n");
    QTest::newRow("UTF-16 con marca y sin bytes nulos") << QByteArray("\xFE\xFF\x4E\x2D\x65\x87");
    QTest::newRow("UTF-32 con marca") << QByteArrayLiteral("\xFF\xFE\0\0[\0\0\0S\0\0\0]\0\0\0");
    QTest::newRow("marca UTF-8 sobre Windows-1252") << QByteArray("\xEF\xBB\xBF[Configuraci\xf3n]\nA=1\n");
    // clang-format on
}

void tst_IniArchivo::archivoQueNoEsTextoEsUnaFallaConNumero()
{
    QFETCH(QByteArray, contenido);
    QTemporaryDir carpeta;
    const QString cArchivo = carpeta.filePath(QStringLiteral("a.ini"));
    EscribeBytes(cArchivo, contenido);

    const std::optional<Falla> lectura =
        FallaDe([&] { IniArchivo::Lee(cArchivo, QStringLiteral("S"), QStringLiteral("K")); });
    const std::optional<Falla> escritura =
        FallaDe([&] { IniArchivo::Escribe(cArchivo, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("2")); });
    for (const std::optional<Falla> &falla : {lectura, escritura}) {
        QVERIFY2(falla, "el archivo se tomó por texto");
        QCOMPARE(falla->nNumero, CodigoErrorHost::ErrorDeAccesoArchivo);
        QVERIFY2(falla->cDescripcion.contains(cArchivo), qPrintable(falla->cDescripcion));
    }
    QCOMPARE(BytesDe(cArchivo), contenido);
}

void tst_IniArchivo::valorQueElArchivoNoPuedeGuardarSeRechaza_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("antes");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("enElMensaje"); // what the user must be told

    QTest::newRow("salto de línea") << QByteArray("[S]\nK=1\n") << "2\n[Otra]\nX=1" << "salto de línea";
    QTest::newRow("carácter nulo") << QByteArray("[S]\nK=1\n") << QStringLiteral("a") + QChar(0) + QStringLiteral("b")
                                   << "nulo";
    QTest::newRow("Windows-1252 sin el carácter") << QByteArray("[S]\nK=a\xf1o \x80\n") << "ñandú ✓" << "«✓»";
    // clang-format on
}

void tst_IniArchivo::valorQueElArchivoNoPuedeGuardarSeRechaza()
{
    QFETCH(QByteArray, antes);
    QFETCH(QString, valor);
    QFETCH(QString, enElMensaje);
    QTemporaryDir carpeta;
    const QString cArchivo = carpeta.filePath(QStringLiteral("a.ini"));
    EscribeBytes(cArchivo, antes);
    const std::optional<Falla> falla =
        FallaDe([&] { IniArchivo::Escribe(cArchivo, QStringLiteral("S"), QStringLiteral("K"), valor); });
    QVERIFY2(falla, "se escribió");
    QCOMPARE(falla->nNumero, CodigoErrorHost::ArgumentoNoValido);
    QVERIFY2(falla->cDescripcion.contains(cArchivo) && falla->cDescripcion.contains(enElMensaje),
             qPrintable(falla->cDescripcion));
    QCOMPARE(BytesDe(cArchivo), antes);
}

QTEST_GUILESS_MAIN(tst_IniArchivo)
#include "tst_IniArchivo.moc"
