#!/usr/bin/env bash
# A private MariaDB server for the demo and the tests: its own data folder, socket and
# pid file, listening only on 127.0.0.1. It never touches a system-wide server.
#
#   scripts/mariadb-privado.sh start|stop|status
#
# ALMENA_MARIADB_DIR     data folder (default <repo>/.local/mariadb)
# ALMENA_MARIADB_PUERTO  TCP port on 127.0.0.1 (default 3407)
# ALMENA_MARIADB_OPCIONES  more server options, separated by blanks (a test's TLS server:
#                        --ssl-cert=... --require-secure-transport=ON)
# ALMENA_MARIADB_CLIENTE   options of the client that checks the TCP access (e.g. --ssl)
#
# After `start`, `mariadb -h 127.0.0.1 -P <port> -u root` works with an empty password.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
carpeta="${ALMENA_MARIADB_DIR:-$repo/.local/mariadb}"
puerto="${ALMENA_MARIADB_PUERTO:-3407}"
usuario_so="$(id -un)"
read -r -a opciones_extra <<<"${ALMENA_MARIADB_OPCIONES:-}"
read -r -a opciones_cliente <<<"${ALMENA_MARIADB_CLIENTE:-}"

datos="$carpeta/datos"
archivo_pid="$carpeta/mariadbd.pid"
archivo_puerto="$carpeta/puerto"
bitacora="$carpeta/error.log"
nombre=mariadb-privado
proceso=mariadbd
# shellcheck source=servidor-privado.sh
source "$repo/scripts/servidor-privado.sh"

socket="$(ruta_de_socket mariadb.sock)"

responde() {
    mariadb-admin --no-defaults --socket="$socket" -u root --connect-timeout=2 ping >/dev/null 2>&1
}

en_marcha() {
    pid_del_servidor >/dev/null && responde
}

cliente_socket() {
    mariadb --no-defaults --socket="$socket" -u root "$@"
}

inicializa_si_hace_falta() {
    [[ -d "$datos/mysql" ]] && return 0
    echo "mariadb-privado: inicializando la carpeta de datos $datos"
    mkdir -p "$datos"
    if ! mariadb-install-db --no-defaults --user="$usuario_so" --datadir="$datos" \
        --auth-root-authentication-method=normal --skip-test-db >"$carpeta/instalacion.log" 2>&1; then
        tail -n 25 "$carpeta/instalacion.log" >&2
        rm -rf "$datos"
        falla "mariadb-install-db falló (registro completo en $carpeta/instalacion.log)"
    fi
}

# root over TCP from 127.0.0.1 with an empty password and every privilege:
# the server listens on the loopback only and holds nothing but test data.
abre_root_por_tcp() {
    cliente_socket <<'SQL' || falla "no se pudo dar acceso a root por TCP"
CREATE USER IF NOT EXISTS 'root'@'127.0.0.1' IDENTIFIED BY '';
GRANT ALL PRIVILEGES ON *.* TO 'root'@'127.0.0.1' WITH GRANT OPTION;
CREATE USER IF NOT EXISTS 'root'@'%' IDENTIFIED BY '';
GRANT ALL PRIVILEGES ON *.* TO 'root'@'%' WITH GRANT OPTION;
FLUSH PRIVILEGES;
SQL
}

arranca() {
    mkdir -p "$carpeta"
    if en_marcha; then
        local puerto_actual
        puerto_actual="$(cat "$archivo_puerto" 2>/dev/null || echo '?')"
        if [[ "$puerto_actual" != "$puerto" ]]; then
            falla "ya hay un servidor en marcha en $carpeta con el puerto $puerto_actual, no $puerto; deténgalo antes con '$0 stop'"
        fi
        echo "mariadb-privado: ya estaba en marcha (pid $(pid_del_servidor), 127.0.0.1:$puerto); se reutiliza."
        return 0
    fi
    if pid_del_servidor >/dev/null; then
        falla "el proceso $(pid_del_servidor) de $archivo_pid existe pero no responde en $socket"
    fi
    rm -f "$archivo_pid" "$socket"

    inicializa_si_hace_falta

    echo "mariadb-privado: arrancando en 127.0.0.1:$puerto (datos en $datos)"
    # Durability is traded for speed: this server only ever holds demo and test data.
    setsid mariadbd --no-defaults \
        --user="$usuario_so" \
        --datadir="$datos" \
        --socket="$socket" \
        --pid-file="$archivo_pid" \
        --log-error="$bitacora" \
        --port="$puerto" \
        --bind-address=127.0.0.1 \
        --skip-name-resolve \
        --skip-log-bin \
        --character-set-server=utf8mb4 \
        --collation-server=utf8mb4_general_ci \
        --max-allowed-packet=64M \
        --innodb-buffer-pool-size=1G \
        --innodb-log-file-size=512M \
        --innodb-flush-log-at-trx-commit=2 \
        --innodb-doublewrite=0 \
        "${opciones_extra[@]}" \
        </dev/null >>"$bitacora" 2>&1 &
    local pid_lanzado=$!
    echo "$puerto" >"$archivo_puerto"

    local limite=$((SECONDS + 60))
    until responde; do
        if ! kill -0 "$pid_lanzado" 2>/dev/null && ! pid_del_servidor >/dev/null; then
            muestra_bitacora
            falla "mariadbd terminó al arrancar (¿puerto $puerto ocupado?)"
        fi
        if ((SECONDS >= limite)); then
            muestra_bitacora
            falla "mariadbd no respondió en 60 s (pid $pid_lanzado sigue vivo; '$0 stop' lo detiene)"
        fi
        sleep 0.5
    done

    abre_root_por_tcp
    if ! mariadb --no-defaults "${opciones_cliente[@]}" -h 127.0.0.1 -P "$puerto" -u root -e 'SELECT 1' >/dev/null; then
        falla "el servidor arrancó pero root no entra por 127.0.0.1:$puerto"
    fi
    echo "mariadb-privado: listo (pid $(pid_del_servidor), 127.0.0.1:$puerto, usuario root sin contraseña)."
}

detiene() {
    local pid
    if ! pid="$(pid_del_servidor)"; then
        rm -f "$archivo_pid"
        echo "mariadb-privado: no estaba en marcha."
        return 0
    fi
    echo "mariadb-privado: deteniendo (pid $pid)"
    if ! mariadb-admin --no-defaults --socket="$socket" -u root shutdown 2>/dev/null; then
        echo "mariadb-privado: mariadb-admin shutdown no respondió; se envía SIGTERM al pid $pid" >&2
        kill -TERM "$pid" 2>/dev/null || true
    fi
    espera_que_termine "$pid" 60
    rm -f "$archivo_pid"
    echo "mariadb-privado: detenido."
}

estado() {
    if en_marcha; then
        echo "mariadb-privado: en marcha (pid $(pid_del_servidor), 127.0.0.1:$(cat "$archivo_puerto" 2>/dev/null || echo '?'), socket $socket, datos $datos)"
        return 0
    fi
    echo "mariadb-privado: detenido (datos en $datos)"
    return 3
}

case "${1:-}" in
start) arranca ;;
stop) detiene ;;
status) estado ;;
*)
    echo "uso: $0 start|stop|status" >&2
    exit 2
    ;;
esac
