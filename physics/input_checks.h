#pragma once

// The checks every function of the engine makes on its inputs and results; each throws
// PhysicsError with a message that names the quantity (in Italian, as "Diametro interno") and
// what would be accepted.

#include <cmath>
#include <string_view>

namespace idrovela::physics {

// Not a NaN and not infinite.
void RequireFinite(double value, std::string_view quantity);

// Finite and above zero.
void RequirePositive(double value, std::string_view quantity, std::string_view unit);

// Finite and not below zero.
void RequireNotNegative(double value, std::string_view quantity, std::string_view unit);

// Reports the named figure as out of scale: it overflowed.
[[noreturn]] void ThrowOutOfScale(std::string_view figure);

// A result that must be finite: overflow is reported as the named figure being out of scale.
[[nodiscard]] inline double FiniteResult(double value, std::string_view figure) {
    if (!std::isfinite(value)) {
        ThrowOutOfScale(figure);
    }
    return value;
}

}  // namespace idrovela::physics
