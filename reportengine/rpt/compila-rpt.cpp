// compila-rpt: turns a readable report definition into a report file (.rpt).
//   compila-rpt DEFINICION SALIDA.rpt
// The build runs it for the twelve-month report; CompiladorRpt.h describes the definition.

#include <QCoreApplication>
#include <QTextStream>

#include "CompiladorRpt.h"
#include "ErrorReporte.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream error(stderr);
    const QStringList argumentos = QCoreApplication::arguments();
    if (argumentos.size() != 3) {
        error << "Uso: compila-rpt DEFINICION SALIDA.rpt\n";
        return 2;
    }
    try {
        CompiladorRpt::CompilaArchivo(argumentos[1], argumentos[2]);
    } catch (const ErrorReporte &falla) {
        error << argumentos[1] << ": error " << falla.Numero() << ": " << falla.Descripcion() << '\n';
        return 1;
    }
    return 0;
}
