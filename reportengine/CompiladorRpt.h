#pragma once

#include <QString>

#include "ArchivoRpt.h"

// Turns the readable definition of a report into a report file. The definition is a text
// file read line by line; a line whose first visible character is "#" is a comment, words
// are separated by blanks and texts go in double quotes (\" and \\ inside them):
//
//   reporte "Título"
//   tabla 1 odbc "Origen de datos" base.tabla        (tables numbered 1, 2, ... in order;
//   tabla 2 archivo "datos.mdb" tabla                  "archivo": a local-file table)
//   formula NOMBRE [NOMBRE ...]                      (formulas that property 29 may set)
//   consulta                                         (the SQL, up to a line "fin";
//     SELECT ... FROM {T1} ...                        {Tn} is table n)
//   fin
//   pagina A4|A3|A5|Carta|Oficio horizontal|vertical [margen MM] [fuente "Familia"] [puntos P]
//   encabezado|pie SEGMENTO [SEGMENTO ...] [negrita] [puntos P]
//       SEGMENTO: izquierda|centro|derecha "texto" [vacio "texto si los campos salen vacíos"]
//   serie DESDE a HASTA si FORMULA#                  (the columns up to its "fin" repeat for
//     columna ...                                     each number n whose formula, # = n,
//   fin                                               was put)
//   columna "título" auto|resto [MM]|MM              (one block per column, its lines in
//     texto "plantilla" [csv "título"]                order: line 1, line 2, ...; "csv"
//     rotulo "texto fijo"                             names the value's CSV column)
//     numero CAMPO [decimales N] [csv "título"]
//     suma CAMPO# [decimales N] [csv "título"]       (sum of CAMPOn over the series shown)
//     vacia
//   fin
//   totales "rótulo"                                 (a row of column totals at the end)
//
// Texts hold fields as DisenoReporte.h describes. A failure is an ErrorReporte
// (DefinicionNoValida) whose text starts with the line number.
class CompiladorRpt
{
public:
    static ArchivoRpt Compila(const QString &cDefinicion);

    // Reads the definition file (UTF-8) and writes the report file.
    static void CompilaArchivo(const QString &cDefinicion, const QString &cSalida);
};
