// What the window gives beside its handlers: which key releases end a keystroke, the figures it
// copies, and a description of every control.

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/window/recorder.h"
#include "window/control_help.h"
#include "window/controls.h"
#include "window/copy_values.h"
#include "window/help_text.h"
#include "window/key_gate.h"

namespace idrovela::window {
namespace {

constexpr int kEnter = 0x01000004;
constexpr int kTab = 0x01000001;
constexpr int kControl = 0x01000021;
constexpr int kShift = 0x01000020;

constexpr bool kFirst = false;  // a key's first press
constexpr bool kRepeat = true;  // an auto-repeat while it is held

TEST(KeyReleaseGate, OnlyAReleaseWhosePressCameHereAndWasNotTakenCounts) {
    KeyReleaseGate gate;
    EXPECT_FALSE(gate.ReleaseCounts(kEnter));  // pressed before the window knew of it

    gate.PressedHere(kTab, kFirst);  // Tab moves the focus; its release lands on the next field
    EXPECT_TRUE(gate.ReleaseCounts(kTab));
    EXPECT_FALSE(gate.ReleaseCounts(kTab));  // one press, one release

    gate.PressedHere(kEnter, kFirst);
    gate.PressedElsewhere(kEnter);  // a message box took it
    EXPECT_FALSE(gate.ReleaseCounts(kEnter));

    gate.PressedHere(kControl, kFirst);
    gate.PressedHere(kShift, kFirst);
    gate.PressedHere(kShift, kRepeat);
    gate.ShortcutTaken();
    EXPECT_FALSE(gate.ReleaseCounts(kShift));
    EXPECT_FALSE(gate.ReleaseCounts(kControl));

    gate.PressedHere(kShift, kFirst);
    gate.PressedHere(',', kFirst);
    gate.KeystrokeStopped();  // the comma's change raised an error
    EXPECT_FALSE(gate.ReleaseCounts(','));
    EXPECT_TRUE(gate.ReleaseCounts(kShift));
}

// A key held down is one keystroke, begun where its first press went: its auto-repeats neither
// bring back a keystroke that a run-time error ended nor make a key another window took the
// field's.
TEST(KeyReleaseGate, AutoRepeatsGoOnWithTheKeystrokeOfTheFirstPress) {
    {
        KeyReleaseGate gate;  // '1' held in the power field
        gate.PressedHere('1', kFirst);
        gate.PressedHere('1', kRepeat);
        gate.PressedHere('1', kRepeat);
        EXPECT_TRUE(gate.ReleaseCounts('1'));
        EXPECT_FALSE(gate.ReleaseCounts('1'));
    }
    {
        KeyReleaseGate gate;  // the error comes with an auto-repeat
        gate.PressedHere(kShift, kFirst);
        gate.PressedHere('1', kFirst);
        gate.PressedHere('1', kRepeat);
        gate.KeystrokeStopped();
        EXPECT_FALSE(gate.ReleaseCounts('1'));
        EXPECT_TRUE(gate.ReleaseCounts(kShift));  // only the keystroke of '1' ended
    }
    {
        KeyReleaseGate gate;  // auto-repeats after the error, before its message box opens
        gate.PressedHere(',', kFirst);
        gate.KeystrokeStopped();
        gate.PressedHere(',', kRepeat);
        gate.PressedHere(',', kRepeat);
        EXPECT_FALSE(gate.ReleaseCounts(','));
    }
    {
        KeyReleaseGate gate;  // a message box closed on Enter's press, and Enter is still down
        gate.PressedElsewhere(kEnter);
        gate.PressedHere(kEnter, kRepeat);
        EXPECT_FALSE(gate.ReleaseCounts(kEnter));
    }
    {
        KeyReleaseGate gate;  // the release went to another program, and the key comes again
        gate.PressedHere(',', kFirst);
        gate.PressedHere(',', kFirst);
        gate.KeystrokeStopped();
        EXPECT_FALSE(gate.ReleaseCounts(','));
    }
}

using CopyValues = test::WindowTest;

TEST_F(CopyValues, EveryFigureWithItsCaptionTheChoicesAndTheMode) {
    Start();
    form.UserClick(form.Option_Potenza);
    form.UserClick(form.Option_FluidoX);
    const std::vector<CopiedValue> values = ValuesToCopy(form);
    ASSERT_EQ(values.size(), 13u);
    EXPECT_EQ(values[0].caption, "Diametro [mm]");
    EXPECT_EQ(values[0].text, "37");
    EXPECT_EQ(values[6].caption, "Y [Pa]");
    EXPECT_EQ(values[6].text, "595");
    EXPECT_EQ(values[9].text, "Altro");
    EXPECT_EQ(values[10].caption, "µ");
    EXPECT_EQ(values[12].text, "Calcola portata e potenza");
}

TEST_F(CopyValues, WhatTheOtherFluidIsFollowsAltroOnly) {
    Start();
    const std::string glycol = "glicole etilenico 30 % a 40 °C";
    EXPECT_EQ(ValuesToCopy(form, glycol)[9].text, "Acqua 20°C");  // not "Altro": not said
    form.UserClick(form.Option_FluidoX);
    EXPECT_EQ(ValuesToCopy(form, glycol)[9].text, "Altro (glicole etilenico 30 % a 40 °C)");
    EXPECT_EQ(ValuesToCopy(form)[9].text, "Altro");
}

TEST_F(CopyValues, TypedTextsStayInTheirCellsAndAreEscaped) {
    form.UserClick(form.Option_FluidoX);
    form.UserEdit(form.Text_Rho, "<b>1\t&\"2\"\n");
    const std::vector<CopiedValue> values = ValuesToCopy(form);
    const std::string tsv = ValuesAsTabSeparated(values);
    EXPECT_NE(tsv.find("Rho\t<b>1 &\"2\" \n"), std::string::npos) << tsv;
    const std::string html = ValuesAsHtmlTable(values);
    EXPECT_NE(html.find("<td align=\"right\">&lt;b&gt;1\t&amp;&quot;2&quot;\n</td>"),
              std::string::npos)
        << html;
    EXPECT_EQ(html.find("<b>"), std::string::npos);
}

TEST(ControlHelp, EveryControlIsDescribedAndEveryFieldHasItsLabel) {
    for (const ControlDesign& design : kControls) {
        const ControlHelp& help = HelpOf(design.name);
        EXPECT_FALSE(help.toolTip.empty()) << design.name;
        if (design.kind == ControlKind::TextBox && help.accessibleName.empty()) {
            ASSERT_FALSE(help.label.empty()) << design.name;
            EXPECT_EQ(DesignOf(help.label).kind, ControlKind::Label) << design.name;
            EXPECT_EQ(DesignOf(help.label).container, design.container) << design.name;
        }
        if (design.caption.empty() && design.kind != ControlKind::TextBox) {
            EXPECT_FALSE(help.accessibleName.empty()) << design.name;
        }
    }
    EXPECT_NE(HelpHtml().find("formule di riferimento proprie del programma"),
              std::string_view::npos);
}

// Y is easily taken for a loss in Pa/m: its own line in the help says it is not one, and where
// that loss is.
TEST(HelpText, SaysWhatYIsAndWhereTheLossInPascalPerMetreIs) {
    std::string help(HelpHtml());
    std::replace(help.begin(), help.end(), '\n', ' ');  // the source's line breaks
    const std::string_view item = std::string_view(help).substr(help.find("<b>Y [Pa]</b>"));
    const std::string_view y = item.substr(0, item.find("</li>"));
    for (const std::string_view said :
         {"formule di riferimento proprie del programma", "Non è una perdita in Pa/m",
          "Verifica fisica", "Tubi commerciali"}) {
        EXPECT_NE(y.find(said), std::string_view::npos) << said;
    }
}

}  // namespace
}  // namespace idrovela::window
