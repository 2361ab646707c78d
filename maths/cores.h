#pragma once

// The fast paths' kernels in double-double arithmetic, before rounding. Their error bounds are
// derived in the .cpp files and checked against the slow path by tests/maths.

#include "maths/double_double.h"

namespace idrovela::maths::detail {

// value·2^exponent.
struct ScaledDoubleDouble {
    DoubleDouble value;
    int exponent = 0;
};

// e^(z.hi + z.lo) for |z.hi| <= 746 and |z.lo| at most an ulp of z.hi: value in [0,99, 2),
// normalised, within kExpCoreError of the true value relative to it.
[[nodiscard]] ScaledDoubleDouble ExpCore(DoubleDouble z);
inline constexpr double kExpCoreError = 0x1p-102;

// ln(x.hi + x.lo) for a positive finite x.hi (subnormal too) and |x.lo| at most half an ulp of
// x.hi, with x.hi >= 2^-53 when x.lo is not 0. Normalised, within kLogCoreError of the true value
// relative to it.
[[nodiscard]] DoubleDouble LogCore(DoubleDouble x);
inline constexpr double kLogCoreError = 0x1p-101;

// The logarithm's reduction: ln(x) = offset + ln(1 + r), offset = e·ln 2 − ln(c) within 2^-105
// of itself and r exact, |r| <= 2^-9 (see log_core.cpp).
struct LogReduction {
    DoubleDouble offset;
    DoubleDouble r;
};
[[nodiscard]] LogReduction ReduceForLog(DoubleDouble x);

// A value with a bound on its error, fit for RoundIfDecided.
struct BoundedDoubleDouble {
    DoubleDouble value;
    double error = 0.0;
};
// ln(x) for a positive finite x with a cheaper series (log_core.cpp), and twice its error bound.
[[nodiscard]] BoundedDoubleDouble QuickLogCore(double x);

}  // namespace idrovela::maths::detail
