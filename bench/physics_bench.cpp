// The textbook friction factor beside the window's: ColebrookLambda (Clamond's start, polished
// to within an ulp), ClamondLambda (his two iterations alone) and CalcolaLambda at the window's
// defaults. The first two cycle over a few hundred sampled turbulent flows, so that no call can
// be folded or predicted.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

#include "calc/module_calcoli.h"
#include "calc/text_conversions.h"
#include "physics/colebrook.h"

namespace idrovela::bench {
namespace {

struct Flow {
    double reynolds;
    double relativeRoughness;
};

// Re log-uniform in 2300–1e8, ε/D log-uniform in 1e-7–0,05, every tenth ε/D = 0.
std::vector<Flow> SampledFlows() {
    constexpr std::size_t kFlows = 512;
    std::mt19937_64 generator(20240611);
    std::uniform_real_distribution<double> logReynolds(std::log10(2300.0), 8.0);
    std::uniform_real_distribution<double> logRoughness(-7.0, std::log10(0.05));
    std::vector<Flow> flows;
    for (std::size_t i = 0; i < kFlows; ++i) {
        const double reynolds = std::pow(10.0, logReynolds(generator));
        const double roughness = std::pow(10.0, logRoughness(generator));
        flows.push_back({reynolds, i % 10 == 0 ? 0.0 : roughness});
    }
    return flows;
}

void PhysicsLambda(benchmark::State& state, double (*method)(double, double)) {
    const std::vector<Flow> flows = SampledFlows();
    std::size_t next = 0;
    for (auto _ : state) {
        const Flow& flow = flows[next];
        benchmark::DoNotOptimize(method(flow.reynolds, flow.relativeRoughness));
        next = next + 1 == flows.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

void PhysicsLambdaWindow(benchmark::State& state) {
    const Currency roughness = TextToCurrency("0,045");
    const Integer diameter(37);
    const Currency reynolds = TextToCurrency("934,777");
    if (Module_Calcoli::CalcolaLambda(roughness, diameter, reynolds) != TextToCurrency("0,065")) {
        state.SkipWithError("the window's friction factor is not the one of its defaults");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(Module_Calcoli::CalcolaLambda(roughness, diameter, reynolds));
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(PhysicsLambda, ColebrookLambda, physics::ColebrookLambda);
BENCHMARK_CAPTURE(PhysicsLambda, ClamondLambda, physics::ClamondLambda);
BENCHMARK(PhysicsLambdaWindow)->Name("PhysicsLambda/CalcolaLambda_defaults");

}  // namespace
}  // namespace idrovela::bench
