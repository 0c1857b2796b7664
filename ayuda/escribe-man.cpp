// Build-time tool: writes the manual page from its template, putting the batch mode's
// synopsis, options and exit statuses where the template has @SINOPSIS@, @OPCIONES@ and
// @ESTADOS@ (each alone on its line), and the program's version and its date for @VERSION@
// and @FECHA@.
//   escribe-man PLANTILLA.1.in SALIDA.1 VERSION AAAA-MM-DD

#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <utility>

#include "OpcionesLotes.h"

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "uso: escribe-man PLANTILLA.1.in SALIDA.1 VERSION AAAA-MM-DD\n");
        return 1;
    }
    QFile plantilla(QString::fromLocal8Bit(argv[1]));
    if (!plantilla.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "escribe-man: no se puede leer %s: %s\n", argv[1],
                     plantilla.errorString().toLocal8Bit().constData());
        return 1;
    }
    QString cTexto = QString::fromUtf8(plantilla.readAll());
    const QString cPrograma = QStringLiteral("informe-mensual");
    for (const auto &[cMarca, cContenido] :
         {std::pair{QStringLiteral("@SINOPSIS@\n"), OpcionesLotes::RoffSinopsis(cPrograma)},
          std::pair{QStringLiteral("@OPCIONES@\n"), OpcionesLotes::RoffOpciones()},
          std::pair{QStringLiteral("@ESTADOS@\n"), OpcionesLotes::RoffEstados()}}) {
        if (cTexto.count(cMarca) != 1) {
            std::fprintf(stderr, "escribe-man: %s no tiene una vez la línea %s", argv[1],
                         cMarca.toLocal8Bit().constData());
            return 1;
        }
        cTexto.replace(cMarca, cContenido);
    }
    cTexto.replace(QStringLiteral("@VERSION@"), QString::fromLocal8Bit(argv[3]))
        .replace(QStringLiteral("@FECHA@"), QString::fromLocal8Bit(argv[4]));
    QSaveFile salida(QString::fromLocal8Bit(argv[2]));
    const QByteArray texto = cTexto.toUtf8();
    if (!salida.open(QIODevice::WriteOnly) || salida.write(texto) != texto.size() || !salida.flush() ||
        !salida.commit()) {
        std::fprintf(stderr, "escribe-man: no se pudo escribir %s: %s\n", argv[2],
                     salida.errorString().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
