// What the circuit window says, and the files around it: recent circuits and recovery copies.

#include <gtest/gtest.h>

#include "circuit/write.h"
#include "sheet/files.h"
#include "sheet/input.h"
#include "sheet/window_texts.h"
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

TEST(RecentCircuits, MostRecentFirstOnceAndAtMostEight) {
    std::vector<std::string> recent;
    for (int i = 1; i <= 10; ++i) {
        recent = Remember(recent, "/c/" + std::to_string(i) + ".idrovela");
    }
    ASSERT_EQ(recent.size(), 8u);
    EXPECT_EQ(recent.front(), "/c/10.idrovela");
    EXPECT_EQ(recent.back(), "/c/3.idrovela");
    recent = Remember(recent, "/c/5.idrovela");
    EXPECT_EQ(recent.size(), 8u);
    EXPECT_EQ(recent[0], "/c/5.idrovela");
    EXPECT_EQ(std::count(recent.begin(), recent.end(), "/c/5.idrovela"), 1);
    EXPECT_EQ(Forget(recent, "/c/5.idrovela").size(), 7u);
    EXPECT_EQ(RecentEntry(0, "/home/a/Bar & Co.idrovela"), "&1 Bar && Co.idrovela");
}

TEST(Recovery, TheFolderFollowsTheXdgRules) {
    const auto dir = [](const char* state, const char* home) {
        return RecoveryDir([state, home](const char* name) -> const char* {
            return std::string_view(name) == "XDG_STATE_HOME" ? state : home;
        });
    };
    EXPECT_EQ(dir("/s", "/h"), std::filesystem::path("/s/idrovela"));
    EXPECT_EQ(dir("relativa", "/h"), std::filesystem::path("/h/.local/state/idrovela"));
    EXPECT_EQ(dir(nullptr, "/h"), std::filesystem::path("/h/.local/state/idrovela"));
    EXPECT_EQ(dir("", nullptr), std::nullopt);
    EXPECT_TRUE(IsRecoveryFile("/s/idrovela/" + RecoveryFileName(1234, 2)));
    EXPECT_FALSE(IsRecoveryFile("/s/idrovela/circuito-1234-2.recupero.lock"));
    EXPECT_FALSE(IsRecoveryFile("/s/idrovela/villetta.idrovela"));
}

TEST(Recovery, ACopyReadsBackWithItsFile) {
    const circuit::Circuit circuit = ThreeRadiators();
    for (const std::optional<std::filesystem::path>& file :
         {std::optional<std::filesystem::path>(),
          std::optional<std::filesystem::path>("/home/a/100% caldo\nnuovo.idrovela")}) {
        const Recovered recovered = ReadRecovery(RecoveryText(circuit, file), *BuiltIn());
        EXPECT_EQ(recovered.file, file);
        EXPECT_EQ(circuit::WriteCircuit(recovered.loaded.circuit), circuit::WriteCircuit(circuit));
    }
    EXPECT_THROW(static_cast<void>(ReadRecovery("{}", *BuiltIn())), circuit::CircuitError);
    EXPECT_THROW(static_cast<void>(ReadRecovery("idrovela-recupero 1\n", *BuiltIn())),
                 circuit::CircuitError);
    EXPECT_THROW(static_cast<void>(ReadRecovery("idrovela-recupero 1\n\n{", *BuiltIn())),
                 circuit::CircuitError);
    const Recovered unnamed = ReadRecovery(RecoveryText(circuit, std::nullopt), *BuiltIn());
    EXPECT_EQ(RecoveryQuestion(unnamed),
              "Idrovela si è chiuso senza salvare le modifiche a «Senza nome». Recuperarle?");
}

}  // namespace
}  // namespace idrovela::sheet::test
