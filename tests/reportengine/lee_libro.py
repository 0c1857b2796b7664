#!/usr/bin/python3
"""Reads a workbook with openpyxl, as a spreadsheet user's tools would, and prints as JSON what
the tests compare: per sheet every cell (type, value, number format, quote prefix, and for a
formula its cached value), the frozen pane, the autofilter, the charts (with the data they
carry for readers that do not read the sheet) and the page set-up for printing. With a second
argument, the rows of a CSV file as Python's csv module reads them.

    /usr/bin/python3 lee_libro.py LIBRO.xlsx [INFORME.csv]
"""

import csv
import json
import sys

import openpyxl
from openpyxl.utils import coordinate_to_tuple, range_boundaries


def texto_de_titulo(titulo):
    """The plain text of a chart title, or None."""
    if titulo is None or titulo.tx is None or titulo.tx.rich is None:
        return None
    return "".join(r.t for p in titulo.tx.rich.p for r in (p.r or []))


def cache_de(serie):
    """What a chart shows without reading its sheet: the categories and values it carries."""
    categorias = valores = None
    if serie.cat is not None and serie.cat.strRef is not None and serie.cat.strRef.strCache is not None:
        categorias = [p.v for p in serie.cat.strRef.strCache.pt]
    if serie.val is not None and serie.val.numRef is not None and serie.val.numRef.numCache is not None:
        valores = [float(p.v) for p in serie.val.numRef.numCache.pt]
    return {"categorias": categorias, "valores": valores}


def hoja(formulas, valores):
    filas = []
    for fila, fila_valores in zip(formulas.iter_rows(), valores.iter_rows()):
        celdas = []
        for celda, calculada in zip(fila, fila_valores):
            if celda.value is None:
                celdas.append(None)
                continue
            datos = {
                "tipo": celda.data_type,  # n number, s text, f formula
                "valor": celda.value,
                "formato": celda.number_format,
                "comillas": bool(celda.quotePrefix),
            }
            if celda.data_type == "f":
                datos["calculado"] = calculada.value
            celdas.append(datos)
        filas.append(celdas)
    congelada = None
    if formulas.freeze_panes:
        fila, columna = coordinate_to_tuple(formulas.freeze_panes)
        congelada = {"fila": fila - 1, "columna": columna - 1}  # the first row and column that scroll
    filtro = None
    if formulas.auto_filter.ref:
        primera_col, primera_fila, ultima_col, ultima_fila = range_boundaries(formulas.auto_filter.ref)
        filtro = [primera_fila - 1, primera_col - 1, ultima_fila - 1, ultima_col - 1]
    graficas = [dict(tipo=g.tagname, titulo=texto_de_titulo(g.title), series=[cache_de(s) for s in g.series])
                for g in formulas._charts]
    anchos = {letra: d.width for letra, d in formulas.column_dimensions.items()}
    ajuste = formulas.sheet_properties.pageSetUpPr
    pagina = {
        "orientacion": formulas.page_setup.orientation,
        "papel": formulas.page_setup.paperSize,
        "ajustada": bool(ajuste is not None and ajuste.fitToPage),
        # An attribute left out is the format's default: one page.
        "paginas_de_ancho": 1 if formulas.page_setup.fitToWidth is None else formulas.page_setup.fitToWidth,
        "paginas_de_alto": 1 if formulas.page_setup.fitToHeight is None else formulas.page_setup.fitToHeight,
        "filas_repetidas": (formulas.print_title_rows or "").replace("$", ""),  # "1:6"
        "pie": formulas.oddFooter.right.text,
    }
    return {"celdas": filas, "congelada": congelada, "filtro": filtro, "graficas": graficas, "anchos": anchos,
            "pagina": pagina}


def main():
    libro = openpyxl.load_workbook(sys.argv[1])
    calculado = openpyxl.load_workbook(sys.argv[1], data_only=True)
    resultado = {"hojas": libro.sheetnames}
    for nombre in libro.sheetnames:
        resultado[nombre] = hoja(libro[nombre], calculado[nombre])
    if len(sys.argv) > 2:
        with open(sys.argv[2], newline="", encoding="utf-8") as archivo:
            resultado["csv"] = list(csv.reader(archivo))
    json.dump(resultado, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
