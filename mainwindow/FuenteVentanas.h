#pragma once

#include <QFont>

// The letter of the program's windows: "MS Sans Serif" at 9.75 points, as the windows were
// designed, drawn with DejaVu Sans where that family does not exist.
QFont FuenteVentanas();
