#pragma once

// The powers that are exact: x^y as a dyadic number T·2^P with T odd and below 2^54, which
// covers every result that is a double or lies halfway between two doubles.

#include <optional>

namespace idrovela::maths::detail {

// x^y rounded to nearest, ties to even, when x^y = T·2^P with an odd T < 2^54; nothing otherwise.
// For x > 0 finite and y finite.
[[nodiscard]] std::optional<double> ExactPower(double x, double y);

}  // namespace idrovela::maths::detail
