#pragma once

#include <QString>

// The description of the program shown in its description window, as rich text, naming the
// settings file in use and the report file that the program's folder leads to.
QString TextoDescripcion(const QString &cArchivoIni, const QString &cCarpetaPrograma);
