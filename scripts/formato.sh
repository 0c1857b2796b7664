#!/usr/bin/env bash
# Checks that the C++ sources are as clang-format (the repository's .clang-format) writes
# them; with --corrige, rewrites those that are not.
#
#   scripts/formato.sh [--corrige]
#
# Exits with 1 and names the files when some are not formatted.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
command -v clang-format >/dev/null || {
    echo "formato: falta clang-format (paquete clang-format; scripts/instala-paquetes.sh lo instala)" >&2
    exit 1
}
mapfile -t fuentes < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == --corrige ]]; then
    clang-format -i "${fuentes[@]}"
    exit 0
fi
mal=()
for fuente in "${fuentes[@]}"; do
    clang-format --dry-run --Werror "$fuente" >/dev/null 2>&1 || mal+=("$fuente")
done
if ((${#mal[@]} > 0)); then
    echo "formato: ${#mal[@]} archivos no tienen el formato de .clang-format (scripts/formato.sh --corrige los arregla):" >&2
    printf '  %s\n' "${mal[@]}" >&2
    exit 1
fi
