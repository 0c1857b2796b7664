#pragma once

#include <QString>
#include <QVariant>

#include <functional>

#include "base/ErrorReporte.h"

// What the report control tells the one who runs a job while the report runs, as a control
// raises events: when its connection is open (the ODBC data sources have been read), and
// when every row is in memory (the tables it reads are no longer needed; the preview, the
// printer or the file come after). Either may be empty; neither may throw.
struct AvisosReporte
{
    std::function<void()> alConectar;
    std::function<void()> alLeerDatos;
};

// The properties of the report control, by dispatch identifier: the one place where their
// numbers are written. With every property at its reset value (0, empty) a run shows the
// preview; every run ends with all of them back at their reset values.
enum class PropiedadReporte : int {
    ArchivoReporte = 3,  // text: the report file (.rpt)
    ArchivoSalida = 12,  // text: the file for destination 2; .pdf, .csv or .xlsx says which kind
    TituloVentana = 13,  // text: the preview window's title; empty: the report's own
    Destino = 15,        // integer, DestinoReporte: where a run sends the report
    Accion = 17,         // integer: 1 runs the report with the settings made so far; 0 does nothing
    Conexion = 20,       // text: "SERVER=...;DB=...;UID=...;PWD=...;", over the ODBC data source's values
    Copias = 24,         // integer 0 to 999, 0 means 1 (printer)
    DobleCara = 25,      // integer: 0 the printer's own, 1 one side, 2 long edge, 3 short edge (printer)
    Formula = 29,        // indexed 0 to 20, text: Name='value'; empty empties the slot
    Impresora = 30,      // indexed 0 only, text: printer name; empty: the default printer
    UbicacionTabla = 32, // indexed 0 to 31, text: "base.tabla" of the report's table i + 1; empty: the file's
    Papel = 47,          // text: empty for the report's own, A3, A4, A5, Carta (Letter), Oficio (Legal)
    Paginas = 48,        // text: empty for all, "N" or "N-M" (printer, PDF)
    Bandeja = 49,        // text: empty, automatica, superior, inferior or manual (printer)
};

// The values of PropiedadReporte::Destino.
enum class DestinoReporte : int { Ventana = 0, Impresora = 1, Archivo = 2 };

// The report control as the report bridge sees it: properties put by dispatch identifier,
// plain or indexed. Each put takes effect or throws an ErrorReporte (its numbers are in
// CodigosErrorReporte.h); putting 1 into Accion runs the report with the settings made so
// far, telling avisos as it goes. An identifier that is not a PropiedadReporte fails too.
class ControlReporte
{
public:
    virtual ~ControlReporte() = default;
    virtual void PropertyPut(PropiedadReporte propiedad, const QVariant &valor) = 0;
    virtual void PropertyPutIndexed(PropiedadReporte propiedad, int nIndice, const QVariant &valor) = 0;
    // Who is told of the runs from now on; an empty one tells nobody.
    virtual void PonAvisos(const AvisosReporte &avisos) = 0;
};
