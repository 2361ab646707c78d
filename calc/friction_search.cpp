// The friction factor's stepping, found by a search over the step count instead of by taking
// every step.
//
// For Re > 0, eps >= 0 and D > 0 the computed difference falls strictly at every step while
// lambda is at most 1000: the true fall is at least 1,5e-9 per step and the rounding error of one
// difference below 1e-13. So the stepping never stops because the difference rose, only at the
// first step whose difference is negative, and whether step k is past that point can be asked
// of step k alone: its accumulated lambda comes from the binade table, and its difference from
// the same function the stepping calls. A guess from the continuous root, a gallop away from it
// and a bisection then find the step in a few differences, usually two.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>

#include "calc/colebrook.h"
#include "calc/first_step.h"
#include "calc/lambda_steps.h"
#include "calc/module_calcoli.h"
#include "calc/number_conversions.h"

namespace idrovela::Module_Calcoli {

namespace {

// The step at which the stepping would stop, guessed from the continuous root of
// g(x) = x - 1,74 + 2 log10(t + a x), with x = 1 / sqrt(lambda), t = 2 eps / D, a = 18,7 / Re.
// g rises with x and is concave, so Newton's method from a point left of the root climbs to it
// without passing it. The guess only chooses where the exact search starts: any arithmetic
// will do here, and a poor guess costs differences, never a different result.
std::int64_t GuessSteps(const ColebrookInputs& inputs, std::int64_t maxSteps) {
    const double t = 2.0 * inputs.roughnessMm / inputs.diameterMm;
    const double a = 18.7 / inputs.reynolds;
    const double twoOverLn10 = 2.0 / std::log(10.0);
    const auto g = [&](double x) { return x - 1.74 + twoOverLn10 * std::log(t + a * x); };

    // Start at lambda 1, left of most roots; else at the bound's lambda, and where g is not
    // negative there either, the root lies beyond the bound.
    double x = 1.0;
    double gx = g(x);
    if (!(gx < 0.0)) {
        x = 1.0 / std::sqrt(static_cast<double>(maxSteps) * kLambdaStep);
        gx = g(x);
        if (!(gx < 0.0)) {
            return maxSteps;
        }
    }
    // Near the root the error squares at each iteration, so a rise of a millionth of x leaves
    // x far closer to the root than one step of lambda.
    constexpr int kMostIterations = 100;
    for (int i = 0; i < kMostIterations; ++i) {
        const double slope = 1.0 + twoOverLn10 * a / (t + a * x);
        const double rise = -gx / slope;
        x += rise;
        if (!(rise > x * 1e-6)) {
            break;
        }
        gx = g(x);
    }
    const double steps = std::ceil(1.0 / (x * x) / kLambdaStep);
    if (!(steps > 1.0)) {
        return 1;
    }
    return steps < static_cast<double>(maxSteps) ? static_cast<std::int64_t>(steps) : maxSteps;
}

}  // namespace

double LambdaAfterSteps(std::int64_t steps) {
    const LambdaBinade& last = kLambdaBinades.back();
    if (steps < 1 || steps >= last.firstStep + last.steps) {
        throw std::out_of_range("LambdaAfterSteps: step count outside the binade table");
    }
    const auto after = std::upper_bound(
        kLambdaBinades.begin(), kLambdaBinades.end(), steps,
        [](std::int64_t step, const LambdaBinade& row) { return step < row.firstStep; });
    const LambdaBinade& row = *(after - 1);
    return row.firstLambda + static_cast<double>(steps - row.firstStep) * row.increment;
}

LambdaStepping SearchedLambda(Currency roughnessMm, Integer diameterMm, Currency reynolds,
                              std::int64_t maxSteps) {
    const bool differenceFalls =
        reynolds.count() > 0 && roughnessMm.count() >= 0 && diameterMm.value() > 0;
    if (!differenceFalls || maxSteps < 1 || maxSteps > kMaxLambdaSteps) {
        return SteppedLambda(roughnessMm, diameterMm, reynolds, maxSteps);
    }
    const ColebrookInputs inputs = ColebrookInputsOf(roughnessMm, diameterMm, reynolds);
    const auto stops = [&inputs](std::int64_t step) {
        return ColebrookDifference(LambdaAfterSteps(step), inputs) < 0.0;
    };
    const std::optional<std::int64_t> steps =
        FirstStoppingStep(GuessSteps(inputs, maxSteps), maxSteps, stops);
    if (!steps) {
        // The stepping would still be going at its last allowed step.
        Raise(ErrorCode::Overflow);
    }
    return {DoubleToCurrency(LambdaAfterSteps(*steps)), *steps};
}

}  // namespace idrovela::Module_Calcoli
