#pragma once

// Ziv's rounding test: a fast result hi + lo known to within an error bound is returned only when
// every value within the bound rounds to the same double; otherwise the caller takes the slow
// path.

#include <optional>

#include "maths/double_double.h"

namespace idrovela::maths::detail {

// The double nearest every value within `error` of v.hi + v.lo, if they share one. `error` must
// be at least twice the true bound and at least 2^-104·|v.hi| (so that v.lo ± error, rounded,
// still bounds the true value), and |v.lo| at most an ulp of v.hi.
[[nodiscard]] std::optional<double> RoundIfDecided(DoubleDouble v, double error);

// The same for (v.hi + v.lo)·2^e with v.hi in [0,99, 2) and e >= -1080, the result rounded on
// the subnormal grid below 2^-1022 and infinite past the largest double.
[[nodiscard]] std::optional<double> RoundScaledIfDecided(DoubleDouble v, double error, int e);

}  // namespace idrovela::maths::detail
