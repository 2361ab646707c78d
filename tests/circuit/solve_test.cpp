// What a circuit works out to: a radiator circuit worked out by hand, the textbook check of a
// steel main, the identities every circuit keeps, the automatic tube, the warnings, trees as
// deep and as wide as a file may hold.

#include "circuit/solve.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/built_in.h"
#include "circuit/random_tree.h"
#include "physics/pipe_flow.h"
#include "physics/water.h"
#include "tests/circuit/circuits.h"

namespace idrovela::circuit {
namespace {

using test::Fixed;
using test::Radiator;

const catalogues::Catalogue& BuiltIn() {
    static const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    return catalogue;
}

std::size_t IndexOf(const Circuit& circuit, const std::string& id) {
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        if (circuit.segments[i].id == id) {
            return i;
        }
    }
    throw std::invalid_argument("no segment " + id);
}

// Within a relative `tolerance` of `expected`.
void ExpectNear(double actual, double expected, double tolerance, const std::string& what) {
    EXPECT_NEAR(actual, expected, std::fabs(expected) * tolerance) << what;
}

// A two-pipe radiator circuit, water 70/60 °C (ρ 980,566 kg/m³, μ 0,432912 mPa·s, c_p
// 4185,17 J/(kg·K) at the mean 65 °C), copper tubes:
//
//   source ── M (10 m, 28×1,5, caldaia + 4 curves r/d 1: Σζ 3,9; a valve Kv 6,3)
//               ├── R1 (4 m, 15×1, a branching tee ζ 1,3): radiator 2000 W, device 2000 Pa
//               └── B  (6 m, 22×1, a run-through tee ζ 0,3)
//                     ├── R2 (3 m, 15×1): radiator 2500 W, device Kv 1,0
//                     └── R3 (5 m, 15×1): radiator 1800 W, device Kv 0,6
//
// By hand (V̇ = Φ/(c_p·Δθ)/ρ; w = V̇/(π·d²/4); Colebrook-White; R = λ/d·ρ·w²/2;
// Z = Σζ·ρ·w²/2; a Kv's loss (ρ/1000)·(V̇[m³/h]/Kv)²·10⁵ Pa), to 6 digits:
//
//   segment  V̇ [l/h]  w [m/s]   Re       λ          R [Pa/m]  Z [Pa]   valves   Δp [Pa]  path
//   M        552,654  0,312738  17709,2  0,0267954  51,3960   187,014  754,575  1455,55  1455,55
//   R1       175,446  0,367167  10811,5  0,0304389  154,760   85,9247  0        704,966  2160,52
//   B        377,208  0,333525  15109,0  0,0278971  76,0735   16,3616  0        472,802  1928,35
//   R2       219,307  0,458959  13514,3  0,0287601  228,476   0        0        685,429  2613,78
//   R3       157,901  0,330450  9730,32  0,0312833  128,833   0        0        644,167  2572,52
//
//   terminal  path     device   total    excess   balancing Kv
//   R1        2160,52  2000     4160,52  5203,18  0,761635
//   R2        2613,78  4716,10  7329,88  2033,82  1,52277
//   R3        2572,52  6791,18  9363,70  0        –          ← the index: the largest total
//
// The pump: 552,654 l/h at 9363,70 Pa, 0,973756 m of water. R2's 228 Pa/m is over the
// 200 Pa/m limit.
Circuit TwoPipeRadiators() {
    Circuit circuit;
    circuit.fluid = {FluidType::Acqua, 0.0, 70.0, 60.0};
    Segment main = Fixed("M", std::nullopt, 10.0, "28×1,5", 25.0);
    main.fittings = {{"caldaia", 0.0, 1, ""}, {"curva-90-r1", 0.0, 4, ""}};
    main.valves = {{6.3, "valvola a sfera"}};
    Segment r1 = Fixed("R1", "M", 4.0, "15×1", 13.0);
    r1.fittings = {{"ti-derivazione-divisione", 0.0, 1, ""}};
    r1.terminal = Radiator(2000.0, Terminal::Device::PressureDrop, 2000.0);
    Segment b = Fixed("B", "M", 6.0, "22×1", 20.0);
    b.fittings = {{"ti-passaggio-divisione", 0.0, 1, ""}};
    Segment r2 = Fixed("R2", "B", 3.0, "15×1", 13.0);
    r2.terminal = Radiator(2500.0, Terminal::Device::Kv, 1.0);
    Segment r3 = Fixed("R3", "B", 5.0, "15×1", 13.0);
    r3.terminal = Radiator(1800.0, Terminal::Device::Kv, 0.6);
    circuit.segments = {main, r1, b, r2, r3};
    return circuit;
}

TEST(Solve, ATwoPipeRadiatorCircuitAsWorkedOutByHand) {
    const Circuit circuit = TwoPipeRadiators();
    const Solution solution = Solve(circuit, BuiltIn());
    constexpr double kDigits = 1e-5;  // the hand figures' six digits

    struct Row {
        const char* id;
        double flow, velocity, reynolds, lambda, r, z, valves, dp, path;
    };
    const Row rows[] = {
        {"M", 552.654, 0.312738, 17709.2, 0.0267954, 51.3960, 187.014, 754.575, 1455.55, 1455.55},
        {"R1", 175.446, 0.367167, 10811.5, 0.0304389, 154.760, 85.9247, 0, 704.966, 2160.52},
        {"B", 377.208, 0.333525, 15109.0, 0.0278971, 76.0735, 16.3616, 0, 472.802, 1928.35},
        {"R2", 219.307, 0.458959, 13514.3, 0.0287601, 228.476, 0, 0, 685.429, 2613.78},
        {"R3", 157.901, 0.330450, 9730.32, 0.0312833, 128.833, 0, 0, 644.167, 2572.52},
    };
    for (const Row& row : rows) {
        const SegmentResult& s = solution.segments[IndexOf(circuit, row.id)];
        const std::string id = row.id;
        ExpectNear(s.flowLph, row.flow, kDigits, id + " flow");
        ExpectNear(s.velocityMs, row.velocity, kDigits, id + " w");
        ExpectNear(s.flow.reynolds, row.reynolds, kDigits, id + " Re");
        ExpectNear(*s.flow.lambda, row.lambda, kDigits, id + " λ");
        ExpectNear(s.flow.pascalPerMetre, row.r, kDigits, id + " R");
        ExpectNear(s.localPa, row.z, kDigits, id + " Z");
        ExpectNear(s.valvesPa, row.valves, kDigits, id + " valves");
        ExpectNear(s.dpPa, row.dp, kDigits, id + " Δp");
        ExpectNear(s.pathPa, row.path, kDigits, id + " path");
    }
    EXPECT_EQ(solution.segments[0].zeta, 2.5 + 4 * 0.35);
    EXPECT_EQ(solution.segments[0].designation, "28×1,5");

    struct TerminalRow {
        const char* id;
        double device, total, excess;
        std::optional<double> kv;
    };
    const TerminalRow terminals[] = {
        {"R1", 2000, 4160.52, 5203.18, 0.761635},
        {"R2", 4716.10, 7329.88, 2033.82, 1.52277},
        {"R3", 6791.18, 9363.70, 0, std::nullopt},
    };
    for (const TerminalRow& row : terminals) {
        const TerminalResult& t = *solution.segments[IndexOf(circuit, row.id)].terminal;
        const std::string id = row.id;
        ExpectNear(t.deviceDpPa, row.device, kDigits, id + " device");
        ExpectNear(t.totalPa, row.total, kDigits, id + " total");
        ASSERT_TRUE(t.excessPa.has_value()) << id;
        EXPECT_NEAR(*t.excessPa, row.excess, 0.01) << id;
        ASSERT_EQ(t.kv.has_value(), row.kv.has_value()) << id;
        if (row.kv) {
            ExpectNear(*t.kv, *row.kv, kDigits, id + " Kv");
        }
    }
    ASSERT_EQ(solution.index, IndexOf(circuit, "R3"));
    EXPECT_EQ(solution.indexPath,
              (std::vector<std::size_t>{IndexOf(circuit, "M"), IndexOf(circuit, "B"),
                                        IndexOf(circuit, "R3")}));
    EXPECT_EQ(solution.terminals, 3U);
    ExpectNear(solution.pump.flowLph, 552.654, kDigits, "pump flow");
    ExpectNear(solution.pump.headPa, 9363.70, kDigits, "pump head");
    ExpectNear(solution.pump.headM, 0.973756, kDigits, "pump head in m");
    EXPECT_FALSE(solution.pump.flowWithMarginLph);
    EXPECT_FALSE(solution.pump.headWithMarginPa);

    ASSERT_EQ(solution.warnings.size(), 1U);
    EXPECT_EQ(solution.warnings[0].segment, IndexOf(circuit, "R2"));
    EXPECT_EQ(solution.warnings[0].code, WarningCode::FuoriLimiti);
    EXPECT_NE(solution.warnings[0].text.find("limite di perdita"), std::string::npos);
}

// A 2" steel main (inner 53 mm, ε 0,045 mm) carrying 100 kW at 90/70 °C: about 1,23 l/s,
// 0,556 m/s and 62,8 Pa/m, each to 1 %.
TEST(Solve, TheTwoInchSteelCheck) {
    Circuit circuit;
    circuit.fluid = {FluidType::Acqua, 0.0, 90.0, 70.0};
    Segment main = Fixed("S", std::nullopt, 1.0, "DN 50", 53.0);
    main.tube.series = "acciaio-m";
    main.tube.roughnessMm = 0.045;
    main.terminal = Radiator(100'000.0, Terminal::Device::None, 0.0);
    circuit.segments = {main};
    const Solution solution = Solve(circuit, BuiltIn());
    const SegmentResult& s = solution.segments[0];
    EXPECT_NEAR(s.flowLph / 3600.0, 1.23, 0.0123);
    EXPECT_NEAR(s.velocityMs, 0.556, 0.00556);
    EXPECT_NEAR(s.flow.pascalPerMetre, 62.8, 0.628);
}

// One segment gives what the standard pipe flow gives for the same bore, flow and fluid.
TEST(Solve, OneSegmentIsTheStandardPipeFlow) {
    Circuit circuit;
    circuit.fluid = {FluidType::Acqua, 0.0, 45.0, 35.0};
    Segment only = Fixed("A", std::nullopt, 7.5, "22×1", 20.0);
    only.terminal = Terminal{"", Terminal::Load::Flow, 900.0, Terminal::Device::None, 0.0};
    circuit.segments = {only};
    const Solution solution = Solve(circuit, BuiltIn());
    const physics::FluidProperties water = physics::Water(40.0);
    EXPECT_EQ(solution.fluid.properties.densityKgM3, water.densityKgM3);
    const double velocity = 900.0 / 3'600'000.0 / (std::numbers::pi * (0.02 * 0.02) / 4.0);
    const physics::PipeFlow expected =
        physics::StandardPipeFlow({20.0, velocity, water.densityKgM3, water.viscosityMPaS, 0.0015});
    const SegmentResult& s = solution.segments[0];
    EXPECT_EQ(s.flowLph, 900.0);
    EXPECT_EQ(s.velocityMs, velocity);
    EXPECT_EQ(s.flow.reynolds, expected.reynolds);
    EXPECT_EQ(s.flow.lambda, expected.lambda);
    EXPECT_EQ(s.flow.pascalPerMetre, expected.pascalPerMetre);
    EXPECT_EQ(s.frictionPa, expected.pascalPerMetre * 7.5);
    EXPECT_EQ(s.dpPa, s.frictionPa);
    EXPECT_EQ(solution.pump.headPa, s.dpPa);
    EXPECT_EQ(solution.fluid.meanC, 40.0);
    EXPECT_EQ(solution.fluid.deltaK, 10.0);
}

// Identities every circuit keeps, over random trees: totals and excesses add up to the index
// total; a valve of the computed Kv in series with the device brings a terminal to the index
// total; the pump's flow is what leaves the source.
TEST(Solve, TheIdentitiesHoldOverRandomTrees) {
    for (const std::uint64_t seed : {1U, 2U, 3U}) {
        const Circuit circuit = RandomCircuit(400, seed);
        const Solution solution = Solve(circuit, BuiltIn());
        ASSERT_TRUE(solution.index);
        const double index = solution.segments[*solution.index].terminal->totalPa;
        const double rho = solution.fluid.properties.densityKgM3;
        double fromTheSource = 0.0;
        for (const std::size_t root : solution.topology.roots) {
            fromTheSource += solution.segments[root].flowLph;
        }
        EXPECT_NEAR(solution.pump.flowLph, fromTheSource, solution.pump.flowLph * 1e-12);
        for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
            const SegmentResult& s = solution.segments[i];
            if (!s.terminal) {
                continue;
            }
            const TerminalResult& t = *s.terminal;
            EXPECT_NEAR(t.totalPa + *t.excessPa, index, index * 1e-12) << circuit.segments[i].id;
            EXPECT_GE(*t.excessPa, 0.0);
            if (t.kv) {
                const double throttled = KvLossPa(t.flowLph, *t.kv, rho);
                EXPECT_NEAR(s.pathPa + t.deviceDpPa + throttled, index, index * 1e-12)
                    << circuit.segments[i].id;
            } else {
                EXPECT_EQ(*t.excessPa, 0.0);
            }
        }
    }
}

TEST(Solve, MarginsGoOnLinesOfTheirOwn) {
    Circuit circuit = TwoPipeRadiators();
    const Solution plain = Solve(circuit, BuiltIn());
    circuit.margins = {10.0, 25.0};
    const Solution withMargins = Solve(circuit, BuiltIn());
    EXPECT_EQ(withMargins.pump.flowLph, plain.pump.flowLph);
    EXPECT_EQ(withMargins.pump.headPa, plain.pump.headPa);
    EXPECT_EQ(withMargins.pump.flowWithMarginLph, plain.pump.flowLph * (1.0 + 10.0 / 100.0));
    EXPECT_EQ(withMargins.pump.headWithMarginPa, plain.pump.headPa * 1.25);
    EXPECT_EQ(withMargins.pump.headWithMarginM, plain.pump.headM * 1.25);
}

// The index is the largest total among terminals with flow; a tie goes to the first in file
// order, and a terminal without flow is never the index.
TEST(Solve, TheIndexIsTheFirstLargestTotalWithFlow) {
    Circuit circuit;
    circuit.fluid = {FluidType::Acqua, 0.0, 70.0, 60.0};
    Segment a = Fixed("A", std::nullopt, 0.0, "22×1", 20.0);
    a.terminal = Radiator(1000.0, Terminal::Device::PressureDrop, 500.0);
    Segment b = Fixed("B", std::nullopt, 0.0, "22×1", 20.0);
    b.terminal = Radiator(1000.0, Terminal::Device::PressureDrop, 500.0);
    Segment c = Fixed("C", std::nullopt, 0.0, "22×1", 20.0);
    c.terminal = Radiator(0.0, Terminal::Device::PressureDrop, 9000.0);
    circuit.segments = {a, b, c};
    const Solution solution = Solve(circuit, BuiltIn());
    EXPECT_EQ(solution.index, 0U);
    EXPECT_EQ(solution.segments[1].terminal->excessPa, 0.0);
    EXPECT_FALSE(solution.segments[1].terminal->kv);  // no excess to throttle
    EXPECT_EQ(solution.segments[2].terminal->excessPa, 500.0 - 9000.0);
    EXPECT_FALSE(solution.segments[2].terminal->kv);  // no flow

    // Without any flow there is no index, and the pump's lines are 0.
    circuit.segments = {c};
    const Solution still = Solve(circuit, BuiltIn());
    EXPECT_FALSE(still.index);
    EXPECT_TRUE(still.indexPath.empty());
    EXPECT_EQ(still.pump.flowLph, 0.0);
    EXPECT_EQ(still.pump.headPa, 0.0);
    EXPECT_EQ(still.pump.headM, 0.0);
    EXPECT_FALSE(still.segments[0].terminal->excessPa);
    EXPECT_EQ(still.segments[0].flow.reynolds, 0.0);
    EXPECT_FALSE(still.segments[0].flow.lambda);
}

// An automatic tube is the first of its series within both limits, a value equal to a limit
// passing; the last when none is, with a warning; the first when nothing flows.
TEST(Solve, TheAutomaticTubeIsTheFirstWithinTheLimits) {
    const catalogues::Series& copper = *BuiltIn().Find("rame");
    Circuit circuit;
    circuit.fluid = {FluidType::Acqua, 0.0, 70.0, 60.0};
    Segment only = Fixed("A", std::nullopt, 10.0, "", 0.0);
    only.tube = {"rame", true, "", 0.0, 0.0};
    only.terminal = Terminal{"", Terminal::Load::Flow, 1200.0, Terminal::Device::None, 0.0};
    circuit.segments = {only};

    const auto chosen = [&] {
        const Solution solution = Solve(circuit, BuiltIn());
        return solution.segments[0].designation;
    };
    // By hand: the first copper tube whose velocity and loss are within 1 m/s and 200 Pa/m.
    const auto firstWithin = [&](double pascalPerMetre, double velocity) -> std::string {
        const Solution any = Solve(circuit, BuiltIn());
        const physics::FluidProperties& fluid = any.fluid.properties;
        for (const catalogues::Tube& tube : copper.tubes) {
            const double w = VelocityMs(1200.0, tube.innerMm);
            const physics::PipeFlow flow = physics::StandardPipeFlow(
                {tube.innerMm, w, fluid.densityKgM3, fluid.viscosityMPaS, tube.roughnessMm});
            if (w <= velocity && flow.pascalPerMetre <= pascalPerMetre) {
                return tube.designation;
            }
        }
        return "none";
    };
    EXPECT_EQ(chosen(), firstWithin(200.0, 1.0));

    // A limit equal to a tube's own loss lets it pass.
    {
        const Solution solution = Solve(circuit, BuiltIn());
        const double r = solution.segments[0].flow.pascalPerMetre;
        std::size_t at = 0;
        while (copper.tubes[at].designation != solution.segments[0].designation) {
            ++at;
        }
        ASSERT_GT(at, 0U);
        const catalogues::Tube& smaller = copper.tubes[at - 1];
        const double w = VelocityMs(1200.0, smaller.innerMm);
        const physics::PipeFlow flow = physics::StandardPipeFlow(
            {smaller.innerMm, w, solution.fluid.properties.densityKgM3,
             solution.fluid.properties.viscosityMPaS, smaller.roughnessMm});
        circuit.limits = {flow.pascalPerMetre, 10.0};
        EXPECT_EQ(chosen(), smaller.designation);
        EXPECT_LE(r, 200.0);
    }

    circuit.limits = {0.001, 1.0};
    const Solution none = Solve(circuit, BuiltIn());
    EXPECT_EQ(none.segments[0].designation, copper.tubes.back().designation);
    ASSERT_FALSE(none.warnings.empty());
    EXPECT_EQ(none.warnings[0].code, WarningCode::NessunTuboNeiLimiti);

    circuit.segments[0].terminal->loadValue = 0.0;
    EXPECT_EQ(chosen(), copper.tubes.front().designation);
}

// Warnings are not faults; each names its segment, in file order, then in the order of the
// codes.
TEST(Solve, WarningsComeBySegmentThenByCode) {
    Circuit circuit;
    circuit.fluid = {FluidType::Acqua, 0.0, 70.0, 60.0};
    Segment main = Fixed("M", std::nullopt, 5.0, "22×1", 20.5);  // the catalogue says 20
    Segment nothing = Fixed("N", "M", 5.0, "22×9", 20.0);        // not in the series
    nothing.terminal = Radiator(0.0, Terminal::Device::None, 0.0);
    Segment slow = Fixed("L", "M", 5.0, "54×2", 50.0);
    slow.terminal = Terminal{"", Terminal::Load::Flow, 100.0, Terminal::Device::None, 0.0};
    Segment rough = Fixed("X", "M", 5.0, "tubo vecchio", 10.0);
    rough.tube.series = "ghisa";   // no such series
    rough.tube.roughnessMm = 1.0;  // ε/d 0,1: past the checked range
    rough.terminal = Terminal{"", Terminal::Load::Flow, 3000.0, Terminal::Device::None, 0.0};
    circuit.segments = {main, nothing, slow, rough};
    const Solution solution = Solve(circuit, BuiltIn());

    std::vector<std::pair<std::string, WarningCode>> got;
    for (const Warning& warning : solution.warnings) {
        got.emplace_back(circuit.segments[warning.segment].id, warning.code);
        EXPECT_FALSE(warning.text.empty());
        EXPECT_EQ(warning.text.find('\n'), std::string::npos);
    }
    const std::vector<std::pair<std::string, WarningCode>> expected = {
        {"M", WarningCode::FuoriLimiti},
        {"M", WarningCode::DimensioniDiverse},
        {"N", WarningCode::NessunaPortata},
        {"N", WarningCode::TuboNonInCatalogo},
        {"N", WarningCode::TerminaleSenzaPortata},
        {"N", WarningCode::TerminaleSenzaPerdita},
        {"L", WarningCode::Laminare},
        {"L", WarningCode::TerminaleSenzaPerdita},
        {"X", WarningCode::FuoriLimiti},
        {"X", WarningCode::FuoriCampoVerificato},
        {"X", WarningCode::TuboNonInCatalogo},
        {"X", WarningCode::TerminaleSenzaPerdita},
    };
    EXPECT_EQ(got, expected);
    EXPECT_EQ(WarningCodeName(WarningCode::NessunTuboNeiLimiti), "nessun-tubo-nei-limiti");
    EXPECT_EQ(WarningCodeName(WarningCode::TerminaleSenzaPortata), "terminale-senza-portata");
}

// A glycol circuit for cooling: the supply colder than the return, properties at the mean.
TEST(Solve, ACoolingCircuitWithGlycol) {
    Circuit circuit;
    circuit.fluid = {FluidType::Propilenico, 30.0, 7.0, 12.0};
    Segment only = Fixed("F", std::nullopt, 20.0, "28×1,5", 25.0);
    only.terminal = Radiator(5000.0, Terminal::Device::None, 0.0);
    circuit.segments = {only};
    const Solution solution = Solve(circuit, BuiltIn());
    EXPECT_EQ(solution.fluid.meanC, 9.5);
    EXPECT_EQ(solution.fluid.deltaK, 5.0);
    const FluidState& fluid = solution.fluid;
    const double expected = 5000.0 / (fluid.properties.specificHeatJKgK * 5.0) /
                            fluid.properties.densityKgM3 * 3'600'000.0;
    EXPECT_EQ(solution.segments[0].flowLph, expected);
    EXPECT_GT(fluid.properties.viscosityMPaS, 2.0);  // far from water's
}

// A figure beyond the doubles is a fault that names its segment, not an infinite loss.
TEST(Solve, AFigureOutOfScaleNamesItsSegment) {
    Circuit circuit = TwoPipeRadiators();
    circuit.segments[3].lengthM = 1e308;
    try {
        static_cast<void>(Solve(circuit, BuiltIn()));
        FAIL() << "no fault";
    } catch (const CircuitError& error) {
        EXPECT_NE(std::string(error.what()).find("«R2»"), std::string::npos) << error.what();
    }
}

// 100 000 segments in one chain: no recursion to overflow the stack, nothing quadratic.
TEST(Solve, AChainAHundredThousandDeep) {
    const Circuit chain = ChainCircuit(100'000);
    const Solution solution = Solve(chain, BuiltIn());
    EXPECT_EQ(solution.indexPath.size(), 100'000U);
    EXPECT_EQ(solution.index, 99'999U);
    EXPECT_EQ(solution.segments.front().flowLph, solution.segments.back().flowLph);
    EXPECT_NEAR(solution.pump.headPa, 100'000 * solution.segments[0].dpPa,
                solution.pump.headPa * 1e-9);
}

}  // namespace
}  // namespace idrovela::circuit
