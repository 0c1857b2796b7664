// The keys of the fields through the core object, with the windows' focus moves: Enter
// and the arrows move to the next or previous field that can take the focus.

#include <QDateEdit>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include "CodigosTecla.h"
#include "ControlesDeVentanas.h"
#include "DataCombo.h"
#include "EntornoHost.h"
#include "HostFactory.h"
#include "libNucleo.h"

namespace {

// A window with three fields, shown (offscreen) and active, the focus on one of them.
class Formulario
{
public:
    Formulario()
    {
        auto *pDisposicion = new QVBoxLayout(&ventana);
        for (int i = 0; i < 3; ++i) {
            campos[i] = new QLineEdit(&ventana);
            campos[i]->setObjectName(QStringLiteral("campo%1").arg(i));
            pDisposicion->addWidget(campos[i]);
        }
    }

    bool Muestra(int nConFoco)
    {
        ventana.show();
        ventana.activateWindow();
        if (!QTest::qWaitForWindowActive(&ventana))
            return false;
        campos[nConFoco]->setFocus(Qt::OtherFocusReason);
        return QApplication::focusWidget() == campos[nConFoco];
    }

    // The name of the focused widget, so that a failed comparison shows where the focus went.
    static QString ConFoco()
    {
        const QWidget *p = QApplication::focusWidget();
        return p ? p->objectName() : QStringLiteral("(ninguno)");
    }

    QWidget ventana;
    QLineEdit *campos[3] = {};
};

QString NombreCampo(int n)
{
    return QStringLiteral("campo%1").arg(n);
}

} // namespace

class tst_ControlesDeVentanas : public QObject
{
    Q_OBJECT
private slots:
    void enter_data();
    void enter();
    void teclas_data();
    void teclas();
    void elFocoSaltaLosCamposInactivos_data();
    void elFocoSaltaLosCamposInactivos();
    void elFocoPasaPorListasYFechas_data();
    void elFocoPasaPorListasYFechas();
};

void tst_ControlesDeVentanas::enter_data()
{
    // clang-format off
    QTest::addColumn<int>("tecla");
    QTest::addColumn<QString>("modo");
    QTest::addColumn<int>("esperada");
    QTest::addColumn<int>("foco"); // the field with the focus afterwards; it starts on the first

    QTest::newRow("! minúscula") << int('a') << "!" << int('A') << 0;
    QTest::newRow("! zeta") << int('z') << "!" << int('Z') << 0;
    QTest::newRow("! eñe") << 0xF1 << "!" << 0xD1 << 0;
    QTest::newRow("! acento") << 0xE9 << "!" << 0xC9 << 0;
    QTest::newRow("! mayúscula") << int('Q') << "!" << int('Q') << 0;
    QTest::newRow("! dígito") << int('7') << "!" << int('7') << 0;
    QTest::newRow("! guion") << int('-') << "!" << int('-') << 0;
    QTest::newRow("! retroceso") << 8 << "!" << 8 << 0;
    QTest::newRow("! intro") << 13 << "!" << 0 << 1;

    QTest::newRow("9 cero") << int('0') << "9" << int('0') << 0;
    QTest::newRow("9 nueve") << int('9') << "9" << int('9') << 0;
    QTest::newRow("9 letra") << int('a') << "9" << 0 << 0;
    QTest::newRow("9 mayúscula") << int('A') << "9" << 0 << 0;
    QTest::newRow("9 eñe") << 0xF1 << "9" << 0 << 0;
    QTest::newRow("9 barra") << int('/') << "9" << 0 << 0;
    QTest::newRow("9 dos puntos") << int(':') << "9" << 0 << 0;
    QTest::newRow("9 punto") << int('.') << "9" << 0 << 0;
    QTest::newRow("9 blanco") << int(' ') << "9" << 0 << 0;
    QTest::newRow("9 retroceso") << 8 << "9" << 8 << 0;
    QTest::newRow("9 tabulador") << 9 << "9" << 9 << 0;
    QTest::newRow("9 escape") << 27 << "9" << 27 << 0;
    QTest::newRow("9 intro") << 13 << "9" << 0 << 1;

    QTest::newRow("sin modo letra") << int('a') << "" << int('a') << 0;
    QTest::newRow("sin modo eñe") << 0xF1 << "" << 0xF1 << 0;
    QTest::newRow("sin modo intro") << 13 << "" << 0 << 1;
    // clang-format on
}

void tst_ControlesDeVentanas::enter()
{
    QFETCH(int, tecla);
    QFETCH(QString, modo);
    QFETCH(int, esperada);
    QFETCH(int, foco);
    EntornoHost entorno;
    PreparaParaVentanas(entorno.Contexto());
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.libNucleo"), entorno.Contexto());
    Formulario formulario;
    QVERIFY(formulario.Muestra(0));

    qint16 nTecla = qint16(tecla);
    Como<libNucleo>(objeto).Enter(nTecla, modo);
    QCOMPARE(int(nTecla), esperada);
    QCOMPARE(Formulario::ConFoco(), NombreCampo(foco));
}

void tst_ControlesDeVentanas::teclas_data()
{
    // clang-format off
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("focoAntes");
    QTest::addColumn<int>("esperada");
    QTest::addColumn<int>("focoDespues");

    QTest::newRow("abajo") << 40 << 0 << 0 << 1;
    QTest::newRow("abajo desde el segundo") << 40 << 1 << 0 << 2;
    QTest::newRow("abajo desde el último") << 40 << 2 << 0 << 0;
    QTest::newRow("arriba") << 38 << 2 << 0 << 1;
    QTest::newRow("arriba desde el primero") << 38 << 0 << 0 << 2;
    QTest::newRow("izquierda") << 37 << 1 << 37 << 1;
    QTest::newRow("derecha") << 39 << 1 << 39 << 1;
    QTest::newRow("intro") << 13 << 1 << 13 << 1;
    QTest::newRow("letra") << int('A') << 1 << int('A') << 1;
    // clang-format on
}

void tst_ControlesDeVentanas::teclas()
{
    QFETCH(int, tecla);
    QFETCH(int, focoAntes);
    QFETCH(int, esperada);
    QFETCH(int, focoDespues);
    EntornoHost entorno;
    PreparaParaVentanas(entorno.Contexto());
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.libNucleo"), entorno.Contexto());
    Formulario formulario;
    QVERIFY(formulario.Muestra(focoAntes));

    qint16 nTecla = qint16(tecla);
    Como<libNucleo>(objeto).Teclas(nTecla);
    QCOMPARE(int(nTecla), esperada);
    QCOMPARE(Formulario::ConFoco(), NombreCampo(focoDespues));
}

void tst_ControlesDeVentanas::elFocoSaltaLosCamposInactivos_data()
{
    // clang-format off
    QTest::addColumn<int>("tecla");
    QTest::addColumn<bool>("oculto"); // the second field hidden; otherwise disabled
    QTest::addColumn<int>("focoAntes");
    QTest::addColumn<int>("focoDespues");

    QTest::newRow("intro, desactivado") << 13 << false << 0 << 2;
    QTest::newRow("intro, oculto") << 13 << true << 0 << 2;
    QTest::newRow("arriba, desactivado") << 38 << false << 2 << 0;
    QTest::newRow("abajo, oculto") << 40 << true << 0 << 2;
    // clang-format on
}

void tst_ControlesDeVentanas::elFocoSaltaLosCamposInactivos()
{
    QFETCH(int, tecla);
    QFETCH(bool, oculto);
    QFETCH(int, focoAntes);
    QFETCH(int, focoDespues);
    EntornoHost entorno;
    PreparaParaVentanas(entorno.Contexto());
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.libNucleo"), entorno.Contexto());
    Formulario formulario;
    if (oculto)
        formulario.campos[1]->hide();
    else
        formulario.campos[1]->setEnabled(false);
    QVERIFY(formulario.Muestra(focoAntes));

    qint16 nTecla = qint16(tecla);
    if (tecla == CodigosTecla::Intro)
        Como<libNucleo>(objeto).Enter(nTecla, QString());
    else
        Como<libNucleo>(objeto).Teclas(nTecla);
    QCOMPARE(int(nTecla), 0);
    QCOMPARE(Formulario::ConFoco(), NombreCampo(focoDespues));
}

void tst_ControlesDeVentanas::elFocoPasaPorListasYFechas_data()
{
    // clang-format off
    QTest::addColumn<int>("tecla");
    QTest::addColumn<QString>("desde");
    QTest::addColumn<QString>("hasta");

    // The fields: nombre, linea (a list with an editable text), fecha, importe.
    QTest::newRow("intro a la lista") << 13 << "nombre" << "linea";
    QTest::newRow("intro desde la lista") << 13 << "linea" << "fecha";
    QTest::newRow("intro desde la fecha") << 13 << "fecha" << "importe";
    QTest::newRow("arriba a la fecha") << 38 << "importe" << "fecha";
    QTest::newRow("arriba desde la fecha") << 38 << "fecha" << "linea";
    QTest::newRow("arriba desde la lista") << 38 << "linea" << "nombre";
    QTest::newRow("abajo desde la lista") << 40 << "linea" << "fecha";
    // clang-format on
}

void tst_ControlesDeVentanas::elFocoPasaPorListasYFechas()
{
    QFETCH(int, tecla);
    QFETCH(QString, desde);
    QFETCH(QString, hasta);
    EntornoHost entorno;
    PreparaParaVentanas(entorno.Contexto());
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.libNucleo"), entorno.Contexto());
    QWidget ventana;
    auto *pDisposicion = new QVBoxLayout(&ventana);
    const QList<QWidget *> campos = {new QLineEdit, new DataCombo, new QDateEdit, new QLineEdit};
    const QStringList nombres = {QStringLiteral("nombre"), QStringLiteral("linea"), QStringLiteral("fecha"),
                                 QStringLiteral("importe")};
    for (qsizetype i = 0; i < campos.size(); ++i) {
        campos[i]->setObjectName(nombres[i]);
        pDisposicion->addWidget(campos[i]);
    }
    ventana.show();
    ventana.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
    campos[nombres.indexOf(desde)]->setFocus(Qt::OtherFocusReason);
    QCOMPARE(Formulario::ConFoco(), desde);

    qint16 nTecla = qint16(tecla);
    if (tecla == CodigosTecla::Intro)
        Como<libNucleo>(objeto).Enter(nTecla, QStringLiteral("!"));
    else
        Como<libNucleo>(objeto).Teclas(nTecla);
    QCOMPARE(int(nTecla), 0);
    QCOMPARE(Formulario::ConFoco(), hasta);
}

QTEST_MAIN(tst_ControlesDeVentanas)
#include "tst_ControlesDeVentanas.moc"
