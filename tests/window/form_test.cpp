// Start-up, the presets, the solve-mode buttons, always-on-top and the information line.

#include <gtest/gtest.h>

#include "tests/support/values.h"
#include "tests/window/recorder.h"

namespace idrovela::window {
namespace {

using idrovela::test::C;
using test::WindowTest;

using StartUp = WindowTest;

TEST_F(StartUp, PutsTheWindowOnTopAndShowsTheLossOfTheDefaults) {
    Start();
    EXPECT_EQ(recorder.onTopCalls, std::vector<bool>{true});
    EXPECT_EQ(form.Text_G.Text(), "9976");  // the flow of 116 kW at 10 °C, as it was
    EXPECT_EQ(form.Text_V.Text(), "2,58");
    EXPECT_EQ(form.Text_Y.Text(), "595");
    EXPECT_EQ(form.Text_Pollici.Text(), "1\"1/2");  // not worked out until D changes
    EXPECT_EQ(form.costantec, Integer(140));
    EXPECT_EQ(form.costanterho, C("998,2"));
    EXPECT_EQ(form.costantemu(), C("1"));
    EXPECT_EQ(form.costanteepsilon(), C("0,045"));
    EXPECT_EQ(form.numeroreynolds(), C("934,777"));
    EXPECT_EQ(Evaluations(), 1);
}

TEST_F(StartUp, OnTopEvenWithTheBoxUnchecked) {
    form.UserClick(form.Check1);
    recorder.onTopCalls.clear();
    Start();
    EXPECT_EQ(recorder.onTopCalls, std::vector<bool>{true});
}

TEST_F(StartUp, ErrorsStopItWhereTheyAreRaised) {
    form.Text_dT.SetText("0");
    form.Load();
    EXPECT_EQ(TakeErrors(), std::vector{ErrorCode::DivisionByZero});
    EXPECT_EQ(form.Text_V.Text(), "9976");  // the steps after the error did not run
    EXPECT_EQ(form.costantec, Integer(140));
}

using Presets = WindowTest;

TEST_F(Presets, FluidButtonsWriteTheirValuesLockTheFieldsAndRecalculate) {
    Start();
    form.UserClick(form.Option_Fluido1);
    EXPECT_EQ(form.Text_Mu.Text(), "1,556");
    EXPECT_EQ(form.Text_Rho.Text(), "1000");
    EXPECT_FALSE(form.Text_Mu.Enabled());
    EXPECT_FALSE(form.Text_Rho.Enabled());
    EXPECT_EQ(form.Text_Y.Text(), "699");
    EXPECT_EQ(form.numeroreynolds(), C("601,8397"));
    EXPECT_EQ(form.costanterho, C("998,2"));  // kept from start-up
    EXPECT_EQ(form.costantemu(), C("1"));

    form.UserClick(form.Option_Fluido3);
    EXPECT_EQ(form.Text_Mu.Text(), "0,3527");
    EXPECT_EQ(form.Text_Rho.Text(), "971,8");

    form.UserClick(form.Option_Fluido2);
    EXPECT_EQ(form.Text_Mu.Text(), "1");  // not the default "1,000"
    EXPECT_EQ(form.Text_Rho.Text(), "998,2");
    EXPECT_EQ(form.Text_Y.Text(), "595");
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(Presets, AltroUnlocksWithoutRecalculating) {
    Start();
    form.UserClick(form.Option_Fluido1);
    const auto before = Evaluations();
    form.UserClick(form.Option_FluidoX);
    EXPECT_TRUE(form.Text_Mu.Enabled());
    EXPECT_TRUE(form.Text_Rho.Enabled());
    EXPECT_EQ(form.Text_Mu.Text(), "1,556");
    EXPECT_EQ(Evaluations(), before);

    // A typed fluid is used by the next recalculation, whatever sets it off.
    Paste(form.Text_Mu, "2");
    EXPECT_EQ(Evaluations(), before);
    form.UserKeyRelease(form.Text_D, 0);
    EXPECT_EQ(Evaluations(), before + 1);
    EXPECT_NE(form.Text_Y.Text(), "699");
}

TEST_F(Presets, MaterialButtonsKeepTheRoughnessVariableInStep) {
    Start();
    form.UserClick(form.Option_Tubo1);
    EXPECT_EQ(form.Text_epsilon.Text(), "0,0015");
    EXPECT_EQ(form.costanteepsilon(), C("0,0015"));
    EXPECT_FALSE(form.Text_epsilon.Enabled());
    EXPECT_EQ(Evaluations(), 2);

    const std::string_view roughness[] = {"0,3", "0,007", "0,045"};
    OptionButton* buttons[] = {&form.Option_Tubo3, &form.Option_Tubo4, &form.Option_Tubo2};
    for (int i = 0; i < 3; ++i) {
        form.UserClick(*buttons[i]);
        EXPECT_EQ(form.Text_epsilon.Text(), roughness[i]);
    }
    EXPECT_EQ(form.Text_Y.Text(), "595");

    form.UserClick(form.Option_TuboX);
    EXPECT_TRUE(form.Text_epsilon.Enabled());
    Paste(form.Text_epsilon, "");  // emptied to type a new value
    EXPECT_EQ(TakeErrors(), std::vector{ErrorCode::TypeMismatch});
    EXPECT_EQ(form.costanteepsilon(), C("0,045"));
    Type(form.Text_epsilon, "0,1");
    EXPECT_EQ(form.costanteepsilon(), C("0,1"));
    // The partial text "0," reads as 0; nothing of it fails.
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(Presets, InputToADisabledFieldIsIgnored) {
    Start();
    Paste(form.Text_Mu, "5");
    form.UserKeystroke(form.Text_epsilon, '1', "0,0451");
    EXPECT_EQ(form.Text_Mu.Text(), "1,000");
    EXPECT_EQ(form.Text_epsilon.Text(), "0,045");
}

using SolveMode = WindowTest;

TEST_F(SolveMode, HidesTheSpinnerOfTheQuantityWorkedOutAndRecalculatesNothing) {
    Start();
    const auto texts = [&] {
        std::vector<std::string> all;
        for (const TextBox* field : form.TextBoxes()) {
            all.push_back(field->Text());
        }
        return all;
    };
    const auto before = texts();
    form.UserClick(form.Option_Potenza);
    EXPECT_TRUE(form.UpDown_D.Visible());
    EXPECT_FALSE(form.UpDown_P.Visible());
    EXPECT_TRUE(form.UpDown_Y.Visible());
    EXPECT_TRUE(form.Option_Tubo2.Value());
    EXPECT_TRUE(form.Option_Fluido2.Value());

    form.UserClick(form.Option_Diametro);
    EXPECT_FALSE(form.UpDown_D.Visible());
    form.UserClick(form.Option_Perdita);
    EXPECT_TRUE(form.UpDown_D.Visible());
    EXPECT_TRUE(form.UpDown_P.Visible());
    EXPECT_FALSE(form.UpDown_Y.Visible());
    EXPECT_EQ(texts(), before);
    EXPECT_EQ(Evaluations(), 1);

    // A click on the selected button runs nothing.
    form.UpDown_Y.SetVisible(true);
    form.UserClick(form.Option_Perdita);
    EXPECT_TRUE(form.UpDown_Y.Visible());
}

TEST_F(SolveMode, HiddenSpinnerTakesNoClicksButItsFieldStillRecalculates) {
    Start();
    form.UserClick(form.Option_Diametro);
    Paste(form.Text_Y, "100");
    form.UserUp(form.UpDown_D);
    EXPECT_EQ(form.Text_D.Text(), "37");
    form.UserKeyRelease(form.Text_D, 0);  // runs the hidden spinner's handler
    EXPECT_EQ(form.Text_D.Text(), "55");
}

using OnTopAndInfo = WindowTest;

TEST_F(OnTopAndInfo, CheckBoxSetsAndReleasesOnTop) {
    Start();
    form.UserClick(form.Check1);
    form.UserClick(form.Check1);
    EXPECT_EQ(recorder.onTopCalls, (std::vector<bool>{true, false, true}));
}

TEST_F(OnTopAndInfo, InformationLineTogglesAddressAndVersion) {
    Start();
    form.UserClick(form.Text1);
    EXPECT_EQ(form.Text1.Text(), kWebAddress);
    form.UserClick(form.Text1);
    EXPECT_EQ(form.Text1.Text(), "Versione Beta 2004 11 24");
    form.UserClick(form.Text1);
    EXPECT_EQ(form.Text1.Text(), kWebAddress);
    Paste(form.Text1, "anything");
    form.UserClick(form.Text1);
    EXPECT_EQ(form.Text1.Text(), kWebAddress);
    form.UserClick(form.Text_D);  // other fields take clicks without a handler
    EXPECT_EQ(form.Text_D.Text(), "37");
}

}  // namespace
}  // namespace idrovela::window
