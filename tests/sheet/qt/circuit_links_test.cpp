// The circuit windows and the main window's calculator, each way, driven through the real
// widgets: a tube of "Tubi commerciali" added to the active circuit, and the new segment opened
// again in the calculator from its own menu, where the window and the physics panel find the same
// tube, flow and fluid, and the sheet's R.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QUndoStack>

#include "calc/text_conversions.h"
#include "circuit/write.h"
#include "columns/columns.h"
#include "tests/sheet/qt/circuit_fixture.h"
#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet::qt::test {
namespace {

class LinksTest : public CircuitWindowTest {
  protected:
    void SetUp() override {
        CircuitWindowTest::SetUp();
        circuits.LinkTools(tools);
    }
    CircuitWindow& OpenCircuit(const char* name, const circuit::Circuit& circuit) {
        const std::filesystem::path file = File(name);
        Write(file, circuit::WriteCircuit(circuit));
        return OpenActive(file);
    }
    // "Tubi commerciali" from the main window's "Strumenti", on `series`, with the row of
    // `designation` selected as a click selects it.
    QWidget& TableOn(const char* series, const char* designation) {
        for (QAction* action : window.ToolsMenu().actions()) {
            if (action->objectName() == "TubiCommerciali") {
                action->trigger();
            }
        }
        QWidget& table = Find("TubiCommerciali");
        auto& box = *table.findChild<QComboBox*>("Serie");
        const int at = box.findData(QString::fromUtf8(series));
        box.setCurrentIndex(at);
        Q_EMIT box.activated(at);
        auto& rows = *table.findChild<QTableWidget*>("Tubi");
        for (int r = 0; r < rows.rowCount(); ++r) {
            if (rows.item(r, 0)->text() == QString::fromUtf8(designation)) {
                QTest::mouseClick(rows.viewport(), Qt::LeftButton, {},
                                  rows.visualItemRect(rows.item(r, 0)).center());
            }
        }
        return table;
    }
    static QPushButton& AddButton(QWidget& table) {
        return *table.findChild<QPushButton*>("AggiungiAlCircuito");
    }
    // Runs `act` on the popup menu that `open` shows, once it is up.
    static void WithPopup(const std::function<void()>& open,
                          const std::function<void(QMenu&)>& act) {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            act(*menu);
            acted = true;
            if (menu->isVisible()) {
                menu->close();
            }
        });
        open();
        EXPECT_TRUE(acted);
    }
    static QAction& Entry(QMenu& menu, const char* name) {
        for (QAction* action : menu.actions()) {
            if (action->objectName() == name) {
                return *action;
            }
        }
        throw std::runtime_error(std::string("no entry ") + name);
    }
    QString PanelText() {
        for (QAction* action : window.ToolsMenu().actions()) {
            if (action->objectName() == "VerificaFisica") {
                action->trigger();
            }
        }
        QStringList texts;
        for (const QLabel* label : Find("VerificaFisica").findChildren<QLabel*>()) {
            texts << label->text();
        }
        return texts.join('|');
    }
};

TEST_F(LinksTest, ATubeAddedFromTheTableComesBackInTheCalculator) {
    circuit::Circuit three = sheet::test::ThreeRadiators();
    three.fluid = {circuit::FluidType::Propilenico, 25, 45, 35};
    CircuitWindow& circuit = OpenCircuit("tre.idrovela", three);
    TypeOver("Text_G", "250");
    QWidget& table = TableOn("rame", "18×1");
    ASSERT_TRUE(AddButton(table).isEnabled());

    // Under the segment selected in the circuit, the tube fixed, no length, G as the terminal's.
    circuit.SelectSegment(*circuit.Circuit().Find("A"));
    QTest::mouseClick(&AddButton(table), Qt::LeftButton);
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    const std::optional<std::size_t> leaf = circuit.Circuit().Find("T1");
    ASSERT_TRUE(leaf);
    const circuit::Segment& added = circuit.Circuit().Circuit().segments[*leaf];
    EXPECT_EQ(added.upstream, "A");
    EXPECT_EQ(added.tube.designation, "18×1");
    ASSERT_TRUE(added.terminal);
    EXPECT_EQ(added.terminal->loadValue, 250.0);
    EXPECT_EQ(circuit.SelectedSegment(), leaf);
    EXPECT_EQ(circuit.UndoStack().count(), 1);
    EXPECT_EQ(circuit.UndoStack().undoText(), "Aggiungi «T1»");

    // Its menu on the row, from the keyboard: "Apri nel calcolatore" by its letter.
    Activate(circuit);
    circuit.Sheet().setFocus();
    WithPopup([&] { QTest::keyClick(&circuit.Sheet(), Qt::Key_F10, Qt::ShiftModifier); },
              [](QMenu& menu) {
                  EXPECT_TRUE(Entry(menu, "ApriNelCalcolatore").isEnabled());
                  QTest::keyClick(&menu, Qt::Key_L);
              });
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(Find<QRadioButton>("Option_Perdita").isChecked());
    EXPECT_TRUE(Find<QRadioButton>("Option_Tubo1").isChecked());  // copper
    EXPECT_TRUE(Find<QRadioButton>("Option_FluidoX").isChecked());
    // dT and P are the circuit's and the segment's, written before G: no figure from before.
    const circuit::SegmentResult& sheet = circuit.Circuit().Solution()->segments[*leaf];
    EXPECT_EQ(Text("Text_dT"), "10");
    EXPECT_EQ(Text("Text_P").toStdString(),
              NumberToText(TextToDouble(columns::FixedFigure(sheet.loadW, 0)) / 1000));
    EXPECT_EQ(Text("Text_G"), "250");
    EXPECT_EQ(Text("Text_D"), "16");
    const tools::ChosenTube* tube = tools.Memory().Tube();
    ASSERT_NE(tube, nullptr);
    EXPECT_EQ(tube->tube.designation, "18×1");
    EXPECT_EQ(tools.Memory().FluidDescription(), "glicole propilenico 25 % a 40 °C");
    EXPECT_TRUE(ShownErrors().empty());

    // The physics panel at the tube's bore finds the sheet's R.
    const std::string r =
        columns::SegmentCell(circuit.Circuit().Circuit(), *circuit.Circuit().Solution(), *leaf,
                             columns::SegmentColumn::R);
    const QString panel = PanelText();
    EXPECT_TRUE(panel.contains(QString::fromStdString("|" + r + " Pa/m|")))
        << r << " in " << panel.toStdString();
    EXPECT_TRUE(panel.contains(QStringLiteral("18×1"))) << panel.toStdString();

    // One line says what the window could not hold: its own G from P, and R at that G.
    auto& note = *circuit.findChild<QLabel*>("NotaCalcolatore");
    EXPECT_TRUE(note.isVisible());
    const QString line = circuit.Links().CalculatorNote();
    EXPECT_EQ(note.toolTip(), line);
    EXPECT_TRUE(line.startsWith(QString::fromUtf8("Nel calcolatore «T1»: da P ")))
        << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("; R della verifica fisica "))) << line.toStdString();
    // Another edit of the circuit: the line belonged to the circuit as it was.
    circuit.UndoStack().undo();
    EXPECT_FALSE(note.isVisible());
}

// Where the main window cannot take a segment, the entry is disabled and says why; a click of
// the right button selects the row it opens the menu on.
TEST_F(LinksTest, OpenInCalculatorIsDisabledWhereTheMainWindowCannotTakeTheSegment) {
    circuit::Circuit three = sheet::test::ThreeRadiators();
    three.segments[2].terminal->load = circuit::Terminal::Load::Flow;
    three.segments[2].terminal->loadValue = 40000;  // R2
    three.segments[3].terminal.reset();             // R3: nothing flows
    CircuitWindow& circuit = OpenCircuit("tre.idrovela", three);
    auto& calculator = *circuit.findChild<QAction*>("ApriNelCalcolatore");
    const auto viaMenuOn = [&](std::size_t segment) {
        QTreeView& sheet = circuit.Sheet();
        const QPoint at = sheet.visualRect(circuit.Model().IndexOf(segment)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, sheet.viewport()->mapToGlobal(at));
        bool enabled = false;
        WithPopup([&] { QApplication::sendEvent(sheet.viewport(), &event); },
                  [&](QMenu& menu) { enabled = Entry(menu, "ApriNelCalcolatore").isEnabled(); });
        EXPECT_EQ(circuit.SelectedSegment(), std::optional(segment));
        return enabled;
    };
    EXPECT_FALSE(viaMenuOn(2));
    EXPECT_TRUE(calculator.toolTip().contains(QStringLiteral("32767 l/h")))
        << calculator.toolTip().toStdString();
    EXPECT_FALSE(viaMenuOn(3));
    EXPECT_TRUE(calculator.toolTip().contains(QStringLiteral("non porta portata")));
    EXPECT_TRUE(viaMenuOn(1));
    // The menu key opens it on the current row.
    circuit.SelectSegment(2);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    WithPopup([&] { QApplication::sendEvent(&circuit.Sheet(), &key); },
              [](QMenu& menu) { EXPECT_FALSE(Entry(menu, "ApriNelCalcolatore").isEnabled()); });
    EXPECT_EQ(circuit.SelectedSegment(), std::optional<std::size_t>(2));
    EXPECT_EQ(Text("Text_G"), QStringLiteral("9976"));  // the main window untouched
}

// The tube goes to the circuit window last active; without "Tubi commerciali" there is no tube,
// and without a circuit the table's button is off.
TEST_F(LinksTest, TheTubeGoesToTheActiveCircuit) {
    CircuitWindow& first = OpenCircuit("uno.idrovela", sheet::test::ThreeRadiators());
    Q_EMIT first.findChild<QMenuBar*>()->actions()[1]->menu()->aboutToShow();
    EXPECT_FALSE(first.findChild<QAction*>("AggiungiAlCircuito")->isEnabled());
    first.Links().AddSelectedTube();
    EXPECT_TRUE(first.statusBar()->currentMessage().contains(QStringLiteral("Tubi commerciali")));
    EXPECT_EQ(first.Circuit().Circuit().segments.size(), 4u);

    CircuitWindow& second = OpenCircuit("due.idrovela", sheet::test::ThreeRadiators());
    QWidget& table = TableOn("pert", "16×2");
    Activate(first);
    first.SelectSegment(0);
    QTest::mouseClick(&AddButton(table), Qt::LeftButton);
    EXPECT_EQ(first.Circuit().Circuit().segments.size(), 5u);
    EXPECT_EQ(second.Circuit().Circuit().segments.size(), 4u);
    // From the second's own menu, with no row selected: a segment leaving the source.
    Activate(second);
    second.Sheet().setCurrentIndex({});
    QMenu& edit = *second.findChild<QMenuBar*>()->actions()[1]->menu();
    Q_EMIT edit.aboutToShow();
    auto& fromMenu = *second.findChild<QAction*>("AggiungiAlCircuito");
    EXPECT_TRUE(fromMenu.isEnabled());
    fromMenu.trigger();
    EXPECT_EQ(second.Circuit().Circuit().segments.size(), 5u);
    EXPECT_EQ(second.Circuit().Circuit().segments.back().tube.series, "pert");
    EXPECT_EQ(second.Circuit().Circuit().segments.back().upstream, std::nullopt);  // none selected

    // Closed, the active one gives way to the other; with none, the button is off.
    dialogs.answers = {Dialogs::Answer::Discard, Dialogs::Answer::Discard};
    second.close();
    QTest::mouseClick(&AddButton(table), Qt::LeftButton);
    EXPECT_EQ(first.Circuit().Circuit().segments.size(), 6u);
    first.close();
    EXPECT_FALSE(AddButton(table).isEnabled());
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
}

}  // namespace
}  // namespace idrovela::sheet::qt::test
