#!/usr/bin/env bash
# The demo: installs what is missing, builds, starts the private MariaDB server, loads the
# demo data (once per seed, size and month) and opens informe-mensual on it.
#
#   scripts/demo.sh [--lineas N] [--semilla N] [--xvfb] [-- arguments for the program]
#
# --xvfb runs the program on a virtual display (xvfb-run), e.g. to take screenshots.
# The server stays running afterwards: scripts/mariadb-privado.sh stop
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"

lineas=20000
semilla=1
usar_xvfb=0
argumentos_programa=()
while (($# > 0)); do
    case "$1" in
    --lineas) lineas="${2:?--lineas espera un número}"; shift 2 ;;
    --semilla) semilla="${2:?--semilla espera un número}"; shift 2 ;;
    --xvfb) usar_xvfb=1; shift ;;
    --) shift; argumentos_programa=("$@"); break ;;
    -h | --help) sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "demo: opción desconocida «$1» (vea --help)" >&2; exit 2 ;;
    esac
done
[[ "$lineas" =~ ^[1-9][0-9]*$ ]] || { echo "demo: --lineas espera un número positivo, no «$lineas»" >&2; exit 2; }
[[ "$semilla" =~ ^[0-9]+$ ]] || { echo "demo: --semilla espera un número, no «$semilla»" >&2; exit 2; }

puerto="${ALMENA_MARIADB_PUERTO:-3407}"
base=datos1
mes="$(date +%Y-%m)"
demo="$repo/.local/demo"
marca_carga="$demo/cargado"
programa="$repo/build/app/informe-mensual"

bash scripts/instala-paquetes.sh
bash scripts/compila.sh
bash scripts/mariadb-privado.sh start

# --- demo data, loaded again only when the seed, the size or the month changed ---
mkdir -p "$demo"
carga_esperada="semilla=$semilla lineas=$lineas hasta=$mes base=$base"
# The row count also catches a base that genera-demo, run by hand, has since replaced.
partidas_en_base="$(mariadb --no-defaults -h 127.0.0.1 -P "$puerto" -u root -N \
    -e "SELECT COUNT(*) FROM \`$base\`.facturasdetalle" 2>/dev/null || echo "sin datos")"
if [[ "$partidas_en_base" == "$lineas" && -f "$marca_carga" && "$(cat "$marca_carga")" == "$carga_esperada" ]]; then
    echo "demo: los datos ya están cargados ($carga_esperada)."
else
    rm -f "$marca_carga"
    build/demodata/genera-demo --semilla "$semilla" --lineas "$lineas" --hasta "$mes" \
        --base "$base" --servidor 127.0.0.1 --puerto "$puerto" --usuario root --password ""
    echo "$carga_esperada" >"$marca_carga"
fi

# --- the ODBC data sources the report reads through (~/.odbc.ini or $ODBCINI) ---
bash scripts/registra-odbc.sh --base "$base" --verifica

# --- the host installation the program expects: drive C: and the store file ---
mkdir -p "$demo/C/almenapremium"
echo "demo" >"$demo/C/almenapremium/almena-premium.id"
almacen="$demo/almacen.ini"
# Written anew every time: the program stores the account's defaults (root, no password),
# enciphered, so the file stays readable by its owner only, as the program creates it.
rm -f "$almacen"
(umask 077 && cat >"$almacen") <<EOF
[Almena]
servidor=127.0.0.1
MySQLServer=127.0.0.1
MySQLPuerto=$puerto
EOF
export ALMENA_ALMACEN="$almacen"
export ALMENA_UNIDAD_C="$demo/C"

if [[ ! -x "$programa" ]]; then
    echo "demo: no existe $programa; revise la compilación" >&2
    exit 1
fi

avisa_servidor() {
    echo "demo: el servidor MariaDB privado sigue en marcha en 127.0.0.1:$puerto;"
    echo "      para detenerlo: scripts/mariadb-privado.sh stop"
}

# Without a display: the twelve months up to today, as a PDF, through the batch mode.
if ((!usar_xvfb)) && [[ -z "${DISPLAY:-}" ]]; then
    pdf="$demo/informe-doce-meses.pdf"
    desde=$(date -d "$(date +%Y-%m-01) -11 months" +%d/%m/%Y)
    hasta=$(date +%d/%m/%Y)
    echo "demo: no hay pantalla (\$DISPLAY vacía); se genera el informe del $desde al $hasta en PDF."
    "$programa" --desde "$desde" --hasta "$hasta" --salida "$pdf" "${argumentos_programa[@]}"
    echo "demo: informe escrito en $pdf"
    echo "      (con pantalla, scripts/demo.sh abre la ventana; con --xvfb, en una pantalla virtual)"
    avisa_servidor
    exit 0
fi

avisa_servidor
if ((usar_xvfb)); then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$programa" "${argumentos_programa[@]}"
fi
exec "$programa" "${argumentos_programa[@]}"
