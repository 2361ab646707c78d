#pragma once

// Double-double arithmetic for the fast paths: a value held as hi + lo, two doubles. The
// error-free steps (Knuth's TwoSum, Dekker's FastTwoSum, Dekker's product with Veltkamp's split)
// give the exact rounding error of one addition or product. They rely on every operation being
// rounded to double as written: no contraction into fused multiply-adds (-ffp-contract=off), no
// extended precision. Every bound in the comments is for that arithmetic, round to nearest.

namespace idrovela::maths::detail {

struct DoubleDouble {
    double hi = 0.0;
    double lo = 0.0;
};

// a + b exactly.
[[nodiscard]] constexpr DoubleDouble TwoSum(double a, double b) {
    const double sum = a + b;
    const double bPart = sum - a;
    const double aPart = sum - bPart;
    return {sum, (a - aPart) + (b - bPart)};
}

// a + b exactly, for |a| >= |b| (or a = 0).
[[nodiscard]] constexpr DoubleDouble FastTwoSum(double a, double b) {
    const double sum = a + b;
    return {sum, b - (sum - a)};
}

// x = hi + lo with hi holding the upper 26 bits, for |x| < 2^995.
[[nodiscard]] constexpr DoubleDouble Split(double x) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    const double scaled = kSplitter * x;
    const double hi = scaled - (scaled - x);
    return {hi, x - hi};
}

// a·b exactly, given a split as Split(a) gives it; for a product neither overflowing nor below
// 2^-969.
[[nodiscard]] constexpr DoubleDouble TwoProductSplit(double a, DoubleDouble aParts, double b) {
    const double product = a * b;
    const DoubleDouble bParts = Split(b);
    double error = aParts.hi * bParts.hi - product;
    error = error + aParts.hi * bParts.lo;
    error = error + aParts.lo * bParts.hi;
    error = error + aParts.lo * bParts.lo;
    return {product, error};
}

[[nodiscard]] constexpr DoubleDouble TwoProduct(double a, double b) {
    return TwoProductSplit(a, Split(a), b);
}

// c·b exactly for a c of at most 26 significant bits, which is its own upper part.
[[nodiscard]] constexpr DoubleDouble TwoProductShort(double c, double b) {
    return TwoProductSplit(c, {c, 0.0}, b);
}

// a·b for double-doubles whose lo is at most an ulp of hi: relative error below 2^-104.
[[nodiscard]] constexpr DoubleDouble Multiply(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble product = TwoProduct(a.hi, b.hi);
    const double cross = a.hi * b.lo + a.lo * b.hi;
    return FastTwoSum(product.hi, product.lo + cross);
}

// a + b for |a.hi| >= |b.hi|, both lo at most an ulp of their hi.
[[nodiscard]] constexpr DoubleDouble AddLarger(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble sum = FastTwoSum(a.hi, b.hi);
    return FastTwoSum(sum.hi, sum.lo + (a.lo + b.lo));
}

}  // namespace idrovela::maths::detail
