#!/usr/bin/env bash
# Registers the MariaDB ODBC driver and the two user data sources that reports read
# through: "myodbc3-test" (the host's main database) and "Almena Reportes" (the report
# database almenareportes), both on the private MariaDB server. The program rewrites their
# server, port, account and database before every report; what it needs from here is that
# both exist with their driver.
#
#   scripts/registra-odbc.sh [--base NOMBRE] [--verifica]
#
# --base      main database of "myodbc3-test" (default datos1)
# --verifica  connects through each data source with isql as root, no password
#
# The data sources go into $ODBCINI when it is set (the tests use a file under build/),
# otherwise into ~/.odbc.ini; other data sources of that file are left as they are.
# The driver: one already registered for libmaodbc.so is used (the Debian package
# registers "MariaDB Unicode"); failing that, root registers it from the package's template
# and any other user names the driver library by its path, so /etc is never written by
# anyone but root.
#
# ALMENA_MARIADB_PUERTO  port of the private server (default 3407)
set -euo pipefail

puerto="${ALMENA_MARIADB_PUERTO:-3407}"
base=datos1
verifica=0
while (($# > 0)); do
    case "$1" in
    --base) base="${2:?--base espera un nombre}"; shift 2 ;;
    --verifica) verifica=1; shift ;;
    -h | --help) sed -n '2,22p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "registra-odbc: opción desconocida «$1» (vea --help)" >&2; exit 2 ;;
    esac
done

falla() {
    echo "registra-odbc: $*" >&2
    exit 1
}

command -v odbcinst >/dev/null || falla "falta odbcinst (paquete unixodbc; scripts/instala-paquetes.sh lo instala)"
plantilla_debian=/usr/share/odbc-mariadb/odbcinst.ini.template

# The name of a registered driver whose library is the MariaDB connector, if there is one.
controlador_registrado() {
    local seccion nombre
    while IFS= read -r seccion; do
        nombre="${seccion#[}"
        nombre="${nombre%]}"
        if odbcinst -q -d -n "$nombre" 2>/dev/null |
            grep -Eiq '^[[:space:]]*Driver[[:space:]]*=.*libmaodbc\.so[[:space:]]*$'; then
            echo "$nombre"
            return 0
        fi
    done < <(odbcinst -q -d 2>/dev/null | grep '^\[' || true)
    return 1
}

biblioteca_del_controlador() {
    local ruta
    for ruta in $(dpkg -L odbc-mariadb 2>/dev/null | grep '/libmaodbc\.so$') /usr/lib/*/odbc/libmaodbc.so; do
        if [[ -f "$ruta" ]]; then
            echo "$ruta"
            return 0
        fi
    done
    return 1
}

if ! controlador="$(controlador_registrado)"; then
    if ((EUID == 0)) && [[ -f "$plantilla_debian" ]]; then
        odbcinst -i -d -f "$plantilla_debian" >/dev/null || falla "no se pudo registrar el controlador ODBC de MariaDB"
        controlador="$(controlador_registrado)" || falla "el controlador ODBC de MariaDB no quedó registrado"
        echo "registra-odbc: controlador «$controlador» registrado."
    else
        # unixODBC loads a driver named by its path without any registration.
        controlador="$(biblioteca_del_controlador)" ||
            falla "falta el controlador ODBC de MariaDB (paquete odbc-mariadb; scripts/instala-paquetes.sh lo instala)"
        echo "registra-odbc: ningún controlador registrado usa libmaodbc.so; los orígenes lo nombran por su ruta."
    fi
fi

archivo="${ODBCINI:-$HOME/.odbc.ini}"
mkdir -p "$(dirname "$archivo")"
# The program writes the password into this file: it is for its owner only.
(umask 077 && touch "$archivo")
chmod 600 "$archivo"

carpeta_temporal="$(mktemp -d)"
trap 'rm -rf "$carpeta_temporal"' EXIT
temporal="$carpeta_temporal/origen.ini"

registra_origen() {
    local nombre="$1" descripcion="$2" base_origen="$3"
    cat >"$temporal" <<EOF_ORIGEN
[$nombre]
Driver=$controlador
Description=$descripcion
SERVER=127.0.0.1
PORT=$puerto
DATABASE=$base_origen
EOF_ORIGEN
    # Replaces the whole data source, so nothing of an earlier set-up (a socket) stays.
    ODBCINI="$archivo" odbcinst -i -s -h -f "$temporal" >/dev/null ||
        falla "no se pudo registrar el origen de datos «$nombre» en $archivo"
}

registra_origen "myodbc3-test" "Base principal del host para informe-mensual" "$base"
registra_origen "Almena Reportes" "Base de reportes almenareportes para informe-mensual" "almenareportes"
chmod 600 "$archivo"
echo "registra-odbc: orígenes «myodbc3-test» ($base) y «Almena Reportes» (almenareportes) en $archivo," \
    "controlador «$controlador», 127.0.0.1:$puerto."

if ((verifica)); then
    command -v isql >/dev/null || falla "falta isql (paquete unixodbc) para verificar"
    for origen in "myodbc3-test" "Almena Reportes"; do
        # isql keeps a history in $HOME; it goes into the temporary folder.
        if ! salida="$(echo "SELECT 1;" | HOME="$carpeta_temporal" ODBCINI="$archivo" isql -b -v "$origen" root "" 2>&1)"; then
            falla "no se pudo conectar por «$origen»: $salida"
        fi
        echo "registra-odbc: «$origen» conecta."
    done
fi
