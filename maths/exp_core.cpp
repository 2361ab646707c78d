// e^z in double-double.
//
// Reduction: K = round(z·65536/ln 2) = 65536·e + 256·j1 + j2, and
//     e^z = 2^e · 2^(j1/256) · 2^(j2/65536) · e^r,   r = z − K·ln(2)/65536,   |r| <= 2^-17,5.
// ln(2)/65536 is held in four parts, the first three of 26 bits, so that K·part is exact for
// |K| < 2^27 (|z| <= 746): z.hi − K·part0 is exact (Sterbenz), the next two parts are taken off
// with TwoSum, and only K·part3 (below 2^-67) is rounded. r comes out as two doubles within about
// 2^-120 of the true r (the four parts hold ln(2)/65536 to 2^-131 of itself).
//
// e^r − 1 = r + r²/2 + r³/6 + r⁴/24 + r⁵/120 to within r⁶/720 < 2^-114: r + r²/2 in double-double
// (r² exact by Dekker's product), the rest, below 2^-55, in double with an error below 2^-106.
//
// The two tables hold 2^(j/256) and 2^(j/65536) as two doubles each (to 2^-107 of themselves,
// scripts/make_maths_tables.py); their product in double-double is within about 2^-105. The
// result T·(1 + p) = T + T·p with T·p by Dekker's product. The errors add up to below 2^-103 of
// the result: kExpCoreError allows 2^-102.

#include <cstdint>

#include "maths/cores.h"
#include "maths/tables.h"

namespace idrovela::maths::detail {

ScaledDoubleDouble ExpCore(DoubleDouble z) {
    // Adding and taking off 1,5·2^52 rounds to an integer, ties to even, for |values| < 2^51.
    constexpr double kShifter = 0x1.8p52;
    const double steps = (z.hi * kExpStepsPerUnit + kShifter) - kShifter;
    const auto k = static_cast<std::int64_t>(steps);

    // r = z − K·ln(2)/65536 as two doubles.
    const double a = z.hi - steps * kExpStep[0];
    const DoubleDouble b = TwoSum(a, -(steps * kExpStep[1]));
    const DoubleDouble c = TwoSum(b.hi, -(steps * kExpStep[2]));
    const DoubleDouble d = TwoSum(c.hi, z.lo);
    const double rest = d.lo + ((c.lo + b.lo) - steps * kExpStep[3]);
    const DoubleDouble r = TwoSum(d.hi, rest);

    // p = e^r − 1.
    const DoubleDouble square = TwoProduct(r.hi, r.hi);
    constexpr double kSixth = 1.0 / 6.0;
    constexpr double kTwentyFourth = 1.0 / 24.0;
    constexpr double kOneHundredTwentieth = 1.0 / 120.0;
    double tail = r.hi * kOneHundredTwentieth;
    tail = tail + kTwentyFourth;
    tail = tail * r.hi;
    tail = tail + kSixth;
    tail = tail * (r.hi * square.hi);
    const double cross = r.hi * r.lo;
    const DoubleDouble lead = FastTwoSum(r.hi, 0.5 * square.hi);
    const double pLo = lead.lo + (r.lo + (0.5 * square.lo + (cross + tail)));
    const DoubleDouble p{lead.hi, pLo};

    // T = 2^(j1/256)·2^(j2/65536).
    const TwoDoubleEntry& coarse = kExpCoarse[static_cast<std::size_t>((k >> 8) & 255)];
    const TwoDoubleEntry& fine = kExpFine[static_cast<std::size_t>(k & 255)];
    DoubleDouble t = TwoProduct(coarse.hi, fine.hi);
    t = FastTwoSum(t.hi, t.lo + (coarse.hi * fine.lo + coarse.lo * fine.hi));

    // T + T·p.
    DoubleDouble tp = TwoProduct(t.hi, p.hi);
    tp.lo = tp.lo + (t.hi * p.lo + t.lo * p.hi);
    const DoubleDouble sum = FastTwoSum(t.hi, tp.hi);
    const DoubleDouble value = FastTwoSum(sum.hi, sum.lo + (t.lo + tp.lo));
    return {value, static_cast<int>(k >> 16)};
}

}  // namespace idrovela::maths::detail
