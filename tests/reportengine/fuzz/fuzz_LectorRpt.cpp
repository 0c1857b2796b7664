// libFuzzer target for the report file reader and the definition compiler. The first byte
// chooses what the rest is: a whole .rpt file, a layout behind a right checksum (which
// random bytes would otherwise never pass), or a definition text. Any failure must be an
// ErrorReporte; a crash, a sanitizer report or another exception is a bug.
//
//   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DMOTOR_RPT_FUZZ=ON
//   cmake --build build-fuzz --target fuzz_LectorRpt
//   build-fuzz/tests/reportengine/fuzz_LectorRpt -max_total_time=60 CORPUS_DIR

#include <QByteArray>

#include <cstdint>

#include "ArchivoRpt.h"
#include "CodificacionCuerpo.h"
#include "CompiladorRpt.h"
#include "ControlReporte.h"
#include "EscritorRpt.h"
#include "EscrituraBinaria.h"
#include "FormatoRpt.h"
#include "LectorRpt.h"

#include "../ArchivoConDiseno.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pDatos, size_t nTamano)
{
    if (nTamano == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(pDatos) + 1, qsizetype(nTamano - 1));
    try {
        switch (pDatos[0] % 3) {
        case 0: LectorRpt::DeBytes(bytes); break;
        case 1: LectorRpt::DeBytes(ArchivoConDiseno(bytes)); break;
        default: {
            // What compiles must also write and read back the same.
            const ArchivoRpt archivo = CompiladorRpt::Compila(QString::fromUtf8(bytes));
            if (!(LectorRpt::DeBytes(EscritorRpt::Bytes(archivo)) == archivo))
                __builtin_trap();
            break;
        }
        }
    } catch (const ErrorReporte &) {
    }
    return 0;
}
