#pragma once

#include <QByteArray>
#include <QString>

#include "ArchivoRpt.h"

// Writes a report file (.rpt), the binary format of our report engine:
//
//   header      "ALMRPT" 0x1A 0x00, the format version (1 byte), the number of tables (1 byte)
//   directory   for each table, 60 bytes: the driver file "pdsodbc.dll" (ODBC) or "pdbdao.dll"
//               (local file), NUL, the data source, NUL, the location "database.table", NUL,
//               and NULs up to the 60 bytes
//   body        the rest of the file, escaped by CodificacionCuerpo: the layout's length
//               (4 bytes, little-endian), the layout, the first 8 bytes of its SHA-256
//   layout      title, query, formulas, page, header lines, footer lines, series, columns,
//               totals, in that order (see EscritorRpt.cpp); numbers 32-bit little-endian,
//               texts as length and UTF-8
//
// The directory is laid out for the report bridge, which finds the tables by scanning the
// raw bytes for a driver name and reads the second and third fields after it within a
// window of 60 bytes. So a table record must fit in those 60 bytes, and it fills them, so
// that the window never reaches the next record (the bridge would take an ODBC table
// followed by a local one for a local one). No other bytes of the file may hold "pd": the
// header has no letters p, the body is escaped, and the data source and location are
// checked here.
class EscritorRpt
{
public:
    static constexpr int nVentanaDelPuente = 60;

    // What keeps the table from being written so that the bridge reads it back exactly;
    // empty when nothing does.
    static QString ProblemaDeTabla(const TablaRpt &tabla);

    // Throws ErrorReporte (DefinicionNoValida) for a table that ProblemaDeTabla refuses or
    // for more than ArchivoRpt::nMaximoTablas tables.
    static QByteArray Bytes(const ArchivoRpt &archivo);

    // Writes the file atomically (a new file renamed over the old one); throws ErrorReporte
    // (SalidaNoEscrita) when it cannot.
    static void Escribe(const ArchivoRpt &archivo, const QString &cRuta);

    static QByteArray NombreDeControlador(TablaRpt::Tipo tipo);
};
