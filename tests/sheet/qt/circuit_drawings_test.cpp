// The schematic and the system curve in a circuit window: the schematic and the sheet select
// alike, an edit changes the schematic in place (and a hidden schematic catches up when shown),
// and the curve follows every edit.

#include <gtest/gtest.h>

#include <QTabWidget>
#include <QUndoStack>

#include "circuit/write.h"
#include "report/qt/schematic_items.h"
#include "report/qt/schematic_view.h"
#include "report/qt/system_curve_widget.h"
#include "sheet/input.h"
#include "tests/sheet/qt/circuit_fixture.h"
#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet::qt::test {
namespace {

using report::qt::SchematicView;

class DrawingsTest : public CircuitWindowTest {
  protected:
    CircuitWindow& OpenThreeRadiators() {
        const std::filesystem::path file = File("tre.idrovela");
        Write(file, circuit::WriteCircuit(sheet::test::ThreeRadiators()));
        CircuitWindow& circuit = OpenActive(file);
        circuit.resize(1200, 700);
        return circuit;
    }
    static void ShowTab(CircuitWindow& circuit, QWidget& page) {
        circuit.Views().setCurrentWidget(&page);
        ASSERT_TRUE(page.isVisible());
    }
    // What the schematic shows of a segment, against what the circuit works out to now.
    static void ExpectDrawnAsWorkedOut(CircuitWindow& circuit) {
        const SchematicView& view = circuit.Drawings().Schematic();
        const Document& document = circuit.Circuit();
        ASSERT_EQ(view.Layout().segments.size(), document.Circuit().segments.size());
        for (std::size_t i = 0; i < document.Circuit().segments.size(); ++i) {
            EXPECT_EQ(view.Item(i)->Texts(),
                      report::SchematicSegmentTexts(document.Circuit(), *document.Solution(), i))
                << i;
        }
    }
};

TEST_F(DrawingsTest, TheSchematicAndTheSheetSelectAlike) {
    CircuitWindow& circuit = OpenThreeRadiators();
    SchematicView& view = circuit.Drawings().Schematic();
    ShowTab(circuit, view);
    for (const std::size_t segment : {std::size_t{2}, std::size_t{0}, std::size_t{3}}) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.SegmentPoint(segment));
        EXPECT_EQ(circuit.SelectedSegment(), std::optional(segment));
        EXPECT_EQ(circuit.Sheet().currentIndex(), circuit.Model().IndexOf(segment));
    }
    circuit.SelectSegment(1);
    EXPECT_EQ(view.SelectedSegment(), std::optional<std::size_t>(1));
    EXPECT_TRUE(view.Item(1)->Selected());
    EXPECT_FALSE(view.Item(3)->Selected());

    // Removing R1 puts R2 and R3 at other indices: the mark goes with the selected row.
    circuit.SelectSegment(3);  // R3
    circuit.SelectSegment(1);
    circuit.Structure().RemoveWithDownstream();
    ASSERT_EQ(circuit.SelectedSegment(), std::optional<std::size_t>(0));  // back to A
    circuit.SelectSegment(*circuit.Circuit().Find("R3"));
    EXPECT_EQ(view.SelectedSegment(), circuit.Circuit().Find("R3"));
    circuit.UndoStack().undo();
    EXPECT_EQ(view.SelectedSegment(), circuit.SelectedSegment());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(DrawingsTest, AnEditChangesTheSchematicInPlace) {
    CircuitWindow& circuit = OpenThreeRadiators();
    SchematicView& view = circuit.Drawings().Schematic();
    ShowTab(circuit, view);
    const std::string lossBefore = view.Item(2)->Texts().loss;
    TypeInto(circuit, 2, columns::SegmentColumn::Lunghezza, "30");
    EXPECT_FALSE(view.Redrawn());
    EXPECT_NE(view.Item(2)->Texts().loss, lossBefore);
    ExpectDrawnAsWorkedOut(circuit);
    // A new segment changes the tree's shape: drawn afresh, with the new one.
    circuit.SelectSegment(0);
    circuit.Structure().AddDownstream();
    EXPECT_TRUE(view.Redrawn());
    ExpectDrawnAsWorkedOut(circuit);
    EXPECT_EQ(view.SelectedSegment(), circuit.SelectedSegment());
    circuit.UndoStack().undo();
    ExpectDrawnAsWorkedOut(circuit);

    // Hidden, it waits; shown again, it catches up on every edit at once, without a redraw.
    ShowTab(circuit, *circuit.Views().widget(0));
    TypeInto(circuit, 1, columns::SegmentColumn::Lunghezza, "25");
    TypeInto(circuit, 3, columns::SegmentColumn::Lunghezza, "0,5");
    EXPECT_NE(view.Item(1)->Texts(),
              report::SchematicSegmentTexts(circuit.Circuit().Circuit(),
                                            *circuit.Circuit().Solution(), 1));
    ShowTab(circuit, view);
    EXPECT_FALSE(view.Redrawn());
    ExpectDrawnAsWorkedOut(circuit);
}

TEST_F(DrawingsTest, TheCurveFollowsEveryEdit) {
    CircuitWindow& circuit = OpenThreeRadiators();
    const auto head = [&circuit] {
        const auto& duty = circuit.Drawings().Curve().Curve().duty;
        return duty ? duty->lossKPa : -1.0;
    };
    EXPECT_EQ(head(), circuit.Circuit().Solution()->pump.headPa / 1000);
    const double before = head();
    TypeInto(circuit, 0, columns::SegmentColumn::Lunghezza, "40");
    EXPECT_GT(head(), before);
    EXPECT_EQ(head(), circuit.Circuit().Solution()->pump.headPa / 1000);
    circuit.UndoStack().undo();
    EXPECT_EQ(head(), before);
    // The pump's margin adds the duty with margins.
    EXPECT_FALSE(circuit.Drawings().Curve().Curve().dutyWithMargins);
    SettingsForm form = SettingsFormOf(circuit.Circuit().Circuit());
    form.headMarginText = "20";
    ASSERT_TRUE(circuit.Take(SettingsEdit(circuit.Circuit(), form), [](const QString&) {}));
    EXPECT_TRUE(circuit.Drawings().Curve().Curve().dutyWithMargins);
}

}  // namespace
}  // namespace idrovela::sheet::qt::test
