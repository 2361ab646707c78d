// The report's content: its sections in order, the header as given, the tables with their
// captions and units in the repeated head and their figures on the right, the index path, the
// pump with its margins on their own lines, the fittings used with their sources, the warnings,
// and every text from the circuit escaped.

#include "report/report_html.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "circuit/fittings.h"
#include "columns/columns.h"
#include "report/formulas.h"
#include "test_circuits.h"
#include "text/html.h"

namespace idrovela::report {
namespace {

const ReportHeader kHeader{"14/03/2025", "9.8.7", "villetta.idrovela"};

std::string Report(const circuit::Circuit& c, const ReportHeader& header = kHeader) {
    const circuit::LoadedCircuit loaded = testing::Worked(c);
    return ReportHtml(loaded.circuit, loaded.solution, header);
}

// The text of the section under <h2>title</h2>, to the next one.
std::string SectionOf(const std::string& html, const std::string& title) {
    const std::size_t start = html.find("<h2>" + title + "</h2>");
    if (start == std::string::npos) {
        ADD_FAILURE() << "no section " << title;
        return {};
    }
    const std::size_t end = html.find("<h2>", start + 4);
    return html.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos;
         at = text.find(part, at + part.size())) {
        ++n;
    }
    return n;
}

// The cells of the table's body rows, each row's cells with their opening tags.
std::vector<std::vector<std::string>> BodyRows(const std::string& section) {
    std::vector<std::vector<std::string>> rows;
    const std::size_t body = section.find("</thead>");
    if (body == std::string::npos) {
        return rows;
    }
    for (std::size_t row = section.find("<tr>", body); row != std::string::npos;
         row = section.find("<tr>", row + 4)) {
        const std::size_t rowEnd = section.find("</tr>", row);
        std::vector<std::string>& cells = rows.emplace_back();
        for (std::size_t cell = section.find("<td", row); cell < rowEnd;
             cell = section.find("<td", cell + 3)) {
            cells.push_back(section.substr(cell, section.find("</td>", cell) - cell));
        }
        if (cells.empty()) {
            rows.pop_back();  // the head of a table after the first
        }
    }
    return rows;
}

TEST(ReportHtml, SectionsInTheirOrderUnderTheGivenHeader) {
    const std::string html = Report(testing::FiveSegments());
    const std::vector<std::string> sections = {"<h1>Relazione di calcolo del circuito</h1>",
                                               "<h2>Fluido</h2>",
                                               "<h2>Limiti e margini</h2>",
                                               "<h2>Tratti</h2>",
                                               "<h2>Terminali</h2>",
                                               "<h2>Accidenti e valvole</h2>",
                                               "<h2>Circuito indice</h2>",
                                               "<h2>Schema del circuito</h2>",
                                               "<h2>Pompa</h2>",
                                               "<h2>Formule usate</h2>",
                                               "<h2>Accidenti</h2>",
                                               "<h2>Avvisi</h2>"};
    std::size_t last = 0;
    for (const std::string& section : sections) {
        const std::size_t at = html.find(section);
        ASSERT_NE(at, std::string::npos) << section;
        EXPECT_GT(at, last) << section << " is out of order";
        last = at;
    }
    const std::string head = html.substr(0, html.find("<h2>"));
    for (const char* fact :
         {"Villetta Rossi", "Ing. Bianchi", "14/03/2025", "Idrovela 9.8.7", "villetta.idrovela"}) {
        EXPECT_NE(head.find(fact), std::string::npos) << fact;
    }
}

TEST(ReportHtml, TheFluidAtTheMeanTemperatureAndTheLimits) {
    circuit::Circuit c = testing::FiveSegments();
    c.fluid = {circuit::FluidType::Etilenico, 30.0, 7.0, 12.0};  // cooling
    const circuit::LoadedCircuit loaded = testing::Worked(c);
    const std::string fluid =
        SectionOf(ReportHtml(loaded.circuit, loaded.solution, kHeader), "Fluido");
    const physics::FluidProperties& p = loaded.solution.fluid.properties;
    for (const std::string& fact :
         {std::string("glicole etilenico al 30 % in volume"), std::string("9,5 °C"),
          std::string("5 K"), columns::FixedFigure(p.densityKgM3, 1) + " kg/m³",
          columns::FixedFigure(p.viscosityMPaS, 4) + " mPa·s",
          columns::FixedFigure(p.specificHeatJKgK / 1000.0, 3) + " kJ/(kg·K)"}) {
        EXPECT_NE(fluid.find(fact), std::string::npos) << fact;
    }
    const std::string limits = SectionOf(Report(testing::FiveSegments()), "Limiti e margini");
    for (const char* fact : {"200 Pa/m", "1 m/s", "10 %", "20 %"}) {
        EXPECT_NE(limits.find(fact), std::string::npos) << fact;
    }
}

TEST(ReportHtml, TablesRepeatCaptionsAndUnitsAndAlignFiguresRight) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    const circuit::Circuit& c = loaded.circuit;
    const circuit::Solution& s = loaded.solution;
    const std::string html = ReportHtml(c, s, kHeader);

    const std::string segments = SectionOf(html, "Tratti");
    const std::string head = segments.substr(segments.find("<thead>"),
                                             segments.find("</thead>") - segments.find("<thead>"));
    EXPECT_EQ(Count(head, "<tr>"), 2u) << "the captions and the units";
    EXPECT_NE(head.find("<th align=\"right\">Pa/m</th>"), std::string::npos);
    EXPECT_NE(head.find("<th align=\"right\">Δp percorso</th>"), std::string::npos);
    EXPECT_NE(head.find("<th align=\"left\">tubo</th>"), std::string::npos);
    const auto rows = BodyRows(segments);
    ASSERT_EQ(rows.size(), c.segments.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // The sheet's columns, with the segment upstream after the id.
        ASSERT_EQ(rows[i].size(), columns::kSegmentColumns + 1);
        for (std::size_t col = 0; col < columns::kSegmentColumns; ++col) {
            const auto column = static_cast<columns::SegmentColumn>(col);
            const std::string& cell = rows[i][col == 0 ? 0 : col + 1];
            const bool figure = columns::Info(column).decimals >= 0;
            EXPECT_EQ(cell.rfind(figure ? "<td align=\"right\">" : "<td align=\"left\">", 0), 0u)
                << cell;
            if (figure) {
                EXPECT_NE(cell.find(columns::SegmentCell(c, s, i, column)), std::string::npos);
            }
        }
    }

    const std::string terminals = SectionOf(html, "Terminali");
    EXPECT_NE(terminals.find("<th align=\"right\">m³/h</th>"), std::string::npos);
    const auto terminalRows = BodyRows(terminals);
    ASSERT_EQ(terminalRows.size(), s.terminals);
    // The index, "R2", is the second terminal: marked, no excess, no valve.
    EXPECT_NE(terminalRows[1][0].find("▶ R2"), std::string::npos);
    EXPECT_EQ(terminalRows[1].back(), "<td align=\"right\">–");
    EXPECT_EQ(terminalRows[0][0].find("▶"), std::string::npos);
}

// What a checker needs to rebuild the circuit from the report alone: each segment's upstream
// id, and every fitting and valve with its ζ or Kv and its loss.
TEST(ReportHtml, TheTreeAndEveryFittingAndValve) {
    const std::string html = Report(testing::FiveSegments());
    const auto segments = BodyRows(SectionOf(html, "Tratti"));
    const std::vector<std::string> upstream = {"", "A", "A", "B", "B"};
    ASSERT_EQ(segments.size(), upstream.size());
    EXPECT_NE(SectionOf(html, "Tratti").find("<th align=\"left\">a monte</th>"), std::string::npos);
    for (std::size_t i = 0; i < upstream.size(); ++i) {
        EXPECT_EQ(segments[i][1], "<td align=\"left\">" + upstream[i]) << i;
    }

    const std::string losses = SectionOf(html, "Accidenti e valvole");
    for (const char* caption : {"tipo", "descrizione", "ζ", "numero", "Kv", "Δp", "m³/h", "Pa"}) {
        EXPECT_NE(losses.find(std::string(">") + caption + "</th>"), std::string::npos) << caption;
    }
    const auto rows = BodyRows(losses);
    const std::vector<std::vector<std::string>> expected = {
        {"A", "caldaia", "caldaia", "2,5", "1", "–"},
        {"A", "curva-90-r1", "curva 90°, r/d 1", "0,35", "4", "–"},
        {"A", "zeta", "filtro", "1,5", "1", "–"},
        {"A", "valvola", "valvola a sfera", "–", "–", "6,3"},
        {"B", "ti-passaggio-divisione", "ti, passaggio diritto oltre una derivazione che divide",
         "0,3", "1", "–"},
        {"R2", "radiatore", "radiatore", "3", "1", "–"}};
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), expected[r].size() + 1);
        for (std::size_t col = 0; col < expected[r].size(); ++col) {
            const char* align = col < 3 ? "<td align=\"left\">" : "<td align=\"right\">";
            EXPECT_EQ(rows[r][col], align + expected[r][col]) << r << ", " << col;
        }
        EXPECT_EQ(rows[r].back().rfind("<td align=\"right\">", 0), 0u);
    }

    circuit::Circuit bare = testing::ThreeSegments();
    EXPECT_NE(SectionOf(Report(bare), "Accidenti e valvole").find("non ha né accidenti né valvole"),
              std::string::npos);
}

// The schematic is drawn up to 500 segments, as pictures the printer paints, one a part; above,
// a line says it is left out and why.
TEST(ReportHtml, TheSchematicUpTo500Segments) {
    struct Case {
        std::size_t segments;
        bool drawn;
    };
    for (const Case& test : {Case{5, true}, Case{500, true}, Case{501, false}}) {
        SCOPED_TRACE(test.segments);
        const circuit::LoadedCircuit loaded = testing::WorkedRandom(test.segments, 7);
        const std::string schematic =
            SectionOf(ReportHtml(loaded.circuit, loaded.solution, kHeader), "Schema del circuito");
        const std::size_t pictures = Count(schematic, "<img src=\"schema-");
        if (!test.drawn) {
            EXPECT_EQ(pictures, 0u);
            EXPECT_NE(schematic.find("Lo schema non è disegnato: il circuito ha 501 tratti, più "
                                     "dei 500 che la relazione disegna."),
                      std::string::npos);
            continue;
        }
        const std::optional<SchematicPages> pages =
            PlanSchematicPages(loaded.circuit, loaded.solution, PageRoom{});
        ASSERT_TRUE(pages);
        EXPECT_EQ(pictures, pages->parts.size());
        EXPECT_NE(schematic.find("<img src=\"" + SchematicImage(pictures - 1) + "\""),
                  std::string::npos);
        EXPECT_EQ(schematic.find("diviso in") != std::string::npos, pictures > 1);
    }
}

TEST(ReportHtml, TheIndexPathIsMarkedAndSpelledOut) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    const std::string html = ReportHtml(loaded.circuit, loaded.solution, kHeader);
    const auto rows = BodyRows(SectionOf(html, "Tratti"));
    const std::vector<bool> marked = {true, true, false, true, false};  // A, B, R2
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0].find("▶") != std::string::npos, marked[i]) << i;
    }
    const std::string index = SectionOf(html, "Circuito indice");
    EXPECT_NE(index.find("R2 (radiatore camera)"), std::string::npos);
    EXPECT_NE(index.find("A → B → R2"), std::string::npos);
    EXPECT_NE(
        index.find(columns::FixedFigure(loaded.solution.segments[3].terminal->totalPa, 0) + " Pa"),
        std::string::npos);
}

TEST(ReportHtml, ThePumpWithItsMarginsOnTheirOwnLinesAndTheCurve) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    const circuit::PumpDuty& pump = loaded.solution.pump;
    const std::string section =
        SectionOf(ReportHtml(loaded.circuit, loaded.solution, kHeader), "Pompa");
    EXPECT_NE(section.find(columns::FixedFigure(pump.flowLph, 0) + " l/h"), std::string::npos);
    EXPECT_NE(section.find(columns::FixedFigure(pump.headPa, 0) + " Pa"), std::string::npos);
    EXPECT_NE(section.find(columns::FixedFigure(pump.headM, 2) + " m di colonna del fluido"),
              std::string::npos);
    EXPECT_NE(section.find("Portata con il margine del 10 %</td><td width=\"12\"></td><td>" +
                           columns::FixedFigure(*pump.flowWithMarginLph, 0) + " l/h"),
              std::string::npos);
    EXPECT_NE(section.find("Prevalenza con il margine del 20 %</td><td width=\"12\"></td><td>" +
                           columns::FixedFigure(*pump.headWithMarginPa, 0) + " Pa"),
              std::string::npos);
    EXPECT_NE(section.find("<img src=\"" + std::string(kCurveImage) + "\">"), std::string::npos);
    const auto curve = BodyRows(section);
    ASSERT_EQ(curve.size(), 7u) << "the curve every quarter of the flow to 150 %";
    const char* quarters[] = {"0 %", "25 %", "50 %", "75 %", "100 %", "125 %", "150 %"};
    for (std::size_t i = 0; i < curve.size(); ++i) {
        EXPECT_EQ(curve[i][0], std::string("<td align=\"right\">") + quarters[i]);
    }

    circuit::Circuit noMargins = testing::FiveSegments();
    noMargins.margins = {};
    const std::string plain = SectionOf(Report(noMargins), "Pompa");
    EXPECT_EQ(plain.find("margine"), std::string::npos);
    EXPECT_EQ(plain.find("Con i margini"), std::string::npos);
}

// 307,03 l/h is printed whole and in m³/h to the litre; with a 10 % margin, 337,733 l/h.
TEST(ReportHtml, ThePumpsFlowInLitresAndCubicMetres) {
    circuit::Circuit c;
    c.segments = {testing::CopperSegment("A", std::nullopt, 3.0, "22×1", 20.0)};
    c.segments[0].terminal = testing::Radiator("fan coil", 0.0);
    c.segments[0].terminal->load = circuit::Terminal::Load::Flow;
    c.segments[0].terminal->loadValue = 307.03;
    c.margins = {10.0, 0.0};
    const std::string pump = SectionOf(Report(c), "Pompa");
    EXPECT_NE(pump.find("<td>Portata</td><td width=\"12\"></td><td>307 l/h = 0,307 m³/h</td>"),
              std::string::npos)
        << pump;
    EXPECT_NE(pump.find("<td>338 l/h = 0,338 m³/h</td>"), std::string::npos) << pump;
}

// The header has a row of notes only when the project has notes, not an empty one.
TEST(ReportHtml, ANotesRowOnlyWithNotes) {
    circuit::Circuit c = testing::ThreeSegments();
    EXPECT_EQ(Report(c).find("<td>Note</td>"), std::string::npos);
    c.project.notes = "impianto a due tubi";
    EXPECT_NE(Report(c).find("<tr><td>Note</td><td width=\"12\"></td><td>impianto a due tubi</td>"),
              std::string::npos);
}

TEST(ReportHtml, WithoutAFlowingTerminalThereIsNoIndexNoDutyAndNoCurve) {
    circuit::Circuit c = testing::ThreeSegments();
    c.segments[1].terminal->loadValue = 0.0;
    c.segments[2].terminal->loadValue = 0.0;
    const std::string html = Report(c);
    EXPECT_NE(SectionOf(html, "Circuito indice").find("il circuito indice non c'è"),
              std::string::npos);
    const std::string pump = SectionOf(html, "Pompa");
    EXPECT_NE(pump.find(">0 l/h = 0,000 m³/h<"), std::string::npos);
    EXPECT_NE(pump.find(">0 Pa = 0,00 kPa = 0,00 m di colonna del fluido<"), std::string::npos);
    EXPECT_EQ(pump.find("<img"), std::string::npos);
    EXPECT_NE(pump.find("Nessun terminale con portata"), std::string::npos);
    // Both terminals warn that they have no flow.
    EXPECT_EQ(Count(SectionOf(html, "Avvisi"), "terminale-senza-portata"), 2u);
}

TEST(ReportHtml, TheFittingsUsedWithTheirSourcesAndTheCustomOnes) {
    const std::string fittings = SectionOf(Report(testing::FiveSegments()), "Accidenti");
    const auto rows = BodyRows(fittings);
    // curva-90-r1 ×4, ti-passaggio-divisione, radiatore, caldaia: in the library's order, then
    // the custom "filtro".
    ASSERT_EQ(rows.size(), 5u);
    std::size_t row = 0;
    for (const circuit::FittingType& type : circuit::FittingLibrary()) {
        std::string cell = ">";
        cell += type.key;
        cell += '<';
        if (fittings.find(cell) == std::string::npos) {
            continue;
        }
        EXPECT_NE(rows[row][0].find(type.key), std::string::npos);
        EXPECT_NE(rows[row][2].find(columns::FixedFigure(type.zeta, 2)), std::string::npos);
        EXPECT_NE(rows[row][4].find(text::EscapeHtml(type.source)), std::string::npos);
        ++row;
    }
    EXPECT_EQ(row, 4u);
    EXPECT_NE(rows[0][3].find(">4"), std::string::npos) << "four bends of curva-90-r1";
    EXPECT_NE(rows[4][1].find("filtro"), std::string::npos);
    EXPECT_NE(rows[4][2].find("1,5"), std::string::npos);
    EXPECT_EQ(fittings.find("gomito-90"), std::string::npos) << "an entry the circuit does not use";

    EXPECT_NE(SectionOf(Report(testing::ThreeSegments()), "Accidenti").find("non ha accidenti"),
              std::string::npos);
}

TEST(ReportHtml, EveryWarningAndEveryFormula) {
    const circuit::LoadedCircuit loaded = testing::WorkedRandom(60, 4);
    ASSERT_FALSE(loaded.solution.warnings.empty());
    const std::string html = ReportHtml(loaded.circuit, loaded.solution, kHeader);
    const std::string warnings = SectionOf(html, "Avvisi");
    EXPECT_EQ(BodyRows(warnings).size(), loaded.solution.warnings.size());
    for (const circuit::Warning& warning : loaded.solution.warnings) {
        EXPECT_NE(warnings.find(text::EscapeHtml(warning.text)), std::string::npos);
    }
    // Without a warning: the terminals with a loss of their own.
    circuit::Circuit quiet = testing::ThreeSegments();
    for (circuit::Segment& segment : quiet.segments) {
        if (segment.terminal) {
            segment.terminal->device = circuit::Terminal::Device::PressureDrop;
            segment.terminal->deviceValue = 1000.0;
        }
    }
    EXPECT_NE(SectionOf(Report(quiet), "Avvisi").find("Nessun avviso"), std::string::npos);

    const std::string formulas = SectionOf(html, "Formule usate");
    for (const Formula& formula : Formulas()) {
        EXPECT_NE(formulas.find(text::EscapeHtml(formula.symbols)), std::string::npos)
            << formula.symbols;
    }
    for (const char* symbol : {"λ = 64 / Re", "2,51/(Re·√λ)", "R = λ/d · ρ·w²/2", "Z = Σζ · ρ·w²/2",
                               "(ρ/1000)·(V̇/Kv)²·10⁵", "H = Δp / (ρ·g)"}) {
        EXPECT_NE(formulas.find(symbol), std::string::npos) << symbol;
    }
}

TEST(ReportHtml, TextsFromTheCircuitNeverBecomeMarkup) {
    circuit::Circuit c = testing::FiveSegments();
    c.project = {"<b>Villa</b> & co", "\"Autore\" <i>", "<script>x</script>"};
    c.segments[0].description = "<table>";
    c.segments[2].terminal->description = "<img src=x>";
    const std::string html = Report(c);
    for (const char* raw : {"<b>Villa", "<script>", "<table>\n<tr>", "<img src=x>", "\"Autore\""}) {
        EXPECT_EQ(html.find(raw), std::string::npos) << raw;
    }
    EXPECT_NE(html.find("&lt;b&gt;Villa&lt;/b&gt; &amp; co"), std::string::npos);
    EXPECT_NE(html.find("&lt;img src=x&gt;"), std::string::npos);
    EXPECT_NE(html.find("&quot;Autore&quot; &lt;i&gt;"), std::string::npos);
}

TEST(ReportHtml, CountsInWordsAndAnEmptyCircuit) {
    EXPECT_NE(Report(testing::FiveSegments()).find("<p>5 tratti, nell'ordine"), std::string::npos);
    circuit::Circuit one = testing::ThreeSegments();
    one.segments.resize(2);  // "A" and "R1"
    const std::string html = Report(one);
    EXPECT_NE(html.find("<p>2 tratti,"), std::string::npos);
    EXPECT_NE(html.find("<p>1 terminale."), std::string::npos);
    one.segments.resize(1);
    EXPECT_NE(Report(one).find("<p>1 tratto,"), std::string::npos);

    const std::string empty = Report(circuit::Circuit{});
    EXPECT_NE(SectionOf(empty, "Tratti").find("non ha tratti"), std::string::npos);
    EXPECT_NE(SectionOf(empty, "Terminali").find("non ha terminali"), std::string::npos);
    EXPECT_EQ(empty.find("<table class=\"dati\""), std::string::npos);
}

TEST(ReportHtml, TheTitleFallsBackToTheFileAndThenToNoName) {
    circuit::Circuit c = testing::ThreeSegments();
    EXPECT_EQ(ReportTitle(c, kHeader), "Monolocale");
    c.project.name.clear();
    EXPECT_EQ(ReportTitle(c, kHeader), "villetta.idrovela");
    EXPECT_EQ(ReportTitle(c, {"1/1/2025", "1", ""}), "Senza nome");
}

}  // namespace
}  // namespace idrovela::report
