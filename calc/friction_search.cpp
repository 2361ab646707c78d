// The friction factor's stepping, found by a search over the step count instead of by taking
// every step.
//
// Write y = 1 / sqrt(lambda), t = 2 eps / D and a = 18,7 / Re, so that the difference is
// h(y) = y - 1,74 + 2 log10(t + a y), and y falls as the steps go on: by at least 1,5e-9 a step
// while lambda is at most 1000.
//
// - Re > 0: h rises with y by at least 1 wherever t + a y > 0, so the difference falls from the
//   first step on by at least 1,5e-9 a step, far above the rounding error of one difference
//   (below 1e-13; where t < 0, the error of t + a y and the fall both grow as 1 / (t + a y), and
//   the fall stays 1e8 times larger). The stepping then never stops because the difference
//   rose: it stops at the first step whose difference is negative, or raises Invalid procedure
//   call at the first step where t + a y is no longer positive, which only falls from there on.
// - Re < 0 (a < 0): h is concave with its top at y* = t / |a| - 0,8686, and the first step
//   only gets a difference when t + a y > 0 there, that is y* > 100 - 0,8686. Every later step
//   has y <= 70,7, where h rises with y by at least 0,97, so the difference falls from the
//   second step on as above. The first two steps are taken as the stepping takes them.
// - Re = 0 or D = 0: the first difference divides by zero.
//
// So whether step k is past the stopping point can be asked of step k alone: its accumulated
// lambda comes from the binade table, and its difference from the same function the stepping
// calls. A guess from the continuous root, a gallop away from it and a bisection then find the
// step in a few differences, usually two, at most about fifty.

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
#include "calc/runtime_error.h"
#include "maths/maths.h"

namespace idrovela::Module_Calcoli {

namespace {

// The step whose lambda is 1 / x², clamped to [1, maxSteps].
std::int64_t StepsAt(double x, std::int64_t maxSteps) {
    const double steps = std::ceil(1.0 / (x * x) / kLambdaStep);
    if (!(steps > 1.0)) {
        return 1;
    }
    return steps < static_cast<double>(maxSteps) ? static_cast<std::int64_t>(steps) : maxSteps;
}

// The step at which the stepping would stop, guessed from the continuous root of
// g(x) = x - 1,74 + 2 log10(t + a x), with x = 1 / sqrt(lambda), t = 2 eps / D, a = 18,7 / Re.
// For Re > 0, g rises with x and is concave where it is defined, so Newton's method from a
// point left of the root climbs to it without passing it; for Re < 0 it may go astray. The guess
// only chooses where the exact search starts: any arithmetic will do here, and a poor guess
// costs differences, never a different result.
std::int64_t GuessSteps(const ColebrookInputs& inputs, std::int64_t maxSteps) {
    const double t = 2.0 * inputs.roughnessMm / inputs.diameterMm;
    const double a = 18.7 / inputs.reynolds;
    const double twoOverLn10 = 2.0 / maths::Log(10.0);
    const auto g = [&](double x) { return x - 1.74 + twoOverLn10 * maths::Log(t + a * x); };

    // Start at lambda 1, left of most roots; else at the bound's lambda. With t < 0 and Re > 0,
    // g is defined only right of -t / a, where the stepping would raise: start no further left.
    // Where g is not negative at the start, the root lies beyond it.
    const double defined = t < 0.0 && a > 0.0 ? -t / a * (1.0 + 1e-9) : 0.0;
    double x = std::max(1.0, defined);
    double gx = g(x);
    if (!(gx < 0.0)) {
        x = std::max(1.0 / std::sqrt(static_cast<double>(maxSteps) * kLambdaStep), defined);
        gx = g(x);
        if (!(gx < 0.0)) {
            return StepsAt(x, maxSteps);
        }
    }
    // Near the root the error squares at each iteration; where g rises with a slope of at
    // least 1, a g above -1e-12 leaves x far closer to the root than one step of lambda. Next to
    // where g is defined, the first rises are small and grow tenfold and more at each iteration.
    constexpr int kMostIterations = 100;
    for (int i = 0; i < kMostIterations && gx < -1e-12; ++i) {
        const double slope = 1.0 + twoOverLn10 * a / (t + a * x);
        const double rise = -gx / slope;
        if (!(rise > 0.0)) {
            break;
        }
        x += rise;
        gx = g(x);
    }
    return StepsAt(x, maxSteps);
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
                              std::int64_t maxSteps, std::int64_t* differences) {
    if (reynolds.count() == 0 || diameterMm.value() == 0 || maxSteps < 2 ||
        maxSteps > kMaxLambdaSteps) {
        // One step raises, or the bound lies outside the binade table.
        return SteppedLambda(roughnessMm, diameterMm, reynolds, maxSteps, differences);
    }
    const ColebrookInputs inputs =
        ColebrookInputsOf(roughnessMm, diameterMm, reynolds, differences);
    const auto differenceAt = [&inputs](std::int64_t step) {
        return ColebrookDifference(LambdaAfterSteps(step), inputs);
    };
    const auto stepped = [](std::int64_t steps) -> LambdaStepping {
        return {DoubleToCurrency(LambdaAfterSteps(steps)), steps};
    };

    if (reynolds.count() < 0) {
        // The difference falls only from the second step on: the first two steps as the
        // stepping takes them, raising where it raises.
        const double first = differenceAt(1);
        if (first < 0.0) {
            return stepped(1);
        }
        const double second = differenceAt(2);
        if (second < 0.0 || second > first) {
            return stepped(2);
        }
    }

    // A step stops the stepping when its difference is negative or raises; the lowest step
    // seen to raise is kept, to raise its error again should the stepping end there.
    std::int64_t lowestRaising = maxSteps + 1;
    const auto stops = [&](std::int64_t step) {
        try {
            return differenceAt(step) < 0.0;
        } catch (const RuntimeError&) {
            lowestRaising = std::min(lowestRaising, step);
            return true;
        }
    };
    const std::optional<std::int64_t> steps =
        FirstStoppingStep(GuessSteps(inputs, maxSteps), maxSteps, stops);
    if (!steps) {
        // The stepping would still be going at its last allowed step.
        Raise(ErrorCode::Overflow);
    }
    if (*steps == lowestRaising) {
        static_cast<void>(differenceAt(*steps));  // raises, as that step of the stepping does
    }
    return stepped(*steps);
}

}  // namespace idrovela::Module_Calcoli
