#pragma once

// Powers of two built from their bits, and exact scaling by them.

#include <bit>
#include <cstdint>

namespace idrovela::maths::detail {

// 2^e for -1074 <= e <= 1023 (subnormal below -1022).
[[nodiscard]] constexpr double PowerOfTwo(int e) {
    if (e < -1022) {
        return std::bit_cast<double>(std::uint64_t{1} << (e + 1074));
    }
    return std::bit_cast<double>(static_cast<std::uint64_t>(e + 1023) << 52);
}

// x·2^e, exact whenever the result is representable, and ±infinity past the largest double.
// Below -1074 it takes two roundings, so it is then only an approximation.
[[nodiscard]] constexpr double ScaleByPowerOfTwo(double x, int e) {
    while (e > 1023) {
        x = x * PowerOfTwo(1023);
        e -= 1023;
    }
    while (e < -1074) {
        x = x * PowerOfTwo(-537);
        e += 537;
    }
    return x * PowerOfTwo(e);
}

}  // namespace idrovela::maths::detail
