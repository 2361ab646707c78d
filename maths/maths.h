#pragma once

// The exponential, the logarithms and the power, correctly rounded: each returns the double
// nearest the exact value (ties to even), for every input, on every machine, as plain IEEE double
// arithmetic without fused multiply-adds. The figures of the program are worked out with these
// instead of the C library's, whose last bit differs between libraries and processors.
//
// Special values follow C's functions (C99 Annex F): NaN in, NaN out; ±0, ±infinity, negative
// arguments of the logarithms (NaN), overflow to infinity and underflow to subnormals or zero. No
// function raises or sets errno: callers check finiteness.
//
// Each function first works in double-double with an error bound (a fast path within about
// 2^-100) and returns when every value within the bound rounds alike; otherwise, about once in
// 2^45 calls and for the exact halfway cases of Pow, it works again with 384-bit integers. The
// README's "Correctly rounded maths" and each file's comments give the method and the bounds.

namespace idrovela::maths {

[[nodiscard]] double Exp(double x);
// The natural logarithm.
[[nodiscard]] double Log(double x);
// ln(1 + x), exact near 0 where 1 + x would round.
[[nodiscard]] double Log1p(double x);
[[nodiscard]] double Log10(double x);
// x^y, with C's pow special cases; exact results (Pow(10, 2), Pow(2, -3), Pow(49, 0,5)) exactly,
// and results halfway between two doubles to the even one.
[[nodiscard]] double Pow(double x, double y);

}  // namespace idrovela::maths
