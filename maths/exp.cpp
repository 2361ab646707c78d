#include <cmath>
#include <limits>

#include "maths/cores.h"
#include "maths/maths.h"
#include "maths/rounding.h"
#include "maths/slow_path.h"

namespace idrovela::maths {

using detail::ExpCore;
using detail::ScaledDoubleDouble;

double Exp(double x) {
    if (std::isnan(x)) {
        return x + x;
    }
    // Past ln(largest double) = 709,7827… the result rounds to infinity, below
    // ln(2^-1075) = −745,1332… to zero; between, the grid of the result decides.
    if (x > 709.79) {
        return std::numeric_limits<double>::infinity();
    }
    if (x < -745.14) {
        return 0.0;
    }
    // e^x = 1 + x + x²/2 + … lies within half an ulp of 1 (and off the halfway points) for
    // |x| < 2^-54.
    if (std::abs(x) < 0x1p-54) {
        return 1.0;
    }
    const ScaledDoubleDouble e = ExpCore({x, 0.0});
    const double error = 2.0 * detail::kExpCoreError * e.value.hi;
    if (const std::optional<double> rounded =
            detail::RoundScaledIfDecided(e.value, error, e.exponent)) {
        return *rounded;
    }
    return detail::SlowExp(x);
}

}  // namespace idrovela::maths
