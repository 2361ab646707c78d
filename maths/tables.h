#pragma once

// The constants and tables of the correctly rounded functions, written by
// scripts/make_maths_tables.py (mpmath at 400 bits) into tables.cpp.

#include <array>
#include <cstdint>

namespace idrovela::maths::detail {

// A value as hi + lo, hi the nearest double and lo the nearest double to the rest.
struct TwoDoubleEntry {
    double hi;
    double lo;
};

// A logarithm bucket: c near the reciprocal of the bucket's centre, with at most 24 significant
// bits, and -ln(c) as two doubles.
struct LogEntry {
    double c;
    double minusLogHi;
    double minusLogLo;
};

// A slow-path constant: 0.limbs × 2^exponent, limbs[0] the most significant.
struct BigConstant {
    std::array<std::uint32_t, 12> limbs;
    int exponent;
};

extern const std::array<double, 4> kExpStep;
extern const double kExpStepsPerUnit;
extern const std::array<TwoDoubleEntry, 256> kExpCoarse;
extern const std::array<TwoDoubleEntry, 256> kExpFine;
extern const std::array<double, 3> kLn2Parts;
extern const std::array<LogEntry, 512> kLogBuckets;
extern const TwoDoubleEntry kOneThird;
extern const TwoDoubleEntry kOneFifth;
extern const TwoDoubleEntry kOneSixth;
extern const TwoDoubleEntry kInverseLn10;
extern const BigConstant kBigLn2;
extern const BigConstant kBigInverseLn10;

}  // namespace idrovela::maths::detail
