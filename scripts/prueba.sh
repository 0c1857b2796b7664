#!/usr/bin/env bash
# The test command: installs what is missing, checks the sources' format, builds the program
# and its Debian package, starts the private MariaDB server and the private print server, and
# runs every test with ctest. Exits with ctest's status (1 when a source is not formatted).
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"
puerto="${ALMENA_MARIADB_PUERTO:-3407}"

bash scripts/instala-paquetes.sh
bash scripts/formato.sh
bash scripts/compila.sh
# The Debian package from this same build, for its test (tests/paquete).
bash scripts/paquete.sh

# Servers that were already running (e.g. for the demo) are reused and left running; the
# ones started here are stopped at the end.
detener=()
al_salir() {
    local servidor
    for servidor in "${detener[@]}"; do
        bash "scripts/$servidor-privado.sh" stop || echo "prueba: no se pudo detener el servidor privado $servidor" >&2
    done
}
trap al_salir EXIT
if ! bash scripts/mariadb-privado.sh status >/dev/null; then
    detener+=(mariadb)
fi
bash scripts/mariadb-privado.sh start

# The print server of the printing tests, with its PDF printer; every client of the tests
# goes to it (CUPS_SERVER), never to the machine's own. Without it (it needs root) those
# tests are skipped and say why.
if ! bash scripts/cups-privado.sh status >/dev/null 2>&1; then
    detener+=(cups)
fi
if bash scripts/cups-privado.sh start; then
    eval "$(bash scripts/cups-privado.sh status)"
    export CUPS_SERVER ALMENA_CUPS_IMPRESORA ALMENA_CUPS_SALIDA
else
    echo "prueba: sin servidor de impresión privado; las pruebas de impresión se omiten" >&2
    # Still never the machine's printers: a socket where nobody listens.
    export CUPS_SERVER="$repo/build/sin-servidor-de-impresion"
    unset ALMENA_CUPS_IMPRESORA ALMENA_CUPS_SALIDA
fi

# The tests' own ODBC data sources, never the user's.
export ODBCINI="$repo/build/odbc-pruebas.ini"
bash scripts/registra-odbc.sh

export ALMENA_PRUEBA_SERVIDOR=127.0.0.1
export ALMENA_PRUEBA_PUERTO="$puerto"
export ALMENA_PRUEBA_USUARIO=root
export ALMENA_PRUEBA_PASSWORD=
export QT_QPA_PLATFORM=offscreen

estado=0
ctest --test-dir build --output-on-failure || estado=$?
if ((estado != 0)); then
    echo "prueba: ctest terminó con el código $estado" >&2
fi
exit "$estado"
