#include "Cuenta.h"

QString Cuenta(qsizetype nCuantos, const char *cSingular, const char *cPlural)
{
    return QString::number(nCuantos) + QLatin1Char(' ') + QString::fromUtf8(nCuantos == 1 ? cSingular : cPlural);
}
