#pragma once

#include <QtGlobal>

class QKeyEvent;

// The platform's key numbers, translated from and to Qt's keys in this one place.
namespace CodigosTecla {
constexpr qint16 Retroceso = 8;
constexpr qint16 Tabulador = 9;
constexpr qint16 Intro = 13;
constexpr qint16 Escape = 27;
constexpr qint16 FlechaArriba = 38;
constexpr qint16 FlechaAbajo = 40;

// The virtual-key code of a key-down event (0 for a key without one).
qint16 CodigoVirtual(const QKeyEvent &evento);
// The character code of a key-press event (0 when the key types no single character).
qint16 CodigoCaracter(const QKeyEvent &evento);
} // namespace CodigosTecla
