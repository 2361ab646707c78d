#pragma once

// Error-free transformations of doubles (Knuth's TwoSum, Dekker's TwoProduct with Veltkamp's
// split): the rounded result of a sum or product together with its exact rounding error. They
// rely on every operation being rounded to double, as they are here (no contraction into fused
// multiply-adds, no extended precision).

namespace idrovela::physics {

// hi + lo, exactly, with hi the rounded value.
struct TwoDoubles {
    double hi = 0.0;
    double lo = 0.0;
};

// a + b exactly, for any finite a and b whose sum does not overflow.
[[nodiscard]] constexpr TwoDoubles TwoSum(double a, double b) {
    const double sum = a + b;
    const double bPart = sum - a;
    const double aPart = sum - bPart;
    const double error = (a - aPart) + (b - bPart);
    return {sum, error};
}

// The upper 26 bits of x and the rest, each exactly representable: x = hi + lo.
// Valid for |x| up to about 1e300, where 134217729·x would overflow.
[[nodiscard]] constexpr TwoDoubles Split(double x) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    const double scaled = kSplitter * x;
    const double hi = scaled - (scaled - x);
    const double lo = x - hi;
    return {hi, lo};
}

// a·b exactly, for |a| and |b| below about 1e300 and a product that neither overflows nor falls
// into the subnormal range.
[[nodiscard]] constexpr TwoDoubles TwoProduct(double a, double b) {
    const double product = a * b;
    const TwoDoubles aParts = Split(a);
    const TwoDoubles bParts = Split(b);
    double error = aParts.hi * bParts.hi - product;
    error = error + aParts.hi * bParts.lo;
    error = error + aParts.lo * bParts.hi;
    error = error + aParts.lo * bParts.lo;
    return {product, error};
}

// (numerator.hi + numerator.lo) / divisor to about twice double precision: the rounded quotient
// and a correction from its exact remainder.
[[nodiscard]] constexpr TwoDoubles Quotient(TwoDoubles numerator, double divisor) {
    const double quotient = numerator.hi / divisor;
    const TwoDoubles back = TwoProduct(quotient, divisor);
    const double remainder = (numerator.hi - back.hi) - back.lo;  // exact
    const double correction = (remainder + numerator.lo) / divisor;
    return {quotient, correction};
}

}  // namespace idrovela::physics
