#include "physics/pipe_flow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "physics/colebrook.h"
#include "tests/physics/expect_physics_error.h"

namespace idrovela::physics {
namespace {

// The window's defaults: D 37 mm, w 2,58 m/s, water at 20 °C, ε 0,045 mm.
constexpr PipeFlowInputs kDefaults{37.0, 2.58, 998.2, 1.0, 0.045};

TEST(StandardPipeFlow, WindowDefaultsGiveTheTextbookFigures) {
    const PipeFlow flow = StandardPipeFlow(kDefaults);
    // 50-digit figures: Re = 998,2·2,58·37, λ its Colebrook root, then Darcy-Weisbach.
    EXPECT_NEAR(flow.reynolds, 95288.172, 1e-12 * 95288.172);
    ASSERT_TRUE(flow.lambda.has_value());
    EXPECT_NEAR(*flow.lambda, 0.022972642107112479, 1e-14);
    EXPECT_EQ(flow.regime, Regime::Turbolento);
    EXPECT_NEAR(flow.pascalPerMetre, 2062.7006452827610, 1e-9);
    EXPECT_NEAR(flow.mbarPerMetre, 20.627006452827610, 1e-11);
    EXPECT_NEAR(flow.mmWaterPerMetre, 210.33692905148659, 1e-10);
    EXPECT_FALSE(flow.outsideCheckedRange);
    // As the panel would round them.
    EXPECT_EQ(std::lround(flow.reynolds / 100.0), 953);
    EXPECT_EQ(std::lround(*flow.lambda * 10000.0), 230);
    EXPECT_EQ(std::lround(flow.pascalPerMetre), 2063);
    EXPECT_EQ(std::lround(flow.mmWaterPerMetre), 210);
}

TEST(StandardPipeFlow, RegimeAndFrictionFactorByReynoldsNumber) {
    // ρ 1 kg/m³, D 1 mm and μ 1 mPa·s make Re equal to w, to pin the thresholds exactly.
    const struct {
        double velocity;
        Regime regime;
        bool laminar;
    } cases[] = {
        {1.0, Regime::Laminare, true},        {2299.999, Regime::Laminare, true},
        {2300.0, Regime::Transizione, false}, {3999.999, Regime::Transizione, false},
        {4000.0, Regime::Turbolento, false},  {1e7, Regime::Turbolento, false},
    };
    for (const auto& c : cases) {
        const PipeFlow flow = StandardPipeFlow({1.0, c.velocity, 1.0, 1.0, 0.001});
        EXPECT_EQ(flow.reynolds, c.velocity);
        EXPECT_EQ(flow.regime, c.regime) << "Re " << c.velocity;
        const double expected = c.laminar ? 64.0 / c.velocity : ColebrookLambda(c.velocity, 0.001);
        EXPECT_EQ(flow.lambda, expected) << "Re " << c.velocity;
    }
    EXPECT_EQ(RegimeName(Regime::Laminare), "laminare");
    EXPECT_EQ(RegimeName(Regime::Transizione), "transizione");
    EXPECT_EQ(RegimeName(Regime::Turbolento), "turbolento");
}

TEST(StandardPipeFlow, LaminarLossIsHagenPoiseuille) {
    // 32·μ·w/D², independent of the roughness: 32·0,001·0,05/0,02² = 4 Pa/m.
    for (const double roughness : {0.0, 0.045, 1.5}) {
        const PipeFlow flow = StandardPipeFlow({20.0, 0.05, 998.2, 1.0, roughness});
        EXPECT_EQ(flow.regime, Regime::Laminare);
        EXPECT_NEAR(flow.reynolds, 998.2, 1e-12);
        EXPECT_NEAR(flow.pascalPerMetre, 4.0, 1e-12) << "eps " << roughness;
        EXPECT_NEAR(flow.mbarPerMetre, 0.04, 1e-14);
        EXPECT_NEAR(flow.mmWaterPerMetre, 4.0 / 9.80665, 1e-12);
    }
}

TEST(StandardPipeFlow, NoFlowIsAStateNotAnError) {
    const PipeFlow still = StandardPipeFlow({37.0, 0.0, 998.2, 1.0, 0.045});
    EXPECT_EQ(still.reynolds, 0.0);
    EXPECT_FALSE(still.lambda.has_value());
    EXPECT_FALSE(still.regime.has_value());
    EXPECT_EQ(still.pascalPerMetre, 0.0);
    EXPECT_EQ(still.mbarPerMetre, 0.0);
    EXPECT_EQ(still.mmWaterPerMetre, 0.0);
    EXPECT_FALSE(still.outsideCheckedRange);
    // The roughness is still flagged: it does not depend on the flow.
    EXPECT_TRUE(StandardPipeFlow({37.0, 0.0, 998.2, 1.0, 3.7}).outsideCheckedRange);
}

TEST(StandardPipeFlow, FiguresBeyondTheCheckedRangeAreGivenAndFlagged) {
    const struct {
        PipeFlowInputs inputs;
        bool flagged;
    } cases[] = {
        {{37.0, 2.58, 998.2, 1.0, 1.85}, false},    // ε/D 0,05
        {{37.0, 2.58, 998.2, 1.0, 1.8501}, true},   // ε/D just above 0,05
        {{37.0, 2.58, 998.2, 1.0, 130.0}, true},    // ε/D 3,51
        {{1.0, 1e8, 1.0, 1.0, 0.0}, false},         // Re 1e8
        {{1.0, 1.0000001e8, 1.0, 1.0, 0.0}, true},  // Re just above 1e8
        {{1000.0, 1e3, 1e3, 1e-3, 0.0}, true},      // Re 1e12
        {{37.0, 0.1, 998.2, 1.0, 10.0}, true},      // laminar, ε/D 0,27
    };
    for (const auto& c : cases) {
        const PipeFlow flow = StandardPipeFlow(c.inputs);
        EXPECT_EQ(flow.outsideCheckedRange, c.flagged)
            << "D " << c.inputs.diameterMm << ", w " << c.inputs.velocityMs << ", eps "
            << c.inputs.roughnessMm;
        EXPECT_TRUE(flow.lambda.has_value());
        EXPECT_TRUE(std::isfinite(flow.pascalPerMetre) && flow.pascalPerMetre > 0.0);
    }
}

TEST(StandardPipeFlow, RefusesBadInputsNamingTheQuantity) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        PipeFlowInputs inputs;
        const char* message;
    } cases[] = {
        {{0.0, 2.58, 998.2, 1.0, 0.045}, "Diametro interno: il valore 0 mm non è ammesso"},
        {{-37.0, 2.58, 998.2, 1.0, 0.045}, "Diametro interno: il valore \u221237 mm"},
        {{kNaN, 2.58, 998.2, 1.0, 0.045}, "Diametro interno: il valore non è un numero"},
        {{kInf, 2.58, 998.2, 1.0, 0.045}, "Diametro interno: il valore è infinito"},
        {{37.0, -0.1, 998.2, 1.0, 0.045}, "Velocità: il valore \u22120,1 m/s non è ammesso"},
        {{37.0, kNaN, 998.2, 1.0, 0.045}, "Velocità: il valore non è un numero"},
        {{37.0, kInf, 998.2, 1.0, 0.045}, "Velocità: il valore è infinito"},
        {{37.0, 2.58, 0.0, 1.0, 0.045}, "Densità: il valore 0 kg/m³"},
        {{37.0, 2.58, -998.2, 1.0, 0.045}, "Densità"},
        {{37.0, 2.58, kNaN, 1.0, 0.045}, "Densità: il valore non è un numero"},
        {{37.0, 2.58, 998.2, 0.0, 0.045}, "Viscosità: il valore 0 mPa·s"},
        {{37.0, 2.58, 998.2, -1.0, 0.045}, "deve essere maggiore di zero"},
        {{37.0, 2.58, 998.2, kInf, 0.045}, "Viscosità: il valore è infinito"},
        {{37.0, 2.58, 998.2, 1.0, -0.045}, "Scabrezza: il valore \u22120,045 mm"},
        {{37.0, 2.58, 998.2, 1.0, kNaN}, "Scabrezza: il valore non è un numero"},
        {{37.0, 2.58, 998.2, 1.0, 136.9}, "ε/D minore di 3,7"},  // ε/D 3,7
        {{37.0, 2.58, 998.2, 1.0, 200.0}, "Scabrezza relativa ε/D: 200 mm su 37 mm"},
        {{1e-300, 2.58, 998.2, 1.0, 1e10}, "ε/D minore di 3,7"},  // ε/D overflows
        {{37.0, 0.0, 998.2, 1.0, 200.0}, "ε/D minore di 3,7"},    // also without flow
    };
    for (const auto& c : cases) {
        EXPECT_PHYSICS_ERROR(StandardPipeFlow(c.inputs), c.message);
    }
}

TEST(StandardPipeFlow, OverflowIsAnErrorNeverAnInfinity) {
    const struct {
        PipeFlowInputs inputs;
        const char* message;
    } cases[] = {
        {{37.0, 1e200, 1e200, 1.0, 0.045}, "Numero di Reynolds fuori scala"},
        {{37.0, 1e150, 998.2, 1.0, 0.045}, "Re tra 1e\u2212100 e 1e+100"},
        {{37.0, 1e200, 1e-50, 1e130, 0.045}, "Perdita di carico fuori scala"},
        {{37.0, 1e-320, 998.2, 1.0, 0.045}, "Fattore d'attrito fuori scala"},
    };
    for (const auto& c : cases) {
        EXPECT_PHYSICS_ERROR(StandardPipeFlow(c.inputs), c.message);
    }
    // A creeping flow whose λ, about 1,7e304, is still a double: the loss, 32·μ·w/D², comes out
    // without an overflow on the way (λ/D·ρ would pass 1e308).
    const PipeFlow creeping = StandardPipeFlow({37.0, 1e-307, 998.2, 1.0, 0.045});
    const double hagenPoiseuille = 32.0 * 0.001 * 1e-307 / (0.037 * 0.037);
    EXPECT_NEAR(creeping.pascalPerMetre, hagenPoiseuille, 1e-12 * hagenPoiseuille);
}

}  // namespace
}  // namespace idrovela::physics
