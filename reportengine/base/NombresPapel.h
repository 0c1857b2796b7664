#pragma once

#include <QPageSize>
#include <QString>

#include <optional>

// The paper sizes a report or property 47 may name, in Spanish or English, ignoring case:
// A3, A4, A5, Carta (Letter), Oficio (Legal). Empty for any other name.
std::optional<QPageSize::PageSizeId> PapelPorNombre(const QString &cNombre);
