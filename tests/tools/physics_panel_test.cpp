// The physics check beside the window: what it reads from it and what it shows.

#include "tools/physics_panel.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/window/recorder.h"
#include "tools/pipe_table.h"

namespace idrovela::tools {
namespace {

using window::test::WindowTest;

class PhysicsCheckTest : public WindowTest {
  protected:
    void SetUp() override { Start(); }
    std::string Lines() { return SessionLines(CheckPhysics(form)); }
};

TEST_F(PhysicsCheckTest, TheDefaultsGiveTheTextbookFiguresBesideTheWindowsY) {
    const PhysicsCheck check = CheckPhysics(form);
    ASSERT_TRUE(check.flow.has_value()) << check.message;
    // 9976 l/h in 37 mm is 2,5773 m/s, where the window's Text_V holds 2,58.
    EXPECT_NEAR(check.inputs.velocityMs, 2.577274, 1e-6);
    EXPECT_NEAR(check.flow->reynolds, 95187.495, 1e-3);  // 998,2 · 2,5773 · 0,037 / 0,001
    EXPECT_NEAR(*check.flow->lambda, 0.02297, 1e-5);
    EXPECT_NEAR(check.flow->pascalPerMetre, 2058.53, 0.01);
    EXPECT_NEAR(check.flow->mmWaterPerMetre, 209.91, 0.01);
    const std::vector<PanelLine> lines = PanelLines(check);
    EXPECT_EQ(lines.back().caption, "Y calcolata");
    EXPECT_EQ(lines.back().value, "595");
    EXPECT_EQ(lines[0].value, "37 mm");
    EXPECT_EQ(lines[1].value, "2,5773 m/s");
    EXPECT_EQ(lines[5].value, "95187");
    EXPECT_EQ(lines[8].value, "2058,5 Pa/m");
    const std::vector<std::string> notes = PanelNotes(check);
    EXPECT_EQ(notes.front(), kWhyTheyDiffer);

    form.UserClick(form.Option_Potenza);
    EXPECT_EQ(PanelLines(CheckPhysics(form)).back().caption, "Y obiettivo");
    EXPECT_EQ(Lines().rfind("physics.D_mm=37\nphysics.w_m_s=2.577274104836861\n"
                            "physics.epsilon_mm=0.044999999999999998\n"
                            "physics.Re=95187.495423581728\nphysics.regime=turbolento\n",
                            0),
              0u);
}

// The window's Text_V is rounded to 0,01 m/s and worked out with π = 3,1415; the panel reads
// neither, and a velocity typed by the user changes nothing.
TEST_F(PhysicsCheckTest, TheVelocityIsTheFlowsInTheBoreNotTheWindowsText) {
    Paste(form.Text_G, "20");
    Paste(form.Text_D, "16");
    EXPECT_EQ(form.Text_V.Text(), "0,03");
    const PhysicsCheck check = CheckPhysics(form);
    ASSERT_TRUE(check.flow.has_value()) << check.message;
    EXPECT_EQ(check.inputs.velocityMs, VelocityIn(20, 16));
    EXPECT_NEAR(check.inputs.velocityMs, 0.027631, 1e-6);
    form.UserEdit(form.Text_V, "7");
    EXPECT_EQ(CheckPhysics(form).flow->pascalPerMetre, check.flow->pascalPerMetre);
}

TEST_F(PhysicsCheckTest, ATextThatDoesNotConvertIsAMessageNotAnError) {
    form.UserEdit(form.Text_D, "3a");
    const PhysicsCheck check = CheckPhysics(form);
    EXPECT_FALSE(check.flow.has_value());
    EXPECT_EQ(check.message, "Diametro: «3a» non è un numero");
    EXPECT_EQ(Lines(), "physics.error=Diametro: «3a» non è un numero\n");
    EXPECT_EQ(PanelLines(check).size(), 1u);  // only the window's Y is left
    TakeErrors();                             // the diameter's own handler raised, not the panel
    static_cast<void>(CheckPhysics(form));
    EXPECT_TRUE(TakeErrors().empty());

    form.UserEdit(form.Text_D, "99999");
    EXPECT_EQ(CheckPhysics(form).message, "Diametro: «99999» è fuori campo");
}

TEST_F(PhysicsCheckTest, NoFlowIsNoLossAndNoFrictionFactor) {
    form.UserEdit(form.Text_G, "0");
    EXPECT_EQ(Lines(),
              "physics.D_mm=37\nphysics.w_m_s=0\nphysics.epsilon_mm=0.044999999999999998\n"
              "physics.Re=0\nphysics.regime=-\nphysics.lambda=-\nphysics.Pa_per_m=0\n"
              "physics.mbar_per_m=0\nphysics.mmca_per_m=0\n");
    form.UserClick(form.Option_FluidoX);
    form.UserEdit(form.Text_Mu, "0");
    EXPECT_EQ(Lines().rfind("physics.error=", 0), 0u);  // a viscosity of 0 has no Reynolds number
}

}  // namespace
}  // namespace idrovela::tools
