#pragma once

#include "calc/numbers.h"

namespace idrovela {

// Rounds to a whole number, half to even; a result outside the Integer range raises Overflow.
[[nodiscard]] Integer DoubleToInteger(double x);

// Rounds to a whole number, half to even; a result outside the Long range raises Overflow.
[[nodiscard]] Long DoubleToLong(double x);

// Rounds the exact value of x to four decimal places, half to even; outside the Currency range
// raises Overflow.
[[nodiscard]] Currency DoubleToCurrency(double x);

// x rounded to `digits` decimal places, half to even on the exact value of x, as the nearest
// Double: 0,125 gives 0,12 and 0,375 gives 0,38.
[[nodiscard]] double RoundToDigits(double x, int digits);

}  // namespace idrovela
