#include "MotorPdf.h"

#include <QDateTime>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <QThreadPool>
#include <QVarLengthArray>

#include <cmath>

#include "EscritorPdf.h"
#include "FuentePdf.h"

namespace {

// How far, in points, a glyph may sit from where the font's widths put it before the text
// operator moves it: far below what the eye or a printer tells apart.
constexpr double dToleranciaPuntos = 0.01;

// Room for a page's content before compression (the report's pages take some 36 KB), taken
// once for each buffer.
constexpr qsizetype nBytesDeUnaPagina = 1 << 17;

} // namespace

// One face at one size, and the glyph and advance (device units) of each character once looked up.
struct MotorPdf::Tamano
{
    QRawFont fuente;
    FuentePdf *pFuente = nullptr;
    qint64 nCuerpo = 0; // ten-thousandths of a point
    double dPuntos = 0;
    std::array<quint32, 128> glifos{};
    std::array<double, 128> avances{}; // 0: not looked up yet
    QHash<char16_t, std::pair<quint32, double>> otros;

    std::pair<quint32, double> Glifo(char16_t c)
    {
        if (c < 128 && avances[c] > 0)
            return {glifos[c], avances[c]};
        if (c >= 128) {
            const auto encontrado = otros.constFind(c);
            if (encontrado != otros.cend())
                return *encontrado;
        }
        const QChar caracter(c);
        quint32 nGlifo = 0;
        int nGlifos = 1;
        QPointF avance;
        if (!fuente.glyphIndexesForChars(&caracter, 1, &nGlifo, &nGlifos) || nGlifos != 1)
            nGlifo = 0;
        fuente.advancesForGlyphIndexes(&nGlifo, &avance, 1);
        const std::pair<quint32, double> glifo{nGlifo, avance.x()};
        if (c < 128 && avance.x() > 0) {
            glifos[c] = nGlifo;
            avances[c] = avance.x();
        } else if (c >= 128) {
            otros.insert(c, glifo);
        }
        return glifo;
    }
};

// A letter that text items come in, and whether pairs of characters come out of Qt's layout
// as they do from the character map (no ligature, no mark placed, no kerning).
struct MotorPdf::LetraDeItem
{
    QFont letra;
    Tamano *pTamano = nullptr;
    bool bSinRasgos = false; // nothing the character map would miss: spacing, capitals, stretch
    QHash<quint32, bool> paresSimples;
};

MotorPdf::MotorPdf(const EscritorPdf &escritor) : QPaintEngine(QPaintEngine::AllFeatures), m_escritor(escritor) {}

MotorPdf::~MotorPdf() = default;

bool MotorPdf::Falla(const QString &cQue)
{
    if (m_cFalla.isEmpty())
        m_cFalla = QStringLiteral("el PDF no puede llevar %1").arg(cQue);
    return false;
}

bool MotorPdf::begin(QPaintDevice *)
{
    if (m_bUsado) {
        m_cFalla = QStringLiteral("un escritor de PDF escribe un solo documento");
        return false;
    }
    m_bUsado = true;
    QIODevice *pSalida = m_escritor.Salida();
    if (!pSalida || !pSalida->isWritable()) {
        m_cFalla = QStringLiteral("el destino del PDF no está abierto para escribir");
        return false;
    }
    // The page as QPdfWriter has it: the printable area in whole device units from the top
    // left corner of a sheet of whole points.
    const QPageLayout diseno = m_escritor.pageLayout();
    const int nResolucion = m_escritor.resolution();
    const QRect pintable = diseno.paintRectPixels(nResolucion);
    const QRect hoja = diseno.fullRectPoints();
    m_dEscala = 72.0 / nResolucion;
    m_dOrigenX = pintable.left() * m_dEscala;
    m_dOrigenY = hoja.height() - pintable.top() * m_dEscala;
    m_cCajaDeMedios = "[0 0 " + QByteArray::number(hoja.width()) + ' ' + QByteArray::number(hoja.height()) + ']';

    m_pArchivo = std::make_unique<ArchivoPdf>(pSalida);
    m_nPaginas = m_pArchivo->Reserva();
    m_nRecursos = m_pArchivo->Reserva();
    m_contenido.reserve(nBytesDeUnaPagina);
    return true;
}

void MotorPdf::CierraPagina()
{
    CierraTexto();
    m_nBytesDeContenido += m_contenido.size();
    EscribePaginaComprimida();
    // zlib takes about a sixth of a report's PDF: it runs beside the drawing of the next page,
    // which goes into the buffer the page before last used (growing one costs page faults).
    auto compresion = std::make_shared<std::packaged_task<PaginaComprimida()>>(
        [contenido = std::exchange(m_contenido, std::move(m_contenidoLibre))]() mutable {
            PaginaComprimida pagina{ArchivoPdf::Comprime(contenido), std::move(contenido)};
            pagina.contenido.resize(0);
            return pagina;
        });
    m_paginaComprimida = compresion->get_future();
    QThreadPool::globalInstance()->start([compresion] { (*compresion)(); });
    m_contenido.reserve(nBytesDeUnaPagina); // a buffer that came back is empty already

    m_rellenoActual = m_trazoActual = qRgb(0, 0, 0);
    m_dGrosorActual = 1;
    m_nExtremoActual = m_nUnionActual = 0;
    m_pFuenteActual = nullptr;
    m_nCuerpoActual = 0;
}

void MotorPdf::EscribePaginaComprimida()
{
    if (!m_paginaComprimida.valid())
        return;
    PaginaComprimida comprimida = m_paginaComprimida.get();
    m_contenidoLibre = std::move(comprimida.contenido);
    const int nContenido = m_pArchivo->EscribeComprimido(comprimida.flujo);
    QByteArray pagina = "<</Type/Page/Parent " + QByteArray::number(m_nPaginas) + " 0 R/MediaBox" + m_cCajaDeMedios;
    pagina.append("/Resources ").append(QByteArray::number(m_nRecursos)).append(" 0 R/Contents ");
    pagina.append(QByteArray::number(nContenido)).append(" 0 R>>");
    m_paginas.append(m_pArchivo->Escribe(pagina));
    if (m_cFalla.isEmpty())
        m_cFalla = m_pArchivo->Falla();
}

bool MotorPdf::NuevaPagina()
{
    if (!isActive())
        return false;
    if (m_cFalla.isEmpty())
        CierraPagina();
    return m_cFalla.isEmpty();
}

bool MotorPdf::end()
{
    if (m_pArchivo && m_cFalla.isEmpty()) {
        CierraPagina();
        EscribePaginaComprimida();
        QByteArray recursos = QByteArrayLiteral("<</ProcSet[/PDF/Text]/Font<<");
        for (const std::unique_ptr<FuentePdf> &pFuente : m_fuentes) {
            const int nFuente = m_pArchivo->Reserva();
            pFuente->Escribe(*m_pArchivo, nFuente);
            recursos.append('/')
                .append(pFuente->Recurso())
                .append(' ')
                .append(QByteArray::number(nFuente))
                .append(" 0 R");
        }
        m_pArchivo->Escribe(recursos + ">>>>", m_nRecursos);
        QByteArray paginas = QByteArrayLiteral("<</Type/Pages/Kids[");
        for (const int nPagina : std::as_const(m_paginas))
            paginas.append(QByteArray::number(nPagina)).append(" 0 R ");
        paginas.append("]/Count ").append(QByteArray::number(m_paginas.size())).append(">>");
        m_pArchivo->Escribe(paginas, m_nPaginas);
        const int nCatalogo = m_pArchivo->Escribe("<</Type/Catalog/Pages " + QByteArray::number(m_nPaginas) + " 0 R>>");
        QByteArray informacion = "<</Title " + ArchivoPdf::Texto(m_escritor.title());
        informacion.append("/Creator ").append(ArchivoPdf::Texto(m_escritor.creator())).append("/CreationDate(D:");
        informacion.append(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1());
        informacion.append("Z)>>");
        m_pArchivo->Cierra(nCatalogo, m_pArchivo->Escribe(informacion));
        m_cFalla = m_pArchivo->Falla();
    }
    m_pArchivo.reset();
    return m_cFalla.isEmpty();
}

void MotorPdf::updateState(const QPaintEngineState &)
{
    // Each drawing reads the painter's state as it is then (PuedePintar): EscribeTexto draws
    // without QPainter, which sends a state only before the drawings that go through it.
}

bool MotorPdf::PuedePintar()
{
    if (!m_cFalla.isEmpty() || !m_pArchivo)
        return false;
    const QPainter &pintor = *painter();
    const QTransform transformacion = pintor.combinedTransform();
    if (transformacion.type() > QTransform::TxTranslate)
        return Falla(QStringLiteral("dibujos girados, inclinados ni a otra escala"));
    m_desplazamiento = QPointF(transformacion.dx(), transformacion.dy());
    if (pintor.hasClipping())
        return Falla(QStringLiteral("recortes"));
    if (pintor.opacity() < 1)
        return Falla(QStringLiteral("transparencias"));
    if (pintor.compositionMode() != QPainter::CompositionMode_SourceOver)
        return Falla(QStringLiteral("modos de composición"));
    return true;
}

void MotorPdf::FijaColor(const QColor &color, bool bTrazo)
{
    const QRgb nColor = color.rgb();
    QRgb &actual = bTrazo ? m_trazoActual : m_rellenoActual;
    if (nColor == actual)
        return;
    actual = nColor;
    const auto componente = [this](int n) {
        ArchivoPdf::Numero(m_contenido, n / 255.0, 3);
        m_contenido.append(' ');
    };
    if (qRed(nColor) == qGreen(nColor) && qGreen(nColor) == qBlue(nColor)) {
        componente(qRed(nColor));
        m_contenido.append(bTrazo ? "G\n" : "g\n");
    } else {
        componente(qRed(nColor));
        componente(qGreen(nColor));
        componente(qBlue(nColor));
        m_contenido.append(bTrazo ? "RG\n" : "rg\n");
    }
}

// Whether the brush fills, and its colour set when it does.
bool MotorPdf::PreparaRelleno(bool &bRellena)
{
    const QBrush &brocha = painter()->brush();
    bRellena = false;
    if (brocha.style() == Qt::NoBrush)
        return true;
    if (brocha.style() != Qt::SolidPattern)
        return Falla(QStringLiteral("degradados, tramas ni texturas"));
    if (brocha.color().alpha() == 0)
        return true;
    if (brocha.color().alpha() < 255)
        return Falla(QStringLiteral("transparencias"));
    bRellena = true;
    CierraTexto();
    FijaColor(brocha.color(), false);
    return true;
}

// Whether the pen strokes, and its colour, width, caps and joins set when it does.
bool MotorPdf::PreparaTrazo(bool &bTraza)
{
    const QPen &pluma = painter()->pen();
    bTraza = false;
    if (pluma.style() == Qt::NoPen)
        return true;
    if (pluma.style() != Qt::SolidLine)
        return Falla(QStringLiteral("líneas de trazos o de puntos"));
    if (pluma.brush().style() != Qt::SolidPattern)
        return Falla(QStringLiteral("degradados, tramas ni texturas"));
    if (pluma.color().alpha() == 0)
        return true;
    if (pluma.color().alpha() < 255)
        return Falla(QStringLiteral("transparencias"));
    if (pluma.joinStyle() != Qt::BevelJoin && pluma.joinStyle() != Qt::RoundJoin)
        return Falla(QStringLiteral("uniones de líneas en punta"));
    bTraza = true;
    CierraTexto();
    FijaColor(pluma.color(), true);
    const double dGrosor = pluma.widthF() * m_dEscala; // 0, Qt's thinnest line, is the PDF's too
    if (std::abs(dGrosor - m_dGrosorActual) > 1e-4) {
        m_dGrosorActual = dGrosor;
        ArchivoPdf::Numero(m_contenido, dGrosor, 3);
        m_contenido.append(" w\n");
    }
    const int nExtremo = pluma.capStyle() == Qt::SquareCap ? 2 : pluma.capStyle() == Qt::RoundCap ? 1 : 0;
    if (nExtremo != m_nExtremoActual) {
        m_nExtremoActual = nExtremo;
        m_contenido.append(char('0' + nExtremo)).append(" J\n");
    }
    const int nUnion = pluma.joinStyle() == Qt::RoundJoin ? 1 : 2;
    if (nUnion != m_nUnionActual) {
        m_nUnionActual = nUnion;
        m_contenido.append(char('0' + nUnion)).append(" j\n");
    }
    return true;
}

void MotorPdf::CierraTexto()
{
    if (m_bEnTexto)
        m_contenido.append("ET\n");
    m_bEnTexto = false;
}

void MotorPdf::Punto(const QPointF &punto)
{
    ArchivoPdf::Numero(m_contenido, (punto.x() + m_desplazamiento.x()) * m_dEscala + m_dOrigenX, 3);
    m_contenido.append(' ');
    ArchivoPdf::Numero(m_contenido, m_dOrigenY - (punto.y() + m_desplazamiento.y()) * m_dEscala, 3);
    m_contenido.append(' ');
}

void MotorPdf::Pinta(bool bRellena, bool bTraza, bool bParImpar)
{
    if (bRellena)
        m_contenido.append(bTraza ? "B" : "f");
    else
        m_contenido.append("S");
    m_contenido.append(bRellena && bParImpar ? "*\n" : "\n");
}

void MotorPdf::drawRects(const QRectF *pRectangulos, int nRectangulos)
{
    bool bRellena = false;
    bool bTraza = false;
    if (!PuedePintar() || !PreparaRelleno(bRellena) || !PreparaTrazo(bTraza) || (!bRellena && !bTraza))
        return;
    for (int i = 0; i < nRectangulos; ++i) {
        const QRectF &r = pRectangulos[i];
        Punto(r.bottomLeft());
        ArchivoPdf::Numero(m_contenido, r.width() * m_dEscala, 3);
        m_contenido.append(' ');
        ArchivoPdf::Numero(m_contenido, r.height() * m_dEscala, 3);
        m_contenido.append(" re\n");
    }
    Pinta(bRellena, bTraza, false);
}

void MotorPdf::drawLines(const QLineF *pLineas, int nLineas)
{
    bool bTraza = false;
    if (!PuedePintar() || !PreparaTrazo(bTraza) || !bTraza)
        return;
    for (int i = 0; i < nLineas; ++i) {
        Punto(pLineas[i].p1());
        m_contenido.append("m ");
        Punto(pLineas[i].p2());
        m_contenido.append("l\n");
    }
    Pinta(false, true, false);
}

void MotorPdf::drawPolygon(const QPointF *pPuntos, int nPuntos, PolygonDrawMode modo)
{
    bool bRellena = false;
    bool bTraza = false;
    if (nPuntos < 2 || !PuedePintar() || (modo != PolylineMode && !PreparaRelleno(bRellena)) || !PreparaTrazo(bTraza) ||
        (!bRellena && !bTraza))
        return;
    for (int i = 0; i < nPuntos; ++i) {
        Punto(pPuntos[i]);
        m_contenido.append(i == 0 ? "m\n" : "l\n");
    }
    if (modo != PolylineMode)
        m_contenido.append("h\n");
    Pinta(bRellena, bTraza, modo == OddEvenMode);
}

void MotorPdf::drawPath(const QPainterPath &camino)
{
    bool bRellena = false;
    bool bTraza = false;
    if (camino.isEmpty() || !PuedePintar() || !PreparaRelleno(bRellena) || !PreparaTrazo(bTraza) ||
        (!bRellena && !bTraza))
        return;
    QPointF inicio;
    for (int i = 0; i < camino.elementCount(); ++i) {
        const QPainterPath::Element elemento = camino.elementAt(i);
        switch (elemento.type) {
        case QPainterPath::MoveToElement:
            inicio = elemento;
            Punto(elemento);
            m_contenido.append("m\n");
            break;
        case QPainterPath::LineToElement:
            // A subpath that comes back to its start is closed, so that its stroke joins there
            // as Qt's does rather than ending in two caps.
            if (QPointF(elemento) == inicio && (i + 1 == camino.elementCount() || camino.elementAt(i + 1).isMoveTo())) {
                m_contenido.append("h\n");
                break;
            }
            Punto(elemento);
            m_contenido.append("l\n");
            break;
        case QPainterPath::CurveToElement:
            if (i + 2 >= camino.elementCount())
                return (void)Falla(QStringLiteral("curvas incompletas"));
            Punto(elemento);
            Punto(camino.elementAt(i + 1));
            Punto(camino.elementAt(i + 2));
            m_contenido.append("c\n");
            i += 2;
            break;
        case QPainterPath::CurveToDataElement: break;
        }
    }
    Pinta(bRellena, bTraza, camino.fillRule() == Qt::OddEvenFill);
}

void MotorPdf::drawPixmap(const QRectF &, const QPixmap &, const QRectF &)
{
    Falla(QStringLiteral("imágenes"));
}

void MotorPdf::drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags)
{
    Falla(QStringLiteral("imágenes"));
}

void MotorPdf::drawTiledPixmap(const QRectF &, const QPixmap &, const QPointF &)
{
    Falla(QStringLiteral("imágenes"));
}

MotorPdf::Tamano *MotorPdf::TamanoDe(const QRawFont &fuente)
{
    if (m_pUltimoTamano && m_pUltimoTamano->fuente == fuente)
        return m_pUltimoTamano;
    for (const std::unique_ptr<Tamano> &pTamano : m_tamanos) {
        if (pTamano->fuente == fuente)
            return m_pUltimoTamano = pTamano.get();
    }
    const QString cCara = QStringLiteral("%1|%2|%3|%4")
                              .arg(fuente.familyName(), fuente.styleName())
                              .arg(int(fuente.weight()))
                              .arg(int(fuente.style()));
    FuentePdf *&pFuente = m_porCara[cCara];
    if (!pFuente) {
        m_fuentes.push_back(std::make_unique<FuentePdf>(fuente, "F" + QByteArray::number(m_fuentes.size() + 1)));
        pFuente = m_fuentes.back().get();
    }
    if (!pFuente->EsValida()) {
        m_bLetraAjena = m_bLetraAjena || m_cFalla.isEmpty();
        Falla(QStringLiteral("la letra %1 %2, que no es TrueType").arg(fuente.familyName(), fuente.styleName()));
        return nullptr;
    }
    auto pTamano = std::make_unique<Tamano>();
    pTamano->fuente = fuente;
    pTamano->pFuente = pFuente;
    pTamano->nCuerpo = std::llround(fuente.pixelSize() * m_dEscala * 10000);
    pTamano->dPuntos = pTamano->nCuerpo / 10000.0;
    m_tamanos.push_back(std::move(pTamano));
    return m_pUltimoTamano = m_tamanos.back().get();
}

void MotorPdf::AbreTexto()
{
    if (!m_bEnTexto) {
        m_contenido.append("BT\n");
        m_bEnTexto = true;
        m_nLineaX = m_nLineaY = 0;
    }
}

void MotorPdf::EscribeGlifos(Tamano &tamano, const quint32 *pGlifos, const QPointF *pPosiciones, qsizetype nGlifos,
                             const char16_t *pCaracteres)
{
    if (nGlifos == 0)
        return;
    FijaColor(painter()->pen().color(), false);
    AbreTexto();
    if (tamano.pFuente != m_pFuenteActual || tamano.nCuerpo != m_nCuerpoActual) {
        m_pFuenteActual = tamano.pFuente;
        m_nCuerpoActual = tamano.nCuerpo;
        m_contenido.append('/').append(tamano.pFuente->Recurso()).append(' ');
        ArchivoPdf::Decimal(m_contenido, tamano.nCuerpo, 4);
        m_contenido.append(" Tf\n");
    }
    // Td to the first glyph (and to any glyph off the line), then the glyphs one after the other,
    // each where the font's width leaves it, unless Qt put it farther than the tolerance from
    // there: then a number of the TJ array moves it.
    QByteArray glifos;
    bool bArreglo = false;
    double xLector = 0; // where a reader puts the next glyph, in points
    qint64 nY = 0;
    const auto termina = [&] {
        m_contenido.append(bArreglo ? "[(" : "(").append(glifos).append(bArreglo ? ")]TJ\n" : ")Tj\n");
        glifos.resize(0);
        bArreglo = false;
    };
    for (qsizetype i = 0; i < nGlifos; ++i) {
        const double x = (pPosiciones[i].x() + m_desplazamiento.x()) * m_dEscala + m_dOrigenX;
        const double y = m_dOrigenY - (pPosiciones[i].y() + m_desplazamiento.y()) * m_dEscala;
        const qint64 nEsteY = std::llround(y * 1000);
        if (i == 0 || nEsteY != nY) {
            if (i > 0)
                termina();
            const qint64 nX = std::llround(x * 1000);
            nY = nEsteY;
            ArchivoPdf::Decimal(m_contenido, nX - m_nLineaX, 3);
            m_contenido.append(' ');
            ArchivoPdf::Decimal(m_contenido, nY - m_nLineaY, 3);
            m_contenido.append(" Td\n");
            m_nLineaX = nX;
            m_nLineaY = nY;
            xLector = nX / 1000.0;
        } else if (std::abs(xLector - x) > dToleranciaPuntos) {
            const qint64 nAjuste = std::llround((xLector - x) * 1000 / tamano.dPuntos);
            glifos.append(')');
            ArchivoPdf::Decimal(glifos, nAjuste, 0);
            glifos.append('(');
            bArreglo = true;
            xLector -= nAjuste * tamano.dPuntos / 1000;
        }
        const quint16 nCodigo = tamano.pFuente->Codigo(pGlifos[i], pCaracteres ? pCaracteres[i] : 0);
        for (const char cByte : {char(nCodigo >> 8), char(nCodigo & 0xFF)}) {
            if (cByte == '(' || cByte == ')' || cByte == '\\')
                glifos.append('\\').append(cByte);
            else if (cByte == '\r')
                glifos.append("\\r");
            else
                glifos.append(cByte);
        }
        xLector += tamano.pFuente->Ancho(nCodigo) * tamano.dPuntos / 1000;
    }
    termina();
}

bool MotorPdf::PuedeEscribir()
{
    if (!PuedePintar())
        return false;
    const QPen &pluma = painter()->pen();
    if (pluma.style() == Qt::NoPen || pluma.color().alpha() == 0)
        return false;
    if (pluma.brush().style() != Qt::SolidPattern)
        return Falla(QStringLiteral("degradados, tramas ni texturas"));
    if (pluma.color().alpha() < 255)
        return Falla(QStringLiteral("transparencias"));
    if (painter()->backgroundMode() == Qt::OpaqueMode)
        return Falla(QStringLiteral("fondos opacos bajo el texto"));
    return true;
}

void MotorPdf::EscribeCaracteres(const QRawFont &fuente, const QPointF &origen, QStringView cTexto)
{
    if (!cTexto.isEmpty() && PuedeEscribir())
        EscribeDelMapa(fuente, origen, cTexto);
}

void MotorPdf::EscribeDelMapa(const QRawFont &fuente, const QPointF &origen, QStringView cTexto)
{
    Tamano *pTamano = TamanoDe(fuente);
    if (!pTamano)
        return;
    QVarLengthArray<quint32, 64> glifos(cTexto.size());
    QVarLengthArray<QPointF, 64> posiciones(cTexto.size());
    double x = origen.x();
    for (qsizetype i = 0; i < cTexto.size(); ++i) {
        const auto [nGlifo, dAvance] = pTamano->Glifo(cTexto[i].unicode());
        glifos[i] = nGlifo;
        posiciones[i] = QPointF(x, origen.y());
        x += dAvance;
    }
    EscribeGlifos(*pTamano, glifos.constData(), posiciones.constData(), cTexto.size(), cTexto.utf16());
}

void MotorPdf::EscribeTexto(const QFont &letra, const QPointF &origen, const QString &cTexto)
{
    if (!cTexto.isEmpty() && PuedeEscribir())
        Escribe(letra, origen, cTexto, false);
}

MotorPdf::LetraDeItem &MotorPdf::LetraDe(const QFont &letra)
{
    std::shared_ptr<LetraDeItem> &pLetra = m_porLetra[letra];
    if (!pLetra) {
        pLetra = std::make_shared<LetraDeItem>();
        pLetra->letra = QFont(letra, paintDevice());
        pLetra->pTamano = TamanoDe(QRawFont::fromFont(pLetra->letra));
        pLetra->bSinRasgos = letra.letterSpacing() == 0 && letra.wordSpacing() == 0 &&
                             letra.capitalization() == QFont::MixedCase &&
                             (letra.stretch() == QFont::AnyStretch || letra.stretch() == QFont::Unstretched);
    }
    return *pLetra;
}

// Whether Qt's layout of the text gives the glyphs of the character map at their advances, so
// that the text may skip it. Judged by pairs of neighbouring characters, each laid out once:
// ligatures, kerning and marks act on neighbours.
bool MotorPdf::EsSimple(LetraDeItem &letra, QStringView cTexto)
{
    if (!letra.bSinRasgos)
        return false;
    Tamano &tamano = *letra.pTamano;
    for (const QChar c : cTexto) {
        if (c.unicode() < 32 || c.isSurrogate() || c.isMark() || c.direction() == QChar::DirR ||
            c.direction() == QChar::DirAL || c.category() == QChar::Other_Format ||
            tamano.Glifo(c.unicode()).first == 0)
            return false;
    }
    for (qsizetype i = 0; i + 1 < cTexto.size() || i == 0; ++i) {
        const QStringView par = cTexto.mid(i, qMin<qsizetype>(2, cTexto.size() - i));
        const quint32 nClave = (quint32(par[0].unicode()) << 16) | (par.size() > 1 ? par[1].unicode() : 0);
        const auto encontrado = letra.paresSimples.constFind(nClave);
        if (encontrado != letra.paresSimples.cend()) {
            if (!*encontrado)
                return false;
            continue;
        }
        QTextLayout disposicion(par.toString(), letra.letra, paintDevice());
        disposicion.beginLayout();
        disposicion.createLine();
        disposicion.endLayout();
        const QList<QGlyphRun> corridas = disposicion.glyphRuns();
        bool bSimple = corridas.size() == 1 && corridas[0].glyphIndexes().size() == par.size() &&
                       corridas[0].rawFont().familyName() == tamano.fuente.familyName();
        for (qsizetype j = 0; bSimple && j < par.size(); ++j) {
            const auto [nGlifo, dAvance] = tamano.Glifo(par[j].unicode());
            const QList<QPointF> posiciones = corridas[0].positions();
            bSimple = corridas[0].glyphIndexes()[j] == nGlifo && posiciones[j].y() == posiciones[0].y() &&
                      (j == 0 ||
                       std::abs(posiciones[j].x() - posiciones[0].x() - tamano.Glifo(par[0].unicode()).second) < 1e-3);
        }
        letra.paresSimples.insert(nClave, bSimple);
        if (!bSimple)
            return false;
    }
    return true;
}

void MotorPdf::drawTextItem(const QPointF &origen, const QTextItem &item)
{
    if (!item.text().isEmpty() && PuedeEscribir())
        Escribe(item.font(), origen, item.text(), item.renderFlags() & QTextItem::RightToLeft);
}

void MotorPdf::Escribe(const QFont &letraDada, const QPointF &origen, const QString &cTexto, bool bDerechaAIzquierda)
{
    LetraDeItem &letra = LetraDe(letraDada);
    if (!letra.pTamano)
        return;
    if (!bDerechaAIzquierda && EsSimple(letra, cTexto)) {
        EscribeDelMapa(letra.pTamano->fuente, origen, cTexto);
        return;
    }

    // Anything else is laid out as QPainter::drawText lays it out.
    QTextLayout disposicion(cTexto, letra.letra, paintDevice());
    QTextOption opcion;
    opcion.setTextDirection(bDerechaAIzquierda ? Qt::RightToLeft : Qt::LeftToRight);
    disposicion.setTextOption(opcion);
    disposicion.beginLayout();
    const QTextLine linea = disposicion.createLine();
    disposicion.endLayout();
    const QList<QGlyphRun> corridas = disposicion.glyphRuns();
    struct Corrida
    {
        Tamano *pTamano;
        QList<quint32> glifos;
        QList<QPointF> posiciones;
        QList<QStringView> textos;
    };
    QList<Corrida> porEscribir;
    // What each glyph stands for: the characters in order, each glyph that the character map
    // gives for the next one standing for it, any other (a ligature) for the characters up to
    // the one whose glyph comes after it. When that does not add up (a reordered script, marks
    // moved around), a reader takes the item's text from a marked span instead.
    qsizetype nCaracter = 0;
    bool bSeLee = true;
    for (const QGlyphRun &corrida : corridas) {
        Corrida escrita{TamanoDe(corrida.rawFont()), corrida.glyphIndexes(), corrida.positions(), {}};
        if (!escrita.pTamano)
            return;
        Tamano &tamano = *escrita.pTamano;
        const auto glifoDe = [&](qsizetype n) {
            return cTexto[n].isSurrogate() ? 0 : tamano.Glifo(cTexto[n].unicode()).first;
        };
        for (qsizetype i = 0; i < escrita.glifos.size(); ++i) {
            escrita.posiciones[i] =
                origen + QPointF(escrita.posiciones[i].x(), escrita.posiciones[i].y() - linea.ascent());
            qsizetype nHasta = nCaracter + 1;
            if (nCaracter >= cTexto.size()) {
                bSeLee = false;
                continue;
            }
            if (glifoDe(nCaracter) != escrita.glifos[i]) {
                while (nHasta < cTexto.size() &&
                       (i + 1 == escrita.glifos.size() || glifoDe(nHasta) != escrita.glifos[i + 1]))
                    ++nHasta;
            }
            escrita.textos.append(QStringView(cTexto).mid(nCaracter, nHasta - nCaracter));
            nCaracter = nHasta;
        }
        porEscribir.append(std::move(escrita));
    }
    bSeLee = bSeLee && nCaracter == cTexto.size();
    for (const Corrida &corrida : std::as_const(porEscribir)) {
        for (qsizetype i = 0; bSeLee && i < corrida.glifos.size(); ++i)
            corrida.pTamano->pFuente->Codigo(corrida.glifos[i], corrida.textos[i]);
    }
    if (!bSeLee) {
        AbreTexto();
        m_contenido.append("/Span<</ActualText ").append(ArchivoPdf::Texto(cTexto)).append(">>BDC\n");
    }
    for (const Corrida &corrida : std::as_const(porEscribir)) {
        EscribeGlifos(*corrida.pTamano, corrida.glifos.constData(), corrida.posiciones.constData(),
                      corrida.glifos.size(), nullptr);
    }
    if (!bSeLee)
        m_contenido.append("EMC\n");
}
