#!/usr/bin/env bash
# Configures build/ (only the first time) and builds the program, the tools and the tests.
# Extra arguments go to `cmake --build`, e.g. scripts/compila.sh --target genera-demo
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"

if [[ ! -f build/CMakeCache.txt || ! (-f build/Makefile || -f build/build.ninja) ]]; then
    if ! cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo; then
        echo "compila: falló la configuración con cmake (vea los mensajes de arriba)" >&2
        exit 1
    fi
fi

if ! cmake --build build -j"$(nproc)" "$@"; then
    echo "compila: falló la compilación (vea los mensajes de arriba)" >&2
    exit 1
fi
