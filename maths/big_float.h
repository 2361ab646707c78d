#pragma once

// The slow path's numbers: a sign, an exponent and 384 bits of significand in twelve 32-bit
// limbs, value = ±0.limbs × 2^exponent with the top bit set (all limbs 0 for zero). Products of
// limbs are taken in 64-bit integers, so the code is plain portable C++. Every operation
// truncates its exact result to 384 bits: an error below one unit of the last bit, 2^-383 of the
// result (of the larger operand for a sum whose terms cancel).

#include <array>
#include <cstdint>
#include <optional>

#include "maths/tables.h"

namespace idrovela::maths::detail {

inline constexpr int kLimbs = 12;
inline constexpr int kBigBits = 32 * kLimbs;

struct BigFloat {
    std::array<std::uint32_t, kLimbs> limbs{};
    int exponent = 0;
    bool negative = false;

    [[nodiscard]] bool IsZero() const { return limbs[0] == 0; }
};

[[nodiscard]] BigFloat BigFromDouble(double x);
// magnitude·2^exponent2, exactly.
[[nodiscard]] BigFloat BigFromInteger(std::uint64_t magnitude, int exponent2, bool negative);
[[nodiscard]] BigFloat BigFromConstant(const BigConstant& constant);
[[nodiscard]] BigFloat Negated(BigFloat x);
[[nodiscard]] BigFloat Scaled(BigFloat x, int powerOfTwo);
[[nodiscard]] BigFloat Add(const BigFloat& a, const BigFloat& b);
[[nodiscard]] BigFloat Subtract(const BigFloat& a, const BigFloat& b);
[[nodiscard]] BigFloat Multiply(const BigFloat& a, const BigFloat& b);
[[nodiscard]] BigFloat DivideBySmall(const BigFloat& a, std::uint32_t divisor);
// The value to about 60 bits, for |x| within the normal range of doubles.
[[nodiscard]] double Approximate(const BigFloat& x);

// The double nearest x when every value within 2^errorExponent of x rounds to it (no midpoint
// between two doubles lies that close), else nothing. Overflow gives ±infinity and the subnormal
// range is rounded on its own grid.
[[nodiscard]] std::optional<double> RoundIfDecided(const BigFloat& x, int errorExponent);
// x, known to be exact, rounded to nearest with ties to even.
[[nodiscard]] double RoundExact(const BigFloat& x);

}  // namespace idrovela::maths::detail
