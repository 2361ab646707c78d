// The benchmark's random tree worked out to the last bit: a step reordered or a term regrouped
// anywhere in the engine changes these digests. They hold on every machine because every
// logarithm, exponential and power of the figures is the program's own, correctly rounded.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "catalogues/built_in.h"
#include "circuit/random_tree.h"
#include "circuit/solve.h"

namespace idrovela::circuit {
namespace {

const catalogues::Catalogue& BuiltIn() {
    static const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    return catalogue;
}

// Every bit of a solution folded into one number (FNV-1a), field by field in file order: the
// figures' bits, the tube, the regime, the index, the pump's duty and every warning.
class SolutionDigest {
  public:
    void Add(std::string_view bytes) {
        for (const char byte : bytes) {
            hash_ = (hash_ ^ static_cast<unsigned char>(byte)) * 0x100000001b3ULL;
        }
        hash_ = (hash_ ^ 0xFFU) * 0x100000001b3ULL;  // where a text ends
    }
    void Add(std::uint64_t value) {
        for (int shift = 0; shift < 64; shift += 8) {
            hash_ = (hash_ ^ ((value >> shift) & 0xFFU)) * 0x100000001b3ULL;
        }
    }
    void Add(double value) { Add(std::bit_cast<std::uint64_t>(value)); }
    template <typename T>
    void Add(const std::optional<T>& value) {
        Add(static_cast<std::uint64_t>(value.has_value()));
        if (value) {
            Add(*value);
        }
    }
    void Add(const Solution& solution) {
        for (const SegmentResult& s : solution.segments) {
            Add(s.designation);
            for (const double figure : {s.innerMm, s.roughnessMm, s.flowLph, s.loadW, s.velocityMs,
                                        s.flow.reynolds, s.flow.pascalPerMetre, s.frictionPa,
                                        s.zeta, s.localPa, s.valvesPa, s.dpPa, s.pathPa}) {
                Add(figure);
            }
            Add(s.flow.lambda);
            Add(s.flow.regime ? static_cast<std::uint64_t>(*s.flow.regime) + 1 : 0);
            Add(static_cast<std::uint64_t>(s.flow.outsideCheckedRange));
            Add(static_cast<std::uint64_t>(s.terminal.has_value()));
            if (s.terminal) {
                const TerminalResult& t = *s.terminal;
                for (const double figure : {t.flowLph, t.loadW, t.deviceDpPa, t.totalPa}) {
                    Add(figure);
                }
                Add(t.excessPa);
                Add(t.kv);
            }
        }
        Add(static_cast<std::uint64_t>(solution.terminals));
        Add(solution.index.has_value() ? static_cast<std::uint64_t>(*solution.index)
                                       : ~std::uint64_t{0});
        for (const std::size_t segment : solution.indexPath) {
            Add(static_cast<std::uint64_t>(segment));
        }
        const PumpDuty& pump = solution.pump;
        for (const double figure : {pump.flowLph, pump.headPa, pump.headM}) {
            Add(figure);
        }
        Add(pump.flowWithMarginLph);
        Add(pump.headWithMarginPa);
        Add(pump.headWithMarginM);
        for (const Warning& warning : solution.warnings) {
            Add(static_cast<std::uint64_t>(warning.segment));
            Add(static_cast<std::uint64_t>(warning.code));
            Add(warning.text);
        }
    }
    [[nodiscard]] std::uint64_t Value() const { return hash_; }

  private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

// The benchmark's random tree of 10 000 segments, bit for bit: with tubes fixed and automatic,
// with every tube automatic under tighter limits, and in a glycol mixture with both margins. The
// order of every operation is part of the result, so a step reordered or a term regrouped
// anywhere in the engine changes these digests.
TEST(Solve, TheBenchmarksRandomTreeToTheLastBit) {
    struct Case {
        const char* name;
        bool everyTubeAutomatic;
        Fluid fluid;
        Limits limits;
        Margins margins;
        std::uint64_t digest;
    };
    const Fluid water;
    const Limits limits;
    for (const Case& c : std::vector<Case>{
             {"misti", false, water, limits, {}, 0xe007d355dc505c71},
             {"automatici", true, water, {150.0, 0.7}, {}, 0xbf5febb134a233ed},
             {"glicole",
              false,
              {FluidType::Etilenico, 30.0, 45.0, 35.0},
              limits,
              {10.0, 25.0},
              0x46cb9c9c11ef4731},
         }) {
        Circuit circuit = RandomCircuit(10'000, 2024, c.everyTubeAutomatic);
        circuit.fluid = c.fluid;
        circuit.limits = c.limits;
        circuit.margins = c.margins;
        SolutionDigest digest;
        digest.Add(Solve(circuit, BuiltIn()));
        EXPECT_EQ(digest.Value(), c.digest) << c.name << std::hex << " 0x" << digest.Value();
    }
}

}  // namespace
}  // namespace idrovela::circuit
