#!/usr/bin/env bash
# Configures build/ (only the first time) and builds the program, the tools and the tests.
# Extra arguments go to `cmake --build`, e.g. scripts/compila.sh --target genera-demo
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"

# Release at -O2 without debug information: the tests and the package need none, and it is
# the largest part of the compiler's work. Ninja when it is there (scripts/paquetes.txt).
if [[ ! -f build/CMakeCache.txt || ! (-f build/Makefile || -f build/build.ninja) ]]; then
    generador=()
    if command -v ninja >/dev/null; then
        generador=(-G Ninja)
    fi
    if ! cmake -S . -B build "${generador[@]}" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"; then
        echo "compila: falló la configuración con cmake (vea los mensajes de arriba)" >&2
        exit 1
    fi
fi

if ! cmake --build build -j"$(nproc)" "$@"; then
    echo "compila: falló la compilación (vea los mensajes de arriba)" >&2
    exit 1
fi
