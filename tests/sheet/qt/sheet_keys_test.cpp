// Two flows on the sheet's keys: Shift+Ins puts a new segment right after the selected one, and
// an editor opened with F2 and closed with Enter as it opened makes no edit.

#include <gtest/gtest.h>

#include <QUndoStack>

#include "circuit/write.h"
#include "tests/sheet/qt/circuit_fixture.h"
#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet::qt::test {
namespace {

class SheetKeysTest : public CircuitWindowTest {
  protected:
    CircuitWindow& OpenThree(double r1Length) {
        circuit::Circuit three = sheet::test::ThreeRadiators();
        three.segments[1].lengthM = r1Length;
        const std::filesystem::path file = File("tre.idrovela");
        Write(file, circuit::WriteCircuit(three));
        return OpenActive(file);
    }
};

TEST_F(SheetKeysTest, ShiftInsertAddsTheSegmentRightAfterTheSelectedOne) {
    CircuitWindow& circuit = OpenThree(6.0);
    circuit.SelectSegment(1);  // R1, the first under A
    circuit.Sheet().setFocus();
    QTest::keyClick(&circuit.Sheet(), Qt::Key_Insert, Qt::ShiftModifier);
    const QModelIndex a = circuit.Model().IndexOf(0);
    ASSERT_EQ(circuit.Model().rowCount(a), 4);
    QStringList rows;
    for (int row = 0; row < 4; ++row) {
        const std::optional<std::size_t> segment =
            circuit.Model().SegmentAt(circuit.Model().index(row, 0, a));
        ASSERT_TRUE(segment);
        rows << QString::fromStdString(circuit.Circuit().Circuit().segments[*segment].id);
    }
    EXPECT_EQ(rows.join(' '), "R1 T1 R2 R3");
    EXPECT_EQ(circuit.SelectedSegment(), circuit.Circuit().Find("T1"));
    EXPECT_EQ(circuit.UndoStack().undoText(), "Aggiungi «T1»");
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(SheetKeysTest, AnEditorClosedAsItOpenedMakesNoEdit) {
    CircuitWindow& circuit = OpenThree(0.1 + 0.2);
    QTreeView& sheet = circuit.Sheet();
    const QModelIndex cell = circuit.Model().IndexOf(1, static_cast<int>(SegmentColumn::Lunghezza));
    sheet.setFocus();
    sheet.setCurrentIndex(cell);
    QTest::keyClick(&sheet, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(sheet.indexWidget(cell));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "0,3");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(circuit.UndoStack().count(), 0);
    EXPECT_FALSE(circuit.Circuit().Modified());
    EXPECT_EQ(circuit.Circuit().Circuit().segments[1].lengthM, 0.1 + 0.2);
}

}  // namespace
}  // namespace idrovela::sheet::qt::test
