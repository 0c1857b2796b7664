#!/usr/bin/env bash
# Checks the Debian package with the tools Debian checks packages with: lintian (no error, no
# warning), desktop-file-validate, appstreamcli and man on what it installs; its files, the
# program stripped, nothing under /usr/local; and the program taken out of it (dpkg-deb -x,
# nothing installed on the machine) tells the project's version.
#   tst_Paquete.sh CARPETA_DEL_PAQUETE VERSION ID_DEL_ESCRITORIO NOMBRE_DEL_ICONO
set -uo pipefail

carpeta="$1" version="$2" id="$3" icono="$4"
fallas=0
falla() {
    echo "FALLA: $*" >&2
    fallas=$((fallas + 1))
}

paquetes=("$carpeta"/informe-mensual_"$version"_*.deb)
if [[ ! -f "${paquetes[0]}" ]]; then
    echo "SKIP: no hay paquete informe-mensual_${version}_*.deb en $carpeta (scripts/paquete.sh lo hace)"
    exit 77
fi
if ((${#paquetes[@]} != 1)); then
    echo "FALLA: hay más de un paquete en $carpeta: ${paquetes[*]}" >&2
    exit 1
fi
paquete="${paquetes[0]}"
echo "paquete: $paquete ($(stat -c %s "$paquete") bytes)"

temporal="$(mktemp -d)"
trap 'rm -rf "$temporal"' EXIT
chmod 755 "$temporal"

# lintian warns against running as root, and rightly: it unpacks and looks into a package
# nobody has vetted yet. As root (CI's containers) it runs as nobody, on a copy nobody may
# read, with a home of its own in the temporary folder.
cp "$paquete" "$temporal/"
chmod 644 "$temporal/$(basename "$paquete")"
lintian_como=()
if [[ "$(id -u)" -eq 0 ]]; then
    mkdir "$temporal/casa" && chown nobody "$temporal/casa"
    lintian_como=(runuser -u nobody -- env HOME="$temporal/casa" TMPDIR="$temporal/casa")
fi
echo "--- lintian"
if ! "${lintian_como[@]}" lintian --fail-on error,warning --display-level ">=info" \
    "$temporal/$(basename "$paquete")" >"$temporal/lintian.txt" 2>&1; then
    falla "lintian encontró errores o advertencias (o no pudo correr)"
fi
cat "$temporal/lintian.txt"
if grep -E '^(E|W): ' "$temporal/lintian.txt" >/dev/null; then
    falla "lintian dio errores o advertencias"
fi

raiz="$temporal/raiz"
dpkg-deb -x "$paquete" "$raiz" || falla "dpkg-deb -x no pudo sacar los archivos"
contenido="$(dpkg-deb -c "$paquete")" || falla "dpkg-deb -c no pudo listar los archivos"

echo "--- archivos"
esperados=(
    usr/bin/informe-mensual
    usr/share/informe-mensual/InformeMensual.rpt
    "usr/share/applications/$id.desktop"
    "usr/share/metainfo/$id.metainfo.xml"
    "usr/share/icons/hicolor/scalable/apps/$icono.svg"
    usr/share/man/man1/informe-mensual.1.gz
    usr/share/doc/informe-mensual/README.md
    usr/share/doc/informe-mensual/LICENSE
    usr/share/doc/informe-mensual/copyright
    usr/share/doc/informe-mensual/changelog.gz
)
for lado in 16 22 24 32 48 64 128 256; do
    esperados+=("usr/share/icons/hicolor/${lado}x${lado}/apps/$icono.png")
done
for archivo in "${esperados[@]}"; do
    [[ -s "$raiz/$archivo" ]] || falla "el paquete no tiene $archivo"
done
for lado in 16 22 24 32 48 64 128 256; do
    png="$raiz/usr/share/icons/hicolor/${lado}x${lado}/apps/$icono.png"
    [[ -f "$png" ]] && ! file -b "$png" | grep -q "PNG image data, $lado x $lado," &&
        falla "$png no es un PNG de $lado x $lado: $(file -b "$png")"
done
if grep -q '\./usr/local' <<<"$contenido"; then
    falla "el paquete tiene archivos bajo /usr/local"
fi
programa="$raiz/usr/bin/informe-mensual"
tipo="$(file -b "$programa")"
echo "usr/bin/informe-mensual: $tipo"
[[ "$tipo" == *", stripped"* ]] || falla "el programa no está despojado de símbolos: $tipo"
[[ "$(dpkg-deb -f "$paquete" Version)" == "$version" ]] ||
    falla "la versión del paquete es $(dpkg-deb -f "$paquete" Version), no $version"

echo "--- desktop-file-validate"
desktop-file-validate "$raiz/usr/share/applications/$id.desktop" || falla "desktop-file-validate rechaza $id.desktop"
echo "--- appstreamcli validate"
appstreamcli validate --no-net "$raiz/usr/share/metainfo/$id.metainfo.xml" ||
    falla "appstreamcli rechaza $id.metainfo.xml"

echo "--- man"
pagina="$raiz/usr/share/man/man1/informe-mensual.1.gz"
LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$pagina" >/dev/null \
    2>"$temporal/man.txt" || falla "man no pudo dar formato a la página"
if [[ -s "$temporal/man.txt" ]]; then
    cat "$temporal/man.txt" >&2
    falla "man avisa de problemas en la página"
fi

echo "--- el programa"
salida="$("$programa" --version 2>"$temporal/errores.txt")"
estado=$?
((estado == 0)) || falla "--version terminó con $estado: $(cat "$temporal/errores.txt")"
[[ "$salida" == "informe-mensual $version" ]] || falla "--version dijo «$salida», no «informe-mensual $version»"
echo "$salida"

# The help and the manual page list the same options (both come from one table).
ayuda="$("$programa" --help 2>&1)" || falla "--help terminó con $?"
grep -qF -- '--impresora [NOMBRE]' <<<"$ayuda" || falla "--help no muestra --impresora [NOMBRE]"
de_la_ayuda="$(sed -n '/^Opciones:/,/^$/p' <<<"$ayuda" | grep -oE -- '--[a-z]+' | sort -u)"
del_manual="$(LC_ALL=C.UTF-8 MANWIDTH=200 man -E UTF-8 -l "$pagina" 2>/dev/null |
    sed -n '/^OPCIONES/,/^[A-Z]/p' | grep -oE -- '--[a-z]+' | sort -u)"
[[ -n "$de_la_ayuda" && "$de_la_ayuda" == "$del_manual" ]] ||
    falla "--help y el manual no listan las mismas opciones: «$(echo $de_la_ayuda)» y «$(echo $del_manual)»"

if ((fallas > 0)); then
    echo "$fallas fallas" >&2
    exit 1
fi
echo "el paquete está bien"
