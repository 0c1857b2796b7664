#pragma once

#include <QString>

// A number as a plain SQL literal: digits, a point as the decimal separator whatever the
// user's locale, no grouping, no exponent.
QString NumeroSQL(double nValor);
