#!/usr/bin/env python3
"""The map of the folders, held by the compiler: a file of one folder includes a header of
another with the very flags the build gives that file, and must compile exactly when the map
allows that folder to use that header.

tst_Mapa.py COMPILE_COMMANDS.json SOURCE_DIR
"""
import json
import os
import shlex
import subprocess
import sys
import tempfile

# (a file whose flags are used, the header it includes, whether the map allows it)
CASOS = [
    # the report operation drives the engine only through the bridge
    ("report/ReporteVentas12Meses.cpp", "ControlReporte.h", False),
    ("report/ReporteVentas12Meses.cpp", "ParametrosRpt.h", True),
    ("report/ReporteVentas12Meses.cpp", "Recordset.h", True),
    # the bridge sees the control's face, nothing behind it
    ("reportbridge/ImprimeRpt.cpp", "ControlReporte.h", True),
    ("reportbridge/ImprimeRpt.cpp", "LectorOdbc.h", False),
    ("reportbridge/ImprimeRpt.cpp", "ErrorReporte.h", False),
    # the screen and the printer: the face, the painter, the files; not the data access
    ("reportprint/VentanaVistaPrevia.cpp", "PintorReporte.h", True),
    ("reportprint/VentanaVistaPrevia.cpp", "LectorRpt.h", False),
    ("reportprint/VentanaVistaPrevia.cpp", "SalidaCsv.h", False),
    # the engine's rooms point down only
    ("reportengine/rpt/LectorRpt.cpp", "ErrorReporte.h", True),
    ("reportengine/rpt/LectorRpt.cpp", "LectorOdbc.h", False),
    ("reportengine/rpt/LectorRpt.cpp", "ControlReporte.h", False),
    ("reportengine/pdf/MotorPdf.cpp", "ErrorReporte.h", False),
    ("reportengine/datos/ArmadorContenido.cpp", "LectorRpt.h", True),
    ("reportengine/datos/ArmadorContenido.cpp", "PintorReporte.h", False),
    ("reportengine/papel/PintorReporte.cpp", "MotorPdf.h", True),
    ("reportengine/papel/PintorReporte.cpp", "SalidaArchivo.h", False),
    ("reportengine/salidas/SalidaPdf.cpp", "MotorReporte.h", False),
    # the filters' table is read by the help and the report; it reads neither
    ("ayuda/OpcionesLotes.cpp", "TablaDeFiltros.h", True),
    ("filtros/TablaDeFiltros.cpp", "OpcionesLotes.h", False),
    ("filtros/TablaDeFiltros.cpp", "FiltroVentas.h", False),
    # a folder's internals stay inside it; nothing below uses what is above
    ("mainwindow/frmInicial.cpp", "IniArchivo.h", False),
    ("mainwindow/frmInicial.cpp", "frmDescripcion.h", False),
    ("host/Connection.cpp", "ParametrosRpt.h", False),
    ("app/ModoLotes.cpp", "TablaDeTrabajo.h", False),
    ("app/ModoLotes.cpp", "Cuenta.h", True),
]


def flags_del_archivo(ordenes, ruta):
    for orden in ordenes:
        if os.path.realpath(orden["file"]) == ruta:
            partes = shlex.split(orden["command"])
            break
    else:
        sys.exit(f"tst_Mapa: the build compiles no {ruta}")
    limpias, saltar = [], False
    for i, parte in enumerate(partes):
        if saltar:
            saltar = False
        elif parte in ("-o", "-c", "-include"):
            saltar = True  # the object, the source and the precompiled header
        elif parte != "-Winvalid-pch":
            limpias.append(parte)
    return limpias, orden["directory"]


def main():
    ordenes = json.load(open(sys.argv[1]))
    raiz = os.path.realpath(sys.argv[2])
    fallas = 0
    with tempfile.TemporaryDirectory() as carpeta:
        prueba = os.path.join(carpeta, "inclusion.cpp")
        for archivo, cabecera, permitida in CASOS:
            with open(prueba, "w") as salida:
                salida.write(f'#include "{cabecera}"\n')
            flags, directorio = flags_del_archivo(ordenes, os.path.join(raiz, archivo))
            resultado = subprocess.run(flags + ["-fsyntax-only", prueba], cwd=directorio,
                                       capture_output=True, text=True)
            compila = resultado.returncode == 0
            if compila != permitida:
                fallas += 1
                motivo = "compiles, against the map" if compila else "does not compile:\n" + resultado.stderr
                print(f"FAIL {archivo} including {cabecera} {motivo}")
            else:
                print(f"PASS {archivo} including {cabecera}: {'allowed' if permitida else 'refused'}")
    print(f"{len(CASOS) - fallas} of {len(CASOS)} as the map says")
    return 1 if fallas else 0


if __name__ == "__main__":
    sys.exit(main())
