#pragma once

#include <QString>

#include <functional>

class ControlReporte;
class Mensajes;
class ObjetosPrograma;
struct ParametrosRpt;

// Runs one report job through the report control of the window that asks for it: refreshes
// the ODBC data sources, points the report's tables at the host database, hands over the
// request's settings and formulas and the connection text, and starts the report.
//
// cArchivoDatos: the location given to every local-file table of the report.
// cTablas: the table mapping ("report table*real table;...", may be empty).
//
// alLeerDatos, when given, is called once the report has read its rows and before it is
// shown, printed or written (or when the job ends without that), so that the caller can let
// go of the tables it filled for it. It must not throw.
//
// The refresh of the ODBC data sources and the report's connection through them form one
// critical section among the copies of the program (BloqueoOdbc): when the lock cannot be had
// (another job holds it for too long, or its file cannot be opened) or the data sources cannot
// be written, that failure is shown and the report does not run, since it would read through
// data sources that may name another server.
//
// Every other failure is shown to the user as "Error no. N: description" and the job goes
// on with its next step, so the caller is never told whether the report ran. The request is
// not reset; ".rpt" may have been appended to its ArchivoRpt.
void ImprimeRpt(const QString &cArchivoDatos, const QString &cTablas, ParametrosRpt &parametros,
                ControlReporte &control, const ObjetosPrograma &objetos, Mensajes &mensajes,
                const std::function<void()> &alLeerDatos = {});
