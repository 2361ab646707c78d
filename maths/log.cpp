#include <cmath>
#include <limits>

#include "maths/cores.h"
#include "maths/maths.h"
#include "maths/rounding.h"
#include "maths/slow_path.h"
#include "maths/tables.h"

namespace idrovela::maths {
namespace {

using detail::DoubleDouble;
using detail::LogCore;

// What the logarithms give outside the positive finite numbers: NaN below 0 (and for NaN),
// −infinity at 0, +infinity at +infinity; nothing for the rest.
std::optional<double> LogOfSpecial(double x) {
    if (std::isnan(x)) {
        return x + x;
    }
    if (x < 0.0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (x == 0.0) {
        return -std::numeric_limits<double>::infinity();
    }
    if (std::isinf(x)) {
        return x;
    }
    return std::nullopt;
}

// A first, cheaper try (QuickLogCore), good for most arguments.
std::optional<double> QuickLog(double x) {
    const detail::BoundedDoubleDouble ln = detail::QuickLogCore(x);
    return detail::RoundIfDecided(ln.value, ln.error);
}

}  // namespace

double Log(double x) {
    if (const std::optional<double> special = LogOfSpecial(x)) {
        return *special;
    }
    if (const std::optional<double> quick = QuickLog(x)) {
        return *quick;
    }
    const DoubleDouble ln = LogCore({x, 0.0});
    const double error = 2.0 * detail::kLogCoreError * std::abs(ln.hi);
    if (const std::optional<double> rounded = detail::RoundIfDecided(ln, error)) {
        return *rounded;
    }
    return detail::SlowLog(x);
}

double Log10(double x) {
    if (const std::optional<double> special = LogOfSpecial(x)) {
        return *special;
    }
    const DoubleDouble ln = LogCore({x, 0.0});
    // ln(x)·(1/ln 10), the constant to 2^-107 and the product within 2^-104.
    const DoubleDouble log10 =
        detail::Multiply(ln, {detail::kInverseLn10.hi, detail::kInverseLn10.lo});
    const double error = 2.0 * (detail::kLogCoreError + 0x1p-103) * std::abs(log10.hi);
    if (const std::optional<double> rounded = detail::RoundIfDecided(log10, error)) {
        return *rounded;
    }
    return detail::SlowLog10(x);
}

double Log1p(double x) {
    if (x == -1.0) {
        return -std::numeric_limits<double>::infinity();
    }
    if (x < -1.0 || std::isnan(x) || std::isinf(x)) {
        return *LogOfSpecial(x < -1.0 ? -1.0 : x);
    }
    // ln(1 + x) = x − x²/2 + … lies within a quarter ulp of x, and off the halfway points, for
    // |x| < 2^-54: x itself (±0 and subnormals included).
    if (std::abs(x) < 0x1p-54) {
        return x;
    }
    const DoubleDouble ln = LogCore(detail::TwoSum(1.0, x));
    const double error = 2.0 * detail::kLogCoreError * std::abs(ln.hi);
    if (const std::optional<double> rounded = detail::RoundIfDecided(ln, error)) {
        return *rounded;
    }
    return detail::SlowLog1p(x);
}

}  // namespace idrovela::maths
