#pragma once

// The slow path: the same functions in 384-bit arithmetic (maths/big_float.h), decided by a
// rounding test of their own, for the inputs the fast path could not round.

#include "maths/big_float.h"
#include "maths/double_double.h"

namespace idrovela::maths::detail {

// e^z within 2^-350 of itself, for |z| <= 750.
[[nodiscard]] BigFloat ExpBig(const BigFloat& z);
// ln(x) within 2^-338 absolutely, for x > 0, from a guess within 2^-60 (the fast path's value).
[[nodiscard]] BigFloat LogBig(const BigFloat& x, DoubleDouble guess);

// The correctly rounded results; arguments as the fast paths leave them (finite, in range).
[[nodiscard]] double SlowExp(double x);
[[nodiscard]] double SlowLog(double x);
[[nodiscard]] double SlowLog1p(double x);
[[nodiscard]] double SlowLog10(double x);
// |x|^y for a finite x ≠ 0 and a finite y ≠ 0 whose result neither overflows nor underflows by
// far; the caller gives the sign.
[[nodiscard]] double SlowPow(double x, double y);

}  // namespace idrovela::maths::detail
