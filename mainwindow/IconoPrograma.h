#pragma once

#include <QIcon>

// The window icon: a small bar chart, drawn rather than shipped as a file (the installed icon
// files are drawn from the same shapes, DibujoIcono.h).
QIcon IconoPrograma();
