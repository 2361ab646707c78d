// A circuit's values at their limits, and what they give: ranges, ids, versions, tubes, the
// limits' keys, a new file's bits; the sizing limits, the warnings, the fittings' ζ, by hand.

#include <gtest/gtest.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <optional>
#include <regex>
#include <string>
#include <tuple>

#include "catalogues/built_in.h"
#include "circuit/fittings.h"
#include "circuit/load.h"
#include "circuit/parse.h"
#include "circuit/solve.h"
#include "circuit/write.h"
#include "tests/circuit/circuits.h"
#include "tests/support/file_mode.h"

namespace idrovela::circuit {
namespace {

const catalogues::Catalogue& BuiltIn() {
    static const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    return catalogue;
}

constexpr const char* kV1 = R"("versione": 1, )";
constexpr const char* kWater = R"({"tipo": "acqua", "mandata": 70, "ritorno": 60})";

// A file of one segment: `head` keys at the top (each followed by ", "), the fluid, and the
// segment's id and tube.
std::string FileOf(const std::string& head, const std::string& fluid = kWater,
                   const std::string& id = "A",
                   const std::string& tube = R"({"serie": "rame", "automatico": true})") {
    return R"({"formato": "idrovela-circuito", )" + head + R"("fluido": )" + fluid +
           R"(, "tratti": [{"id": ")" + id + R"(", "lunghezza": 5, "tubo": )" + tube +
           R"(, "terminale": {"portata": 100}}]})";
}

std::string Glycol(const char* type, const char* percent) {
    return FileOf(kV1, std::string(R"({"tipo": ")") + type + R"(", "percentuale": )" + percent +
                           R"(, "mandata": 70, "ritorno": 60})");
}
std::string WithMargins(const char* margins) {
    return FileOf(kV1 + std::string(R"("margini": {)") + margins + "}, ");
}

// Each range takes its ends and refuses what lies a hair beyond them (a figure in a message has
// six digits: 100,0001 is "100"); an id may not start or end with a space; a version below 1 is
// refused, a negative one with the minus sign "−". "" for a file that loads.
TEST(CircuitRules, RangesIncludeTheirEndsAndRefuseWhatLiesBeyond) {
    const std::string margin = " % è fuori campo; deve essere tra 0 e 100 %.";
    const std::string glycol = " % in volume è fuori campo; deve essere tra 10 e 60 % in volume.";
    const std::string space = " comincia o finisce con uno spazio.";
    const std::string version = " non è valido; il formato è 1.";
    const std::pair<std::string, std::string> cases[] = {
        {WithMargins(R"("portata": 100, "prevalenza": 100)"), ""},
        {WithMargins(R"("portata": 0, "prevalenza": 0)"), ""},
        {WithMargins(R"("portata": 100.0001)"), "Margini, portata: il valore 100" + margin},
        {WithMargins(R"("prevalenza": 100.0001)"), "Margini, prevalenza: il valore 100" + margin},
        {WithMargins(R"("portata": -0.0001)"), "Margini, portata: il valore −0,0001" + margin},
        {Glycol("etilenico", "60"), ""},
        {Glycol("propilenico", "60"), ""},
        {Glycol("propilenico", "10"), ""},
        {Glycol("etilenico", "60.0001"), "Fluido, percentuale: il valore 60,0001" + glycol},
        {Glycol("propilenico", "9.9999"), "Fluido, percentuale: il valore 9,9999" + glycol},
        {FileOf(kV1, kWater, " A"), "Tratto « A», id: « A»" + space},
        {FileOf(kV1, kWater, "A "), "Tratto «A », id: «A »" + space},
        {FileOf(kV1, kWater, "A B"), ""},
        {FileOf(R"("versione": 0, )"), "Il file, versione: il valore 0" + version},
        {FileOf(R"("versione": -3, )"), "Il file, versione: il valore −3" + version},
        {FileOf(R"("versione": -9223372036854775808, )"),
         "Il file, versione: il valore −9223372036854775808" + version}};
    for (const auto& [text, message] : cases) {
        try {
            static_cast<void>(LoadCircuitText(text, BuiltIn()));
            EXPECT_EQ("", message) << text;
        } catch (const CircuitError& error) {
            EXPECT_EQ(error.what(), message) << text;
        }
    }
}

TEST(CircuitRules, ATubeThatIsNotAutomaticIsFixed) {
    const Circuit circuit =
        ParseCircuit(FileOf(kV1, kWater, "A",
                            R"({"serie": "rame", "automatico": false, "designazione": "22×1", )"
                            R"("diametro_interno": 20, "rugosita": 0.0015})"));
    const Tube& tube = circuit.segments[0].tube;
    EXPECT_EQ(
        std::tie(tube.automatic, tube.series, tube.designation, tube.innerMm, tube.roughnessMm),
        std::make_tuple(false, std::string("rame"), std::string("22×1"), 20.0, 0.0015));
}

// Each limit is written under its own key and read back to itself.
TEST(CircuitRules, EachLimitIsWrittenUnderItsOwnKey) {
    Circuit circuit = ParseCircuit(FileOf(kV1));
    circuit.limits = {150.0, 0.8};
    const std::string text = WriteCircuit(circuit);
    EXPECT_NE(text.find("\"limiti\": {\n    \"pa_per_m\": 150,\n    \"velocita\": 0.8\n  }"),
              std::string::npos)
        << text;
    const Limits back = ParseCircuit(text).limits;
    EXPECT_EQ(std::make_pair(back.pascalPerMetre, back.velocityMs), std::make_pair(150.0, 0.8));
}

// A new circuit file gets 0666 less the umask.
TEST(CircuitRules, ANewFileGetsTheModeTheUmaskLeaves) {
    const Circuit circuit = ParseCircuit(FileOf(kV1));
    idrovela::test::ExpectNewFileModes(
        std::filesystem::temp_directory_path() /
            ("idrovela-mode-" + std::to_string(::getpid()) + ".idrovela"),
        [&](const std::filesystem::path& path) { SaveCircuit(circuit, BuiltIn(), path); });
}

// One segment carrying a flow given in l/h, water 70/60, its terminal's own loss 0 Pa.
Circuit OneSegment(Segment segment, double litresPerHour) {
    segment.terminal = {"", Terminal::Load::Flow, litresPerHour, Terminal::Device::PressureDrop,
                        0.0};
    Circuit circuit;
    circuit.segments = {std::move(segment)};
    return circuit;
}

Solution Solved(const Circuit& circuit) {
    return Solve(circuit, BuiltIn());
}

// An automatic copper segment at 1200 l/h: 22×1 (bore 20) runs at 1200/3600000/(π·0,02²/4) =
// 1,06103 m/s, 22×1,5 before it in the series (bore 19) at 1,17566 m/s. A velocity limit of
// exactly 22×1's own lets 22×1 pass; a hair below it, the first within is 28×1,5.
TEST(CircuitRules, TheVelocityLimitIsInclusive) {
    Segment automatic = test::Fixed("A", std::nullopt, 10.0, "", 0.0);
    automatic.tube = {"rame", true, "", 0.0, 0.0};
    Circuit circuit = OneSegment(automatic, 1200.0);
    const double velocity = 1200.0 / 3'600'000.0 / (std::numbers::pi * (0.02 * 0.02) / 4.0);
    EXPECT_NEAR(velocity, 1.06103, 1e-5);
    for (const auto& [limit, tube] :
         {std::pair{velocity, "22×1"}, std::pair{std::nextafter(velocity, 0.0), "28×1,5"}}) {
        circuit.limits = {10'000.0, limit};
        const Solution solution = Solved(circuit);
        EXPECT_EQ(solution.segments[0].designation, tube) << limit;
        EXPECT_TRUE(solution.warnings.empty()) << solution.warnings.front().text;
    }
}

// A fixed 22×1 of the catalogue's bore but another roughness: one warning that names both
// roughnesses, and the file's holds.
TEST(CircuitRules, ARoughnessOtherThanTheCataloguesIsNamed) {
    Segment rough = test::Fixed("A", std::nullopt, 5.0, "22×1", 20.0);
    rough.tube.roughnessMm = 0.045;
    const Solution solution = Solved(OneSegment(rough, 300.0));
    ASSERT_EQ(solution.warnings.size(), 1U);
    EXPECT_EQ(solution.warnings[0].code, WarningCode::DimensioniDiverse);
    EXPECT_EQ(solution.warnings[0].text,
              "Il file dà al tubo «22×1» Ø interno 20 mm e rugosità 0,045 mm, il catalogo 20 mm e "
              "0,0015 mm: valgono quelle del file.");
}

// The library is the README's table, row for row: each key, in its order, with its ζ.
TEST(CircuitRules, EveryFittingHasTheZetaTheReadmeGives) {
    std::ifstream readme(IDROVELA_README);
    std::string line;
    while (std::getline(readme, line) && line != "### The fitting library") {
    }
    const std::regex entry(R"(^\| `([a-z0-9-]+)` \| ([0-9]+),([0-9]+) \|)");
    std::size_t row = 0;
    while (std::getline(readme, line) && !line.starts_with("## ")) {
        std::smatch cells;
        if (!std::regex_search(line, cells, entry)) {
            continue;
        }
        const std::string key = cells.str(1);
        const std::string number = cells.str(2) + "." + cells.str(3);
        double zeta = 0.0;
        std::from_chars(number.data(), number.data() + number.size(), zeta);
        ASSERT_LT(row, FittingLibrary().size()) << key;
        EXPECT_EQ(FittingLibrary()[row++].key, key);
        ASSERT_NE(FindFitting(key), nullptr) << key;
        EXPECT_EQ(FindFitting(key)->zeta, zeta) << key;
    }
    EXPECT_EQ(row, FittingLibrary().size());
}

// Water 70/60 (ρ 980,566 kg/m³, μ 0,432912 mPa·s at 65 °C): 2 m of copper 15×1 (bore 13,
// ε 0,0015) with a radiator's ζ 3, carrying 200 l/h. By hand (Colebrook-White iterated):
//   w = 200/3600000/(π·0,013²/4) = 0,418553 m/s   Re = ρ·w·d/μ = 12324,6   λ = 0,0294360
//   R = λ/d·ρ·w²/2 = 194,484 Pa/m   Z = 3·ρ·w²/2 = 257,674 Pa   Δp = 2·R + Z = 646,642 Pa
// The pump: 200 l/h at 646,642 Pa = 0,0672460 m. A margin goes on its own line only: 10 % of
// flow 220 l/h; 25 % of head 808,302 Pa = 0,0840575 m; 100 % of each, twice the duty.
TEST(CircuitRules, ARadiatorSegmentAndTheMarginsByHand) {
    Segment radiator = test::Fixed("R", std::nullopt, 2.0, "15×1", 13.0);
    radiator.fittings = {{"radiatore", 0.0, 1, ""}};
    Circuit circuit = OneSegment(radiator, 200.0);
    const auto near = [](double actual, double expected) {
        EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-5);
    };
    const SegmentResult s = Solved(circuit).segments[0];
    EXPECT_EQ(s.zeta, 3.0);
    near(s.velocityMs, 0.418553);
    near(s.flow.reynolds, 12324.6);
    near(*s.flow.lambda, 0.0294360);
    near(s.flow.pascalPerMetre, 194.484);
    near(s.localPa, 257.674);
    near(s.dpPa, 646.642);

    struct Case {
        Margins margins;
        std::optional<double> flowLph, headPa, headM;
    };
    for (const Case& c :
         {Case{{0.0, 0.0}, {}, {}, {}}, Case{{0.0, 25.0}, {}, 808.302, 0.0840575},
          Case{{10.0, 0.0}, 220.0, {}, {}}, Case{{100.0, 100.0}, 400.0, 1293.28, 0.134492}}) {
        circuit.margins = c.margins;
        const PumpDuty pump = Solved(circuit).pump;
        near(pump.headM, 0.0672460);
        for (const auto& [got, expected] : {std::pair{pump.flowWithMarginLph, c.flowLph},
                                            std::pair{pump.headWithMarginPa, c.headPa},
                                            std::pair{pump.headWithMarginM, c.headM}}) {
            ASSERT_EQ(got.has_value(), expected.has_value()) << c.margins.flowPercent;
            if (got) {
                near(*got, *expected);
            }
        }
    }
}

}  // namespace
}  // namespace idrovela::circuit
