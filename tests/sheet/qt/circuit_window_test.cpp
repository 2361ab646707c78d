// The circuit window driven as a user drives it: a circuit built on the sheet, its figures
// against the engine's, undo and redo of everything, refusals beside the cell, the warnings, the
// names a screen reader reads, the layout on a small screen, and how long one edit takes.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QUndoStack>
#include <iostream>

#include "circuit/random_tree.h"
#include "circuit/write.h"
#include "report/qt/schematic_view.h"
#include "sheet/input.h"
#include "sheet/qt/upstream_dialog.h"
#include "sheet/window_texts.h"
#include "tests/sheet/qt/circuit_fixture.h"
#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet::qt::test {
namespace {

using sheet::test::BuiltIn;
using sheet::test::ThreeRadiators;

class SheetTest : public CircuitWindowTest {
  protected:
    CircuitWindow& NewWindow() {
        ActionOf(window, "NuovoCircuito").trigger();
        EXPECT_EQ(circuits.Windows().size(), 1u);
        CircuitWindow& circuit = *circuits.Windows().back();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&circuit));
        Activate(circuit);
        return circuit;
    }
    static std::size_t Selected(CircuitWindow& circuit) {
        return circuit.SelectedSegment().value_or(999);
    }
    static QString Line(CircuitWindow& circuit, int row) {
        return Child<QLabel>(circuit, ("Pompa" + std::to_string(row)).c_str()).text();
    }

    // The circuit of ThreeRadiators, built key by key: Ins for a new segment (under the selected
    // one), F2 to type its id, length and tube, the detail pane for its terminal, the dialog for
    // its valve, the settings panel for the project's name.
    void BuildThreeRadiators(CircuitWindow& circuit) {
        QTreeView& sheet = circuit.Sheet();
        Activate(circuit);
        sheet.setFocus();
        QTest::keyClick(&sheet, Qt::Key_Insert);
        std::size_t a = Selected(circuit);
        TypeInto(circuit, a, columns::SegmentColumn::Id, "A");
        TypeInto(circuit, a, columns::SegmentColumn::Lunghezza, "12");
        SetTube(circuit, a, "Rame EN 1057 22×1");
        WithDialog([&] { ActionOf(circuit, "AccidentiValvole").trigger(); },
                   [](QWidget& dialog) {
                       QTest::mouseClick(&Child<QPushButton>(dialog, "AggiungiValvola"),
                                         Qt::LeftButton);
                       auto& valves = Child<QTableWidget>(dialog, "Valvole");
                       valves.item(0, 0)->setText(QStringLiteral("6,3"));
                       valves.item(0, 1)->setText(QStringLiteral("valvola a sfera"));
                       EXPECT_TRUE(Child<QLabel>(dialog, "Somme").text().contains("valvole"));
                       dynamic_cast<QDialog&>(dialog).accept();
                   });
        struct Radiator {
            const char* id;
            const char* length;
            const char* tube;
            const char* watts;
            int device;
            const char* deviceValue;
        };
        for (const Radiator& r : {Radiator{"R1", "6", "Rame EN 1057 automatico", "1500", 2, "0,8"},
                                  Radiator{"R2", "9", "Rame EN 1057 15×1", "2000", 1, "1000"},
                                  Radiator{"R3", "3", "Rame EN 1057 automatico", "800", 0, ""}}) {
            Activate(circuit);  // again, after the dialog
            circuit.SelectSegment(*circuit.Circuit().Find("A"));
            sheet.setFocus();
            QTest::keyClick(&sheet, Qt::Key_Insert);
            const std::size_t at = Selected(circuit);
            TypeInto(circuit, at, columns::SegmentColumn::Id, r.id);
            const std::size_t segment = *circuit.Circuit().Find(r.id);
            TypeInto(circuit, segment, columns::SegmentColumn::Lunghezza, r.length);
            SetTube(circuit, segment, r.tube);
            circuit.SelectSegment(segment);
            QTest::mouseClick(&Child<QCheckBox>(circuit, "Terminale"), Qt::LeftButton,
                              Qt::NoModifier, QPoint(6, 6));
            Type(Child<QLineEdit>(circuit, "DescrizioneTerminale"), "radiatore");
            Type(Child<QLineEdit>(circuit, "Carico"), r.watts);
            if (r.device != 0) {
                Pick(Child<QComboBox>(circuit, "TipoApparecchio"), r.device);
                Type(Child<QLineEdit>(circuit, "Apparecchio"), r.deviceValue);
            }
        }
        Type(Child<QLineEdit>(circuit, "Nome"), "Villetta");
    }
    static void SetTube(CircuitWindow& circuit, std::size_t segment, const char* tube) {
        QTreeView& sheet = circuit.Sheet();
        sheet.setCurrentIndex(
            circuit.Model().IndexOf(segment, static_cast<int>(columns::SegmentColumn::Tubo)));
        QTest::keyClick(&sheet, Qt::Key_F2);
        auto* editor = qobject_cast<QComboBox*>(sheet.indexWidget(sheet.currentIndex()));
        ASSERT_NE(editor, nullptr);
        QComboBox& box = *editor;
        box.setCurrentIndex(box.findText(QString::fromUtf8(tube)));
        ASSERT_GE(box.currentIndex(), 0) << tube;
        QTest::keyClick(&box, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

TEST_F(SheetTest, AThreeRadiatorCircuitBuiltOnTheSheetIsTheEngines) {
    CircuitWindow& circuit = NewWindow();
    EXPECT_EQ(circuit.windowTitle(), "Senza nome – Circuito");
    BuildThreeRadiators(circuit);
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(circuit.windowTitle(), "Senza nome* – Circuito");

    const circuit::Circuit expected = ThreeRadiators();
    EXPECT_EQ(circuit::WriteCircuit(circuit.Circuit().Circuit()), circuit::WriteCircuit(expected));

    // The index path, the pump's duty and a balancing Kv, as the window shows them.
    const circuit::Solution engine = circuit::Solve(expected, *BuiltIn());
    ASSERT_TRUE(engine.index);
    QString path;
    for (const std::size_t segment : engine.indexPath) {
        path +=
            (path.isEmpty() ? "" : " → ") + QString::fromStdString(expected.segments[segment].id);
    }
    EXPECT_EQ(Line(circuit, 2), path);
    EXPECT_EQ(Line(circuit, 0).toStdString(),
              columns::FixedFigure(engine.pump.flowLph, 0) +
                  " l/h = " + columns::FixedFigure(engine.pump.flowLph / 1000, 3) + " m³/h");
    EXPECT_EQ(Line(circuit, 1).toStdString(),
              columns::FixedFigure(engine.pump.headPa / 1000, 2) +
                  " kPa = " + columns::FixedFigure(engine.pump.headM, 2) + " m di fluido");
    for (std::size_t i = 1; i < 4; ++i) {
        if (i == *engine.index) {
            continue;
        }
        circuit.SelectSegment(i);
        auto& kv = Child<QWidget>(circuit, "Dettaglio");
        QString kvText;
        for (const QLabel* label : kv.findChildren<QLabel*>()) {
            if (label->accessibleName() == "Kv di bilanciamento") {
                kvText = label->text();
            }
        }
        EXPECT_EQ(kvText.toStdString(),
                  columns::FixedFigure(*engine.segments[i].terminal->kv, 2) + " m³/h");
    }
    // The index path's rows carry the mark beside their colour.
    const QModelIndex indexRow = circuit.Model().IndexOf(*engine.index);
    EXPECT_TRUE(indexRow.data().toString().startsWith(kIndexPathMark));
    EXPECT_TRUE(indexRow.data(Qt::BackgroundRole).isValid());
}

TEST_F(SheetTest, UndoGoesBackToEmptyAndRedoComesBack) {
    CircuitWindow& circuit = NewWindow();
    BuildThreeRadiators(circuit);
    const std::string built = circuit::WriteCircuit(circuit.Circuit().Circuit());
    QAction& undo = ActionOf(circuit, "Annulla");
    QAction& redo = ActionOf(circuit, "Ripeti");
    EXPECT_EQ(undo.text(), "&Annulla Modifica nome");
    int steps = 0;
    Activate(circuit);
    while (undo.isEnabled()) {
        QTest::keyClick(&circuit.Sheet(), Qt::Key_Z, Qt::ControlModifier);
        ++steps;
    }
    EXPECT_GT(steps, 20);
    EXPECT_TRUE(circuit.Circuit().Circuit().segments.empty());
    EXPECT_EQ(circuit.Model().rowCount(), 0);
    EXPECT_FALSE(circuit.Circuit().Modified());
    EXPECT_EQ(circuit.windowTitle(), "Senza nome – Circuito");
    EXPECT_EQ(redo.text(), "Ri&peti Aggiungi «T1»");
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(&circuit.Sheet(), Qt::Key_Y, Qt::ControlModifier);
    }
    EXPECT_FALSE(redo.isEnabled());
    EXPECT_EQ(circuit::WriteCircuit(circuit.Circuit().Circuit()), built);
    EXPECT_EQ(circuit.Model().rowCount(), 1);
    EXPECT_EQ(circuit.Model().rowCount(circuit.Model().IndexOf(0)), 3);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// A text that is not a number is refused beside its cell, never in a box, and changes nothing.
TEST_F(SheetTest, ARefusedCellSaysWhyBesideIt) {
    CircuitWindow& circuit = NewWindow();
    QTest::keyClick(&circuit.Sheet(), Qt::Key_Insert);
    const std::string before = circuit::WriteCircuit(circuit.Circuit().Circuit());
    auto& message = Child<QLabel>(circuit, "MessaggioCella");
    TypeInto(circuit, 0, columns::SegmentColumn::Lunghezza, "12.5");
    EXPECT_TRUE(message.isVisible());
    EXPECT_TRUE(message.text().contains("virgola")) << message.text().toStdString();
    const QRect cell = circuit.Sheet().visualRect(
        circuit.Model().IndexOf(0, static_cast<int>(columns::SegmentColumn::Lunghezza)));
    EXPECT_LE((message.geometry().center() - cell.center()).manhattanLength(),
              cell.width() + message.width());
    TypeInto(circuit, 0, columns::SegmentColumn::Lunghezza, "-3");  // the engine's refusal
    EXPECT_TRUE(message.text().contains("almeno 0 m")) << message.text().toStdString();
    EXPECT_EQ(circuit::WriteCircuit(circuit.Circuit().Circuit()), before);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(dialogs.errors.isEmpty());
    TypeInto(circuit, 0, columns::SegmentColumn::Lunghezza, "2,25");
    EXPECT_FALSE(message.isVisible());
    EXPECT_EQ(circuit.Circuit().Circuit().segments[0].lengthM, 2.25);

    // The settings panel refuses an invalid value with the engine's message and shows the
    // circuit's value again.
    auto& supply = Child<QLineEdit>(circuit, "Mandata");
    Type(supply, "60");
    EXPECT_TRUE(Child<QLabel>(circuit, "MessaggioImpostazioni").text().contains("ritorno"));
    EXPECT_EQ(supply.text(), "70");
    EXPECT_EQ(circuit.Circuit().Circuit().fluid.supplyC, 70.0);

    // A figure beyond any building is refused where it is typed, with the values taken: in the
    // cell, in the detail pane's terminal and in the dialog's valves.
    TypeInto(circuit, 0, columns::SegmentColumn::Lunghezza, "20000");
    EXPECT_TRUE(message.text().contains("si accettano valori da 0 a 10 000 m."))
        << message.text().toStdString();
    EXPECT_EQ(circuit.Circuit().Circuit().segments[0].lengthM, 2.25);
    circuit.SelectSegment(0);
    QTest::mouseClick(&Child<QCheckBox>(circuit, "Terminale"), Qt::LeftButton, Qt::NoModifier,
                      QPoint(6, 6));
    Type(Child<QLineEdit>(circuit, "Carico"), "20000000");
    EXPECT_TRUE(Child<QLabel>(circuit, "MessaggioTerminale")
                    .text()
                    .contains("si accettano valori da 0 a 10 000 000 W."))
        << Child<QLabel>(circuit, "MessaggioTerminale").text().toStdString();
    ASSERT_TRUE(circuit.Circuit().Circuit().segments[0].terminal);
    EXPECT_EQ(circuit.Circuit().Circuit().segments[0].terminal->loadValue, 0.0);
    WithDialog(
        [&] { ActionOf(circuit, "AccidentiValvole").trigger(); },
        [](QWidget& dialog) {
            QTest::mouseClick(&Child<QPushButton>(dialog, "AggiungiValvola"), Qt::LeftButton);
            Child<QTableWidget>(dialog, "Valvole").item(0, 0)->setText("10000,5");
            dynamic_cast<QDialog&>(dialog).accept();
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_TRUE(
                Child<QLabel>(dialog, "Messaggio").text().contains("sopra 0 e fino a 10 000 m³/h."))
                << Child<QLabel>(dialog, "Messaggio").text().toStdString();
            dynamic_cast<QDialog&>(dialog).reject();
        });
    EXPECT_TRUE(circuit.Circuit().Circuit().segments[0].valves.empty());
}

TEST_F(SheetTest, StructureKeysMoveAndTheWarningsSelectTheirRows) {
    const std::filesystem::path file = File("tre.idrovela");
    circuit::Circuit three = ThreeRadiators();
    three.segments[3].terminal->loadValue = 0;  // R3: a terminal without flow warns
    Write(file, circuit::WriteCircuit(three));
    CircuitWindow& circuit = OpenActive(file);
    QTreeView& sheet = circuit.Sheet();

    // Moved under R1, R2 leaves A's rows; the dialog offers neither R2 itself nor the source's
    // descendants of R2, and starts at its upstream segment A.
    circuit.SelectSegment(2);
    dialogs.upstreams = {UpstreamChoice{1}};
    ActionOf(circuit, "SpostaSotto").trigger();
    EXPECT_EQ(dialogs.upstreamAsked, QStringList{QString::fromUtf8("Sposta «R2»")});
    EXPECT_EQ(dialogs.upstreamChoices, (QStringList{"A", "R1", "R3"}));
    EXPECT_EQ(dialogs.upstreamCurrent, std::optional<std::size_t>(0));
    EXPECT_EQ(circuit.Model().rowCount(circuit.Model().IndexOf(0)), 2);
    EXPECT_EQ(circuit.Model().rowCount(circuit.Model().IndexOf(1)), 1);
    EXPECT_EQ(circuit.Circuit().Circuit().segments[2].upstream, "R1");
    EXPECT_EQ(ActionOf(circuit, "Annulla").text(), "&Annulla Sposta «R2» sotto «R1»");

    // Shift+Del takes R1 alone: R2 goes back up to A.
    Activate(circuit);
    circuit.SelectSegment(1);
    sheet.setFocus();
    QTest::keyClick(&sheet, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_FALSE(circuit.Circuit().Find("R1"));
    EXPECT_EQ(circuit.Circuit().Circuit().segments[1].upstream, "A");
    // Del takes A and everything under it.
    circuit.SelectSegment(0);
    QTest::keyClick(&sheet, Qt::Key_Delete);
    EXPECT_EQ(circuit.Model().rowCount(), 0);
    QTest::keyClick(&sheet, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&sheet, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&sheet, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(circuit::WriteCircuit(circuit.Circuit().Circuit()), circuit::WriteCircuit(three));

    // A warning in the list selects its row.
    auto& list = Child<QListView>(circuit, "Avvisi");
    const circuit::Solution& solution = *circuit.Circuit().Solution();
    ASSERT_FALSE(solution.warnings.empty());
    int r3 = -1;
    for (std::size_t i = 0; i < solution.warnings.size(); ++i) {
        if (solution.warnings[i].code == circuit::WarningCode::TerminaleSenzaPortata) {
            r3 = static_cast<int>(i);
        }
    }
    ASSERT_GE(r3, 0);
    circuit.SelectSegment(0);
    const QModelIndex entry = list.model()->index(r3, 0);
    EXPECT_TRUE(entry.data().toString().startsWith(QString::fromUtf8("«R3» — ")));
    list.scrollTo(entry);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier,
                      list.visualRect(entry).center());
    EXPECT_EQ(circuit.SelectedSegment(), std::optional<std::size_t>(3));
    EXPECT_FALSE(circuit.Model().IndexOf(3).data(Qt::DecorationRole).isNull());
}

// "Sposta sotto…" itself: the source first, then the segments offered, starting at the segment's
// upstream one; what is picked comes back as its place among those offered.
TEST(UpstreamDialog, OffersTheSourceFirstAndStartsAtTheUpstreamSegment) {
    UpstreamDialog dialog(nullptr, QString::fromUtf8("Sposta «R2»"), {"A", "R1", "R3"}, 1);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Sposta «R2»"));
    auto& box = Child<QComboBox>(dialog, "NuovoAMonte");
    ASSERT_EQ(box.count(), 4);
    EXPECT_EQ(box.itemText(0), "(la sorgente)");
    EXPECT_EQ(box.itemText(3), "R3");
    EXPECT_EQ(box.currentText(), "R1");
    const struct {
        int picked;
        std::optional<std::size_t> choice;
    } cases[] = {{0, std::nullopt}, {1, 0}, {3, 2}};
    for (const auto& c : cases) {
        box.setCurrentIndex(c.picked);
        EXPECT_EQ(dialog.Choice().index, c.choice) << c.picked;
    }
    EXPECT_EQ(UpstreamDialog(nullptr, "", {"A"}, std::nullopt).Choice().index, std::nullopt);
}

// What a screen reader finds: a name and a tooltip for every control that takes the focus, and
// Italian menu entries with their keys.
TEST_F(SheetTest, EveryControlHasANameAndATooltip) {
    CircuitWindow& circuit = NewWindow();
    QTest::keyClick(&circuit.Sheet(), Qt::Key_Insert);
    for (QWidget* widget : circuit.findChildren<QWidget*>()) {
        if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&circuit) ||
            widget->inherits("QScrollBar") || widget->parentWidget()->inherits("QTabBar") ||
            widget->inherits("QMenu")) {
            continue;
        }
        const std::string name =
            widget->objectName().toStdString() + " (" + widget->metaObject()->className() + ")";
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr) << name;
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty()) << name;
        QString tip = widget->toolTip();
        for (QWidget* up = widget; tip.isEmpty() && up != &circuit; up = up->parentWidget()) {
            tip = up->toolTip();  // a table's spin box, a tab's page
        }
        EXPECT_FALSE(tip.isEmpty()) << name;
    }
    QStringList menus;
    for (const QAction* menu : circuit.menuBar()->actions()) {
        menus << menu->text();
        for (const QAction* item : menu->menu()->actions()) {
            if (!item->isSeparator()) {
                menus << item->text() + " " + item->shortcut().toString();
            }
        }
    }
    EXPECT_EQ(menus.join('|').toStdString(),
              "&File|&Nuovo Ctrl+N|&Apri… Ctrl+O|&Salva Ctrl+S|Salva &con nome… Ctrl+Shift+S|"
              "Esporta &relazione… |S&tampa… Ctrl+P|Esporta CS&V… |"
              "C&hiudi Ctrl+W|&Modifica|&Annulla Aggiungi «T1» Ctrl+Z|Ri&peti Ctrl+Shift+Z|"
              "C&opia Ctrl+C|Aggiungi tratto a &valle Ins|Aggiungi tratto &dopo Shift+Ins|"
              "&Rimuovi tratto e tratti a valle Del|Rimuovi &solo il tratto Shift+Del|"
              "Spos&ta sotto… Ctrl+M|A&ccidenti e valvole… Ctrl+E|A&ggiungi al circuito |"
              "Apri ne&l calcolatore |&?|Guida ai &circuiti F1|&Informazioni su Idrovela ");
    // The main window's File menu: mnemonics, and no Ctrl shortcut, which its fields keep.
    for (const char* name : {"NuovoCircuito", "ApriCircuito"}) {
        EXPECT_TRUE(ActionOf(window, name).shortcut().isEmpty()) << name;
    }
    EXPECT_EQ(window.FileMenu().actions()[2]->text(), "Circuiti &recenti");
}

// From 1024×768 up: the window needs no more than a small screen has, at scale factor 1 and at
// the 1,5 of 144 dpi and the 2 of a 4K screen (run again with QT_SCALE_FACTOR=1.5 and 2).
TEST_F(SheetTest, FitsASmallScreen) {
    CircuitWindow& circuit = NewWindow();
    const QSize needed = circuit.minimumSizeHint();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    std::cout << "minimum size " << needed.width() << "×" << needed.height() << " at scale factor "
              << circuit.devicePixelRatio() << ", screen " << screen.width() << "×"
              << screen.height() << "\n";
    // Logical pixels: a 4K screen at scale factor 2 has 1920×1080 of them.
    EXPECT_LE(needed.width(), 1024);
    EXPECT_LE(needed.height(), 700);
    circuit.resize(1000, 680);
    EXPECT_GT(circuit.Sheet().viewport()->height(), 150);
    EXPECT_TRUE(Child<QWidget>(circuit, "Pompa").isVisible());
}

// One edit on the engine's benchmark circuit of 10 000 segments: the time from the typed text to
// the repainted sheet, reported, not asserted.
TEST_F(SheetTest, OneEditOnTenThousandSegmentsTakesThisLong) {
    const std::filesystem::path file = File("diecimila.idrovela");
    Write(file, circuit::WriteCircuit(circuit::RandomCircuit(10'000, 1)));
    CircuitWindow& circuit = OpenActive(file);
    circuit.resize(1000, 680);
    QCoreApplication::processEvents();
    SegmentModel& model = circuit.Model();
    const auto time = [&](const char* what, const std::function<void()>& edit) {
        QElapsedTimer timer;
        timer.start();
        edit();
        circuit.Sheet().viewport()->repaint();
        QCoreApplication::processEvents();
        std::cout << what << ": " << timer.nsecsElapsed() / 1000 << " µs\n";
    };
    const QModelIndex length =
        model.IndexOf(3, static_cast<int>(columns::SegmentColumn::Lunghezza));
    for (const char* text : {"7,5", "8", "9,25"}) {
        time("length of T4", [&] { EXPECT_TRUE(model.setData(length, text, Qt::EditRole)); });
    }
    time("supply temperature: every row", [&] {
        SettingsForm form = SettingsFormOf(circuit.Circuit().Circuit());
        form.supplyText = "75";
        EXPECT_TRUE(circuit.Take(SettingsEdit(circuit.Circuit(), form), [](const QString&) {}));
    });
    circuit.SelectSegment(0);
    time("a segment added under T1", [&] { circuit.Structure().AddDownstream(); });
    time("undone", [&] { circuit.UndoStack().undo(); });
    circuit.SelectSegment(0);
    time("T1 and everything under it removed", [&] { circuit.Structure().RemoveWithDownstream(); });
    time("undone", [&] { circuit.UndoStack().undo(); });
    EXPECT_EQ(circuit.Circuit().Circuit().segments.size(), 10'000u);

    // With the schematic in sight, which follows each edit in place.
    time("the schematic shown, catching up",
         [&] { circuit.Views().setCurrentWidget(&circuit.Drawings().Schematic()); });
    time("length of T4, the schematic shown",
         [&] { EXPECT_TRUE(model.setData(length, "6", Qt::EditRole)); });
    EXPECT_FALSE(circuit.Drawings().Schematic().Redrawn());
    circuit.SelectSegment(0);
    time("a segment added under T1, the schematic redrawn",
         [&] { circuit.Structure().AddDownstream(); });
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

}  // namespace
}  // namespace idrovela::sheet::qt::test
