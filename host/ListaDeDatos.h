#pragma once

class Recordset;

// A list control that shows rows of a recordset (the window's data-bound combos): what the
// host's database object fills, without the host knowing the window's widgets.
class ListaDeDatos
{
public:
    virtual ~ListaDeDatos() = default;
    // Replaces the list with the recordset's rows from its current row to its end.
    virtual void LlenaCon(Recordset &rs) = 0;
};
