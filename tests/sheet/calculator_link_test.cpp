// The circuit and the main window's calculator, each way: a tube of the catalogue added to the
// circuit, a segment opened in the calculator, and the sheet's rows copied.

#include "sheet/calculator_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "calc/number_conversions.h"
#include "circuit/write.h"
#include "columns/columns.h"
#include "sheet/copied_rows.h"
#include "tests/sheet/sheet_fixture.h"
#include "tests/window/recorder.h"
#include "tools/physics_panel.h"

namespace idrovela::sheet::test {
namespace {

tools::ChosenTube CatalogueTube(const char* seriesName, const char* designation) {
    const catalogues::Series& series = *BuiltIn()->Find(seriesName);
    for (const catalogues::Tube& tube : series.tubes) {
        if (tube.designation == designation) {
            return {series.name, series.title, tube};
        }
    }
    throw std::runtime_error(std::string("no tube ") + designation);
}

// A tube chosen in the table goes into the circuit as a leaf; opened in the calculator, the
// leaf gives the window that tube, its flow and the circuit's fluid, and the physics panel then
// finds the sheet's R, as near as the window's texts hold the fluid.
TEST(CalculatorLink, ATubeAddedFromTheTableComesBackInTheCalculator) {
    circuit::Circuit three = ThreeRadiators();
    three.fluid = {circuit::FluidType::Propilenico, 25, 45, 35};
    auto document = Open(three);
    const tools::ChosenTube chosen = CatalogueTube("rame", "18×1");
    const std::size_t a = *document->Find("A");
    const auto edit = Take(*document, AddTube(*document, a, chosen, "250"));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->name, "Aggiungi «T1»");
    ASSERT_EQ(document->Circuit().segments.size(), 5u);
    const std::size_t leaf = *document->Find("T1");
    const circuit::Segment& added = document->Circuit().segments[leaf];
    EXPECT_EQ(added.upstream, "A");
    EXPECT_EQ(added.lengthM, 0.0);
    EXPECT_FALSE(added.tube.automatic);
    EXPECT_EQ(added.tube.series, "rame");
    EXPECT_EQ(added.tube.designation, "18×1");
    EXPECT_EQ(added.tube.innerMm, chosen.tube.innerMm);
    EXPECT_EQ(added.tube.roughnessMm, chosen.tube.roughnessMm);
    ASSERT_TRUE(added.terminal);
    EXPECT_EQ(added.terminal->load, circuit::Terminal::Load::Flow);
    EXPECT_EQ(added.terminal->loadValue, 250.0);
    EXPECT_TRUE(document->Tree().Children(leaf).empty());

    const auto setUp =
        CalculatorSetUpFor(document->Circuit(), *document->Solution(), document->Catalogue(), leaf);
    ASSERT_TRUE(std::holds_alternative<tools::CalculatorSetUp>(setUp))
        << std::get<std::string>(setUp);
    const tools::CalculatorSetUp& got = std::get<tools::CalculatorSetUp>(setUp);
    EXPECT_EQ(got.flowLph, Integer(250));
    EXPECT_EQ(got.tube.seriesName, chosen.seriesName);
    EXPECT_EQ(got.tube.seriesTitle, chosen.seriesTitle);
    EXPECT_EQ(got.tube.tube.designation, chosen.tube.designation);
    EXPECT_EQ(got.tube.tube.innerMm, chosen.tube.innerMm);
    EXPECT_EQ(got.tube.tube.outerMm, chosen.tube.outerMm);
    EXPECT_EQ(got.fluid.kind, tools::FluidKind::Propilenico);
    EXPECT_EQ(got.fluid.volumePercent, 25.0);
    EXPECT_EQ(got.fluid.celsius, 40.0);

    window::test::Recorder platform;
    window::Form_Principale form(platform, platform);
    form.Load();
    tools::ToolMemory memory;
    ASSERT_EQ(tools::SetUpCalculator(form, memory, got), std::nullopt);
    memory.Follow(form);
    ASSERT_NE(memory.Tube(), nullptr);
    const tools::PhysicsCheck check = tools::CheckPhysics(form, memory.Tube());
    ASSERT_TRUE(check.flow) << check.message;
    const circuit::SegmentResult& sheet = document->Solution()->segments[leaf];
    EXPECT_EQ(check.inputs.diameterMm, sheet.innerMm);
    EXPECT_EQ(check.inputs.roughnessMm, sheet.roughnessMm);
    EXPECT_DOUBLE_EQ(check.inputs.velocityMs, sheet.velocityMs);
    // ρ to one decimal and μ to four, as "Applica" writes them: the loss within a thousandth.
    const double r = sheet.flow.pascalPerMetre;
    EXPECT_NEAR(check.flow->pascalPerMetre, r, r * 1e-3);
    std::cout << "R " << r << " Pa/m, panel " << check.flow->pascalPerMetre << "\n";
    EXPECT_NEAR(check.flow->reynolds, sheet.flow.reynolds, sheet.flow.reynolds * 1e-3);
    EXPECT_TRUE(platform.errors.empty());
}

TEST(CalculatorLink, AddingATubeNeedsAFlowAndLeavesTheSourceWhenNothingIsSelected) {
    auto document = Open(ThreeRadiators());
    const tools::ChosenTube chosen = CatalogueTube("pert", "16×2");
    EXPECT_NE(Refusal(*document, AddTube(*document, 0, chosen, "")).find("non è un numero"),
              std::string::npos);
    EXPECT_NE(Refusal(*document, AddTube(*document, 0, chosen, "-5")), "");  // the engine's
    EXPECT_EQ(document->Circuit().segments.size(), 4u);
    const auto edit = Take(*document, AddTube(*document, std::nullopt, chosen, "0"));
    ASSERT_TRUE(edit);
    const circuit::Segment& added = document->Circuit().segments.back();
    EXPECT_EQ(added.upstream, std::nullopt);
    EXPECT_EQ(added.terminal->loadValue, 0.0);
    // One edit: undone, the circuit is as it was.
    const std::string before = circuit::WriteCircuit(ThreeRadiators());
    document->Undo(*edit);
    EXPECT_EQ(circuit::WriteCircuit(document->Circuit()), before);
}

// The flow as whole l/h, half to even, and what the main window cannot hold.
TEST(CalculatorLink, WhatTheMainWindowCanTakeOfASegment) {
    struct Case {
        double flowLph;
        double innerMm;
        int expected;  // -1: refused
        const char* says;
        double supplyC = 70;
        double returnC = 60;
    };
    const Case cases[] = {
        {150.5, 20, 150, ""},
        {151.5, 20, 152, ""},
        {32767.4, 100, 32767, ""},
        {32767.5, 100, -1, "32767 l/h"},
        {90000, 100, -1, "90000 l/h"},
        {0, 20, -1, "senza portata"},
        {0.4, 20, -1, "senza portata"},
        {100, 0.4, -1, "da 1 mm a 1000 mm"},
        {100, 1000.6, -1, "1000,6 mm"},
        {30000, 1000.4, 30000, ""},
        // The window's w to hundredths: 0,00 m/s would stop its loss on a division by zero.
        {2, 13, -1, "arrotonda la velocità a 0,00 m/s"},
        {3, 13, 3, ""},
        // Cooling at 7/12 °C: the window's own P → G gives 0,2 % more than the sheet's flow.
        {32600, 100, 32600, "", 7, 12},
        {32760, 100, -1, "ricaverebbe una portata oltre i 32767 l/h", 7, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.flowLph) + " l/h in " + std::to_string(c.innerMm) + " mm");
        circuit::Circuit circuit;
        circuit::Segment segment;
        segment.id = "S";
        segment.lengthM = 1;
        segment.tube = {"rame", false, "su misura", c.innerMm, 0.0015};
        segment.terminal = circuit::Terminal{"", circuit::Terminal::Load::Flow, c.flowLph, {}, 0};
        circuit.fluid.supplyC = c.supplyC;
        circuit.fluid.returnC = c.returnC;
        circuit.segments.push_back(segment);
        const circuit::Solution solution = circuit::Solve(circuit, *BuiltIn());
        const auto setUp = CalculatorSetUpFor(circuit, solution, *BuiltIn(), 0);
        if (c.expected < 0) {
            ASSERT_TRUE(std::holds_alternative<std::string>(setUp));
            EXPECT_NE(std::get<std::string>(setUp).find(c.says), std::string::npos)
                << std::get<std::string>(setUp);
        } else {
            ASSERT_TRUE(std::holds_alternative<tools::CalculatorSetUp>(setUp))
                << std::get<std::string>(setUp);
            EXPECT_EQ(std::get<tools::CalculatorSetUp>(setUp).flowLph.value(), c.expected);
            // A designation the catalogue lacks keeps the circuit's own figures.
            EXPECT_EQ(std::get<tools::CalculatorSetUp>(setUp).tube.tube.innerMm, c.innerMm);
        }
    }
}

// An automatic tube opens as the one the limits chose, with the catalogue's outer diameter.
TEST(CalculatorLink, AnAutomaticTubeOpensAsTheOneChosen) {
    auto document = Open(ThreeRadiators());
    const std::size_t r1 = *document->Find("R1");
    const auto setUp =
        CalculatorSetUpFor(document->Circuit(), *document->Solution(), document->Catalogue(), r1);
    ASSERT_TRUE(std::holds_alternative<tools::CalculatorSetUp>(setUp));
    const tools::ChosenTube& tube = std::get<tools::CalculatorSetUp>(setUp).tube;
    const circuit::SegmentResult& result = document->Solution()->segments[r1];
    EXPECT_EQ(tube.tube.designation, result.designation);
    EXPECT_EQ(tube.seriesTitle, BuiltIn()->Find("rame")->title);
    EXPECT_EQ(tube.tube.outerMm, CatalogueTube("rame", result.designation.c_str()).tube.outerMm);
    EXPECT_EQ(std::get<tools::CalculatorSetUp>(setUp).flowLph, DoubleToInteger(result.flowLph));
}

// From the start-up figures (P 116 kW, dT 10, G 9976 l/h) the window takes the segment's dT, P
// and G, G last, so that no figure is left from before; one line says what it could not hold.
// R3: copper 15×1,2 (bore 12,6 mm), 1500 W at 70/60 °C, 131,58 l/h; the window's 860 kcal/h a
// kW at dT 10 make 129 l/h; at 132 l/h R, growing about as G^1,75, is 0,55 % above the sheet's.
TEST(CalculatorLink, TheWindowTakesTheSegmentsFiguresAndSaysWhatItCannotHold) {
    const struct {
        double innerMm;
        circuit::Terminal::Load load;
        double value;
        const char* power;
        const char* flow;
        const char* note;
    } cases[] = {
        {12.6, circuit::Terminal::Load::Power, 1500, "1,5", "132",
         "D arrotondato a 13 mm (tratto: 12,6 mm); G arrotondata a 132 l/h (tratto: 131,58 l/h); "
         "da P 1,5 kW e dT 10 °C la finestra ricaverebbe G 129 l/h; R della verifica fisica 109,5 "
         "Pa/m (tratto: 108,9 Pa/m, circa 0,55 % in più)."},
        {12.6, circuit::Terminal::Load::Flow, 129, "1,471", "129",
         "D arrotondato a 13 mm (tratto: 12,6 mm); da P 1,471 kW e dT 10 °C la finestra "
         "ricaverebbe G 127 l/h; R della verifica fisica 105,2 Pa/m (tratto: 105,2 Pa/m, meno "
         "dello 0,01 %)."},
        {13, circuit::Terminal::Load::Power, 1500, "1,5", "132",
         "G arrotondata a 132 l/h (tratto: 131,58 l/h); da P 1,5 kW e dT 10 °C la finestra "
         "ricaverebbe G 129 l/h; R della verifica fisica 94,4 Pa/m (tratto: 93,9 Pa/m, circa "
         "0,55 % in più)."},
        {13, circuit::Terminal::Load::Flow, 129.4, "1,475", "129",
         "G arrotondata a 129 l/h (tratto: 129,4 l/h); da P 1,475 kW e dT 10 °C la finestra "
         "ricaverebbe G 127 l/h; R della verifica fisica 90,7 Pa/m (tratto: 91,2 Pa/m, circa "
         "0,53 % in meno)."},
        // 3 l/h, 34 W: P 0,034 kW gives 2,924 l/h, 3 l/h too; R rounds alike.
        {13, circuit::Terminal::Load::Flow, 3, "0,034", "3", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        circuit::Circuit circuit;
        circuit.segments.push_back({});
        circuit::Segment& r3 = circuit.segments.back();
        r3.id = "R3";
        r3.lengthM = 4;
        r3.tube = {"rame", false, "15×1,2", c.innerMm, 0.0015};
        r3.terminal = circuit::Terminal{"", c.load, c.value, {}, 0};
        const circuit::Solution solution = circuit::Solve(circuit, *BuiltIn());
        const auto got = CalculatorSetUpFor(circuit, solution, *BuiltIn(), 0);
        ASSERT_TRUE(std::holds_alternative<tools::CalculatorSetUp>(got));
        const tools::CalculatorSetUp& setUp = std::get<tools::CalculatorSetUp>(got);
        EXPECT_EQ(setUp.flowLphUnrounded, solution.segments[0].flowLph);
        EXPECT_EQ(setUp.pascalPerMetre, solution.segments[0].flow.pascalPerMetre);
        window::test::Recorder platform;
        window::Form_Principale form(platform, platform);
        form.Load();
        ASSERT_EQ(form.Text_P.Text(), "116");  // the start-up figure, which must not stay
        tools::ToolMemory memory;
        ASSERT_EQ(tools::SetUpCalculator(form, memory, setUp), std::nullopt);
        memory.Follow(form);
        EXPECT_EQ(form.Text_dT.Text() + " " + form.Text_P.Text() + " " + form.Text_G.Text() + " " +
                      form.Text_D.Text(),
                  std::string("10 ") + c.power + " " + c.flow + " 13");
        EXPECT_EQ(tools::CalculatorNote(form, memory, setUp), c.note);
        EXPECT_TRUE(platform.errors.empty());
    }
}

// The rows as the sheet lists them, whatever order they were selected in, and each cell in its
// place whatever its text holds.
TEST(CopiedRows, InTheSheetsOrderWithEveryCellInItsPlace) {
    circuit::Circuit circuit = ThreeRadiators();
    // B, under R1 but after it in the file: the sheet lists it right under R1, before R2.
    circuit::Segment b = circuit.segments[2];
    b.id = "B";
    b.upstream = "R1";
    b.description = "tab\there, <b>&\nnew line";
    b.terminal.reset();
    circuit.segments[1].terminal.reset();
    circuit.segments.push_back(b);
    auto document = Open(circuit);
    const SegmentTree& tree = document->Tree();
    EXPECT_EQ(InSheetOrder(tree, {4, 2, 1, 0, 3, 2, 99}),
              (std::vector<std::size_t>{0, 1, 4, 2, 3}));
    EXPECT_EQ(InSheetOrder(tree, {}), std::vector<std::size_t>{});

    const circuit::Solution& solution = *document->Solution();
    const std::string tsv = RowsAsTabSeparated(document->Circuit(), solution, {1, 4});
    const std::string first = "id\tdescrizione\tΦ [W]\ttubo\tl (mandata+ritorno) [m]\t";
    EXPECT_EQ(tsv.substr(0, first.size()), first);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = tsv.find('\n', at)) != std::string::npos; at = end + 1) {
        lines.push_back(tsv.substr(at, end - at));
    }
    ASSERT_EQ(lines.size(), 3u);
    for (const std::string& line : lines) {
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 14) << line;
    }
    EXPECT_EQ(lines[2].substr(0, lines[2].find('\t', 2) + 1), "B\ttab here, <b>& new line\t");
    EXPECT_NE(lines[1].find("\t" + columns::SegmentCell(document->Circuit(), solution, 1,
                                                        columns::SegmentColumn::DpPercorso)),
              std::string::npos);

    const std::string html = RowsAsHtmlTable(document->Circuit(), solution, {4});
    EXPECT_NE(html.find("<th>Δp percorso [Pa]</th>"), std::string::npos);
    EXPECT_NE(html.find("&lt;b&gt;&amp;"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_NE(html.find("<td align=\"right\">" +
                        columns::SegmentCell(document->Circuit(), solution, 4,
                                             columns::SegmentColumn::Portata) +
                        "</td>"),
              std::string::npos);
}

}  // namespace
}  // namespace idrovela::sheet::test
