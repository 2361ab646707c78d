// Choosing a tube and applying a fluid through the tools' memory: the material a tube brings, the
// physics panel at the chosen tube's bore, what makes the tools forget the tube or the fluid, and
// how an applied fluid is described.

#include "tools/tool_memory.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "calc/text_conversions.h"
#include "catalogues/built_in.h"
#include "tests/window/recorder.h"
#include "tools/fluid_tool.h"
#include "tools/physics_panel.h"
#include "tools/pipe_table.h"
#include "window/copy_values.h"

namespace idrovela::tools {
namespace {

using window::Form_Principale;
using window::OptionButton;
using window::test::Recorder;
using window::test::WindowTest;

const catalogues::Catalogue& BuiltIn() {
    static const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    return catalogue;
}

const catalogues::Series& BuiltInSeries(const std::string& name) {
    const catalogues::Series* series = BuiltIn().Find(name);
    if (series == nullptr) {
        throw std::runtime_error("no series " + name);
    }
    return *series;
}

// A firm's own series of one tube, with a roughness that no preset of the window has.
catalogues::Series OwnSeries(double roughnessMm) {
    catalogues::Series series;
    series.name = "ditta";
    series.title = "Ditta";
    series.tubes = {{"20×2", 20, 2, 16, roughnessMm}};
    return series;
}

// Enter on the row `designation` of `series`, as the table shows it for the window now.
bool Choose(Form_Principale& form, ToolMemory& memory, const catalogues::Series& series,
            const std::string& designation) {
    const PipeTable table = ComputePipeTable(form, series, {});
    for (const PipeRow& row : table.rows) {
        if (row.tube.designation == designation) {
            const bool chosen = memory.ChooseTube(form, series, row);
            memory.Follow(form);
            return chosen;
        }
    }
    throw std::runtime_error("no tube " + designation);
}

class ToolMemoryTest : public WindowTest {
  protected:
    void SetUp() override { Start(); }
    bool Choose(const std::string& series, const std::string& designation) {
        return tools::Choose(form, memory, BuiltInSeries(series), designation);
    }
    // One action of the user, then the tools follow it.
    void Act(const std::function<void(Form_Principale&)>& action) {
        action(form);
        memory.Follow(form);
    }

    ToolMemory memory;
};

TEST_F(ToolMemoryTest, TheUsersOwnRoughnessAfterChoosingDropsTheTube) {
    ASSERT_TRUE(tools::Choose(form, memory, OwnSeries(0.01), "20×2"));
    EXPECT_TRUE(form.Option_TuboX.Value());  // no preset has 0,01 mm
    ASSERT_NE(memory.Tube(), nullptr);
    EXPECT_EQ(CheckPhysics(form, memory.Tube()).inputs.roughnessMm, 0.01);

    Act([](Form_Principale& f) { f.UserEdit(f.Text_epsilon, "0,02"); });
    EXPECT_EQ(memory.Tube(), nullptr);
    EXPECT_EQ(CheckPhysics(form, memory.Tube()).inputs.roughnessMm, 0.02);
}

// The panel at a chosen tube reads what the table reads for it: the same bore, roughness,
// velocity, density and viscosity, so the same figures to the bit, in the loss mode and in the
// power mode, where choosing moves the flow.
TEST_F(ToolMemoryTest, AfterChoosingThePanelsLossIsTheTablesForEveryBuiltInTube) {
    Paste(form.Text_G, "800");
    form.UserEdit(form.Text_Y, "150");
    int tubes = 0;
    for (OptionButton* mode : {&form.Option_Perdita, &form.Option_Potenza}) {
        form.UserClick(*mode);
        for (const catalogues::Series& series : BuiltIn().series) {
            for (const catalogues::Tube& tube : series.tubes) {
                SCOPED_TRACE(std::string(mode->Name()) + " " + series.name + " " +
                             tube.designation);
                ASSERT_TRUE(tools::Choose(form, memory, series, tube.designation));
                ASSERT_NE(memory.Tube(), nullptr);
                const PhysicsCheck check = CheckPhysics(form, memory.Tube());
                ASSERT_TRUE(check.flow.has_value()) << check.message;
                EXPECT_EQ(check.inputs.diameterMm, tube.innerMm);
                const PipeTable table = ComputePipeTable(form, series, {});
                const PipeRow* row = nullptr;
                for (const PipeRow& r : table.rows) {
                    if (r.tube.designation == tube.designation) {
                        row = &r;
                    }
                }
                ASSERT_NE(row, nullptr);
                ASSERT_TRUE(row->standard.has_value()) << row->standardError;
                EXPECT_EQ(std::bit_cast<std::uint64_t>(check.flow->pascalPerMetre),
                          std::bit_cast<std::uint64_t>(row->standard->pascalPerMetre));
                EXPECT_EQ(std::bit_cast<std::uint64_t>(check.inputs.velocityMs),
                          std::bit_cast<std::uint64_t>(row->velocityMs));
                ++tubes;
            }
        }
    }
    EXPECT_EQ(tubes, 2 * 92);
}

// Each case starts from 12×1,3 PE-RT chosen at 250 l/h, runs its actions one by one, and after
// each says whether the panel still works at the tube's bore.
TEST(ToolMemory, WhatForgetsTheTubeAndWhatKeepsIt) {
    using Step = std::function<void(Form_Principale&)>;
    const struct {
        const char* what;
        std::vector<std::pair<Step, bool>> steps;  // the action, and whether the tube is kept
    } cases[] = {
        {"typing D",
         {{[](Form_Principale& f) { f.UserKeystroke(f.Text_D, '0', f.Text_D.Text() + "0"); },
           false}}},
        {"stepping D up and down",
         {{[](Form_Principale& f) { f.UserUp(f.UpDown_D); }, false},
          {[](Form_Principale& f) { f.UserDown(f.UpDown_D); }, false}}},
        {"a key release in D", {{[](Form_Principale& f) { f.UserKeyRelease(f.Text_D, 0); }, true}}},
        {"another material", {{[](Form_Principale& f) { f.UserClick(f.Option_Tubo1); }, false}}},
        {"the diameter search",
         {{[](Form_Principale& f) { f.UserKeyRelease(f.Text_Y, 0); }, true},
          {[](Form_Principale& f) { f.UserClick(f.Option_Diametro); }, true},
          {[](Form_Principale& f) { f.UserKeyRelease(f.Text_Y, 0); }, false}}},
        {"another flow", {{[](Form_Principale& f) { f.UserEdit(f.Text_G, "300"); }, true}}},
        {"a fluid applied",
         {{[](Form_Principale& f) {
               static_cast<void>(ApplyFluid(f, {FluidKind::Etilenico, 30, 40}));
           },
           true}}},
        {"the power search",
         {{[](Form_Principale& f) { f.UserClick(f.Option_Potenza); }, true},
          {[](Form_Principale& f) { f.UserEdit(f.Text_Y, "100"); }, true},
          {[](Form_Principale& f) { f.UserKeyRelease(f.Text_Y, 0); }, true}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Recorder platform;
        Form_Principale form(platform, platform);
        form.Load();
        form.UserEdit(form.Text_G, "250");
        ToolMemory memory;
        ASSERT_TRUE(Choose(form, memory, BuiltInSeries("pert"), "12×1,3"));
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            c.steps[i].first(form);
            memory.Follow(form);
            EXPECT_EQ(memory.Tube() != nullptr, c.steps[i].second) << "after step " << i + 1;
            const PhysicsCheck check = CheckPhysics(form, memory.Tube());
            if (memory.Tube() == nullptr && check.flow) {
                EXPECT_EQ(check.inputs.diameterMm, TextToDouble(form.Text_D.Text()));
            }
        }
    }
}

TEST_F(ToolMemoryTest, AnAppliedFluidIsDescribedWhileTheWindowHoldsIt) {
    EXPECT_EQ(memory.FluidDescription(), std::nullopt);
    ASSERT_TRUE(memory.ApplyFluid(form, {FluidKind::Etilenico, 30, 40}).properties.has_value());
    memory.Follow(form);
    EXPECT_EQ(memory.FluidDescription(), "glicole etilenico 30 % a 40 °C");
    EXPECT_EQ(window::ValuesToCopy(form, memory.FluidDescription())[9].text,
              "Altro (glicole etilenico 30 % a 40 °C)");

    // A fluid outside the data changes nothing, so the description stays.
    EXPECT_FALSE(memory.ApplyFluid(form, {FluidKind::Acqua, 0, 150}).properties.has_value());
    memory.Follow(form);
    EXPECT_EQ(memory.FluidDescription(), "glicole etilenico 30 % a 40 °C");

    // Recalculating keeps it; the user's own viscosity or a water preset does not.
    Act([](Form_Principale& f) { f.UserRecalc(); });
    EXPECT_TRUE(memory.FluidDescription().has_value());
    Act([](Form_Principale& f) { f.UserKeystroke(f.Text_Mu, '1', f.Text_Mu.Text() + "1"); });
    EXPECT_EQ(memory.FluidDescription(), std::nullopt);
    EXPECT_EQ(window::ValuesToCopy(form, memory.FluidDescription())[9].text, "Altro");

    ASSERT_TRUE(memory.ApplyFluid(form, {FluidKind::Acqua, 0, 20}).properties.has_value());
    memory.Follow(form);
    EXPECT_EQ(memory.FluidDescription(), "acqua a 20 °C");
    Act([](Form_Principale& f) { f.UserClick(f.Option_Fluido2); });
    EXPECT_EQ(memory.FluidDescription(), std::nullopt);
    Act([](Form_Principale& f) { f.UserClick(f.Option_FluidoX); });
    EXPECT_EQ(memory.FluidDescription(), std::nullopt);  // forgotten for good

    EXPECT_EQ(DescribeFluid({FluidKind::Propilenico, 32.5, -5}),
              "glicole propilenico 32,5 % a −5 °C");
}

}  // namespace
}  // namespace idrovela::tools
