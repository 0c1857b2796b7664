#pragma once

#include <QStringList>

// The twelve-month report without a window: the same start-up and the same operation as the
// window; messages go to standard error. Its options, their usage lines and its exit statuses
// are written once, in ayuda/OpcionesLotes.cpp (the filters' options in filtros/TablaDeFiltros.cpp),
// and shown by --help and the manual page.
namespace ModoLotes {

// Whether the arguments ask for the batch mode (any option at all).
bool Pedido(int argc, char *argv[]);

// Runs it: 0 when the file was written or the printer's server took the job, 2 when the
// period is refused, 1 on any failure.
int Ejecuta(const QStringList &argumentos);

} // namespace ModoLotes
