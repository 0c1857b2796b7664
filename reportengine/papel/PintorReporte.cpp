#include "PintorReporte.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPolygonF>
#include <QSet>

#include <cmath>

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"
#include "GraficaMeses.h"
#include "LetraDeTabla.h"
#include "NombresPapel.h"

namespace {

constexpr double dMmPorPulgada = 25.4;
constexpr double dRellenoHorizontalMm = 1.0;
constexpr double dRellenoVerticalMm = 0.4;
constexpr double dSeparacionMm = 1.5; // under the header lines, above the footer
constexpr double dMinimoPuntos = 1.0; // below that Qt draws nothing legible anyway
constexpr int nMaximoIntentos = 8;
constexpr double dAlturaGraficaMm = 80.0; // or the page's body, when that is smaller

QFont Letra(const QString &cFamilia, double dPuntos, bool bNegrita)
{
    QFont letra(cFamilia);
    letra.setPointSizeF(dPuntos);
    letra.setBold(bNegrita);
    letra.setKerning(false); // a text is then exactly as wide as its letters (LetraDeTabla)
    return letra;
}

} // namespace

struct PintorReporte::Medidas
{
    QPaintDevice *pDispositivo = nullptr;
    double dPxPorMm = 1;
    double dAncho = 0; // of the printable area
    double dAlto = 0;
    QFont letra;
    QFont letraNegrita;
    std::shared_ptr<LetraDeTabla> normal;
    std::shared_ptr<LetraDeTabla> negrita;
    double dAlturaLinea = 0;
    double dRelleno = 0;
    double dRellenoVertical = 0;
    QList<double> x; // left edge of each column
    QList<double> anchos;
    double dAlturaFila = 0;
    double dAlturaEncabezado = 0; // header lines and the gap under them
    double dAlturaTitulos = 0;    // the column headings
    double dAlturaPie = 0;        // the gap and the footer lines
    double dAlturaTotales = 0;
    QList<LugarDeTotal> lugaresTotales; // where each total goes: line by line, then column by column
    int nLineasTotales = 0;             // the lines of paper the totals take
    QList<int> mesesGrafica;            // the series' columns the chart shows (none: no chart)
    double dAlturaGrafica = 0;
    QList<PaginacionReporte::Pagina> paginas;

    double Mm(double dMm) const { return dMm * dPxPorMm; }
};

PintorReporte::PintorReporte(const ContenidoReporte &contenido, const QLocale &locale)
    : m_contenido(contenido), m_locale(locale)
{
}

QPageLayout PintorReporte::DisenoDePagina(std::optional<QPageSize::PageSizeId> papel) const
{
    const QPageSize::PageSizeId nPapel =
        papel.value_or(PapelPorNombre(m_contenido.pagina.cPapel).value_or(QPageSize::A4));
    const double dMargen = m_contenido.pagina.nMargenDecimasMm / 10.0;
    return QPageLayout(QPageSize(nPapel),
                       m_contenido.pagina.bHorizontal ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(dMargen, dMargen, dMargen, dMargen), QPageLayout::Millimeter);
}

QString PintorReporte::Texto(const ValorCelda &valor, int nColumna, int nLinea) const
{
    switch (valor.tipo) {
    case ValorCelda::Tipo::Vacio: return {};
    case ValorCelda::Tipo::Texto: return m_contenido.Texto(valor);
    case ValorCelda::Tipo::Numero:
        return valor.numero.TextoLocal(m_contenido.columnas[nColumna].decimalesPorLinea.value(nLinea, 2), m_locale);
    }
    return {};
}

// What each automatic column must hold, in the normal letter and in bold. It does not
// depend on the letter's size, so it is found once. For numbers the widest is the one with
// the most digits (our letters' digits are all equally wide): only the largest magnitude and
// a sign matter.
struct PintorReporte::TextosMasAnchos
{
    QList<QStringList> normales;
    QList<QStringList> negritos;
};

PintorReporte::TextosMasAnchos PintorReporte::TextosQueDebenCaber(bool bConTotales) const
{
    const int nColumnas = int(m_contenido.columnas.size());
    TextosMasAnchos textos{QList<QStringList>(nColumnas), QList<QStringList>(nColumnas)};
    const auto numero = [this](const NumeroDecimal &mayor, bool bHayNegativo, int nDecimales) {
        return (bHayNegativo ? m_locale.negativeSign() : QString()) + mayor.TextoLocal(nDecimales, m_locale);
    };
    for (int nColumna = 0; nColumna < nColumnas; ++nColumna) {
        const ColumnaContenido &columna = m_contenido.columnas[nColumna];
        textos.negritos[nColumna].append(columna.cTitulo);
        if (columna.ancho != ColumnaDiseno::Ancho::Automatico)
            continue;
        for (int nLinea = 0; nLinea < m_contenido.nLineasPorFila; ++nLinea) {
            const int nDecimales = columna.decimalesPorLinea.value(nLinea, 2);
            NumeroDecimal mayor;
            bool bHayNumero = false;
            bool bHayNegativo = false;
            QSet<QString> distintos;
            for (qsizetype nFila = 0; nFila < m_contenido.nFilas; ++nFila) {
                const ValorCelda &valor = m_contenido.Celda(nFila, nLinea, nColumna);
                if (valor.tipo == ValorCelda::Tipo::Numero) {
                    bHayNumero = true;
                    bHayNegativo = bHayNegativo || valor.numero.EsNegativo();
                    if (mayor.MenorQue(valor.numero.Magnitud()))
                        mayor = valor.numero.Magnitud();
                } else if (valor.tipo == ValorCelda::Tipo::Texto) {
                    distintos.insert(m_contenido.Texto(valor));
                }
            }
            if (bHayNumero)
                textos.normales[nColumna].append(numero(mayor, bHayNegativo, nDecimales));
            textos.normales[nColumna].append(distintos.values());

            // The totals row: its labels always, its numbers when asked (the first column's
            // label may run on over the columns beside it).
            if (!m_contenido.bTotales || nColumna == 0)
                continue;
            const ValorCelda &total = m_contenido.Total(nLinea, nColumna);
            if (total.tipo == ValorCelda::Tipo::Texto)
                textos.negritos[nColumna].append(m_contenido.Texto(total));
            else if (total.tipo == ValorCelda::Tipo::Numero && bConTotales)
                textos.negritos[nColumna].append(
                    numero(total.numero.Magnitud(), total.numero.EsNegativo(), nDecimales));
        }
    }
    return textos;
}

// The columns' widths for the texts, in the report's letter or, when the table is wider
// than the paper, in a smaller one that makes it fit. Returns the letter's size.
double PintorReporte::Ajusta(Medidas &medidas, const TextosMasAnchos &textos) const
{
    const int nColumnas = int(m_contenido.columnas.size());
    double dPuntos = m_contenido.pagina.nPuntosDecimas / 10.0;
    for (int nIntento = 1;; ++nIntento) {
        medidas.letra = Letra(m_contenido.pagina.cFuente, dPuntos, false);
        medidas.letraNegrita = Letra(m_contenido.pagina.cFuente, dPuntos, true);
        medidas.normal = std::make_shared<LetraDeTabla>(medidas.letra, medidas.pDispositivo);
        medidas.negrita = std::make_shared<LetraDeTabla>(medidas.letraNegrita, medidas.pDispositivo);
        medidas.anchos.clear();
        double dTotal = 0;
        double dEscalable = 0; // the part that a smaller letter makes narrower
        for (int nColumna = 0; nColumna < nColumnas; ++nColumna) {
            const ColumnaContenido &columna = m_contenido.columnas[nColumna];
            double dAncho = medidas.Mm(columna.nAnchoDecimasMm / 10.0);
            if (columna.ancho == ColumnaDiseno::Ancho::Automatico) {
                dAncho = 0;
                for (const QString &cTexto : textos.normales[nColumna])
                    dAncho = qMax(dAncho, medidas.normal->Ancho(cTexto));
                for (const QString &cTexto : textos.negritos[nColumna])
                    dAncho = qMax(dAncho, medidas.negrita->Ancho(cTexto));
                dAncho += 2 * medidas.dRelleno;
                dEscalable += dAncho;
            }
            medidas.anchos.append(dAncho);
            dTotal += dAncho;
        }
        if (dTotal <= medidas.dAncho || dEscalable <= 0 || nIntento == nMaximoIntentos) {
            // Not even a tiny letter makes it fit (fixed widths wider than the paper): every
            // column gives up its share, and a number that then does not fit its cell is drawn
            // smaller (PintaFila). What is left, if anything, goes to the columns that take the rest.
            if (dTotal > medidas.dAncho) {
                for (double &dAncho : medidas.anchos)
                    dAncho *= medidas.dAncho / dTotal;
            }
            const qsizetype nResto =
                std::count_if(m_contenido.columnas.begin(), m_contenido.columnas.end(),
                              [](const ColumnaContenido &c) { return c.ancho == ColumnaDiseno::Ancho::Resto; });
            const double dSobra = medidas.dAncho - dTotal;
            if (nResto > 0 && dSobra > 0) {
                for (int nColumna = 0; nColumna < nColumnas; ++nColumna) {
                    if (m_contenido.columnas[nColumna].ancho == ColumnaDiseno::Ancho::Resto)
                        medidas.anchos[nColumna] += dSobra / double(nResto);
                }
            }
            return dPuntos;
        }
        dPuntos *= qMax(0.1, (medidas.dAncho - (dTotal - dEscalable)) / dEscalable) * 0.99;
    }
}

void PintorReporte::AnchosDeColumnas(Medidas &medidas) const
{
    // The totals are wider than any row. The columns hold them too when that costs the rows
    // nothing (the letter stays what the rows alone would get); else only the rows count, and
    // the totals that do not fit their cells go onto lines of their own (ColocaTotales).
    const double dPuntos = Ajusta(medidas, TextosQueDebenCaber(true));
    if (dPuntos < m_contenido.pagina.nPuntosDecimas / 10.0) {
        const TextosMasAnchos sinTotales = TextosQueDebenCaber(false);
        if (Ajusta(medidas, sinTotales) <= dPuntos)
            Ajusta(medidas, TextosQueDebenCaber(true));
    }
    medidas.x.clear();
    double x = 0;
    for (const double dAncho : std::as_const(medidas.anchos)) {
        medidas.x.append(x);
        x += dAncho;
    }
}

// The totals are as legible as the rows: the body's letter, in bold, never smaller. A total that
// fits its cell stays right-aligned in it; one that does not is centred under its column, so that
// its middle stays under its own month's heading (right-aligned, it would begin under the month
// before and read as that month's). Each goes onto the first line of paper, from the top of its
// line of the totals (quantity, amount), where nothing is in its way, and a new line is opened
// when none has the room: wide totals thus alternate over two lines, every other month on each.
void PintorReporte::ColocaTotales(Medidas &medidas) const
{
    const int nColumnas = int(m_contenido.columnas.size());
    medidas.lugaresTotales = QList<LugarDeTotal>(m_contenido.nLineasPorFila * nColumnas);
    medidas.nLineasTotales = 0;
    if (!m_contenido.bTotales)
        return;
    const double dFinTabla = nColumnas == 0 ? 0 : medidas.x.last() + medidas.anchos.last();
    for (int nLinea = 0; nLinea < m_contenido.nLineasPorFila; ++nLinea) {
        QList<double> libreDesde{medidas.dRelleno}; // per line of paper: where its free room starts
        bool bTrasRotulo = false;                   // the first line's room ends at a label
        for (int nColumna = 0; nColumna < nColumnas; ++nColumna) {
            const ValorCelda &valor = m_contenido.Total(nLinea, nColumna);
            if (valor.tipo == ValorCelda::Tipo::Vacio)
                continue;
            LugarDeTotal &lugar = medidas.lugaresTotales[nLinea * nColumnas + nColumna];
            const double dFinColumna = medidas.x[nColumna] + medidas.anchos[nColumna];
            const double dAncho = medidas.negrita->Ancho(Texto(valor, nColumna, nLinea));
            qsizetype nLugar = 0;
            if (valor.tipo == ValorCelda::Tipo::Texto) {
                // Labels stay on the first line (the first column's may run on over the next ones).
                const double dFinTexto = nColumna == 0 ? medidas.x[0] + 2 * medidas.dRelleno + dAncho : 0;
                libreDesde[0] = qMax(dFinColumna, dFinTexto) + medidas.dRelleno;
                bTrasRotulo = true;
            } else {
                double dComienzo = dFinColumna - medidas.dRelleno - dAncho;
                // Centred, but not past the middle of the column before, where that one's own
                // total may stand on another line.
                const double dMinimo =
                    nColumna > 0 ? medidas.x[nColumna - 1] + medidas.anchos[nColumna - 1] / 2 : medidas.dRelleno;
                const bool bCentrado = dComienzo < medidas.x[nColumna] + medidas.dRelleno;
                if (bCentrado)
                    dComienzo = qBound(dMinimo, medidas.x[nColumna] + (medidas.anchos[nColumna] - dAncho) / 2,
                                       qMax(dMinimo, dFinTabla - medidas.dRelleno - dAncho));
                // The first one after the label ("Importe") moves right, up to the middle of the
                // next column, rather than go below: the months then alternate from the first.
                const double dFinMaximo = nColumna + 1 < nColumnas
                                              ? medidas.x[nColumna + 1] + medidas.anchos[nColumna + 1] / 2
                                              : dFinTabla - medidas.dRelleno;
                if (bCentrado && bTrasRotulo && dComienzo < libreDesde[0] && libreDesde[0] + dAncho <= dFinMaximo)
                    dComienzo = libreDesde[0];
                while (nLugar < libreDesde.size() && dComienzo < libreDesde[nLugar])
                    ++nLugar;
                if (nLugar == 0)
                    bTrasRotulo = false;
                if (nLugar == libreDesde.size())
                    libreDesde.append(medidas.dRelleno);
                lugar.dIzquierda = dComienzo;
                lugar.dDerecha = qMin(dComienzo + dAncho, qMax(dComienzo, dFinTabla - medidas.dRelleno));
                libreDesde[nLugar] = qMax(dFinColumna, dComienzo + dAncho) + medidas.dRelleno;
            }
            lugar.nLinea = medidas.nLineasTotales + int(nLugar);
        }
        medidas.nLineasTotales += int(libreDesde.size());
    }
}

PintorReporte::Medidas PintorReporte::Mide(QPaintDevice &dispositivo) const
{
    Medidas medidas;
    medidas.pDispositivo = &dispositivo;
    medidas.dPxPorMm = dispositivo.logicalDpiX() / dMmPorPulgada;
    medidas.dAncho = dispositivo.width();
    medidas.dAlto = dispositivo.height();
    medidas.dRelleno = medidas.Mm(dRellenoHorizontalMm);
    medidas.dRellenoVertical = medidas.Mm(dRellenoVerticalMm);
    AnchosDeColumnas(medidas);

    medidas.dAlturaLinea = medidas.normal->Metricas().lineSpacing();
    medidas.dAlturaFila = m_contenido.nLineasPorFila * medidas.dAlturaLinea + 2 * medidas.dRellenoVertical;
    medidas.dAlturaTitulos = medidas.negrita->Metricas().lineSpacing() + 2 * medidas.dRellenoVertical;
    const auto alturaDe = [&](const QList<LineaContenido> &lineas) {
        double dAltura = 0;
        const double dPuntos = m_contenido.pagina.nPuntosDecimas / 10.0;
        for (const LineaContenido &linea : lineas) {
            const QFont letra = Letra(m_contenido.pagina.cFuente,
                                      linea.nPuntosDecimas > 0 ? linea.nPuntosDecimas / 10.0 : dPuntos, linea.bNegrita);
            dAltura += QFontMetricsF(letra, &dispositivo).lineSpacing();
        }
        return dAltura;
    };
    medidas.dAlturaEncabezado = alturaDe(m_contenido.encabezado) + medidas.Mm(dSeparacionMm);
    medidas.dAlturaPie = m_contenido.pie.isEmpty() ? 0 : alturaDe(m_contenido.pie) + medidas.Mm(dSeparacionMm);
    ColocaTotales(medidas);
    medidas.dAlturaTotales = m_contenido.bTotales ? medidas.nLineasTotales * medidas.dAlturaLinea +
                                                        2 * medidas.dRellenoVertical + medidas.Mm(dRellenoVerticalMm)
                                                  : 0;

    const double dCuerpo = medidas.dAlto - medidas.dAlturaEncabezado - medidas.dAlturaTitulos - medidas.dAlturaPie;
    // The chart of the months, when the totals give each month of the series a quantity and an
    // amount (the same months as the workbook's sheet "Meses").
    for (int nColumna = 0; nColumna < m_contenido.columnas.size(); ++nColumna) {
        if (m_contenido.columnas[nColumna].bEnSerie)
            medidas.mesesGrafica.append(nColumna);
    }
    if (!m_contenido.bTotales || m_contenido.nLineasPorFila < 2)
        medidas.mesesGrafica.clear();
    // A report without rows (an empty period, filters that match nothing) has no chart to draw,
    // only zeros: a line says why instead of an empty frame.
    if (!medidas.mesesGrafica.isEmpty())
        medidas.dAlturaGrafica =
            qMin(dCuerpo, m_contenido.nFilas == 0 ? 3 * medidas.dAlturaLinea : medidas.Mm(dAlturaGraficaMm));
    medidas.paginas = PaginacionReporte::Reparte(m_contenido.nFilas, dCuerpo, medidas.dAlturaFila,
                                                 medidas.dAlturaTotales, medidas.dAlturaGrafica);
    return medidas;
}

int PintorReporte::Disposicion::Paginas() const
{
    return m_pMedidas ? int(m_pMedidas->paginas.size()) : 0;
}

const PaginacionReporte::Pagina &PintorReporte::Disposicion::Pagina(int nPagina) const
{
    if (nPagina < 1 || nPagina > Paginas())
        throw ErrorReporte(CodigoErrorRpt::ValorNoValido,
                           QStringLiteral("El reporte tiene %1 páginas: no tiene la %2.").arg(Paginas()).arg(nPagina));
    return m_pMedidas->paginas[nPagina - 1];
}

PintorReporte::Disposicion PintorReporte::Dispone(QPaintDevice &dispositivo) const
{
    Disposicion disposicion;
    disposicion.m_pMedidas = std::make_shared<const Medidas>(Mide(dispositivo));
    return disposicion;
}

void PintorReporte::PintaPagina(QPainter &painter, const Disposicion &disposicion, int nPagina) const
{
    const PaginacionReporte::Pagina &pagina = disposicion.Pagina(nPagina);
    const Medidas &medidas = *disposicion.m_pMedidas;
    medidas.normal->EligeManera(painter);
    medidas.negrita->EligeManera(painter);
    PintaPagina(painter, medidas, pagina, nPagina, disposicion.Paginas());
}

int PintorReporte::Pinta(QPagedPaintDevice &dispositivo, int nDesde, int nHasta, int nCopias, bool bIntercaladas) const
{
    const Disposicion disposicion = Dispone(dispositivo);
    const int nPaginas = disposicion.Paginas();
    nDesde = qMax(1, nDesde);
    if (nHasta <= 0 || nHasta > nPaginas)
        nHasta = nPaginas;
    if (nDesde > nHasta)
        throw ErrorReporte(
            CodigoErrorRpt::ValorNoValido,
            QStringLiteral("El reporte acaba en la página %1: no hay ninguna desde la %2.").arg(nPaginas).arg(nDesde));
    QPainter painter;
    if (!painter.begin(&dispositivo))
        throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita, QStringLiteral("No se pudo empezar a pintar el reporte."));
    nCopias = qMax(1, nCopias);
    const int nHojas = (nHasta - nDesde + 1) * nCopias;
    for (int nHoja = 0; nHoja < nHojas; ++nHoja) {
        const int nPagina = nDesde + (bIntercaladas ? nHoja % (nHasta - nDesde + 1) : nHoja / nCopias);
        if (nHoja > 0 && !dispositivo.newPage())
            throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita,
                               QStringLiteral("No se pudo empezar la página %1 del reporte.").arg(nPagina));
        PintaPagina(painter, disposicion, nPagina);
    }
    if (!painter.end())
        throw ErrorReporte(CodigoErrorRpt::SalidaNoEscrita, QStringLiteral("No se pudo terminar el reporte."));
    return nPaginas;
}

double PintorReporte::PintaLineasFijas(QPainter &painter, const Medidas &medidas, const QList<LineaContenido> &lineas,
                                       double y, int nPagina, int nPaginas) const
{
    const double dPuntos = m_contenido.pagina.nPuntosDecimas / 10.0;
    for (const LineaContenido &linea : lineas) {
        const QFont letra = Letra(m_contenido.pagina.cFuente,
                                  linea.nPuntosDecimas > 0 ? linea.nPuntosDecimas / 10.0 : dPuntos, linea.bNegrita);
        const QFontMetricsF metricas(letra, medidas.pDispositivo);
        painter.setFont(letra);
        for (const SegmentoContenido &segmento : linea.segmentos) {
            QString cTexto = segmento.texto.Rellena([&](const PlantillaTexto::Pieza &pieza) {
                if (pieza.tipo == PlantillaTexto::Pieza::Tipo::ValorDelMotor)
                    return QString::number(pieza.cTexto == u"Pagina" ? nPagina : nPaginas);
                return pieza.cTexto;
            });
            // A line longer than the paper (the filters with long names) stays on it, cut with "…".
            if (metricas.horizontalAdvance(cTexto) > medidas.dAncho)
                cTexto = metricas.elidedText(cTexto, Qt::ElideRight, medidas.dAncho);
            const double dAncho = metricas.horizontalAdvance(cTexto);
            double x = 0;
            if (segmento.alineacion == Alineacion::Centro)
                x = (medidas.dAncho - dAncho) / 2;
            else if (segmento.alineacion == Alineacion::Derecha)
                x = medidas.dAncho - dAncho;
            painter.drawText(QPointF(x, y + metricas.ascent()), cTexto);
        }
        y += metricas.lineSpacing();
    }
    return y;
}

void PintorReporte::PintaFila(QPainter &painter, const Medidas &medidas, double y,
                              const std::function<const ValorCelda &(int, int)> &celda, bool bTotales) const
{
    LetraDeTabla &letra = bTotales ? *medidas.negrita : *medidas.normal;
    const double dAscenso = letra.Metricas().ascent();
    const int nColumnas = int(m_contenido.columnas.size());
    for (int nLinea = 0; nLinea < m_contenido.nLineasPorFila; ++nLinea) {
        for (int nColumna = 0; nColumna < nColumnas; ++nColumna) {
            const ValorCelda &valor = celda(nLinea, nColumna);
            if (valor.tipo == ValorCelda::Tipo::Vacio)
                continue;
            const QString cTexto = Texto(valor, nColumna, nLinea);
            double dIzquierda = medidas.x[nColumna] + medidas.dRelleno;
            double dUtil = medidas.anchos[nColumna] - 2 * medidas.dRelleno;
            int nLineaPapel = nLinea;
            if (bTotales) {
                // On the line and at the place ColocaTotales gave it.
                const LugarDeTotal &lugar = medidas.lugaresTotales[nLinea * nColumnas + nColumna];
                nLineaPapel = lugar.nLinea;
                if (valor.tipo == ValorCelda::Tipo::Numero) {
                    dIzquierda = lugar.dIzquierda;
                    dUtil = lugar.dDerecha - lugar.dIzquierda;
                }
            }
            const double yBase = y + medidas.dRellenoVertical + nLineaPapel * medidas.dAlturaLinea + dAscenso;
            if (valor.tipo != ValorCelda::Tipo::Numero) {
                // The totals' label may run on over the columns beside it. A text too long for
                // its line (a client's name under the code) takes the second line it needs at
                // the end of the line above, when that one holds only a text (or nothing): its
                // first words go there, after that text, and the rest on its own line. Only
                // what even the two lines do not hold is cut with "…".
                QString cResto = cTexto;
                const ValorCelda &arriba = nLinea > 0 ? celda(nLinea - 1, nColumna) : valor;
                if (!bTotales && nLinea > 0 && arriba.tipo != ValorCelda::Tipo::Numero && letra.Ancho(cTexto) > dUtil) {
                    const QString cArriba = Texto(arriba, nColumna, nLinea - 1);
                    const double dSeparacion = cArriba.isEmpty() ? 0 : letra.Ancho(cArriba + QStringLiteral("  "));
                    if (const qsizetype nCaben = letra.PalabrasQueCaben(cTexto, dUtil - dSeparacion); nCaben > 0) {
                        letra.Escribe(painter, cTexto.left(nCaben).trimmed(), dIzquierda + dSeparacion,
                                      yBase - medidas.dAlturaLinea);
                        cResto = cTexto.mid(nCaben);
                    }
                }
                letra.Escribe(painter, bTotales && nColumna == 0 ? cResto : letra.Recorta(cResto, dUtil), dIzquierda,
                              yBase);
                continue;
            }
            const double dAncho = letra.Ancho(cTexto);
            if (dAncho <= dUtil) {
                letra.Escribe(painter, cTexto, dIzquierda + dUtil - dAncho, yBase);
                continue;
            }
            // A number on a table squeezed to fit the paper that is wider than its cell (or a
            // total wider than the whole table) goes in a smaller letter.
            QFont menor = painter.font();
            menor.setPointSizeF(qMax(dMinimoPuntos, menor.pointSizeF() * dUtil / dAncho));
            painter.save();
            painter.setFont(menor);
            painter.drawText(QPointF(dIzquierda, yBase), cTexto);
            painter.restore();
        }
    }
    letra.Vacia(painter);
}

void PintorReporte::PintaPagina(QPainter &painter, const Medidas &medidas, const PaginacionReporte::Pagina &pagina,
                                int nPagina, int nPaginas) const
{
    const QPen raya(QColor(0x60, 0x60, 0x60), medidas.Mm(0.15));
    const QPen rayaGruesa(Qt::black, medidas.Mm(0.3));
    const double dAnchoTabla = medidas.x.isEmpty() ? 0 : medidas.x.last() + medidas.anchos.last();

    painter.setPen(Qt::black);
    PintaLineasFijas(painter, medidas, m_contenido.encabezado, 0, nPagina, nPaginas);

    // Column headings, on a line of their own under the header (not over a chart alone).
    double y = medidas.dAlturaEncabezado;
    const bool bSoloGrafica = pagina.bGrafica && pagina.nFilas == 0 && !pagina.bTotales;
    painter.setFont(medidas.letraNegrita);
    const double dAscensoNegrita = medidas.negrita->Metricas().ascent();
    for (int nColumna = 0; nColumna < m_contenido.columnas.size() && !bSoloGrafica; ++nColumna) {
        const ColumnaContenido &columna = m_contenido.columnas[nColumna];
        const double dUtil = medidas.anchos[nColumna] - 2 * medidas.dRelleno;
        const QString cTitulo = medidas.negrita->Recorta(columna.cTitulo, dUtil);
        double x = medidas.x[nColumna] + medidas.dRelleno;
        if (columna.bNumerica)
            x += dUtil - medidas.negrita->Ancho(cTitulo);
        painter.drawText(QPointF(x, y + medidas.dRellenoVertical + dAscensoNegrita), cTitulo);
    }
    if (!bSoloGrafica) {
        y += medidas.dAlturaTitulos;
        painter.setPen(rayaGruesa);
        painter.drawLine(QPointF(0, y), QPointF(dAnchoTabla, y));
    }

    // The rows, every other one on a shaded band so that the eye keeps to a client's lines.
    painter.setFont(medidas.letra);
    for (qsizetype i = 0; i < pagina.nFilas; ++i) {
        const qsizetype nFila = pagina.nPrimeraFila + i;
        if (nFila % 2 == 1)
            painter.fillRect(QRectF(0, y, dAnchoTabla, medidas.dAlturaFila), QColor(0xEE, 0xEE, 0xEE));
        painter.setPen(Qt::black);
        PintaFila(
            painter, medidas, y,
            [&](int nLinea, int nColumna) -> const ValorCelda & { return m_contenido.Celda(nFila, nLinea, nColumna); },
            false);
        y += medidas.dAlturaFila;
    }

    if (pagina.bTotales) {
        const double yTotales = y;
        y += medidas.Mm(dRellenoVerticalMm) / 2;
        painter.setPen(rayaGruesa);
        painter.drawLine(QPointF(0, y), QPointF(dAnchoTabla, y));
        y += medidas.Mm(dRellenoVerticalMm) / 2;
        painter.setPen(Qt::black);
        painter.setFont(medidas.letraNegrita);
        PintaFila(
            painter, medidas, y,
            [&](int nLinea, int nColumna) -> const ValorCelda & { return m_contenido.Total(nLinea, nColumna); }, true);
        y = yTotales + medidas.dAlturaTotales;
    }

    if (pagina.bGrafica)
        PintaGrafica(painter, medidas, QRectF(0, y, medidas.dAncho, medidas.dAlturaGrafica));

    if (!m_contenido.pie.isEmpty()) {
        const double yPie = medidas.dAlto - medidas.dAlturaPie;
        painter.setPen(raya);
        painter.drawLine(QPointF(0, yPie + medidas.Mm(dSeparacionMm) / 2),
                         QPointF(medidas.dAncho, yPie + medidas.Mm(dSeparacionMm) / 2));
        painter.setPen(Qt::black);
        PintaLineasFijas(painter, medidas, m_contenido.pie, yPie + medidas.Mm(dSeparacionMm), nPagina, nPaginas);
    }
}

// The months of the series under the totals, as a chart (GraficaMeses): each month's amount
// is its totals' second line, its quantity the first.
void PintorReporte::PintaGrafica(QPainter &painter, const Medidas &medidas, const QRectF &area) const
{
    if (m_contenido.nFilas == 0) {
        painter.setFont(medidas.letra);
        painter.drawText(area, Qt::AlignCenter, TextoSinFilas());
        return;
    }
    GraficaMeses grafica;
    for (const int nColumna : medidas.mesesGrafica) {
        const auto total = [&](int nLinea) {
            const ValorCelda &valor = m_contenido.Total(nLinea, nColumna);
            return valor.tipo == ValorCelda::Tipo::Numero
                       ? valor.numero.Real(m_contenido.DecimalesDeDatos(nColumna, nLinea))
                       : 0.0;
        };
        grafica.meses.append(m_contenido.columnas[nColumna].cTitulo);
        grafica.cantidades.append(total(0));
        grafica.importes.append(total(1));
    }
    grafica.Pinta(painter, area, *medidas.pDispositivo, medidas.dPxPorMm,
                  Letra(m_contenido.pagina.cFuente, m_contenido.pagina.nPuntosDecimas / 10.0, false), m_locale);
}
