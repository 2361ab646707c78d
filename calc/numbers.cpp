#include "calc/numbers.h"

#include <cstdint>

namespace idrovela {

namespace {

constexpr std::uint64_t kTwoPow53 = std::uint64_t{1} << 53;

}  // namespace

double Currency::toDouble() const {
    const bool negative = count_ < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(count_) : static_cast<std::uint64_t>(count_);
    double value = 0.0;
    if (magnitude <= kTwoPow53) {
        // Both operands are exact, so the one division rounds correctly.
        value = static_cast<double>(magnitude) / static_cast<double>(kScale);
    } else {
        // Beyond 2^53 the count itself would round first. The whole part (below 2^50) is exact,
        // and the fraction stays far from every rounding midpoint of the sum, so adding the
        // rounded fraction rounds as the exact value does.
        const auto whole = static_cast<double>(magnitude / kScale);
        const double fraction =
            static_cast<double>(magnitude % kScale) / static_cast<double>(kScale);
        value = whole + fraction;
    }
    return negative ? -value : value;
}

}  // namespace idrovela
