// A pipe set up in the main window as the user would set it up by hand: the loss mode, the
// fluid applied, G written, the tube chosen, whatever the window showed before.

#include "tools/calculator_setup.h"

#include <gtest/gtest.h>

#include "catalogues/built_in.h"
#include "tests/window/recorder.h"
#include "tools/physics_panel.h"
#include "tools/pipe_table.h"

namespace idrovela::tools {
namespace {

using window::test::WindowTest;

const catalogues::Series& BuiltInSeries(const char* name) {
    static const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    return *catalogue.Find(name);
}

ChosenTube TubeOf(const char* seriesName, const char* designation) {
    const catalogues::Series& series = BuiltInSeries(seriesName);
    for (const catalogues::Tube& tube : series.tubes) {
        if (tube.designation == designation) {
            return {series.name, series.title, tube};
        }
    }
    throw std::runtime_error(std::string("no tube ") + designation);
}

class CalculatorSetUpTest : public WindowTest {
  protected:
    void SetUp() override { Start(); }
    ToolMemory memory;
};

// From the diameter mode, another material and a water preset: each left as the set-up needs.
TEST_F(CalculatorSetUpTest, LeavesTheWindowOnTheTubeTheFlowAndTheFluid) {
    form.UserClick(form.Option_Diametro);
    form.UserClick(form.Option_Tubo3);
    form.UserClick(form.Option_Fluido1);
    const ChosenTube tube = TubeOf("rame", "22×1");
    const FluidChoice fluid{FluidKind::Etilenico, 30, 65};
    ASSERT_EQ(SetUpCalculator(form, memory, {fluid, tube, Integer(1234), "", "", {}, {}}),
              std::nullopt);
    memory.Follow(form);

    EXPECT_TRUE(form.Option_Perdita.Value());
    EXPECT_TRUE(form.Option_Tubo1.Value());  // copper's preset: 0,0015 mm
    EXPECT_TRUE(form.Option_FluidoX.Value());
    const FluidEvaluation expected = EvaluateFluid(fluid);
    EXPECT_EQ(form.Text_Rho.Text(), expected.densityText);
    EXPECT_EQ(form.Text_Mu.Text(), expected.viscosityText);
    EXPECT_EQ(memory.FluidDescription(), "glicole etilenico 30 % a 65 °C");
    EXPECT_EQ(form.Text_G.Text(), "1234");
    EXPECT_EQ(form.Text_D.Text(), "20");
    EXPECT_TRUE(recorder.errors.empty());

    // The panel works at the tube's exact bore, and the window's Y was worked out at that G.
    ASSERT_NE(memory.Tube(), nullptr);
    EXPECT_EQ(CheckPhysics(form, memory.Tube()).inputs.diameterMm, tube.tube.innerMm);
    const PipeTable table = ComputePipeTable(form, BuiltInSeries("rame"), {});
    for (const PipeRow& row : table.rows) {
        if (row.tube.designation == "22×1") {
            EXPECT_EQ(form.Text_Y.Text(), row.windowY);
        }
    }
}

// A fluid outside the data stops the set-up before dT, P, G and the tube, and a P whose G the
// window's own relation puts beyond 32 767 l/h before anything; each says why.
TEST_F(CalculatorSetUpTest, WhatTheWindowCannotTakeStopsItWithTheReason) {
    const struct {
        FluidChoice fluid;
        const char* power;
        const char* says;
    } cases[] = {{{FluidKind::Acqua, 0, 150}, "1,5", "150"},
                 {{FluidKind::Acqua, 0, 20}, "381,1", "P 381,1 kW"}};
    for (const auto& c : cases) {
        const std::string before = form.Text_dT.Text() + form.Text_P.Text() + form.Text_G.Text() +
                                   form.Text_D.Text() + form.Text_Rho.Text();
        const auto problem = SetUpCalculator(
            form, memory, {c.fluid, TubeOf("rame", "22×1"), Integer(1234), "10", c.power, {}, {}});
        ASSERT_TRUE(problem.has_value());
        EXPECT_NE(problem->find(c.says), std::string::npos) << *problem;
        EXPECT_EQ(form.Text_dT.Text() + form.Text_P.Text() + form.Text_G.Text() +
                      form.Text_D.Text() + form.Text_Rho.Text(),
                  before);
        EXPECT_EQ(memory.Tube(), nullptr);
        EXPECT_TRUE(recorder.errors.empty());
    }
    // The window's own relation, as its handlers round it: 381 kW at dT 10 is 32 766 l/h.
    EXPECT_EQ(FlowFromPower("381", "10"), Integer(32766));
    EXPECT_EQ(FlowFromPower("381,1", "10"), std::nullopt);
    EXPECT_EQ(FlowFromPower("1,5", "0"), std::nullopt);
    EXPECT_EQ(FlowFromPower("uno", "10"), std::nullopt);
}

}  // namespace
}  // namespace idrovela::tools
