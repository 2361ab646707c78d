// The sheet's CSV read back as a spreadsheet reads it: the byte order mark, the four tables with
// their captions, every cell as the sheet shows it, the segment upstream of each, every fitting
// and valve with its loss, the pump's figures, and texts that hold the separator, quotes or line
// breaks kept whole.

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
    std::vector<Row> losses;     // captions first
    std::vector<Row> pump;       // captions first
};

// Where the sheet's column is in the CSV's segment table: the segment upstream comes after the id.
std::size_t At(columns::SegmentColumn column) {
    const auto c = static_cast<std::size_t>(column);
    return c == 0 ? 0 : c + 1;
}
constexpr std::size_t kUpstream = 1;

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
        } else if (row == Row{"Accidenti e valvole"}) {
            into = &tables.losses;
        } else if (row == Row{"Pompa"}) {
            into = &tables.pump;
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
        ASSERT_EQ(tables.segments[0].size(), columns::kSegmentColumns + 1);
        EXPECT_EQ(tables.segments[0][kUpstream], "a monte");
        for (std::size_t col = 0; col < columns::kSegmentColumns; ++col) {
            const auto column = static_cast<columns::SegmentColumn>(col);
            EXPECT_EQ(tables.segments[0][At(column)], columns::SegmentColumns()[col].caption);
        }
        for (std::size_t i = 0; i < c.segments.size(); ++i) {
            const Row& row = tables.segments[i + 1];
            ASSERT_EQ(row.size(), columns::kSegmentColumns + 1) << c.segments[i].id;
            EXPECT_EQ(row[kUpstream], c.segments[i].upstream.value_or(""));
            for (std::size_t col = 0; col < columns::kSegmentColumns; ++col) {
                const auto column = static_cast<columns::SegmentColumn>(col);
                EXPECT_EQ(row[At(column)], columns::SegmentCell(c, s, i, column));
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
    EXPECT_EQ(a[At(columns::SegmentColumn::Lunghezza)], "12,00");
    EXPECT_EQ(a[At(columns::SegmentColumn::Zeta)], "5,40");
    for (const auto* table : {&tables.segments, &tables.terminals, &tables.losses, &tables.pump}) {
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
        ASSERT_EQ(row.size(), columns::kSegmentColumns + 1) << texts[i];
        EXPECT_EQ(row[At(columns::SegmentColumn::Descrizione)], texts[i]);
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
    const std::size_t d = At(columns::SegmentColumn::Descrizione);
    EXPECT_EQ(tables.segments[1][d], "'=HYPERLINK(\"http://x\";\"clic\")");
    EXPECT_EQ(tables.segments[2][d], "'-A");
    EXPECT_EQ(tables.segments[3][d], "'@SUM(1)");
}

TEST(CircuitCsv, AnEmptyCircuitHasTheCaptionsAndNoRows) {
    circuit::Circuit c;
    const circuit::LoadedCircuit loaded = testing::Worked(c);
    const Tables tables = Split(CircuitCsv(loaded.circuit, loaded.solution));
    EXPECT_EQ(tables.segments.size(), 1u);
    EXPECT_EQ(tables.terminals.size(), 1u);
    EXPECT_EQ(tables.losses.size(), 1u);
}

// The tables in their order, one empty line between them; with rows and without.
TEST(CircuitCsv, AnEmptyLineBetweenTheTables) {
    for (const circuit::Circuit& c : {testing::ThreeSegments(), circuit::Circuit{}}) {
        const circuit::LoadedCircuit loaded = testing::Worked(c);
        const std::string csv = CircuitCsv(loaded.circuit, loaded.solution);
        for (const char* table : {"\nTerminali\n", "\nAccidenti e valvole\n", "\nPompa\n"}) {
            const std::size_t at = csv.find(table);
            ASSERT_NE(at, std::string::npos) << table;
            EXPECT_EQ(csv[at - 1], '\n') << csv;  // the last line of the table before ends
            EXPECT_NE(csv[at - 2], '\n') << csv;  // and is not empty: one empty line, not two
        }
    }
}

// The tree a checker rebuilds from the CSV: each segment's upstream id, empty at the source.
TEST(CircuitCsv, EachSegmentNamesTheOneUpstream) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    const Tables tables = Split(CircuitCsv(loaded.circuit, loaded.solution));
    const std::vector<Row> expected = {
        {"A", ""}, {"B", "A"}, {"R1", "A"}, {"R2", "B"}, {"R3", "B"}};
    ASSERT_EQ(tables.segments.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Row(tables.segments[i + 1].begin(), tables.segments[i + 1].begin() + 2),
                  expected[i]);
    }
}

// A figure of the CSV as a number: "1234,5" is 1234.5.
double Number(std::string cell) {
    for (char& c : cell) {
        c = c == ',' ? '.' : c;
    }
    std::size_t used = 0;
    const double value = std::stod(cell, &used);
    EXPECT_EQ(used, cell.size()) << cell;
    return value;
}

// Each fitting and valve on its own line, in file order, with the loss a checker works out by
// hand: numero·ζ·ρ·w²/2 and (ρ/1000)·(V̇/Kv)²·10⁵ at the segment's flow; a segment's lines add up
// to its Z and valve columns.
TEST(CircuitCsv, EveryFittingAndValveWithItsLoss) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    const circuit::Solution& s = loaded.solution;
    const Tables tables = Split(CircuitCsv(loaded.circuit, s));
    const double rho = s.fluid.properties.densityKgM3;
    const auto fitting = [&](std::size_t segment, double zeta, int count) {
        const double w = s.segments[segment].velocityMs;
        return count * zeta * rho * w * w / 2.0;
    };
    const auto valve = [&](std::size_t segment, double kv) {
        const double ratio = s.segments[segment].flowLph / 1000.0 / kv;
        return rho / 1000.0 * ratio * ratio * 1e5;
    };
    struct Line {
        Row cells;  // all but the loss
        std::size_t segment;
        double lossPa;
    };
    const std::vector<Line> expected = {
        {{"A", "caldaia", "caldaia", "2,5", "1", "–"}, 0, fitting(0, 2.5, 1)},
        {{"A", "curva-90-r1", "curva 90°, r/d 1", "0,35", "4", "–"}, 0, fitting(0, 0.35, 4)},
        {{"A", "zeta", "filtro", "1,5", "1", "–"}, 0, fitting(0, 1.5, 1)},
        {{"A", "valvola", "valvola a sfera", "–", "–", "6,3"}, 0, valve(0, 6.3)},
        {{"B", "ti-passaggio-divisione", "ti, passaggio diritto oltre una derivazione che divide",
          "0,3", "1", "–"},
         1,
         fitting(1, 0.3, 1)},
        {{"R2", "radiatore", "radiatore", "3", "1", "–"}, 3, fitting(3, 3.0, 1)},
    };
    ASSERT_EQ(tables.losses.size(), expected.size() + 1);
    EXPECT_EQ(tables.losses[0], (Row{"id", "tipo", "descrizione", "ζ", "numero", "Kv", "Δp [Pa]"}));
    std::vector<double> local(loaded.circuit.segments.size(), 0.0);
    std::vector<double> valves(loaded.circuit.segments.size(), 0.0);
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const Row& row = tables.losses[k + 1];
        SCOPED_TRACE(row.at(1));
        ASSERT_EQ(row.size(), 7u);
        EXPECT_EQ(Row(row.begin(), row.end() - 1), expected[k].cells);
        EXPECT_GT(expected[k].lossPa, 1.0);  // a figure, not a rounding
        EXPECT_NEAR(Number(row.back()), expected[k].lossPa, 0.05 + 1e-9);
        (row[1] == "valvola" ? valves : local)[expected[k].segment] += Number(row.back());
    }
    for (std::size_t i = 0; i < loaded.circuit.segments.size(); ++i) {
        SCOPED_TRACE(loaded.circuit.segments[i].id);
        EXPECT_NEAR(local[i], s.segments[i].localPa, 0.05 * 3 + 1e-9);
        EXPECT_NEAR(valves[i], s.segments[i].valvesPa, 0.05 + 1e-9);
    }
}

// The pump's figures, each with its unit, and the index circuit with its path: what the report's
// "Pompa" says, for a checker with the CSV alone.
TEST(CircuitCsv, ThePumpsLinesWithTheirUnits) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    const circuit::PumpDuty& pump = loaded.solution.pump;
    const Tables tables = Split(CircuitCsv(loaded.circuit, loaded.solution));
    struct Expected {
        const char* name;
        const char* unit;
        double value;
        double within;  // half the last decimal shown
    };
    const std::vector<Expected> lines = {
        {"portata", "l/h", pump.flowLph, 0.5},
        {"portata", "m³/h", pump.flowLph / 1000.0, 0.0005},
        {"prevalenza", "Pa", pump.headPa, 0.5},
        {"prevalenza", "kPa", pump.headPa / 1000.0, 0.005},
        {"prevalenza", "m di colonna del fluido", pump.headM, 0.005},
        {"portata con il margine del 10 %", "l/h", pump.flowLph * 1.1, 0.5 + 1e-6},
        {"portata con il margine del 10 %", "m³/h", pump.flowLph * 1.1 / 1000.0, 0.0005 + 1e-9},
        {"prevalenza con il margine del 20 %", "Pa", pump.headPa * 1.2, 0.5 + 1e-6},
        {"prevalenza con il margine del 20 %", "kPa", pump.headPa * 1.2 / 1000.0, 0.005 + 1e-9},
        {"prevalenza con il margine del 20 %", "m di colonna del fluido", pump.headM * 1.2,
         0.005 + 1e-9},
    };
    ASSERT_EQ(tables.pump.size(), lines.size() + 3);
    EXPECT_EQ(tables.pump[0], (Row{"voce", "valore", "unità"}));
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const Row& row = tables.pump[k + 1];
        ASSERT_EQ(row.size(), 3u);
        SCOPED_TRACE(row[0] + " " + row[2]);
        EXPECT_EQ(row[0], lines[k].name);
        EXPECT_EQ(row[2], lines[k].unit);
        EXPECT_NEAR(Number(row[1]), lines[k].value, lines[k].within);
    }
    EXPECT_EQ(tables.pump[lines.size() + 1], (Row{"circuito indice", "R2", ""}));
    EXPECT_EQ(tables.pump[lines.size() + 2],
              (Row{"percorso del circuito indice", "A → B → R2", ""}));
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
