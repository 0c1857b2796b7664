#pragma once

#include <QString>

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
// Every failure is shown to the user as "Error no. N: description" and the job goes on
// with its next step, so the caller is never told whether the report ran. The request is
// not reset; ".rpt" may have been appended to its ArchivoRpt.
void ImprimeRpt(const QString &cArchivoDatos, const QString &cTablas, ParametrosRpt &parametros,
                ControlReporte &control, const ObjetosPrograma &objetos, Mensajes &mensajes);
