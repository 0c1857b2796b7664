// Where the program finds its settings file and its report file: beside a portable copy, or,
// installed, in the user's configuration folder (first filled from the administrator's
// defaults) and the installation's data folder.

#include <QtTest>

#include "ArchivosPrograma.h"
#include "EntornoHost.h"
#include "HostError.h"

namespace {

// $XDG_CONFIG_HOME and $XDG_CONFIG_DIRS point into a folder of the test's own while it lives.
class CarpetasXdg
{
public:
    CarpetasXdg()
    {
        for (const char *cVariable : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            m_antes.append({cVariable, qgetenv(cVariable)});
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Usuario()));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(Administrador() + QStringLiteral(":/no/existe")));
    }
    ~CarpetasXdg()
    {
        for (const auto &[cVariable, valor] : m_antes)
            qputenv(cVariable, valor);
    }
    QString Raiz() const { return m_carpeta.path(); }
    QString Usuario() const { return m_carpeta.filePath(QStringLiteral("home/.config")); }
    QString Administrador() const { return m_carpeta.filePath(QStringLiteral("etc/xdg")); }
    QString Programa() const { return m_carpeta.filePath(QStringLiteral("usr/bin/informe-mensual")); }

private:
    QTemporaryDir m_carpeta;
    QList<QPair<const char *, QByteArray>> m_antes;
};

const QString cDelUsuario = QStringLiteral("/home/.config/informe-mensual/informe-mensual.ini");
const QString cDelAdministrador = QStringLiteral("/etc/xdg/informe-mensual/informe-mensual.ini");
const QString cJunto = QStringLiteral("/usr/bin/informe-mensual.ini");

} // namespace

class tst_ArchivosPrograma : public QObject
{
    Q_OBJECT
private slots:
    void archivoIni_data();
    void archivoIni();
    void carpetaQueNoSePuedeCrear();
    void archivoInforme_data();
    void archivoInforme();
};

void tst_ArchivosPrograma::archivoIni_data()
{
    // Each file given is written before the start ("" leaves it out); the result is the file
    // in use (relative to the test's root) and its text afterwards.
    // clang-format off
    QTest::addColumn<QString>("junto");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("administrador");
    QTest::addColumn<QString>("enUso");
    QTest::addColumn<QString>("texto");
    QTest::newRow("copia portátil: el de junto al programa") << "[Configuración]\nx=1\n" << "[u]\n" << "[a]\n" << cJunto << "[Configuración]\nx=1\n";
    QTest::newRow("junto vacío también cuenta") << "\n" << "[u]\n" << "" << cJunto << "\n";
    QTest::newRow("instalado, primera vez: copia del administrador") << "" << "" << "[Configuración]\nBase de datos principal=empresa\n" << cDelUsuario << "[Configuración]\nBase de datos principal=empresa\n";
    QTest::newRow("instalado, sin administrador: nada que copiar") << "" << "" << "" << cDelUsuario << "";
    QTest::newRow("el del usuario no se pisa") << "" << "[Configuración]\nBase de datos principal=mia\n" << "[Configuración]\nBase de datos principal=empresa\n" << cDelUsuario << "[Configuración]\nBase de datos principal=mia\n";
    // clang-format on
}

void tst_ArchivosPrograma::archivoIni()
{
    QFETCH(QString, junto);
    QFETCH(QString, usuario);
    QFETCH(QString, administrador);
    QFETCH(QString, enUso);
    QFETCH(QString, texto);
    CarpetasXdg carpetas;
    const QString cRaiz = carpetas.Raiz();
    QDir().mkpath(QFileInfo(carpetas.Programa()).absolutePath());
    for (const auto &[cTexto, cRuta] :
         {std::pair{junto, cJunto}, std::pair{usuario, cDelUsuario}, std::pair{administrador, cDelAdministrador}}) {
        if (cTexto.isEmpty())
            continue;
        QDir().mkpath(QFileInfo(cRaiz + cRuta).absolutePath());
        EscribeTexto(cRaiz + cRuta, cTexto);
    }

    QCOMPARE(ArchivosPrograma::ArchivoIni(carpetas.Programa()), cRaiz + enUso);
    QCOMPARE(ArchivosPrograma::PreparaArchivoIni(carpetas.Programa()), cRaiz + enUso);
    QCOMPARE(TextoDe(cRaiz + enUso), texto);
    QVERIFY(QFileInfo(cRaiz + enUso).absoluteDir().exists());    // LeeIniDefecto writes into it next
    QCOMPARE(TextoDe(cRaiz + cDelAdministrador), administrador); // never written
}

void tst_ArchivosPrograma::carpetaQueNoSePuedeCrear()
{
    CarpetasXdg carpetas;
    QDir().mkpath(QFileInfo(carpetas.Usuario()).absolutePath());
    EscribeTexto(carpetas.Usuario(), QStringLiteral("un archivo donde iría la carpeta"));
    try {
        ArchivosPrograma::PreparaArchivoIni(carpetas.Programa());
        QFAIL("se esperaba una falla");
    } catch (const HostError &error) {
        QCOMPARE(error.Numero(), CodigoErrorHost::ErrorDeAccesoArchivo);
        QCOMPARE(error.Descripcion(), QStringLiteral("No se pudo crear la carpeta de configuración %1: una parte de la "
                                                     "ruta no es una carpeta")
                                          .arg(carpetas.Usuario() + QStringLiteral("/informe-mensual")));
    }
}

void tst_ArchivosPrograma::archivoInforme_data()
{
    // clang-format off
    QTest::addColumn<bool>("junto");
    QTest::addColumn<bool>("instalado");
    QTest::addColumn<QString>("enUso");
    QTest::newRow("junto al programa primero") << true << true << "/usr/bin/InformeMensual.rpt";
    QTest::newRow("instalado en share") << false << true << "/usr/share/informe-mensual/InformeMensual.rpt";
    QTest::newRow("ninguno: el de junto, que la falla nombrará") << false << false << "/usr/bin/InformeMensual.rpt";
    // clang-format on
}

void tst_ArchivosPrograma::archivoInforme()
{
    QFETCH(bool, junto);
    QFETCH(bool, instalado);
    QFETCH(QString, enUso);
    QTemporaryDir raiz;
    QDir(raiz.path()).mkpath(QStringLiteral("usr/bin"));
    QDir(raiz.path()).mkpath(QStringLiteral("usr/share/informe-mensual"));
    if (junto)
        EscribeTexto(raiz.path() + QStringLiteral("/usr/bin/InformeMensual.rpt"), QStringLiteral("rpt"));
    if (instalado)
        EscribeTexto(raiz.path() + QStringLiteral("/usr/share/informe-mensual/InformeMensual.rpt"),
                     QStringLiteral("rpt"));
    QCOMPARE(ArchivosPrograma::ArchivoInforme(raiz.path() + QStringLiteral("/usr/bin")), raiz.path() + enUso);
}

QTEST_MAIN(tst_ArchivosPrograma)
#include "tst_ArchivosPrograma.moc"
