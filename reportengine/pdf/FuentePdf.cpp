#include "FuentePdf.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

#include "ArchivoPdf.h"

namespace {

quint16 U16(const QByteArray &tabla, qsizetype n)
{
    return n + 2 <= tabla.size() ? qFromBigEndian<quint16>(tabla.constData() + n) : 0;
}

qint16 I16(const QByteArray &tabla, qsizetype n)
{
    return qint16(U16(tabla, n));
}

quint32 U32(const QByteArray &tabla, qsizetype n)
{
    return n + 4 <= tabla.size() ? qFromBigEndian<quint32>(tabla.constData() + n) : 0;
}

void Pon16(QByteArray &tabla, qsizetype n, quint16 nValor)
{
    qToBigEndian(nValor, tabla.data() + n);
}

void Agrega16(QByteArray &destino, quint16 nValor)
{
    destino.append(char(nValor >> 8)).append(char(nValor & 0xFF));
}

void Agrega32(QByteArray &destino, quint32 nValor)
{
    Agrega16(destino, quint16(nValor >> 16));
    Agrega16(destino, quint16(nValor & 0xFFFF));
}

quint32 SumaDeControl(const QByteArray &datos)
{
    quint32 nSuma = 0;
    for (qsizetype n = 0; n < datos.size(); n += 4) {
        quint32 nPalabra = 0;
        for (qsizetype i = 0; i < 4; ++i)
            nPalabra = (nPalabra << 8) | quint8(n + i < datos.size() ? datos[n + i] : 0);
        nSuma += nPalabra;
    }
    return nSuma;
}

// A TrueType file of the tables given, in the order of their tags as the format asks, with the
// checksums and head's checkSumAdjustment.
QByteArray ArchivoTrueType(QList<std::pair<QByteArray, QByteArray>> tablas)
{
    std::sort(tablas.begin(), tablas.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    const quint16 nTablas = quint16(tablas.size());
    quint16 nPotencia = 1;
    quint16 nExponente = 0;
    while (nPotencia * 2 <= nTablas) {
        nPotencia *= 2;
        ++nExponente;
    }
    QByteArray archivo;
    Agrega32(archivo, 0x00010000);
    Agrega16(archivo, nTablas);
    Agrega16(archivo, quint16(nPotencia * 16));
    Agrega16(archivo, nExponente);
    Agrega16(archivo, quint16(nTablas * 16 - nPotencia * 16));
    quint32 nPosicion = quint32(12 + 16 * nTablas);
    qsizetype nHead = -1;
    for (const auto &[cEtiqueta, datos] : std::as_const(tablas)) {
        archivo.append(cEtiqueta);
        Agrega32(archivo, SumaDeControl(datos));
        Agrega32(archivo, nPosicion);
        Agrega32(archivo, quint32(datos.size()));
        nPosicion += quint32((datos.size() + 3) & ~3);
    }
    for (const auto &[cEtiqueta, datos] : std::as_const(tablas)) {
        if (cEtiqueta == "head")
            nHead = archivo.size();
        archivo.append(datos);
        archivo.append((4 - datos.size() % 4) % 4, '\0');
    }
    if (nHead >= 0)
        qToBigEndian(quint32(0xB1B0AFBA - SumaDeControl(archivo)), archivo.data() + nHead + 8);
    return archivo;
}

} // namespace

FuentePdf::FuentePdf(const QRawFont &fuente, const QByteArray &cRecurso) : m_cRecurso(cRecurso)
{
    m_head = fuente.fontTable("head");
    m_hhea = fuente.fontTable("hhea");
    m_hmtx = fuente.fontTable("hmtx");
    m_maxp = fuente.fontTable("maxp");
    m_loca = fuente.fontTable("loca");
    m_glyf = fuente.fontTable("glyf");
    m_os2 = fuente.fontTable("OS/2");
    m_name = fuente.fontTable("name");
    m_post = fuente.fontTable("post");
    m_cvt = fuente.fontTable("cvt ");
    m_fpgm = fuente.fontTable("fpgm");
    m_prep = fuente.fontTable("prep");
    m_nUnidadesPorEm = U16(m_head, 18);
    m_bLocaLarga = I16(m_head, 50) == 1;
    m_nGlifos = U16(m_maxp, 4);
    m_nMetricas = U16(m_hhea, 34);
    m_bValida = m_head.size() >= 54 && m_hhea.size() >= 36 && m_maxp.size() >= 6 && !m_glyf.isEmpty() &&
                m_nUnidadesPorEm > 0 && m_nGlifos > 0 && m_nMetricas > 0 &&
                m_hmtx.size() >= 4 * m_nMetricas + 2 * (m_nGlifos - m_nMetricas) &&
                m_loca.size() >= (m_nGlifos + 1) * (m_bLocaLarga ? 4 : 2);
    if (!m_bValida)
        return;
    m_codigos.assign(size_t(m_nGlifos), 0);
    Agrega(0); // .notdef keeps code 0
}

quint16 FuentePdf::Agrega(quint32 nGlifo)
{
    const quint16 nCodigo = quint16(m_glifos.size());
    if (nGlifo >= quint32(m_nGlifos))
        return 0; // not a glyph of this face: shows as .notdef
    m_codigos[nGlifo] = nCodigo;
    m_glifos.append(nGlifo);
    const int nMetrica = qMin(int(nGlifo), m_nMetricas - 1);
    m_anchos.append(int(std::lround(U16(m_hmtx, 4 * nMetrica) * 1000.0 / m_nUnidadesPorEm)));
    m_textos.append(QString());
    return nCodigo;
}

QByteArray FuentePdf::Glifo(quint32 nGlifo) const
{
    const quint32 nDesde = m_bLocaLarga ? U32(m_loca, 4 * nGlifo) : 2u * U16(m_loca, 2 * nGlifo);
    const quint32 nHasta = m_bLocaLarga ? U32(m_loca, 4 * (nGlifo + 1)) : 2u * U16(m_loca, 2 * (nGlifo + 1));
    if (nHasta <= nDesde || nHasta > quint32(m_glyf.size()))
        return {};
    return m_glyf.mid(nDesde, nHasta - nDesde);
}

// The font file of the glyphs, by code; the parts of composite glyphs join the list with codes
// of their own, and the composites are rewritten to name them by those codes.
QByteArray FuentePdf::Subconjunto(QList<quint32> &glifos) const
{
    std::vector<quint16> codigos = m_codigos;
    QByteArray glyf;
    QByteArray loca;
    QByteArray hmtx;
    for (qsizetype nCodigo = 0; nCodigo < glifos.size(); ++nCodigo) {
        QByteArray glifo = Glifo(glifos[nCodigo]);
        if (glifo.size() >= 10 && I16(glifo, 0) < 0) {
            constexpr quint16 nPalabras = 0x0001, nEscala = 0x0008, nMasPartes = 0x0020, nEscalaXY = 0x0040,
                              nMatriz = 0x0080;
            qsizetype n = 10;
            while (n + 4 <= glifo.size()) {
                const quint16 nBanderas = U16(glifo, n);
                const quint16 nParte = U16(glifo, n + 2);
                quint16 nNuevo = nParte < codigos.size() ? codigos[nParte] : 0;
                if (nNuevo == 0 && nParte != 0 && nParte < codigos.size()) {
                    nNuevo = quint16(glifos.size());
                    codigos[nParte] = nNuevo;
                    glifos.append(nParte);
                }
                Pon16(glifo, n + 2, nNuevo);
                n += 4 + ((nBanderas & nPalabras) ? 4 : 2);
                n += (nBanderas & nEscala) ? 2 : (nBanderas & nEscalaXY) ? 4 : (nBanderas & nMatriz) ? 8 : 0;
                if (!(nBanderas & nMasPartes))
                    break;
            }
        }
        Agrega32(loca, quint32(glyf.size()));
        glyf.append(glifo);
        glyf.append((4 - glifo.size() % 4) % 4, '\0');
        const quint32 nGlifo = glifos[nCodigo];
        const int nMetrica = qMin(int(nGlifo), m_nMetricas - 1);
        Agrega16(hmtx, U16(m_hmtx, 4 * nMetrica));
        Agrega16(hmtx, quint16(int(nGlifo) < m_nMetricas ? U16(m_hmtx, 4 * nGlifo + 2)
                                                         : U16(m_hmtx, 4 * m_nMetricas + 2 * (nGlifo - m_nMetricas))));
    }
    Agrega32(loca, quint32(glyf.size()));

    const quint16 nGlifos = quint16(glifos.size());
    QByteArray head = m_head;
    qToBigEndian(quint32(0), head.data() + 8);
    Pon16(head, 50, 1); // long offsets in loca
    QByteArray hhea = m_hhea;
    Pon16(hhea, 34, nGlifos);
    QByteArray maxp = m_maxp;
    Pon16(maxp, 4, nGlifos);
    QList<std::pair<QByteArray, QByteArray>> tablas{{"head", head}, {"hhea", hhea}, {"maxp", maxp},
                                                    {"hmtx", hmtx}, {"loca", loca}, {"glyf", glyf}};
    if (m_post.size() >= 32) {
        // Version 3: no glyph names, which would follow the old numbering.
        QByteArray post = m_post.left(32);
        qToBigEndian(quint32(0x00030000), post.data());
        tablas.append({"post", post});
    }
    // The hinting programs the glyphs call, the metrics and the names (with the font's licence).
    for (const auto &[cEtiqueta, tabla] :
         {std::pair{"OS/2", &m_os2}, {"name", &m_name}, {"cvt ", &m_cvt}, {"fpgm", &m_fpgm}, {"prep", &m_prep}}) {
        if (!tabla->isEmpty())
            tablas.append({QByteArray(cEtiqueta), *tabla});
    }
    return ArchivoTrueType(tablas);
}

QByteArray FuentePdf::NombrePostScript() const
{
    // nameID 6 in the name table, as Windows (UTF-16BE) or the Mac (one byte a letter) keeps it.
    const quint16 nRegistros = U16(m_name, 2);
    const qsizetype nTextos = U16(m_name, 4);
    QByteArray cNombre;
    for (quint16 i = 0; i < nRegistros && cNombre.isEmpty(); ++i) {
        const qsizetype n = 6 + 12 * i;
        const quint16 nPlataforma = U16(m_name, n);
        if (U16(m_name, n + 6) != 6 || (nPlataforma != 1 && nPlataforma != 3))
            continue;
        const QByteArray texto = m_name.mid(nTextos + U16(m_name, n + 10), U16(m_name, n + 8));
        for (qsizetype j = nPlataforma == 3 ? 1 : 0; j < texto.size(); j += nPlataforma == 3 ? 2 : 1) {
            const char c = texto[j];
            if (c > 32 && c < 127 && !QByteArrayView("()<>[]{}/%#").contains(c))
                cNombre.append(c);
        }
    }
    return cNombre.isEmpty() ? QByteArray("Letra") : cNombre;
}

QByteArray FuentePdf::MapaDeUnicode() const
{
    QByteArray mapa = QByteArrayLiteral("/CIDInit/ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                                        "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
                                        "/CMapName/Adobe-Identity-UCS def\n/CMapType 2 def\n"
                                        "1 begincodespacerange\n<0000><FFFF>\nendcodespacerange\n");
    QList<qsizetype> codigos;
    for (qsizetype nCodigo = 1; nCodigo < m_textos.size(); ++nCodigo) {
        if (!m_textos[nCodigo].isEmpty())
            codigos.append(nCodigo);
    }
    // At most 100 entries a block, as the CMap format asks.
    for (qsizetype nDesde = 0; nDesde < codigos.size(); nDesde += 100) {
        const qsizetype nHasta = qMin(nDesde + 100, codigos.size());
        mapa.append(QByteArray::number(nHasta - nDesde)).append(" beginbfchar\n");
        for (qsizetype i = nDesde; i < nHasta; ++i) {
            mapa.append('<').append(QByteArray::number(codigos[i], 16).rightJustified(4, '0')).append("><");
            for (const QChar c : m_textos[codigos[i]])
                mapa.append(QByteArray::number(c.unicode(), 16).rightJustified(4, '0'));
            mapa.append(">\n");
        }
        mapa.append("endbfchar\n");
    }
    mapa.append("endcmap\nCMapName currentdict/CMap defineresource pop\nend\nend\n");
    return mapa;
}

void FuentePdf::Escribe(ArchivoPdf &archivo, int nObjeto) const
{
    QList<quint32> glifos = m_glifos;
    const QByteArray subconjunto = Subconjunto(glifos);
    const int nArchivo = archivo.EscribeFlujo(subconjunto, "/Length1 " + QByteArray::number(subconjunto.size()));

    // A subset's name starts with six capitals of its own, here taken from the glyphs it holds.
    size_t nHuella = qHashRange(glifos.begin(), glifos.end());
    QByteArray cNombre;
    for (int i = 0; i < 6; ++i, nHuella /= 26)
        cNombre.append(char('A' + nHuella % 26));
    cNombre.append('+').append(NombrePostScript());

    const auto milesimas = [this](double dUnidades) {
        QByteArray cNumero;
        ArchivoPdf::Numero(cNumero, dUnidades * 1000 / m_nUnidadesPorEm, 2);
        return cNumero;
    };
    const int nVersionOs2 = U16(m_os2, 0);
    const qint16 nAltoMayusculas = nVersionOs2 >= 2 && m_os2.size() >= 90 ? I16(m_os2, 88) : I16(m_hhea, 4);
    QByteArray descriptor = "<</Type/FontDescriptor/FontName/" + cNombre + "/Flags 4/FontBBox[";
    descriptor.append(milesimas(I16(m_head, 36))).append(' ').append(milesimas(I16(m_head, 38))).append(' ');
    descriptor.append(milesimas(I16(m_head, 40)))
        .append(' ')
        .append(milesimas(I16(m_head, 42)))
        .append("]/ItalicAngle ");
    ArchivoPdf::Numero(descriptor, qint32(U32(m_post, 4)) / 65536.0, 2);
    descriptor.append("/Ascent ")
        .append(milesimas(I16(m_hhea, 4)))
        .append("/Descent ")
        .append(milesimas(I16(m_hhea, 6)));
    descriptor.append("/CapHeight ").append(milesimas(nAltoMayusculas)).append("/StemV 80/FontFile2 ");
    descriptor.append(QByteArray::number(nArchivo)).append(" 0 R>>");
    const int nDescriptor = archivo.Escribe(descriptor);

    QByteArray descendiente = "<</Type/Font/Subtype/CIDFontType2/BaseFont/" + cNombre;
    descendiente.append("/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor ");
    descendiente.append(QByteArray::number(nDescriptor)).append(" 0 R/CIDToGIDMap/Identity/W[0[");
    for (qsizetype nCodigo = 0; nCodigo < m_anchos.size(); ++nCodigo)
        descendiente.append(nCodigo == 0 ? "" : " ").append(QByteArray::number(m_anchos[nCodigo]));
    descendiente.append("]]>>");
    const int nDescendiente = archivo.Escribe(descendiente);
    const int nMapa = archivo.EscribeFlujo(MapaDeUnicode());

    QByteArray letra = "<</Type/Font/Subtype/Type0/BaseFont/" + cNombre + "/Encoding/Identity-H/DescendantFonts[";
    letra.append(QByteArray::number(nDescendiente)).append(" 0 R]/ToUnicode ").append(QByteArray::number(nMapa));
    letra.append(" 0 R>>");
    archivo.Escribe(letra, nObjeto);
}
