#!/usr/bin/env bash
# A private print server for the tests: a CUPS daemon with a PDF printer (cups-pdf) that
# keeps its configuration, spool, logs and printed files in its own folder and listens only
# on a Unix socket there. It never touches the system's print server, its queues or
# /run/cups.
#
#   scripts/cups-privado.sh start|stop|status
#
# ALMENA_CUPS_DIR        folder of the server (default <repo>/build/cups)
# ALMENA_CUPS_IMPRESORA  name of its PDF printer, the server's default (default AlmenaPDF); a
#                        second one, <name>Rechaza, exists but refuses every job
# ALMENA_CUPS_BITACORA   cupsd's LogLevel (default warn; debug shows what each filter said)
#
# After `start`, point the clients at it with CUPS_SERVER=<socket>; the printed PDFs land in
# <folder>/salida. `status` prints the socket and that folder as shell assignments.
#
# cups-pdf reads its settings (the folder it writes into) only from /etc/cups. The daemon
# therefore runs in a mount namespace of its own in which the server's etc/ folder is mounted
# over /etc/cups; outside it nothing changes. It also runs in a network namespace of its own
# (only a loopback that nothing else shares): whatever rewrites its cupsd.conf (cupsctl puts
# back "Listen localhost:631"), it cannot listen on the machine's network. That needs root
# (so does cups-pdf itself, which runs as root to write as the job's user); without it
# `start` fails and says so. Never run cupsctl against it: it rewrites the whole cupsd.conf.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
carpeta="${ALMENA_CUPS_DIR:-$repo/build/cups}"
impresora="${ALMENA_CUPS_IMPRESORA:-AlmenaPDF}"
nivel_bitacora="${ALMENA_CUPS_BITACORA:-warn}"

etc="$carpeta/etc"
bitacoras="$carpeta/log"
salida="$carpeta/salida"
archivo_pid="$carpeta/cupsd.pid"
bitacora="$bitacoras/error_log"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
nombre=cups-privado
proceso=cupsd
# shellcheck source=servidor-privado.sh
source "$repo/scripts/servidor-privado.sh"

socket="$(ruta_de_socket cups.sock)"

responde() {
    CUPS_SERVER="$socket" timeout 5 lpstat -r 2>/dev/null | grep -q 'is running'
}

en_marcha() {
    pid_del_servidor >/dev/null && responde
}

escribe_configuracion() {
    mkdir -p "$etc/ppd" "$etc/ssl" "$carpeta/spool/tmp" "$carpeta/cache" "$carpeta/estado" "$bitacoras" "$salida" \
        "$carpeta/cups-pdf/spool" "$carpeta/cups-pdf/tmp"
    # Folders the filters (user lp) pass through; cupsd sets the modes of its own ones.
    chmod 0755 "$carpeta" "$etc" "$salida"
    local grupo
    grupo="$(id -gn)"
    cat >"$etc/cups-files.conf" <<EOF
# Written by scripts/cups-privado.sh: every file of this server lives under $carpeta.
ServerRoot $etc
RequestRoot $carpeta/spool
TempDir $carpeta/spool/tmp
CacheDir $carpeta/cache
StateDir $carpeta/estado
ErrorLog $bitacoras/error_log
AccessLog $bitacoras/access_log
PageLog $bitacoras/page_log
SystemGroup $grupo
FileDevice No
EOF
    cat >"$etc/cupsd.conf" <<EOF
# Written by scripts/cups-privado.sh: a socket only, no network, no sharing, no web pages.
LogLevel $nivel_bitacora
PageLogFormat %p %j %P %C
Listen $socket
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
DefaultAuthType None
JobRetryLimit 0
MaxJobs 200
PreserveJobHistory 600
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$etc/cups-pdf.conf" <<EOF
# Written by scripts/cups-privado.sh. Each file is named job_<job>-<title>.pdf.
Out $salida
AnonDirName $salida
Spool $carpeta/cups-pdf/spool
GSTmp $carpeta/cups-pdf/tmp
Log $bitacoras
Grp $grupo
Label 1
LogType 3
EOF
    chmod 0644 "$etc"/*.conf
}

arranca() {
    if en_marcha; then
        echo "cups-privado: ya estaba en marcha (pid $(pid_del_servidor), socket $socket); se reutiliza."
        return 0
    fi
    if pid_del_servidor >/dev/null; then
        falla "el proceso $(pid_del_servidor) de $archivo_pid existe pero no responde en $socket"
    fi
    [[ "$(id -u)" -eq 0 ]] || falla "hace falta ser root: la impresora PDF (cups-pdf) solo escribe como root y su carpeta de salida se monta en un espacio de nombres propio"
    command -v cupsd >/dev/null || falla "falta cupsd (paquete cups; scripts/instala-paquetes.sh lo instala)"
    [[ -x /usr/lib/cups/backend/cups-pdf && -f "$ppd" ]] || falla "falta la impresora PDF (paquete printer-driver-cups-pdf)"
    [[ -d /etc/cups ]] || falla "falta /etc/cups, sobre la que se monta la configuración propia"

    mkdir -p "$carpeta"
    rm -f "$archivo_pid" "$socket"
    escribe_configuracion
    # A PDF of an earlier run could carry the number of a job of this one.
    rm -f "$salida"/*.pdf

    echo "cups-privado: arrancando en $socket (salida en $salida)"
    # The daemon sees its own etc/ as /etc/cups; the mount lives and dies with its namespace.
    setsid unshare --mount --propagation private --net -- \
        sh -c 'mount --bind "$1" /etc/cups && exec cupsd -f -c "$1/cupsd.conf" -s "$1/cups-files.conf"' \
        cups-privado "$etc" </dev/null >>"$bitacoras/cupsd.salida" 2>&1 &
    local pid_lanzado=$!
    echo "$pid_lanzado" >"$archivo_pid"

    local limite=$((SECONDS + 30))
    until responde; do
        if ! kill -0 "$pid_lanzado" 2>/dev/null; then
            muestra_bitacora
            tail -n 5 "$bitacoras/cupsd.salida" >&2 || true
            falla "cupsd terminó al arrancar"
        fi
        if ((SECONDS >= limite)); then
            muestra_bitacora
            falla "cupsd no respondió en 30 s (pid $pid_lanzado sigue vivo; '$0 stop' lo detiene)"
        fi
        sleep 0.2
    done

    # The PDF goes to cups-pdf as PostScript; pdftocairo's keeps the text readable (pdftotext),
    # Ghostscript's turns it into glyphs without letters.
    local cola
    for cola in "$impresora" "${impresora}Rechaza"; do
        if ! CUPS_SERVER="$socket" lpstat -v "$cola" >/dev/null 2>&1; then
            CUPS_SERVER="$socket" lpadmin -p "$cola" -E -v cups-pdf:/ -P "$ppd" 2>&1 | grep -v -i deprecat >&2 || true
        fi
        CUPS_SERVER="$socket" lpadmin -p "$cola" -o pdftops-renderer-default=pdftocairo || true
        CUPS_SERVER="$socket" lpstat -p "$cola" >/dev/null 2>&1 || { muestra_bitacora; falla "no se pudo crear la impresora $cola"; }
    done
    CUPS_SERVER="$socket" lpadmin -d "$impresora" || falla "no se pudo hacer de $impresora la impresora predeterminada"
    CUPS_SERVER="$socket" cupsreject "${impresora}Rechaza" || falla "no se pudo hacer que ${impresora}Rechaza rechace trabajos"
    echo "cups-privado: listo (pid $(pid_del_servidor), CUPS_SERVER=$socket, impresora $impresora, salida $salida)."
}

detiene() {
    local pid
    if ! pid="$(pid_del_servidor)"; then
        rm -f "$archivo_pid"
        echo "cups-privado: no estaba en marcha."
        return 0
    fi
    echo "cups-privado: deteniendo (pid $pid)"
    kill -TERM "$pid" 2>/dev/null || true
    espera_que_termine "$pid" 30
    rm -f "$archivo_pid" "$socket"
    echo "cups-privado: detenido."
}

estado() {
    if en_marcha; then
        # As shell commands, so that `eval "$(cups-privado.sh status)"` hands them to the
        # programs it then runs.
        printf 'export CUPS_SERVER=%q\n' "$socket"
        printf 'export ALMENA_CUPS_IMPRESORA=%q\n' "$impresora"
        printf 'export ALMENA_CUPS_SALIDA=%q\n' "$salida"
        return 0
    fi
    echo "cups-privado: detenido (carpeta $carpeta)" >&2
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
