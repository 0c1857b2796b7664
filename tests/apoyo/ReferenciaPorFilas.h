#pragma once

#include <vector>

#include "Periodo.h"

class Connection;
class ObjetosPrograma;
struct FiltroVentas;

// The working table filled the slow, literal way, row by row through the host library:
// per client and month of the grouped invoices a lookup, a new row when missing and one
// update; per client one sum of the delivery notes and one update. Kept as the reference
// that the program's own aggregation must match exactly (codes are escaped, and a group
// without lines adds 0, as the program does).
void LlenaPorFilas(const ObjetosPrograma &objetos, Connection &cnn, const FiltroVentas &filtro,
                   const std::vector<MonthColumn> &columnas);
