#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "HostError.h"

// The number and description of the failure of an action; nothing when it does not fail.
struct Falla
{
    int nNumero = 0;
    QString cDescripcion;
};

inline std::optional<Falla> FallaDe(const std::function<void()> &accion)
{
    try {
        accion();
    } catch (const HostError &error) {
        return Falla{error.Numero(), error.Descripcion()};
    }
    return std::nullopt;
}

// The failure's number; 0 when the action does not fail.
inline int NumeroDeFalla(const std::function<void()> &accion)
{
    const std::optional<Falla> falla = FallaDe(accion);
    return falla ? falla->nNumero : 0;
}
