#pragma once

#include <QIcon>

// The window icon: a small bar chart, drawn rather than shipped as a file.
QIcon IconoPrograma();
