#include "ArchivoPdf.h"

#include <QIODevice>

#include <charconv>
#include <cmath>

namespace {

// zlib's level: the pages' text is so repetitive that the fastest level already takes most of
// it, and the higher ones cost several times the time for a few percent.
constexpr int nNivelCompresion = 1;

constexpr qint64 aPotencias[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

} // namespace

ArchivoPdf::ArchivoPdf(QIODevice *pSalida) : m_pSalida(pSalida)
{
    // The second line's bytes above 127 tell a program reading it that the file is binary.
    Agrega(QByteArrayLiteral("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"));
}

void ArchivoPdf::Agrega(const char *pDatos, qint64 nBytes)
{
    if (!m_cFalla.isEmpty())
        return;
    if (m_pSalida->write(pDatos, nBytes) != nBytes) {
        m_cFalla = QStringLiteral("no se pudo escribir (%1)").arg(m_pSalida->errorString());
        return;
    }
    m_nPosicion += nBytes;
}

int ArchivoPdf::Reserva()
{
    m_posiciones.append(-1);
    return int(m_posiciones.size());
}

void ArchivoPdf::Empieza(int nObjeto)
{
    m_posiciones[nObjeto - 1] = m_nPosicion;
    QByteArray cInicio = QByteArray::number(nObjeto);
    cInicio.append(" 0 obj\n");
    Agrega(cInicio);
}

int ArchivoPdf::Escribe(const QByteArray &cuerpo, int nObjeto)
{
    if (nObjeto == 0)
        nObjeto = Reserva();
    Empieza(nObjeto);
    Agrega(cuerpo);
    Agrega(QByteArrayLiteral("\nendobj\n"));
    return nObjeto;
}

int ArchivoPdf::EscribeFlujo(const QByteArray &datos, const QByteArray &cDiccionario, int nObjeto)
{
    return EscribeComprimido(Comprime(datos), cDiccionario, nObjeto);
}

QByteArray ArchivoPdf::Comprime(const QByteArray &datos)
{
    return qCompress(datos, nNivelCompresion);
}

int ArchivoPdf::EscribeComprimido(const QByteArray &comprimido, const QByteArray &cDiccionario, int nObjeto)
{
    // qCompress puts the length in 4 bytes before zlib's own stream; a PDF reader wants zlib's alone.
    const qint64 nLargo = comprimido.size() - 4;
    if (nObjeto == 0)
        nObjeto = Reserva();
    Empieza(nObjeto);
    QByteArray cCabeza = QByteArrayLiteral("<<");
    cCabeza.append(cDiccionario).append("/Length ").append(QByteArray::number(nLargo));
    cCabeza.append("/Filter/FlateDecode>>\nstream\n");
    Agrega(cCabeza);
    Agrega(comprimido.constData() + 4, nLargo);
    Agrega(QByteArrayLiteral("\nendstream\nendobj\n"));
    return nObjeto;
}

void ArchivoPdf::Cierra(int nCatalogo, int nInformacion)
{
    const qint64 nTabla = m_nPosicion;
    QByteArray tabla;
    tabla.reserve(40 + 20 * m_posiciones.size());
    tabla.append("xref\n0 ").append(QByteArray::number(m_posiciones.size() + 1)).append("\n0000000000 65535 f \n");
    for (const qint64 nPosicion : std::as_const(m_posiciones)) {
        if (nPosicion < 0) {
            m_cFalla = QStringLiteral("quedó sin escribir un objeto del PDF");
            return;
        }
        tabla.append(QByteArray::number(nPosicion).rightJustified(10, '0')).append(" 00000 n \n");
    }
    tabla.append("trailer\n<</Size ").append(QByteArray::number(m_posiciones.size() + 1));
    tabla.append("/Root ").append(QByteArray::number(nCatalogo)).append(" 0 R");
    tabla.append("/Info ").append(QByteArray::number(nInformacion)).append(" 0 R>>\nstartxref\n");
    tabla.append(QByteArray::number(nTabla)).append("\n%%EOF\n");
    Agrega(tabla);
}

void ArchivoPdf::Numero(QByteArray &destino, double dValor, int nDecimales)
{
    Decimal(destino, std::llround(dValor * double(aPotencias[nDecimales])), nDecimales);
}

void ArchivoPdf::Decimal(QByteArray &destino, qint64 nValor, int nDecimales)
{
    char aTexto[24];
    char *pFin = aTexto;
    if (nValor < 0) {
        *pFin++ = '-';
        nValor = -nValor;
    }
    const qint64 nEntero = nValor / aPotencias[nDecimales];
    qint64 nFraccion = nValor % aPotencias[nDecimales];
    pFin = std::to_chars(pFin, aTexto + sizeof aTexto, nEntero).ptr;
    if (nFraccion != 0) {
        while (nFraccion % 10 == 0) {
            nFraccion /= 10;
            --nDecimales;
        }
        *pFin++ = '.';
        for (int i = nDecimales - 1; i >= 0; --i) {
            pFin[i] = char('0' + nFraccion % 10);
            nFraccion /= 10;
        }
        pFin += nDecimales;
    }
    destino.append(aTexto, pFin - aTexto);
}

QByteArray ArchivoPdf::Texto(const QString &cTexto)
{
    QByteArray bytes = QByteArrayLiteral("\xFE\xFF");
    for (const QChar c : cTexto)
        bytes.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    return '<' + bytes.toHex().toUpper() + '>';
}
