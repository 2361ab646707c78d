// The program's windows together: while the main window stays on top, every other window (the
// circuit windows, the tool windows, the help, the dialogs and message boxes) does too, created
// before or after; circuit windows have no owner; a message box opens centred over its window;
// and a circuit window opens beside the main window as wide as it needs, on screens as users have
// them (a run of its own with those screens, below).

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <string>
#include <vector>

#include "tests/sheet/qt/circuit_fixture.h"

namespace idrovela::sheet::qt::test {
namespace {

void Trigger(QMenu& menu, const char* name) {
    for (QAction* action : menu.actions()) {
        if (action->objectName() == name) {
            action->trigger();
            return;
        }
    }
    throw std::runtime_error(std::string("no menu entry ") + name);
}

bool OnTop(const QWidget& widget) {
    return widget.windowHandle() != nullptr &&
           widget.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
}

class WindowsTogetherTest : public CircuitWindowTest {
  protected:
    void SetUp() override {
        CircuitWindowTest::SetUp();
        circuits.LinkTools(tools);
    }
    CircuitWindow& NewCircuit() {
        Trigger(window.FileMenu(), "NuovoCircuito");
        CircuitWindow& circuit = *circuits.Windows().back();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&circuit));
        return circuit;
    }
    QWidget& Tool(const char* name) {
        Trigger(window.ToolsMenu(), name);
        return Find(name);
    }
    // Clicks the main window's on-top box, as the user does.
    void ClickOnTopBox() {
        auto& box = Find("Check1");
        QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box.height() / 2));
    }
    // The state of the message box a circuit window opens (the question about unsaved changes),
    // read while it shows: whether it is on top, its owner, and how far its centre is from the
    // circuit window's.
    struct BoxSeen {
        bool onTop = false;
        QWidget* owner = nullptr;
        int offCentre = -1;
    };
    BoxSeen QuestionOver(CircuitWindow& circuit) {
        BoxSeen seen;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            seen = {OnTop(*box), box->parentWidget(),
                    (box->frameGeometry().center() - circuit.frameGeometry().center())
                        .manhattanLength()};
            box->close();  // Annulla
        });
        StandardDialogs().AskToSave(&circuit, QStringLiteral("Salvare le modifiche?"));
        return seen;
    }
};

// The main window's on-top state, as its model sets it at start and at each click of its box,
// reaches every other window: those open at the call and those opened later.
TEST_F(WindowsTogetherTest, EveryWindowTakesTheMainWindowsOnTopState) {
    ASSERT_EQ(onTop.calls, std::vector<bool>{true});  // the start-up call, to the main window
    std::vector<QWidget*> windows{&NewCircuit(), &Tool("VerificaFisica"), &Tool("TubiCommerciali"),
                                  &Tool("ProprietaFluido")};
    window.Menus().ShowHelp();
    windows.push_back(&Find("Guida"));
    const auto expectAll = [&windows](bool expected, const char* when) {
        for (const QWidget* other : windows) {
            EXPECT_EQ(OnTop(*other), expected) << other->objectName().toStdString() << " " << when;
        }
    };
    expectAll(true, "opened while the main window is on top");
    const BoxSeen onTopBox = QuestionOver(*circuits.Windows().front());
    EXPECT_TRUE(onTopBox.onTop);

    ClickOnTopBox();
    EXPECT_EQ(onTop.calls, (std::vector<bool>{true, false}));
    expectAll(false, "once the box is cleared");
    windows.push_back(&NewCircuit());
    EXPECT_FALSE(OnTop(*windows.back())) << "a circuit window opened while released";
    EXPECT_FALSE(QuestionOver(*circuits.Windows().back()).onTop);

    ClickOnTopBox();
    EXPECT_EQ(onTop.calls, (std::vector<bool>{true, false, true}));
    expectAll(true, "once the box is ticked again");
    // A window closed and opened again takes the state it finds.
    windows.front()->hide();
    ClickOnTopBox();
    windows.front()->show();
    EXPECT_FALSE(OnTop(*windows.front()));
}

// A circuit window has no owner, so that the main window can come above it, yet it carries the
// program's icon; a question it asks is its own, centred over it and on top with it.
TEST_F(WindowsTogetherTest, ACircuitWindowHasNoOwnerAndItsQuestionsAreCentredOverIt) {
    CircuitWindow& circuit = NewCircuit();
    EXPECT_EQ(circuit.parentWidget(), nullptr);
    EXPECT_EQ(circuit.windowHandle()->transientParent(), nullptr);
    EXPECT_EQ(circuit.windowIcon().cacheKey(), window.windowIcon().cacheKey());
    const BoxSeen box = QuestionOver(circuit);
    EXPECT_EQ(box.owner, &circuit);
    EXPECT_TRUE(box.onTop);
    EXPECT_LE(box.offCentre, 2);
}

// "Apri…" in a circuit window asks over that window, and so does the message for a file that
// cannot be opened; from the main window's menu, over the main window.
TEST_F(WindowsTogetherTest, OpeningAFileAsksOverTheWindowItWasAskedFrom) {
    const std::filesystem::path broken = File("rotto.idrovela");
    Write(broken, "{");
    CircuitWindow& circuit = NewCircuit();
    Activate(circuit);
    for (int i = 0; i < 2; ++i) {
        dialogs.openPaths.push_back(QString::fromStdString(broken.string()));
    }
    circuit.findChild<QAction*>(QStringLiteral("Apri"))->trigger();
    Trigger(window.FileMenu(), "ApriCircuito");
    EXPECT_EQ(dialogs.owners, (std::vector<QWidget*>{&circuit, &circuit, &window, &window}));
}

// On a 1920 × 1080 screen beside a 1366 × 768 one (the run with those screens): with the main
// window centred, a new circuit window finds no side as wide as it needs, so the main window
// moves to the left of its screen and the circuit window opens right of it, at its full width
// where the screen has it, else at all the screen has; its settings and tabs show whole.
TEST_F(WindowsTogetherTest, ACircuitWindowOpensAsWideAsItNeedsBesideTheMainWindow) {
    const auto sized = [](int width) -> QScreen* {
        for (QScreen* screen : QGuiApplication::screens()) {
            if (screen->size().width() == width) {
                return screen;
            }
        }
        return nullptr;
    };
    QScreen* wide = sized(1920);
    QScreen* narrow = sized(1366);
    if (wide == nullptr || narrow == nullptr) {
        GTEST_SKIP() << "runs with the screens of windows_together_at_1920_and_1366";
    }
    struct Case {
        QScreen* screen;
        int width;  // of the circuit window; 0: all the screen has right of the main window
    };
    for (const Case& c : {Case{wide, 1000}, Case{narrow, 0}}) {
        const QRect area = c.screen->availableGeometry();
        SCOPED_TRACE(area.width());
        const QRect mainFrame = window.frameGeometry();
        window.move(area.center() - QPoint(mainFrame.width() / 2, mainFrame.height() / 2));
        ASSERT_EQ(window.screen(), c.screen);
        const QPoint centred = window.frameGeometry().topLeft();
        CircuitWindow& circuit = NewCircuit();
        const QRect moved = window.frameGeometry();
        EXPECT_EQ(moved.topLeft(), QPoint(area.left(), centred.y()));
        const QRect frame = circuit.frameGeometry();
        EXPECT_TRUE(area.contains(frame));
        EXPECT_FALSE(frame.intersects(moved));
        const int expected =
            c.width != 0 ? c.width
                         : area.right() - moved.right() - 4 - (frame.width() - circuit.width());
        EXPECT_EQ(circuit.width(), expected);
        QCoreApplication::processEvents();
        const QTabBar& tabs = *circuit.Views().tabBar();
        EXPECT_GE(tabs.width(), tabs.sizeHint().width()) << "a tab is cut";
        for (const QLineEdit* field : circuit.findChild<QGroupBox*>(QStringLiteral("Impostazioni"))
                                          ->findChildren<QLineEdit*>()) {
            EXPECT_GE(field->width(), 100) << field->objectName().toStdString();
        }
        circuit.close();
    }
}

}  // namespace
}  // namespace idrovela::sheet::qt::test
