// The window from the keyboard: the Tab cycle, option groups and spinners on the arrow keys, the
// information line on Space and Enter, and key releases that belong to another window or to a
// menu shortcut.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <string>
#include <vector>

#include "tests/window/qt/window_fixture.h"

namespace idrovela::window::qt {
namespace {

using test::MainWindowTest;
using Names = std::vector<std::string>;

class Keyboard : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Activate();
    }
    // The controls Tab (or Shift+Tab) stops at, from Text_Y round to the control before it.
    Names TabCycle(Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Field("Text_Y").setFocus();
        Names cycle{FocusName()};
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            if (FocusName() == "Text_Y") {
                return cycle;
            }
            cycle.push_back(FocusName());
        }
        ADD_FAILURE() << "Tab never came back to Text_Y";
        return cycle;
    }
    QRadioButton& Radio(const char* name) { return Find<QRadioButton>(name); }
    void PressOn(const char* name, Qt::Key key) {
        QWidget& widget = Find(name);
        widget.setFocus();
        QTest::keyClick(&widget, key);
    }
};

TEST_F(Keyboard, TabStopsAtEveryControlByTabIndexAndShiftTabWalksBack) {
    const Names atStart{"Text_Y",  "Text_P", "UpDown_P", "Option_Perdita", "Check1",
                        "Text1",   "Text_D", "UpDown_D", "Text_Pollici",   "Option_Tubo2",
                        "Text_dT", "Text_G", "Text_V",   "Option_Fluido2"};
    EXPECT_EQ(TabCycle(), atStart);
    Names backwards{"Text_Y"};
    backwards.insert(backwards.end(), atStart.rbegin(), atStart.rend() - 1);
    EXPECT_EQ(TabCycle(Qt::ShiftModifier), backwards);
}

// The cycle in every solve mode and with each "Altro": a group is one stop at its selected
// button's tab index, hidden spinners and disabled fields are skipped.
TEST_F(Keyboard, TabCycleFollowsTheModeAndTheEnabledFields) {
    Click("Option_Potenza");
    EXPECT_EQ(TabCycle(), (Names{"Text_Y", "Text_P", "Option_Potenza", "UpDown_Y", "Check1",
                                 "Text1", "Text_D", "UpDown_D", "Text_Pollici", "Option_Tubo2",
                                 "Text_dT", "Text_G", "Text_V", "Option_Fluido2"}));
    Click("Option_Diametro");
    EXPECT_EQ(TabCycle(), (Names{"Text_Y", "Text_P", "UpDown_P", "Option_Diametro", "UpDown_Y",
                                 "Check1", "Text1", "Text_D", "Text_Pollici", "Option_Tubo2",
                                 "Text_dT", "Text_G", "Text_V", "Option_Fluido2"}));
    Click("Option_Perdita");
    Click("Option_TuboX");
    EXPECT_EQ(TabCycle(), (Names{"Text_Y", "Text_P", "UpDown_P", "Option_Perdita", "Check1",
                                 "Text1", "Text_D", "UpDown_D", "Text_Pollici", "Text_dT", "Text_G",
                                 "Text_V", "Option_Fluido2", "Text_epsilon", "Option_TuboX"}));
    Click("Option_Tubo2");
    Click("Option_FluidoX");
    EXPECT_EQ(TabCycle(),
              (Names{"Text_Y", "Text_P", "UpDown_P", "Option_Perdita", "Check1", "Text1", "Text_D",
                     "UpDown_D", "Text_Pollici", "Option_Tubo2", "Text_dT", "Text_G", "Text_V",
                     "Text_Mu", "Text_Rho", "Option_FluidoX"}));
}

TEST_F(Keyboard, ArrowsSelectTheNextOptionDownTheScreenWrappingRound) {
    const auto before = Evaluations();
    PressOn("Option_Tubo2", Qt::Key_Down);
    EXPECT_TRUE(Radio("Option_Tubo3").isChecked());
    EXPECT_EQ(FocusName(), "Option_Tubo3");
    EXPECT_EQ(Text("Text_epsilon"), "0,3");  // the preset's click ran and recalculated
    EXPECT_EQ(Evaluations(), before + 1);

    QTest::keyClick(&Radio("Option_Tubo3"), Qt::Key_Left);
    QTest::keyClick(&Radio("Option_Tubo2"), Qt::Key_Up);
    QTest::keyClick(&Radio("Option_Tubo1"), Qt::Key_Up);  // from the top round to the bottom
    EXPECT_TRUE(Radio("Option_TuboX").isChecked());
    EXPECT_TRUE(Field("Text_epsilon").isEnabled());
    QTest::keyClick(&Radio("Option_TuboX"), Qt::Key_Right);  // and back to the top
    EXPECT_TRUE(window.Model().Option_Tubo1.Value());

    // The mode buttons sit in a column: Diametro, Potenza, Perdita.
    PressOn("Option_Perdita", Qt::Key_Down);
    EXPECT_TRUE(window.Model().Option_Diametro.Value());
    EXPECT_FALSE(Find("UpDown_D").isVisible());
    QTest::keyClick(&Radio("Option_Diametro"), Qt::Key_Down);
    EXPECT_TRUE(window.Model().Option_Potenza.Value());
    EXPECT_TRUE(ShownErrors().empty());
}

TEST_F(Keyboard, SpinnerKeysStepLikeTheArrowsAndFieldArrowsDoNot) {
    PressOn("UpDown_P", Qt::Key_Up);
    EXPECT_EQ(Text("Text_P"), "117");
    const auto before = Evaluations();
    QTest::keyClick(&Find("UpDown_P"), Qt::Key_PageUp);
    EXPECT_EQ(Text("Text_P"), "118");
    EXPECT_EQ(Evaluations(), before + 1);  // a spinner's change recalculates
    QTest::keyClick(&Find("UpDown_P"), Qt::Key_PageDown);
    QTest::keyClick(&Find("UpDown_P"), Qt::Key_Down);
    EXPECT_EQ(Text("Text_P"), "116");
    EXPECT_EQ(Text("Text_G"), "9976");

    // In the field, Up and Down stay the field's own keys: no step, only the key release.
    PressOn("Text_D", Qt::Key_Up);
    EXPECT_EQ(Text("Text_D"), "37");
}

TEST_F(Keyboard, SpaceAndEnterOnTheInformationLineToggleIt) {
    PressOn("Text1", Qt::Key_Space);
    EXPECT_EQ(Text("Text1"), QString::fromUtf8(kWebAddress));
    QTest::keyClick(&Field("Text1"), Qt::Key_Return);
    EXPECT_EQ(Text("Text1"), QString::fromUtf8(kVersionText));
}

// A message box that closes on the press of Enter hands the release to the field below it. That
// release is not a keystroke of the field: were it one, the field's key release would raise the
// same error again and open the box again, for ever.
TEST_F(Keyboard, EnterOnTheErrorBoxDoesNotReachTheFieldBelowIt) {
    int boxes = 0;
    MainWindow errorWindow(&onTop, [&boxes](QWidget* parent, const RuntimeError& error) {
        ++boxes;
        // Non-modal, so the test drives it; it closes on the press of Enter as a real one does.
        auto* box =
            new QMessageBox(QMessageBox::Critical, "Idrovela",
                            QString::fromUtf8(error.description().data()), QMessageBox::Ok, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    errorWindow.Start();
    errorWindow.show();
    errorWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&errorWindow));
    auto& power = *errorWindow.findChild<QLineEdit*>("Text_P");
    power.setFocus();
    power.selectAll();
    // A lone comma: Type mismatch in the change, which ends the keystroke there, even when its
    // release reaches the field before the box has opened.
    QTest::keyClick(&power, ',');
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes, 1);
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);

    QTest::keyPress(box, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // closed on the press
    // Enter held down: its auto-repeats now reach the field, but they go on with the box's
    // keystroke and do not make the release the field's.
    for (int repeat = 0; repeat < 3; ++repeat) {
        QTest::simulateEvent(&power, true, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                             true);
    }
    QTest::keyRelease(&power, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes, 1);

    // A whole keystroke in the field is one again.
    QTest::keyClick(&power, Qt::Key_Right);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes, 2);
    if (auto* again = QApplication::activeModalWidget()) {
        again->close();
    }
}

// Ctrl+Shift+C copies; none of its keys, the modifiers included, reaches the field.
TEST_F(Keyboard, AMenuShortcutsKeysNeverReachTheField) {
    QLineEdit& power = Field("Text_P");
    power.setFocus();
    const auto before = Evaluations();
    QTest::keyPress(&power, Qt::Key_Control);
    QTest::keyPress(&power, Qt::Key_Shift, Qt::ControlModifier);
    QTest::keyClick(&power, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyRelease(&power, Qt::Key_Shift, Qt::ControlModifier);
    QTest::keyRelease(&power, Qt::Key_Control);
    EXPECT_EQ(Text("Text_P"), "116");
    EXPECT_EQ(Evaluations(), before);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(copied->text().startsWith("Diametro [mm]\t37\n"));
    EXPECT_TRUE(
        copied->html().contains("<th align=\"left\">P [kW]</th><td align=\"right\">116</td>"));

    // Without a shortcut, a modifier's release is a keystroke of the field as any key's is.
    QTest::keyClick(&power, Qt::Key_Shift);
    EXPECT_EQ(Evaluations(), before + 1);
    EXPECT_TRUE(ShownErrors().empty());
}

}  // namespace
}  // namespace idrovela::window::qt
