// What the circuit window says: its title, the pump's and the terminal's lines, the local losses.

#include "sheet/window_texts.h"

#include <gtest/gtest.h>

#include "sheet/input.h"
#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet::test {
namespace {

TEST(WindowTexts, TitleNameAndQuestion) {
    EXPECT_EQ(WindowTitle(std::nullopt, false), "Senza nome – Circuito");
    EXPECT_EQ(WindowTitle(std::nullopt, true), "Senza nome* – Circuito");
    EXPECT_EQ(WindowTitle("/home/anna/Villetta.idrovela", false), "Villetta – Circuito");
    EXPECT_EQ(WindowTitle("/home/anna/vecchio.json", true), "vecchio.json* – Circuito");
    EXPECT_EQ(SaveQuestion("/home/anna/Villetta.idrovela"), "Salvare le modifiche a «Villetta»?");
    EXPECT_EQ(WithExtension("/tmp/a"), "/tmp/a.idrovela");
    EXPECT_EQ(WithExtension("/tmp/a.idrovela"), "/tmp/a.idrovela");
    EXPECT_EQ(WithExtension("/tmp/a.json"), "/tmp/a.json.idrovela");
}

// "Salva con nome" starts from the project's name, as a file can hold it.
TEST(WindowTexts, TheSuggestedFileNameIsTheProjectsName) {
    struct Case {
        std::string name;
        std::string file;
    };
    const Case cases[] = {
        {"Villetta Rossi", "Villetta Rossi.idrovela"},
        {"Casa 2/3: \"piano\" <terra>|*?\\", "Casa 2_3_ _piano_ _terra_____.idrovela"},
        {"  .nascosto. ", "nascosto.idrovela"},
        {"riga\nnuova\t", "riga_nuova_.idrovela"},
        {"Ristrutturazione è già", "Ristrutturazione è già.idrovela"},
        {std::string("a\xff\xc3") + "b", "a__b.idrovela"},  // bytes that are not UTF-8
        {"", "Senza nome.idrovela"},
        {" . ", "Senza nome.idrovela"},
        {std::string(199, 'x') + "é", std::string(199, 'x') + ".idrovela"},  // cut whole
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SuggestedFileName(c.name), c.file) << c.name;
    }
    EXPECT_EQ(SuggestedFileName(std::string(300, 'y')), std::string(200, 'y') + ".idrovela");
}

// The tube cell names the series by its catalogue title, and by its name where two share one.
TEST(WindowTexts, TubesAreNamedByTheirCatalogueTitles) {
    const circuit::Circuit circuit = ThreeRadiators();
    const circuit::Solution solution = circuit::Solve(circuit, *BuiltIn());
    EXPECT_EQ(TubeCellText(*BuiltIn(), circuit.segments[0], solution.segments[0]),
              "Rame EN 1057 22×1");
    EXPECT_EQ(TubeCellText(*BuiltIn(), circuit.segments[1], solution.segments[1]),
              "Rame EN 1057 " + solution.segments[1].designation + " (automatico)");

    catalogues::Catalogue twins = *BuiltIn();
    catalogues::Series copy = *twins.Find("rame");
    copy.name = "rame-mio";
    twins.series.push_back(copy);
    const struct {
        const char* series;
        const char* label;
    } labels[] = {{"rame", "Rame EN 1057 (rame)"},
                  {"rame-mio", "Rame EN 1057 (rame-mio)"},
                  {"pe100-sdr11", "PE 100 SDR 11 (PN 16)"},
                  {"acciaio-m", "Acciaio EN 10255 serie media (M)"},
                  {"sparita", "sparita"}};  // a series the catalogue no longer has
    for (const auto& each : labels) {
        EXPECT_EQ(SeriesLabel(twins, each.series), each.label);
    }
    // Every option names one tube, so that the text chosen finds it again.
    const std::vector<TubeOption> options = TubeOptions(twins);
    for (std::size_t i = 0; i < options.size(); ++i) {
        for (std::size_t j = i + 1; j < options.size(); ++j) {
            ASSERT_NE(options[i].text, options[j].text);
        }
    }
}

TEST(WindowTexts, PumpLinesAndTheMarginsOnLinesOfTheirOwn) {
    circuit::Circuit circuit = ThreeRadiators();
    circuit::Solution solution = circuit::Solve(circuit, *BuiltIn());
    std::vector<Line> lines = PumpLines(circuit, solution);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].label, "Portata della pompa");
    EXPECT_EQ(lines[0].value, columns::FixedFigure(solution.pump.flowLph, 0) + " l/h = " +
                                  columns::FixedFigure(solution.pump.flowLph / 1000, 3) + " m³/h");
    EXPECT_EQ(lines[1].value, columns::FixedFigure(solution.pump.headPa / 1000, 2) + " kPa = " +
                                  columns::FixedFigure(solution.pump.headM, 2) + " m di fluido");
    EXPECT_EQ(lines[2].value, "A → " + circuit.segments[*solution.index].id);

    circuit.margins = {10, 20};
    solution = circuit::Solve(circuit, *BuiltIn());
    lines = PumpLines(circuit, solution);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3].label, "Portata con margine del 10,0 %");
    EXPECT_EQ(lines[4].label, "Prevalenza con margine del 20,0 %");
    EXPECT_EQ(lines[1].value.substr(0, 4),
              columns::FixedFigure(solution.pump.headPa / 1000, 2).substr(0, 4));

    circuit.segments.clear();
    lines = PumpLines(circuit, circuit::Solve(circuit, *BuiltIn()));
    EXPECT_EQ(lines[0].value, "0 l/h = 0,000 m³/h");
    EXPECT_EQ(lines[2].value, "–");
}

TEST(WindowTexts, TheTerminalsLinesEndInItsBalancingKv) {
    const circuit::Circuit circuit = ThreeRadiators();
    const circuit::Solution solution = circuit::Solve(circuit, *BuiltIn());
    EXPECT_TRUE(TerminalLines(circuit, solution, 0).empty());  // A has no terminal
    for (std::size_t i = 1; i < 4; ++i) {
        const std::vector<Line> lines = TerminalLines(circuit, solution, i);
        ASSERT_EQ(lines.size(), 7u);
        EXPECT_EQ(lines[6].label, "Kv di bilanciamento");
        if (solution.index == i) {
            EXPECT_EQ(lines[5].value, "0 Pa");
            EXPECT_EQ(lines[6].value, "– (circuito indice: nessuna valvola da tarare)");
        } else {
            EXPECT_EQ(lines[6].value,
                      columns::FixedFigure(*solution.segments[i].terminal->kv, 2) + " m³/h");
        }
    }
    EXPECT_EQ(TerminalLines(circuit, solution, 1)[0].value, "1500 W");
}

// What the fittings dialog shows while the user types is what the engine works out once the
// fittings are taken.
TEST(WindowTexts, LocalLossesAgreeWithTheEngine) {
    auto document = Open(ThreeRadiators());
    const std::vector<circuit::Fitting> fittings = {{"curva-90-r1", 0, 4, ""},
                                                    {"", 1.7, 2, "filtro"}};
    const std::vector<circuit::Valve> valves = {{2.5, "detentore"}, {4, ""}};
    const circuit::LocalLosses shown = LocalLossesOf(*document->Solution(), 1, fittings, valves);
    ASSERT_TRUE(Take(*document, FittingsEdit(*document, 1, fittings, valves)));
    const circuit::SegmentResult& result = document->Solution()->segments[1];
    EXPECT_EQ(shown.zeta, result.zeta);
    EXPECT_EQ(shown.localPa, result.localPa);
    EXPECT_EQ(shown.valvesPa, result.valvesPa);
    EXPECT_GT(shown.valvesPa, 0.0);
}

}  // namespace
}  // namespace idrovela::sheet::test
