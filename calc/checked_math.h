#pragma once

// Double arithmetic in which every step is checked: a division by zero raises Division by zero,
// an overflow or an invalid operation raises Overflow, and a logarithm of a non-positive value or
// a root of a negative value raises Invalid procedure call or argument. An underflow or an
// inexact result raises nothing. Each function is one IEEE operation, rounded to Double, so the
// formulas written with them keep their order of operations.

#include <cmath>

#include "calc/runtime_error.h"
#include "maths/maths.h"

namespace idrovela::checked {

namespace detail {
inline double Checked(double result) {
    if (!std::isfinite(result)) {
        Raise(ErrorCode::Overflow);
    }
    return result;
}
}  // namespace detail

[[nodiscard]] inline double Add(double a, double b) {
    return detail::Checked(a + b);
}
[[nodiscard]] inline double Sub(double a, double b) {
    return detail::Checked(a - b);
}
[[nodiscard]] inline double Mul(double a, double b) {
    return detail::Checked(a * b);
}

[[nodiscard]] inline double Div(double a, double b) {
    if (b == 0.0) {
        // 0 / 0 is an invalid operation, anything else over 0 a division by zero.
        Raise(a == 0.0 || std::isnan(a) ? ErrorCode::Overflow : ErrorCode::DivisionByZero);
    }
    return detail::Checked(a / b);
}

// base raised to exponent; a negative base with a fractional exponent (a root of a negative
// value) is an invalid argument, and zero raised to a negative power a division by zero.
[[nodiscard]] inline double Pow(double base, double exponent) {
    if (base < 0.0 && std::trunc(exponent) != exponent) {
        Raise(ErrorCode::InvalidProcedureCall);
    }
    if (base == 0.0 && exponent < 0.0) {
        Raise(ErrorCode::DivisionByZero);
    }
    return detail::Checked(maths::Pow(base, exponent));
}

// The natural logarithm.
[[nodiscard]] inline double Ln(double x) {
    if (!(x > 0.0)) {
        Raise(ErrorCode::InvalidProcedureCall);
    }
    return detail::Checked(maths::Log(x));
}

}  // namespace idrovela::checked
