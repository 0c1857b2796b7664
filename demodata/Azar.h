#pragma once

#include <cstdint>
#include <iterator>
#include <random>

// Deterministic random numbers for the demo data. Built only on the raw outputs of
// std::mt19937, whose sequence is fixed by the C++ standard, so the same seed gives the
// same data with any compiler or library (std distributions do not promise that).
class Azar
{
public:
    explicit Azar(std::uint32_t semilla) : motor(semilla) {}

    // Whole number between minimo and maximo, both included (range of at most 2^32 values).
    std::int64_t entre(std::int64_t minimo, std::int64_t maximo)
    {
        const auto cuantos = static_cast<std::uint64_t>(maximo - minimo + 1);
        return minimo + static_cast<std::int64_t>((static_cast<std::uint64_t>(motor()) * cuantos) >> 32);
    }

    // True with a probability of milesimas / 1000.
    bool porMil(int milesimas) { return entre(0, 999) < milesimas; }

    template <typename Lista> const auto &elige(const Lista &opciones)
    {
        return opciones[static_cast<std::size_t>(entre(0, static_cast<std::int64_t>(std::size(opciones)) - 1))];
    }

private:
    std::mt19937 motor;
};
