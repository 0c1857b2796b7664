// The twelve-month report end to end on the private server: the operation writing a CSV
// compared with a direct computation in SQL, the print button with its preview, a missing
// report file, and the batch mode's exit statuses and outputs.

#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QtTest>

#include <csignal>

#include "BaseDePrueba.h"
#include "BasesDD.h"
#include "CajaFecha.h"
#include "EntornoHost.h"
#include "GeneradorDemo.h"
#include "HojasVistaPrevia.h"
#include "ImpresoraDePrueba.h"
#include "ImpresoraYVistaPrevia.h"
#include "IniArchivo.h"
#include "MotorReporte.h"
#include "ObjetosPrograma.h"
#include "ParametrosRpt.h"
#include "Programa.h"
#include "Recordset.h"
#include "ReporteVentas12Meses.h"
#include "VentanaVistaPrevia.h"
#include "frmInicial.h"

namespace {

const QString cCarpetaPrograma = QStringLiteral(CARPETA_PROGRAMA); // the built program and its report file

// A CSV line split into its fields ("" quotes a quote).
QStringList CamposCsv(const QString &cLinea)
{
    QStringList campos;
    QString cCampo;
    bool bComillas = false;
    for (qsizetype i = 0; i < cLinea.size(); ++i) {
        const QChar c = cLinea.at(i);
        if (bComillas) {
            if (c == QLatin1Char('"') && i + 1 < cLinea.size() && cLinea.at(i + 1) == QLatin1Char('"')) {
                cCampo += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                bComillas = false;
            } else {
                cCampo += c;
            }
        } else if (c == QLatin1Char('"')) {
            bComillas = true;
        } else if (c == QLatin1Char(',')) {
            campos << cCampo;
            cCampo.clear();
        } else {
            cCampo += c;
        }
    }
    campos << cCampo;
    return campos;
}

QList<QStringList> LeeCsv(const QString &cArchivo)
{
    QList<QStringList> filas;
    for (const QString &cLinea : TextoDe(cArchivo).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        filas << CamposCsv(cLinea);
    return filas;
}

// The data sources the report reads through; the report job fills in server and account.
void RegistraOrigenesOdbc()
{
    QString cControlador;
    QDirIterator it(QStringLiteral("/usr/lib"), {QStringLiteral("libmaodbc.so")}, QDir::Files,
                    QDirIterator::Subdirectories);
    if (it.hasNext())
        cControlador = it.next();
    const QString cArchivo = qEnvironmentVariable("ODBCINI");
    QString cTexto = TextoDe(cArchivo);
    for (const QString &cOrigen : {QStringLiteral("myodbc3-test"), QStringLiteral("Almena Reportes")})
        if (!cTexto.contains(QLatin1Char('[') + cOrigen + QLatin1Char(']')))
            cTexto += QStringLiteral("\n[%1]\nDriver=%2\n").arg(cOrigen, cControlador);
    EscribeTexto(cArchivo, cTexto);
}

// What the window's previews show, page text as pdftotext reads it, one entry per preview.
// The time of printing is left out, so that two runs a minute apart compare equal.
class VistasComoTexto
{
public:
    explicit VistasComoTexto(MotorReporte &motor)
    {
        motor.setSalidaImpresa(&m_pantalla);
        m_pantalla.setPresentaVistaPrevia([this](VentanaVistaPrevia &vista) {
            const QString cPdf = m_carpeta.filePath(QStringLiteral("vista%1.pdf").arg(textos.size()));
            vista.Exporta(cPdf); // the pages the preview shows, into a file
            textos << TextoDePdf(cPdf).replace(QRegularExpression(QStringLiteral("Impreso el [0-9/: ]+")),
                                               QStringLiteral("Impreso el"));
        });
    }
    QStringList textos;

private:
    QTemporaryDir m_carpeta;
    ImpresoraYVistaPrevia m_pantalla;
};

// Puts the filters into the window's fields and presses "Imprimir", as a person would.
void Imprime(frmInicial &ventana, const QDate &dDesde, const QDate &dHasta, const QString &cVendedor)
{
    ventana.findChild<CajaFecha *>(QStringLiteral("mkeFecha(0)"))->setFecha(dDesde);
    ventana.findChild<CajaFecha *>(QStringLiteral("mkeFecha(1)"))->setFecha(dHasta);
    ventana.findChild<QComboBox *>(QStringLiteral("dtcVendedor"))->setEditText(cVendedor);
    QTest::mouseClick(ventana.findChild<QPushButton *>(QStringLiteral("cmdImprimir")), Qt::LeftButton);
}

// What came out of a printer, or of a PDF file printed from the report: one sheet per entry
// of hojas, each showing that page of the report ("Página N de M", the same M on all), on
// paper of size papel (either way up: a printer may turn a landscape page).
void VerificaImpreso(const QString &cPdf, const QList<int> &hojas, QPageSize::PageSizeId papel)
{
    QVERIFY2(!cPdf.isEmpty(), "La impresora no sacó ningún PDF");
    const ImpresoraDePrueba::Hojas impreso = ImpresoraDePrueba::Lee(cPdf);
    QCOMPARE(impreso.nPaginas, hojas.size());
    const QSizeF tamano = QPageSize(papel).size(QPageSize::Point);
    const auto lados = [](const QSizeF &t) {
        return std::pair{qRound(qMin(t.width(), t.height())), qRound(qMax(t.width(), t.height()))};
    };
    QCOMPARE(lados(impreso.tamano), lados(tamano));
    QCOMPARE(impreso.textos.size(), hojas.size());
    static const QRegularExpression numero(QStringLiteral("Página (\\d+) de (\\d+)"));
    QString cTotal;
    for (qsizetype i = 0; i < hojas.size(); ++i) {
        const QString &cTexto = impreso.textos[i];
        QVERIFY2(cTexto.contains(QStringLiteral("Ventas de doce meses por cliente")), qPrintable(cTexto));
        const QRegularExpressionMatch pagina = numero.match(cTexto);
        QVERIFY2(pagina.hasMatch(), qPrintable(cTexto));
        QCOMPARE(pagina.captured(1).toInt(), hojas[i]);
        if (cTotal.isEmpty())
            cTotal = pagina.captured(2);
        QCOMPARE(pagina.captured(2), cTotal);
    }
}

QString Decimal(const QVariant &valor)
{
    return valor.isNull() ? QStringLiteral("0.00") : valor.toString();
}

} // namespace

class tst_InformeCompleto : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void csvIgualAlCalculoDirecto_data();
    void csvIgualAlCalculoDirecto();
    void botonConVistaPrevia();
    void dosInformesSeguidosEnLaVentana();
    void ventanaSobreviveAUnaSesionPerdida();
    void archivoDeReporteFaltante();
    void modoLotes_data();
    void modoLotes();
    void modoLotesInterrumpido_data();
    void modoLotesInterrumpido();
    void imprimirDesdeLaVistaPrevia_data();
    void imprimirDesdeLaVistaPrevia();
    void vistaPreviaAbiertaNoDetieneAOtros();
    void variasCopiasADosBases();

private:
    // The built program copied into cCarpeta with its report file and a settings file that
    // names cBase, as a user installs it; the program's path.
    QString InstalaPrograma(const QString &cCarpeta, const QString &cBase) const;
    // The program's environment: the test's host store and drive C:.
    QProcessEnvironment Entorno() const;

    // What the report must show, computed straight from the host's tables: per client of
    // the filtered invoices, its name, each month's quantity and amount, the totals and its
    // open delivery notes in dollars.
    QList<QStringList> Esperado(const QDate &dDesde, const QDate &dHasta, const QString &cCondicion);

    std::unique_ptr<BaseDePrueba> m_pBase;
    std::unique_ptr<EntornoHost> m_pEntorno;
    ObjetosPrograma m_objetos;
};

void tst_InformeCompleto::initTestCase()
{
    QVERIFY2(QFile::exists(cCarpetaPrograma + QStringLiteral("/InformeMensual.rpt")), qPrintable(cCarpetaPrograma));
    m_pBase = std::make_unique<BaseDePrueba>();
    QSqlDatabase base = m_pBase->Base();
    OpcionesDemo opciones;
    opciones.nSemilla = 5;
    opciones.nLineas = 3000;
    opciones.dHasta = QDate(2025, 6, 1);
    opciones.cBase = m_pBase->Nombre();
    GeneraDatosDemo(base, opciones);
    m_pBase->Ejecuta(QStringLiteral(
        "insert into clientes values ('D''ANG', 'Dulcería D''Angelo, S.A.', 'Mérida');"
        "insert into facturas (Id, Folio, Fecha, Cliente, Vendedor, Cancelada, Moneda) values "
        " (900001, 1, '2025-03-05', 'D''ANG', 'V01', 0, 1);"
        "insert into facturasdetalle (Id, Partida, Producto, Cantidad, PrecioNeto) select 900001, 1, Clave, 0.10, 0.10 "
        " from productos order by Clave limit 1;"
        "insert into facturasdetalle (Id, Partida, Producto, Cantidad, PrecioNeto) select 900001, 2, Clave, 0.20, 0.20 "
        " from productos order by Clave limit 1;"
        "insert into remisiones (Id, Folio, Fecha, Cliente, Moneda, Saldo, Cancelada) values "
        " (900001, 1, '2019-01-01', 'D''ANG', 2, 10, 0);"
        "insert into remisionesdetalle (Id, Partida, Producto, Cantidad, Precio) values (900001, 1, 'X', 3.25, 1)"));

    m_pEntorno = std::make_unique<EntornoHost>();
    m_pEntorno->AlmacenConServidor(BaseDePrueba::Servidor().nPuerto);
    EscribeTexto(m_pEntorno->ArchivoIni(),
                 QStringLiteral("[Configuración]\nBase de datos principal=%1\n").arg(m_pBase->Nombre()));
    RegistraOrigenesOdbc();
    m_objetos.Crea(m_pEntorno->fabrica, m_pEntorno->Contexto());
    BasesDD &bases = m_objetos.Bases();
    const DatosConexion datos = m_pBase->Datos();
    bases.cRuta = datos.cServidor;
    bases.cPuerto = QString::number(datos.nPuerto);
    bases.cUsuario = datos.cUsuario;
    bases.cPassword = datos.cPassword;
    bases.cMiBase = datos.cBase;
}

QString tst_InformeCompleto::InstalaPrograma(const QString &cCarpeta, const QString &cBase) const
{
    QDir().mkpath(cCarpeta);
    const QString cPrograma = cCarpeta + QStringLiteral("/informe-mensual");
    for (const char *cArchivo : {"informe-mensual", "InformeMensual.rpt"}) {
        QFile::remove(cCarpeta + QLatin1Char('/') + QLatin1String(cArchivo));
        QFile::copy(cCarpetaPrograma + QLatin1Char('/') + QLatin1String(cArchivo),
                    cCarpeta + QLatin1Char('/') + QLatin1String(cArchivo));
    }
    EscribeTexto(cPrograma + QStringLiteral(".ini"),
                 QStringLiteral("[Configuración]\nBase de datos principal=%1\n").arg(cBase));
    return cPrograma;
}

QProcessEnvironment tst_InformeCompleto::Entorno() const
{
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    // They would name the default printer instead of the print server (CUPS_SERVER).
    variables.remove(QStringLiteral("PRINTER"));
    variables.remove(QStringLiteral("LPDEST"));
    variables.insert(QStringLiteral("ALMENA_ALMACEN"), m_pEntorno->ArchivoAlmacen());
    variables.insert(QStringLiteral("ALMENA_UNIDAD_C"), m_pEntorno->Carpeta() + QStringLiteral("/C"));
    return variables;
}

QList<QStringList> tst_InformeCompleto::Esperado(const QDate &dDesde, const QDate &dHasta, const QString &cCondicion)
{
    Connection cnn = Connection::Abre(m_pBase->Datos());
    const QString cFacturas = QStringLiteral("from facturas f left join facturasdetalle d on f.Id=d.Id "
                                             "left join productos p on d.Producto=p.Clave "
                                             "where f.Cancelada=0 and f.Fecha between '%1' and '%2'%3")
                                  .arg(dDesde.toString(Qt::ISODate), dHasta.toString(Qt::ISODate), cCondicion);
    QList<QStringList> filas;
    Recordset clientes =
        cnn.Execute(QStringLiteral("select distinct f.Cliente, c.Nombre %1 ")
                        .arg(cFacturas)
                        .replace(QStringLiteral("where f.Cancelada"),
                                 QStringLiteral("left join clientes c on c.Clave=f.Cliente where f.Cancelada")) +
                    QStringLiteral(" order by f.Cliente"));
    for (; !clientes.FinDeFilas(); clientes.Siguiente()) {
        const QString cCliente = clientes.Campo(0).toString();
        QStringList fila{cCliente, clientes.Campo(1).toString()};
        const QString cDeCliente = QStringLiteral(" and f.Cliente='%1'").arg(cnn.Escapa(cCliente));
        for (QDate dMes(dDesde.year(), dDesde.month(), 1); dMes <= dHasta; dMes = dMes.addMonths(1)) {
            Recordset mes =
                cnn.Execute(QStringLiteral("select cast(coalesce(sum(d.Cantidad),0) as decimal(20,2)), "
                                           "cast(coalesce(sum(d.Cantidad*d.PrecioNeto),0) as decimal(20,2)) "
                                           "%1%2 and year(f.Fecha)=%3 and month(f.Fecha)=%4")
                                .arg(cFacturas, cDeCliente)
                                .arg(dMes.year())
                                .arg(dMes.month()));
            fila << Decimal(mes.Campo(0)) << Decimal(mes.Campo(1));
        }
        // The totals add up the months as the report shows them, each to the cent.
        Recordset total = cnn.Execute(
            QStringLiteral(
                "select cast(coalesce(sum(q),0) as decimal(20,2)), cast(coalesce(sum(a),0) as decimal(20,2)) from "
                "(select cast(sum(d.Cantidad) as decimal(20,2)) q, cast(sum(d.Cantidad*d.PrecioNeto) as decimal(20,2)) "
                "a "
                "%1%2 group by year(f.Fecha), month(f.Fecha)) t")
                .arg(cFacturas, cDeCliente));
        fila << Decimal(total.Campo(0)) << Decimal(total.Campo(1));
        Recordset remisiones =
            cnn.Execute(QStringLiteral("select cast(coalesce(sum(d.Cantidad),0) as decimal(20,2)) from remisiones r "
                                       "join remisionesdetalle d on r.Id=d.Id "
                                       "where r.Moneda=2 and r.Saldo>0 and r.Cancelada=0 and r.Cliente='%1'")
                            .arg(cnn.Escapa(cCliente)));
        fila << Decimal(remisiones.Campo(0));
        filas << fila;
    }
    return filas;
}

void tst_InformeCompleto::csvIgualAlCalculoDirecto_data()
{
    // clang-format off
    QTest::addColumn<QDate>("desde");
    QTest::addColumn<QDate>("hasta");
    QTest::addColumn<QString>("cliente");
    QTest::addColumn<QString>("vendedor");
    QTest::addColumn<int>("linea");
    QTest::addColumn<QString>("condicion");    // the same filters, as a person would write them
    QTest::addColumn<QString>("intercalacion"); // of the host's client codes, for this run ("" as created)

    QTest::newRow("doce meses") << QDate(2024, 7, 1) << QDate(2025, 6, 30) << "" << "" << 0 << "" << "";
    QTest::newRow("cruza el año, vendedor") << QDate(2024, 11, 15) << QDate(2025, 2, 10) << "" << "V02" << 0
                                            << " and f.Vendedor='V02'" << "";
    QTest::newRow("línea de productos") << QDate(2025, 1, 1) << QDate(2025, 3, 31) << "" << "" << 2
                                        << " and p.Linea=2" << "";
    QTest::newRow("cliente con comilla y coma") << QDate(2025, 1, 1) << QDate(2025, 6, 30) << "D'ANG" << "" << 0
                                                << " and f.Cliente='D''ANG'" << "";
    QTest::newRow("sin facturas") << QDate(2030, 1, 1) << QDate(2030, 1, 31) << "" << "" << 0 << "" << "";
    // The template keeps the server's default collation: the report's join of the working
    // table with the clients must not mix the two.
    QTest::newRow("host en utf8mb4_unicode_ci") << QDate(2024, 7, 1) << QDate(2025, 6, 30) << "" << "" << 0 << ""
                                                << "utf8mb4_unicode_ci";
    QTest::newRow("host sin relleno (utf8mb4_nopad_bin)") << QDate(2025, 1, 1) << QDate(2025, 6, 30) << "" << "" << 0
                                                          << "" << "utf8mb4_nopad_bin";
    // clang-format on
}

void tst_InformeCompleto::csvIgualAlCalculoDirecto()
{
    QFETCH(QDate, desde);
    QFETCH(QDate, hasta);
    QFETCH(QString, cliente);
    QFETCH(QString, vendedor);
    QFETCH(int, linea);
    QFETCH(QString, condicion);
    QFETCH(QString, intercalacion);
    // The client codes of the host's tables in another collation for this run only.
    const auto intercala = [&](const QString &cIntercalacion) {
        QString cSentencias;
        for (const auto &[cTabla, cColumna] :
             {std::pair{"clientes", "Clave"}, std::pair{"facturas", "Cliente"}, std::pair{"remisiones", "Cliente"}})
            cSentencias += QStringLiteral("alter table %1 modify %2 varchar(20) character set utf8mb4 collate %3 "
                                          "not null;")
                               .arg(QLatin1String(cTabla), QLatin1String(cColumna), cIntercalacion);
        m_pBase->Ejecuta(cSentencias);
    };
    const QString cIntercalacionAntes =
        Connection::Abre(m_pBase->Datos())
            .Execute(QStringLiteral("select COLLATION_NAME from information_schema.COLUMNS where "
                                    "TABLE_SCHEMA=database() and TABLE_NAME='clientes' and COLUMN_NAME='Clave'"))
            .Campo(0)
            .toString();
    if (!intercalacion.isEmpty())
        intercala(intercalacion);
    const auto comoEra = qScopeGuard([&] {
        if (!intercalacion.isEmpty())
            intercala(cIntercalacionAntes);
    });
    QTemporaryDir carpeta;
    const QString cCsv = carpeta.filePath(QStringLiteral("informe.csv"));
    Connection cnn = Connection::Abre(m_pBase->Datos());
    ParametrosRpt parametros;
    MotorReporte motor;
    m_pEntorno->mensajes.Olvida();
    ReporteVentas12Meses reporte(m_objetos, cnn, 2, parametros, motor, cCarpetaPrograma, m_pEntorno->mensajes);
    reporte.setArchivoSalida(cCsv);
    FiltrosInforme filtros{desde.toString(QStringLiteral("dd/MM/yyyy")), hasta.toString(QStringLiteral("dd/MM/yyyy")),
                           cliente, vendedor, linea ? QString::number(linea) : QString()};
    QCOMPARE(reporte.Ejecuta(filtros), ReporteVentas12Meses::Resultado::Terminado);
    QVERIFY2(m_pEntorno->mensajes.Llamadas().isEmpty(), qPrintable(m_pEntorno->mensajes.Llamadas().value(0).cTexto));

    const QList<QStringList> csv = LeeCsv(cCsv);
    QVERIFY(!csv.isEmpty());
    const QStringList &encabezado = csv.first();
    const int nMeses = Periodo::MesesEntre(desde, hasta) + 1;
    QCOMPARE(encabezado.size(), 2 + 2 * nMeses + 3);
    QCOMPARE(encabezado.first(), QStringLiteral("Cliente"));

    const QList<QStringList> esperado = Esperado(desde, hasta, condicion);
    QCOMPARE(csv.size() - 1, esperado.size());
    for (qsizetype i = 0; i < esperado.size(); ++i)
        QCOMPARE(csv[i + 1], esperado[i]);

    Recordset tablas = cnn.Execute(QStringLiteral("show tables like 'tmpventas12meses'"));
    QVERIFY(tablas.FinDeFilas()); // the working table is gone
}

// The invoices are held by another session until the progress window is up; then the run
// goes on to the preview, over which neither the progress window nor the busy cursor stays.
void tst_InformeCompleto::botonConVistaPrevia()
{
    MotorReporte motor;
    ImpresoraYVistaPrevia pantalla;
    motor.setSalidaImpresa(&pantalla);
    int nVistas = 0;
    int nPaginas = 0;
    const auto avance = [] {
        for (QWidget *pVentana : QApplication::topLevelWidgets())
            if (pVentana->objectName() == u"frmAvance")
                return qobject_cast<QDialog *>(pVentana);
        return static_cast<QDialog *>(nullptr);
    };
    struct
    {
        bool bAvance = true;
        bool bCursorOcupado = true;
        QString cPaso;
        bool bCancelable = true;
    } sobreLaVista;
    pantalla.setPresentaVistaPrevia([&](VentanaVistaPrevia &vista) {
        ++nVistas;
        nPaginas = vista.Hojas().Paginas();
        vista.setWindowModality(Qt::ApplicationModal); // shown as the person's preview is
        vista.show();
        if (QDialog *pAvance = avance()) {
            sobreLaVista.bAvance = pAvance->isVisible();
            sobreLaVista.cPaso = pAvance->findChild<QLabel *>(QStringLiteral("lblPaso"))->text();
            sobreLaVista.bCancelable = pAvance->findChild<QPushButton *>(QStringLiteral("cmdCancelar"))->isEnabled();
        }
        sobreLaVista.bCursorOcupado = QApplication::overrideCursor() != nullptr;
        vista.hide();
    });
    m_pEntorno->mensajes.Olvida();
    frmInicial ventana(m_pEntorno->Contexto(), m_pEntorno->RutaEjecutable(), motor);
    QVERIFY(ventana.Abre());
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
    auto *pDesde = ventana.findChild<CajaFecha *>(QStringLiteral("mkeFecha(0)"));
    auto *pHasta = ventana.findChild<CajaFecha *>(QStringLiteral("mkeFecha(1)"));
    pDesde->setFecha(QDate(2024, 7, 1));
    pHasta->setFecha(QDate(2025, 6, 30));
    // The window looks for the report file beside its program: put the built one there.
    QFile::copy(cCarpetaPrograma + QStringLiteral("/InformeMensual.rpt"),
                QFileInfo(m_pEntorno->RutaEjecutable()).absolutePath() + QStringLiteral("/InformeMensual.rpt"));
    auto *pBoton = ventana.findChild<QPushButton *>(QStringLiteral("cmdImprimir"));
    Connection otraSesion = Connection::Abre(m_pBase->Datos());
    otraSesion.Execute(QStringLiteral("lock tables facturas write"));
    bool bAvanceVisto = false;
    QTimer reloj;
    reloj.setInterval(20);
    connect(&reloj, &QTimer::timeout, this, [&] {
        if (QDialog *pAvance = avance(); pAvance && pAvance->isVisible()) {
            bAvanceVisto = true;
            reloj.stop();
            otraSesion.Execute(QStringLiteral("unlock tables"));
        }
    });
    reloj.start();
    QTest::mouseClick(pBoton, Qt::LeftButton);
    otraSesion.Execute(QStringLiteral("unlock tables"));

    QVERIFY2(m_pEntorno->mensajes.Llamadas().isEmpty(), qPrintable(m_pEntorno->mensajes.Llamadas().value(0).cTexto));
    QCOMPARE(nVistas, 1);
    QVERIFY2(nPaginas >= 2, qPrintable(QString::number(nPaginas))); // some 60 clients: more than one page
    QVERIFY(bAvanceVisto);
    QVERIFY(!sobreLaVista.bAvance);
    QVERIFY(!sobreLaVista.bCursorOcupado);
    // Past the server's work the run cannot be stopped, and the window said so.
    QCOMPARE(sobreLaVista.cPaso, QStringLiteral("Armando el informe…"));
    QVERIFY(!sobreLaVista.bCancelable);
    QVERIFY(!avance());
    QVERIFY(pBoton->isEnabled());
    Connection cnn = Connection::Abre(m_pBase->Datos());
    QVERIFY(cnn.Execute(QStringLiteral("show tables like 'tmpventas12meses'")).FinDeFilas());
    m_pEntorno->mensajes.Responde(Msg::Si);
    ventana.close();
}

void tst_InformeCompleto::dosInformesSeguidosEnLaVentana()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("Falta pdftotext (paquete poppler-utils)");
    QFile::copy(cCarpetaPrograma + QStringLiteral("/InformeMensual.rpt"),
                QFileInfo(m_pEntorno->RutaEjecutable()).absolutePath() + QStringLiteral("/InformeMensual.rpt"));
    const auto abre = [this](frmInicial &ventana) {
        QVERIFY(ventana.Abre());
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
    };
    m_pEntorno->mensajes.Olvida();
    MotorReporte motor;
    VistasComoTexto vistas(motor);
    frmInicial ventana(m_pEntorno->Contexto(), m_pEntorno->RutaEjecutable(), motor);
    abre(ventana);
    Imprime(ventana, QDate(2024, 7, 1), QDate(2025, 6, 30), QStringLiteral("V02"));
    Imprime(ventana, QDate(2025, 1, 1), QDate(2025, 3, 31), QString());

    // The second report as a window that has printed nothing before shows it.
    MotorReporte motorNuevo;
    VistasComoTexto vistaNueva(motorNuevo);
    frmInicial nueva(m_pEntorno->Contexto(), m_pEntorno->RutaEjecutable(), motorNuevo);
    abre(nueva);
    Imprime(nueva, QDate(2025, 1, 1), QDate(2025, 3, 31), QString());

    QVERIFY2(m_pEntorno->mensajes.Llamadas().isEmpty(), qPrintable(m_pEntorno->mensajes.Llamadas().value(0).cTexto));
    QCOMPARE(vistas.textos.size(), 2);
    QVERIFY(vistas.textos[0].contains(QStringLiteral("Filtros: vendedor V02")));
    QVERIFY(vistas.textos[0].contains(QStringLiteral("jun-25")));
    QCOMPARE(vistaNueva.textos.size(), 1);
    QVERIFY(vistaNueva.textos[0].contains(QStringLiteral("Filtros: ninguno")));
    QVERIFY(!vistaNueva.textos[0].contains(QStringLiteral("abr-25")));
    QCOMPARE(vistas.textos[1], vistaNueva.textos[0]);
    for (frmInicial *pVentana : {&ventana, &nueva}) {
        m_pEntorno->mensajes.Responde(Msg::Si);
        pVentana->close();
    }
}

// The server ends the window's session (as a restart does) while the window waits: the next
// report opens a new one and goes on, without a word to the user.
void tst_InformeCompleto::ventanaSobreviveAUnaSesionPerdida()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("Falta pdftotext (paquete poppler-utils)");
    QFile::copy(cCarpetaPrograma + QStringLiteral("/InformeMensual.rpt"),
                QFileInfo(m_pEntorno->RutaEjecutable()).absolutePath() + QStringLiteral("/InformeMensual.rpt"));
    m_pEntorno->mensajes.Olvida();
    MotorReporte motor;
    VistasComoTexto vistas(motor);
    frmInicial ventana(m_pEntorno->Contexto(), m_pEntorno->RutaEjecutable(), motor);
    QVERIFY(ventana.Abre());
    QVERIFY(QTest::qWaitForWindowActive(&ventana));

    QSqlQuery propia(m_pBase->Base());
    QVERIFY(propia.exec(
        QStringLiteral("select id from information_schema.processlist where db='%1' and id<>connection_id()")
            .arg(m_pBase->Nombre())));
    int nSesiones = 0;
    for (; propia.next(); ++nSesiones)
        QSqlQuery(m_pBase->Base()).exec(QStringLiteral("kill %1").arg(propia.value(0).toString()));
    QVERIFY(nSesiones > 0);

    Imprime(ventana, QDate(2025, 1, 1), QDate(2025, 3, 31), QString());
    QVERIFY2(m_pEntorno->mensajes.Llamadas().isEmpty(), qPrintable(m_pEntorno->mensajes.Llamadas().value(0).cTexto));
    QCOMPARE(vistas.textos.size(), 1);
    QVERIFY(vistas.textos[0].contains(QStringLiteral("Periodo: ene-25 a mar-25")));
    m_pEntorno->mensajes.Responde(Msg::Si);
    ventana.close();
}

void tst_InformeCompleto::archivoDeReporteFaltante()
{
    QTemporaryDir sinReporte;
    Connection cnn = Connection::Abre(m_pBase->Datos());
    ParametrosRpt parametros;
    MotorReporte motor;
    m_pEntorno->mensajes.Olvida();
    ReporteVentas12Meses reporte(m_objetos, cnn, 2, parametros, motor, sinReporte.path(), m_pEntorno->mensajes);
    reporte.setArchivoSalida(sinReporte.filePath(QStringLiteral("x.pdf")));
    QList<bool> estados;
    reporte.setAlCambiarDisponibilidad([&](bool bDisponible) { estados << bDisponible; });
    FiltrosInforme filtros{QStringLiteral("01/01/2025"), QStringLiteral("31/03/2025"), {}, {}, {}};
    QCOMPARE(reporte.Ejecuta(filtros), ReporteVentas12Meses::Resultado::Terminado);

    const auto &llamadas = m_pEntorno->mensajes.Llamadas();
    QVERIFY(!llamadas.isEmpty());
    for (const auto &llamada : llamadas) {
        QCOMPARE(llamada.cTitulo, QStringLiteral("Error"));
        QCOMPARE(llamada.nEstilo, 16);
        QVERIFY2(llamada.cTexto.startsWith(QStringLiteral("Error no. ")), qPrintable(llamada.cTexto));
    }
    QVERIFY(!QFile::exists(sinReporte.filePath(QStringLiteral("x.pdf"))));
    QCOMPARE(estados, (QList<bool>{false, true}));
    QVERIFY(cnn.Execute(QStringLiteral("show tables like 'tmpventas12meses'")).FinDeFilas());
}

void tst_InformeCompleto::modoLotes_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("argumentos");
    QTest::addColumn<QString>("trabajo");     // the folder it runs from: "" the program's own, else one beside it
    QTest::addColumn<QStringList>("entorno"); // variables for this run; %1 is a folder of the test's own
    QTest::addColumn<int>("estado");
    QTest::addColumn<QString>("enErrores"); // a text standard error must hold
    QTest::addColumn<QString>("salida");    // the file that must be written, in the working folder ("" none)
    QTest::addColumn<QList<int>>("hojas");  // the report's page on each sheet printed (none: nothing may be)
    QTest::addColumn<QString>("filtros");   // the filters' line of the PDF's header ("" not looked at)

    const QStringList sinNada;
    const QList<int> sinHojas;
    QTest::newRow("pdf") << QStringList{"--desde", "01/07/2024", "--hasta", "30/06/2025", "--salida", "r.pdf"} << ""
                         << sinNada << 0 << "escrito en"
                         << "r.pdf" << sinHojas << "Filtros: ninguno";
    // Each filter named as the host's tables name it, as the window's header shows them.
    Connection cnn = Connection::Abre(m_pBase->Datos());
    const QString cVendedor =
        cnn.Execute(QStringLiteral("select Nombre from vendedores where Clave='V01'")).Campo(0).toString();
    QTest::newRow("pdf con los tres filtros")
        << QStringList{"--desde",    "01/01/2025", "--hasta", "30/06/2025", "--cliente", "D'ANG",
                       "--vendedor", "V01",        "--linea", "1",          "--salida",  "r.pdf"}
        << "" << sinNada << 0 << "escrito en"
        << "r.pdf" << sinHojas
        << "Filtros: cliente D'ANG Dulcería D'Angelo, S.A.; vendedor V01 " + cVendedor + "; línea Ferretería";
    // Codes as the window takes them, and codes that no row of their table has: said on
    // standard error and in the header, and the report written all the same.
    QTest::newRow("cliente en minúsculas, como en la ventana")
        << QStringList{"--desde", "01/01/2025", "--hasta", "30/06/2025", "--cliente", "d'ang", "--salida", "r.pdf"}
        << "" << sinNada << 0 << "informe de 1 cliente escrito"
        << "r.pdf" << sinHojas << "Filtros: cliente D'ANG Dulcería D'Angelo, S.A.";
    QTest::newRow("cliente que no existe")
        << QStringList{"--desde", "01/01/2025", "--hasta", "30/06/2025", "--cliente", "noexiste", "--salida", "r.pdf"}
        << "" << sinNada << 0 << "el cliente NOEXISTE no existe en la tabla clientes"
        << "r.pdf" << sinHojas << "Filtros: cliente NOEXISTE (no existe)";
    QTest::newRow("vendedor y línea que no existen")
        << QStringList{"--desde",    "01/01/2025", "--hasta", "30/06/2025", "--vendedor", "NADIE",
                       "--linea",    "999",        "--salida", "r.pdf"}
        << "" << sinNada << 0 << "la línea 999 no existe en la tabla lineas"
        << "r.pdf" << sinHojas << "Filtros: vendedor NADIE (no existe); línea 999 (no existe)";
    QTest::newRow("csv con cliente") << QStringList{"--desde",   "01/01/2025", "--hasta",  "30/06/2025",
                                                    "--cliente", "D'ANG",      "--salida", "r.csv"}
                                     << "" << sinNada << 0 << "informe de 1 cliente escrito"
                                     << "r.csv" << sinHojas << "";
    QTest::newRow("libro") << QStringList{"--desde", "01/07/2024", "--hasta", "30/06/2025", "--salida", "r.xlsx"} << ""
                           << sinNada << 0 << "escrito en"
                           << "r.xlsx" << sinHojas << "";
    QTest::newRow("salida relativa desde otra carpeta")
        << QStringList{"--desde", "01/01/2025", "--hasta", "31/01/2025", "--salida", "r.csv"} << "trabajo" << sinNada
        << 0 << "/trabajo/r.csv"
        << "r.csv" << sinHojas << "";
    QTest::newRow("periodo vacío") << QStringList{"--desde", "10/03/2025", "--hasta", "01/03/2025", "--salida", "r.csv"}
                                   << "" << sinNada << 0 << "el periodo está vacío"
                                   << "r.csv" << sinHojas << "";
    // The data sources cannot be written (the user's file is a folder): the report does not
    // run, though the system's data sources (the driver manager's fallback) would connect.
    QTest::newRow("orígenes que no se pueden escribir: no corre")
        << QStringList{"--desde", "01/01/2025", "--hasta", "31/01/2025", "--salida", "r.csv"} << ""
        << QStringList{"ODBCINI=%1", "ODBCSYSINI=%1"} << 1 << "no se escribió"
        << "" << sinHojas << "";
    QTest::newRow("trece meses") << QStringList{"--desde", "31/01/2024", "--hasta", "01/03/2025", "--salida", "r.pdf"}
                                 << "" << sinNada << 2 << "Alerta: Las fechas indicadas exceden el máximo de 12 meses"
                                 << "" << sinHojas << "";
    QTest::newRow("doce fronteras") << QStringList{"--desde",    "01/01/2024", "--hasta",
                                                   "01/01/2025", "--salida",   "r.pdf"}
                                    << "" << sinNada << 2
                                    << "Alerta: Desde el mes 1 del año inicial hasta el 1 del año final"
                                    << "" << sinHojas << "";
    QTest::newRow("fecha que no es fecha")
        << QStringList{"--desde", "31/02/2024", "--hasta", "01/03/2024", "--salida", "r.pdf"} << "" << sinNada << 1
        << "no es una fecha"
        << "" << sinHojas << "";
    // In Spanish: Qt's own message, translated.
    QTest::newRow("opción desconocida") << QStringList{"--desde", "01/01/2024", "--color", "rojo"} << "" << sinNada << 1
                                        << "Opción desconocida «color»"
                                        << "" << sinHojas << "";
    QTest::newRow("opción repetida") << QStringList{"--desde", "01/01/2024", "--hasta",  "01/02/2024",
                                                    "--desde", "01/01/2023", "--salida", "r.pdf"}
                                     << "" << sinNada << 1 << "--desde se dio más de una vez"
                                     << "" << sinHojas << "";
    QTest::newRow("línea 0") << QStringList{"--desde", "01/01/2024", "--hasta",  "01/02/2024",
                                            "--linea", "0",          "--salida", "r.pdf"}
                             << "" << sinNada << 1 << "omita --linea"
                             << "" << sinHojas << "";
    QTest::newRow("salida sin tipo") << QStringList{"--desde",    "01/01/2024", "--hasta",
                                                    "01/02/2024", "--salida",   "r.txt"}
                                     << "" << sinNada << 1 << ".pdf, .csv o .xlsx"
                                     << "" << sinHojas << "";
    QTest::newRow("falta la salida") << QStringList{"--desde", "01/01/2024", "--hasta", "01/02/2024"} << "" << sinNada
                                     << 1 << "--salida"
                                     << "" << sinHojas << "";
    QTest::newRow("carpeta que no existe")
        << QStringList{"--desde", "01/01/2024", "--hasta", "01/02/2024", "--salida", "no/existe/r.pdf"} << "" << sinNada
        << 1 << "/no/existe no existe"
        << "" << sinHojas << "";
    // Not even root may create a file there.
    QTest::newRow("carpeta en la que no se puede escribir")
        << QStringList{"--desde", "01/01/2024", "--hasta", "01/02/2024", "--salida", "/sys/r.pdf"} << "" << sinNada << 1
        << "no se puede escribir en la carpeta /sys"
        << "" << sinHojas << "";
    // A folder that is there but takes no files is not called missing.
    QTest::newRow("carpeta que no admite archivos")
        << QStringList{"--desde", "01/01/2024", "--hasta", "01/02/2024", "--salida", "/proc/r.pdf"} << "" << sinNada << 1
        << "no se puede escribir en la carpeta /proc: no admite archivos nuevos"
        << "" << sinHojas << "";

    // To the private print server's PDF printer: the pages and the copies come out as asked, on
    // the report's paper. The checks of names and numbers come before any database work.
    const QString cImpresora = ImpresoraDePrueba::Nombre();
    const QStringList doceMeses{"--desde", "01/07/2024", "--hasta", "30/06/2025"};
    QTest::newRow("impresora con copias y páginas")
        << doceMeses + QStringList{"--impresora", cImpresora, "--copias", "2", "--paginas", "2-2"} << "" << sinNada << 0
        << "enviado a la impresora " + cImpresora + ", 2 copias, página 2 ("
        << "" << QList<int>{2, 2} << "";
    QTest::newRow("impresora predeterminada")
        << doceMeses + QStringList{"--paginas", "1", "--impresora"} << "" << sinNada << 0
        << "enviado a la impresora " + cImpresora + ", página 1 (" << "" << QList<int>{1} << "";
    QTest::newRow("impresora, varias páginas")
        << doceMeses + QStringList{"--impresora", cImpresora, "--paginas", "1-2"} << "" << sinNada << 0
        << "enviado a la impresora " + cImpresora + ", páginas 1-2 (" << "" << QList<int>{1, 2} << "";
    QTest::newRow("impresora que no existe") << doceMeses + QStringList{"--impresora", "No Existe"} << "" << sinNada
                                             << 1 << "la impresora «No Existe» no existe en este equipo"
                                             << "" << sinHojas << "";
    // Its refusal is only known once the report is made: the database work is done.
    QTest::newRow("impresora que rechaza trabajos")
        << doceMeses + QStringList{"--impresora", ImpresoraDePrueba::NombreQueRechaza()} << "" << sinNada << 1
        << "\nError no. 7042: La impresora \"" + ImpresoraDePrueba::NombreQueRechaza() + "\" no recibió el informe: no acepta trabajos"
        << "" << sinHojas << "";
    QTest::newRow("cero copias") << doceMeses + QStringList{"--impresora", cImpresora, "--copias", "0"} << "" << sinNada
                                 << 1 << "--copias 0 no es un número de copias"
                                 << "" << sinHojas << "";
    QTest::newRow("páginas al revés") << doceMeses + QStringList{"--impresora", "--paginas", "3-2"} << "" << sinNada
                                      << 1 << "--paginas 3-2 no son páginas"
                                      << "" << sinHojas << "";
    QTest::newRow("copias sin impresora") << doceMeses + QStringList{"--salida", "r.pdf", "--copias", "2"} << ""
                                          << sinNada << 1 << "--copias solo vale con --impresora"
                                          << "" << sinHojas << "";
    QTest::newRow("salida e impresora") << doceMeses + QStringList{"--salida", "r.pdf", "--impresora", cImpresora} << ""
                                        << sinNada << 1 << "--salida y --impresora se excluyen"
                                        << "" << sinHojas << "";
    // clang-format on
}

void tst_InformeCompleto::modoLotes()
{
    QFETCH(QStringList, argumentos);
    QFETCH(QString, trabajo);
    QFETCH(QStringList, entorno);
    QFETCH(int, estado);
    QFETCH(QString, enErrores);
    QFETCH(QString, salida);
    QFETCH(QList<int>, hojas);
    QFETCH(QString, filtros);
    const bool bImprime = argumentos.contains(QStringLiteral("--impresora"));
    if (bImprime) {
        if (const QString cFalta = ImpresoraDePrueba::FaltaParaImprimir(); !cFalta.isEmpty())
            QSKIP(qPrintable(cFalta));
    }
    const QSet<int> trabajosAntes = bImprime ? ImpresoraDePrueba::Trabajos() : QSet<int>();
    // The program runs from a folder of its own, with its settings file and report file.
    const QString cCarpeta = QFileInfo(m_pEntorno->RutaEjecutable()).absolutePath();
    const QString cPrograma = InstalaPrograma(cCarpeta, m_pBase->Nombre());
    const QString cTrabajo = trabajo.isEmpty() ? cCarpeta : m_pEntorno->Carpeta() + QLatin1Char('/') + trabajo;
    QVERIFY(QDir().mkpath(cTrabajo));
    for (const QString &cCarpetaSalida : {cCarpeta, cTrabajo})
        QFile::remove(cCarpetaSalida + QLatin1Char('/') + salida);

    QProcess programa;
    programa.setWorkingDirectory(cTrabajo);
    QProcessEnvironment variables = Entorno();
    QTemporaryDir propia;
    if (!entorno.isEmpty()) {
        // The data sources as the system has them, with the driver named by its file.
        EscribeTexto(propia.filePath(QStringLiteral("odbc.ini")), TextoDe(qEnvironmentVariable("ODBCINI")));
        EscribeTexto(propia.filePath(QStringLiteral("odbcinst.ini")), TextoDe(QStringLiteral("/etc/odbcinst.ini")));
    }
    for (const QString &cVariable : std::as_const(entorno))
        variables.insert(cVariable.section(QLatin1Char('='), 0, 0),
                         cVariable.section(QLatin1Char('='), 1).arg(propia.path()));
    programa.setProcessEnvironment(variables);
    programa.start(cPrograma, argumentos);
    QVERIFY(programa.waitForFinished(60000));
    const QString cErrores = QString::fromUtf8(programa.readAllStandardError());
    QVERIFY2(cErrores.contains(enErrores), qPrintable(cErrores));
    QCOMPARE(programa.exitCode(), estado);
    if (estado != 0 && salida.isEmpty() && !enErrores.contains(QStringLiteral("no recibió")) &&
        !enErrores.contains(QStringLiteral("no se escribió")))
        QVERIFY2(!cErrores.contains(QStringLiteral("calculando")),
                 qPrintable(cErrores)); // refused before any database work
    if (bImprime) {
        const QSet<int> trabajos = ImpresoraDePrueba::Trabajos() - trabajosAntes;
        QCOMPARE(trabajos.size(), hojas.isEmpty() ? 0 : 1);
        if (!hojas.isEmpty())
            VerificaImpreso(ImpresoraDePrueba::EsperaPdf(*trabajos.begin()), hojas, QPageSize::Letter);
    }
    if (!salida.isEmpty()) {
        const QString cArchivo = cTrabajo + QLatin1Char('/') + salida;
        QVERIFY(QFileInfo(cArchivo).size() > 0);
        if (cTrabajo != cCarpeta)
            QVERIFY(!QFile::exists(cCarpeta + QLatin1Char('/') + salida)); // nothing beside the program
        if (argumentos.contains(QStringLiteral("--cliente")) && salida.endsWith(QStringLiteral(".csv"))) {
            const QList<QStringList> csv = LeeCsv(cArchivo);
            QCOMPARE(csv.size(), 2);
            QCOMPARE(csv[1].mid(0, 2), (QStringList{"D'ANG", "Dulcería D'Angelo, S.A."}));
        }
        if (!filtros.isEmpty()) {
            const QString cPrimera = SalidaDe(QStringLiteral("pdftotext"), {QStringLiteral("-l"), QStringLiteral("1"),
                                                                            cArchivo, QStringLiteral("-")});
            QVERIFY2(cPrimera.contains(filtros + u'\n'), qPrintable(cPrimera));
        }
    }
}

void tst_InformeCompleto::modoLotesInterrumpido_data()
{
    QTest::addColumn<int>("senal");
    QTest::newRow("Ctrl+C") << SIGINT;
    QTest::newRow("fin de la sesión") << SIGTERM;
    QTest::newRow("terminal cerrada") << SIGHUP;
}

// A signal during the fill (held up here by another session's lock on the invoices) stops the
// run as "Cancelar" does: a last line that says so, the signal's exit status, the earlier
// file, no working table and the server lock free.
void tst_InformeCompleto::modoLotesInterrumpido()
{
    QFETCH(int, senal);
    const QString cCarpeta = QFileInfo(m_pEntorno->RutaEjecutable()).absolutePath();
    const QString cPrograma = InstalaPrograma(cCarpeta, m_pBase->Nombre());
    const QString cSalida = cCarpeta + QStringLiteral("/r.csv");
    EscribeTexto(cSalida, QStringLiteral("el de antes\n"));
    Connection bloqueadora = Connection::Abre(m_pBase->Datos());
    bloqueadora.Execute(QStringLiteral("lock tables facturas write"));
    const auto desbloquea = qScopeGuard([&] { bloqueadora.Execute(QStringLiteral("unlock tables")); });

    QProcess programa;
    programa.setProcessEnvironment(Entorno());
    programa.start(cPrograma, {QStringLiteral("--desde"), QStringLiteral("01/01/2025"), QStringLiteral("--hasta"),
                               QStringLiteral("31/03/2025"), QStringLiteral("--salida"), cSalida});
    QString cErrores;
    QTRY_VERIFY_WITH_TIMEOUT(
        (cErrores += QString::fromUtf8(programa.readAllStandardError())).contains(QStringLiteral("calculando")), 20000);
    QTest::qWait(300); // into the fill, waiting on the server
    QCOMPARE(::kill(pid_t(programa.processId()), senal), 0);
    QVERIFY(programa.waitForFinished(20000));
    cErrores += QString::fromUtf8(programa.readAllStandardError());
    QCOMPARE(programa.exitStatus(), QProcess::NormalExit);
    QCOMPARE(programa.exitCode(), 128 + senal);
    QVERIFY2(cErrores.trimmed().section(QLatin1Char('\n'), -1).contains(QStringLiteral("informe interrumpido por")),
             qPrintable(cErrores));
    QCOMPARE(TextoDe(cSalida), QStringLiteral("el de antes\n"));
    Connection cnn = Connection::Abre(m_pBase->Datos());
    QVERIFY(cnn.Execute(QStringLiteral("show tables like 'tmpventas12meses'")).FinDeFilas());
    QCOMPARE(cnn.Execute(QStringLiteral("select is_free_lock('%1.tmpventas12meses')").arg(m_pBase->Nombre()))
                 .Campo(0)
                 .toInt(),
             1);
}

void tst_InformeCompleto::imprimirDesdeLaVistaPrevia_data()
{
    // clang-format off
    QTest::addColumn<QString>("impresora");   // as the print dialog lists it; "" its PDF file
    QTest::addColumn<QString>("propiedades"); // "" never opened, "=" opened and left, else the paper picked there
    QTest::addColumn<QPageSize::PageSizeId>("papel"); // of the sheets that come out
    QTest::addColumn<QString>("falla");               // the start of the failure shown ("" none)

    const QString cImpresora = ImpresoraDePrueba::Nombre();
    // The dialog's page setup starts at the printer's default paper (A4 for this one) and is
    // applied even when it is never opened: the report's Letter must stay.
    QTest::newRow("impresora") << cImpresora << "" << QPageSize::Letter << "";
    QTest::newRow("propiedades vistas") << cImpresora << "=" << QPageSize::Letter << "";
    QTest::newRow("otro papel elegido") << cImpresora << "A4" << QPageSize::A4 << "";
    // A PDF file makes no copies of its own: they are painted.
    QTest::newRow("archivo PDF") << "" << "" << QPageSize::Letter << "";
    QTest::newRow("impresora que rechaza trabajos") << ImpresoraDePrueba::NombreQueRechaza() << "" << QPageSize::Letter
                                                    << "Error no. 7042: La impresora";
    // clang-format on
}

// The print button of the preview and Qt's print dialog, driven as a person would: page 2
// (of the report's 2), two copies, the printer or the dialog's PDF file, its page setup
// opened or not.
void tst_InformeCompleto::imprimirDesdeLaVistaPrevia()
{
    QFETCH(QString, impresora);
    QFETCH(QString, propiedades);
    QFETCH(QPageSize::PageSizeId, papel);
    QFETCH(QString, falla);
    if (!impresora.isEmpty()) {
        if (const QString cFalta = ImpresoraDePrueba::FaltaParaImprimir(); !cFalta.isEmpty())
            QSKIP(qPrintable(cFalta));
    }
    QTemporaryDir carpeta;
    const QString cArchivo = carpeta.filePath(QStringLiteral("impreso.pdf"));
    const QSet<int> trabajosAntes = impresora.isEmpty() ? QSet<int>() : ImpresoraDePrueba::Trabajos();

    MotorReporte motor;
    ImpresoraYVistaPrevia pantalla;
    motor.setSalidaImpresa(&pantalla);
    bool bDialogoVisto = false;
    const auto aceptaPropiedades = [&] {
        auto *pPropiedades = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(pPropiedades);
        auto *pPapeles = pPropiedades->findChild<QComboBox *>(QStringLiteral("pageSizeCombo"));
        QVERIFY(pPapeles);
        if (propiedades != u"=") {
            const int i = pPapeles->findText(propiedades, Qt::MatchStartsWith);
            QVERIFY2(i >= 0, qPrintable(propiedades));
            pPapeles->setCurrentIndex(i);
        }
        pPropiedades->accept();
    };
    const auto imprime = [&] {
        auto *pDialogo = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        QVERIFY(pDialogo);
        bDialogoVisto = true;
        auto *pImpresoras = pDialogo->findChild<QComboBox *>(QStringLiteral("printers"));
        if (impresora.isEmpty()) {
            pImpresoras->setCurrentIndex(pImpresoras->count() - 1); // "Print to File (PDF)"
            pDialogo->findChild<QLineEdit *>(QStringLiteral("filename"))->setText(cArchivo);
        } else {
            pImpresoras->setCurrentIndex(pImpresoras->findText(impresora));
        }
        pDialogo->findChild<QRadioButton *>(QStringLiteral("printRange"))->setChecked(true);
        pDialogo->findChild<QSpinBox *>(QStringLiteral("from"))->setValue(2);
        pDialogo->findChild<QSpinBox *>(QStringLiteral("to"))->setValue(2);
        pDialogo->findChild<QSpinBox *>(QStringLiteral("copies"))->setValue(2);
        if (!propiedades.isEmpty()) {
            QTimer::singleShot(0, pDialogo, aceptaPropiedades);
            pDialogo->findChild<QPushButton *>(QStringLiteral("properties"))->click();
        }
        pDialogo->accept();
    };
    pantalla.setPresentaVistaPrevia([&](VentanaVistaPrevia &vista) {
        auto *pImprimir = vista.findChild<QAction *>(QStringLiteral("accionImprimir"));
        QVERIFY(pImprimir);
        // Both run inside the preview's event loop; the second one inside the print dialog's.
        QTimer::singleShot(0, &vista, [pImprimir] { pImprimir->trigger(); });
        QTimer::singleShot(0, &vista, imprime);
        vista.exec();
    });

    Connection cnn = Connection::Abre(m_pBase->Datos());
    ParametrosRpt parametros;
    m_pEntorno->mensajes.Olvida();
    ReporteVentas12Meses reporte(m_objetos, cnn, 2, parametros, motor, cCarpetaPrograma, m_pEntorno->mensajes);
    FiltrosInforme filtros{QStringLiteral("01/07/2024"), QStringLiteral("30/06/2025"), {}, {}, {}};
    QCOMPARE(reporte.Ejecuta(filtros), ReporteVentas12Meses::Resultado::Terminado);
    QVERIFY(bDialogoVisto);

    const auto &llamadas = m_pEntorno->mensajes.Llamadas();
    if (!falla.isEmpty()) {
        QCOMPARE(llamadas.size(), 1);
        QVERIFY2(llamadas[0].cTexto.startsWith(falla), qPrintable(llamadas[0].cTexto));
        QCOMPARE(ImpresoraDePrueba::Trabajos() - trabajosAntes, QSet<int>());
        return;
    }
    QVERIFY2(llamadas.isEmpty(), qPrintable(llamadas.value(0).cTexto));
    QString cPdf = cArchivo;
    if (!impresora.isEmpty()) {
        const QSet<int> trabajos = ImpresoraDePrueba::Trabajos() - trabajosAntes;
        QCOMPARE(trabajos.size(), 1);
        cPdf = ImpresoraDePrueba::EsperaPdf(*trabajos.begin());
    }
    VerificaImpreso(cPdf, {2, 2}, papel);
}

// While a person looks at the window's preview, the working table is gone and the server
// lock free: another report on the same database runs at once.
void tst_InformeCompleto::vistaPreviaAbiertaNoDetieneAOtros()
{
    QTemporaryDir carpeta;
    const QString cPrograma = InstalaPrograma(carpeta.filePath(QStringLiteral("otra")), m_pBase->Nombre());
    MotorReporte motor;
    ImpresoraYVistaPrevia pantalla;
    motor.setSalidaImpresa(&pantalla);
    int nEstado = -1;
    bool bTablaBorrada = false;
    QString cErrores;
    pantalla.setPresentaVistaPrevia([&](VentanaVistaPrevia &) {
        Connection cnn = Connection::Abre(m_pBase->Datos());
        bTablaBorrada = cnn.Execute(QStringLiteral("show tables like 'tmpventas12meses'")).FinDeFilas();
        QProcess otro;
        otro.setProcessEnvironment(Entorno());
        otro.start(cPrograma, {QStringLiteral("--desde"), QStringLiteral("01/01/2025"), QStringLiteral("--hasta"),
                               QStringLiteral("31/03/2025"), QStringLiteral("--salida"),
                               carpeta.filePath(QStringLiteral("o.csv"))});
        otro.waitForFinished(60000);
        nEstado = otro.exitCode();
        cErrores = QString::fromUtf8(otro.readAllStandardError());
    });
    QFile::copy(cCarpetaPrograma + QStringLiteral("/InformeMensual.rpt"),
                QFileInfo(m_pEntorno->RutaEjecutable()).absolutePath() + QStringLiteral("/InformeMensual.rpt"));
    m_pEntorno->mensajes.Olvida();
    frmInicial ventana(m_pEntorno->Contexto(), m_pEntorno->RutaEjecutable(), motor);
    QVERIFY(ventana.Abre());
    QVERIFY(QTest::qWaitForWindowActive(&ventana));
    Imprime(ventana, QDate(2024, 7, 1), QDate(2025, 6, 30), QString());
    QVERIFY2(m_pEntorno->mensajes.Llamadas().isEmpty(), qPrintable(m_pEntorno->mensajes.Llamadas().value(0).cTexto));
    QVERIFY(bTablaBorrada);
    QVERIFY2(nEstado == 0, qPrintable(cErrores));
    m_pEntorno->mensajes.Responde(Msg::Si);
    ventana.close();
}

// Copies of the program run at once against two databases, sharing the user's one ODBC
// data-source file: each report reads its own database, as a run alone gives it, and the
// file keeps the user's comment, another data source and the drivers.
void tst_InformeCompleto::variasCopiasADosBases()
{
    BaseDePrueba otra;
    QSqlDatabase base = otra.Base();
    OpcionesDemo opciones;
    opciones.nSemilla = 6;
    opciones.nLineas = 2000;
    opciones.dHasta = QDate(2025, 6, 1);
    opciones.cBase = otra.Nombre();
    GeneraDatosDemo(base, opciones);

    QTemporaryDir carpeta;
    const QString cOdbc = carpeta.filePath(QStringLiteral("odbc.ini"));
    const QString cAjeno =
        QStringLiteral("; mis orígenes de datos\n[Contabilidad]\nDriver=/opt/otro/libotro.so\nSERVER=10.1.2.3\n\n");
    EscribeTexto(cOdbc, cAjeno + TextoDe(qEnvironmentVariable("ODBCINI")));
    QProcessEnvironment variables = Entorno();
    variables.insert(QStringLiteral("ODBCINI"), cOdbc);
    const QStringList programas{InstalaPrograma(carpeta.filePath(QStringLiteral("a")), m_pBase->Nombre()),
                                InstalaPrograma(carpeta.filePath(QStringLiteral("b")), otra.Nombre())};
    const auto corre = [&](int nPrograma, const QString &cSalida) {
        auto *pPrograma = new QProcess;
        pPrograma->setProcessEnvironment(variables);
        pPrograma->start(programas[nPrograma],
                         {QStringLiteral("--desde"), QStringLiteral("01/07/2024"), QStringLiteral("--hasta"),
                          QStringLiteral("30/06/2025"), QStringLiteral("--salida"), cSalida});
        return pPrograma;
    };
    const auto termina = [](QProcess *pPrograma) {
        const bool bTermino = pPrograma->waitForFinished(120000) && pPrograma->exitCode() == 0;
        if (!bTermino)
            qWarning("%s", pPrograma->readAllStandardError().constData());
        delete pPrograma;
        return bTermino;
    };
    QStringList referencias;
    for (int nPrograma = 0; nPrograma < 2; ++nPrograma) {
        const QString cReferencia = carpeta.filePath(QStringLiteral("ref%1.csv").arg(nPrograma));
        QVERIFY(termina(corre(nPrograma, cReferencia)));
        referencias << TextoDe(cReferencia);
    }
    QVERIFY(referencias[0] != referencias[1]);

    for (int nRonda = 0; nRonda < 3; ++nRonda) {
        QList<QProcess *> corriendo;
        for (int i = 0; i < 4; ++i)
            corriendo << corre(i % 2, carpeta.filePath(QStringLiteral("r%1-%2.csv").arg(nRonda).arg(i)));
        for (int i = 0; i < 4; ++i) {
            QVERIFY(termina(corriendo[i]));
            QCOMPARE(TextoDe(carpeta.filePath(QStringLiteral("r%1-%2.csv").arg(nRonda).arg(i))), referencias[i % 2]);
        }
    }
    const QString cFinal = TextoDe(cOdbc);
    QVERIFY2(cFinal.startsWith(cAjeno), qPrintable(cFinal));
    for (const QString &cFuente : {QStringLiteral("myodbc3-test"), QStringLiteral("Almena Reportes")})
        QVERIFY2(!IniArchivo::Lee(cOdbc, cFuente, QStringLiteral("Driver")).isEmpty(), qPrintable(cFinal));
}

QTEST_MAIN(tst_InformeCompleto)
#include "tst_InformeCompleto.moc"
