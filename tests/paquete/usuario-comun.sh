#!/usr/bin/env bash
# The packaged program as a user meets it: the package extracted into a temporary root
# (dpkg-deb -x, nothing installed on the machine) and run as an ordinary user (nobody), with a
# new empty HOME that holds only the host's store, against the private MariaDB server.
#   - batch mode, no administrator's defaults: the settings file appears under ~/.config with
#     the defaults; after the user names the database in it, the two ODBC data sources appear
#     in ~/.odbc.ini (owner only) and the report equals the build folder's program's;
#   - batch mode with an administrator's defaults file: the same report at the first run;
#   - the window, under the offscreen platform: it starts, reads its settings and ends
#     cleanly at SIGTERM, as at the end of a desktop session.
#
#   usuario-comun.sh CARPETA_DEL_PAQUETE PROGRAMA_DE_LA_COMPILACION GENERA_DEMO
# The server: ALMENA_PRUEBA_SERVIDOR/_PUERTO (scripts/prueba.sh sets them). Exits 77 (skipped)
# when scripts/paquete.sh has not built the package.
set -euo pipefail

carpeta_paquete="$1"
programa_compilado="$2"
genera_demo="$3"
paquete="$(ls "$carpeta_paquete"/informe-mensual_*.deb 2>/dev/null | head -n 1 || true)"
[[ -n "$paquete" ]] || { echo "usuario-comun: se omite: no hay paquete en $carpeta_paquete (scripts/paquete.sh)"; exit 77; }
servidor="${ALMENA_PRUEBA_SERVIDOR:?falta ALMENA_PRUEBA_SERVIDOR}"
puerto="${ALMENA_PRUEBA_PUERTO:?falta ALMENA_PRUEBA_PUERTO}"
base=prueba_paquete
usuario=65534 # nobody
grupo=65534

falla() {
    echo "usuario-comun: FALLA: $*" >&2
    exit 1
}
((EUID == 0)) || { echo "usuario-comun: se omite: cambiar de usuario necesita root"; exit 77; }

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
dpkg-deb -x "$paquete" "$tmp/raiz"
programa="$tmp/raiz/usr/bin/informe-mensual"
[[ -x "$programa" ]] || falla "el paquete no trae usr/bin/informe-mensual"

"$genera_demo" --semilla 7 --lineas 3000 --base "$base" --servidor "$servidor" --puerto "$puerto" \
    --usuario root --password "" >/dev/null

# The host installation: a folder with the suite's marker file, readable by everyone.
mkdir -p "$tmp/almena"
echo prueba >"$tmp/almena/almena-premium.id"
chmod -R a+rX "$tmp/almena"

# A new HOME for the user, with only the host's store in its usual place.
nuevo_home() {
    local casa="$tmp/$1"
    mkdir -p "$casa/.config/almena"
    printf '[Almena]\nservidor=%s\nMySQLServer=%s\nMySQLPuerto=%s\n' "$servidor" "$servidor" "$puerto" \
        >"$casa/.config/almena/almacen.ini"
    chown -R "$usuario:$grupo" "$casa"
    echo "$casa"
}

# Runs a command as the ordinary user, with nothing of root's environment but PATH and the locale.
como_usuario() {
    local casa="$1"
    shift
    setpriv --reuid="$usuario" --regid="$grupo" --clear-groups \
        env -i PATH=/usr/bin:/bin HOME="$casa" LANG=C.UTF-8 "$@"
}

desde="$(date -d "$(date +%Y-%m-01) -11 months" +%d/%m/%Y)"
hasta="$(date +%d/%m/%Y)"
# The administrator's defaults: the host folder of this machine and the database.
mkdir -p "$tmp/xdg/informe-mensual"
printf '[Configuración]\nRuta de Almena Premium=%s\nBase de datos principal=%s\n' "$tmp/almena" "$base" \
    >"$tmp/xdg/informe-mensual/informe-mensual.ini"
chmod -R a+rX "$tmp/xdg"

# The reference: the build folder's program, as root, in a HOME of its own, the same settings.
referencia_home="$(nuevo_home referencia)"
HOME="$referencia_home" XDG_CONFIG_DIRS="$tmp/xdg" ODBCINI="$referencia_home/.odbc.ini" \
    "$programa_compilado" --desde "$desde" --hasta "$hasta" --salida "$tmp/referencia.csv" 2>"$tmp/referencia.log" ||
    falla "el programa de la compilación no escribió el informe: $(cat "$tmp/referencia.log")"

# 1. No administrator's defaults: the user's settings file gets the built-in defaults.
casa="$(nuevo_home sin-administrador)"
if como_usuario "$casa" ALMENA_UNIDAD_C="$tmp/c" XDG_CONFIG_DIRS="$tmp/sin-administrador" "$programa" --desde "$desde" --hasta "$hasta" \
    --salida "$casa/informe.csv" 2>"$tmp/1.log"; then
    falla "sin la base de datos principal del equipo el informe no debía salir: $(cat "$tmp/1.log")"
fi
ini="$casa/.config/informe-mensual/informe-mensual.ini"
[[ -f "$ini" ]] || falla "no apareció $ini: $(cat "$tmp/1.log")"
grep -q '^Ruta de Almena Premium=C:\\almenapremium' "$ini" || falla "$ini no tiene la ruta predeterminada: $(cat "$ini")"
grep -q "almenapremium" "$tmp/1.log" || falla "el mensaje no nombra la ruta incorrecta: $(cat "$tmp/1.log")"
[[ "$(stat -c %u "$ini")" == "$usuario" ]] || falla "$ini no es del usuario"
# The user names the host folder and the database, as the message asks.
printf '[Configuración]\nRuta de Almena Premium=%s\nBase de datos principal=%s\n' "$tmp/almena" "$base" >"$ini"
como_usuario "$casa" XDG_CONFIG_DIRS="$tmp/sin-administrador" "$programa" --desde "$desde" --hasta "$hasta" \
    --salida "$casa/informe.csv" 2>"$tmp/1b.log" ||
    falla "el programa instalado falló: $(cat "$tmp/1b.log")"
cmp -s "$tmp/referencia.csv" "$casa/informe.csv" || falla "el informe del programa instalado difiere del de la compilación"
odbc="$casa/.odbc.ini"
for fuente in "myodbc3-test" "Almena Reportes"; do
    grep -qF "[$fuente]" "$odbc" || falla "$odbc no tiene el origen «$fuente»: $(cat "$odbc" 2>/dev/null)"
done
grep -q '^Driver=.' "$odbc" || falla "los orígenes de $odbc no nombran su controlador"
[[ "$(stat -c %a "$odbc")" == 600 ]] || falla "$odbc debe ser solo del usuario, no $(stat -c %a "$odbc")"

# 2. With the administrator's defaults: the first run already gives the report.
casa="$(nuevo_home con-administrador)"
como_usuario "$casa" XDG_CONFIG_DIRS="$tmp/xdg" "$programa" --desde "$desde" --hasta "$hasta" \
    --salida "$casa/informe.csv" 2>"$tmp/2.log" || falla "con los valores del administrador falló: $(cat "$tmp/2.log")"
cmp -s "$tmp/referencia.csv" "$casa/informe.csv" || falla "con los valores del administrador el informe difiere"
grep -q "^Base de datos principal=$base" "$casa/.config/informe-mensual/informe-mensual.ini" ||
    falla "el archivo del usuario no partió del del administrador"

# 3. The window: it starts, reads its settings (the dollars' id is written then) and ends at SIGTERM.
casa="$(nuevo_home ventana)"
# exec: the background process is the program itself, which the signal must reach.
(exec setpriv --reuid="$usuario" --regid="$grupo" --clear-groups env -i PATH=/usr/bin:/bin HOME="$casa" \
    LANG=C.UTF-8 XDG_CONFIG_DIRS="$tmp/xdg" QT_QPA_PLATFORM=offscreen "$programa" 2>"$tmp/3.log") &
pid=$!
ini="$casa/.config/informe-mensual/informe-mensual.ini"
for _ in $(seq 1 200); do
    grep -q '^Id moneda USD=' "$ini" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
grep -q '^Id moneda USD=' "$ini" 2>/dev/null || { kill -9 "$pid" 2>/dev/null; falla "la ventana no leyó su configuración: $(cat "$tmp/3.log")"; }
sleep 0.5 # the lists are read right after the settings
kill -TERM "$pid"
estado=0
timeout 20 tail --pid="$pid" -f /dev/null || { kill -9 "$pid"; falla "la ventana no terminó tras SIGTERM"; }
wait "$pid" || estado=$?
((estado == 0)) || falla "la ventana terminó con $estado tras SIGTERM: $(cat "$tmp/3.log")"

echo "usuario-comun: 3 passed, 0 failed"
