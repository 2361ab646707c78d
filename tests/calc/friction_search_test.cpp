// The friction factor found by searching its step count, against the stepping it stands in for.
//
// IDROVELA_FRICTION_LONG=N makes the comparison long: N random inputs with bounds up to the full
// 10 000 000 steps, and the stepping for every edge case, however many steps it takes.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <random>
#include <stdexcept>

#include "calc/colebrook.h"
#include "calc/first_step.h"
#include "calc/lambda_steps.h"
#include "calc/module_calcoli.h"
#include "calc/number_conversions.h"
#include "calc/text_conversions.h"
#include "tests/support/values.h"

namespace idrovela::Module_Calcoli {
namespace {

using test::C;
using test::I;

constexpr int kOverflow = ErrorNumber(ErrorCode::Overflow);

// The number of random inputs of the long comparison, or 0 for the regular run.
std::int64_t LongComparisonInputs() {
    const char* text = std::getenv("IDROVELA_FRICTION_LONG");
    return text == nullptr ? 0 : std::strtoll(text, nullptr, 10);
}

// A friction factor with its step count, or the number of the error that ended it.
struct Outcome {
    std::int64_t lambdaCount = 0;
    std::int64_t steps = 0;
    int error = 0;
    friend bool operator==(const Outcome&, const Outcome&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Outcome& o) {
        if (o.error != 0) {
            return out << "error " << o.error;
        }
        return out << o.steps << " steps, lambda count " << o.lambdaCount;
    }
};

template <typename Compute>
Outcome OutcomeOf(Compute compute) {
    try {
        const LambdaStepping found = compute();
        return {found.lambda.count(), found.steps, 0};
    } catch (const RuntimeError& error) {
        return {0, 0, error.number()};
    }
}

struct Input {
    Currency roughness;
    Integer diameter;
    Currency reynolds;
    friend std::ostream& operator<<(std::ostream& out, const Input& in) {
        return out << "eps " << NumberToText(in.roughness) << ", D " << in.diameter.value()
                   << ", Re " << NumberToText(in.reynolds);
    }
};

Outcome Stepped(const Input& in, std::int64_t maxSteps) {
    return OutcomeOf(
        [&] { return SteppedLambda(in.roughness, in.diameter, in.reynolds, maxSteps); });
}
Outcome Searched(const Input& in, std::int64_t maxSteps) {
    return OutcomeOf(
        [&] { return SearchedLambda(in.roughness, in.diameter, in.reynolds, maxSteps); });
}
// What the window gets: the root check, then the search.
Outcome Computed(const Input& in) {
    return OutcomeOf([&] { return LambdaAndSteps(in.roughness, in.diameter, in.reynolds); });
}

double DifferenceAfter(const Input& in, std::int64_t steps) {
    return ColebrookDifference(LambdaAfterSteps(steps),
                               ColebrookInputsOf(in.roughness, in.diameter, in.reynolds));
}

TEST(LambdaAfterSteps, EqualsTheRealAccumulationAtEveryStepUpToTheBound) {
    double lambda = 0.0;
    std::int64_t wrong = 0;
    for (std::int64_t steps = 1; steps <= kMaxLambdaSteps; ++steps) {
        lambda += kLambdaStep;
        if (LambdaAfterSteps(steps) != lambda && ++wrong <= 5) {
            ADD_FAILURE() << "step " << steps;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(kLambdaBinades.size(), 24U);
    EXPECT_EQ(DoubleToCurrency(lambda), Currency::fromWhole(1000));
    EXPECT_THROW(static_cast<void>(LambdaAfterSteps(0)), std::out_of_range);
}

// Each row with the stepping's outcome, recorded once; the regular run steps only the rows that
// are quick to step, and the long comparison steps them all.
TEST(SearchedLambda, MatchesTheSteppingOnEdgeCases) {
    constexpr std::int64_t kQuickToStep = 200'000;
    const struct {
        const char* roughness;
        std::int16_t diameter;
        const char* reynolds;
        Outcome stepping;
    } cases[] = {
        // The worked examples.
        {"0,0015", 37, "934,777", {643, 643, 0}},
        {"0,007", 37, "934,777", {644, 644, 0}},
        {"0,045", 37, "934,777", {650, 650, 0}},
        {"0,3", 37, "934,777", {690, 690, 0}},
        {"0", 37, "934,777", {643, 643, 0}},
        {"0,045", 37, "95000", {230, 230, 0}},
        {"0,045", 37, "3000", {447, 447, 0}},
        {"0,045", 20, "50000", {271, 271, 0}},
        {"0,045", 37, "601,8397", {764, 764, 0}},
        // Extremes of the inputs.
        {"0", 1, "922337203685477,5807", {15, 15, 0}},
        {"0,045", 32767, "934,777", {643, 643, 0}},
        {"0", 32767, "1", {122769, 122769, 0}},
        {"0,045", 37, "7,5", {10605, 10605, 0}},
        {"130", 37, "934,777", {4656369, 4656369, 0}},
        {"0,045", 37, "0,0001", {0, 0, kOverflow}},
        {"922337203685477,5807", 1, "934,777", {0, 0, kOverflow}},
        // Both sides of the bound: the 10 000 000th step finishes, one more would not.
        {"132,2275", 37, "931,9574", {10000000, 10000000, 0}},
        {"132,2275", 37, "931,9573", {0, 0, kOverflow}},
        // Both sides of the roughness beyond which there is no root at all.
        {"137,1", 37, "934,777", {0, 0, kOverflow}},
        {"137,2", 37, "934,777", {0, 0, kOverflow}},
        // Zero inputs raise at the first step.
        {"0,045", 0, "934,777", {0, 0, ErrorNumber(ErrorCode::DivisionByZero)}},
        {"0", 0, "934,777", {0, 0, kOverflow}},
        {"0,045", 37, "0", {0, 0, ErrorNumber(ErrorCode::DivisionByZero)}},
        // A negative Reynolds number: the logarithm's argument is not positive at the first
        // step, or the difference falls from the second step on, to a result, to the bound, or
        // to the step where it turns negative after millions of steps.
        {"0,045", 37, "-934,777", {0, 0, ErrorNumber(ErrorCode::InvalidProcedureCall)}},
        {"50", 37, "-934,777", {12853, 12853, 0}},
        {"1", 2, "-1879,35", {3246, 3246, 0}},
        {"0,0001", 32767, "-306371450000", {2, 2, 0}},  // the argument is tiny: it rose
        {"0,045", 37, "-1000000", {204, 204, 0}},
        {"130", 37, "-934777", {4633404, 4633404, 0}},
        {"140", 37, "-934777", {0, 0, kOverflow}},
        // A negative roughness or diameter: the logarithm's argument falls to 0 as lambda grows,
        // and the stepping raises where it is no longer positive, unless the difference turned
        // negative first; after millions of steps when the flow is viscous.
        {"-0,045", 37, "934,777", {636, 636, 0}},
        {"0,045", -37, "934,777", {636, 636, 0}},
        {"-0,045", -37, "934,777", {650, 650, 0}},
        {"-0,05", 2, "1870", {291, 291, 0}},
        {"-0,8", 2, "1870", {0, 0, ErrorNumber(ErrorCode::InvalidProcedureCall)}},
        {"-0,0001", 37, "0,5", {371393, 371393, 0}},
        {"-0,0001", 37, "0,05", {0, 0, kOverflow}},
    };
    // The stepping is compared up to a bound that it reaches quickly, and beyond that the
    // recorded outcome stands for it.
    const std::int64_t comparedUpTo = LongComparisonInputs() > 0 ? kMaxLambdaSteps : kQuickToStep;
    for (const auto& c : cases) {
        const Input in{C(c.roughness), I(c.diameter), C(c.reynolds)};
        SCOPED_TRACE(::testing::Message() << in);
        const Outcome computed = Computed(in);
        EXPECT_EQ(computed, c.stepping);
        if (!ColebrookHasNoRoot(in.roughness, in.diameter, in.reynolds)) {
            EXPECT_EQ(Searched(in, kMaxLambdaSteps), computed);
        }
        EXPECT_EQ(Searched(in, comparedUpTo), Stepped(in, comparedUpTo));
        // The bound at the result, and the one below it.
        for (const std::int64_t bound : {computed.steps - 1, computed.steps}) {
            if (computed.error == 0 && computed.steps <= kQuickToStep && bound >= 1) {
                EXPECT_EQ(Searched(in, bound), Stepped(in, bound)) << "bound " << bound;
            }
        }
    }
}

// Random inputs with Re > 0, eps >= 0 and D > 0, from those the window meets to the far ends of
// every range; and the same with any signs.
class RandomInputs {
  public:
    explicit RandomInputs(std::uint64_t seed) : engine_(seed) {}

    Input Next() {
        if (Uniform() < 0.6) {  // turbulent flows: Re 2·10^4 to 10^9, eps to 1 mm, D to 2 m
            return {Roughness(1e4), Diameter(2000), Count(2e8, 1e13)};
        }
        // Re from 0,0001 to 10^12, eps to 1 km, D to 32,767 m.
        return {Roughness(1e10), Diameter(32767), Count(1, 1e16)};
    }

    // Re, eps and D each negative one time in two, and 0 one time in fifty.
    Input Signed() {
        const Input in = Next();
        return {Signed(in.roughness), Signed(in.diameter), Signed(in.reynolds)};
    }

    // A whole number spread evenly in logarithm between low and high.
    std::int64_t LogUniform(double low, double high) {
        const double logarithm = std::log(low) + Uniform() * (std::log(high) - std::log(low));
        return std::llround(std::exp(logarithm));
    }

  private:
    double Uniform() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }
    Currency Count(double low, double high) { return Currency::fromCount(LogUniform(low, high)); }
    Currency Roughness(double highCount) {
        return Uniform() < 0.1 ? Currency{} : Count(1, highCount);
    }
    // -1, 0 or 1: 0 one time in fifty, -1 one time in two.
    int Sign() {
        const double pick = Uniform();
        return pick < 0.02 ? 0 : pick < 0.51 ? -1 : 1;
    }
    Currency Signed(Currency value) { return Currency::fromCount(Sign() * value.count()); }
    Integer Signed(Integer value) {
        return Integer(static_cast<std::int16_t>(Sign() * value.value()));
    }
    Integer Diameter(double high) {
        return Integer(static_cast<std::int16_t>(LogUniform(1, high)));
    }

    std::mt19937_64 engine_;
};

// Every first step and every guess in small ranges, and random ones up to the full bound: the
// step found, the calls made (two for a right guess, about 2 log2 of the miss otherwise), and no
// call outside [1, maxSteps].
TEST(FirstStoppingStep, FindsTheFirstStoppingStepFromAnyGuess) {
    const auto check = [](std::int64_t first, std::int64_t guess, std::int64_t maxSteps) {
        std::int64_t calls = 0;
        const auto stops = [&](std::int64_t step) {
            ++calls;
            EXPECT_TRUE(step >= 1 && step <= maxSteps) << step;
            return step >= first;
        };
        const std::optional<std::int64_t> found = FirstStoppingStep(guess, maxSteps, stops);
        const auto miss = static_cast<std::uint64_t>(first > guess ? first - guess : guess - first);
        EXPECT_EQ(found, first <= maxSteps ? std::optional(first) : std::nullopt)
            << "first " << first << ", guess " << guess << ", bound " << maxSteps;
        EXPECT_LE(calls, miss == 0 ? 2 : 2 * std::bit_width(miss) + 2)
            << "first " << first << ", guess " << guess << ", bound " << maxSteps;
    };
    for (std::int64_t maxSteps = 1; maxSteps <= 40; ++maxSteps) {
        for (std::int64_t first = 1; first <= maxSteps + 1; ++first) {
            for (std::int64_t guess = 1; guess <= maxSteps; ++guess) {
                check(first, guess, maxSteps);
            }
        }
    }
    RandomInputs random(7);
    for (int i = 0; i < 1000; ++i) {
        const double bound = static_cast<double>(kMaxLambdaSteps);
        check(random.LogUniform(1, bound + 1), random.LogUniform(1, bound), kMaxLambdaSteps);
    }
}

// The search against the stepping at a bound that the stepping reaches in at most `affordable`
// steps: for a result within reach, its own bound or the one below it; else a random bound. A
// result beyond reach is checked on its own: the difference is negative at it, and not negative
// one step earlier nor at a random earlier step.
void CompareOnRandomInputs(std::int64_t inputs, std::int64_t affordable, std::uint64_t seed) {
    RandomInputs random(seed);
    std::int64_t failures = 0;
    std::int64_t resultsStepped = 0;
    for (std::int64_t i = 0; i < inputs && failures < 10; ++i) {
        const Input in = random.Next();
        const Outcome computed = Computed(in);
        const bool withinReach = computed.error == 0 && computed.steps <= affordable;
        const std::int64_t bound = withinReach
                                       ? std::max<std::int64_t>(computed.steps - (i % 2), 1)
                                       : random.LogUniform(1, static_cast<double>(affordable));
        const Outcome stepped = Stepped(in, bound);
        const Outcome searched = Searched(in, bound);
        bool same = searched == stepped;
        if (stepped.error == 0) {
            same = same && computed == stepped;
            ++resultsStepped;
        } else if (computed.error == 0) {
            const std::int64_t earlier = random.LogUniform(1, static_cast<double>(computed.steps));
            same = same && computed.steps > bound && DifferenceAfter(in, computed.steps) < 0.0 &&
                   (computed.steps == 1 || DifferenceAfter(in, computed.steps - 1) >= 0.0) &&
                   (earlier >= computed.steps || DifferenceAfter(in, earlier) >= 0.0);
        } else {
            same = same && computed.error == kOverflow &&
                   (ColebrookHasNoRoot(in.roughness, in.diameter, in.reynolds) ||
                    DifferenceAfter(in, kMaxLambdaSteps) >= 0.0);
        }
        if (!same) {
            ++failures;
            ADD_FAILURE() << in << ", bound " << bound << ": searched " << searched << ", stepped "
                          << stepped << ", at the full bound " << computed;
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(resultsStepped, inputs / 4);
}

TEST(SearchedLambda, MatchesTheSteppingOnRandomInputs) {
    const std::int64_t longInputs = LongComparisonInputs();
    if (longInputs > 0) {
        CompareOnRandomInputs(longInputs, kMaxLambdaSteps, static_cast<std::uint64_t>(longInputs));
    } else {
        CompareOnRandomInputs(100'000, 300, 20250101);
    }
}

// With any signs the difference falls only past the first step or two, and the logarithm's
// argument may turn non-positive on the way: the search and the stepping agree on the result,
// the step count and the error at a random bound, and at the result's own bound where the
// stepping reaches it.
TEST(SearchedLambda, MatchesTheSteppingOnRandomSignedInputs) {
    const std::int64_t longInputs = LongComparisonInputs();
    const std::int64_t inputs = longInputs > 0 ? longInputs : 20'000;
    const std::int64_t affordable = longInputs > 0 ? kMaxLambdaSteps : 2000;
    RandomInputs random(longInputs > 0 ? static_cast<std::uint64_t>(longInputs) : 20261207);
    std::int64_t failures = 0;
    std::int64_t negativeReynoldsResults = 0;
    std::int64_t negativeRoughnessTermResults = 0;
    std::int64_t laterInvalidCalls = 0;
    for (std::int64_t i = 0; i < inputs && failures < 10; ++i) {
        const Input in = random.Signed();
        const Outcome computed = Computed(in);
        const bool withinReach = computed.error == 0 && computed.steps <= affordable;
        const std::int64_t bound = withinReach
                                       ? computed.steps - (i % 2)
                                       : random.LogUniform(2, static_cast<double>(affordable));
        if (bound >= 1 && Searched(in, bound) != Stepped(in, bound)) {
            ++failures;
            ADD_FAILURE() << in << ", bound " << bound << ": searched " << Searched(in, bound)
                          << ", stepped " << Stepped(in, bound);
        }
        if (computed.error == 0) {
            negativeReynoldsResults += in.reynolds.count() < 0 ? 1 : 0;
            negativeRoughnessTermResults +=
                (in.roughness.count() < 0) != (in.diameter.value() < 0) ? 1 : 0;
        } else if (computed.error == ErrorNumber(ErrorCode::InvalidProcedureCall)) {
            laterInvalidCalls += Searched(in, 1).error == kOverflow ? 1 : 0;
        }
    }
    EXPECT_EQ(failures, 0);
    // Each way through the search is taken often.
    EXPECT_GT(negativeReynoldsResults, inputs / 100);
    EXPECT_GT(negativeRoughnessTermResults, inputs / 100);
    EXPECT_GT(laterInvalidCalls, inputs / 1000);
}

}  // namespace
}  // namespace idrovela::Module_Calcoli
