#include "PlantillaTexto.h"

#include <algorithm>

const QStringList &PlantillaTexto::ValoresDelMotor()
{
    static const QStringList valores{
        QStringLiteral("Titulo"),      QStringLiteral("FechaImpresion"), QStringLiteral("Pagina"),
        QStringLiteral("Paginas"),     QStringLiteral("Registros"),      QStringLiteral("PrimeraSerie"),
        QStringLiteral("UltimaSerie"),
    };
    return valores;
}

bool PlantillaTexto::SeparaSustantivos(const QString &cNombre, QString &cValor, QString &cSingular, QString &cPlural)
{
    const qsizetype nEspacio = cNombre.indexOf(u' ');
    cValor = cNombre.left(nEspacio);
    if (nEspacio < 0)
        return false;
    const QString cSustantivos = cNombre.mid(nEspacio + 1);
    const qsizetype nBarra = cSustantivos.indexOf(u'|');
    cSingular = cSustantivos.left(nBarra).trimmed();
    cPlural = nBarra < 0 ? QString() : cSustantivos.mid(nBarra + 1).trimmed();
    return true;
}

std::optional<PlantillaTexto> PlantillaTexto::Analiza(const QString &cTexto, QString &cError)
{
    PlantillaTexto plantilla;
    if (!plantilla.AnalizaTramo(cTexto, -1, cError))
        return std::nullopt;
    return plantilla;
}

// The pieces of cTexto, all of them in optional part nOpcional (-1: outside any).
bool PlantillaTexto::AnalizaTramo(const QString &cTexto, int nOpcional, QString &cError)
{
    QString cLiteral;
    const auto cierraLiteral = [&] {
        if (!cLiteral.isEmpty())
            m_piezas.append(Pieza{Pieza::Tipo::Literal, cLiteral, -1, nOpcional, false});
        cLiteral.clear();
    };
    for (qsizetype i = 0; i < cTexto.size(); ++i) {
        const QChar c = cTexto[i];
        if (c == u'}') {
            if (i + 1 < cTexto.size() && cTexto[i + 1] == u'}') {
                cLiteral += c;
                ++i;
                continue;
            }
            cError = QStringLiteral("una llave } sin su {");
            return false;
        }
        if (c != u'{') {
            cLiteral += c;
            continue;
        }
        if (i + 1 < cTexto.size() && cTexto[i + 1] == u'{') {
            cLiteral += c;
            ++i;
            continue;
        }
        if (i + 1 < cTexto.size() && cTexto[i + 1] == u'?') {
            // Its closing brace: the first one that closes neither a field nor a "}}".
            qsizetype nCierre = i + 2;
            while (nCierre < cTexto.size()) {
                const bool bDoble = nCierre + 1 < cTexto.size() && cTexto[nCierre + 1] == cTexto[nCierre];
                if (cTexto[nCierre] == u'}' && !bDoble)
                    break;
                if (cTexto[nCierre] == u'{' && nCierre + 1 < cTexto.size() && cTexto[nCierre + 1] == u'?') {
                    cError = QStringLiteral("una parte opcional {?...} dentro de otra");
                    return false;
                }
                if (cTexto[nCierre] == u'{' && !bDoble) {
                    nCierre = cTexto.indexOf(u'}', nCierre + 1);
                    if (nCierre < 0)
                        break;
                    ++nCierre;
                    continue;
                }
                nCierre += bDoble ? 2 : 1;
            }
            if (nCierre < 0 || nCierre >= cTexto.size()) {
                cError = QStringLiteral("una parte opcional {?... sin su }");
                return false;
            }
            cierraLiteral();
            const qsizetype nPrimera = m_piezas.size();
            if (!AnalizaTramo(cTexto.mid(i + 2, nCierre - i - 2), m_nOpcionales, cError))
                return false;
            if (std::none_of(m_piezas.cbegin() + nPrimera, m_piezas.cend(), [](const Pieza &p) { return p.bValor; })) {
                cError = QStringLiteral("una parte opcional {?...} sin campos nunca se muestra");
                return false;
            }
            ++m_nOpcionales;
            i = nCierre;
            continue;
        }
        const qsizetype nCierre = cTexto.indexOf(u'}', i + 1);
        if (nCierre < 0) {
            cError = QStringLiteral("una llave { sin su }");
            return false;
        }
        QString cNombre = cTexto.mid(i + 1, nCierre - i - 1).trimmed();
        Pieza pieza;
        pieza.nOpcional = nOpcional;
        pieza.bValor = true;
        if (cNombre.startsWith(u'@')) {
            pieza.tipo = Pieza::Tipo::Formula;
            cNombre.remove(0, 1);
        } else if (cNombre.startsWith(u'=')) {
            pieza.tipo = Pieza::Tipo::ValorDelMotor;
            cNombre.remove(0, 1);
        } else {
            pieza.tipo = Pieza::Tipo::Campo;
        }
        pieza.cTexto = cNombre.trimmed();
        if (pieza.cTexto.isEmpty() || pieza.cTexto.contains(u'{')) {
            cError = QStringLiteral("un campo sin nombre entre llaves");
            return false;
        }
        cierraLiteral();
        m_piezas.append(pieza);
        i = nCierre;
    }
    cierraLiteral();
    return true;
}

bool PlantillaTexto::TieneCampos() const
{
    for (const Pieza &pieza : m_piezas) {
        if (pieza.tipo != Pieza::Tipo::Literal)
            return true;
    }
    return false;
}

bool PlantillaTexto::EsSeparador(qsizetype i) const
{
    return m_piezas[i].nOpcional < 0 && !m_piezas[i].bValor && i > 0 && i + 1 < m_piezas.size() &&
           m_piezas[i - 1].nOpcional >= 0 && m_piezas[i + 1].nOpcional >= 0;
}

QString PlantillaTexto::Rellena(const std::function<QString(const Pieza &)> &valorDe) const
{
    const auto valor = [&valorDe](const Pieza &pieza) {
        return pieza.tipo == Pieza::Tipo::Literal ? pieza.cTexto : valorDe(pieza);
    };
    if (m_nOpcionales == 0) {
        if (m_piezas.size() == 1 && m_piezas[0].tipo != Pieza::Tipo::Literal)
            return valorDe(m_piezas[0]);
        QString cTexto;
        for (const Pieza &pieza : m_piezas)
            cTexto += valor(pieza);
        return cTexto;
    }

    QStringList valores;
    QList<bool> visibles(m_nOpcionales, false);
    for (const Pieza &pieza : m_piezas) {
        valores.append(valor(pieza));
        if (pieza.nOpcional >= 0 && pieza.bValor && !valores.last().isEmpty())
            visibles[pieza.nOpcional] = true;
    }
    // Whether a shown optional part lies in the list of parts and separators from i on, one way,
    // up to the next separator when bHastaSeparador.
    const auto hayVisible = [&](qsizetype i, qsizetype nPaso, bool bHastaSeparador) {
        for (; i >= 0 && i < m_piezas.size() && (m_piezas[i].nOpcional >= 0 || EsSeparador(i)); i += nPaso) {
            if (m_piezas[i].nOpcional < 0 && bHastaSeparador)
                return false;
            if (m_piezas[i].nOpcional >= 0 && visibles[m_piezas[i].nOpcional])
                return true;
        }
        return false;
    };
    QString cTexto;
    for (qsizetype i = 0; i < m_piezas.size(); ++i) {
        const Pieza &pieza = m_piezas[i];
        const bool bSeMuestra = pieza.nOpcional >= 0 ? visibles[pieza.nOpcional]
                                : EsSeparador(i)     ? hayVisible(i - 1, -1, false) && hayVisible(i + 1, 1, true)
                                                     : true;
        if (bSeMuestra)
            cTexto += valores[i];
    }
    return cTexto;
}
