// The twelve-month report on paper, read back from the PDF with pdftotext: header on every
// page, "Página N de M", the totals on the last page, page ranges, and no word outside the
// printable area however wide the numbers get. Our PDF writer puts every word where Qt's
// would, and refuses what it cannot draw.

#include <QBuffer>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

#include "ArmadorContenido.h"
#include "CodigosErrorReporte.h"
#include "CompiladorRpt.h"
#include "ControlReporte.h"
#include "EscritorPdf.h"
#include "InformeMensualDePrueba.h"
#include "NombresPapel.h"
#include "PintorReporte.h"
#include "Programa.h"

using Dibujo = std::function<void(QPainter &)>;
Q_DECLARE_METATYPE(Dibujo)

namespace {

// nClientes rows, each month with nCifras integer digits in its amount.
ContenidoReporte Contenido(int nClientes, int nCifras, const QString &cNombre = QStringLiteral("Cliente"),
                           const QHash<QString, QString> &filtros = {})
{
    DatosReporte datos;
    datos.campos << QStringLiteral("Cliente") << QStringLiteral("Nombre") << QStringLiteral("TotalCantRemis");
    for (int m = 1; m <= 12; ++m)
        datos.campos << QStringLiteral("Mes%1Monto").arg(m) << QStringLiteral("Mes%1Cant").arg(m);
    const QString cMonto = QString(nCifras, u'9') + QStringLiteral(".99");
    for (int i = 1; i <= nClientes; ++i) {
        datos << QStringLiteral("C%1").arg(i, 4, 10, QLatin1Char('0')) << QStringLiteral("%1 %2").arg(cNombre).arg(i)
              << QStringLiteral("1.00");
        for (int m = 1; m <= 12; ++m)
            datos << cMonto << QStringLiteral("10.00");
    }
    QHash<QString, QString> formulas = filtros;
    for (int m = 1; m <= 12; ++m)
        formulas.insert(QStringLiteral("mes%1").arg(m), QStringLiteral("m%1-24").arg(m));
    return ArmadorContenido(InformeMensual(), formulas, QDateTime::currentDateTime()).Arma(datos);
}

// The PDF of pages nDesde..nHasta (nCopias times) in a temporary file, by our writer or by
// Qt's; nPaginas gets the report's count.
QString Pdf(const QTemporaryDir &carpeta, const ContenidoReporte &contenido, int &nPaginas, int nDesde = 1,
            int nHasta = 0, std::optional<QPageSize::PageSizeId> papel = std::nullopt, int nCopias = 1,
            bool bIntercaladas = true, bool bDeQt = false)
{
    const QString cRuta = carpeta.filePath(bDeQt ? QStringLiteral("qt.pdf") : QStringLiteral("informe.pdf"));
    QFile archivo(cRuta);
    if (!archivo.open(QIODevice::WriteOnly))
        qFatal("No se puede crear %s", qPrintable(cRuta));
    const std::unique_ptr<QPdfWriter> pPdf =
        bDeQt ? std::make_unique<QPdfWriter>(&archivo) : std::make_unique<EscritorPdf>(&archivo);
    const PintorReporte pintor(contenido, QLocale(QLocale::Spanish, QLocale::Mexico));
    pPdf->setPageLayout(pintor.DisenoDePagina(papel));
    nPaginas = pintor.Pinta(*pPdf, nDesde, nHasta, nCopias, bIntercaladas);
    return cRuta;
}

struct Palabra
{
    QString cTexto;
    QRectF caja;
};

// The words of every page, with their boxes in points, as pdftotext -bbox reads them (a
// ligature's character as its letters).
QList<QList<Palabra>> Palabras(const QString &cPdf)
{
    const QString cCajas = SalidaDe(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), cPdf, QStringLiteral("-")});
    const QRegularExpression palabra(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<QList<Palabra>> paginas;
    for (const QString &cPagina : cCajas.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1)) {
        paginas.append(QList<Palabra>());
        for (const QRegularExpressionMatch &caja : palabra.globalMatch(cPagina)) {
            const QPointF arriba(caja.captured(1).toDouble(), caja.captured(2).toDouble());
            const QPointF abajo(caja.captured(3).toDouble(), caja.captured(4).toDouble());
            paginas.last().append({caja.captured(5).normalized(QString::NormalizationForm_KC), QRectF(arriba, abajo)});
        }
    }
    return paginas;
}

// The text of each page.
QStringList Paginas(const QString &cPdf)
{
    QStringList paginas = SalidaDe(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), cPdf, QStringLiteral("-")})
                              .split(QLatin1Char('\f'));
    if (!paginas.isEmpty() && paginas.last().trimmed().isEmpty())
        paginas.removeLast();
    return paginas;
}

} // namespace

class tst_PintorReporte : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void PaginasConEncabezadoYNumero_data();
    void PaginasConEncabezadoYNumero();
    void NadaSeSaleDeLaPagina_data();
    void NadaSeSaleDeLaPagina();
    void RangoDePaginas_data();
    void RangoDePaginas();
    void RangoFueraDelReporte();
    void ComoElEscritorDeQt_data();
    void ComoElEscritorDeQt();
    void LoQueNoSabeDibujar_data();
    void LoQueNoSabeDibujar();

private:
    QTemporaryDir m_carpeta;
};

void tst_PintorReporte::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("Falta pdftotext (paquete poppler-utils)");
    QVERIFY(m_carpeta.isValid());
}

void tst_PintorReporte::PaginasConEncabezadoYNumero_data()
{
    // clang-format off
    QTest::addColumn<int>("nClientes");
    QTest::addColumn<bool>("bGraficaAparte"); // the chart on a page of its own
    QTest::newRow("sin clientes") << 0 << false;
    QTest::newRow("un cliente") << 1 << false;
    QTest::newRow("varias páginas") << 150 << false;
    // On Letter, 22 rows and the totals leave the page too little room for the chart.
    QTest::newRow("gráfica en su página") << 22 << true;
    // clang-format on
}

void tst_PintorReporte::PaginasConEncabezadoYNumero()
{
    QFETCH(int, nClientes);
    QFETCH(bool, bGraficaAparte);
    int nPaginas = 0;
    const QStringList paginas = Paginas(Pdf(m_carpeta, Contenido(nClientes, 3), nPaginas));
    QCOMPARE(paginas.size(), nPaginas);
    if (nClientes > 100)
        QVERIFY(nPaginas > 1);
    int nFilasVistas = 0;
    for (int i = 0; i < paginas.size(); ++i) {
        const QString &cPagina = paginas[i];
        QVERIFY2(cPagina.contains(QLatin1String("Ventas de doce meses por cliente")), qPrintable(cPagina));
        QVERIFY(cPagina.contains(QLatin1String("Periodo: m1-24 a m12-24")));
        QVERIFY(cPagina.contains(QLatin1String("Filtros: ninguno")));
        // Every page has the column headings, but one with the chart alone.
        const bool bSoloGrafica = i == paginas.size() - 1 && !cPagina.contains(QLatin1String("Totales ("));
        QVERIFY(bSoloGrafica ==
                !cPagina.contains(QRegularExpression(QStringLiteral("Cliente +m1-24 .* m12-24 +Total +Rem. pend."))));
        QVERIFY2(cPagina.contains(QStringLiteral("Página %1 de %2").arg(i + 1).arg(nPaginas)), qPrintable(cPagina));
        nFilasVistas += int(cPagina.count(QRegularExpression(QStringLiteral("\\bC\\d{4}\\b"))));
    }
    QCOMPARE(nFilasVistas, nClientes); // every client once, none lost between pages
    // The chart last, after the totals: on their page when there is room, else on its own;
    // without clients, a line in its place.
    const QString cGrafica =
        nClientes == 0 ? QStringLiteral("Sin ventas en el periodo") : QStringLiteral("Importe y cantidad por mes");
    QCOMPARE(paginas.last().count(cGrafica), 1);
    const QString cTotales = paginas[paginas.size() - (bGraficaAparte ? 2 : 1)];
    QVERIFY2(cTotales.contains(cGrafica) != bGraficaAparte, qPrintable(cTotales));
    // Twelve months of 999.99 per client, and 10 units each month.
    QVERIFY2(cTotales.contains(nClientes == 1 ? QStringLiteral("Totales (1 cliente)")
                                              : QStringLiteral("Totales (%1 clientes)").arg(nClientes)),
             qPrintable(cTotales));
    const qint64 nCentavos = qint64(nClientes) * 1199988;
    const NumeroDecimal totalImporte = *NumeroDecimal::DeTexto(
        QStringLiteral("%1.%2").arg(nCentavos / 100).arg(nCentavos % 100, 2, 10, QLatin1Char('0')));
    QVERIFY2(cTotales.contains(totalImporte.TextoLocal(2, QLocale(QLocale::Spanish, QLocale::Mexico))),
             qPrintable(cTotales));
}

void tst_PintorReporte::NadaSeSaleDeLaPagina_data()
{
    // clang-format off
    QTest::addColumn<int>("nCifras");
    QTest::addColumn<QString>("cPapel");
    QTest::newRow("importes de miles, carta") << 4 << "Carta";
    QTest::newRow("importes de miles de millones, carta") << 10 << "Carta";
    QTest::newRow("importes de miles de millones, A5") << 10 << "A5";
    QTest::newRow("importes de billones, oficio") << 13 << "Oficio";
    // A million invoice lines a year: totals of eleven digits over rows of six.
    QTest::newRow("importes de cientos de miles, carta") << 6 << "Carta";
    // clang-format on
}

void tst_PintorReporte::NadaSeSaleDeLaPagina()
{
    QFETCH(int, nCifras);
    QFETCH(QString, cPapel);
    // The three filters with names as long as the host's tables hold (and the header's line
    // longer than any paper).
    const QString cLargo = QStringLiteral("Nombre larguísimo ").repeated(5);
    const ContenidoReporte contenido =
        Contenido(40, nCifras, QStringLiteral("Un nombre de cliente muy largo que no cabe"),
                  {{QStringLiteral("cliente"), QStringLiteral("C0001")},
                   {QStringLiteral("nombrecliente"), cLargo},
                   {QStringLiteral("vendedor"), QStringLiteral("V01")},
                   {QStringLiteral("nombrevendedor"), cLargo},
                   {QStringLiteral("linea"), cLargo}});
    int nPaginas = 0;
    const QString cPdf = Pdf(m_carpeta, contenido, nPaginas, 1, 0, PapelPorNombre(cPapel));
    const QString cCajas = SalidaDe(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), cPdf, QStringLiteral("-")});

    const QRegularExpression pagina(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    const QRegularExpressionMatch medidas = pagina.match(cCajas);
    QVERIFY(medidas.hasMatch());
    const double dMargen = contenido.pagina.nMargenDecimasMm / 10.0 / 25.4 * 72 - 0.5; // points, with a hair of slack
    const double dAncho = medidas.captured(1).toDouble();
    const double dAlto = medidas.captured(2).toDouble();
    const QRegularExpression palabra(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    int nPalabras = 0;
    for (const QRegularExpressionMatch &caja : palabra.globalMatch(cCajas)) {
        ++nPalabras;
        const QString cPalabra = caja.captured(5);
        QVERIFY2(caja.captured(1).toDouble() >= dMargen && caja.captured(3).toDouble() <= dAncho - dMargen,
                 qPrintable(QStringLiteral("\"%1\" sale por un lado: %2..%3 de %4")
                                .arg(cPalabra, caja.captured(1), caja.captured(3))
                                .arg(dAncho)));
        QVERIFY2(caja.captured(2).toDouble() >= dMargen && caja.captured(4).toDouble() <= dAlto - dMargen,
                 qPrintable(QStringLiteral("\"%1\" sale por arriba o abajo").arg(cPalabra)));
    }
    QVERIFY(nPalabras > 40 * 28);

    // Every name whole: what its line does not hold goes on the line above, after the code.
    const QString cTexto = SalidaDe(QStringLiteral("pdftotext"), {cPdf, QStringLiteral("-")});
    const QRegularExpression lineaDeFiltros(QStringLiteral("^Filtros:.*$"), QRegularExpression::MultilineOption);
    QVERIFY2(!QString(cTexto).remove(lineaDeFiltros).contains(u'…'), qPrintable(cTexto));
    QCOMPARE(cTexto.count(QRegularExpression(QStringLiteral("\\bcabe \\d+\\b"))), 40);

    // The totals in the rows' letter: no number under the totals' label is shorter than the
    // rows' numbers (a word's box is as tall as its letter).
    const QList<QList<Palabra>> palabras = Palabras(cPdf);
    const auto esTotales = [](const Palabra &p) { return p.cTexto == u"Totales"; };
    qsizetype nPaginaTotales = palabras.size() - 1;
    while (nPaginaTotales > 0 &&
           std::none_of(palabras[nPaginaTotales].begin(), palabras[nPaginaTotales].end(), esTotales))
        --nPaginaTotales;
    const QList<Palabra> &conTotales = palabras[nPaginaTotales];
    const auto totales = std::find_if(conTotales.begin(), conTotales.end(), esTotales);
    QVERIFY(totales != conTotales.end());
    const QRegularExpression numero(QStringLiteral("^[0-9][0-9,.]*$"));
    double dAlturaFilas = 0;
    double dAlturaTotales = 1e9;
    for (const Palabra &palabra : conTotales) {
        if (!numero.match(palabra.cTexto).hasMatch())
            continue;
        if (palabra.caja.bottom() < totales->caja.top())
            dAlturaFilas = qMax(dAlturaFilas, palabra.caja.height());
        else
            dAlturaTotales = qMin(dAlturaTotales, palabra.caja.height());
    }
    QVERIFY(dAlturaFilas > 0);
    QVERIFY2(dAlturaTotales >= dAlturaFilas - 0.01,
             qPrintable(QStringLiteral("totales de %1 pt, filas de %2 pt").arg(dAlturaTotales).arg(dAlturaFilas)));

    // Each month's two totals read under its own heading, however wide: the heading nearest to
    // a total's middle is its month's (or "Total", "pend." for the last two columns).
    QList<Palabra> titulos;
    for (const Palabra &palabra : conTotales) {
        if (palabra.caja.bottom() < totales->caja.top() &&
            palabra.cTexto.contains(QRegularExpression(QStringLiteral("^(m\\d+-24|Total|pend\\.)$"))))
            titulos.append(palabra);
    }
    const auto cliente =
        std::find_if(conTotales.begin(), conTotales.end(), [](const Palabra &p) { return p.cTexto == u"Cliente"; });
    QVERIFY(cliente != conTotales.end());
    titulos.erase(std::remove_if(titulos.begin(), titulos.end(),
                                 [&](const Palabra &p) { return qAbs(p.caja.top() - cliente->caja.top()) > 1; }),
                  titulos.end()); // the column headings, not the header's period
    QCOMPARE(titulos.size(), 14);
    QHash<QString, int> bajoTitulo;
    for (const Palabra &palabra : conTotales) {
        if (!numero.match(palabra.cTexto).hasMatch() || palabra.caja.top() < totales->caja.top() - 1 ||
            palabra.caja.top() > totales->caja.bottom() + 4 * totales->caja.height())
            continue;
        const auto cercano = std::min_element(titulos.begin(), titulos.end(), [&](const Palabra &a, const Palabra &b) {
            return qAbs(a.caja.center().x() - palabra.caja.center().x()) <
                   qAbs(b.caja.center().x() - palabra.caja.center().x());
        });
        ++bajoTitulo[cercano->cTexto];
    }
    for (int nMes = 1; nMes <= 12; ++nMes)
        QVERIFY2(bajoTitulo.value(QStringLiteral("m%1-24").arg(nMes)) == 2, qPrintable(QString::number(nMes)));

    // The chart closes the report, under the totals or on the next page: each month's heading
    // once under its bar (the pages' words are all within the paper, above).
    QVERIFY(palabras.size() - 1 - nPaginaTotales <= 1);
    const QList<Palabra> &ultima = palabras.last();
    const auto titulo =
        std::find_if(ultima.begin(), ultima.end(), [](const Palabra &p) { return p.cTexto == u"cantidad"; });
    QVERIFY(titulo != ultima.end()); // "Importe y cantidad por mes"
    if (nPaginaTotales == palabras.size() - 1)
        QVERIFY(titulo->caja.top() > totales->caja.bottom());
    for (int nMes = 1; nMes <= 12; ++nMes) {
        const QString cMes = QStringLiteral("m%1-24").arg(nMes);
        QCOMPARE(
            std::count_if(ultima.begin(), ultima.end(),
                          [&](const Palabra &p) { return p.cTexto == cMes && p.caja.top() > titulo->caja.bottom(); }),
            1);
    }
}

void tst_PintorReporte::RangoDePaginas_data()
{
    // clang-format off
    QTest::addColumn<int>("nCopias");
    QTest::addColumn<bool>("bIntercaladas");
    QTest::addColumn<QList<int>>("hojas"); // the report's page on each sheet
    QTest::newRow("una copia") << 1 << true << QList<int>{2, 3};
    // What a PDF file or a printer without copies of its own gets from the print dialog.
    QTest::newRow("dos copias intercaladas") << 2 << true << QList<int>{2, 3, 2, 3};
    QTest::newRow("dos copias sin intercalar") << 2 << false << QList<int>{2, 2, 3, 3};
    // clang-format on
}

void tst_PintorReporte::RangoDePaginas()
{
    QFETCH(int, nCopias);
    QFETCH(bool, bIntercaladas);
    QFETCH(QList<int>, hojas);
    int nPaginas = 0;
    const QStringList paginas =
        Paginas(Pdf(m_carpeta, Contenido(150, 3), nPaginas, 2, 3, std::nullopt, nCopias, bIntercaladas));
    QVERIFY(nPaginas > 3);
    QCOMPARE(paginas.size(), hojas.size());
    for (qsizetype i = 0; i < hojas.size(); ++i)
        QVERIFY2(paginas[i].contains(QStringLiteral("Página %1 de %2").arg(hojas[i]).arg(nPaginas)),
                 qPrintable(paginas[i]));
}

void tst_PintorReporte::RangoFueraDelReporte()
{
    int nPaginas = 0;
    try {
        Pdf(m_carpeta, Contenido(1, 3), nPaginas, 5, 6);
        QFAIL("Se pintaron páginas que no existen");
    } catch (const ErrorReporte &error) {
        QCOMPARE(error.Numero(), CodigoErrorRpt::ValorNoValido);
        QVERIFY2(error.Descripcion().contains(QStringLiteral("acaba en la página 1")), qPrintable(error.Descripcion()));
    }
}

void tst_PintorReporte::ComoElEscritorDeQt_data()
{
    // clang-format off
    QTest::addColumn<int>("nCifras");
    QTest::addColumn<QString>("cNombre");
    QTest::addColumn<QString>("cPapel");
    QTest::newRow("varias páginas, carta") << 3 << "Cliente"
                                           << "Carta";
    // Drawn by Qt's layout: ligatures (fi, fl) and letters off the ASCII table.
    QTest::newRow("nombres con acentos y ligaduras") << 4 << "Oficina Núñez, fábrica «Flor»"
                                                     << "A4";
    // Totals wider than their columns, on lines of their own.
    QTest::newRow("totales en más líneas") << 13 << "Cliente"
                                           << "Oficio";
    // clang-format on
}

void tst_PintorReporte::ComoElEscritorDeQt()
{
    QFETCH(int, nCifras);
    QFETCH(QString, cNombre);
    QFETCH(QString, cPapel);
    const ContenidoReporte contenido = Contenido(70, nCifras, cNombre);
    int nPaginas = 0;
    int nPaginasQt = 0;
    const QString cNuestro = Pdf(m_carpeta, contenido, nPaginas, 1, 0, PapelPorNombre(cPapel));
    const QString cDeQt = Pdf(m_carpeta, contenido, nPaginasQt, 1, 0, PapelPorNombre(cPapel), 1, true, true);
    QCOMPARE(nPaginas, nPaginasQt);
    QVERIFY(nPaginas > 1);

    // The same text in the same reading order, save that ours reads a ligature as its letters
    // where Qt's gives the ligature's own character...
    const QString cTexto = SalidaDe(QStringLiteral("pdftotext"), {cNuestro, QStringLiteral("-")});
    QVERIFY(cTexto.contains(cNombre + QStringLiteral(" 1\n")));
    // ...read line by line as on paper, the words of a line by their place along it, which does not
    // hang on the millionths of a point by which Qt's writer puts one a hair above another.
    const auto comoEnElPapel = [](const QString &cPdf) {
        return SalidaDe(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), cPdf, QStringLiteral("-")})
            .normalized(QString::NormalizationForm_KC)
            .replace(QRegularExpression(QStringLiteral(" +")), QStringLiteral(" ")); // a ligature's width aside
    };
    QCOMPARE(comoEnElPapel(cNuestro), comoEnElPapel(cDeQt));
    // ...on the same paper, and every word where Qt puts it, within a hundredth of a millimetre
    // (the font's widths against Qt's advances, the positions in thousandths of a point).
    const auto papel = [](const QString &cPdf) {
        return QRegularExpression(QStringLiteral("Page size: +(.*)\n"))
            .match(SalidaDe(QStringLiteral("pdfinfo"), {cPdf}))
            .captured(1);
    };
    QCOMPARE(papel(cNuestro), papel(cDeQt));
    constexpr double dTolerancia = 0.03;
    const QList<QList<Palabra>> nuestras = Palabras(cNuestro);
    const QList<QList<Palabra>> deQt = Palabras(cDeQt);
    QCOMPARE(nuestras.size(), nPaginas);
    QCOMPARE(deQt.size(), nPaginas);
    for (int nPagina = 0; nPagina < nPaginas; ++nPagina) {
        QList<Palabra> porHallar = nuestras[nPagina];
        QCOMPARE(porHallar.size(), deQt[nPagina].size());
        for (const Palabra &palabra : deQt[nPagina]) {
            const auto distancia = [&palabra](const Palabra &otra) {
                return qMax(
                    qMax(qAbs(otra.caja.left() - palabra.caja.left()), qAbs(otra.caja.right() - palabra.caja.right())),
                    qMax(qAbs(otra.caja.top() - palabra.caja.top()), qAbs(otra.caja.bottom() - palabra.caja.bottom())));
            };
            qsizetype nMejor = -1;
            for (qsizetype i = 0; i < porHallar.size(); ++i) {
                if (porHallar[i].cTexto == palabra.cTexto &&
                    (nMejor < 0 || distancia(porHallar[i]) < distancia(porHallar[nMejor])))
                    nMejor = i;
            }
            QVERIFY2(nMejor >= 0 && distancia(porHallar[nMejor]) < dTolerancia,
                     qPrintable(QStringLiteral("página %1: \"%2\" en (%3, %4) no está donde Qt la pone")
                                    .arg(nPagina + 1)
                                    .arg(palabra.cTexto)
                                    .arg(palabra.caja.left())
                                    .arg(palabra.caja.top())));
            porHallar.removeAt(nMejor);
        }
    }
}

void tst_PintorReporte::LoQueNoSabeDibujar_data()
{
    // clang-format off
    QTest::addColumn<Dibujo>("dibujo");
    QTest::addColumn<QString>("cFalla");
    QTest::newRow("una imagen") << Dibujo([](QPainter &p) {
        p.drawImage(QPointF(10, 10), QImage(8, 8, QImage::Format_RGB32));
    }) << "imágenes";
    QTest::newRow("un degradado") << Dibujo([](QPainter &p) {
        p.fillRect(QRectF(0, 0, 100, 100), QLinearGradient(0, 0, 100, 100));
    }) << "degradados";
    QTest::newRow("un gris transparente")
        << Dibujo([](QPainter &p) { p.fillRect(QRectF(0, 0, 100, 100), QColor(0, 0, 0, 128)); }) << "transparencias";
    QTest::newRow("un texto girado") << Dibujo([](QPainter &p) {
        p.rotate(90);
        p.drawText(QPointF(10, 10), QStringLiteral("Totales"));
    }) << "girados";
    // clang-format on
}

void tst_PintorReporte::LoQueNoSabeDibujar()
{
    QFETCH(Dibujo, dibujo);
    QFETCH(QString, cFalla);
    QBuffer bufer;
    QVERIFY(bufer.open(QIODevice::WriteOnly));
    EscritorPdf pdf(&bufer);
    QPainter painter(&pdf);
    painter.drawText(QPointF(10, 100), QStringLiteral("Antes"));
    dibujo(painter);
    painter.drawText(QPointF(10, 200), QStringLiteral("Después"));
    QVERIFY(!painter.end());
    QVERIFY2(pdf.Falla().contains(cFalla), qPrintable(pdf.Falla()));
    QVERIFY(!bufer.data().contains("%%EOF")); // no document that looks whole
}

QTEST_MAIN(tst_PintorReporte)
#include "tst_PintorReporte.moc"
