#include "ParametrosRpt.h"

void LimpiaParametrosRpt(ParametrosRpt &parametros)
{
    parametros = ParametrosRpt();
}
