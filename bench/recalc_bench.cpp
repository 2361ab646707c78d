// Recalculations as the user starts them: a started window, set up through the user's actions,
// then the recalculation a spinner's change runs, with what its writes set off. Each scenario is
// run once first and checked to end as it says; the counters give the loss evaluations of one
// recalculation and the friction-factor steps that the stepping would have taken for them.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/runtime_error.h"
#include "window/form_principale.h"

namespace idrovela::bench {
namespace {

using window::Form_Principale;

class QuietPlatform final : public window::AlwaysOnTop, public window::ErrorReporter {
  public:
    void SetAlwaysOnTop(bool /*onTop*/) override {}
    void ReportError(const RuntimeError& error) override { lastError = error.code(); }

    std::optional<ErrorCode> lastError;
};

struct Scenario {
    void (*prepare)(Form_Principale& form);
    std::optional<ErrorCode> error;  // how the recalculation ends
    std::int64_t evaluations;
};

void Target(Form_Principale& form, window::OptionButton& mode, std::string_view target) {
    form.UserClick(mode);
    form.UserEdit(form.Text_Y, target);
}

void Ricalcola(benchmark::State& state, const Scenario& scenario) {
    QuietPlatform platform;
    Form_Principale form(platform, platform);
    form.Load();
    scenario.prepare(form);
    platform.lastError.reset();
    const window::RecalcWork before = form.Work();
    form.UserRecalc();
    const std::int64_t evaluations = form.Work().evaluations - before.evaluations;
    const std::int64_t lambdaSteps = form.Work().lambdaSteps - before.lambdaSteps;
    const std::int64_t differences = form.Work().colebrookDifferences - before.colebrookDifferences;
    if (platform.lastError != scenario.error || evaluations != scenario.evaluations) {
        const std::string message =
            "the recalculation ends after " + std::to_string(evaluations) +
            " evaluations with error " +
            std::to_string(platform.lastError ? ErrorNumber(*platform.lastError) : 0);
        state.SkipWithError(message.c_str());
        return;
    }
    for (auto _ : state) {
        form.UserRecalc();
    }
    state.counters["evaluations"] = static_cast<double>(evaluations);
    state.counters["lambda_steps"] = static_cast<double>(lambdaSteps);
    state.counters["differences"] = static_cast<double>(differences);
}

// The loss mode of the window as it starts: Y 595.
constexpr Scenario kLossDefaults{[](Form_Principale&) {}, std::nullopt, 1};

// The worked examples: the flow of 3310 l/h and the diameter of 55 mm for the target 100.
constexpr Scenario kPowerTarget100{
    [](Form_Principale& form) { Target(form, form.Option_Potenza, "100"); }, std::nullopt, 21};
constexpr Scenario kDiameterTarget100{
    [](Form_Principale& form) { Target(form, form.Option_Diametro, "100"); }, std::nullopt, 36};

// The worst a user can reach. A wide pipe and a target never met: the power search gives up past
// 1 000 000 l/h.
constexpr Scenario kPowerWidePipe{[](Form_Principale& form) {
                                      form.UserEdit(form.Text_D, "278");
                                      Target(form, form.Option_Potenza, "9999999");
                                  },
                                  ErrorCode::Overflow, 999};

// A typed viscosity that puts the friction factor near 900 at the first flow, 1100 l/h, falling
// slowly as the flow grows; the flow found does not fit the flow field.
constexpr Scenario kPowerViscousFluid{[](Form_Principale& form) {
                                          form.UserClick(form.Option_FluidoX);
                                          form.UserEdit(form.Text_Mu, "1161");
                                          Target(form, form.Option_Potenza, "9999999");
                                      },
                                      ErrorCode::Overflow, 699};

// The same with a negative roughness typed under "Altro": friction factors of hundreds, each of
// which the stepping took millions of steps to reach.
constexpr Scenario kPowerViscousNegativeRoughness{[](Form_Principale& form) {
                                                      form.UserClick(form.Option_FluidoX);
                                                      form.UserEdit(form.Text_Mu, "1161");
                                                      form.UserClick(form.Option_TuboX);
                                                      form.UserEdit(form.Text_epsilon, "-0,0001");
                                                      Target(form, form.Option_Potenza, "9999999");
                                                  },
                                                  ErrorCode::Overflow, 698};

// A negative flow gives a negative Reynolds number; with a roughness of 400 mm the difference
// never turns negative, and the stepping took all 10 000 000 steps before its Overflow.
constexpr Scenario kLossNegativeFlow{[](Form_Principale& form) {
                                         form.UserEdit(form.Text_G, "-9976");
                                         form.UserClick(form.Option_TuboX);
                                         form.UserEdit(form.Text_epsilon, "400");
                                     },
                                     ErrorCode::Overflow, 1};

// A target never met: the pipe widens until the velocity rounds to 0 at 841 mm.
constexpr Scenario kDiameterNegativeTarget{
    [](Form_Principale& form) { Target(form, form.Option_Diametro, "-1"); },
    ErrorCode::DivisionByZero, 822};

// A typed velocity so low that the root lies beyond a friction factor of 1000.
constexpr Scenario kLossTinyVelocity{
    [](Form_Principale& form) { form.UserEdit(form.Text_V, "0,0001"); }, ErrorCode::Overflow, 1};

BENCHMARK_CAPTURE(Ricalcola, loss_defaults, kLossDefaults)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Ricalcola, power_target_100, kPowerTarget100)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Ricalcola, diameter_target_100, kDiameterTarget100)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Ricalcola, power_D278_target_9999999, kPowerWidePipe)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Ricalcola, power_mu1161_target_9999999, kPowerViscousFluid)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Ricalcola, power_mu1161_eps_minus_0_0001, kPowerViscousNegativeRoughness)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Ricalcola, loss_G_minus_9976_eps_400, kLossNegativeFlow)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Ricalcola, diameter_target_minus_1, kDiameterNegativeTarget)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Ricalcola, loss_velocity_0_0001, kLossTinyVelocity)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace idrovela::bench
