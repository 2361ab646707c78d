// Whole circuits at the sizes of a building and beyond: working out a random tree with its tubes
// fixed or every tube automatic, loading its file's text, saving it (without the flush to the
// disk), and a chain of segments each under the one before. Each task is checked first to end
// as it says; every run is the median of five repetitions.
//
// The counter `growth_x10` is the run's time divided by the same task's time at a tenth of the
// size, measured just before in the same process (the median of five runs): a time that grows
// linearly gives about 10.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <utility>

#include "catalogues/built_in.h"
#include "circuit/load.h"
#include "circuit/random_tree.h"
#include "circuit/solve.h"
#include "circuit/write.h"

namespace idrovela::bench {
namespace {

using circuit::Circuit;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kSeed = 2024;

// A folder of its own under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "idrovela-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The random tree of the given size, its tubes as the generator draws them or every one automatic.
enum class Tubes { Mixed, Automatic };

Circuit RandomTree(std::size_t segments, Tubes tubes) {
    return circuit::RandomCircuit(segments, kSeed, tubes == Tubes::Automatic);
}

// Each task, at one size, is made once and then run as often as the benchmark asks. Problem()
// runs it once and says what is wrong with what it gives, or nothing.

class SolveTask {
  public:
    SolveTask(Circuit circuit, std::size_t expectedPathLength = 0)
        : circuit_(std::move(circuit)),
          catalogue_(catalogues::BuiltInCatalogue()),
          expectedPathLength_(expectedPathLength) {}

    void Run() { benchmark::DoNotOptimize(circuit::Solve(circuit_, catalogue_)); }

    [[nodiscard]] std::string Problem() const {
        const circuit::Solution solution = circuit::Solve(circuit_, catalogue_);
        if (solution.segments.size() != circuit_.segments.size() || !solution.index ||
            !(solution.pump.headPa > 0.0)) {
            return "the circuit should work out to an index circuit and a pump head";
        }
        if (expectedPathLength_ != 0 && solution.indexPath.size() != expectedPathLength_) {
            return "the index path should run the whole chain";
        }
        return {};
    }

  private:
    Circuit circuit_;
    catalogues::Catalogue catalogue_;
    std::size_t expectedPathLength_;
};

class LoadTask {
  public:
    explicit LoadTask(const Circuit& circuit)
        : text_(circuit::WriteCircuit(circuit)),
          catalogue_(catalogues::BuiltInCatalogue()),
          segments_(circuit.segments.size()) {}

    void Run() { benchmark::DoNotOptimize(circuit::LoadCircuitText(text_, catalogue_)); }

    [[nodiscard]] std::string Problem() const {
        const circuit::LoadedCircuit loaded = circuit::LoadCircuitText(text_, catalogue_);
        if (loaded.circuit.segments.size() != segments_ || !loaded.solution.index) {
            return "the text should load every segment and work out an index circuit";
        }
        if (circuit::WriteCircuit(loaded.circuit) != text_) {
            return "the loaded circuit should write the same text again";
        }
        return {};
    }

  private:
    std::string text_;
    catalogues::Catalogue catalogue_;
    std::size_t segments_;
};

class SaveTask {
  public:
    explicit SaveTask(Circuit circuit)
        : circuit_(std::move(circuit)), catalogue_(catalogues::BuiltInCatalogue()) {}

    void Run() {
        circuit::SaveCircuit(circuit_, catalogue_, folder_.Path() / "circuito.idrovela",
                             /*sync=*/false);
    }

    [[nodiscard]] std::string Problem() {
        if (folder_.Path().empty()) {
            return "no temporary folder could be made";
        }
        Run();
        std::ifstream file(folder_.Path() / "circuito.idrovela", std::ios::binary);
        const std::string saved{std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>()};
        if (saved != circuit::WriteCircuit(circuit_)) {
            return "the saved file should hold the circuit's text";
        }
        return {};
    }

  private:
    Circuit circuit_;
    catalogues::Catalogue catalogue_;
    TemporaryFolder folder_;
};

template <typename Task>
double Seconds(Task& task) {
    const Clock::time_point start = Clock::now();
    task.Run();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The median time of five runs, after one run to warm up.
template <typename Task>
double MedianSeconds(Task& task) {
    task.Run();
    std::array<double, 5> times{};
    for (double& time : times) {
        time = Seconds(task);
    }
    std::nth_element(times.begin(), times.begin() + 2, times.end());
    return times[2];
}

// Runs the task made by `make(segments)` at the benchmark's size, after checking it, and its
// growth against a tenth of the size. Faults of the engine end the benchmark with an error.
template <typename Make>
void Measure(benchmark::State& state, Make make) {
    const auto segments = static_cast<std::size_t>(state.range(0));
    try {
        auto tenth = make(segments / 10);
        auto task = make(segments);
        if (const std::string problem = task.Problem(); !problem.empty()) {
            state.SkipWithError(problem.c_str());
            return;
        }
        const double tenthSeconds = MedianSeconds(tenth);
        const Clock::time_point start = Clock::now();
        for (auto _ : state) {
            task.Run();
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const auto iterations = static_cast<double>(state.iterations());
        state.counters["segments"] = static_cast<double>(segments);
        state.counters["growth_x10"] = seconds / iterations / tenthSeconds;
        state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(segments));
    } catch (const std::exception& error) {
        const std::string message = std::string("the task failed: ") + error.what();
        state.SkipWithError(message.c_str());
    }
}

void BM_CircuitSolveFixed(benchmark::State& state) {
    Measure(state, [](std::size_t n) { return SolveTask(RandomTree(n, Tubes::Mixed)); });
}

void BM_CircuitSolveAutomatic(benchmark::State& state) {
    Measure(state, [](std::size_t n) { return SolveTask(RandomTree(n, Tubes::Automatic)); });
}

// Every terminal with an emitter, whose return sets its flow.
void BM_CircuitSolveEmitters(benchmark::State& state) {
    Measure(state, [](std::size_t n) {
        return SolveTask(circuit::WithEmitters(RandomTree(n, Tubes::Mixed)));
    });
}

void BM_CircuitLoad(benchmark::State& state) {
    Measure(state, [](std::size_t n) { return LoadTask(RandomTree(n, Tubes::Mixed)); });
}

void BM_CircuitSave(benchmark::State& state) {
    Measure(state, [](std::size_t n) { return SaveTask(RandomTree(n, Tubes::Mixed)); });
}

// A chain as deep as it is long: no recursion over the tree, no quadratic walk along the path.
void BM_CircuitChainSolve(benchmark::State& state) {
    Measure(state, [](std::size_t n) { return SolveTask(circuit::ChainCircuit(n), n); });
}

void BM_CircuitChainLoad(benchmark::State& state) {
    Measure(state, [](std::size_t n) { return LoadTask(circuit::ChainCircuit(n)); });
}

// Ten thousand and a hundred thousand segments; "mixed" tubes are a third automatic.
void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(10'000)
        ->Arg(100'000)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_CircuitSolveFixed)->Apply(Sizes);
BENCHMARK(BM_CircuitSolveAutomatic)->Apply(Sizes);
BENCHMARK(BM_CircuitSolveEmitters)->Apply(Sizes);
BENCHMARK(BM_CircuitLoad)->Apply(Sizes);
BENCHMARK(BM_CircuitSave)->Apply(Sizes);
BENCHMARK(BM_CircuitChainSolve)->Apply(Sizes);
BENCHMARK(BM_CircuitChainLoad)->Apply(Sizes);

}  // namespace
}  // namespace idrovela::bench
