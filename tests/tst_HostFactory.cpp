// The host objects by ProgID, and what they offer without a database: statement templates,
// the cipher of stored accounts, number and date conversions, paths and the keys of fields.

#include <QtTest>

#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include <functional>
#include <optional>

#include "BasesDD.h"
#include "CodigosTecla.h"
#include "Conversiones.h"
#include "DataCombo.h"
#include "DeArchivos.h"
#include "DelRegistro.h"
#include "ControlesDeVentanas.h"
#include "EntornoHost.h"
#include "Falla.h"
#include "HostError.h"
#include "ObjetosPrograma.h"
#include "ObjetosSoloCreados.h"
#include "Utilerias.h"
#include "libNucleo.h"

namespace {

// The host class of an object, by the name a failed comparison can show.
QString ClaseDe(const HostObject *p)
{
    if (!p)
        return QStringLiteral("(ninguno)");
    if (dynamic_cast<const libNucleo *>(p))
        return QStringLiteral("libNucleo");
    if (dynamic_cast<const BasesDD *>(p))
        return QStringLiteral("BasesDD");
    if (dynamic_cast<const DeEquipo *>(p))
        return QStringLiteral("DeEquipo");
    if (dynamic_cast<const Utilerias *>(p))
        return QStringLiteral("Utilerias");
    if (dynamic_cast<const DeArchivos *>(p))
        return QStringLiteral("DeArchivos");
    if (dynamic_cast<const DeAcceso *>(p))
        return QStringLiteral("DeAcceso");
    if (dynamic_cast<const DelRegistro *>(p))
        return QStringLiteral("DelRegistro");
    if (dynamic_cast<const DeControles *>(p))
        return QStringLiteral("DeControles");
    return QStringLiteral("(otra clase)");
}

// Swaps the case of every letter: "Orbe5.libNucleo" -> "oRBE5.LIBnUCLEO".
QString CasoInvertido(const QString &cTexto)
{
    QString cResultado = cTexto;
    for (QChar &c : cResultado)
        c = c.isUpper() ? c.toLower() : c.toUpper();
    return cResultado;
}

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

class tst_HostFactory : public QObject
{
    Q_OBJECT
private slots:
    void creaCadaClase_data();
    void creaCadaClase();
    void progIdDesconocido_data();
    void progIdDesconocido();
    void unaClaseRegistradaReemplazaLaDelHost();
    void comoOtraClase_data();
    void comoOtraClase();
    void objetosDelPrograma();

    void cambXXX_data();
    void cambXXX();
    void encriptaIdaYVuelta_data();
    void encriptaIdaYVuelta();
    void desEncriptaRechazaLoQueNoEsCifrado_data();
    void desEncriptaRechazaLoQueNoEsCifrado();

    void orVal_data();
    void orVal();
    void aEntero16_data();
    void aEntero16();
    void fechaSQL_data();
    void fechaSQL();
    void rutaLocal_data();
    void rutaLocal();

    void enter_data();
    void enter();
    void teclas_data();
    void teclas();
    void elFocoSaltaLosCamposInactivos_data();
    void elFocoSaltaLosCamposInactivos();
    void elFocoPasaPorListasYFechas_data();
    void elFocoPasaPorListasYFechas();
    void codigosTecla_data();
    void codigosTecla();
};

void tst_HostFactory::creaCadaClase_data()
{
    QTest::addColumn<QString>("progId");
    QTest::addColumn<QString>("clase");

    const QStringList clases = {QStringLiteral("libNucleo"),  QStringLiteral("BasesDD"),    QStringLiteral("DeEquipo"),
                                QStringLiteral("Utilerias"),  QStringLiteral("DeArchivos"), QStringLiteral("DeAcceso"),
                                QStringLiteral("DelRegistro"), QStringLiteral("DeControles")};
    const auto &progIds = ObjetosPrograma::ProgIds();
    QCOMPARE(qsizetype(progIds.size()), clases.size());
    for (size_t i = 0; i < progIds.size(); ++i) {
        const QString &cProgId = progIds[i];
        const QString &cClase = clases.at(qsizetype(i));
        QTest::addRow("%s", qPrintable(cProgId)) << cProgId << cClase;
        QTest::addRow("%s", qPrintable(cProgId.toLower())) << cProgId.toLower() << cClase;
        QTest::addRow("%s", qPrintable(cProgId.toUpper())) << cProgId.toUpper() << cClase;
        QTest::addRow("%s", qPrintable(CasoInvertido(cProgId))) << CasoInvertido(cProgId) << cClase;
    }
    QTest::newRow("orbe5.LibNucleo") << "orbe5.LibNucleo" << "libNucleo";
    QTest::newRow("ORBE5.BASESDD") << "ORBE5.BASESDD" << "BasesDD";
    QTest::newRow("orbe5.DelRegistro") << "orbe5.DelRegistro" << "DelRegistro";
}

void tst_HostFactory::creaCadaClase()
{
    QFETCH(QString, progId);
    QFETCH(QString, clase);
    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(progId, entorno.Contexto());
    QCOMPARE(ClaseDe(objeto.get()), clase);
    QVERIFY(&objeto->Contexto() == &entorno.Contexto());
}

void tst_HostFactory::progIdDesconocido_data()
{
    QTest::addColumn<QString>("progId");
    QTest::newRow("clase inexistente") << "Orbe5.NoExiste";
    QTest::newRow("otra librería") << "Orbe6.libNucleo";
    QTest::newRow("sin librería") << "libNucleo";
    QTest::newRow("sin clase") << "Orbe5.";
    QTest::newRow("con blancos") << " Orbe5.libNucleo";
    QTest::newRow("vacío") << "";
}

void tst_HostFactory::progIdDesconocido()
{
    QFETCH(QString, progId);
    EntornoHost entorno;
    const std::optional<Falla> falla = FallaDe([&] { entorno.fabrica.Crea(progId, entorno.Contexto()); });
    QVERIFY2(falla, "se creó un objeto");
    QCOMPARE(falla->nNumero, CodigoErrorHost::NoSePuedeCrearObjeto);
    if (!progId.isEmpty())
        QVERIFY2(falla->cDescripcion.contains(progId), qPrintable(falla->cDescripcion));
}

void tst_HostFactory::unaClaseRegistradaReemplazaLaDelHost()
{
    EntornoHost entorno;
    entorno.fabrica.Registra(QStringLiteral("ORBE5.BASESDD"),
                             [](const HostContext &contexto) { return HostObjectPtr(new DeEquipo(contexto)); });
    QCOMPARE(ClaseDe(entorno.fabrica.Crea(QStringLiteral("Orbe5.BasesDD"), entorno.Contexto()).get()),
             QStringLiteral("DeEquipo"));

    entorno.fabrica.Quita(QStringLiteral("orbe5.basesdd"));
    QCOMPARE(NumeroDeFalla([&] { entorno.fabrica.Crea(QStringLiteral("Orbe5.BasesDD"), entorno.Contexto()); }),
             CodigoErrorHost::NoSePuedeCrearObjeto);
}

void tst_HostFactory::comoOtraClase_data()
{
    QTest::addColumn<QString>("progId"); // "" leaves the slot empty
    QTest::addColumn<int>("numero");     // of the failure of Como<BasesDD>; 0: none
    QTest::newRow("de su clase") << "Orbe5.BasesDD" << 0;
    QTest::newRow("otra clase") << "Orbe5.libNucleo" << CodigoErrorHost::TipoNoCoincide;
    QTest::newRow("clase solo creada") << "Orbe5.DeEquipo" << CodigoErrorHost::TipoNoCoincide;
    QTest::newRow("sin objeto") << "" << CodigoErrorHost::ObjetoNoAsignado;
}

void tst_HostFactory::comoOtraClase()
{
    QFETCH(QString, progId);
    QFETCH(int, numero);
    EntornoHost entorno;
    HostObjectPtr objeto;
    if (!progId.isEmpty())
        objeto = entorno.fabrica.Crea(progId, entorno.Contexto());
    const std::optional<Falla> falla = FallaDe([&] { Como<BasesDD>(objeto); });
    QCOMPARE(falla ? falla->nNumero : 0, numero);
    if (falla)
        QVERIFY(!falla->cDescripcion.isEmpty());
}

void tst_HostFactory::objetosDelPrograma()
{
    EntornoHost entorno;
    ObjetosPrograma objetos;
    QVERIFY(!objetos.Creados());
    QCOMPARE(NumeroDeFalla([&] { objetos.Nucleo(); }), CodigoErrorHost::ObjetoNoAsignado);

    objetos.Crea(entorno.fabrica, entorno.Contexto());
    QVERIFY(objetos.Creados());
    // Each accessor finds its own class in the slot it reads.
    QCOMPARE(NumeroDeFalla([&] { objetos.Nucleo(); }), 0);
    QCOMPARE(NumeroDeFalla([&] { objetos.Bases(); }), 0);
    QCOMPARE(NumeroDeFalla([&] { objetos.Utilidades(); }), 0);
    QCOMPARE(NumeroDeFalla([&] { objetos.Archivos(); }), 0);
    QCOMPARE(NumeroDeFalla([&] { objetos.Registro(); }), 0);

    objetos.Libera();
    QVERIFY(!objetos.Creados());
    QCOMPARE(NumeroDeFalla([&] { objetos.Registro(); }), CodigoErrorHost::ObjetoNoAsignado);
}

void tst_HostFactory::cambXXX_data()
{
    QTest::addColumn<QString>("plantilla");
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("uno") << "select * from lineas where ID=XXX" << QVariant(3) << "select * from lineas where ID=3";
    QTest::newRow("todos") << "Clave='XXX' or Padre='XXX' or XXX" << QVariant("V01")
                           << "Clave='V01' or Padre='V01' or V01";
    QTest::newRow("con comilla") << "Nombre='XXX'" << QVariant("Ferretería O'Brien") << "Nombre='Ferretería O'Brien'";
    QTest::newRow("entero largo") << "ID=XXX" << QVariant(qlonglong(9000000000)) << "ID=9000000000";
    QTest::newRow("decimal") << "Importe>XXX" << QVariant(10.25) << "Importe>10.25";
    QTest::newRow("negativo") << "Saldo<XXX" << QVariant(-4) << "Saldo<-4";
    QTest::newRow("vacío") << "[XXX]" << QVariant(QString()) << "[]";
    QTest::newRow("sin XXX") << "select count(*) from lineas" << QVariant(7) << "select count(*) from lineas";
    QTest::newRow("minúsculas no") << "xxx=XXX" << QVariant(1) << "xxx=1";
    QTest::newRow("cuatro X") << "XXXX" << QVariant(1) << "1X";
    QTest::newRow("valor con XXX") << "XXX-XXX" << QVariant("aXXX") << "aXXX-aXXX";
}

void tst_HostFactory::cambXXX()
{
    QFETCH(QString, plantilla);
    QFETCH(QVariant, valor);
    QFETCH(QString, esperado);
    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.Utilerias"), entorno.Contexto());
    QCOMPARE(Como<Utilerias>(objeto).CambXXX(plantilla, valor), esperado);
}

void tst_HostFactory::encriptaIdaYVuelta_data()
{
    QTest::addColumn<QString>("texto");
    QTest::newRow("vacío") << "";
    QTest::newRow("un blanco") << " ";
    QTest::newRow("root") << "root";
    QTest::newRow("UTF-8") << "contraseña";
    QTest::newRow("signos del INI") << "a;b=c [d] #e";
    QTest::newRow("letras iguales") << "aaaaaaaa";
    QTest::newRow("largo") << QString(300, QLatin1Char('x')) + QStringLiteral("ñ");
}

void tst_HostFactory::encriptaIdaYVuelta()
{
    QFETCH(QString, texto);
    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.Utilerias"), entorno.Contexto());
    const Utilerias &utilerias = Como<Utilerias>(objeto);

    const QString cCifrado = utilerias.Encripta(texto);
    QVERIFY2(QRegularExpression(QStringLiteral("^([0-9A-Fa-f]{2})+$")).match(cCifrado).hasMatch(), qPrintable(cCifrado));
    QVERIFY2(cCifrado != texto, qPrintable(cCifrado));
    if (texto.toUtf8().size() >= 4) // not merely the text in hexadecimal
        QVERIFY2(!cCifrado.contains(QString::fromLatin1(texto.toUtf8().toHex()), Qt::CaseInsensitive),
                 qPrintable(cCifrado));
    QCOMPARE(utilerias.DesEncripta(cCifrado), texto);
}

void tst_HostFactory::desEncriptaRechazaLoQueNoEsCifrado_data()
{
    QTest::addColumn<QString>("cifrado");

    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.Utilerias"), entorno.Contexto());
    const QString cBueno = Como<Utilerias>(objeto).Encripta(QStringLiteral("contraseña"));
    QVERIFY(cBueno.size() >= 6);

    // One hexadecimal digit changed at position n.
    const auto conDigitoCambiado = [&](qsizetype n) {
        QString cDanado = cBueno;
        cDanado[n] = cBueno.at(n) == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
        return cDanado;
    };

    QTest::newRow("vacío") << "";
    QTest::newRow("blancos") << "   ";
    QTest::newRow("no hexadecimal") << "XYZ";
    QTest::newRow("no hexadecimal par") << "XYZW";
    QTest::newRow("largo impar") << cBueno.chopped(1);
    QTest::newRow("un byte de menos") << cBueno.chopped(2);
    QTest::newRow("un byte de más") << cBueno + QStringLiteral("00");
    QTest::newRow("texto plano") << "root";
    QTest::newRow("primer dígito cambiado") << conDigitoCambiado(0);
    QTest::newRow("un dígito de en medio cambiado") << conDigitoCambiado(cBueno.size() / 2);
    QTest::newRow("otro dígito de en medio cambiado") << conDigitoCambiado(cBueno.size() / 2 + 3);
    QTest::newRow("último dígito cambiado") << conDigitoCambiado(cBueno.size() - 1);
}

void tst_HostFactory::desEncriptaRechazaLoQueNoEsCifrado()
{
    QFETCH(QString, cifrado);
    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.Utilerias"), entorno.Contexto());
    QString cResultado;
    const std::optional<Falla> falla = FallaDe([&] { cResultado = Como<Utilerias>(objeto).DesEncripta(cifrado); });
    QVERIFY2(falla, qPrintable(QStringLiteral("se aceptó y dio «%1»").arg(cResultado)));
    QCOMPARE(falla->nNumero, CodigoErrorHost::TipoNoCoincide);
    QVERIFY(!falla->cDescripcion.isEmpty());
}

void tst_HostFactory::orVal_data()
{
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<double>("esperado");

    QTest::newRow("vacío") << QVariant(QString()) << 0.0;
    QTest::newRow("nulo") << QVariant() << 0.0;
    QTest::newRow("cero") << QVariant("0") << 0.0;
    QTest::newRow("puerto") << QVariant("3306") << 3306.0;
    QTest::newRow("blancos y letras") << QVariant("  12abc") << 12.0;
    QTest::newRow("tabulador") << QVariant("\t7") << 7.0;
    QTest::newRow("letras") << QVariant("abc") << 0.0;
    QTest::newRow("negativo decimal") << QVariant("-4.5x") << -4.5;
    QTest::newRow("con signo más") << QVariant("+8") << 8.0;
    QTest::newRow("dos puntos") << QVariant("1.2.3") << 1.2;
    QTest::newRow("punto al principio") << QVariant(".5") << 0.5;
    QTest::newRow("coma") << QVariant("1,5") << 1.0;
    QTest::newRow("solo signo") << QVariant("-") << 0.0;
    QTest::newRow("solo punto") << QVariant(".") << 0.0;
    QTest::newRow("entero") << QVariant(42) << 42.0;
    QTest::newRow("entero negativo") << QVariant(-3) << -3.0;
    QTest::newRow("entero largo") << QVariant(qlonglong(5000000000)) << 5000000000.0;
    QTest::newRow("doble") << QVariant(2.75) << 2.75;
}

void tst_HostFactory::orVal()
{
    QFETCH(QVariant, valor);
    QFETCH(double, esperado);
    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.libNucleo"), entorno.Contexto());
    QCOMPARE(Como<libNucleo>(objeto).orVal(valor), esperado);
}

void tst_HostFactory::aEntero16_data()
{
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<int>("esperado");
    QTest::addColumn<int>("falla"); // 0: none

    QTest::newRow("dos") << QVariant("2") << 2 << 0;
    QTest::newRow("con blancos") << QVariant(" 7 ") << 7 << 0;
    QTest::newRow("medio al par de abajo") << QVariant("2.5") << 2 << 0;
    QTest::newRow("medio al par de arriba") << QVariant("3.5") << 4 << 0;
    QTest::newRow("negativo medio") << QVariant("-2.5") << -2 << 0;
    QTest::newRow("casi medio") << QVariant("2.49") << 2 << 0;
    QTest::newRow("mínimo") << QVariant("-32768") << -32768 << 0;
    QTest::newRow("máximo") << QVariant("32767") << 32767 << 0;
    QTest::newRow("número doble") << QVariant(6.5) << 6 << 0;
    QTest::newRow("número entero") << QVariant(12) << 12 << 0;
    QTest::newRow("uno de más") << QVariant("32768") << 0 << CodigoErrorHost::Desbordamiento;
    QTest::newRow("uno de menos") << QVariant("-32769") << 0 << CodigoErrorHost::Desbordamiento;
    QTest::newRow("redondeado fuera") << QVariant("32767.5") << 0 << CodigoErrorHost::Desbordamiento;
    QTest::newRow("entero grande") << QVariant(40000) << 0 << CodigoErrorHost::Desbordamiento;
    QTest::newRow("letras") << QVariant("abc") << 0 << CodigoErrorHost::TipoNoCoincide;
    QTest::newRow("número y letras") << QVariant("2x") << 0 << CodigoErrorHost::TipoNoCoincide;
    QTest::newRow("vacío") << QVariant("") << 0 << CodigoErrorHost::TipoNoCoincide;
    QTest::newRow("blancos") << QVariant("   ") << 0 << CodigoErrorHost::TipoNoCoincide;
}

void tst_HostFactory::aEntero16()
{
    QFETCH(QVariant, valor);
    QFETCH(int, esperado);
    QFETCH(int, falla);
    const QString cQue = QStringLiteral("Id moneda USD");
    qint16 nResultado = 0;
    const std::optional<Falla> resultado = FallaDe([&] { nResultado = AEntero16(valor, cQue); });
    QCOMPARE(resultado ? resultado->nNumero : 0, falla);
    if (resultado)
        QVERIFY2(resultado->cDescripcion.contains(cQue), qPrintable(resultado->cDescripcion));
    else
        QCOMPARE(int(nResultado), esperado);
}

void tst_HostFactory::fechaSQL_data()
{
    QTest::addColumn<QDate>("fecha");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("día y mes de una cifra") << QDate(2024, 3, 5) << "2024-03-05";
    QTest::newRow("fin de año") << QDate(2023, 12, 31) << "2023-12-31";
    QTest::newRow("bisiesto") << QDate(2024, 2, 29) << "2024-02-29";
}

void tst_HostFactory::fechaSQL()
{
    QFETCH(QDate, fecha);
    QFETCH(QString, esperado);
    EntornoHost entorno;
    const HostObjectPtr objeto = entorno.fabrica.Crea(QStringLiteral("Orbe5.libNucleo"), entorno.Contexto());
    QCOMPARE(Como<libNucleo>(objeto).FechaSQL(fecha), esperado);
}

void tst_HostFactory::rutaLocal_data()
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

void tst_HostFactory::rutaLocal()
{
    QFETCH(QString, ruta);
    QFETCH(QString, esperado);
    HostContext contexto;
    contexto.mapaUnidades.insert(QLatin1Char('C'), QStringLiteral("/srv/unidad-c"));
    contexto.mapaUnidades.insert(QLatin1Char('D'), QStringLiteral("/srv/unidad-d/"));
    QCOMPARE(contexto.RutaLocal(ruta), esperado);
}

void tst_HostFactory::enter_data()
{
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
}

void tst_HostFactory::enter()
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

void tst_HostFactory::teclas_data()
{
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
}

void tst_HostFactory::teclas()
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

void tst_HostFactory::elFocoSaltaLosCamposInactivos_data()
{
    QTest::addColumn<int>("tecla");
    QTest::addColumn<bool>("oculto"); // the second field hidden; otherwise disabled
    QTest::addColumn<int>("focoAntes");
    QTest::addColumn<int>("focoDespues");

    QTest::newRow("intro, desactivado") << 13 << false << 0 << 2;
    QTest::newRow("intro, oculto") << 13 << true << 0 << 2;
    QTest::newRow("arriba, desactivado") << 38 << false << 2 << 0;
    QTest::newRow("abajo, oculto") << 40 << true << 0 << 2;
}

void tst_HostFactory::elFocoSaltaLosCamposInactivos()
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

void tst_HostFactory::elFocoPasaPorListasYFechas_data()
{
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
}

void tst_HostFactory::elFocoPasaPorListasYFechas()
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

void tst_HostFactory::codigosTecla_data()
{
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("modificadores");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("codigoVirtual");
    QTest::addColumn<int>("caracter");

    QTest::newRow("intro") << int(Qt::Key_Return) << int(Qt::NoModifier) << "\r" << 13 << 13;
    QTest::newRow("intro del teclado numérico") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13 << 13;
    QTest::newRow("arriba") << int(Qt::Key_Up) << int(Qt::NoModifier) << "" << 38 << 0;
    QTest::newRow("abajo") << int(Qt::Key_Down) << int(Qt::NoModifier) << "" << 40 << 0;
    QTest::newRow("a") << int(Qt::Key_A) << int(Qt::NoModifier) << "a" << 65 << 97;
    QTest::newRow("A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A" << 65 << 65;
    QTest::newRow("z") << int(Qt::Key_Z) << int(Qt::NoModifier) << "z" << 90 << 122;
    QTest::newRow("cinco") << int(Qt::Key_5) << int(Qt::NoModifier) << "5" << 53 << 53;
    QTest::newRow("blanco") << int(Qt::Key_Space) << int(Qt::NoModifier) << " " << 32 << 32;
    QTest::newRow("retroceso") << int(Qt::Key_Backspace) << int(Qt::NoModifier) << "\b" << 8 << 8;
    QTest::newRow("tabulador") << int(Qt::Key_Tab) << int(Qt::NoModifier) << "\t" << 9 << 9;
    QTest::newRow("escape") << int(Qt::Key_Escape) << int(Qt::NoModifier) << "\x1b" << 27 << 27;
    QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::NoModifier) << "" << 112 << 0;
    QTest::newRow("F12") << int(Qt::Key_F12) << int(Qt::NoModifier) << "" << 123 << 0;
    QTest::newRow("mayúsculas sola") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << 0 << 0;
}

void tst_HostFactory::codigosTecla()
{
    QFETCH(int, tecla);
    QFETCH(int, modificadores);
    QFETCH(QString, texto);
    QFETCH(int, codigoVirtual);
    QFETCH(int, caracter);
    const QKeyEvent evento(QEvent::KeyPress, tecla, Qt::KeyboardModifiers(modificadores), texto);
    QCOMPARE(int(CodigosTecla::CodigoVirtual(evento)), codigoVirtual);
    QCOMPARE(int(CodigosTecla::CodigoCaracter(evento)), caracter);
}

QTEST_MAIN(tst_HostFactory)
#include "tst_HostFactory.moc"
