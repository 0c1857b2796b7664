#pragma once

#include <QList>
#include <QString>

#include "../rpt/ArchivoRpt.h"

// The report's query made ready to run: each {Tn} becomes the location of table n, the one
// put through property 32 (index n - 1) or, when none was put, the one stored in the file.
// The query runs through the data source of the first table it names, so every table it
// reads must live on that server; their locations name their database.
class ConsultaReporte
{
public:
    // Throws ErrorReporte: UbicacionNoValida, or TablaNoSoportada for a local-file table.
    ConsultaReporte(const ArchivoRpt &archivo, const QList<QString> &ubicacionesAsignadas);

    const QString &Sql() const { return m_cSql; }
    const QString &OrigenDatos() const { return m_cOrigenDatos; }

    // What is wrong with a location ("base.tabla" or "tabla"); empty when nothing is.
    static QString ProblemaDeUbicacion(const QString &cUbicacion);
    // The location quoted for SQL: `base`.`tabla`.
    static QString Identificador(const QString &cUbicacion);

private:
    QString m_cSql;
    QString m_cOrigenDatos;
};
