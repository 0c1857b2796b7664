#pragma once

#include <QString>

// The description of the program shown in its description window, as rich text.
QString TextoDescripcion();
