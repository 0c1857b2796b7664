#!/usr/bin/env python3
"""How long the batch mode waits for a database server that stops answering.

Runs the built program against the private server through a proxy on a loopback port that
misbehaves in one of two ways, and prints how long the program took to give up, its exit
status and its last message:

  mudo      accepts the connection and never says a word (a stopped process);
  se-calla  passes everything until the program sends the fill of the working table, and
            from then on swallows both directions (a dead network in the middle of a run).

The waits come from the settings file's section [Esperas] (here --conexion and --respuesta
seconds). Needs the demo data (scripts/demo.sh) or any host database with --base.

    bench/servidor-que-no-responde.py [--programa build/app/informe-mensual] [--base datos1]
        [--puerto 3407] [--conexion 3] [--respuesta 5]
"""

import argparse
import os
import pathlib
import shutil
import socket
import subprocess
import tempfile
import threading
import time

MARCA_DEL_LLENADO = b"insert into tmpventas12meses"


def proxy(modo, puerto_real, listo):
    """Listens on a free loopback port (written into listo) and serves connections forever."""
    escucha = socket.socket()
    escucha.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    escucha.bind(("127.0.0.1", 0))
    escucha.listen(16)
    listo.append(escucha.getsockname()[1])
    callado = threading.Event()
    conexiones = []

    def pasa(origen, destino, vigila):
        try:
            while True:
                datos = origen.recv(65536)
                if not datos:
                    break
                if vigila and MARCA_DEL_LLENADO in datos.lower():
                    callado.set()
                if callado.is_set():
                    continue  # the network went dead: nothing gets through any more
                destino.sendall(datos)
        except OSError:
            pass

    while True:
        cliente, _ = escucha.accept()
        conexiones.append(cliente)  # kept open: a silent server does not close either
        if modo == "mudo":
            continue
        servidor = socket.create_connection(("127.0.0.1", puerto_real))
        conexiones.append(servidor)
        threading.Thread(target=pasa, args=(cliente, servidor, True), daemon=True).start()
        threading.Thread(target=pasa, args=(servidor, cliente, False), daemon=True).start()


def prepara(carpeta, programa, base, puerto, conexion, respuesta):
    """A program folder, host installation, host store and ODBC file of this run's own."""
    destino = carpeta / "programa"
    destino.mkdir()
    for archivo in ("informe-mensual", "InformeMensual.rpt"):
        shutil.copy2(programa.parent / archivo, destino / archivo)
    (destino / "informe-mensual.ini").write_text(
        f"[Configuración]\nRuta de Almena Premium=C:\\almenapremium\nBase de datos principal={base}\n"
        f"[Esperas]\nConexion={conexion}\nRespuesta={respuesta}\n", encoding="utf-8")
    (carpeta / "C" / "almenapremium").mkdir(parents=True)
    (carpeta / "C" / "almenapremium" / "almena-premium.id").write_text("prueba\n")
    (carpeta / "almacen.ini").write_text(f"[Almena]\nservidor=127.0.0.1\nMySQLServer=127.0.0.1\nMySQLPuerto={puerto}\n")
    odbc = pathlib.Path(os.environ.get("ODBCINI", pathlib.Path.home() / ".odbc.ini"))
    shutil.copy2(odbc, carpeta / "odbc.ini")
    return destino / "informe-mensual"


def corre(programa, carpeta):
    entorno = dict(os.environ, ALMENA_ALMACEN=str(carpeta / "almacen.ini"), ALMENA_UNIDAD_C=str(carpeta / "C"),
                   ODBCINI=str(carpeta / "odbc.ini"), QT_QPA_PLATFORM="offscreen")
    inicio = time.monotonic()
    proceso = subprocess.run([str(programa), "--desde", "01/01/2025", "--hasta", "31/12/2025", "--salida",
                              str(carpeta / "informe.csv")], env=entorno, capture_output=True, text=True, timeout=900)
    lineas = [linea for linea in proceso.stderr.splitlines() if linea.strip()]
    return time.monotonic() - inicio, proceso.returncode, lineas[-1] if lineas else ""


def main():
    raiz = pathlib.Path(__file__).resolve().parent.parent
    opciones = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    opciones.add_argument("--programa", type=pathlib.Path, default=raiz / "build/app/informe-mensual")
    opciones.add_argument("--base", default="datos1")
    opciones.add_argument("--puerto", type=int, default=int(os.environ.get("ALMENA_MARIADB_PUERTO", 3407)))
    opciones.add_argument("--conexion", type=int, default=3)
    opciones.add_argument("--respuesta", type=int, default=5)
    args = opciones.parse_args()

    print(f"{'servidor':<10} {'espera puesta':>14} {'se rindió en':>13} {'estado':>7}  último mensaje")
    for modo, espera in (("mudo", args.conexion), ("se-calla", args.respuesta)):
        listo = []
        threading.Thread(target=proxy, args=(modo, args.puerto, listo), daemon=True).start()
        while not listo:
            time.sleep(0.01)
        with tempfile.TemporaryDirectory() as nombre:
            carpeta = pathlib.Path(nombre)
            programa = prepara(carpeta, args.programa.resolve(), args.base, listo[0], args.conexion, args.respuesta)
            segundos, estado, ultimo = corre(programa, carpeta)
        print(f"{modo:<10} {espera:>12} s {segundos:>11.1f} s {estado:>7}  {ultimo}")


if __name__ == "__main__":
    main()
