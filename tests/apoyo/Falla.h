#pragma once

#include <QString>

#include <functional>
#include <optional>

class HostError;

// The number and description of a failure, as the user would see them.
struct Falla
{
    int nNumero = 0;
    QString cDescripcion;
};

// The failure of an action: a HostError, or with FallaDe<ErrorReporte> one of the report
// control's; nothing when it does not fail. Another exception goes through.
template <class Error = HostError> std::optional<Falla> FallaDe(const std::function<void()> &accion)
{
    try {
        accion();
    } catch (const Error &error) {
        return Falla{error.Numero(), error.Descripcion()};
    }
    return std::nullopt;
}

// The failure's number; 0 when the action does not fail.
template <class Error = HostError> int NumeroDeFalla(const std::function<void()> &accion)
{
    const std::optional<Falla> falla = FallaDe<Error>(accion);
    return falla ? falla->nNumero : 0;
}
