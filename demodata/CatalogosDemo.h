#pragma once

#include "Azar.h"

#include <string>
#include <vector>

// Names and catalogues that make the demo data look like a Mexican hardware wholesaler.

struct LineaDeProducto
{
    int nId;
    const char *cNombre;
    const char *cPrefijoClave;           // start of the product codes of this line, e.g. "FER"
    std::vector<const char *> articulos; // e.g. "Martillo de uña"
    std::vector<const char *> variantes; // e.g. "16 oz"
    int nPrecioMinimo;                   // list price range, whole pesos
    int nPrecioMaximo;
};

const std::vector<LineaDeProducto> &LineasDeProducto();

// "Martillo de uña 16 oz": the n-th product of a line; different n give different
// descriptions within the line.
std::string DescripcionDeProducto(const LineaDeProducto &linea, int n);

// A business ("Abarrotes La Esperanza") or a person ("María Guadalupe Torres Ruiz").
std::string NombreDeCliente(Azar &azar);

// A person's full name, given names first.
std::string NombreDePersona(Azar &azar);

const char *CiudadAlAzar(Azar &azar);
