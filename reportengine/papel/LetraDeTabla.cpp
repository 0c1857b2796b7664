#include "LetraDeTabla.h"

#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>

#include "MotorPdf.h"

LetraDeTabla::LetraDeTabla(const QFont &letra, QPaintDevice *pDispositivo)
    : m_letra(letra, pDispositivo), m_metricas(letra, pDispositivo), m_fuente(QRawFont::fromFont(m_letra))
{
    m_avance.fill(-1);
    m_glifo.fill(0);
    if (!m_fuente.isValid())
        return;
    for (char16_t c = 32; c < 127; ++c) {
        const QList<quint32> glifos = m_fuente.glyphIndexesForString(QString(QChar(c)));
        if (glifos.size() != 1 || glifos[0] == 0)
            continue;
        m_glifo[c] = glifos[0];
        m_avance[c] = m_fuente.advancesForGlyphIndexes(glifos).value(0).x();
    }
}

bool LetraDeTabla::EsRapido(const QString &cTexto) const
{
    for (const QChar c : cTexto) {
        if (c.unicode() >= 128 || m_avance[c.unicode()] < 0)
            return false;
    }
    return true;
}

double LetraDeTabla::Ancho(const QString &cTexto) const
{
    if (!EsRapido(cTexto))
        return m_metricas.horizontalAdvance(cTexto);
    double dAncho = 0;
    for (const QChar c : cTexto)
        dAncho += m_avance[c.unicode()];
    return dAncho;
}

QString LetraDeTabla::Recorta(const QString &cTexto, double dAncho) const
{
    if (Ancho(cTexto) <= dAncho)
        return cTexto;
    return m_metricas.elidedText(cTexto, Qt::ElideRight, dAncho);
}

qsizetype LetraDeTabla::PalabrasQueCaben(const QString &cTexto, double dAncho) const
{
    qsizetype nCaben = 0;
    for (qsizetype nBlanco = cTexto.indexOf(u' '); nBlanco > 0; nBlanco = cTexto.indexOf(u' ', nBlanco + 1)) {
        if (Ancho(cTexto.left(nBlanco)) > dAncho)
            break;
        qsizetype nSiguiente = nBlanco;
        while (nSiguiente < cTexto.size() && cTexto[nSiguiente] == u' ')
            ++nSiguiente;
        if (nSiguiente == cTexto.size())
            break;
        nCaben = nSiguiente;
        nBlanco = nSiguiente - 1;
    }
    return nCaben;
}

void LetraDeTabla::EligeManera(QPainter &painter)
{
    m_pPdf = dynamic_cast<MotorPdf *>(painter.paintEngine());
    m_bCorridas = painter.paintEngine()->type() == QPaintEngine::Pdf;
}

void LetraDeTabla::Escribe(QPainter &painter, const QString &cTexto, double x, double y)
{
    if (m_pPdf) {
        // ASCII texts as the glyph runs below have them; the others as Qt would lay them out.
        if (EsRapido(cTexto))
            m_pPdf->EscribeCaracteres(m_fuente, QPointF(x, y), cTexto);
        else
            m_pPdf->EscribeTexto(m_letra, QPointF(x, y), cTexto);
        return;
    }
    if (!m_bCorridas || !EsRapido(cTexto)) {
        painter.drawText(QPointF(x, y), cTexto);
        return;
    }
    for (const QChar c : cTexto) {
        m_glifos.append(m_glifo[c.unicode()]);
        m_posiciones.append(QPointF(x, y));
        x += m_avance[c.unicode()];
    }
}

void LetraDeTabla::Vacia(QPainter &painter)
{
    if (m_glifos.isEmpty())
        return;
    QGlyphRun corrida;
    corrida.setRawFont(m_fuente);
    corrida.setGlyphIndexes(m_glifos);
    corrida.setPositions(m_posiciones);
    painter.drawGlyphRun(QPointF(0, 0), corrida);
    m_glifos.clear();
    m_posiciones.clear();
}
