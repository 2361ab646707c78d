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

}  // namespace idrovela::maths::detail
