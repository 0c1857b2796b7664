# Pieces shared by the scripts of the private servers (mariadb-privado.sh, cups-privado.sh);
# sourced, not run. Before sourcing, the script sets:
#   nombre       its name in messages (e.g. mariadb-privado)
#   proceso      the daemon's command name, as /proc/<pid>/comm shows it
#   carpeta      the server's folder
#   archivo_pid  the file that holds the daemon's pid
#   bitacora     the daemon's error log

# The path of the server's Unix socket $1 in its folder. A socket path must fit in about 108
# bytes; deep folders get a short one under /tmp instead.
ruta_de_socket() {
    local ruta="$carpeta/$1"
    if ((${#ruta} > 100)); then
        ruta="/tmp/almena-${1%.sock}-$(printf '%s' "$carpeta" | cksum | cut -d' ' -f1).sock"
    fi
    echo "$ruta"
}

falla() {
    echo "$nombre: $*" >&2
    exit 1
}

muestra_bitacora() {
    if [[ -f "$bitacora" ]]; then
        echo "--- últimas líneas de $bitacora ---" >&2
        tail -n 25 "$bitacora" >&2
        echo "---" >&2
    fi
}

# The daemon's pid, when the pid file names a live process of the daemon.
pid_del_servidor() {
    [[ -f "$archivo_pid" ]] || return 1
    local pid
    pid="$(tr -dc '0-9' <"$archivo_pid")"
    [[ -n "$pid" ]] && [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" == "$proceso" ]] || return 1
    echo "$pid"
}

# Waits for the process $1, asked to stop, to end; after $2 seconds it is a failure.
espera_que_termine() {
    local pid="$1" limite=$((SECONDS + $2))
    while kill -0 "$pid" 2>/dev/null; do
        if ((SECONDS >= limite)); then
            muestra_bitacora
            falla "el pid $pid sigue vivo $2 s después de pedirle que se detenga"
        fi
        sleep 0.2
    done
}
