// How a segment is sized and what it is told: the velocity limit taken as inclusive, a fixed
// tube's roughness set against the catalogue's, the fitting library's ζ, a radiator segment and
// the pump's margins worked out by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "catalogues/built_in.h"
#include "circuit/fittings.h"
#include "circuit/solve.h"
#include "tests/circuit/circuits.h"

namespace idrovela::circuit {
namespace {

using test::Fixed;

const catalogues::Catalogue& BuiltIn() {
    static const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    return catalogue;
}

Terminal FlowOf(double litresPerHour) {
    return {"", Terminal::Load::Flow, litresPerHour, Terminal::Device::None, 0.0};
}

// Water 70/60, one automatic copper segment at 1200 l/h. 22×1 (bore 20) runs at
// 1200/3600000/(π·0,02²/4) = 1,06103 m/s; 22×1,5 before it in the series (bore 19) at
// 1,17566 m/s. A velocity limit of exactly 22×1's own lets 22×1 pass; one a hair below it does
// not, and the next tube, 28×1,5, is the first within.
TEST(SizingLimits, TheVelocityLimitIsInclusive) {
    Circuit circuit;
    Segment only = Fixed("A", std::nullopt, 10.0, "", 0.0);
    only.tube = {"rame", true, "", 0.0, 0.0};
    only.terminal = FlowOf(1200.0);
    circuit.segments = {only};
    const double velocity = 1200.0 / 3'600'000.0 / (std::numbers::pi * (0.02 * 0.02) / 4.0);
    EXPECT_NEAR(velocity, 1.06103, 1e-5);

    struct Case {
        double limit;
        const char* tube;
    };
    for (const Case& c : {Case{velocity, "22×1"}, Case{std::nextafter(velocity, 0.0), "28×1,5"}}) {
        circuit.limits = {10'000.0, c.limit};
        const Solution solution = Solve(circuit, BuiltIn());
        EXPECT_EQ(solution.segments[0].designation, c.tube) << c.limit;
        EXPECT_TRUE(solution.warnings.empty()) << solution.warnings.front().text;
    }
}

// A fixed 22×1 of the file's bore but another roughness: one warning that names both
// roughnesses, the file's holding.
TEST(SizingWarnings, ARoughnessOtherThanTheCataloguesIsNamed) {
    Circuit circuit;
    Segment only = Fixed("A", std::nullopt, 5.0, "22×1", 20.0);
    only.tube.roughnessMm = 0.045;
    only.terminal = FlowOf(300.0);
    circuit.segments = {only};
    const Solution solution = Solve(circuit, BuiltIn());
    ASSERT_EQ(solution.warnings.size(), 1U);
    EXPECT_EQ(solution.warnings[0].code, WarningCode::DimensioniDiverse);
    EXPECT_EQ(solution.warnings[0].text,
              "Il file dà al tubo «22×1» Ø interno 20 mm e rugosità 0,045 mm, il catalogo 20 mm e "
              "0,0015 mm: valgono quelle del file.");
    EXPECT_EQ(solution.segments[0].roughnessMm, 0.045);
}

// The library as the README's table gives it, in its order.
TEST(FittingLibrary, EveryEntryHasItsDocumentedZeta) {
    struct Entry {
        const char* key;
        double zeta;
    };
    const Entry table[] = {
        {"curva-90-r05", 1.0},
        {"curva-90-r1", 0.35},
        {"curva-90-r2", 0.20},
        {"curva-90-r3", 0.15},
        {"gomito-90", 0.70},
        {"gomito-saldato-90", 1.3},
        {"gomito-saldato-60", 0.8},
        {"gomito-saldato-45", 0.4},
        {"riduzione", 0.4},
        {"curva-sorpasso", 0.5},
        {"ti-derivazione-divisione", 1.3},
        {"ti-derivazione-unione", 0.9},
        {"ti-passaggio-divisione", 0.3},
        {"ti-passaggio-unione", 0.6},
        {"ti-controcorrente-divisione", 3.0},
        {"ti-controcorrente-unione", 1.5},
        {"collettore-uscita", 0.5},
        {"collettore-ingresso", 1.0},
        {"radiatore", 3.0},
        {"caldaia", 2.5},
    };
    ASSERT_EQ(FittingLibrary().size(), std::size(table));
    for (std::size_t i = 0; i < std::size(table); ++i) {
        EXPECT_EQ(FittingLibrary()[i].key, table[i].key) << i;
        const FittingType* found = FindFitting(table[i].key);
        ASSERT_NE(found, nullptr) << table[i].key;
        EXPECT_EQ(found->zeta, table[i].zeta) << table[i].key;
    }
    EXPECT_EQ(FindFitting("radiatore "), nullptr);
}

// Water 70/60 (ρ 980,566 kg/m³, μ 0,432912 mPa·s at 65 °C): 2 m of copper 15×1 (bore 13,
// ε 0,0015) with a radiator's ζ 3, carrying 200 l/h. By hand (Colebrook-White iterated):
//   w = 200/3600000/(π·0,013²/4) = 0,418553 m/s   Re = ρ·w·d/μ = 12324,6   λ = 0,0294360
//   R = λ/d·ρ·w²/2 = 194,484 Pa/m   Z = 3·ρ·w²/2 = 257,674 Pa   Δp = 2·R + Z = 646,642 Pa
// The pump: 200 l/h at 646,642 Pa, 0,0672460 m; with margins, 10 % → 220 l/h, 25 % →
// 808,302 Pa and 0,0840575 m, each only with its own margin.
TEST(SizingByHand, ARadiatorSegmentAndItsMargins) {
    Circuit circuit;
    Segment only = Fixed("R", std::nullopt, 2.0, "15×1", 13.0);
    only.fittings = {{"radiatore", 0.0, 1, ""}};
    only.terminal = FlowOf(200.0);
    circuit.segments = {only};
    const auto near = [](double actual, double expected) {
        EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-5);
    };

    const SegmentResult s = Solve(circuit, BuiltIn()).segments[0];
    EXPECT_EQ(s.zeta, 3.0);
    near(s.velocityMs, 0.418553);
    near(s.flow.reynolds, 12324.6);
    near(*s.flow.lambda, 0.0294360);
    near(s.flow.pascalPerMetre, 194.484);
    near(s.localPa, 257.674);
    near(s.dpPa, 646.642);

    struct Case {
        Margins margins;
        std::optional<double> flowLph;
        std::optional<double> headPa;
        std::optional<double> headM;
    };
    const Case cases[] = {
        {{0.0, 0.0}, std::nullopt, std::nullopt, std::nullopt},
        {{0.0, 25.0}, std::nullopt, 808.302, 0.0840575},
        {{10.0, 0.0}, 220.0, std::nullopt, std::nullopt},
        {{100.0, 100.0}, 400.0, 1293.28, 0.134492},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.margins.flowPercent << " % " << c.margins.headPercent << " %");
        circuit.margins = c.margins;
        const PumpDuty pump = Solve(circuit, BuiltIn()).pump;
        near(pump.flowLph, 200.0);
        near(pump.headPa, 646.642);
        near(pump.headM, 0.0672460);
        ASSERT_EQ(pump.flowWithMarginLph.has_value(), c.flowLph.has_value());
        ASSERT_EQ(pump.headWithMarginPa.has_value(), c.headPa.has_value());
        ASSERT_EQ(pump.headWithMarginM.has_value(), c.headM.has_value());
        if (c.flowLph) {
            near(*pump.flowWithMarginLph, *c.flowLph);
        }
        if (c.headPa) {
            near(*pump.headWithMarginPa, *c.headPa);
            near(*pump.headWithMarginM, *c.headM);
        }
    }
}

}  // namespace
}  // namespace idrovela::circuit
