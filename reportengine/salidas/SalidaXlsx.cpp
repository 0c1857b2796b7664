#include "SalidaXlsx.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <array>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include <xlsxwriter.h>

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "MotivoDeErrno.h"
#include "NombresPapel.h"
#include "SalidaCsv.h"

namespace {

// Widths in characters of the digit 0, as spreadsheets count them: a long name is cut at the
// next column rather than push the months off the screen.
constexpr int nAnchoMinimo = 6;
constexpr int nAnchoMaximo = 60;

[[noreturn]] void NoEscrito(const QString &cRuta, QString cMotivo)
{
    if (cMotivo.endsWith(QLatin1Char('.')))
        cMotivo.chop(1);
    throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                       QStringLiteral("No se pudo escribir el archivo %1: %2.").arg(cRuta, cMotivo));
}

// "#,##0.000" for three decimals.
QByteArray FormatoDeNumero(int nDecimales)
{
    QByteArray formato("#,##0");
    if (nDecimales > 0)
        formato += '.' + QByteArray(nDecimales, '0');
    return formato;
}

// How wide the numbers of a column show, with their thousands grouped, from the largest.
struct AnchoDeNumeros
{
    double dMayor = 0;
    bool bNegativo = false;

    void Agrega(double dValor)
    {
        dMayor = qMax(dMayor, std::abs(dValor));
        bNegativo = bNegativo || dValor < 0;
    }
    int Ancho(int nDecimales) const
    {
        int nEnteros = 1;
        for (double d = dMayor; d >= 10; d /= 10)
            ++nEnteros;
        return int(bNegativo) + nEnteros + (nEnteros - 1) / 3 + (nDecimales > 0 ? nDecimales + 1 : 0);
    }
};

// A header segment with a page number, which a workbook has not.
bool TienePaginacion(const PlantillaTexto &texto)
{
    for (const PlantillaTexto::Pieza &pieza : texto.Piezas())
        if (pieza.tipo == PlantillaTexto::Pieza::Tipo::ValorDelMotor)
            return true; // the engine leaves only {=Pagina} and {=Paginas} unfilled
    return false;
}

// The spreadsheets' number of the report's paper (the ECMA-376 list); 0, the printer's own
// paper, for one that list lacks.
uint8_t PapelDelLibro(const QString &cPapel)
{
    switch (PapelPorNombre(cPapel).value_or(QPageSize::Custom)) {
    case QPageSize::Letter: return 1;
    case QPageSize::Legal: return 5;
    case QPageSize::A3: return 8;
    case QPageSize::A4: return 9;
    case QPageSize::A5: return 11;
    default: return 0;
    }
}

// "<cRuta>.<8 hex digits>", a name that no file in the folder has yet.
QString NombreTemporal(const QString &cRuta)
{
    return QStringLiteral("%1.%2").arg(cRuta).arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

// Where the workbook is written before it takes cDestino's place. Normally a file without a
// name in cDestino's folder (O_TMPFILE), which the library opens through /proc: a process
// killed meanwhile leaves nothing in the user's folder, and the file gets its name only when
// complete. On a file system without unnamed files, a new empty file beside cDestino.
// Created with the permissions a new file of this user gets (QTemporaryFile would make it
// private to the owner).
class Temporal
{
public:
    Temporal(const QString &cRuta, const QString &cDestino) : m_cRuta(cRuta)
    {
        const QString cCarpeta = QFileInfo(cDestino).absolutePath();
        m_nArchivo = ::open(QFile::encodeName(cCarpeta).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (m_nArchivo >= 0) {
            m_cAbre = QStringLiteral("/proc/self/fd/%1").arg(m_nArchivo);
            return;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            NoEscrito(m_cRuta, MotivoDeErrno(errno));
        for (int nIntento = 0;; ++nIntento) {
            m_cNombre = NombreTemporal(cDestino);
            m_nArchivo =
                ::open(QFile::encodeName(m_cNombre).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_nArchivo >= 0)
                break;
            if (errno != EEXIST || nIntento == 100)
                NoEscrito(m_cRuta, MotivoDeErrno(errno));
        }
        m_cAbre = m_cNombre;
    }
    ~Temporal()
    {
        if (m_nArchivo >= 0)
            ::close(m_nArchivo);
        if (!m_cNombre.isEmpty() && !m_bColocado)
            QFile::remove(m_cNombre);
    }
    Temporal(const Temporal &) = delete;
    Temporal &operator=(const Temporal &) = delete;

    // The path by which the library writes the file.
    const QString &Ruta() const { return m_cAbre; }

    // The complete file, on disk and with the permissions of the file it replaces, becomes
    // cDestino.
    void Coloca(const QString &cDestino)
    {
        const QByteArray destino = QFile::encodeName(cDestino);
        if (::fdatasync(m_nArchivo) != 0)
            NoEscrito(m_cRuta, MotivoDeErrno(errno));
        struct stat anterior
        {
        };
        const bool bHayAnterior = ::stat(destino.constData(), &anterior) == 0;
        if (bHayAnterior)
            ::fchmod(m_nArchivo, anterior.st_mode & 07777);
        if (m_cNombre.isEmpty()) {
            // A name is given only to a complete file. Where none was, it takes the final name at
            // once; otherwise a name beside it for the instant before the rename.
            if (!bHayAnterior && Enlaza(destino) == 0) {
                m_bColocado = true;
                return;
            }
            for (int nIntento = 0;; ++nIntento) {
                m_cNombre = NombreTemporal(cDestino);
                if (Enlaza(QFile::encodeName(m_cNombre)) == 0)
                    break;
                const int nError = errno;
                m_cNombre.clear();
                if (nError != EEXIST || nIntento == 100)
                    NoEscrito(m_cRuta, MotivoDeErrno(nError));
            }
        }
        if (::rename(QFile::encodeName(m_cNombre).constData(), destino.constData()) != 0)
            NoEscrito(m_cRuta, MotivoDeErrno(errno));
        m_bColocado = true;
    }

private:
    int Enlaza(const QByteArray &nombre) const
    {
        return ::linkat(AT_FDCWD, QFile::encodeName(m_cAbre).constData(), AT_FDCWD, nombre.constData(),
                        AT_SYMLINK_FOLLOW);
    }

    QString m_cRuta;   // as the user gave it, for messages
    QString m_cNombre; // the temporary's name in the folder, when it has one
    QString m_cAbre;
    int m_nArchivo = -1;
    bool m_bColocado = false;
};

} // namespace

class SalidaXlsx::Libro
{
public:
    enum class Estilo { Normal, Titulo, Encabezado, EncabezadoNumero, Total };

    Libro(const QString &cRuta, const QString &cTemporal) : m_cRuta(cRuta)
    {
        // Not in constant-memory mode, though it is faster and takes less memory (the report
        // of 10,000 clients stays under 100 MB either way): there the library cannot give
        // the charts the data they show, nor tell that the months are texts, and it writes
        // texts inline; readers that do not recompute a chart would show it empty.
        m_pLibro = workbook_new(QFile::encodeName(cTemporal).constData());
        if (!m_pLibro)
            NoEscrito(m_cRuta, QString::fromUtf8(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED)));
    }
    ~Libro()
    {
        if (m_pLibro)
            lxw_workbook_free(m_pLibro);
    }
    Libro(const Libro &) = delete;
    Libro &operator=(const Libro &) = delete;

    void Revisa(lxw_error error) const
    {
        if (error == LXW_NO_ERROR)
            return;
        // The library's file errors name its zip layer ("Zip generic error ZIP_ERRNO"); the
        // system's reason, a full disk say, is in errno.
        const int nErrno = errno;
        const bool bDeArchivo = error >= LXW_ERROR_CREATING_XLSX_FILE && error <= LXW_ERROR_ZIP_CLOSE;
        NoEscrito(m_cRuta, bDeArchivo && nErrno != 0 ? MotivoDeErrno(nErrno) : QString::fromUtf8(lxw_strerror(error)));
    }

    void PonTitulo(const QString &cTitulo)
    {
        QByteArray titulo = cTitulo.toUtf8(), autor("informe-mensual"); // the library copies them
        lxw_doc_properties propiedades{};
        propiedades.title = titulo.data();
        propiedades.author = autor.data();
        Revisa(workbook_set_properties(m_pLibro, &propiedades));
    }

    lxw_worksheet *Hoja(const char *cNombre)
    {
        lxw_worksheet *pHoja = workbook_add_worksheet(m_pLibro, cNombre);
        if (!pHoja)
            Revisa(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return pHoja;
    }

    lxw_chart *Grafica(uint8_t nTipo)
    {
        lxw_chart *pGrafica = workbook_add_chart(m_pLibro, nTipo);
        if (!pGrafica)
            Revisa(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return pGrafica;
    }

    // The format of a text cell; a text that a spreadsheet would take for a formula gets the
    // text number format on top, so that whoever edits the cell keeps a text. Null for the
    // default format.
    lxw_format *Formato(Estilo estilo, bool bTextoSeguro = false)
    {
        lxw_format *&pFormato = m_formatos[size_t(estilo)][bTextoSeguro];
        if (pFormato || (estilo == Estilo::Normal && !bTextoSeguro))
            return pFormato;
        pFormato = workbook_add_format(m_pLibro);
        switch (estilo) {
        case Estilo::Normal: break;
        case Estilo::Titulo:
            format_set_bold(pFormato);
            format_set_font_size(pFormato, 14);
            break;
        case Estilo::EncabezadoNumero: format_set_align(pFormato, LXW_ALIGN_RIGHT); [[fallthrough]];
        case Estilo::Encabezado:
            format_set_bold(pFormato);
            format_set_bottom(pFormato, LXW_BORDER_THIN);
            break;
        case Estilo::Total:
            format_set_bold(pFormato);
            format_set_top(pFormato, LXW_BORDER_THIN);
            break;
        }
        if (bTextoSeguro)
            format_set_num_format(pFormato, "@");
        return pFormato;
    }

    // The format of a number with nDecimales (0 to 10), in the totals row or not.
    lxw_format *FormatoNumero(int nDecimales, bool bTotal)
    {
        lxw_format *&pFormato = m_numeros[size_t(qBound(0, nDecimales, NumeroDecimal::nDecimalesGuardados))][bTotal];
        if (!pFormato) {
            pFormato = workbook_add_format(m_pLibro);
            format_set_num_format(pFormato, FormatoDeNumero(nDecimales).constData());
            if (bTotal) {
                format_set_bold(pFormato);
                format_set_top(pFormato, LXW_BORDER_THIN);
            }
        }
        return pFormato;
    }

    // A sheet printed as the report's PDF is: on its paper and orientation and margins, one
    // page wide (nPaginasDeAlto pages tall; 0 as many as it takes), "Página N de M" at the
    // foot, and the rows up to nRepetidaHasta (the heading) repeated on every page.
    void PreparaPagina(lxw_worksheet *pHoja, const PaginaDiseno &pagina, uint16_t nPaginasDeAlto,
                       std::optional<lxw_row_t> nRepetidaHasta = std::nullopt)
    {
        if (pagina.bHorizontal)
            worksheet_set_landscape(pHoja);
        else
            worksheet_set_portrait(pHoja);
        worksheet_set_paper(pHoja, PapelDelLibro(pagina.cPapel));
        const double dMargen = pagina.nMargenDecimasMm / 254.0; // inches
        // The footer takes room of its own below the body, as on the PDF.
        worksheet_set_margins(pHoja, dMargen, dMargen, dMargen, dMargen + 0.3);
        worksheet_fit_to_pages(pHoja, 1, nPaginasDeAlto);
        Revisa(worksheet_set_footer(pHoja, "&RPágina &P de &N"));
        if (nRepetidaHasta)
            Revisa(worksheet_repeat_rows(pHoja, 0, *nRepetidaHasta));
    }

    void EscribeTexto(lxw_worksheet *pHoja, lxw_row_t nFila, lxw_col_t nColumna, const QString &cTexto,
                      Estilo estilo = Estilo::Normal)
    {
        Revisa(worksheet_write_string(pHoja, nFila, nColumna, cTexto.toUtf8().constData(),
                                      Formato(estilo, SalidaCsv::PareceFormula(cTexto))));
    }

    // Writes the file; the workbook is gone afterwards, whatever the outcome.
    void Cierra()
    {
        lxw_workbook *pLibro = std::exchange(m_pLibro, nullptr);
        errno = 0;
        Revisa(workbook_close(pLibro));
    }

private:
    QString m_cRuta;
    lxw_workbook *m_pLibro = nullptr;
    std::array<std::array<lxw_format *, 2>, 5> m_formatos{};
    std::array<std::array<lxw_format *, 2>, NumeroDecimal::nDecimalesGuardados + 1> m_numeros{};
};

void SalidaXlsx::EscribeVentas(Libro &libro, const ContenidoReporte &contenido)
{
    using Estilo = Libro::Estilo;
    lxw_worksheet *pHoja = libro.Hoja("Ventas");
    lxw_row_t nFila = 0;
    libro.EscribeTexto(pHoja, nFila++, 0, contenido.cTitulo, Estilo::Titulo);
    for (const LineaContenido &linea : contenido.encabezado) {
        for (const SegmentoContenido &segmento : linea.segmentos) {
            if (TienePaginacion(segmento.texto))
                continue;
            const QString cTexto =
                segmento.texto.Rellena([](const PlantillaTexto::Pieza &pieza) { return pieza.cTexto; });
            if (!cTexto.trimmed().isEmpty() && cTexto != contenido.cTitulo) // the title has its own row
                libro.EscribeTexto(pHoja, nFila++, 0, cTexto);
        }
    }
    ++nFila; // a blank row apart from the table

    const lxw_row_t nFilaTitulos = nFila++;
    const int nColumnas = int(contenido.csv.size());
    QList<int> anchos(nColumnas), decimales(nColumnas);
    QList<AnchoDeNumeros> numeros(nColumnas);
    QList<lxw_format *> formatos(nColumnas);
    for (int i = 0; i < nColumnas; ++i) {
        const ColumnaCsv &columna = contenido.csv[i];
        const bool bNumerica = contenido.columnas[columna.nColumna].bNumerica;
        libro.EscribeTexto(pHoja, nFilaTitulos, lxw_col_t(i), columna.cTitulo,
                           bNumerica ? Estilo::EncabezadoNumero : Estilo::Encabezado);
        anchos[i] = int(columna.cTitulo.size()) + 3; // and the filter's button
        decimales[i] = contenido.DecimalesDeDatos(columna.nColumna, columna.nLinea);
        formatos[i] = libro.FormatoNumero(decimales[i], false);
    }
    worksheet_freeze_panes(pHoja, nFilaTitulos + 1, 0);
    libro.PreparaPagina(pHoja, contenido.pagina, 0, nFilaTitulos);

    for (qsizetype nDetalle = 0; nDetalle < contenido.nFilas; ++nDetalle, ++nFila) {
        for (int i = 0; i < nColumnas; ++i) {
            const ColumnaCsv &columna = contenido.csv[i];
            const ValorCelda &valor = contenido.Celda(nDetalle, columna.nLinea, columna.nColumna);
            switch (valor.tipo) {
            case ValorCelda::Tipo::Vacio: break;
            case ValorCelda::Tipo::Texto:
                libro.EscribeTexto(pHoja, nFila, lxw_col_t(i), contenido.Texto(valor));
                anchos[i] = qMax(anchos[i], int(contenido.Texto(valor).size()));
                break;
            case ValorCelda::Tipo::Numero: {
                // The decimal the CSV writes, exact until here: the nearest double, for the cell.
                const double dValor = valor.numero.Real(decimales[i]);
                libro.Revisa(worksheet_write_number(pHoja, nFila, lxw_col_t(i), dValor, formatos[i]));
                numeros[i].Agrega(dValor);
                break;
            }
            }
        }
    }
    if (nColumnas > 0)
        libro.Revisa(worksheet_autofilter(pHoja, nFilaTitulos, 0, nFila - 1, lxw_col_t(nColumnas - 1)));

    if (contenido.bTotales) {
        for (int i = 0; i < nColumnas; ++i) {
            const ColumnaCsv &columna = contenido.csv[i];
            const ValorCelda &total = contenido.Total(columna.nLinea, columna.nColumna);
            switch (total.tipo) {
            case ValorCelda::Tipo::Vacio:
                libro.Revisa(worksheet_write_blank(pHoja, nFila, lxw_col_t(i), libro.Formato(Estilo::Total)));
                break;
            case ValorCelda::Tipo::Texto:
                // Not counted in the width: the label runs over the empty cells beside it.
                libro.EscribeTexto(pHoja, nFila, lxw_col_t(i), contenido.Texto(total), Estilo::Total);
                break;
            case ValorCelda::Tipo::Numero: {
                // The exact sum, for readers that show formulas without calculating them.
                const double dTotal = total.numero.Real(decimales[i]);
                lxw_format *pFormato = libro.FormatoNumero(decimales[i], true);
                if (contenido.nFilas == 0) {
                    libro.Revisa(worksheet_write_number(pHoja, nFila, lxw_col_t(i), dTotal, pFormato));
                } else {
                    char cRango[LXW_MAX_CELL_RANGE_LENGTH];
                    lxw_rowcol_to_range(cRango, nFilaTitulos + 1, lxw_col_t(i), nFila - 1, lxw_col_t(i));
                    const QByteArray formula = QByteArrayLiteral("=SUM(") + cRango + ')';
                    libro.Revisa(
                        worksheet_write_formula_num(pHoja, nFila, lxw_col_t(i), formula.constData(), pFormato, dTotal));
                }
                numeros[i].Agrega(dTotal);
                break;
            }
            }
        }
    }
    for (int i = 0; i < nColumnas; ++i) {
        const int nAncho = qMax(anchos[i], numeros[i].Ancho(decimales[i]));
        libro.Revisa(worksheet_set_column(pHoja, lxw_col_t(i), lxw_col_t(i),
                                          qBound(nAnchoMinimo, nAncho + 1, nAnchoMaximo), nullptr));
    }
}

void SalidaXlsx::EscribeMeses(Libro &libro, const ContenidoReporte &contenido)
{
    QList<int> meses;
    for (int nColumna = 0; nColumna < contenido.columnas.size(); ++nColumna)
        if (contenido.columnas[nColumna].bEnSerie)
            meses.append(nColumna);
    if (meses.isEmpty() || !contenido.bTotales || contenido.nLineasPorFila < 2)
        return;

    using Estilo = Libro::Estilo;
    lxw_worksheet *pHoja = libro.Hoja("Meses");
    // The months and both charts on one page: a chart is never cut.
    libro.PreparaPagina(pHoja, contenido.pagina, 1);
    libro.EscribeTexto(pHoja, 0, 0, QStringLiteral("Mes"), Estilo::Encabezado);
    libro.EscribeTexto(pHoja, 0, 1, QStringLiteral("Cantidad"), Estilo::EncabezadoNumero);
    libro.EscribeTexto(pHoja, 0, 2, QStringLiteral("Importe"), Estilo::EncabezadoNumero);
    std::array<int, 3> anchos{3, 8, 7};
    std::array<AnchoDeNumeros, 2> numeros{};
    std::array<int, 2> decimales{};
    lxw_row_t nFila = 1;
    for (const int nColumna : std::as_const(meses)) {
        const QString &cMes = contenido.columnas[nColumna].cTitulo;
        libro.EscribeTexto(pHoja, nFila, 0, cMes);
        anchos[0] = qMax(anchos[0], int(cMes.size()));
        for (int nLinea = 0; nLinea < 2; ++nLinea) {
            const ValorCelda &total = contenido.Total(nLinea, nColumna);
            if (total.tipo != ValorCelda::Tipo::Numero)
                continue;
            const int nDecimales = contenido.DecimalesDeDatos(nColumna, nLinea);
            const double dTotal = total.numero.Real(nDecimales);
            libro.Revisa(worksheet_write_number(pHoja, nFila, lxw_col_t(1 + nLinea), dTotal,
                                                libro.FormatoNumero(nDecimales, false)));
            numeros[nLinea].Agrega(dTotal);
            decimales[nLinea] = qMax(decimales[nLinea], nDecimales);
        }
        ++nFila;
    }
    for (int nLinea = 0; nLinea < 2; ++nLinea)
        anchos[1 + nLinea] = qMax(anchos[1 + nLinea], numeros[nLinea].Ancho(decimales[nLinea]));
    for (lxw_col_t i = 0; i < anchos.size(); ++i)
        libro.Revisa(worksheet_set_column(pHoja, i, i, qBound(nAnchoMinimo, anchos[i] + 2, nAnchoMaximo), nullptr));

    if (contenido.nFilas == 0) {
        // Charts of nothing but zeros would be empty frames.
        libro.EscribeTexto(pHoja, 1, 4, TextoSinFilas());
        return;
    }

    // The period as the months are headed: "ene-24 a dic-24".
    const QString &cPrimero = contenido.columnas[meses.first()].cTitulo;
    const QString cPeriodo = meses.size() == 1
                                 ? cPrimero
                                 : QStringLiteral("%1 a %2").arg(cPrimero, contenido.columnas[meses.last()].cTitulo);
    const QByteArray meses8 = QByteArrayLiteral("=Meses!$A$2:$A$") + QByteArray::number(nFila);
    // The library draws no line over columns with an axis of its own: one chart for each.
    struct Grafica
    {
        uint8_t nTipo;
        char cColumna;
        const char *cQue;
        lxw_row_t nFila;
    };
    for (const Grafica &grafica :
         {Grafica{LXW_CHART_COLUMN, 'C', "Importe", 1}, Grafica{LXW_CHART_LINE, 'B', "Cantidad", 17}}) {
        lxw_chart *pGrafica = libro.Grafica(grafica.nTipo);
        const QByteArray valores = QByteArrayLiteral("=Meses!$") + grafica.cColumna + "$2:$" + grafica.cColumna + '$' +
                                   QByteArray::number(nFila);
        lxw_chart_series *pSerie = chart_add_series(pGrafica, meses8.constData(), valores.constData());
        if (!pSerie)
            libro.Revisa(LXW_ERROR_MEMORY_MALLOC_FAILED);
        chart_series_set_name(pSerie, (QByteArrayLiteral("=Meses!$") + grafica.cColumna + "$1").constData());
        // Not a text starting with "=": the library would take it for a cell reference.
        chart_title_set_name(
            pGrafica, QStringLiteral("%1 por mes, %2").arg(QLatin1String(grafica.cQue), cPeriodo).toUtf8().constData());
        chart_legend_set_position(pGrafica, LXW_CHART_LEGEND_NONE);
        chart_axis_set_num_format(pGrafica->y_axis, "#,##0");
        libro.Revisa(worksheet_insert_chart(pHoja, grafica.nFila, 4, pGrafica));
    }
}

void SalidaXlsx::Escribe(const ContenidoReporte &contenido, const QString &cRuta)
{
    // The file a link points to is replaced, not the link, as QSaveFile does for the PDF and
    // the CSV; the new file is written in the same folder so that the rename cannot cross disks.
    const QString cCanonica = QFileInfo(cRuta).canonicalFilePath();
    const QString cDestino = cCanonica.isEmpty() ? cRuta : cCanonica;
    Temporal temporal(cRuta, cDestino);
    {
        Libro libro(cRuta, temporal.Ruta());
        libro.PonTitulo(contenido.cTitulo);
        EscribeVentas(libro, contenido);
        EscribeMeses(libro, contenido);
        libro.Cierra();
    }
    temporal.Coloca(cDestino);
}
