// The three solve modes on a started window, with what their writes set off, and the bound on
// the work of any recalculation.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "calc/module_calcoli.h"
#include "tests/window/recorder.h"

namespace idrovela::window {
namespace {

class Recalculation : public test::WindowTest {
  protected:
    void SetUp() override { Start(); }
    // Selects a mode, types a target and runs the recalculation as a spinner would.
    void Target(OptionButton& mode, const char* target) {
        form.UserClick(mode);
        Paste(form.Text_Y, target);
        form.UserRecalc();
    }
};

TEST_F(Recalculation, PowerModeEndsWithTheFlowOfTheRoundedPower) {
    Target(form.Option_Potenza, "100");
    EXPECT_EQ(form.Text_P.Text(), "38");
    EXPECT_EQ(form.Text_G.Text(), "3268");
    EXPECT_EQ(form.Text_V.Text(), "0,84");
    EXPECT_EQ(form.Text_Y.Text(), "100");
    EXPECT_EQ(form.Text_D.Text(), "37");

    // Again: the power already shows 38, so the flow found stays.
    form.UserRecalc();
    EXPECT_EQ(form.Text_P.Text(), "38");
    EXPECT_EQ(form.Text_G.Text(), "3310");
    EXPECT_EQ(form.Text_V.Text(), "0,86");
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(Recalculation, PowerModeSmallAndLargeTargets) {
    Target(form.Option_Potenza, "1");
    EXPECT_EQ(TakeErrors(), std::vector{ErrorCode::DivisionByZero});
    EXPECT_EQ(form.Text_G.Text(), "9976");
    EXPECT_EQ(form.Text_P.Text(), "116");

    Target(form.Option_Potenza, "2");
    EXPECT_EQ(form.Text_P.Text(), "2");
    EXPECT_EQ(form.Text_G.Text(), "172");

    Target(form.Option_Potenza, "5000");
    EXPECT_EQ(TakeErrors(), std::vector{ErrorCode::Overflow});
    EXPECT_EQ(form.Text_G.Text(), "35398");  // written, then refused by the flow's handler
    EXPECT_EQ(form.Text_P.Text(), "2");
}

TEST_F(Recalculation, PowerModeWithNoTemperatureDifference) {
    Paste(form.Text_dT, "0");
    Target(form.Option_Potenza, "100");
    EXPECT_EQ(TakeErrors(), std::vector{ErrorCode::Overflow});  // 0 kW, then 0 / 0
    EXPECT_EQ(form.Text_P.Text(), "0");
    EXPECT_EQ(form.Text_G.Text(), "3310");
}

TEST_F(Recalculation, PowerModeRunawayIsStoppedBeforeAnythingIsWritten) {
    Paste(form.Text_D, "278");
    const auto before = Evaluations();
    form.UserClick(form.Option_Potenza);
    Paste(form.Text_Y, "9999999");
    form.UserKeyRelease(form.Text_Y, 39);  // within the key-release limits
    EXPECT_EQ(TakeErrors(), std::vector{ErrorCode::Overflow});
    EXPECT_EQ(Evaluations() - before, 999);
    EXPECT_EQ(form.Text_G.Text(), "9976");
    EXPECT_EQ(form.Text_P.Text(), "116");
}

TEST_F(Recalculation, DiameterModeWritesDiameterVelocityAndNominalSize) {
    Target(form.Option_Diametro, "100");
    EXPECT_EQ(form.Text_D.Text(), "55");
    EXPECT_EQ(form.Text_V.Text(), "1,17");
    EXPECT_EQ(form.Text_Pollici.Text(), "2''1/2");
    EXPECT_EQ(form.Text_Y.Text(), "100");
    EXPECT_EQ(form.Text_G.Text(), "9976");
    EXPECT_EQ(form.Text_P.Text(), "116");

    form.UserRecalc();
    EXPECT_EQ(form.Text_D.Text(), "55");
    EXPECT_EQ(form.Text_V.Text(), "1,17");

    Target(form.Option_Diametro, "0");
    EXPECT_EQ(form.Text_D.Text(), "175");
    EXPECT_EQ(form.Text_V.Text(), "0,12");

    Target(form.Option_Diametro, "2000000");
    EXPECT_EQ(form.Text_D.Text(), "19");
    EXPECT_EQ(form.Text_V.Text(), "9,77");

    Target(form.Option_Diametro, "-1");
    EXPECT_EQ(TakeErrors(), std::vector{ErrorCode::DivisionByZero});
    EXPECT_EQ(form.Text_D.Text(), "19");
}

TEST_F(Recalculation, ModeChangeTakesEffectAtTheNextRecalculation) {
    Paste(form.Text_Y, "100");
    form.UserClick(form.Option_Potenza);
    EXPECT_EQ(form.Text_P.Text(), "116");
    form.UserClick(form.Option_Tubo2);  // already selected: nothing
    EXPECT_EQ(form.Text_P.Text(), "116");
    form.UserClick(form.Option_Tubo1);  // a preset recalculates in the power mode
    EXPECT_NE(form.Text_P.Text(), "116");
}

// Whatever the user types, a recalculation makes a bounded number of loss evaluations: the
// power search stops past 1 000 000 l/h, and the diameter search ends where the velocity of a
// flow of at most 32767 l/h rounds to 0. Each evaluation's friction factor works out a few
// Colebrook-White differences, however many steps the stepping would take.
TEST_F(Recalculation, NoTypedInputMakesARecalculationRunLong) {
    const char* targets[] = {"-9999999", "-1",      "0",          "0,0001",        "1", "2", "100",
                             "5000",     "9999999", "2147483648", "99999999999999"};
    // A gallop and a bisection over 10 000 000 steps, and the first two steps.
    constexpr std::int64_t kMostDifferencesPerEvaluation = 2 * 24 + 2 + 2;
    const auto check = [&](OptionButton& mode, std::int64_t bound, const std::string& inputs) {
        form.UserClick(mode);
        const RecalcWork before = form.Work();
        form.UserRecalc();
        const std::int64_t evaluations = form.Work().evaluations - before.evaluations;
        const std::int64_t differences =
            form.Work().colebrookDifferences - before.colebrookDifferences;
        EXPECT_LE(evaluations, bound) << mode.Name() << " " << inputs;
        EXPECT_LE(differences, evaluations * kMostDifferencesPerEvaluation)
            << mode.Name() << " " << inputs;
        return evaluations;
    };

    // The power search reads the diameter and the target; its coarse stage ends by 1 000 000 l/h.
    constexpr std::int64_t kPowerBound = 999 + 1 + 3 * 11;
    std::int64_t most = 0;
    for (const char* diameter : {"1", "13,5", "37", "278", "279", "1000", "0", "-5"}) {
        for (const char* target : targets) {
            Paste(form.Text_D, diameter);
            Paste(form.Text_Y, target);
            most = std::max(most, check(form.Option_Potenza, kPowerBound,
                                        std::string("D ") + diameter + " Y " + target));
        }
    }
    EXPECT_EQ(most, 999);

    // The diameter search reads the flow and the target; it ends where the velocity of the flow,
    // at most 32767 l/h, rounds to 0.
    constexpr std::int64_t kDiameterBound = 1600;
    most = 0;
    for (const char* flow : {"1", "9976", "32767", "-32768"}) {
        for (const char* target : {"-9999999", "0", "100", "9999999"}) {
            Paste(form.Text_G, flow);
            Paste(form.Text_Y, target);
            most = std::max(most, check(form.Option_Diametro, kDiameterBound,
                                        std::string("G ") + flow + " Y " + target));
        }
    }
    EXPECT_GT(most, 1000);

    // Under "Altro": negative and huge roughnesses, viscous fluids, and negative flows, which
    // give negative Reynolds numbers.
    form.UserClick(form.Option_TuboX);
    form.UserClick(form.Option_FluidoX);
    Paste(form.Text_Y, "9999999");
    for (const char* viscosity : {"1", "1161", "-1"}) {
        for (const char* roughness : {"-0,0001", "-1", "0", "140"}) {
            for (const char* flow : {"9976", "-9976"}) {
                Paste(form.Text_Mu, viscosity);
                Paste(form.Text_epsilon, roughness);
                Paste(form.Text_G, flow);
                const std::string inputs =
                    std::string("mu ") + viscosity + " eps " + roughness + " G " + flow;
                check(form.Option_Perdita, 1, inputs);
                check(form.Option_Diametro, kDiameterBound, inputs);
                check(form.Option_Potenza, kPowerBound, inputs);
            }
        }
    }
}

}  // namespace
}  // namespace idrovela::window
