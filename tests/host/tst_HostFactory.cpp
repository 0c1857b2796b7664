// The host objects by ProgID: every class, any letter case, what an unknown ProgID or a slot
// of another class gives, and the program's eight objects.

#include <QtTest>

#include <optional>

#include "BasesDD.h"
#include "DeArchivos.h"
#include "DelRegistro.h"
#include "EntornoHost.h"
#include "Falla.h"
#include "HostError.h"
#include "HostFactory.h"
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
};

void tst_HostFactory::creaCadaClase_data()
{
    // clang-format off
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
    // clang-format on
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
    // clang-format off
    QTest::addColumn<QString>("progId");
    QTest::newRow("clase inexistente") << "Orbe5.NoExiste";
    QTest::newRow("otra librería") << "Orbe6.libNucleo";
    QTest::newRow("sin librería") << "libNucleo";
    QTest::newRow("sin clase") << "Orbe5.";
    QTest::newRow("con blancos") << " Orbe5.libNucleo";
    QTest::newRow("vacío") << "";
    // clang-format on
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
    // clang-format off
    QTest::addColumn<QString>("progId"); // "" leaves the slot empty
    QTest::addColumn<int>("numero");     // of the failure of Como<BasesDD>; 0: none
    QTest::newRow("de su clase") << "Orbe5.BasesDD" << 0;
    QTest::newRow("otra clase") << "Orbe5.libNucleo" << CodigoErrorHost::TipoNoCoincide;
    QTest::newRow("clase solo creada") << "Orbe5.DeEquipo" << CodigoErrorHost::TipoNoCoincide;
    QTest::newRow("sin objeto") << "" << CodigoErrorHost::ObjetoNoAsignado;
    // clang-format on
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

QTEST_GUILESS_MAIN(tst_HostFactory)
#include "tst_HostFactory.moc"
