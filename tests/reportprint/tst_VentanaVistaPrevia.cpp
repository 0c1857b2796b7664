// The preview window without a screen: it paints only the sheets that are on screen however
// long the report, lays the report out as its PDF does (the same pages with the same rows),
// and "Exportar…" writes the chosen type by the batch mode's writers, adds the type's
// extension to a name without one, and shows a failure with its number.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "AjustesImpresion.h"
#include "ArmadorContenido.h"
#include "HojasVistaPrevia.h"
#include "InformeMensualDePrueba.h"
#include "PintorReporte.h"
#include "Programa.h"
#include "SalidaCsv.h"
#include "VentanaVistaPrevia.h"

namespace {

// nClientes rows; every month with an amount and a quantity.
ContenidoReporte Contenido(int nClientes)
{
    DatosReporte datos;
    datos.campos << QStringLiteral("Cliente") << QStringLiteral("Nombre") << QStringLiteral("TotalCantRemis");
    for (int m = 1; m <= 12; ++m)
        datos.campos << QStringLiteral("Mes%1Monto").arg(m) << QStringLiteral("Mes%1Cant").arg(m);
    for (int i = 1; i <= nClientes; ++i) {
        datos << QStringLiteral("C%1").arg(i, 5, 10, QLatin1Char('0')) << QStringLiteral("Cliente %1").arg(i)
              << QStringLiteral("1.00");
        for (int m = 1; m <= 12; ++m)
            datos << QStringLiteral("%1.25").arg(i * m) << QStringLiteral("10.00");
    }
    QHash<QString, QString> formulas;
    for (int m = 1; m <= 12; ++m)
        formulas.insert(QStringLiteral("mes%1").arg(m), QStringLiteral("m%1-24").arg(m));
    return ArmadorContenido(InformeMensual(), formulas, QDateTime::currentDateTime()).Arma(datos);
}

const QLocale locale(QLocale::Spanish, QLocale::Mexico);

} // namespace

class tst_VentanaVistaPrevia : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pintaSoloLasHojasQueSeVen_data();
    void pintaSoloLasHojasQueSeVen();
    void mismasPaginasYFilasQueElPdf_data();
    void mismasPaginasYFilasQueElPdf();
    void exportar_data();
    void exportar();
    void atajosDesdeCadaControl_data();
    void atajosDesdeCadaControl();

private:
    QTemporaryDir m_carpeta;
};

void tst_VentanaVistaPrevia::initTestCase()
{
    QVERIFY(m_carpeta.isValid());
}

void tst_VentanaVistaPrevia::pintaSoloLasHojasQueSeVen_data()
{
    // clang-format off
    QTest::addColumn<QString>("cAccion"); // what the person does once the window shows
    QTest::addColumn<int>("nPagina");     // the page then current; 0: the last
    QTest::newRow("al abrirse") << "" << 1;
    QTest::newRow("página escrita en la caja") << "caja" << 150;
    QTest::newRow("última página") << "accionUltimaPagina" << 0;
    QTest::newRow("página completa") << "accionPaginaCompleta" << 1;
    QTest::newRow("alejar dos veces") << "accionAlejar" << 1;
    // clang-format on
}

void tst_VentanaVistaPrevia::pintaSoloLasHojasQueSeVen()
{
    QFETCH(QString, cAccion);
    QFETCH(int, nPagina);
    const ContenidoReporte contenido = Contenido(8000);
    const PintorReporte pintor(contenido, locale);
    VentanaVistaPrevia ventana(pintor, QStringLiteral("Ventas"), AjustesImpresion());
    const int nPaginas = ventana.Disposicion().Paginas();
    QVERIFY2(nPaginas >= 300, qPrintable(QString::number(nPaginas)));
    if (nPagina == 0)
        nPagina = nPaginas;
    QList<int> pintadas;
    connect(&ventana, &VentanaVistaPrevia::paginaPintada, this, [&](int n) { pintadas << n; });
    ventana.resize(1000, 800);
    ventana.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ventana));
    QTRY_VERIFY(pintadas.contains(1));
    if (!cAccion.isEmpty()) {
        pintadas.clear();
        if (cAccion == u"caja") {
            auto *pCaja = ventana.findChild<QSpinBox *>(QStringLiteral("paginaActual"));
            QVERIFY(pCaja);
            pCaja->setValue(nPagina);
        } else {
            auto *pAccion = ventana.findChild<QAction *>(cAccion);
            QVERIFY(pAccion);
            pAccion->trigger();
            if (cAccion == u"accionAlejar")
                pAccion->trigger();
        }
        QTRY_VERIFY(pintadas.contains(nPagina));
    }
    QTest::qWait(200); // whatever else the window would paint
    QCOMPARE(ventana.Hojas().PaginaActual(), nPagina);
    QCOMPARE(ventana.findChild<QSpinBox *>(QStringLiteral("paginaActual"))->value(), nPagina);
    // The sheets in the window, however small the zoom, and the next one: a handful.
    QVERIFY2(pintadas.size() <= 8, qPrintable(QString::number(pintadas.size())));
    for (const int n : std::as_const(pintadas))
        QVERIFY2(qAbs(n - nPagina) <= 7, qPrintable(QString::number(n)));
}

void tst_VentanaVistaPrevia::mismasPaginasYFilasQueElPdf_data()
{
    // clang-format off
    QTest::addColumn<int>("nClientes");
    QTest::addColumn<QString>("cPapel");
    QTest::newRow("papel del reporte") << 130 << "";
    QTest::newRow("carta") << 130 << "Carta";
    QTest::newRow("A4, una página") << 3 << "A4";
    // clang-format on
}

// The pages that "Exportar…" writes into a PDF are those the window shows, each with the same
// rows, the totals on the same page.
void tst_VentanaVistaPrevia::mismasPaginasYFilasQueElPdf()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("Falta pdftotext (paquete poppler-utils)");
    QFETCH(int, nClientes);
    QFETCH(QString, cPapel);
    const ContenidoReporte contenido = Contenido(nClientes);
    const PintorReporte pintor(contenido, locale);
    AjustesImpresion ajustes;
    ajustes.AsignaPapel(cPapel);
    VentanaVistaPrevia ventana(pintor, QStringLiteral("Ventas"), ajustes);
    const QString cPdf = m_carpeta.filePath(QStringLiteral("paginas.pdf"));
    ventana.Exporta(cPdf);

    const QStringList paginas = TextoDePdf(cPdf).split(u'\f', Qt::SkipEmptyParts);
    const PintorReporte::Disposicion &disposicion = ventana.Disposicion();
    QCOMPARE(paginas.size(), disposicion.Paginas());
    static const QRegularExpression cliente(QStringLiteral("^ *C\\d{5} "), QRegularExpression::MultilineOption);
    qsizetype nPrimeraFila = 0;
    for (int i = 1; i <= disposicion.Paginas(); ++i) {
        const PaginacionReporte::Pagina &pagina = disposicion.Pagina(i);
        const QString &cTexto = paginas[i - 1];
        QCOMPARE(pagina.nPrimeraFila, nPrimeraFila);
        QCOMPARE(cTexto.count(cliente), pagina.nFilas);
        QCOMPARE(cTexto.contains(QStringLiteral("Totales")), pagina.bTotales);
        nPrimeraFila += pagina.nFilas;
    }
    QCOMPARE(nPrimeraFila, qsizetype(nClientes));
}

void tst_VentanaVistaPrevia::exportar_data()
{
    // clang-format off
    QTest::addColumn<QString>("cFiltro");   // the type chosen in the file dialog
    QTest::addColumn<QString>("cNombre");   // the name written in it
    QTest::addColumn<QString>("cArchivo");  // the file written; empty: none
    QTest::addColumn<QByteArray>("inicio"); // its first bytes
    QTest::addColumn<QString>("cFalla");    // the start of the error box's text
    QTest::newRow("CSV sin extensión") << "CSV para otros programas (*.csv)"
                                       << "informe"
                                       << "informe.csv" << QByteArray("Cliente,") << "";
    QTest::newRow("libro sin extensión") << "Libro de Excel (*.xlsx)"
                                         << "informe"
                                         << "informe.xlsx" << QByteArray("PK") << "";
    QTest::newRow("PDF con otra extensión") << "PDF (*.pdf)"
                                            << "informe.2024"
                                            << "informe.2024.pdf" << QByteArray("%PDF") << "";
    QTest::newRow("carpeta que no existe") << "CSV para otros programas (*.csv)"
                                           << "no-existe/informe.csv"
                                           << "" << QByteArray() << "Error no. 7041: No se pudo crear el archivo";
    // clang-format on
}

// Ctrl+E, the file dialog as a person fills it, the file, and an error box for a failure,
// after which the window stays open.
void tst_VentanaVistaPrevia::exportar()
{
    QFETCH(QString, cFiltro);
    QFETCH(QString, cNombre);
    QFETCH(QString, cArchivo);
    QFETCH(QByteArray, inicio);
    QFETCH(QString, cFalla);
    QTemporaryDir carpeta;
    const ContenidoReporte contenido = Contenido(40);
    const PintorReporte pintor(contenido, locale);
    VentanaVistaPrevia ventana(pintor, QStringLiteral("Ventas"), AjustesImpresion());
    ventana.show();
    QVERIFY(QTest::qWaitForWindowActive(&ventana));

    bool bDialogoVisto = false;
    QString cCaja;
    const auto cierraCaja = [&] {
        if (auto *pCaja = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            cCaja = pCaja->text();
            pCaja->accept();
        }
    };
    QTimer::singleShot(0, &ventana, [&] {
        auto *pDialogo = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(pDialogo);
        bDialogoVisto = true;
        auto *pTipos = pDialogo->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        QVERIFY(pTipos);
        pTipos->setCurrentIndex(pTipos->findText(cFiltro)); // as a click on the list does
        pDialogo->setDirectory(carpeta.path());
        pDialogo->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(cNombre);
        QTimer::singleShot(0, &ventana, cierraCaja);
        QMetaObject::invokeMethod(pDialogo, "accept");
    });
    QTest::keyClick(&ventana, Qt::Key_E, Qt::ControlModifier);
    QTRY_VERIFY(bDialogoVisto);
    QCoreApplication::processEvents();

    QVERIFY(ventana.isVisible());
    QVERIFY2(cFalla.isEmpty() ? cCaja.isEmpty() : cCaja.startsWith(cFalla), qPrintable(cCaja));
    const QStringList escritos = QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(escritos, cArchivo.isEmpty() ? QStringList() : QStringList{cArchivo});
    if (cArchivo.isEmpty())
        return;
    QFile archivo(carpeta.filePath(cArchivo));
    QVERIFY(archivo.open(QIODevice::ReadOnly));
    const QByteArray bytes = archivo.readAll();
    QVERIFY2(bytes.startsWith(inicio), bytes.left(16).constData());
    if (cArchivo.endsWith(QLatin1String(".csv"))) {
        const QString cReferencia = carpeta.filePath(QStringLiteral("referencia.csv"));
        SalidaCsv::Escribe(contenido, cReferencia);
        QFile referencia(cReferencia);
        QVERIFY(referencia.open(QIODevice::ReadOnly));
        QCOMPARE(bytes, referencia.readAll());
    }
}

void tst_VentanaVistaPrevia::atajosDesdeCadaControl_data()
{
    // clang-format off
    QTest::addColumn<QString>("cAccion");  // the action, by its shortcut
    QTest::addColumn<QString>("cControl"); // the widget that has the focus
    for (const char *cAccion : {"accionImprimir", "accionExportar", "accionPrimeraPagina", "accionUltimaPagina",
                                "accionAlejar", "accionAcercar"}) {
        QTest::addRow("%s desde las hojas", cAccion) << cAccion << "hojas";
        QTest::addRow("%s desde la caja de página", cAccion) << cAccion << "paginaActual";
    }
    // clang-format on
}

// Every shortcut of the toolbar works wherever the focus is in the window.
void tst_VentanaVistaPrevia::atajosDesdeCadaControl()
{
    QFETCH(QString, cAccion);
    QFETCH(QString, cControl);
    const ContenidoReporte contenido = Contenido(400);
    const PintorReporte pintor(contenido, locale);
    VentanaVistaPrevia ventana(pintor, QStringLiteral("Ventas"), AjustesImpresion());
    ventana.show();
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
    ventana.Hojas().IrAPagina(2); // so that every move has somewhere to go
    auto *pAccion = ventana.findChild<QAction *>(cAccion);
    QVERIFY(pAccion);
    QVERIFY(!pAccion->shortcut().isEmpty());
    QVERIFY(pAccion->isEnabled());
    disconnect(pAccion, &QAction::triggered, nullptr, nullptr); // no dialog: only whether it fires
    int nDisparos = 0;
    connect(pAccion, &QAction::triggered, this, [&] { ++nDisparos; });
    QWidget *pControl =
        cControl == u"hojas" ? static_cast<QWidget *>(&ventana.Hojas()) : ventana.findChild<QSpinBox *>(cControl);
    QVERIFY(pControl);
    pControl->setFocus();
    QTRY_VERIFY(pControl->hasFocus() || pControl->isAncestorOf(QApplication::focusWidget()));
    QTest::keySequence(QApplication::focusWidget(), pAccion->shortcut());
    QCOMPARE(nDisparos, 1);
}

QTEST_MAIN(tst_VentanaVistaPrevia)
#include "tst_VentanaVistaPrevia.moc"
