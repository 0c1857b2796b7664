#include "FormulasReporte.h"

#include <QRegularExpression>

#include "CodigosErrorReporte.h"
#include "ErrorReporte.h"

FormulasReporte::Formula FormulasReporte::Analiza(const QString &cTexto)
{
    static const QRegularExpression asignacion(
        QStringLiteral("^\\s*([A-Za-z_][A-Za-z0-9_]*)\\s*=\\s*(['\"])(.*)\\2\\s*$"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch coincide = asignacion.match(cTexto);
    if (!coincide.hasMatch())
        throw ErrorReporte(CodigoErrorRpt::FormulaNoValida,
                           QStringLiteral("La fórmula \"%1\" no tiene la forma Nombre='valor'.").arg(cTexto));
    return Formula{coincide.captured(1), coincide.captured(3)};
}

void FormulasReporte::Asigna(int nRanura, const QString &cTexto)
{
    if (nRanura < 0 || nRanura >= nRanuras)
        throw ErrorReporte(
            CodigoErrorRpt::IndiceNoValido,
            QStringLiteral("La ranura de fórmula %1 no existe (van de 0 a %2).").arg(nRanura).arg(nRanuras - 1));
    if (!cTexto.isEmpty())
        Analiza(cTexto);
    m_ranuras[nRanura] = cTexto;
}

QHash<QString, QString> FormulasReporte::Valores() const
{
    QHash<QString, QString> valores;
    for (const QString &cTexto : m_ranuras) {
        if (cTexto.isEmpty())
            continue;
        const Formula formula = Analiza(cTexto);
        valores.insert(formula.cNombre.toLower(), formula.cValor);
    }
    return valores;
}

QStringList FormulasReporte::Nombres() const
{
    QStringList nombres;
    for (const QString &cTexto : m_ranuras) {
        if (!cTexto.isEmpty())
            nombres.append(Analiza(cTexto).cNombre);
    }
    return nombres;
}
