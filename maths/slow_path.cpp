// The slow path, in BigFloat (384 bits, every operation truncated to within 2^-383 of its result).
//
// e^z: K = round(z/ln 2) and r = z − K·ln 2 (|r| <= 0,35; ln 2 held to 2^-384, so r is within
// about 2^-372), then e^r = (e^(r/2^16))^(2^16): the Taylor series of e^(r/2^16), |r/2^16| below
// 2^-17, summed until its terms fall below the last bit (about 22 terms), squared 16 times. Each
// squaring doubles the relative error, so the result is within 2^16 × 2^-378 < 2^-360 of e^r.
//
// ln(x): Newton's iteration for e^y = x, y ← y + x·e^-y − 1, whose error squares at each step
// (y = ln x + δ gives x·e^-y − 1 = −δ + δ²/2 − …). From the fast path's guess (within 2^-95)
// three steps leave the error of e^-y: about 2^-350 absolutely, below 2^-338 with the sums.
//
// x^y = e^(y·ln x): ln x within 2^-338 absolutely and |y·ln x| <= 750 with |ln x| >= 2^-54 keep
// y·ln x within 2^-274 absolutely, so x^y within 2^-270 of itself.
//
// No input is known to need more: the hardest doubles for e^x and ln x need about 2^-120, and a
// pow result that is not exact or halfway between doubles would need to come within 2^-270 of a
// halfway point. Exact and halfway powers are decided exactly first (maths/exact_power.h). Should
// a value still not be decided, it is rounded as it stands, never worked out again.

#include "maths/slow_path.h"

#include <cstdint>

#include "maths/cores.h"
#include "maths/exact_power.h"
#include "maths/tables.h"

namespace idrovela::maths::detail {
namespace {

constexpr int kHalvings = 16;

BigFloat One() {
    return BigFromInteger(1, 0, false);
}

double Decide(const BigFloat& value, int errorExponent) {
    if (const std::optional<double> rounded = RoundIfDecided(value, errorExponent)) {
        return *rounded;
    }
    return RoundExact(value);
}

}  // namespace

BigFloat ExpBig(const BigFloat& z) {
    const BigFloat ln2 = BigFromConstant(kBigLn2);
    const double approximate = Approximate(z) * 1.4426950408889634;  // 1/ln 2
    const auto k =
        static_cast<std::int64_t>(approximate < 0.0 ? approximate - 0.5 : approximate + 0.5);
    const BigFloat kBig = BigFromInteger(static_cast<std::uint64_t>(k < 0 ? -k : k), 0, k < 0);
    const BigFloat r = Subtract(z, Multiply(kBig, ln2));
    const BigFloat s = Scaled(r, -kHalvings);

    BigFloat sum = One();
    BigFloat term = One();
    for (std::uint32_t n = 1; n < 200; ++n) {
        term = DivideBySmall(Multiply(term, s), n);
        if (term.IsZero() || term.exponent < sum.exponent - kBigBits - 2) {
            break;
        }
        sum = Add(sum, term);
    }
    for (int i = 0; i < kHalvings; ++i) {
        sum = Multiply(sum, sum);
    }
    return Scaled(sum, static_cast<int>(k));
}

BigFloat LogBig(const BigFloat& x, DoubleDouble guess) {
    BigFloat y = Add(BigFromDouble(guess.hi), BigFromDouble(guess.lo));
    for (int step = 0; step < 3; ++step) {
        const BigFloat scaled = Multiply(x, ExpBig(Negated(y)));
        y = Add(y, Subtract(scaled, One()));
    }
    return y;
}

double SlowExp(double x) {
    const BigFloat value = ExpBig(BigFromDouble(x));
    return Decide(value, value.exponent - 350);
}

double SlowLog(double x) {
    return Decide(LogBig(BigFromDouble(x), LogCore({x, 0.0})), -338);
}

double SlowLog1p(double x) {
    const BigFloat onePlusX = Add(One(), BigFromDouble(x));
    return Decide(LogBig(onePlusX, LogCore(TwoSum(1.0, x))), -338);
}

double SlowLog10(double x) {
    const BigFloat ln = LogBig(BigFromDouble(x), LogCore({x, 0.0}));
    return Decide(Multiply(ln, BigFromConstant(kBigInverseLn10)), -339);
}

double SlowPow(double x, double y) {
    const double magnitude = x < 0.0 ? -x : x;
    if (const std::optional<double> exact = ExactPower(magnitude, y)) {
        return *exact;
    }
    const BigFloat ln = LogBig(BigFromDouble(magnitude), LogCore({magnitude, 0.0}));
    const BigFloat value = ExpBig(Multiply(ln, BigFromDouble(y)));
    return Decide(value, value.exponent - 270);
}

}  // namespace idrovela::maths::detail
