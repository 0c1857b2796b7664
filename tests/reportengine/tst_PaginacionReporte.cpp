// How rows fall on pages: whole rows per page, the totals under the last row when they fit,
// on a page of their own when not, the chart likewise after them, and always one page.

#include <QTest>

#include "PaginacionReporte.h"

using Pagina = PaginacionReporte::Pagina;
using Paginas = QList<Pagina>;

namespace QTest {
template <> char *toString(const Pagina &pagina)
{
    return qstrdup(QStringLiteral("{desde %1, %2 filas%3%4}")
                       .arg(pagina.nPrimeraFila)
                       .arg(pagina.nFilas)
                       .arg(pagina.bTotales ? QStringLiteral(", totales") : QString())
                       .arg(pagina.bGrafica ? QStringLiteral(", gráfica") : QString())
                       .toUtf8()
                       .constData());
}
} // namespace QTest

class tst_PaginacionReporte : public QObject
{
    Q_OBJECT

private slots:
    void Reparte_data();
    void Reparte();
};

void tst_PaginacionReporte::Reparte_data()
{
    // clang-format off
    QTest::addColumn<int>("nFilas");
    QTest::addColumn<double>("dCuerpo");
    QTest::addColumn<double>("dFila");
    QTest::addColumn<double>("dTotales");
    QTest::addColumn<double>("dGrafica");
    QTest::addColumn<Paginas>("esperadas");
    QTest::newRow("sin filas ni totales") << 0 << 100.0 << 10.0 << 0.0 << 0.0 << Paginas{{0, 0, false}};
    QTest::newRow("sin filas, con totales") << 0 << 100.0 << 10.0 << 12.0 << 0.0 << Paginas{{0, 0, true}};
    QTest::newRow("caben con los totales") << 5 << 100.0 << 10.0 << 12.0 << 0.0 << Paginas{{0, 5, true}};
    QTest::newRow("filas justas, totales a otra página")
        << 10 << 100.0 << 10.0 << 12.0 << 0.0 << Paginas{{0, 10, false}, {10, 0, true}};
    QTest::newRow("totales justos") << 8 << 100.0 << 10.0 << 20.0 << 0.0 << Paginas{{0, 8, true}};
    QTest::newRow("sin totales, filas justas") << 10 << 100.0 << 10.0 << 0.0 << 0.0 << Paginas{{0, 10, false}};
    QTest::newRow("tres páginas") << 25 << 100.0 << 10.0 << 12.0 << 0.0
                                  << Paginas{{0, 10, false}, {10, 10, false}, {20, 5, true}};
    QTest::newRow("fila que no cabe ocupa su página")
        << 2 << 5.0 << 10.0 << 0.0 << 0.0 << Paginas{{0, 1, false}, {1, 1, false}};
    // The chart after the totals: under them when it fits in what is left of the page, else alone.
    QTest::newRow("gráfica bajo los totales") << 5 << 100.0 << 10.0 << 12.0 << 38.0 << Paginas{{0, 5, true, true}};
    QTest::newRow("gráfica en su página")
        << 5 << 100.0 << 10.0 << 12.0 << 39.0 << Paginas{{0, 5, true, false}, {5, 0, false, true}};
    QTest::newRow("gráfica tras totales en su página")
        << 10 << 100.0 << 10.0 << 12.0 << 50.0 << Paginas{{0, 10, false}, {10, 0, true, true}};
    QTest::newRow("gráfica sin filas") << 0 << 100.0 << 10.0 << 12.0 << 50.0 << Paginas{{0, 0, true, true}};
    QTest::newRow("redondeo: 0.1 * 10 filas en 1.0") << 10 << 1.0 << 0.1 << 0.0 << 0.0 << Paginas{{0, 10, false}};
    // clang-format on
}

void tst_PaginacionReporte::Reparte()
{
    QFETCH(int, nFilas);
    QFETCH(double, dCuerpo);
    QFETCH(double, dFila);
    QFETCH(double, dTotales);
    QFETCH(double, dGrafica);
    QFETCH(Paginas, esperadas);
    QCOMPARE(PaginacionReporte::Reparte(nFilas, dCuerpo, dFila, dTotales, dGrafica), esperadas);
}

QTEST_APPLESS_MAIN(tst_PaginacionReporte)
#include "tst_PaginacionReporte.moc"
