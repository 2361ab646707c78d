// CalcolaLambda, which searches the step count, side by side with the stepping it stands in for,
// at friction factors from the window's defaults to 465.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "calc/module_calcoli.h"
#include "calc/text_conversions.h"

namespace idrovela::bench {
namespace {

namespace MC = Module_Calcoli;

struct LambdaCase {
    const char* roughness;
    std::int16_t diameter;
    const char* reynolds;
    std::int64_t steps;  // what the stepping takes, and so the friction factor in ten-thousandths
};

// The default pipe with its Reynolds number lowered until the friction factor is about 1 and
// 10, and a roughness of 130 mm, whose root lies at 465.
constexpr LambdaCase kDefaults{"0,045", 37, "934,777", 650};
constexpr LambdaCase kLambda1{"0,045", 37, "7,9", 10101};
constexpr LambdaCase kLambda10{"0,045", 37, "1,15", 99819};
constexpr LambdaCase kLambda465{"130", 37, "934,777", 4656369};

template <typename Compute>
void RunLambda(benchmark::State& state, const LambdaCase& c, Compute compute) {
    const Currency roughness = TextToCurrency(c.roughness);
    const Integer diameter(c.diameter);
    const Currency reynolds = TextToCurrency(c.reynolds);
    if (compute(roughness, diameter, reynolds) != Currency::fromCount(c.steps)) {
        state.SkipWithError("the friction factor is not the one this case was chosen for");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(compute(roughness, diameter, reynolds));
    }
    state.counters["lambda"] = static_cast<double>(c.steps) / 10000.0;
    state.counters["steps"] = static_cast<double>(c.steps);
}

void Searched(benchmark::State& state, const LambdaCase& c) {
    RunLambda(state, c,
              [](Currency e, Integer d, Currency re) { return MC::CalcolaLambda(e, d, re); });
}

void Stepped(benchmark::State& state, const LambdaCase& c) {
    RunLambda(state, c, [](Currency e, Integer d, Currency re) {
        return MC::SteppedLambda(e, d, re).lambda;
    });
}

BENCHMARK_CAPTURE(Searched, lambda_0_065_defaults, kDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Stepped, lambda_0_065_defaults, kDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Searched, lambda_1, kLambda1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Stepped, lambda_1, kLambda1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Searched, lambda_10, kLambda10)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Stepped, lambda_10, kLambda10)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Searched, lambda_465, kLambda465)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Stepped, lambda_465, kLambda465)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace idrovela::bench
