#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/paquetes.txt that are still missing.
# On a machine that already has them all it does nothing (no apt-get update either).
set -euo pipefail

carpeta_scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
lista="$carpeta_scripts/paquetes.txt"

if [[ ! -r "$lista" ]]; then
    echo "instala-paquetes: no se puede leer la lista de paquetes $lista" >&2
    exit 1
fi

faltan=()
while IFS= read -r linea || [[ -n "$linea" ]]; do
    paquete="${linea%%#*}"
    paquete="${paquete//[[:space:]]/}"
    [[ -z "$paquete" ]] && continue
    estado="$(dpkg-query -W -f='${db:Status-Status}' "$paquete" 2>/dev/null || true)"
    if [[ "$estado" != "installed" ]]; then
        faltan+=("$paquete")
    fi
done <"$lista"

if [[ ${#faltan[@]} -eq 0 ]]; then
    echo "instala-paquetes: todos los paquetes ya están instalados."
    exit 0
fi

sudo_si_hace_falta=()
if [[ "$(id -u)" -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        echo "instala-paquetes: faltan paquetes (${faltan[*]}) y no somos root ni hay sudo." >&2
        exit 1
    fi
    sudo_si_hace_falta=(sudo)
fi

echo "instala-paquetes: instalando ${faltan[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! "${sudo_si_hace_falta[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q; then
    echo "instala-paquetes: falló apt-get update" >&2
    exit 1
fi
if ! "${sudo_si_hace_falta[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${faltan[@]}"; then
    echo "instala-paquetes: falló la instalación de: ${faltan[*]}" >&2
    exit 1
fi
echo "instala-paquetes: listo."
