// With x = mx·2^ex and y = my·2^-k (mx, my odd, k >= 0 when y is not an integer),
//     x^y = (mx^(1/2^k))^my · 2^(ex·my/2^k),
// which is dyadic only when mx is a perfect 2^k-th power t^(2^k), 2^k divides ex, and t = 1 if
// my < 0 (1/t^n is not dyadic for an odd t > 1). Then x^y = t^my·2^P with t^my odd: exact or
// halfway when t^my < 2^54. Since mx < 2^53, t >= 3 allows 2^k <= 33 and my <= 34; t = 1 (x a
// power of two) allows any k up to 10 (|ex| <= 1074). An integer y is the case k = 0.

#include "maths/exact_power.h"

#include <bit>
#include <cstdint>

#include "maths/big_float.h"

namespace idrovela::maths::detail {
namespace {

struct OddTimesPowerOfTwo {
    std::uint64_t odd = 0;  // the odd factor of the magnitude
    int exponent = 0;
    bool negative = false;
};

// A nonzero finite double as odd·2^exponent.
OddTimesPowerOfTwo Decompose(double x) {
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074;
    if (biased != 0) {
        significand |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    const int zeros = std::countr_zero(significand);
    return {significand >> zeros, exponent + zeros, (bits >> 63) != 0};
}

// The integer square root of n when n is a perfect square, else 0.
std::uint64_t ExactSquareRoot(std::uint64_t n) {
    std::uint64_t low = 0;
    std::uint64_t high = std::uint64_t{1} << 27;  // n < 2^54
    while (low < high) {
        const std::uint64_t middle = (low + high + 1) / 2;
        if (middle * middle <= n) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low * low == n ? low : 0;
}

constexpr std::uint64_t kOddLimit = std::uint64_t{1} << 54;

}  // namespace

std::optional<double> ExactPower(double x, double y) {
    const OddTimesPowerOfTwo base = Decompose(x);
    const OddTimesPowerOfTwo exponent = Decompose(y);
    if (exponent.exponent > 20 || exponent.odd > (std::uint64_t{1} << 20)) {
        // |y| above 2^40 or so: a power of two beyond any double's range, or no exact result.
        return std::nullopt;
    }
    // y = n / 2^k, n odd.
    int k = 0;
    std::int64_t n = static_cast<std::int64_t>(exponent.odd);
    if (exponent.exponent >= 0) {
        n = n << exponent.exponent;
    } else {
        k = -exponent.exponent;
    }
    if (exponent.negative) {
        n = -n;
    }
    if (k > 10) {
        return std::nullopt;
    }
    std::uint64_t t = base.odd;
    for (int i = 0; i < k; ++i) {
        t = ExactSquareRoot(t);
        if (t == 0) {
            return std::nullopt;
        }
    }
    const int rootDivisor = 1 << k;
    if (base.exponent % rootDivisor != 0) {
        return std::nullopt;
    }
    const std::int64_t rootExponent = base.exponent / rootDivisor;
    if (t != 1 && (n < 0 || n > 40)) {
        return std::nullopt;
    }
    std::uint64_t odd = 1;
    if (t != 1) {
        for (std::int64_t i = 0; i < n; ++i) {
            odd = odd * t;
            if (odd >= kOddLimit) {
                return std::nullopt;
            }
        }
    }
    const std::int64_t power = rootExponent * n;
    if (power > 2000 || power < -2000) {
        // Far beyond the doubles (the fast path has decided these already).
        return std::nullopt;
    }
    return RoundExact(BigFromInteger(odd, static_cast<int>(power), false));
}

}  // namespace idrovela::maths::detail
