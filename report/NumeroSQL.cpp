#include "NumeroSQL.h"

#include <cmath>

QString NumeroSQL(double nValor)
{
    if (!std::isfinite(nValor))
        return QStringLiteral("0");
    if (nValor == std::trunc(nValor) && std::fabs(nValor) < 1e15)
        return QString::number(qint64(nValor));
    QString cTexto = QString::number(nValor, 'f', 10);
    while (cTexto.endsWith(QLatin1Char('0')))
        cTexto.chop(1);
    if (cTexto.endsWith(QLatin1Char('.')))
        cTexto.chop(1);
    return cTexto;
}
