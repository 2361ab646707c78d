// The circuit window edited as an engineer edits it: the fluid chosen with its percentage, the
// mouse wheel, the sheet's keys as a spreadsheet's, and what the window proposes and says after.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QUndoStack>

#include "circuit/emitter.h"
#include "circuit/write.h"
#include "columns/columns.h"
#include "tests/sheet/qt/circuit_fixture.h"
#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet::qt::test {
namespace {

using sheet::test::BuiltIn;
using sheet::test::ThreeRadiators;
using window::qt::test::RollWheel;

class EditingTest : public CircuitWindowTest {
  protected:
    CircuitWindow& OpenThree(const circuit::Circuit& circuit = ThreeRadiators()) {
        const std::filesystem::path file = File("tre.idrovela");
        Write(file, circuit::WriteCircuit(circuit));
        return OpenActive(file);
    }
    static QString Cell(CircuitWindow& circuit, std::size_t segment,
                        columns::SegmentColumn column) {
        return circuit.Model().IndexOf(segment, static_cast<int>(column)).data().toString();
    }
    static QLineEdit* Editor(CircuitWindow& circuit) {
        return qobject_cast<QLineEdit*>(
            circuit.Sheet().indexWidget(circuit.Sheet().currentIndex()));
    }
    // Where the sheet's cursor stands: the segment's id and the column.
    static std::pair<std::string, columns::SegmentColumn> At(CircuitWindow& circuit) {
        const QModelIndex current = circuit.Sheet().currentIndex();
        const std::size_t segment = circuit.Model().SegmentAt(current).value_or(0);
        return {circuit.Circuit().Circuit().segments[segment].id,
                static_cast<columns::SegmentColumn>(current.column())};
    }
};

// Water → propylene 30 % → ethylene 30 % → water, each worked out again at once, each one edit
// named «Modifica fluido», and undone step by step back to water. A fluid the circuit's
// temperatures do not allow is refused beside the fields with the engine's words.
TEST_F(EditingTest, GlycolIsChosenWithItsPercentageAsOneEdit) {
    CircuitWindow& circuit = OpenThree();
    auto& fluid = Child<QComboBox>(circuit, "Fluido");
    auto& percent = Child<QLineEdit>(circuit, "Percentuale");
    QAction& undo = ActionOf(circuit, "Annulla");
    const auto engineFlow = [](circuit::FluidType type, double volumePercent) {
        circuit::Circuit three = ThreeRadiators();
        three.fluid.type = type;
        three.fluid.volumePercent = volumePercent;
        return circuit::Solve(three, *BuiltIn()).segments[2].flowLph;  // R2's
    };
    using Fluid = circuit::FluidType;
    const struct {
        Fluid type;  // its place in the list too
        const char* percent;
    } states[] = {{Fluid::Acqua, "0"},
                  {Fluid::Propilenico, "30"},
                  {Fluid::Etilenico, "30"},
                  {Fluid::Acqua, "0"}};
    const auto shows = [&](int state) {
        EXPECT_EQ(fluid.currentIndex(), static_cast<int>(states[state].type));
        EXPECT_EQ(percent.text(), states[state].percent);
        const double flow = engineFlow(states[state].type, percent.text().toDouble());
        EXPECT_EQ(circuit.Circuit().Solution()->segments[2].flowLph, flow);
        EXPECT_EQ(Cell(circuit, 2, columns::SegmentColumn::Portata).toStdString(),
                  columns::FixedFigure(flow, 0));
    };
    for (int state = 1; state < 4; ++state) {
        Pick(fluid, static_cast<int>(states[state].type));
        shows(state);
        EXPECT_EQ(undo.text(), "&Annulla Modifica fluido");
    }
    EXPECT_FALSE(Child<QLabel>(circuit, "MessaggioImpostazioni").isVisible());
    ASSERT_EQ(circuit.UndoStack().count(), 3);
    for (int state = 2; state >= 0; --state) {
        QTest::keyClick(&circuit.Sheet(), Qt::Key_Z, Qt::ControlModifier);
        shows(state);
    }
    EXPECT_FALSE(circuit.Circuit().Modified());

    // Propylene at 5/−5 °C holds; water there would freeze at the return: refused, nothing moves.
    Pick(fluid, 2);
    Type(Child<QLineEdit>(circuit, "Ritorno"), "-5");
    Type(Child<QLineEdit>(circuit, "Mandata"), "5");
    const std::string before = circuit::WriteCircuit(circuit.Circuit().Circuit());
    const int edits = circuit.UndoStack().count();
    Pick(fluid, 0);
    auto& message = Child<QLabel>(circuit, "MessaggioImpostazioni");
    EXPECT_TRUE(message.isVisible());
    EXPECT_TRUE(message.text().startsWith("Fluido, ritorno")) << message.text().toStdString();
    EXPECT_EQ(fluid.currentText(), "glicole propilenico");
    EXPECT_EQ(percent.text(), "30");
    EXPECT_EQ(circuit.UndoStack().count(), edits);
    EXPECT_EQ(circuit::WriteCircuit(circuit.Circuit().Circuit()), before);
    // The other glycol keeps the percentage.
    Type(percent, "40");
    Pick(fluid, 1);
    EXPECT_EQ(circuit.Circuit().Circuit().fluid.volumePercent, 40.0);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// The wheel over a box the user has not clicked scrolls what holds it; clicked, the box takes it.
// The retrofit question answered below the pump: the lowest supply at which every radiator gives
// its load, and one click that sets the supply there and the return Δθ below it, as one edit
// that undoes. A circuit without emitters has neither the line nor the button.
TEST_F(EditingTest, OneClickSetsTheSupplyToTheLowestAndUndoes) {
    CircuitWindow& circuit = OpenThree(sheet::test::ThreeRadiatorsWithEmitters(2500.0));
    const double lowest = circuit.Circuit().Solution()->lowestSupply->supplyC;
    auto& button = Child<QPushButton>(circuit, "MandataMinima");
    ASSERT_TRUE(button.isVisible());
    bool lineShown = false;
    for (QLabel* label : Child(circuit, "Pompa").findChildren<QLabel*>()) {
        if (label->accessibleName() == QStringLiteral("Mandata minima")) {
            EXPECT_TRUE(label->text().endsWith(QStringLiteral(" °C (R2)")))
                << label->text().toStdString();
            lineShown = true;
        }
    }
    EXPECT_TRUE(lineShown);
    QTest::mouseClick(&button, Qt::LeftButton);
    const circuit::Fluid& fluid = circuit.Circuit().Circuit().fluid;
    EXPECT_GE(fluid.supplyC, lowest);
    EXPECT_LT(fluid.supplyC, lowest + 0.1);
    EXPECT_EQ(fluid.returnC, fluid.supplyC - 10.0);
    EXPECT_EQ(Child<QLineEdit>(circuit, "Mandata").text().toStdString(),
              columns::FixedFigure(fluid.supplyC, 1));
    QAction& undo = ActionOf(circuit, "Annulla");
    EXPECT_EQ(undo.text(), "&Annulla Imposta la mandata minima");
    undo.trigger();
    EXPECT_EQ(circuit.Circuit().Circuit().fluid.supplyC, 70.0);
    EXPECT_EQ(circuit.Circuit().Circuit().fluid.returnC, 60.0);

    const std::filesystem::path file = File("senza.idrovela");
    Write(file, circuit::WriteCircuit(ThreeRadiators()));
    CircuitWindow& plain = OpenActive(file);
    EXPECT_FALSE(Child<QPushButton>(plain, "MandataMinima").isVisible());
}

// A radiator given its emitter from the catalogue in the detail pane: ticked, the pane waits for a
// model or Φn; the model chosen takes the proposed number of sections, shown beside them, and the
// terminal's flow follows from the radiator, as one edit that undoes.
TEST_F(EditingTest, AnEmitterFromTheCatalogueTakesTheProposedSectionsAndUndoes) {
    CircuitWindow& circuit = OpenThree();
    circuit.SelectSegment(1);
    const double flowBefore = circuit.Circuit().Solution()->segments[1].terminal->flowLph;
    QTest::mouseClick(&Child<QCheckBox>(circuit, "Emettitore"), Qt::LeftButton);
    EXPECT_EQ(circuit.UndoStack().count(), 0);
    auto& model = Child<QComboBox>(circuit, "ModelloEmettitore");
    const int index = model.findText(QStringLiteral("Esempio alluminio 600"));
    ASSERT_GT(index, 0);
    Pick(model, index);

    const circuit::Circuit& now = circuit.Circuit().Circuit();
    const std::optional<std::int64_t> proposed =
        circuit::ProposedSections(*BuiltIn()->FindEmitter("Esempio alluminio 600"), 1500.0,
                                  now.fluid.supplyC, now.fluid.supplyC - now.fluid.returnC, 20.0);
    ASSERT_TRUE(proposed);
    ASSERT_TRUE(now.segments[1].terminal->emitter);
    EXPECT_EQ(now.segments[1].terminal->emitter->sections, *proposed);
    EXPECT_EQ(Child<QLineEdit>(circuit, "Elementi").text().toStdString(),
              std::to_string(*proposed));
    EXPECT_EQ(Child<QLabel>(circuit, "ElementiProposti").text().toStdString(),
              "Elementi proposti: " + std::to_string(*proposed));
    // Enough sections for a cooling of at least the circuit's Δθ: no more flow than before.
    const circuit::TerminalResult& result = *circuit.Circuit().Solution()->segments[1].terminal;
    ASSERT_TRUE(result.emitter && result.emitter->returnC);
    EXPECT_LE(*result.emitter->returnC, now.fluid.returnC);
    EXPECT_LE(result.flowLph, flowBefore);
    EXPECT_EQ(circuit.UndoStack().undoText(), "Aggiungi emettitore a «R1»");

    ActionOf(circuit, "Annulla").trigger();
    EXPECT_FALSE(circuit.Circuit().Circuit().segments[1].terminal->emitter);
    EXPECT_EQ(circuit.Circuit().Solution()->segments[1].terminal->flowLph, flowBefore);
    EXPECT_FALSE(Child<QCheckBox>(circuit, "Emettitore").isChecked());
}

// The vessel to size, begun in the settings with its static height: the panel waits for the
// relief valve, then sizes it as one edit that undoes; a salto minimo out of range is refused
// beside the fields with the engine's message.
TEST_F(EditingTest, TheSettingsSizeTheVesselAsOneEditAndRefuseASaltoMinimoOutOfRange) {
    CircuitWindow& circuit = OpenThree(sheet::test::ThreeRadiatorsWithEmitters(2500.0));
    Type(Child<QLineEdit>(circuit, "AltezzaStatica"), "8");
    EXPECT_EQ(circuit.UndoStack().count(), 0);
    EXPECT_TRUE(Child<QLineEdit>(circuit, "ValvolaSicurezza").hasFocus());
    Type(Child<QLineEdit>(circuit, "ValvolaSicurezza"), "3");
    EXPECT_EQ(circuit.Circuit().Circuit().vessel, (circuit::Vessel{8.0, 3.0, std::nullopt}));
    EXPECT_TRUE(circuit.Circuit().Solution()->vessel);
    EXPECT_EQ(circuit.UndoStack().undoText(), "Modifica vaso di espansione");
    ActionOf(circuit, "Annulla").trigger();
    EXPECT_FALSE(circuit.Circuit().Circuit().vessel);
    EXPECT_EQ(Child<QLineEdit>(circuit, "AltezzaStatica").text(), "");

    Type(Child<QLineEdit>(circuit, "SaltoMinimo"), "0,5");
    EXPECT_FALSE(circuit.Circuit().Circuit().emitterSettings);
    const auto& message = Child<QLabel>(circuit, "MessaggioImpostazioni");
    EXPECT_TRUE(message.text().startsWith(QStringLiteral("Emettitori, salto_minimo: ")))
        << message.text().toStdString();
    EXPECT_EQ(Child<QLineEdit>(circuit, "SaltoMinimo").text(), "");
}

TEST_F(EditingTest, TheWheelChangesOnlyTheControlWithTheFocus) {
    CircuitWindow& circuit = OpenThree();
    auto& fluid = Child<QComboBox>(circuit, "Fluido");
    circuit.Sheet().setFocus();
    RollWheel(fluid, -1);
    EXPECT_EQ(fluid.currentIndex(), 0);
    EXPECT_EQ(circuit.UndoStack().count(), 0);
    EXPECT_FALSE(fluid.hasFocus());
    Activate(circuit);
    fluid.setFocus();
    RollWheel(fluid, -1);
    EXPECT_EQ(circuit.Circuit().Circuit().fluid.type, circuit::FluidType::Etilenico);
    EXPECT_EQ(circuit.UndoStack().undoText(), "Modifica fluido");

    circuit.SelectSegment(0);
    WithDialog([&] { ActionOf(circuit, "AccidentiValvole").trigger(); },
               [](QWidget& dialog) {
                   auto& library = Child<QTableWidget>(dialog, "Libreria");
                   auto& count = *static_cast<QSpinBox*>(library.cellWidget(2, 2));
                   const QScrollBar& scroll = *library.verticalScrollBar();
                   ASSERT_GT(scroll.maximum(), 0);
                   const int top = scroll.value();
                   RollWheel(count, -2);
                   EXPECT_FALSE(count.hasFocus());
                   EXPECT_GT(scroll.value(), top);
                   const int down = scroll.value();
                   RollWheel(count, 1);
                   EXPECT_EQ(count.value(), 0);
                   EXPECT_LT(scroll.value(), down);
                   dialog.activateWindow();
                   ASSERT_TRUE(QTest::qWaitFor(
                       [&dialog] { return QApplication::activeWindow() == &dialog; }));
                   count.setFocus();
                   RollWheel(count, 2);
                   EXPECT_EQ(count.value(), 2);
                   dynamic_cast<QDialog&>(dialog).reject();
               });
}

// F2 on an id, a new id, Tab: the description; Tab, Tab: the tube, then the length; Tab again:
// the next row's id. Shift+Tab goes back, Enter goes down, Escape leaves the cell as it was.
TEST_F(EditingTest, TheSheetEditsLikeASpreadsheet) {
    CircuitWindow& circuit = OpenThree();
    QTreeView& sheet = circuit.Sheet();
    Activate(circuit);
    sheet.setFocus();
    circuit.SelectSegment(1);  // R1
    sheet.setCurrentIndex(circuit.Model().IndexOf(1, static_cast<int>(columns::SegmentColumn::Id)));
    QTest::keyClick(&sheet, Qt::Key_F2);
    const auto typeThen = [&](const char* text, Qt::Key key, Qt::KeyboardModifiers keys = {}) {
        QLineEdit* editor = Editor(circuit);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, QString::fromUtf8(text));
        QTest::keyClick(editor, key, keys);
        QCoreApplication::processEvents();
    };
    typeThen("R1b", Qt::Key_Tab);
    EXPECT_EQ(At(circuit), std::pair(std::string("R1b"), columns::SegmentColumn::Descrizione));
    typeThen("bagno", Qt::Key_Tab);
    EXPECT_EQ(At(circuit), std::pair(std::string("R1b"), columns::SegmentColumn::Tubo));
    auto* tube = qobject_cast<QComboBox*>(sheet.indexWidget(sheet.currentIndex()));
    ASSERT_NE(tube, nullptr);
    QTest::keyClick(tube, Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(At(circuit), std::pair(std::string("R1b"), columns::SegmentColumn::Lunghezza));
    typeThen("7,5", Qt::Key_Tab);
    EXPECT_EQ(At(circuit), std::pair(std::string("R2"), columns::SegmentColumn::Id));
    ASSERT_NE(Editor(circuit), nullptr);
    QTest::keyClick(Editor(circuit), Qt::Key_Backtab, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(At(circuit), std::pair(std::string("R1b"), columns::SegmentColumn::Lunghezza));
    typeThen("8", Qt::Key_Return);
    EXPECT_EQ(At(circuit), std::pair(std::string("R2"), columns::SegmentColumn::Lunghezza));
    EXPECT_EQ(Editor(circuit), nullptr);

    // Escape: the cell as it was; a refused text keeps the cursor on its cell.
    QTest::keyClick(&sheet, Qt::Key_F2);
    typeThen("99", Qt::Key_Escape);
    EXPECT_EQ(circuit.Circuit().Circuit().segments[2].lengthM, 9.0);
    QTest::keyClick(&sheet, Qt::Key_F2);
    typeThen("nove", Qt::Key_Tab);
    EXPECT_EQ(At(circuit), std::pair(std::string("R2"), columns::SegmentColumn::Lunghezza));
    EXPECT_TRUE(Child<QLabel>(circuit, "MessaggioCella").isVisible());

    const circuit::Segment& r1 = circuit.Circuit().Circuit().segments[1];
    EXPECT_EQ(r1.id, "R1b");
    EXPECT_EQ(r1.description, "bagno");
    EXPECT_EQ(r1.lengthM, 8.0);
    EXPECT_TRUE(r1.tube.automatic);
    EXPECT_EQ(circuit.UndoStack().count(), 4);
}

// After Shift+Ins only the new row is selected; a refusal's red line goes with the next edit
// taken; "Salva con nome" proposes the project's name; the tubes show their series' titles.
TEST_F(EditingTest, WhatTheWindowSelectsProposesAndShowsAfterAnEdit) {
    CircuitWindow& circuit = OpenThree();
    QTreeView& sheet = circuit.Sheet();
    Activate(circuit);
    sheet.setFocus();
    circuit.SelectSegment(2);
    QTest::keyClick(&sheet, Qt::Key_Insert, Qt::ShiftModifier);
    const std::optional<std::size_t> added = circuit.Circuit().Find("T1");
    ASSERT_TRUE(added);
    EXPECT_EQ(circuit.SelectedSegment(), added);
    QSet<std::size_t> rows;
    for (const QModelIndex& index : sheet.selectionModel()->selectedIndexes()) {
        rows << *circuit.Model().SegmentAt(index);
    }
    EXPECT_EQ(rows, QSet<std::size_t>{*added});

    auto& message = Child<QLabel>(circuit, "MessaggioImpostazioni");
    Type(Child<QLineEdit>(circuit, "Mandata"), "60");  // equal to the return: refused
    EXPECT_TRUE(message.isVisible());
    EXPECT_EQ(ActionOf(circuit, "Annulla").text(), "&Annulla Aggiungi «T1»");
    Type(Child<QLineEdit>(circuit, "MarginePortata"), "10");
    EXPECT_FALSE(message.isVisible());
    EXPECT_EQ(ActionOf(circuit, "Annulla").text(), "&Annulla Modifica margine di portata");
    auto& cellMessage = Child<QLabel>(circuit, "MessaggioCella");
    TypeInto(circuit, *added, columns::SegmentColumn::Lunghezza, "-1");
    EXPECT_TRUE(cellMessage.isVisible());
    Type(Child<QLineEdit>(circuit, "Autore"), "Studio Rossi");
    EXPECT_FALSE(cellMessage.isVisible());

    EXPECT_EQ(Cell(circuit, 0, columns::SegmentColumn::Tubo), "Rame EN 1057 22×1");
    EXPECT_TRUE(Cell(circuit, 1, columns::SegmentColumn::Tubo).startsWith("Rame EN 1057 "));
    EXPECT_TRUE(Cell(circuit, 1, columns::SegmentColumn::Tubo).endsWith(" (automatico)"));

    // A new circuit proposes its name as the file's, as a file can hold it.
    ActionOf(circuit, "Nuovo").trigger();
    CircuitWindow& fresh = *circuits.Windows().back();
    Activate(fresh);
    Type(Child<QLineEdit>(fresh, "Nome"), "Villa Rossi: piano 1/2");
    ActionOf(fresh, "SalvaConNome").trigger();
    ActionOf(fresh, "Salva").trigger();
    EXPECT_EQ(dialogs.suggestions,
              (QStringList{"Villa Rossi_ piano 1_2.idrovela", "Villa Rossi_ piano 1_2.idrovela"}));
    dialogs.answers = {Dialogs::Answer::Discard};
    fresh.close();
}

}  // namespace
}  // namespace idrovela::sheet::qt::test
