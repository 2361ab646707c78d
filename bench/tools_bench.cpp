// What the tool windows add to a user's action: the physics panel's figures and the commercial-
// pipe table of the longest built-in series, worked out again as after every action, beside the
// action itself (a spinner click that recalculates).

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string>

#include "calc/runtime_error.h"
#include "catalogues/built_in.h"
#include "tools/physics_panel.h"
#include "tools/pipe_table.h"
#include "window/form_principale.h"

namespace idrovela::bench {
namespace {

class SilentPlatform final : public window::AlwaysOnTop, public window::ErrorReporter {
  public:
    void SetAlwaysOnTop(bool /*onTop*/) override {}
    void ReportError(const RuntimeError& /*error*/) override { ++errors; }
    int errors = 0;
};

// A started window on its defaults.
struct StartedWindow {
    StartedWindow() { form.Load(); }
    SilentPlatform platform;
    window::Form_Principale form{platform, platform};
};

// The action alone: one click on the diameter's up arrow and one on its down arrow, each with
// its recalculation; the time is per click.
void BM_UserActionAlone(benchmark::State& state) {
    StartedWindow window;
    for (auto _ : state) {
        window.form.UserUp(window.form.UpDown_D);
        window.form.UserDown(window.form.UpDown_D);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_UserActionAlone);

// What the "Verifica fisica" panel works out after an action: the figures, its lines and notes.
void BM_PhysicsPanelUpdate(benchmark::State& state) {
    StartedWindow window;
    for (auto _ : state) {
        const tools::PhysicsCheck check = tools::CheckPhysics(window.form);
        benchmark::DoNotOptimize(tools::PanelLines(check));
        benchmark::DoNotOptimize(tools::PanelNotes(check));
    }
}
BENCHMARK(BM_PhysicsPanelUpdate);

// The table after an action, for the built-in series with the most tubes.
void BM_PipeTableLongestSeries(benchmark::State& state) {
    StartedWindow window;
    const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    const catalogues::Series* longest = &catalogue.series.front();
    for (const catalogues::Series& series : catalogue.series) {
        if (series.tubes.size() > longest->tubes.size()) {
            longest = &series;
        }
    }
    const tools::PipeLimits limits;
    const tools::PipeTable first = tools::ComputePipeTable(window.form, *longest, limits);
    if (!first.message.empty() || !first.chosen) {
        state.SkipWithError("the table of the defaults should mark a tube");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(tools::ComputePipeTable(window.form, *longest, limits));
    }
    state.SetLabel(longest->name + ", " + std::to_string(longest->tubes.size()) + " tubes");
}
BENCHMARK(BM_PipeTableLongestSeries)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace idrovela::bench
