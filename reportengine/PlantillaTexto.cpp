#include "PlantillaTexto.h"

const QStringList &PlantillaTexto::ValoresDelMotor()
{
    static const QStringList valores{
        QStringLiteral("Titulo"),       QStringLiteral("FechaImpresion"), QStringLiteral("Pagina"),
        QStringLiteral("Paginas"),      QStringLiteral("Registros"),      QStringLiteral("PrimeraSerie"),
        QStringLiteral("UltimaSerie"),
    };
    return valores;
}

std::optional<PlantillaTexto> PlantillaTexto::Analiza(const QString &cTexto, QString &cError)
{
    PlantillaTexto plantilla;
    QString cLiteral;
    const auto cierraLiteral = [&] {
        if (!cLiteral.isEmpty())
            plantilla.m_piezas.append(Pieza{Pieza::Tipo::Literal, cLiteral});
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
            return std::nullopt;
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
        const qsizetype nCierre = cTexto.indexOf(u'}', i + 1);
        if (nCierre < 0) {
            cError = QStringLiteral("una llave { sin su }");
            return std::nullopt;
        }
        QString cNombre = cTexto.mid(i + 1, nCierre - i - 1).trimmed();
        Pieza pieza;
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
            return std::nullopt;
        }
        cierraLiteral();
        plantilla.m_piezas.append(pieza);
        i = nCierre;
    }
    cierraLiteral();
    return plantilla;
}

bool PlantillaTexto::TieneCampos() const
{
    for (const Pieza &pieza : m_piezas) {
        if (pieza.tipo != Pieza::Tipo::Literal)
            return true;
    }
    return false;
}

QString PlantillaTexto::Rellena(const std::function<QString(const Pieza &)> &valorDe) const
{
    if (m_piezas.size() == 1 && m_piezas[0].tipo != Pieza::Tipo::Literal)
        return valorDe(m_piezas[0]);
    QString cTexto;
    for (const Pieza &pieza : m_piezas)
        cTexto += pieza.tipo == Pieza::Tipo::Literal ? pieza.cTexto : valorDe(pieza);
    return cTexto;
}
