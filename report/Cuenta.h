#pragma once

#include <QString>

// A count with its noun in the number it needs: "1 mes", "3 meses", "0 clientes".
QString Cuenta(qsizetype nCuantos, const char *cSingular, const char *cPlural);
