// One edit of the circuit window on the engine's benchmark circuit of 10 000 segments, without the
// toolkit: what the document does before the view repaints (the engine's check and solution, the
// rows that changed), beside the engine's solution alone.

#include <benchmark/benchmark.h>

#include <memory>
#include <variant>

#include "catalogues/built_in.h"
#include "circuit/random_tree.h"
#include "sheet/document.h"
#include "sheet/input.h"
#include "sheet/operations.h"

namespace idrovela::bench {
namespace {

constexpr std::size_t kSegments = 10'000;

std::shared_ptr<const catalogues::Catalogue> Catalogue() {
    static const auto catalogue =
        std::make_shared<const catalogues::Catalogue>(catalogues::BuiltInCatalogue());
    return catalogue;
}

std::unique_ptr<sheet::Document> BenchmarkCircuit() {
    circuit::LoadedCircuit loaded;
    loaded.circuit = circuit::RandomCircuit(kSegments, 1);
    loaded.solution = circuit::Solve(loaded.circuit, *Catalogue());
    return std::make_unique<sheet::Document>(Catalogue(), std::move(loaded), std::nullopt);
}

// Counts what a view would be told, as the item model does.
class CountingView final : public sheet::DocumentListener {
  public:
    void BeforeInsert(std::optional<std::size_t>, std::size_t) override {}
    void AfterInsert() override {}
    void BeforeRemove(std::optional<std::size_t>, std::size_t) override {}
    void AfterRemove() override {}
    void BeforeMove(std::optional<std::size_t>, std::size_t, std::optional<std::size_t>,
                    std::size_t) override {}
    void AfterMove() override {}
    void Recalculated(const std::vector<std::size_t>& changed) override { rows += changed.size(); }
    std::size_t rows = 0;
};

void BM_SolveTenThousand(benchmark::State& state) {
    const circuit::Circuit circuit = circuit::RandomCircuit(kSegments, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(circuit::Solve(circuit, *Catalogue()));
    }
}
BENCHMARK(BM_SolveTenThousand)->Unit(benchmark::kMillisecond);

// A segment's length typed, then undone: the time is per edit.
void BM_SheetLengthEdit(benchmark::State& state) {
    auto document = BenchmarkCircuit();
    CountingView view;
    document->SetListener(&view);
    for (auto _ : state) {
        auto proposal = sheet::CellEdit(*document, 3, columns::SegmentColumn::Lunghezza, "7,5");
        sheet::Edit& edit = std::get<sheet::Edit>(proposal);
        if (document->Apply(edit)) {
            state.SkipWithError("the engine refused the edit");
            break;
        }
        document->Undo(edit);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["rows_told"] =
        benchmark::Counter(static_cast<double>(view.rows), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SheetLengthEdit)->Unit(benchmark::kMillisecond);

// A segment added under the first one, then undone: the tree told step by step.
void BM_SheetAddSegment(benchmark::State& state) {
    auto document = BenchmarkCircuit();
    CountingView view;
    document->SetListener(&view);
    for (auto _ : state) {
        auto proposal =
            sheet::AddDownstream(*document, 0, sheet::NewSegment(*document, std::nullopt));
        sheet::Edit& edit = std::get<sheet::Edit>(proposal);
        if (document->Apply(edit)) {
            state.SkipWithError("the engine refused the edit");
            break;
        }
        document->Undo(edit);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_SheetAddSegment)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace idrovela::bench
