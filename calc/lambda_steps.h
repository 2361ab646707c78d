#pragma once

// The value lambda holds after k steps of the friction factor's stepping, which adds the Double
// 0,0001 to it k times, without making the k additions.
//
// Inside one binade [2^e, 2^(e+1)) every Double is a multiple of ulp = 2^(e-52), so adding
// 0,0001 to any of them moves it by the same whole number of ulps: 0,0001 rounded to a multiple
// of ulp. (A tie could only arise where 0,0001 is an odd multiple of ulp / 2; its lowest set bit
// is 2^-66, which puts that in [2^-13, 2^-12), a binade that holds the single value 0,0002.)
// So one row per binade, started by a real addition, gives every accumulated value exactly as
// first + (k - firstStep) * increment, a product and a sum that are both exact.

#include <array>
#include <cstddef>
#include <cstdint>

#include "calc/module_calcoli.h"

namespace idrovela::Module_Calcoli {

inline constexpr double kLambdaStep = 0.0001;

// The steps whose accumulated lambda lies in one binade.
struct LambdaBinade {
    std::int64_t firstStep = 0;
    double firstLambda = 0.0;
    double increment = 0.0;
    std::int64_t steps = 0;
};

namespace detail {

// The power of two at or below a positive x.
constexpr double BinadeStart(double x) {
    double start = 1.0;
    while (start > x) {
        start /= 2.0;
    }
    while (start * 2.0 <= x) {
        start *= 2.0;
    }
    return start;
}

// Calls visit with each binade's row, from the first step until the row that holds
// kMaxLambdaSteps.
template <typename Visit>
constexpr void ForEachLambdaBinade(Visit visit) {
    constexpr double kUlpOfOne = 0x1p-52;
    double first = 0.0 + kLambdaStep;
    std::int64_t firstStep = 1;
    while (firstStep <= kMaxLambdaSteps) {
        const double end = 2.0 * BinadeStart(first);
        const double ulp = BinadeStart(first) * kUlpOfOne;
        const double next = first + kLambdaStep;
        // Both differences are exact: their operands lie within a factor of two.
        const double increment = next - first;
        std::int64_t steps = 1;
        if (next < end) {
            const auto ulpsLeft = static_cast<std::int64_t>((end - first) / ulp);
            const auto ulpsPerStep = static_cast<std::int64_t>(increment / ulp);
            steps = (ulpsLeft + ulpsPerStep - 1) / ulpsPerStep;
        }
        visit(LambdaBinade{firstStep, first, increment, steps});
        const double last = first + static_cast<double>(steps - 1) * increment;
        first = last + kLambdaStep;
        firstStep += steps;
    }
}

constexpr std::size_t CountLambdaBinades() {
    std::size_t count = 0;
    ForEachLambdaBinade([&count](const LambdaBinade&) { ++count; });
    return count;
}

template <std::size_t Count>
constexpr std::array<LambdaBinade, Count> BuildLambdaBinades() {
    std::array<LambdaBinade, Count> rows{};
    std::size_t index = 0;
    ForEachLambdaBinade([&rows, &index](const LambdaBinade& row) { rows[index++] = row; });
    return rows;
}

}  // namespace detail

// One row per binade, in the order of the steps, up to the row that holds kMaxLambdaSteps.
inline constexpr auto kLambdaBinades = detail::BuildLambdaBinades<detail::CountLambdaBinades()>();

// The accumulated lambda after `steps` steps, for 1 <= steps <= kMaxLambdaSteps.
[[nodiscard]] double LambdaAfterSteps(std::int64_t steps);

}  // namespace idrovela::Module_Calcoli
