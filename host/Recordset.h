#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <memory>

// The rows of a query, read forward, as the host library hands them out. A recordset
// opened on a table expression without a field list also accepts new rows.
class Recordset
{
public:
    Recordset() = default;

    // An executed query on the database `base`; with a table name, the recordset accepts new
    // rows, which go into that table.
    static Recordset DeConsulta(const QSqlDatabase &base, QSqlQuery consulta, const QString &cTablaNuevasFilas = {});

    bool EstaAbierto() const;
    void Cierra();

    bool FinDeFilas() const; // no current row
    void Siguiente();        // to the next row
    QVariant Campo(const QString &cNombre) const;
    QVariant Campo(int nPosicion) const;
    int NumeroDeCampos() const;
    QString NombreCampo(int nPosicion) const;

    // A new row: AgregaFila, then AsignaCampo for each field, then GuardaFila inserts it.
    void AgregaFila();
    void AsignaCampo(const QString &cNombre, const QVariant &valor);
    void GuardaFila();

private:
    struct Estado;
    std::shared_ptr<Estado> d;
    Estado &Abierto() const;
};
