// The table of the report's filters, read by all its users: for each entry, the invoices'
// condition, the names in the report's header (a value its table has and one it does not), the
// report definition's formulas and header, the batch mode's option and its help. A filter that
// one of them leaves out fails here, not on paper.

#include <QtTest>

#include "BaseDePrueba.h"
#include "BasesDD.h"
#include "CompiladorRpt.h"
#include "Connection.h"
#include "EntornoHost.h"
#include "FiltroVentas.h"
#include "NombresDeFiltros.h"
#include "ObjetosPrograma.h"
#include "OpcionesLotes.h"
#include "ParametrosRpt.h"
#include "Periodo.h"
#include "Recordset.h"
#include "TablaDeFiltros.h"

namespace {

const DisenoReporte &InformeMensual()
{
    static const DisenoReporte diseno = [] {
        QFile archivo(QStringLiteral(DEFINICION_INFORME_MENSUAL));
        if (!archivo.open(QIODevice::ReadOnly))
            qFatal("No se puede leer %s", DEFINICION_INFORME_MENSUAL);
        return CompiladorRpt::Compila(QString::fromUtf8(archivo.readAll())).diseno;
    }();
    return diseno;
}

// Every text of the report's header lines.
QString TextoDelEncabezado()
{
    QString cTexto;
    for (const LineaFija &linea : InformeMensual().encabezado)
        for (const SegmentoLinea &segmento : linea.segmentos)
            cTexto += segmento.cTexto + u'\n';
    return cTexto;
}

// The filters with only this one given.
FiltrosInforme SoloEste(const TablaDeFiltros::Filtro &filtro, const QString &cValor)
{
    FiltrosInforme filtros;
    filtros.*filtro.pValor = cValor;
    return filtros;
}

} // namespace

class tst_TablaDeFiltros : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cadaFiltroLoLeenTodos_data();
    void cadaFiltroLoLeenTodos();

private:
    std::unique_ptr<BaseDePrueba> m_pBase;
    EntornoHost m_entorno;
    ObjetosPrograma m_objetos;
};

void tst_TablaDeFiltros::initTestCase()
{
    m_pBase = std::make_unique<BaseDePrueba>();
    m_pBase->CreaCatalogos();
    m_objetos.Crea(m_entorno.fabrica, m_entorno.Contexto());
    m_objetos.Bases().cMiBase = m_pBase->Nombre();
    // Each member of FiltrosInforme but the two dates is a filter of the table.
    QCOMPARE(sizeof(FiltrosInforme), (2 + size_t(TablaDeFiltros::Todos().size())) * sizeof(QString));
    QVERIFY(TablaDeFiltros::nPrimeraRanura >= Periodo::nMaximoMeses);
}

void tst_TablaDeFiltros::cadaFiltroLoLeenTodos_data()
{
    QTest::addColumn<qsizetype>("indice");
    const QList<TablaDeFiltros::Filtro> &tabla = TablaDeFiltros::Todos();
    for (qsizetype i = 0; i < tabla.size(); ++i)
        QTest::newRow(qPrintable(tabla.at(i).cOpcion)) << i;
}

void tst_TablaDeFiltros::cadaFiltroLoLeenTodos()
{
    QFETCH(qsizetype, indice);
    const TablaDeFiltros::Filtro &filtro = TablaDeFiltros::Todos().at(indice);
    QCOMPARE(&TablaDeFiltros::De(filtro.pValor), &filtro);
    const bool bNumero = filtro.tipo == TablaDeFiltros::Tipo::Numero;
    Connection cnn = Connection::Abre(m_pBase->Datos());

    // A row of its table, given as a person might type it (in lower case when the report
    // upper-cases it); and a value that no row has.
    Recordset rs = cnn.Execute(QStringLiteral("select %1, %2 from %3 order by %1 limit 1")
                                   .arg(filtro.cCampoClave, filtro.cCampoNombre, filtro.cTabla));
    QVERIFY2(!rs.FinDeFilas(), qPrintable(filtro.cTabla));
    const QString cClave = rs.Campo(0).toString();
    const QString cNombre = rs.Campo(1).toString();
    QVERIFY(!cNombre.isEmpty());
    const QString cDado = filtro.bMayusculas ? cClave.toLower() : cClave;
    const QString cDesconocido = bNumero ? QStringLiteral("987654") : QStringLiteral("NO'EXISTE");

    // The invoices' condition, on its column, with the value quoted or as a number; nothing
    // when it is not given.
    const QString cSinFiltros = FiltroVentas::Construye(FiltrosInforme{}, m_objetos, cnn, 2).cFacturas;
    QCOMPARE(FiltroVentas::Construye(SoloEste(filtro, bNumero ? QStringLiteral("0") : QStringLiteral("  ")), m_objetos,
                                     cnn, 2)
                 .cFacturas,
             cSinFiltros);
    QCOMPARE(FiltroVentas::Construye(SoloEste(filtro, cDado), m_objetos, cnn, 2).cFacturas,
             cSinFiltros + QStringLiteral(" and ") + filtro.cColumna +
                 (bNumero ? QLatin1Char('=') + cClave : QStringLiteral("='") + cClave + QLatin1Char('\'')));

    // Its names in the header, in slots of its own after the months' and within the report
    // request's; the report definition accepts those formulas and its header shows them.
    const NombresDeFiltros conocido = NombresDeFiltros::Busca(SoloEste(filtro, cDado), m_objetos, cnn);
    QVERIFY(conocido.desconocidos.isEmpty());
    QList<NombresDeFiltros::Formula> esperadas;
    if (!filtro.cFormulaValor.isEmpty())
        esperadas << NombresDeFiltros::Formula{TablaDeFiltros::RanuraDelValor(indice),
                                               filtro.cFormulaValor + QStringLiteral("='") + cClave + u'\''};
    esperadas << NombresDeFiltros::Formula{TablaDeFiltros::RanuraDelNombre(indice),
                                           filtro.cFormulaNombre + QStringLiteral("='") + cNombre + u'\''};
    QCOMPARE(conocido.formulas.size(), esperadas.size());
    for (qsizetype i = 0; i < esperadas.size(); ++i) {
        QCOMPARE(conocido.formulas.at(i).nRanura, esperadas.at(i).nRanura);
        QCOMPARE(conocido.formulas.at(i).cTexto, esperadas.at(i).cTexto);
        QVERIFY(esperadas.at(i).nRanura >= TablaDeFiltros::nPrimeraRanura);
        QVERIFY(esperadas.at(i).nRanura < ParametrosRpt::nFormulas);
    }
    for (const QString &cFormula : {filtro.cFormulaValor, filtro.cFormulaNombre}) {
        if (cFormula.isEmpty())
            continue;
        QVERIFY2(InformeMensual().formulas.contains(cFormula, Qt::CaseInsensitive), qPrintable(cFormula));
        QVERIFY2(TextoDelEncabezado().contains(QStringLiteral("{@") + cFormula + u'}'), qPrintable(cFormula));
    }

    // A value that no row has: said in the list of unknown ones and in the header.
    const NombresDeFiltros desconocido = NombresDeFiltros::Busca(SoloEste(filtro, cDesconocido), m_objetos, cnn);
    QCOMPARE(desconocido.desconocidos,
             QStringList{QStringLiteral("%1 %2 %3 no existe en la tabla %4")
                             .arg(filtro.cArticulo, filtro.cNombre, cDesconocido, filtro.cTabla)});
    QVERIFY(!desconocido.formulas.isEmpty());
    QVERIFY2(desconocido.formulas.last().cTexto.endsWith(NombresDeFiltros::cNoExiste + u'\''),
             qPrintable(desconocido.formulas.last().cTexto));

    // The batch mode's option, in every text of its help.
    const auto opcion = std::find_if(OpcionesLotes::Todas().cbegin(), OpcionesLotes::Todas().cend(),
                                     [&](const OpcionesLotes::Opcion &o) { return o.cNombre == filtro.cOpcion; });
    QVERIFY(opcion != OpcionesLotes::Todas().cend());
    QCOMPARE(opcion->cArgumento, filtro.cArgumento);
    QCOMPARE(opcion->cDescripcion, filtro.cDescripcion);
    QCOMPARE(opcion->forma, OpcionesLotes::Forma::Comun);
    QVERIFY(!opcion->bObligatoria);
    const QString cComoSeEscribe = QStringLiteral("--") + filtro.cOpcion + u' ' + filtro.cArgumento;
    QVERIFY(OpcionesLotes::TextoAyuda(QStringLiteral("informe-mensual")).contains(u'[' + cComoSeEscribe + u']'));
    QVERIFY(OpcionesLotes::HtmlOpciones(QStringLiteral("informe-mensual")).contains(cComoSeEscribe));
    QVERIFY(OpcionesLotes::RoffOpciones().contains(QStringLiteral("\\fB\\-\\-%1\\fR").arg(filtro.cOpcion)));
}

QTEST_GUILESS_MAIN(tst_TablaDeFiltros)
#include "tst_TablaDeFiltros.moc"
