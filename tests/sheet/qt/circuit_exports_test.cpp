// What a circuit window hands on, driven from its menus: the report as a PDF (read back with
// poppler's pdftotext: the pages, the head on each), the same report printed, the CSV read back
// against the sheet, an export refused over the circuit's own file, and "Copia" of the rows.

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QMimeData>
#include <QPrinter>

#include "circuit/random_tree.h"
#include "circuit/write.h"
#include "columns/columns.h"
#include "tests/sheet/qt/circuit_fixture.h"
#include "tests/sheet/sheet_fixture.h"
#include "tests/support/pdf_pages.h"

namespace idrovela::sheet::qt::test {
namespace {

class ExportsTest : public CircuitWindowTest {
  protected:
    CircuitWindow& OpenCircuit(const char* name, const circuit::Circuit& circuit) {
        const std::filesystem::path file = File(name);
        Write(file, circuit::WriteCircuit(circuit));
        return OpenActive(file);
    }
    static void Trigger(CircuitWindow& circuit, const char* name) {
        auto* action = circuit.findChild<QAction*>(QString::fromUtf8(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    QStringList Pages(const std::filesystem::path& pdf) {
        const std::optional<QStringList> pages =
            test_support::PdfPages(QString::fromStdString(pdf.string()));
        if (!pages) {
            ADD_FAILURE() << "pdftotext (Debian package poppler-utils) cannot read " << pdf;
            return {};
        }
        return *pages;
    }
    static void ExpectHeadOnEveryPage(const QStringList& pages, const QString& title) {
        const QString today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
        for (int page = 0; page < pages.size(); ++page) {
            SCOPED_TRACE(page + 1);
            EXPECT_TRUE(pages[page].contains(
                QStringLiteral("Relazione di calcolo del circuito – ") + title));
            EXPECT_TRUE(pages[page].contains(today));
            EXPECT_TRUE(pages[page].contains(
                QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(pages.size())));
        }
    }
};

// The 60-segment circuit of the report's own tests: eleven pages, the head on each, and the
// circuit's file named in the header; printed, the same pages.
TEST_F(ExportsTest, TheReportFromTheWindowRendersWithItsHeadOnEveryPage) {
    IDROVELA_NEEDS_PDFTOTEXT();
    CircuitWindow& circuit = OpenCircuit("sessanta.idrovela", circuit::RandomCircuit(60, 11));
    const std::filesystem::path pdf = File("relazione.pdf");
    dialogs.exportPaths.push_back(QString::fromStdString(pdf.string()));
    Trigger(circuit, "EsportaRelazione");
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    ASSERT_EQ(dialogs.exports.size(), 1);
    EXPECT_TRUE(dialogs.exports[0].endsWith(QStringLiteral("sessanta.pdf")));
    const QStringList pages = Pages(pdf);
    ASSERT_EQ(pages.size(), 11);
    const QString title = QString::fromStdString(circuit.Circuit().Circuit().project.name.empty()
                                                     ? std::string("sessanta.idrovela")
                                                     : circuit.Circuit().Circuit().project.name);
    ExpectHeadOnEveryPage(pages, title);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("sessanta.idrovela")));

    const std::filesystem::path printed = File("stampata.pdf");
    dialogs.choosePrinter = [&printed](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printed.string()));
        return true;
    };
    EXPECT_TRUE(circuit.Exports().PrintReport());
    const QStringList printedPages = Pages(printed);
    EXPECT_EQ(printedPages.size(), 11);
    ExpectHeadOnEveryPage(printedPages, title);

    // Cancelled, nothing is written and nothing is said.
    dialogs.choosePrinter = [](QPrinter&) { return false; };
    EXPECT_FALSE(circuit.Exports().PrintReport());
    dialogs.exportPaths.push_back(std::nullopt);
    EXPECT_FALSE(circuit.Exports().ExportReport());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// No export takes the place of the circuit it comes from; one that cannot be written says why.
TEST_F(ExportsTest, AnExportNeverReplacesTheCircuitAndAFailedOneSaysWhy) {
    CircuitWindow& circuit = OpenCircuit("tre.idrovela", sheet::test::ThreeRadiators());
    const std::string before = Bytes(File("tre.idrovela"));
    // The circuit's own file, also by another name for it.
    const QString own = QString::fromStdString(File("tre.idrovela").string());
    const QString roundabout =
        QString::fromStdString((File("cartella") / ".." / "tre.idrovela").string());
    std::filesystem::create_directory(File("cartella"));
    for (const QString& path : {own, roundabout}) {
        dialogs.exportPaths.push_back(path);
        EXPECT_FALSE(circuit.Exports().ExportReport());
        dialogs.exportPaths.push_back(path);
        EXPECT_FALSE(circuit.Exports().ExportCsv());
    }
    ASSERT_EQ(dialogs.errors.size(), 4);
    EXPECT_TRUE(dialogs.errors[0].startsWith(
        QStringLiteral("La relazione non può prendere il posto del circuito «tre.idrovela»")));
    EXPECT_TRUE(dialogs.errors[1].startsWith(QStringLiteral("Il CSV non può prendere il posto")));
    EXPECT_EQ(Bytes(File("tre.idrovela")), before);

    // A folder that is not there: the writers' reasons, and no file.
    dialogs.errors.clear();
    const std::filesystem::path missing = File("manca") / "relazione.pdf";
    dialogs.exportPaths.push_back(QString::fromStdString(missing.string()));
    EXPECT_FALSE(circuit.Exports().ExportReport());
    dialogs.exportPaths.push_back(QString::fromStdString((File("manca") / "t.csv").string()));
    EXPECT_FALSE(circuit.Exports().ExportCsv());
    ASSERT_EQ(dialogs.errors.size(), 2);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("la cartella non esiste")))
        << dialogs.errors[0].toStdString();
    EXPECT_FALSE(dialogs.errors[1].isEmpty());
    EXPECT_FALSE(std::filesystem::exists(File("manca")));
}

// The CSV from the window, read back: the BOM, and every row of both tables as the sheet and
// the detail pane show it, decimal commas and all.
TEST_F(ExportsTest, TheCsvFromTheWindowReadsBackAsTheSheet) {
    CircuitWindow& circuit = OpenCircuit("tre.idrovela", sheet::test::ThreeRadiators());
    const std::filesystem::path csv = File("tre.csv");
    dialogs.exportPaths.push_back(QString::fromStdString(csv.string()));
    Trigger(circuit, "EsportaCSV");
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    const std::string bytes = Bytes(csv);
    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    const QStringList lines = QString::fromUtf8(bytes.substr(3)).split(QChar(u'\n'));
    ASSERT_GE(lines.size(), 12) << bytes;
    EXPECT_EQ(lines[0], QStringLiteral("Tratti"));
    const Document& document = circuit.Circuit();
    const std::size_t segments = document.Circuit().segments.size();
    for (std::size_t i = 0; i < segments; ++i) {
        SCOPED_TRACE(document.Circuit().segments[i].id);
        // The sheet's columns, with the segment upstream after the id.
        const QStringList cells = lines[static_cast<int>(i) + 2].split(';');
        ASSERT_EQ(cells.size(), static_cast<int>(columns::kSegmentColumns) + 1);
        EXPECT_EQ(cells[1].toStdString(),
                  document.Circuit().segments[i].upstream.value_or(std::string()));
        for (std::size_t c = 0; c < columns::kSegmentColumns; ++c) {
            QString text = circuit.Model().IndexOf(i, static_cast<int>(c)).data().toString();
            text.remove(QString::fromUtf8(kIndexPathMark));
            if (static_cast<columns::SegmentColumn>(c) == columns::SegmentColumn::Tubo) {
                // The window names the series by its title, the file by its name.
                text = QString::fromStdString(columns::SegmentCell(
                    document.Circuit(), *document.Solution(), i, columns::SegmentColumn::Tubo));
            }
            EXPECT_EQ(cells[c == 0 ? 0 : static_cast<int>(c) + 1], text) << c;
        }
    }
    EXPECT_TRUE(lines[2].contains(QStringLiteral("12,00")));  // A's length, with its comma
    const int terminals = static_cast<int>(segments) + 3;
    EXPECT_EQ(lines[terminals], QStringLiteral("Terminali"));
    const circuit::Solution& solution = *document.Solution();
    for (std::size_t i = 1; i < segments; ++i) {
        const QStringList cells = lines[terminals + 1 + static_cast<int>(i)].split(';');
        ASSERT_EQ(cells.size(), static_cast<int>(columns::kTerminalColumns));
        EXPECT_EQ(cells[0].toStdString(), document.Circuit().segments[i].id);
        EXPECT_EQ(cells[7].toStdString(),
                  columns::TerminalCell(document.Circuit(), solution, i,
                                        columns::TerminalColumn::Eccedenza));
    }
}

// Ctrl+C in the sheet copies the selected rows in the sheet's order; in a cell's editor it
// copies the editor's text, and the clipboard keeps no row.
TEST_F(ExportsTest, CopyPutsTheSelectedRowsOnTheClipboardAndLeavesTheEditorsOwn) {
    CircuitWindow& circuit = OpenCircuit("tre.idrovela", sheet::test::ThreeRadiators());
    QTreeView& sheet = circuit.Sheet();
    circuit.SelectSegment(3);
    // Ctrl and a click add R1 to the selection.
    QTest::mouseClick(sheet.viewport(), Qt::LeftButton, Qt::ControlModifier,
                      sheet.visualRect(circuit.Model().IndexOf(1)).center());
    sheet.setFocus();
    QTest::keyClick(&sheet, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    const QStringList lines = copied->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << copied->text().toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("id\tdescrizione\t")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("R1\t\t1500\t")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("R3\t\t800\t")));
    EXPECT_TRUE(copied->html().contains(QStringLiteral("<td>R3</td>")));

    // In a cell's editor the keys are the editor's.
    const QModelIndex cell =
        circuit.Model().IndexOf(2, static_cast<int>(columns::SegmentColumn::Descrizione));
    sheet.setCurrentIndex(cell);
    QTest::keyClick(&sheet, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(sheet.indexWidget(cell));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("valvola termostatica"));
    editor->setSelection(0, 7);
    QTest::keyClick(editor, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("valvola"));
    QTest::keyClick(editor, Qt::Key_Escape);
}

}  // namespace
}  // namespace idrovela::sheet::qt::test
