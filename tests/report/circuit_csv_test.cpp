// The sheet's CSV read back as a spreadsheet reads it: the byte order mark, the two tables with
// their captions, every cell as the sheet shows it, and texts that hold the separator, quotes or
// line breaks kept whole.

#include "report/circuit_csv.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "columns/columns.h"
#include "test_circuits.h"
#include "tests/support/file_mode.h"

namespace idrovela::report {
namespace {

using Row = std::vector<std::string>;

// A reader after RFC 4180 with ";": quoted cells may hold ";", doubled quotes and line breaks.
std::vector<Row> ReadCsv(const std::string& text) {
    std::vector<Row> rows;
    Row row;
    std::string cell;
    bool quoted = false;
    bool any = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            any = true;
        } else if (c == ';') {
            row.push_back(cell);
            cell.clear();
            any = true;
        } else if (c == '\n') {
            if (any || !cell.empty()) {
                row.push_back(cell);
            }
            rows.push_back(row);
            row.clear();
            cell.clear();
            any = false;
        } else {
            cell += c;
        }
    }
    EXPECT_FALSE(quoted) << "a quoted cell is not closed";
    EXPECT_TRUE(cell.empty() && row.empty()) << "the last line has no line break";
    return rows;
}

struct Tables {
    std::vector<Row> segments;   // captions first
    std::vector<Row> terminals;  // captions first
};

Tables Split(const std::string& csv) {
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(csv.substr(0, 3), bom);
    const std::vector<Row> rows = ReadCsv(csv.substr(3));
    Tables tables;
    std::vector<Row>* into = nullptr;
    for (const Row& row : rows) {
        if (row == Row{"Tratti"}) {
            into = &tables.segments;
        } else if (row == Row{"Terminali"}) {
            into = &tables.terminals;
        } else if (row.empty()) {
            into = nullptr;
        } else {
            EXPECT_NE(into, nullptr) << "a row outside the tables: " << row.front();
            if (into != nullptr) {
                into->push_back(row);
            }
        }
    }
    return tables;
}

TEST(CircuitCsv, ReadsBackAsTheSheetShowsIt) {
    for (const circuit::LoadedCircuit& loaded :
         {testing::Worked(testing::FiveSegments()), testing::WorkedRandom(120, 3)}) {
        const circuit::Circuit& c = loaded.circuit;
        const circuit::Solution& s = loaded.solution;
        const Tables tables = Split(CircuitCsv(c, s));

        ASSERT_EQ(tables.segments.size(), c.segments.size() + 1);
        ASSERT_EQ(tables.segments[0].size(), columns::kSegmentColumns);
        for (std::size_t col = 0; col < columns::kSegmentColumns; ++col) {
            EXPECT_EQ(tables.segments[0][col], columns::SegmentColumns()[col].caption);
        }
        for (std::size_t i = 0; i < c.segments.size(); ++i) {
            const Row& row = tables.segments[i + 1];
            ASSERT_EQ(row.size(), columns::kSegmentColumns) << c.segments[i].id;
            for (std::size_t col = 0; col < columns::kSegmentColumns; ++col) {
                EXPECT_EQ(row[col],
                          columns::SegmentCell(c, s, i, static_cast<columns::SegmentColumn>(col)));
            }
        }

        ASSERT_EQ(tables.terminals.size(), s.terminals + 1);
        ASSERT_EQ(tables.terminals[0].size(), columns::kTerminalColumns);
        EXPECT_EQ(tables.terminals[0].back(), "Kv di bilanciamento [m³/h]");
        std::size_t row = 1;
        for (std::size_t i = 0; i < c.segments.size(); ++i) {
            if (!s.segments[i].terminal) {
                continue;
            }
            ASSERT_LT(row, tables.terminals.size());
            EXPECT_EQ(tables.terminals[row][0], c.segments[i].id);
            for (std::size_t col = 0; col < columns::kTerminalColumns; ++col) {
                EXPECT_EQ(
                    tables.terminals[row][col],
                    columns::TerminalCell(c, s, i, static_cast<columns::TerminalColumn>(col)));
            }
            ++row;
        }
    }
}

TEST(CircuitCsv, FiguresHaveTheDecimalCommaAndNoDot) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    const Tables tables = Split(CircuitCsv(loaded.circuit, loaded.solution));
    // "A": 12 m of pipe, 0,35·4 + 2,5 + 1,5 = 5,4 for Σζ.
    const Row& a = tables.segments[1];
    EXPECT_EQ(a[static_cast<std::size_t>(columns::SegmentColumn::Lunghezza)], "12,00");
    EXPECT_EQ(a[static_cast<std::size_t>(columns::SegmentColumn::Zeta)], "5,40");
    for (const auto* table : {&tables.segments, &tables.terminals}) {
        for (std::size_t r = 1; r < table->size(); ++r) {
            for (const std::string& cell : (*table)[r]) {
                EXPECT_EQ(cell.find('.'), std::string::npos) << cell;
            }
        }
    }
    // The index terminal has no balancing valve: the sheet's dash, not an empty cell or a 0.
    const std::size_t index = *loaded.solution.index;
    for (std::size_t r = 1; r < tables.terminals.size(); ++r) {
        if (tables.terminals[r][0] == loaded.circuit.segments[index].id) {
            EXPECT_EQ(tables.terminals[r].back(), "–");
            EXPECT_EQ(
                tables.terminals[r][static_cast<std::size_t>(columns::TerminalColumn::Eccedenza)],
                "0");
        }
    }
}

TEST(CircuitCsv, TextsWithSeparatorsQuotesAndLineBreaksStayWhole) {
    circuit::Circuit c = testing::FiveSegments();
    const std::vector<std::string> texts = {
        "mandata; ritorno", "il \"vecchio\" tubo", "riga uno\nriga due", "a\r\nb", "\"", ";"};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        c.segments[i % c.segments.size()].description = texts[i];
        const circuit::LoadedCircuit loaded = testing::Worked(c);
        const Tables tables = Split(CircuitCsv(loaded.circuit, loaded.solution));
        const Row& row = tables.segments[i % c.segments.size() + 1];
        ASSERT_EQ(row.size(), columns::kSegmentColumns) << texts[i];
        EXPECT_EQ(row[1], texts[i]);
    }
}

// A text that a spreadsheet would run as a formula is shown as a text.
TEST(CircuitCsv, ADescriptionIsNeverRunAsAFormula) {
    circuit::Circuit c = testing::FiveSegments();
    c.segments[0].description = "=HYPERLINK(\"http://x\";\"clic\")";
    c.segments[1].description = "-A";
    c.segments[2].description = "@SUM(1)";
    const circuit::LoadedCircuit loaded = testing::Worked(c);
    const Tables tables = Split(CircuitCsv(loaded.circuit, loaded.solution));
    EXPECT_EQ(tables.segments[1][1], "'=HYPERLINK(\"http://x\";\"clic\")");
    EXPECT_EQ(tables.segments[2][1], "'-A");
    EXPECT_EQ(tables.segments[3][1], "'@SUM(1)");
}

TEST(CircuitCsv, AnEmptyCircuitHasBothCaptionsAndNoRows) {
    circuit::Circuit c;
    const circuit::LoadedCircuit loaded = testing::Worked(c);
    const Tables tables = Split(CircuitCsv(loaded.circuit, loaded.solution));
    EXPECT_EQ(tables.segments.size(), 1u);
    EXPECT_EQ(tables.terminals.size(), 1u);
}

// The segment table, one empty line, then the terminal table; with rows and without.
TEST(CircuitCsv, AnEmptyLineBetweenTheTables) {
    for (const circuit::Circuit& c : {testing::ThreeSegments(), circuit::Circuit{}}) {
        const circuit::LoadedCircuit loaded = testing::Worked(c);
        const std::string csv = CircuitCsv(loaded.circuit, loaded.solution);
        const std::size_t at = csv.find("\nTerminali\n");
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(csv[at - 1], '\n') << csv;  // the last line of the segment table ends
        EXPECT_NE(csv[at - 2], '\n') << csv;  // and is not empty: one empty line, not two
    }
}

// A new CSV gets 0666 less the umask, as any new file.
TEST(CircuitCsv, ANewFileGetsTheModeTheUmaskLeaves) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::ThreeSegments());
    test::ExpectNewFileModes(std::filesystem::temp_directory_path() /
                                 ("idrovela-mode-" + std::to_string(::getpid()) + ".csv"),
                             [&](const std::filesystem::path& path) {
                                 SaveCircuitCsv(path, loaded.circuit, loaded.solution);
                             });
}

}  // namespace
}  // namespace idrovela::report
