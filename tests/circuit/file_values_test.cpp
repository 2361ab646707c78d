// The values a circuit file may hold at their limits: ranges whose ends are inclusive, ids with a
// space at either end, versions below 1, a tube that says it is not automatic; each setting
// written under its own key; and the permissions a new file gets.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "catalogues/built_in.h"
#include "circuit/load.h"
#include "circuit/parse.h"
#include "circuit/write.h"
#include "tests/support/file_mode.h"

namespace idrovela::circuit {
namespace {

const catalogues::Catalogue& BuiltIn() {
    static const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    return catalogue;
}

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

std::string Outcome(const std::string& text) {
    try {
        static_cast<void>(LoadCircuitText(text, BuiltIn()));
    } catch (const CircuitError& error) {
        return error.what();
    }
    return "";
}

// Each range takes its ends and refuses what lies a hair beyond them; an id may not start or
// end with a space; a version below 1 is refused, a negative one with the minus sign "−".
TEST(FileValues, RangesIncludeTheirEndsAndRefuseWhatLiesBeyond) {
    const std::string v1 = R"("versione": 1, )";
    const auto glycol = [](const char* type, const char* percent) {
        return std::string(R"({"tipo": ")") + type + R"(", "percentuale": )" + percent +
               R"(, "mandata": 70, "ritorno": 60})";
    };
    const std::string marginTail = " è fuori campo; deve essere tra 0 e 100 %.";
    const std::string glycolTail = " è fuori campo; deve essere tra 10 e 60 % in volume.";
    struct Case {
        std::string text;
        std::string starts;  // "" for a file that loads
        std::string ends;
    };
    const Case cases[] = {
        {FileOf(v1 + R"("margini": {"portata": 100, "prevalenza": 100}, )"), "", ""},
        {FileOf(v1 + R"("margini": {"portata": 0, "prevalenza": 0}, )"), "", ""},
        {FileOf(v1 + R"("margini": {"portata": 100.0001}, )"), "Margini, portata: il valore ",
         marginTail},
        {FileOf(v1 + R"("margini": {"prevalenza": 100.0001}, )"), "Margini, prevalenza: il valore ",
         marginTail},
        {FileOf(v1 + R"("margini": {"portata": -0.0001}, )"), "Margini, portata: il valore −",
         marginTail},
        {FileOf(v1, glycol("etilenico", "60")), "", ""},
        {FileOf(v1, glycol("propilenico", "60")), "", ""},
        {FileOf(v1, glycol("propilenico", "10")), "", ""},
        {FileOf(v1, glycol("etilenico", "60.0001")), "Fluido, percentuale: il valore ", glycolTail},
        {FileOf(v1, glycol("propilenico", "60.0001")), "Fluido, percentuale: il valore ",
         glycolTail},
        {FileOf(v1, glycol("etilenico", "9.9999")), "Fluido, percentuale: il valore ", glycolTail},
        {FileOf(v1, kWater, " A"), "Tratto « A», id: « A» comincia o finisce con uno spazio.", ""},
        {FileOf(v1, kWater, "A "), "Tratto «A », id: «A » comincia o finisce con uno spazio.", ""},
        {FileOf(v1, kWater, "A B"), "", ""},
        {FileOf(R"("versione": 0, )"),
         "Il file, versione: il valore 0 non è valido; il formato è 1.", ""},
        {FileOf(R"("versione": -3, )"),
         "Il file, versione: il valore −3 non è valido; il formato è 1.", ""},
        {FileOf(R"("versione": -9223372036854775808, )"),
         "Il file, versione: il valore −9223372036854775808 non è valido; il formato è 1.", ""},
    };
    for (const Case& c : cases) {
        const std::string outcome = Outcome(c.text);
        EXPECT_EQ(outcome.substr(0, c.starts.size()), c.starts) << c.text << "\n" << outcome;
        EXPECT_TRUE(outcome.ends_with(c.ends)) << c.text << "\n" << outcome;
        EXPECT_EQ(outcome.empty(), c.starts.empty()) << c.text << "\n" << outcome;
    }
}

TEST(FileValues, ATubeThatIsNotAutomaticIsFixed) {
    const Circuit circuit =
        ParseCircuit(FileOf(R"("versione": 1, )", kWater, "A",
                            R"({"serie": "rame", "automatico": false, "designazione": "22×1", )"
                            R"("diametro_interno": 20, "rugosita": 0.0015})"));
    const Tube& tube = circuit.segments[0].tube;
    EXPECT_FALSE(tube.automatic);
    EXPECT_EQ(tube.series, "rame");
    EXPECT_EQ(tube.designation, "22×1");
    EXPECT_EQ(tube.innerMm, 20.0);
    EXPECT_EQ(tube.roughnessMm, 0.0015);
}

// Four settings of four values: each is written under its own key and read back to itself.
TEST(FileValues, EachSettingIsWrittenUnderItsOwnKey) {
    Circuit circuit = ParseCircuit(FileOf(R"("versione": 1, )"));
    circuit.limits = {150.0, 0.8};
    circuit.margins = {10.0, 20.0};
    const std::string text = WriteCircuit(circuit);
    EXPECT_NE(text.find("\"limiti\": {\n    \"pa_per_m\": 150,\n    \"velocita\": 0.8\n  }"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"margini\": {\n    \"portata\": 10,\n    \"prevalenza\": 20\n  }"),
              std::string::npos)
        << text;
    const Circuit back = ParseCircuit(text);
    EXPECT_EQ(back.limits.pascalPerMetre, 150.0);
    EXPECT_EQ(back.limits.velocityMs, 0.8);
    EXPECT_EQ(back.margins.flowPercent, 10.0);
    EXPECT_EQ(back.margins.headPercent, 20.0);
}

// A new circuit file gets 0666 less the umask.
TEST(FileValues, ANewFileGetsTheModeTheUmaskLeaves) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("idrovela-mode-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const Circuit circuit = ParseCircuit(FileOf(R"("versione": 1, )"));
    const std::filesystem::path path = folder / "nuovo.idrovela";
    for (const test::UmaskCase& c : test::kUmaskCases) {
        std::filesystem::remove(path);
        {
            const test::ScopedUmask umask(c.umask);
            SaveCircuit(circuit, BuiltIn(), path);
        }
        EXPECT_EQ(test::ModeOf(path), c.mode) << std::oct << c.umask;
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace idrovela::circuit
