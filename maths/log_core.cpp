// ln(x) in double-double.
//
// Reduction: x = 2^e·m with m in [0,75, 1,5) (the significand in [1, 2), halved from 1,5 on),
// and c from the table bucket of m's top 9 bits, c near 1/m with at most 24 significant bits:
//     ln(x) = e·ln 2 − ln(c) + ln(1 + r),   r = c·m − 1,   |r| <= 2^-9.
// c·m is exact as two doubles (Dekker's product, c its own upper half), and c·m − 1 is exact
// (Sterbenz), so r is exact; a low part x.lo adds c·x.lo·2^-e, also exact. c is exactly 1 in the
// two buckets next to 1, so that no table term cancels against r near x = 1; elsewhere the terms
// cancel at most by a factor of about 2,5 (e = ±1 against ln(m)).
//
// ln(1 + r) = r·(1 + r·(−1/2 + r·(1/3 + r·(−1/4 + r·(1/5 + r·(−1/6 + r·H)))))), with
// H = 1/7 − r/8 + … − r⁵/12 in double (the first left-out term, r¹³/13, is below 2^-111 of r).
// H's error, below 2^-56, moves the result by r⁶ times it, below 2^-110 of r; the six outer
// steps are in double-double, each within about 2^-105.
//
// e·ln 2 is exact in its first two parts (42 bits each, |e| < 2^11) and the third, rounded, is
// below 2^-74; −ln(c) is held to 2^-107 (scripts/make_maths_tables.py). The sum's roundings, below
// 2^-105 of the largest term, times the cancellation factor, stay below 2^-102 of the result:
// kLogCoreError allows 2^-101.

#include <bit>
#include <cstdint>

#include "maths/cores.h"
#include "maths/scaling.h"
#include "maths/tables.h"

namespace idrovela::maths::detail {
namespace {

// c + r·a with r's upper part split once.
DoubleDouble HornerStep(DoubleDouble c, DoubleDouble r, DoubleDouble rParts, DoubleDouble a) {
    DoubleDouble product = TwoProductSplit(r.hi, rParts, a.hi);
    product.lo = product.lo + (r.hi * a.lo + r.lo * a.hi);
    const DoubleDouble sum = FastTwoSum(c.hi, product.hi);
    return FastTwoSum(sum.hi, sum.lo + (c.lo + product.lo));
}

// ln(1 + r) for |r| <= 2^-9.
DoubleDouble LogOnePlus(DoubleDouble r) {
    const DoubleDouble rParts = Split(r.hi);
    double h = r.hi * (-1.0 / 12.0);
    h = (h + 1.0 / 11.0) * r.hi;
    h = (h - 1.0 / 10.0) * r.hi;
    h = (h + 1.0 / 9.0) * r.hi;
    h = (h - 1.0 / 8.0) * r.hi;
    h = h + 1.0 / 7.0;
    DoubleDouble a = HornerStep({-kOneSixth.hi, -kOneSixth.lo}, r, rParts, {h, 0.0});
    a = HornerStep({kOneFifth.hi, kOneFifth.lo}, r, rParts, a);
    a = HornerStep({-0.25, 0.0}, r, rParts, a);
    a = HornerStep({kOneThird.hi, kOneThird.lo}, r, rParts, a);
    a = HornerStep({-0.5, 0.0}, r, rParts, a);
    a = HornerStep({1.0, 0.0}, r, rParts, a);
    return Multiply(r, a);
}

}  // namespace

LogReduction ReduceForLog(DoubleDouble x) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(x.hi);
    int e = 0;
    if (bits < (std::uint64_t{1} << 52)) {
        // Subnormal (x.lo is 0 then): scale into the normal range.
        bits = std::bit_cast<std::uint64_t>(x.hi * 0x1p54);
        e = -54;
    }
    e += static_cast<int>(bits >> 52) - 1023;
    const auto bucket = static_cast<std::size_t>((bits >> 43) & 511);
    std::uint64_t significandBits = (bits & ((std::uint64_t{1} << 52) - 1));
    if (bucket >= 256) {
        significandBits |= std::uint64_t{1022} << 52;  // m/2 in [0,75, 1)
        e += 1;
    } else {
        significandBits |= std::uint64_t{1023} << 52;  // m in [1, 1,5)
    }
    const double m = std::bit_cast<double>(significandBits);
    const LogEntry& entry = kLogBuckets[bucket];

    // r = c·(m + x.lo·2^-e) − 1, exactly, as two doubles.
    const DoubleDouble cm = TwoProductShort(entry.c, m);
    DoubleDouble r = TwoSum(cm.hi - 1.0, cm.lo);
    if (x.lo != 0.0) {
        const DoubleDouble clo = TwoProductShort(entry.c, x.lo * PowerOfTwo(-e));
        const DoubleDouble sum = TwoSum(r.hi, clo.hi);
        r = FastTwoSum(sum.hi, sum.lo + (r.lo + clo.lo));
    }
    // e·ln 2 − ln(c).
    const double ed = static_cast<double>(e);
    DoubleDouble scale = FastTwoSum(ed * kLn2Parts[0], ed * kLn2Parts[1]);
    scale.lo = scale.lo + ed * kLn2Parts[2];
    const DoubleDouble offset = TwoSum(scale.hi, entry.minusLogHi);
    return {{offset.hi, offset.lo + (scale.lo + entry.minusLogLo)}, r};
}

DoubleDouble LogCore(DoubleDouble x) {
    const LogReduction reduced = ReduceForLog(x);
    const DoubleDouble series = LogOnePlus(reduced.r);
    // e·ln 2 − ln(c) + ln(1 + r).
    const DoubleDouble sum = TwoSum(reduced.offset.hi, series.hi);
    return FastTwoSum(sum.hi, sum.lo + (reduced.offset.lo + series.lo));
}

// A first, cheaper try: ln(1 + r) = r + r²·Q(r) with r²·Q in double, Q = −1/2 + r/3 − … + r⁷/9
// by Estrin's scheme (the first term left out, r¹⁰/10, is below 2^-84 of r). r²·Q is within
// 2^-50 of itself (the roundings of r², Q and the product, the constants, and r.lo left out of
// r²), and the rest as in LogCore within 2^-101 of the result; the bound below allows twice
// both. Most results round at once; near x = 1, where r²·Q weighs most, about one in 30 goes on
// to the double-double path.
BoundedDoubleDouble QuickLogCore(double x) {
    const LogReduction reduced = ReduceForLog({x, 0.0});
    const double r = reduced.r.hi;
    const double r2 = r * r;
    const double q01 = -0.5 + r * (1.0 / 3.0);
    const double q23 = -0.25 + r * 0.2;
    const double q45 = -1.0 / 6.0 + r * (1.0 / 7.0);
    const double q67 = -0.125 + r * (1.0 / 9.0);
    const double q = q01 + r2 * (q23 + r2 * (q45 + r2 * q67));
    const double series = r2 * q;
    const DoubleDouble sum = TwoSum(reduced.offset.hi, r);
    const DoubleDouble ln =
        FastTwoSum(sum.hi, sum.lo + ((reduced.offset.lo + reduced.r.lo) + series));
    const double magnitude = ln.hi < 0.0 ? -ln.hi : ln.hi;
    const double seriesMagnitude = series < 0.0 ? -series : series;
    return {ln, 0x1p-48 * seriesMagnitude + 2.0 * kLogCoreError * magnitude};
}

}  // namespace idrovela::maths::detail
