// The correctly rounded functions (maths/) beside the C library's, on the ranges the program
// uses them on, cycling over 1024 sampled inputs so that no call can be folded or predicted.
// The ratio of each pair is the cost of the same figures on every machine.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <utility>
#include <vector>

#include "maths/maths.h"

namespace idrovela::bench {
namespace {

constexpr std::size_t kInputs = 1024;

enum class Range { Exp, Log, Log1p, Log10, Pow };

// Exp: −50..50 (Colebrook's e^-F, the glycol and viscosity terms); Log: 10^-3..10^9 (Reynolds
// numbers); Log1p: Colebrook's a − 1 in −0,5..1; Log10: 10^-6..10^9 (the curve's figures); Pow:
// the IF97 terms, a base in 1..7,1 to an integer power in −43..32.
std::vector<std::pair<double, double>> Inputs(Range range) {
    std::mt19937_64 generator(27);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::pair<double, double>> inputs;
    for (std::size_t i = 0; i < kInputs; ++i) {
        const double u = unit(generator);
        switch (range) {
            case Range::Exp:
                inputs.emplace_back(-50.0 + 100.0 * u, 0.0);
                break;
            case Range::Log:
                inputs.emplace_back(std::pow(10.0, -3.0 + 12.0 * u), 0.0);
                break;
            case Range::Log1p:
                inputs.emplace_back(-0.5 + 1.5 * u, 0.0);
                break;
            case Range::Log10:
                inputs.emplace_back(std::pow(10.0, -6.0 + 15.0 * u), 0.0);
                break;
            case Range::Pow:
                inputs.emplace_back(
                    1.0 + 6.1 * u,
                    static_cast<double>(static_cast<int>(unit(generator) * 76) - 43));
                break;
        }
    }
    return inputs;
}

template <typename Function>
void Cycle(benchmark::State& state, Range range, Function function) {
    const std::vector<std::pair<double, double>> inputs = Inputs(range);
    std::size_t next = 0;
    for (auto _ : state) {
        const auto& [x, y] = inputs[next];
        benchmark::DoNotOptimize(function(x, y));
        next = (next + 1) % kInputs;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_MathsExp(benchmark::State& state) {
    Cycle(state, Range::Exp, [](double x, double) { return maths::Exp(x); });
}
void BM_LibcExp(benchmark::State& state) {
    Cycle(state, Range::Exp, [](double x, double) { return std::exp(x); });
}
void BM_MathsLog(benchmark::State& state) {
    Cycle(state, Range::Log, [](double x, double) { return maths::Log(x); });
}
void BM_LibcLog(benchmark::State& state) {
    Cycle(state, Range::Log, [](double x, double) { return std::log(x); });
}
void BM_MathsLog1p(benchmark::State& state) {
    Cycle(state, Range::Log1p, [](double x, double) { return maths::Log1p(x); });
}
void BM_LibcLog1p(benchmark::State& state) {
    Cycle(state, Range::Log1p, [](double x, double) { return std::log1p(x); });
}
void BM_MathsLog10(benchmark::State& state) {
    Cycle(state, Range::Log10, [](double x, double) { return maths::Log10(x); });
}
void BM_LibcLog10(benchmark::State& state) {
    Cycle(state, Range::Log10, [](double x, double) { return std::log10(x); });
}
void BM_MathsPow(benchmark::State& state) {
    Cycle(state, Range::Pow, [](double x, double y) { return maths::Pow(x, y); });
}
void BM_LibcPow(benchmark::State& state) {
    Cycle(state, Range::Pow, [](double x, double y) { return std::pow(x, y); });
}

BENCHMARK(BM_MathsExp);
BENCHMARK(BM_LibcExp);
BENCHMARK(BM_MathsLog);
BENCHMARK(BM_LibcLog);
BENCHMARK(BM_MathsLog1p);
BENCHMARK(BM_LibcLog1p);
BENCHMARK(BM_MathsLog10);
BENCHMARK(BM_LibcLog10);
BENCHMARK(BM_MathsPow);
BENCHMARK(BM_LibcPow);

}  // namespace
}  // namespace idrovela::bench
