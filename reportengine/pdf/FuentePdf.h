#pragma once

#include <QByteArray>
#include <QList>
#include <QRawFont>
#include <QString>
#include <QStringView>

#include <vector>

class ArchivoPdf;

// One TrueType face as a PDF file carries it: a Type0 font with the Identity-H encoding over a
// CIDFontType2, embedded as a subset of the glyphs the pages use. The glyphs get codes in the
// order they are first used (0 is the face's .notdef), the subset holds them (and the parts of
// composite ones) under those codes, a W array gives their widths, and a ToUnicode map the text
// each stands for, which is what makes the text extractable. The size does not matter here: one
// face serves every size of the letter.
class FuentePdf
{
public:
    // cRecurso: the name the pages' content streams use for it ("F1").
    FuentePdf(const QRawFont &fuente, const QByteArray &cRecurso);

    // Whether the face has the TrueType tables a subset needs (a face with PostScript outlines has not).
    bool EsValida() const { return m_bValida; }
    const QByteArray &Recurso() const { return m_cRecurso; }

    // The code of the face's glyph nGlifo; cCaracter or cTexto (0 or empty: not known) is what it
    // stands for in the text (a ligature stands for several characters), kept from the glyph's
    // first use that tells it.
    quint16 Codigo(quint32 nGlifo, char16_t cCaracter)
    {
        quint16 nCodigo = nGlifo < m_codigos.size() ? m_codigos[nGlifo] : 0;
        if (nCodigo == 0 && nGlifo != 0)
            nCodigo = Agrega(nGlifo);
        if (cCaracter != 0 && m_textos[nCodigo].isEmpty())
            m_textos[nCodigo] = QChar(cCaracter);
        return nCodigo;
    }
    quint16 Codigo(quint32 nGlifo, QStringView cTexto)
    {
        const quint16 nCodigo = Codigo(nGlifo, char16_t(0));
        if (m_textos[nCodigo].isEmpty())
            m_textos[nCodigo] = cTexto.toString();
        return nCodigo;
    }
    // The code's advance in thousandths of the letter's size, as the W array gives it.
    int Ancho(quint16 nCodigo) const { return m_anchos[nCodigo]; }

    // Writes the font, its descendant, descriptor, subset and ToUnicode map into nObjeto, the
    // number the pages' resources already give the font.
    void Escribe(ArchivoPdf &archivo, int nObjeto) const;

private:
    quint16 Agrega(quint32 nGlifo);
    QByteArray Glifo(quint32 nGlifo) const;
    QByteArray Subconjunto(QList<quint32> &glifos) const;
    QByteArray MapaDeUnicode() const;
    QByteArray NombrePostScript() const;

    QByteArray m_cRecurso;
    bool m_bValida = false;
    QByteArray m_head, m_hhea, m_hmtx, m_maxp, m_loca, m_glyf, m_os2, m_name, m_post, m_cvt, m_fpgm, m_prep;
    int m_nUnidadesPorEm = 1000;
    int m_nGlifos = 0;
    int m_nMetricas = 0;            // hhea's numberOfHMetrics
    bool m_bLocaLarga = false;      // head's indexToLocFormat
    std::vector<quint16> m_codigos; // by glyph of the face; 0: none yet
    QList<quint32> m_glifos;        // by code
    QList<int> m_anchos;            // by code
    QList<QString> m_textos;        // by code
};
