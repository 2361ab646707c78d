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
    for (const ControlSpec& spec : kControls) {
        tabs.insert(spec.tabIndex);
    }
    EXPECT_EQ(tabs.size(), kControls.size());
    EXPECT_EQ(*tabs.begin(), 0);
    EXPECT_EQ(*tabs.rbegin(), 37);
    EXPECT_EQ(Spec("Text_Y").tabIndex, 0);
}

TEST(Controls, NamesAreUniqueAndContainersAreFrames) {
    std::set<std::string_view> names;
    for (const ControlSpec& spec : kControls) {
        EXPECT_TRUE(names.insert(spec.name).second) << spec.name;
        if (!spec.container.empty()) {
            EXPECT_EQ(Spec(spec.container).kind, ControlKind::Frame) << spec.name;
        }
    }
    EXPECT_THROW(static_cast<void>(Spec("Text_X")), std::out_of_range);
}

TEST(Controls, EveryControlLiesInsideItsContainer) {
    for (const ControlSpec& spec : kControls) {
        const Twips& g = spec.geometry;
        const int width =
            spec.container.empty() ? kClientWidthTwips : Spec(spec.container).geometry.width;
        const int height =
            spec.container.empty() ? kClientHeightTwips : Spec(spec.container).geometry.height;
        EXPECT_LE(g.left + g.width, width) << spec.name;
        EXPECT_LE(g.top + g.height, height) << spec.name;
    }
}

TEST(Controls, SpinnersAreBoundToTheirFields) {
    for (const SpinnerSpec& spinner : kSpinners) {
        EXPECT_EQ(Spec(spinner.name).kind, ControlKind::Spinner);
        EXPECT_EQ(Spec(spinner.buddy).kind, ControlKind::TextBox);
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
    for (const ControlSpec& spec : kControls) {
        if (spec.kind == ControlKind::TextBox) {
            const TextBox* field = form.FindTextBox(spec.name);
            ASSERT_NE(field, nullptr) << spec.name;
            EXPECT_EQ(field->Text(), spec.caption);
            EXPECT_EQ(field->Enabled(), spec.enabled);
        } else if (spec.kind == ControlKind::OptionButton) {
            const OptionButton* button = form.FindOptionButton(spec.name);
            ASSERT_NE(button, nullptr) << spec.name;
            EXPECT_EQ(button->Value(), spec.selected);
        } else if (spec.kind == ControlKind::Spinner) {
            const Spinner* spinner = form.FindSpinner(spec.name);
            ASSERT_NE(spinner, nullptr) << spec.name;
            EXPECT_EQ(spinner->Visible(), spec.visible);
        }
    }
    EXPECT_EQ(form.UpDown_D.Value(), 37);
    EXPECT_EQ(form.UpDown_P.Value(), 116);
    EXPECT_EQ(form.UpDown_Y.Value(), 100);
    EXPECT_EQ(form.UpDown_Y.Maximum(), 10000);
}

}  // namespace
}  // namespace idrovela::window
