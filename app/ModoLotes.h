#pragma once

#include <QStringList>

// The twelve-month report without a window:
//   informe-mensual --desde DD/MM/AAAA --hasta DD/MM/AAAA [--cliente C] [--vendedor V]
//                   [--linea ID] --salida ARCHIVO.pdf|ARCHIVO.csv|ARCHIVO.xlsx
//                   | --impresora [NOMBRE] [--copias N] [--paginas N|N-M]
//   informe-mensual -h | --help | --version
// The same start-up and the same operation as the window; messages go to standard error. The
// options themselves are listed in ayuda/OpcionesLotes.h.
namespace ModoLotes {

// Whether the arguments ask for the batch mode (any option at all).
bool Pedido(int argc, char *argv[]);

// Runs it: 0 when the file was written or the printer's server took the job, 2 when the
// period is refused, 1 on any failure.
int Ejecuta(const QStringList &argumentos);

} // namespace ModoLotes
