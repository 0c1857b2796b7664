#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "FiltrosInforme.h"
#include "TablaDeFiltros.h"

class Connection;
class ObjetosPrograma;

// The report's formulas that name the filters in use in its header, with the names the host's
// tables give them, for each filter of TablaDeFiltros in its slots: the value as the invoices
// compare it (CLIENTE='C0001', VENDEDOR) and the name of its row (NOMBRECLIENTE,
// NOMBREVENDEDOR); a filter without a formula for its value (the product line) shows its name
// (LINEA) or, when the row has none, its value. A value that no row of its table has is said
// not to exist, in the header and in the list of unknown ones.
struct NombresDeFiltros
{
    struct Formula
    {
        int nRanura = 0;
        QString cTexto; // NOMBRE='value'
    };

    QList<Formula> formulas;  // in the order of their slots
    QStringList desconocidos; // "el cliente NOEXISTE no existe en la tabla clientes", one a filter

    // The header's words for a value that its table does not have.
    static inline const QString cNoExiste = QStringLiteral("(no existe)");

    // Values go into the lookups as FiltroVentas compares them: quoted literals escaped by the
    // connection's driver, numbers as numbers.
    static NombresDeFiltros Busca(const FiltrosInforme &filtros, const ObjetosPrograma &objetos, Connection &cnn);

    // The name that the filter's table gives the value: empty when its row has none, no value
    // when there is no row.
    static std::optional<QString> Nombre(const TablaDeFiltros::Filtro &filtro, const QString &cValor,
                                         const ObjetosPrograma &objetos, Connection &cnn);
};
