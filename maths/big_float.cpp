#include "maths/big_float.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <limits>

#include "maths/scaling.h"

namespace idrovela::maths::detail {
namespace {

using Limbs = std::array<std::uint32_t, kLimbs>;
// One guard limb for sums.
using WideLimbs = std::array<std::uint32_t, kLimbs + 1>;

// Shifts the significand left until its top bit is set; returns the shift, or -1 for zero.
template <std::size_t N>
int NormaliseLeft(std::array<std::uint32_t, N>& limbs) {
    std::size_t first = 0;
    while (first < N && limbs[first] == 0) {
        ++first;
    }
    if (first == N) {
        return -1;
    }
    const int bits = std::countl_zero(limbs[first]);
    const int shift = static_cast<int>(first) * 32 + bits;
    if (shift == 0) {
        return 0;
    }
    std::array<std::uint32_t, N> shifted{};
    for (std::size_t i = 0; i + first < N; ++i) {
        std::uint32_t value = limbs[i + first] << bits;
        if (bits > 0 && i + first + 1 < N) {
            value |= limbs[i + first + 1] >> (32 - bits);
        }
        shifted[i] = value;
    }
    limbs = shifted;
    return shift;
}

// The significand shifted right by `shift` bits into kLimbs + 1 limbs, truncated.
WideLimbs ShiftedRight(const Limbs& limbs, int shift) {
    WideLimbs result{};
    const int limbShift = shift / 32;
    const int bits = shift % 32;
    for (int i = kLimbs; i >= 0; --i) {
        const int source = i - limbShift;
        std::uint32_t value = 0;
        if (source >= 0 && source < kLimbs) {
            value = bits == 0 ? limbs[static_cast<std::size_t>(source)]
                              : limbs[static_cast<std::size_t>(source)] >> bits;
        }
        if (bits > 0 && source - 1 >= 0 && source - 1 < kLimbs) {
            value |= limbs[static_cast<std::size_t>(source - 1)] << (32 - bits);
        }
        result[static_cast<std::size_t>(i)] = value;
    }
    return result;
}

int CompareMagnitude(const BigFloat& a, const BigFloat& b) {
    if (a.exponent != b.exponent) {
        return a.exponent < b.exponent ? -1 : 1;
    }
    for (std::size_t i = 0; i < kLimbs; ++i) {
        if (a.limbs[i] != b.limbs[i]) {
            return a.limbs[i] < b.limbs[i] ? -1 : 1;
        }
    }
    return 0;
}

// Bit j of the significand, j = 0 the top one; 0 past the end.
int BitAt(const Limbs& limbs, int j) {
    if (j < 0 || j >= kBigBits) {
        return 0;
    }
    return static_cast<int>((limbs[static_cast<std::size_t>(j / 32)] >> (31 - j % 32)) & 1U);
}

// Whether any bit in [from, to] equals `value` (false for an empty range).
bool AnyBitEquals(const Limbs& limbs, int from, int to, int value) {
    for (int j = std::max(from, 0); j <= std::min(to, kBigBits - 1); ++j) {
        if (BitAt(limbs, j) == value) {
            return true;
        }
    }
    return false;
}

struct Rounding {
    int keptBits = 0;     // bits of the significand kept in the double, 0..53
    bool toZero = false;  // the value lies below half the smallest subnormal
    bool overflow = false;
};

// How x's significand is cut: 53 bits in the normal range, fewer among the subnormals.
Rounding RoundingOf(const BigFloat& x) {
    Rounding rounding;
    if (x.exponent > 1024) {
        rounding.overflow = true;
    } else if (x.exponent >= -1021) {
        rounding.keptBits = 53;
    } else if (x.exponent + 1074 >= 0) {
        rounding.keptBits = x.exponent + 1074;
    } else {
        rounding.toZero = true;
    }
    return rounding;
}

// The kept bits, plus one when rounding up, as the double it makes.
double Assemble(const BigFloat& x, int keptBits, bool up) {
    std::uint64_t kept = 0;
    for (int j = 0; j < keptBits; ++j) {
        kept = (kept << 1) | static_cast<std::uint64_t>(BitAt(x.limbs, j));
    }
    if (up) {
        ++kept;
    }
    const double magnitude = ScaleByPowerOfTwo(static_cast<double>(kept), x.exponent - keptBits);
    return x.negative ? -magnitude : magnitude;
}

double SignedZero(const BigFloat& x) {
    return x.negative ? -0.0 : 0.0;
}

}  // namespace

BigFloat BigFromInteger(std::uint64_t magnitude, int exponent2, bool negative) {
    BigFloat result;
    result.negative = negative;
    if (magnitude == 0) {
        return result;
    }
    const int leading = std::countl_zero(magnitude);
    const std::uint64_t top = magnitude << leading;
    result.limbs[0] = static_cast<std::uint32_t>(top >> 32);
    result.limbs[1] = static_cast<std::uint32_t>(top);
    result.exponent = exponent2 + 64 - leading;
    return result;
}

BigFloat BigFromDouble(double x) {
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const bool negative = (bits >> 63) != 0;
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent2 = -1074;
    if (biased != 0) {
        significand |= std::uint64_t{1} << 52;
        exponent2 = biased - 1075;
    }
    return BigFromInteger(significand, exponent2, negative);
}

BigFloat BigFromConstant(const BigConstant& constant) {
    BigFloat result;
    result.limbs = constant.limbs;
    result.exponent = constant.exponent;
    return result;
}

BigFloat Negated(BigFloat x) {
    x.negative = !x.negative;
    return x;
}

BigFloat Scaled(BigFloat x, int powerOfTwo) {
    x.exponent += powerOfTwo;
    return x;
}

BigFloat Add(const BigFloat& a, const BigFloat& b) {
    if (b.IsZero()) {
        return a;
    }
    if (a.IsZero()) {
        return b;
    }
    const bool aLarger = CompareMagnitude(a, b) >= 0;
    const BigFloat& large = aLarger ? a : b;
    const BigFloat& small = aLarger ? b : a;
    WideLimbs sum{};
    std::copy(large.limbs.begin(), large.limbs.end(), sum.begin());
    const WideLimbs addend = ShiftedRight(small.limbs, large.exponent - small.exponent);
    BigFloat result;
    result.negative = large.negative;
    result.exponent = large.exponent;
    if (large.negative == small.negative) {
        std::uint64_t carry = 0;
        for (int i = kLimbs; i >= 0; --i) {
            const auto k = static_cast<std::size_t>(i);
            const std::uint64_t total = std::uint64_t{sum[k]} + addend[k] + carry;
            sum[k] = static_cast<std::uint32_t>(total);
            carry = total >> 32;
        }
        if (carry != 0) {
            for (int i = kLimbs; i > 0; --i) {
                const auto k = static_cast<std::size_t>(i);
                sum[k] = (sum[k] >> 1) | (sum[k - 1] << 31);
            }
            sum[0] = (sum[0] >> 1) | 0x80000000U;
            ++result.exponent;
        }
    } else {
        std::int64_t borrow = 0;
        for (int i = kLimbs; i >= 0; --i) {
            const auto k = static_cast<std::size_t>(i);
            std::int64_t difference = std::int64_t{sum[k]} - addend[k] - borrow;
            borrow = difference < 0 ? 1 : 0;
            difference += borrow * (std::int64_t{1} << 32);
            sum[k] = static_cast<std::uint32_t>(difference);
        }
        const int shift = NormaliseLeft(sum);
        if (shift < 0) {
            return BigFloat{};
        }
        result.exponent -= shift;
    }
    std::copy(sum.begin(), sum.begin() + kLimbs, result.limbs.begin());
    return result;
}

BigFloat Subtract(const BigFloat& a, const BigFloat& b) {
    return Add(a, Negated(b));
}

BigFloat Multiply(const BigFloat& a, const BigFloat& b) {
    if (a.IsZero() || b.IsZero()) {
        return BigFloat{};
    }
    std::array<std::uint32_t, 2 * kLimbs> product{};
    for (int i = kLimbs - 1; i >= 0; --i) {
        std::uint64_t carry = 0;
        for (int j = kLimbs - 1; j >= 0; --j) {
            const auto k = static_cast<std::size_t>(i + j + 1);
            const std::uint64_t term = std::uint64_t{a.limbs[static_cast<std::size_t>(i)]} *
                                           b.limbs[static_cast<std::size_t>(j)] +
                                       product[k] + carry;
            product[k] = static_cast<std::uint32_t>(term);
            carry = term >> 32;
        }
        product[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(carry);
    }
    BigFloat result;
    result.negative = a.negative != b.negative;
    result.exponent = a.exponent + b.exponent - NormaliseLeft(product);
    std::copy(product.begin(), product.begin() + kLimbs, result.limbs.begin());
    return result;
}

BigFloat DivideBySmall(const BigFloat& a, std::uint32_t divisor) {
    if (a.IsZero()) {
        return a;
    }
    // One limb more than kept, so that the quotient still has kLimbs full limbs once normalised.
    WideLimbs quotient{};
    std::uint64_t remainder = 0;
    for (std::size_t i = 0; i <= kLimbs; ++i) {
        const std::uint64_t current = (remainder << 32) | (i < kLimbs ? a.limbs[i] : 0U);
        quotient[i] = static_cast<std::uint32_t>(current / divisor);
        remainder = current % divisor;
    }
    BigFloat result;
    result.negative = a.negative;
    result.exponent = a.exponent - NormaliseLeft(quotient);
    std::copy(quotient.begin(), quotient.begin() + kLimbs, result.limbs.begin());
    return result;
}

double Approximate(const BigFloat& x) {
    if (x.IsZero()) {
        return 0.0;
    }
    const std::uint64_t top = (std::uint64_t{x.limbs[0]} << 32) | x.limbs[1];
    const double magnitude = ScaleByPowerOfTwo(static_cast<double>(top), x.exponent - 64);
    return x.negative ? -magnitude : magnitude;
}

std::optional<double> RoundIfDecided(const BigFloat& x, int errorExponent) {
    if (x.IsZero()) {
        return std::nullopt;
    }
    const Rounding rounding = RoundingOf(x);
    if (rounding.overflow) {
        return x.negative ? -std::numeric_limits<double>::infinity()
                          : std::numeric_limits<double>::infinity();
    }
    if (rounding.toZero) {
        return SignedZero(x);
    }
    // Bit j weighs 2^(exponent − 1 − j); the error's bit is j = exponent − 1 − errorExponent.
    // Only bits strictly above it may decide.
    const int half = rounding.keptBits;
    const int lastDeciding = x.exponent - 2 - errorExponent;
    if (lastDeciding <= half) {
        return std::nullopt;
    }
    if (BitAt(x.limbs, half) == 1) {
        // At or above the midpoint: up once a deciding bit below it is set.
        if (AnyBitEquals(x.limbs, half + 1, lastDeciding, 1)) {
            return Assemble(x, rounding.keptBits, true);
        }
        return std::nullopt;
    }
    // Below the midpoint by more than the error once a deciding bit below it is clear.
    if (AnyBitEquals(x.limbs, half + 1, lastDeciding, 0)) {
        return Assemble(x, rounding.keptBits, false);
    }
    return std::nullopt;
}

double RoundExact(const BigFloat& x) {
    if (x.IsZero()) {
        return SignedZero(x);
    }
    const Rounding rounding = RoundingOf(x);
    if (rounding.overflow) {
        return x.negative ? -std::numeric_limits<double>::infinity()
                          : std::numeric_limits<double>::infinity();
    }
    if (rounding.toZero) {
        return SignedZero(x);
    }
    const int half = rounding.keptBits;
    if (BitAt(x.limbs, half) == 0) {
        return Assemble(x, rounding.keptBits, false);
    }
    if (AnyBitEquals(x.limbs, half + 1, kBigBits - 1, 1)) {
        return Assemble(x, rounding.keptBits, true);
    }
    // A tie: to the even neighbour (the last kept bit clear).
    const bool lastKeptOdd = half > 0 && BitAt(x.limbs, half - 1) == 1;
    return Assemble(x, rounding.keptBits, lastKeptOdd);
}

}  // namespace idrovela::maths::detail
