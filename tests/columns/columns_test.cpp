// The sheet's columns: every cell of a worked circuit as the circuit window, its exports and its
// report show it, and the pump's duty in the window's short words and the report's full ones.

#include "columns/columns.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "catalogues/built_in.h"
#include "circuit/solve.h"
#include "columns/duty_texts.h"

namespace idrovela::columns {
namespace {

// A boiler segment A with two fittings and a valve, and two radiators under it: R1 automatic,
// given as 500 l/h with a device loss of 3000 Pa (the index), R2 fixed, given as 2326 W.
// Water 70/60: ρ 980,566 kg/m³, c_p 4185,17 J/(kg·K). By hand: R2 takes
// 2326/(4185,17·10)/980,566·3,6·10⁶ = 204,04 l/h, so A 704,04 l/h at 0,6225 m/s in a 20 mm bore;
// Σζ = 2·0,35 + 1,5; Z = 2,2·980,566·0,6225²/2 = 418 Pa; the valve 0,9806·(0,70404/4)²·10⁵ =
// 3038 Pa; R1 carries 500/3,6·10⁶·980,566·41851,7 = 5700 W; R2's Kv 0,20404·√(0,9806/0,02429).
circuit::Circuit BoilerAndTwoRadiators() {
    circuit::Segment a;
    a.id = "A";
    a.description = "dalla caldaia";
    a.lengthM = 10.0;
    a.tube = {"rame", false, "22×1", 20.0, 0.0015};
    a.fittings = {{"curva-90-r1", 0.0, 2, ""}, {"", 1.5, 1, "filtro"}};
    a.valves = {{4.0, "valvola a sfera"}};
    circuit::Segment r1;
    r1.id = "R1";
    r1.upstream = "A";
    r1.lengthM = 4.0;
    r1.tube = {"rame", true, "", 0.0, 0.0};
    r1.terminal = circuit::Terminal{"soggiorno", circuit::Terminal::Load::Flow, 500.0,
                                    circuit::Terminal::Device::PressureDrop, 3000.0};
    circuit::Segment r2;
    r2.id = "R2";
    r2.upstream = "A";
    r2.lengthM = 6.0;
    r2.tube = {"rame", false, "15×1", 13.0, 0.0015};
    r2.terminal = circuit::Terminal{"camera", circuit::Terminal::Load::Power, 2326.0,
                                    circuit::Terminal::Device::None, 0.0};
    circuit::Circuit circuit;
    circuit.segments = {a, r1, r2};
    return circuit;
}

// Each column's decimals, the tube in words, "–" for a figure a row lacks (a segment without a
// terminal, the index's Kv) and a terminal's description where the segment has none.
TEST(Cells, EveryCellOfAWorkedCircuitAsTheSheetShowsIt) {
    const circuit::Circuit circuit = BoilerAndTwoRadiators();
    const circuit::Solution solution = circuit::Solve(circuit, catalogues::BuiltInCatalogue());
    const std::array<std::array<const char*, kSegmentColumns>, 3> segments = {{
        {"A", "dalla caldaia", "8026", "rame 22×1", "10,00", "704", "20,0", "0,62", "228,2", "2282",
         "2,20", "418", "3038", "5738", "5738"},
        {"R1", "", "5700", "rame 22×1,5 (automatico)", "4,00", "500", "19,0", "0,49", "159,3",
         "637", "0,00", "0", "0", "637", "6375"},
        {"R2", "", "2326", "rame 15×1", "6,00", "204", "13,0", "0,43", "201,4", "1208", "0,00", "0",
         "0", "1208", "6946"},
    }};
    const std::array<std::array<const char*, kTerminalColumns>, 3> terminals = {{
        {"A", "", "–", "–", "–", "–", "–", "–", "–"},
        {"R1", "soggiorno", "5700", "500", "6375", "3000", "9375", "0", "–"},
        {"R2", "camera", "2326", "204", "6946", "0", "6946", "2429", "1,30"},
    }};
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t c = 0; c < kSegmentColumns; ++c) {
            const auto column = static_cast<SegmentColumn>(c);
            EXPECT_EQ(SegmentCell(circuit, solution, i, column), segments[i][c])
                << circuit.segments[i].id << ", " << Info(column).caption;
        }
        for (std::size_t c = 0; c < kTerminalColumns; ++c) {
            const auto column = static_cast<TerminalColumn>(c);
            EXPECT_EQ(TerminalCell(circuit, solution, i, column), terminals[i][c])
                << circuit.segments[i].id << ", " << Info(column).caption;
        }
    }
}

// The flow in l/h and m³/h; a head in kPa and metres of fluid, with the pascals first in the full
// form. Figures round half to even: 2500,5 l/h is 2500.
TEST(DutyTexts, TheFlowAndTheTwoFormsOfAHead) {
    struct FlowCase {
        double flowLph;
        const char* text;
    };
    for (const FlowCase& c : std::vector<FlowCase>{{307.03, "307 l/h = 0,307 m³/h"},
                                                   {0.0, "0 l/h = 0,000 m³/h"},
                                                   {2500.5, "2500 l/h = 2,501 m³/h"},
                                                   {704.04345601835382, "704 l/h = 0,704 m³/h"}}) {
        EXPECT_EQ(FlowText(c.flowLph), c.text) << c.flowLph;
    }
    struct HeadCase {
        double headPa;
        double headM;
        HeadForm form;
        const char* text;
    };
    for (const HeadCase& c : std::vector<HeadCase>{
             {9375.2916624472455, 0.97496123377223276, HeadForm::Short,
              "9,38 kPa = 0,97 m di fluido"},
             {9375.2916624472455, 0.97496123377223276, HeadForm::Full,
              "9375 Pa = 9,38 kPa = 0,97 m di colonna del fluido"},
             {0.0, 0.0, HeadForm::Short, "0,00 kPa = 0,00 m di fluido"},
             {0.0, 0.0, HeadForm::Full, "0 Pa = 0,00 kPa = 0,00 m di colonna del fluido"},
         }) {
        EXPECT_EQ(HeadText(c.headPa, c.headM, c.form), c.text) << c.headPa;
    }
}

}  // namespace
}  // namespace idrovela::columns
