// "Proprietà del fluido" beside the window: what it shows, and what "Applica" does to it.

#include "tools/fluid_tool.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/window/recorder.h"

namespace idrovela::tools {
namespace {

using window::test::WindowTest;

using FluidTest = WindowTest;

TEST_F(FluidTest, ApplyDoesWhatTheUserWouldDoByHand) {
    Start();
    const auto before = Evaluations();
    const FluidEvaluation applied = ApplyFluid(form, {FluidKind::Acqua, 0, 20});
    ASSERT_TRUE(applied.properties.has_value());
    EXPECT_TRUE(form.Option_FluidoX.Value());
    EXPECT_TRUE(form.Text_Mu.Enabled());
    EXPECT_EQ(form.Text_Rho.Text(), "998,2");
    EXPECT_EQ(form.Text_Mu.Text(), "1,0016");
    EXPECT_EQ(Evaluations(), before + 1);  // recalculated once, as a preset does
    EXPECT_EQ(applied.freezingPointC, 0.0);
    EXPECT_EQ(applied.specificHeatText, "4,185");  // kJ/(kg·K), shown only

    const FluidEvaluation glycol = ApplyFluid(form, {FluidKind::Propilenico, 30, 10});
    ASSERT_TRUE(glycol.properties.has_value());
    // The table's own cell, 1032,55, is held as the Double just below it.
    EXPECT_EQ(form.Text_Rho.Text(), "1032,5");
    EXPECT_EQ(form.Text_Mu.Text(), "4,52");
    EXPECT_EQ(glycol.specificHeatText, "3,820");
    EXPECT_NEAR(*glycol.freezingPointC, -13.12, 1e-12);
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(FluidTest, OutsideTheDataNothingChanges) {
    Start();
    const auto before = Evaluations();
    const FluidEvaluation frozen = ApplyFluid(form, {FluidKind::Etilenico, 30, -20});
    EXPECT_FALSE(frozen.properties.has_value());
    EXPECT_NE(frozen.error.find("−10 °C"), std::string::npos) << frozen.error;
    EXPECT_FALSE(ApplyFluid(form, {FluidKind::Acqua, 0, 100}).properties.has_value());
    EXPECT_TRUE(form.Option_Fluido2.Value());
    EXPECT_EQ(form.Text_Rho.Text(), "998,2");
    EXPECT_EQ(form.Text_Mu.Text(), "1,000");
    EXPECT_EQ(Evaluations(), before);

    // A freezing point beyond its own table leaves the other properties given.
    const FluidEvaluation strong = EvaluateFluid({FluidKind::Etilenico, 60, 20});
    EXPECT_TRUE(strong.properties.has_value());
    EXPECT_FALSE(strong.freezingPointC.has_value());
    EXPECT_NE(strong.freezingError.find("la fonte non dà il punto di congelamento"),
              std::string::npos)
        << strong.freezingError;
}

}  // namespace
}  // namespace idrovela::tools
