// The desktop window: its controls where the table puts them, and the user's clicks, edits and
// keys reaching the model.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <cmath>
#include <vector>

#include "tests/window/qt/window_fixture.h"
#include "window/controls.h"

namespace idrovela::window::qt {
namespace {

using test::MainWindowTest;

TEST_F(MainWindowTest, OpensOnTheDefaultsWithTheFocusInTheLossField) {
    EXPECT_EQ(window.windowTitle(), "Idrovela");
    EXPECT_EQ(window.ClientArea().size(), QSize(382, 305));
    EXPECT_EQ(window.ClientArea().geometry().top(), window.menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(Text("Text_Y"), "595");
    EXPECT_EQ(Text("Text_V"), "2,58");
    EXPECT_EQ(onTop.calls, std::vector{true});
    // The window's font serves as the program's default only while its controls are made.
    const QFont programFont = QApplication::font();
    {
        test::RecordingOnTop otherOnTop;
        const MainWindow other(&otherOnTop);
        EXPECT_EQ(QApplication::font(), programFont);
        EXPECT_EQ(QApplication::font().resolveMask(), programFont.resolveMask());
        EXPECT_EQ(other.findChild<QLineEdit*>(QStringLiteral("Text_Y"))->font(), window.font());
    }
    // The large icons follow the first paint.
    QTRY_COMPARE(window.windowIcon().availableSizes().size(), 6);
    const QList<QSize> iconSizes = window.windowIcon().availableSizes();
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(iconSizes.contains(QSize(size, size))) << size;
    }

    Activate();
    EXPECT_EQ(QApplication::focusWidget(), &Field("Text_Y"));
    EXPECT_TRUE(ShownErrors().empty());
}

TEST_F(MainWindowTest, EveryControlSitsAtItsTwipsAndTheGrabIsSaved) {
    for (const ControlDesign& design : kControls) {
        const char* name = design.name.data();
        QWidget& widget = Find(name);
        QWidget& container = design.container.empty() ? window.ClientArea()
                                                      : Find(std::string(design.container).c_str());
        EXPECT_EQ(widget.parentWidget(), &container) << name;
        const QRect geometry = widget.geometry();
        const Twips& t = design.geometry;
        const int exact[] = {t.left, t.top, t.width, t.height};
        const int placed[] = {geometry.x(), geometry.y(), geometry.width(), geometry.height()};
        for (int i = 0; i < 4; ++i) {
            EXPECT_LE(std::abs(placed[i] * 15 - exact[i]), 7) << name << " coordinate " << i;
        }
        EXPECT_EQ(widget.isEnabled(), design.enabled) << name;
        if (auto* edit = qobject_cast<QLineEdit*>(&widget);
            edit && design.alignment == Alignment::Right) {
            EXPECT_TRUE(edit->alignment() & Qt::AlignRight) << name;
        }
    }
    QLineEdit& info = Field("Text1");
    EXPECT_TRUE(info.alignment() & Qt::AlignHCenter);
    EXPECT_EQ(info.palette().color(QPalette::Base), info.palette().color(QPalette::Button));

    const QPixmap grab = window.ClientArea().grab();
    EXPECT_EQ(grab.deviceIndependentSize().toSize(), QSize(382, 305));
    EXPECT_TRUE(grab.save(QStringLiteral(IDROVELA_SCREENSHOT_DIR "/idrovela-window.png")));
}

TEST_F(MainWindowTest, EveryCaptionFitsItsControl) {
    EXPECT_EQ(QFontInfo(window.font()).family(), QString::fromUtf8(kFontFamily));
    for (const ControlDesign& design : kControls) {
        QWidget& widget = Find(design.name.data());
        if (design.caption.empty() || qobject_cast<QLineEdit*>(&widget) != nullptr) {
            continue;
        }
        const QSize needed = qobject_cast<QGroupBox*>(&widget) != nullptr ? widget.minimumSizeHint()
                                                                          : widget.sizeHint();
        EXPECT_LE(needed.width(), widget.width()) << design.name;
        EXPECT_LE(widget.fontMetrics().height(), widget.height()) << design.name;
    }
}

TEST_F(MainWindowTest, TypingThePowerWithDT7IsTheWorkedExample) {
    TypeOver("Text_dT", "7");
    const auto before = Evaluations();
    TypeOver("Text_P", "116");
    EXPECT_EQ(Text("Text_P"), "116");
    EXPECT_EQ(Text("Text_G"), "14251");
    EXPECT_EQ(Text("Text_V"), "3,68");
    EXPECT_EQ(Evaluations(), before + 3);  // the release of each of the three keys
    EXPECT_EQ(Text("Text_Y"), QString::fromStdString(window.Model().Text_Y.Text()));
    EXPECT_EQ(Field("Text_P").cursorPosition(), 3);
    EXPECT_TRUE(ShownErrors().empty());
}

TEST_F(MainWindowTest, ARewriteKeepsTheCaretWhereTheUserTyped) {
    QLineEdit& flow = Field("Text_G");
    flow.setFocus();
    flow.setCursorPosition(0);
    QTest::keyClick(&flow, '0');  // 09976, rewritten 9976 by the flow's handler
    EXPECT_EQ(flow.text(), "9976");
    EXPECT_EQ(flow.cursorPosition(), 1);

    QLineEdit& power = Field("Text_P");
    power.setFocus();
    power.selectAll();
    QTest::keyClick(&power, Qt::Key_Backspace);  // emptied: the power's handler writes 1
    EXPECT_EQ(power.text(), "1");
    EXPECT_EQ(power.cursorPosition(), 0);
}

TEST_F(MainWindowTest, PowerFieldTakesOnlyDigitsCommaAndBackspace) {
    QLineEdit& power = Field("Text_P");
    power.setFocus();
    power.end(false);
    QTest::keyClicks(&power, ".-a x");
    EXPECT_EQ(power.text(), "116");
    QTest::keyClick(&power, ',');
    EXPECT_EQ(power.text(), "116,");
    QTest::keyClick(&power, Qt::Key_Backspace);
    EXPECT_EQ(power.text(), "116");

    QGuiApplication::clipboard()->setText("999");
    QTest::keyClick(&power, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(power.text(), "116");  // Ctrl+V types 22, which the filter discards

    // Keys without a character keep working.
    QTest::keyClick(&power, Qt::Key_Home);
    QTest::keyClick(&power, Qt::Key_Delete);
    EXPECT_EQ(power.text(), "16");
    EXPECT_EQ(Text("Text_G"), "1376");

    // No other field filters.
    TypeOver("Text_dT", "5,5");
    EXPECT_EQ(Text("Text_dT"), "5,5");
    EXPECT_TRUE(ShownErrors().empty());
}

TEST_F(MainWindowTest, OnlyRealKeyReleasesRecalculate) {
    QLineEdit& diameter = Field("Text_D");
    diameter.setFocus();
    const auto before = Evaluations();
    QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&diameter, &repeated);
    EXPECT_EQ(Evaluations(), before);
    QTest::keyClick(&diameter, Qt::Key_Right);
    EXPECT_EQ(Evaluations(), before + 1);
    // Limits of the key release: 1001 is beyond the diameter's.
    TypeOver("Text_D", "1001");
    const auto after = Evaluations();
    QTest::keyClick(&diameter, Qt::Key_Right);
    EXPECT_EQ(Evaluations(), after);
}

TEST_F(MainWindowTest, SpinnerArrowsStopAtTheirLimits) {
    TypeOver("Text_D", "999");
    ClickArrow("UpDown_D", "up");
    EXPECT_EQ(Text("Text_D"), "1000");
    auto before = Evaluations();
    ClickArrow("UpDown_D", "up");
    EXPECT_EQ(Text("Text_D"), "1000");
    EXPECT_EQ(Evaluations(), before);

    TypeOver("Text_P", "1");
    ClickArrow("UpDown_P", "down");
    EXPECT_EQ(Text("Text_P"), "1");
    ClickArrow("UpDown_P", "up");
    EXPECT_EQ(Text("Text_P"), "2");
    EXPECT_EQ(Text("Text_G"), "172");
}

TEST_F(MainWindowTest, ModeButtonsHideTheSpinnerOfWhatTheyWorkOut) {
    const auto shownSpinners = [this] {
        return std::vector{Find("UpDown_D").isVisible(), Find("UpDown_P").isVisible(),
                           Find("UpDown_Y").isVisible()};
    };
    EXPECT_EQ(shownSpinners(), (std::vector{true, true, false}));
    Click("Option_Potenza");
    EXPECT_EQ(shownSpinners(), (std::vector{true, false, true}));
    EXPECT_FALSE(Find<QRadioButton>("Option_Perdita").isChecked());
    EXPECT_TRUE(Find<QRadioButton>("Option_Fluido2").isChecked());
    EXPECT_TRUE(Find<QRadioButton>("Option_Tubo2").isChecked());
    Click("Option_Diametro");
    EXPECT_EQ(shownSpinners(), (std::vector{false, true, true}));
    EXPECT_TRUE(window.Model().Option_Diametro.Value());
    Click("Option_Perdita");
    EXPECT_EQ(shownSpinners(), (std::vector{true, true, false}));
    EXPECT_EQ(Text("Text_Y"), "595");  // no mode click recalculates
}

TEST_F(MainWindowTest, PresetsFillAndLockTheirFields) {
    auto before = Evaluations();
    Click("Option_Fluido2");  // already selected: no click, no recalculation
    EXPECT_EQ(Evaluations(), before);

    Click("Option_FluidoX");
    EXPECT_TRUE(Field("Text_Mu").isEnabled());
    EXPECT_TRUE(Field("Text_Rho").isEnabled());
    EXPECT_EQ(Evaluations(), before);  // "Altro" recalculates nothing
    TypeOver("Text_Mu", "2");

    Click("Option_Fluido1");
    EXPECT_FALSE(Field("Text_Mu").isEnabled());
    EXPECT_FALSE(Field("Text_Rho").isEnabled());
    EXPECT_EQ(Text("Text_Y"), "699");

    Click("Option_TuboX");
    EXPECT_TRUE(Field("Text_epsilon").isEnabled());
    Click("Option_Tubo1");
    EXPECT_FALSE(Field("Text_epsilon").isEnabled());
    EXPECT_EQ(Text("Text_epsilon"), "0,0015");
    EXPECT_TRUE(ShownErrors().empty());
}

TEST_F(MainWindowTest, AnErrorIsShownAfterItsHandlersAndTheWindowGoesOn) {
    TypeOver("Text_dT", "0");
    TypeOver("Text_P", "5");     // the power's handler divides by dT
    EXPECT_TRUE(shown.empty());  // nothing is shown from inside the handler
    EXPECT_EQ(ShownErrors(), std::vector{ErrorCode::DivisionByZero});
    EXPECT_EQ(Text("Text_P"), "5");

    TypeOver("Text_dT", "10");
    TypeOver("Text_P", "10");
    EXPECT_EQ(Text("Text_G"), "860");
    EXPECT_TRUE(ShownErrors().empty());
}

TEST_F(MainWindowTest, Check1KeepsTheWindowOnTopOrReleasesIt) {
    const QRect geometry = window.geometry();
    Click("Check1");
    EXPECT_FALSE(Find<QCheckBox>("Check1").isChecked());
    Click("Check1");
    EXPECT_TRUE(Find<QCheckBox>("Check1").isChecked());
    EXPECT_EQ(onTop.calls, (std::vector{true, false, true}));
    EXPECT_EQ(window.geometry(), geometry);
}

TEST_F(MainWindowTest, InformationLineTogglesOnEachClick) {
    Click("Text1");
    EXPECT_EQ(Text("Text1"), QString::fromUtf8(kWebAddress));
    Click("Text1");
    EXPECT_EQ(Text("Text1"), QString::fromUtf8(kVersionText));
    Click("Text1");
    EXPECT_EQ(Text("Text1"), QString::fromUtf8(kWebAddress));
}

TEST(MainWindowPlatform, OnTopIsTheNativeWindowsHintAndKeepsTheWindow) {
    MainWindow window(nullptr, [](QWidget*, const RuntimeError&) {});
    window.Start();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWindow* handle = window.windowHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(handle->flags().testFlag(Qt::WindowStaysOnTopHint));

    const WId native = window.winId();
    const QRect geometry = window.geometry();
    auto* check = window.findChild<QCheckBox*>("Check1");
    QTest::mouseClick(check, Qt::LeftButton, Qt::NoModifier, check->rect().center());
    EXPECT_FALSE(handle->flags().testFlag(Qt::WindowStaysOnTopHint));
    QTest::mouseClick(check, Qt::LeftButton, Qt::NoModifier, check->rect().center());
    EXPECT_TRUE(handle->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.winId(), native);  // not re-created
    EXPECT_EQ(window.windowHandle(), handle);
    EXPECT_EQ(window.geometry(), geometry);
}

TEST(MainWindowPlatform, TheMessageBoxShowsTheErrorsNumberAndDescriptionInTheWindowsFont) {
    QWidget parent;
    parent.setFont(QFont(QString::fromUtf8(kFontFamily), kFontPointSize));
    QString title;
    QString text;
    QFont font;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            text = box->text();
            font = box->font();
            box->accept();
        }
    });
    ShowErrorMessageBox(&parent, RuntimeError(ErrorCode::Overflow));
    EXPECT_EQ(title, "Idrovela");
    EXPECT_EQ(text, "Run-time error '6':\n\nOverflow");
    EXPECT_EQ(font, parent.font());
}

}  // namespace
}  // namespace idrovela::window::qt
