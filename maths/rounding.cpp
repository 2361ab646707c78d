#include "maths/rounding.h"

#include "maths/scaling.h"

namespace idrovela::maths::detail {

std::optional<double> RoundIfDecided(DoubleDouble v, double error) {
    // Rounding is monotonic: if the lowest and the highest value the bound allows round alike,
    // every value between them does, the true one among them.
    const double up = v.hi + (v.lo + error);
    const double down = v.hi + (v.lo - error);
    if (up == down) {
        return up;
    }
    return std::nullopt;
}

std::optional<double> RoundScaledIfDecided(DoubleDouble v, double error, int e) {
    if (e >= -1021) {
        // The result is normal (at least 0,99·2^-1021), so its grid is v's grid scaled.
        const std::optional<double> rounded = RoundIfDecided(v, error);
        if (!rounded) {
            return std::nullopt;
        }
        return ScaleByPowerOfTwo(*rounded, e);
    }
    // Below 2^-1021 the grid is the multiples of 2^-1074: count in those units, t = v·2^(e+1074)
    // below 2^53, and round t to an integer n. Both scalings are exact.
    const double scale = PowerOfTwo(e + 1074);
    const double tHi = v.hi * scale;
    const double tLo = v.lo * scale;
    const double tError = error * scale;
    constexpr double kTwo52 = 0x1p52;
    // t.hi rounded to an integer, ties to even; from 2^52 on it is one already.
    const double n = tHi >= kTwo52 ? tHi : (tHi + kTwo52) - kTwo52;
    const double d = tHi - n;  // exact, |d| <= 1/2
    // The distances from t to n + 1/2 and to n − 1/2. Each is exact or, when not small, rounded
    // with an error far below the margin asked for.
    const double toUpper = (0.5 - d) - tLo;
    const double toLower = (0.5 + d) + tLo;
    const double margin = tError * (1.0 + 0x1p-20);
    double count = 0.0;
    if (toUpper > margin && toLower > margin) {
        count = n;
    } else if (toUpper < -margin) {
        count = n + 1.0;
    } else if (toLower < -margin) {
        count = n - 1.0;
    } else {
        return std::nullopt;
    }
    return count * PowerOfTwo(-1074);
}

}  // namespace idrovela::maths::detail
