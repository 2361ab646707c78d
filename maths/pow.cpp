// x^y = e^(y·ln|x|): ln|x| in double-double within kLogCoreError of itself, y·ln|x| by Dekker's
// product (within 2^-104 more), e^z within kExpCoreError. An error δ of z moves e^z by δ of
// itself, so the result is within kExpCoreError + |z|·(kLogCoreError + 2^-104): for the largest
// |z| that does not overflow (about 745) some 2^-92, usually far less.

#include <cmath>
#include <cstdint>
#include <limits>

#include "maths/cores.h"
#include "maths/maths.h"
#include "maths/rounding.h"
#include "maths/slow_path.h"

namespace idrovela::maths {
namespace {

using detail::DoubleDouble;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool IsInteger(double y) {
    // Every double from 2^52 on is an integer; below, truncation through int64 tells.
    return std::abs(y) >= 0x1p52 || static_cast<double>(static_cast<std::int64_t>(y)) == y;
}

bool IsOddInteger(double y) {
    // Doubles from 2^53 on are even.
    return std::abs(y) < 0x1p53 && IsInteger(y) && (static_cast<std::int64_t>(y) & 1) != 0;
}

// C99 Annex F's cases: y = ±0, x = 1, NaNs, zeros, infinities and a negative x with a y that is
// not an integer. Nothing for a finite nonzero x (positive, or negative with an integer y) and a
// finite nonzero y.
std::optional<double> PowOfSpecial(double x, double y) {
    if (y == 0.0 || x == 1.0) {
        return 1.0;
    }
    if (std::isnan(x) || std::isnan(y)) {
        return x + y;
    }
    const bool oddY = IsOddInteger(y);
    if (x == 0.0) {
        if (y < 0.0) {
            return oddY ? std::copysign(kInfinity, x) : kInfinity;
        }
        return oddY ? x : 0.0;
    }
    if (std::isinf(y)) {
        const double magnitude = std::abs(x);
        if (magnitude == 1.0) {
            return 1.0;
        }
        return (magnitude < 1.0) == (y < 0.0) ? kInfinity : 0.0;
    }
    if (std::isinf(x)) {
        const double result = y > 0.0 ? kInfinity : 0.0;
        return x < 0.0 && oddY ? -result : result;
    }
    if (x < 0.0 && !IsInteger(y)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return std::nullopt;
}

}  // namespace

double Pow(double x, double y) {
    if (const std::optional<double> special = PowOfSpecial(x, y)) {
        return *special;
    }
    const bool negative = x < 0.0 && IsOddInteger(y);
    const double magnitude = std::abs(x);
    const DoubleDouble ln = detail::LogCore({magnitude, 0.0});
    // Far out of range (with room for the errors of this rough product): overflow or underflow.
    const double rough = y * ln.hi;
    if (rough > 710.0) {
        return negative ? -kInfinity : kInfinity;
    }
    if (rough < -746.0) {
        return negative ? -0.0 : 0.0;
    }
    DoubleDouble z = detail::TwoProduct(y, ln.hi);
    z = detail::FastTwoSum(z.hi, z.lo + y * ln.lo);
    const detail::ScaledDoubleDouble e = detail::ExpCore(z);
    const double relative =
        detail::kExpCoreError + std::abs(z.hi) * (detail::kLogCoreError + 0x1p-103);
    const double error = 2.0 * relative * e.value.hi;
    std::optional<double> result = detail::RoundScaledIfDecided(e.value, error, e.exponent);
    if (!result) {
        result = detail::SlowPow(magnitude, y);
    }
    return negative ? -*result : *result;
}

}  // namespace idrovela::maths
