// An editor opened with F2 and closed with Enter as it opened makes no edit: the editor starts
// from the length to 15 digits, and the unrounded length stays.

#include <gtest/gtest.h>

#include <QUndoStack>

#include "circuit/write.h"
#include "tests/sheet/qt/circuit_fixture.h"
#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet::qt::test {
namespace {

TEST_F(CircuitWindowTest, AnEditorClosedAsItOpenedMakesNoEdit) {
    circuit::Circuit three = sheet::test::ThreeRadiators();
    three.segments[1].lengthM = 0.1 + 0.2;
    Write(File("tre.idrovela"), circuit::WriteCircuit(three));
    CircuitWindow& circuit = OpenActive(File("tre.idrovela"));
    QTreeView& sheet = circuit.Sheet();
    const QModelIndex cell =
        circuit.Model().IndexOf(1, static_cast<int>(columns::SegmentColumn::Lunghezza));
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
