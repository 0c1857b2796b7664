#!/usr/bin/env bash
# The test command: installs what is missing, builds, starts the private MariaDB server
# and runs every test with ctest. Exits with ctest's status.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"
puerto="${ALMENA_MARIADB_PUERTO:-3407}"

bash scripts/instala-paquetes.sh
bash scripts/compila.sh

# A server that was already running (e.g. for the demo) is reused and left running.
if bash scripts/mariadb-privado.sh status >/dev/null; then
    bash scripts/mariadb-privado.sh start
else
    trap 'bash scripts/mariadb-privado.sh stop || echo "prueba: no se pudo detener el servidor privado" >&2' EXIT
    bash scripts/mariadb-privado.sh start
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
