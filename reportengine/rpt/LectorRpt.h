#pragma once

#include <QByteArray>
#include <QString>

#include "ArchivoRpt.h"

// Reads a report file written by EscritorRpt (the format is described there). Every fault
// is an ErrorReporte with its own number: a missing or unreadable file, a file that is not a
// report of ours, one of a later version, one cut short, one changed or damaged.
class LectorRpt
{
public:
    static ArchivoRpt LeeArchivo(const QString &cRuta);
    static ArchivoRpt DeBytes(const QByteArray &bytes);
};
