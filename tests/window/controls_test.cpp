#include "window/controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "tests/window/recorder.h"

namespace idrovela::window {
namespace {

TEST(Controls, TabIndicesAreZeroToThirtySevenEachOnce) {
    std::set<int> tabs;
    for (const ControlDesign& design : kControls) {
        tabs.insert(design.tabIndex);
    }
    EXPECT_EQ(tabs.size(), kControls.size());
    EXPECT_EQ(*tabs.begin(), 0);
    EXPECT_EQ(*tabs.rbegin(), 37);
    EXPECT_EQ(DesignOf("Text_Y").tabIndex, 0);
}

TEST(Controls, NamesAreUniqueAndContainersAreFrames) {
    std::set<std::string_view> names;
    for (const ControlDesign& design : kControls) {
        EXPECT_TRUE(names.insert(design.name).second) << design.name;
        if (!design.container.empty()) {
            EXPECT_EQ(DesignOf(design.container).kind, ControlKind::Frame) << design.name;
        }
    }
    EXPECT_THROW(static_cast<void>(DesignOf("Text_X")), std::out_of_range);
}

TEST(Controls, EveryControlLiesInsideItsContainer) {
    for (const ControlDesign& design : kControls) {
        const Twips& g = design.geometry;
        const int width = design.container.empty() ? kClientWidthTwips
                                                   : DesignOf(design.container).geometry.width;
        const int height = design.container.empty() ? kClientHeightTwips
                                                    : DesignOf(design.container).geometry.height;
        EXPECT_LE(g.left + g.width, width) << design.name;
        EXPECT_LE(g.top + g.height, height) << design.name;
    }
}

TEST(Controls, SpinnersAreBoundToTheirFields) {
    for (const SpinnerDesign& spinner : kSpinners) {
        EXPECT_EQ(DesignOf(spinner.name).kind, ControlKind::Spinner);
        EXPECT_EQ(DesignOf(spinner.buddy).kind, ControlKind::TextBox);
    }
}

using InitialState = test::WindowTest;

TEST_F(InitialState, IsTheStateBeforeStartUp) {
    EXPECT_EQ(form.Text_V.Text(), "9976");
    EXPECT_EQ(form.Text_Pollici.Text(), "1\"1/2");
    EXPECT_EQ(form.Text1.Text(), "cliccare qui per informazioni");
    EXPECT_FALSE(form.Text_Rho.Enabled());
    EXPECT_FALSE(form.Text_Mu.Enabled());
    EXPECT_FALSE(form.Text_epsilon.Enabled());
    EXPECT_TRUE(form.Text_D.Enabled());
    EXPECT_TRUE(form.Check1.Value());
    EXPECT_TRUE(form.UpDown_D.Visible());
    EXPECT_TRUE(form.UpDown_P.Visible());
    EXPECT_FALSE(form.UpDown_Y.Visible());
    EXPECT_EQ(form.numeroreynolds(), Currency());
    EXPECT_TRUE(recorder.onTopCalls.empty());

    // Exactly one selection in each group, as the window opens.
    for (const OptionButton* selected :
         {&form.Option_Perdita, &form.Option_Tubo2, &form.Option_Fluido2}) {
        for (const OptionButton* button : form.GroupOf(*selected).Buttons()) {
            EXPECT_EQ(button->Value(), button == selected) << button->Name();
        }
    }
}

TEST_F(InitialState, ModelMatchesTheControlTable) {
    for (const ControlDesign& design : kControls) {
        if (design.kind == ControlKind::TextBox) {
            const TextBox* field = form.FindTextBox(design.name);
            ASSERT_NE(field, nullptr) << design.name;
            EXPECT_EQ(field->Text(), design.caption);
            EXPECT_EQ(field->Enabled(), design.enabled);
        } else if (design.kind == ControlKind::OptionButton) {
            const OptionButton* button = form.FindOptionButton(design.name);
            ASSERT_NE(button, nullptr) << design.name;
            EXPECT_EQ(button->Value(), design.selected);
        } else if (design.kind == ControlKind::Spinner) {
            const Spinner* spinner = form.FindSpinner(design.name);
            ASSERT_NE(spinner, nullptr) << design.name;
            EXPECT_EQ(spinner->Visible(), design.visible);
        }
    }
    EXPECT_EQ(form.UpDown_D.Value(), 37);
    EXPECT_EQ(form.UpDown_P.Value(), 116);
    EXPECT_EQ(form.UpDown_Y.Value(), 100);
    EXPECT_EQ(form.UpDown_Y.Maximum(), 10000);
}

}  // namespace
}  // namespace idrovela::window
