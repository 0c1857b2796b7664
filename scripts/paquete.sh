#!/usr/bin/env bash
# Builds the Debian package build/paquete/informe-mensual_<version>_<arch>.deb (and its
# debug symbols, informe-mensual-dbgsym_<version>_<arch>.ddeb) with CPack from the install
# rules. It reuses build/ as the test command left it (RelWithDebInfo: the package strips the
# program) and builds only what is installed; without build/ it configures it first.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"

# The build files brought up to date first: make knows no target that a newer CMakeLists
# added until CMake has run again.
if [[ -f build/CMakeCache.txt ]] && ! cmake build >/dev/null; then
    echo "paquete: falló la configuración con cmake (vea los mensajes de arriba)" >&2
    exit 1
fi
bash scripts/compila.sh --target informe-mensual instalacion registro-de-cambios

salida="$repo/build/paquete"
mkdir -p "$salida"
rm -f "$salida"/*.deb "$salida"/*.ddeb
if ! (cd build && cpack -G DEB -B "$salida" >"$salida/cpack.log" 2>&1); then
    cat "$salida/cpack.log" >&2
    echo "paquete: cpack no pudo hacer el paquete (vea los mensajes de arriba)" >&2
    exit 1
fi
paquetes=("$salida"/*.deb)
if [[ ! -f "${paquetes[0]}" ]]; then
    echo "paquete: cpack terminó sin escribir ningún .deb en $salida" >&2
    exit 1
fi
echo "paquete: ${paquetes[*]}"
