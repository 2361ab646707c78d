// The circuit file: every fault loading refuses, with a message that says where; the bytes a
// save writes, and that they read back the same; saving that fails and leaves the old file as it
// was; files that are not what they claim.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "catalogues/built_in.h"
#include "circuit/load.h"
#include "circuit/parse.h"
#include "circuit/random_tree.h"
#include "circuit/write.h"
#include "tests/circuit/circuits.h"
#include "tests/support/scratch_folder.h"

namespace idrovela::circuit {
namespace {

using test::BuiltIn;
using test::LoadFault;

namespace fs = std::filesystem;

// The issue's own example, with every key.
constexpr const char* kExample = R"({
  "formato": "idrovela-circuito",
  "versione": 1,
  "progetto": {"nome": "Villetta", "autore": "", "note": ""},
  "fluido": {"tipo": "acqua", "percentuale": 0, "mandata": 70, "ritorno": 60},
  "limiti": {"pa_per_m": 200, "velocita": 1},
  "margini": {"portata": 0, "prevalenza": 0},
  "tratti": [
    {"id": "A", "descrizione": "dalla caldaia al collettore", "lunghezza": 12,
     "tubo": {"serie": "rame", "designazione": "28×1,5", "diametro_interno": 25, "rugosita": 0.0015},
     "accidenti": [{"tipo": "curva-90-r1", "numero": 4}, {"zeta": 1.5, "numero": 1, "descrizione": "filtro"}],
     "valvole": [{"kv": 6.3, "descrizione": "valvola a sfera"}]},
    {"id": "R1", "a_monte": "A", "lunghezza": 6, "tubo": {"serie": "rame", "automatico": true},
     "terminale": {"descrizione": "radiatore soggiorno", "potenza": 1500, "kv": 0.8}}
  ]
}
)";

// A file with the given fluid and segments, the rest as the example has it.
std::string File(const std::string& segments,
                 const std::string& fluid = R"({"tipo": "acqua", "mandata": 70, "ritorno": 60})") {
    return R"({"formato": "idrovela-circuito", "versione": 1, "fluido": )" + fluid +
           R"(, "tratti": [)" + segments + "]}";
}

// One segment with a fixed copper tube, and more keys.
std::string Segment(const std::string& id, const std::string& more = "") {
    return R"({"id": ")" + id +
           R"(", "lunghezza": 5, "tubo": {"serie": "rame", "designazione": )"
           R"("22×1", "diametro_interno": 20, "rugosita": 0.0015})" +
           (more.empty() ? "" : ", " + more) + "}";
}

struct Fault {
    const char* what;
    std::string text;
    std::vector<std::string> says;  // every piece the message must hold
};

TEST(LoadCircuit, EveryFaultIsRefusedWithWhereItIs) {
    const Fault faults[] = {
        // The JSON itself: line and column in characters, from 1 ("×" is one character).
        {"not JSON", "{\n  \"formato\": \"×\" x\n}", {"non è JSON valido", "riga 2, colonna 18"}},
        {"cut short", "{\"formato\": ", {"incompleto", "riga 1, colonna 13"}},
        {"empty", "", {"Il file è vuoto."}},
        {"a number too large",
         File(Segment("A", R"("lunghezza2": 1e999)")),
         {"numero troppo grande"}},
        {"not an object", "[1, 2]", {"non è un circuito di Idrovela"}},
        {"another format",
         R"({"formato": "altro", "versione": 1})",
         {"non è un circuito di Idrovela"}},
        {"no version",
         R"({"formato": "idrovela-circuito", "fluido": {}, "tratti": []})",
         {"versione", "manca"}},
        {"a newer version",
         R"({"formato": "idrovela-circuito", "versione": 3})",
         {"salvato da una versione più recente"}},
        {"a version in words",
         R"({"formato": "idrovela-circuito", "versione": "1"})",
         {"versione", "intero"}},
        {"a version that is not whole",
         R"({"formato": "idrovela-circuito", "versione": 1.0})",
         {"versione", "intero"}},
        {"an unknown key at the top",
         File("").insert(1, R"("nota": "x", )"),
         {"«nota»", "non è prevista"}},
        {"an unknown key in a tube",
         File(
             R"({"id": "T3", "lunghezza": 1, "tubo": {"serie": "rame", "automatico": true, "diametro": 3}})"),
         {"Tratto «T3», tubo", "«diametro»", "non è prevista"}},
        {"a repeated key",
         File(Segment("T3", R"("lunghezza": 6)")),
         {"Tratto «T3»: la chiave «lunghezza» compare due volte"}},
        {"a repeated key at the top",
         File("").insert(1, R"("versione": 1, )"),
         {"«versione»", "due volte"}},
        {"a missing length",
         File(R"({"id": "T3", "tubo": {"serie": "rame", "automatico": true}})"),
         {"Tratto «T3», lunghezza: manca"}},
        {"a length in words",
         File(Segment("T3").replace(Segment("T3").find("5"), 1, "\"5\"")),
         {"Tratto «T3», lunghezza", "numero"}},
        {"a negative length",
         File(Segment("T3").replace(Segment("T3").find("5"), 1, "-2")),
         {"Tratto «T3», lunghezza", "−2 m", "almeno 0 m"}},
        {"a repeated id", File(Segment("A") + "," + Segment("A")), {"«A»", "due volte"}},
        {"an unknown upstream",
         File(Segment("A", R"("a_monte": "Z")")),
         {"Tratto «A», a_monte", "«Z»", "non esiste"}},
        {"a loop",
         File(Segment("A") + "," + Segment("B", R"("a_monte": "D")") + "," +
              Segment("C", R"("a_monte": "B")") + "," + Segment("D", R"("a_monte": "C")")),
         {"«B», «C», «D»", "anello"}},
        {"its own upstream",
         File(Segment("A", R"("a_monte": "A")")),
         {"Tratto «A», a_monte", "se stesso"}},
        {"an id with a semicolon", File(Segment("A;B")), {"id", "«;»"}},
        {"an id with a space at the end", File(Segment("A ")), {"id", "spazio"}},
        {"an empty id", File(Segment("")), {"Tratto n. 1, id", "da 1 a 64"}},
        {"an id too long", File(Segment(std::string(65, 'x'))), {"id", "da 1 a 64"}},
        {"an id with a control character", File(Segment("A\\u0085")), {"id", "controllo"}},
        {"a fixed tube of no bore",
         File(Segment("T3").replace(Segment("T3").find("20"), 2, "0")),
         {"Tratto «T3», tubo, diametro_interno", "maggiore di 0 mm"}},
        {"a roughness as large as the bore",
         File(Segment("T3").replace(Segment("T3").find("0.0015"), 6, "80")),
         {"tubo, rugosita", "3,7"}},
        {"a designation with a semicolon",
         File(Segment("T3").replace(Segment("T3").find("22×1"), 5, "22;1")),
         {"tubo, designazione", "«;»"}},
        {"an automatic tube of an unknown series",
         File(R"({"id": "T3", "lunghezza": 1, "tubo": {"serie": "ghisa", "automatico": true}})"),
         {"Tratto «T3», tubo, serie", "«ghisa»", "non è nel catalogo"}},
        {"an unknown fitting",
         File(Segment("T3", R"("accidenti": [{"tipo": "curva-91"}])")),
         {"Tratto «T3», accidenti n. 1, tipo", "«curva-91»"}},
        {"a fitting of no ζ",
         File(Segment("T3", R"("accidenti": [{"zeta": 0}])")),
         {"Tratto «T3», accidenti n. 1, zeta"}},
        {"no fittings",
         File(Segment("T3", R"("accidenti": [{"tipo": "riduzione", "numero": 0}])")),
         {"Tratto «T3», accidenti n. 1, numero", "almeno 1"}},
        {"a negative count of fittings",
         File(Segment("T3", R"("accidenti": [{"tipo": "riduzione", "numero": -2}])")),
         {"Tratto «T3», accidenti n. 1, numero: il valore −2 è fuori campo"}},
        {"a fitting counted in halves",
         File(Segment("T3", R"("accidenti": [{"tipo": "riduzione", "numero": 1.5}])")),
         {"Tratto «T3», accidenti n. 1, numero", "intero"}},
        {"a custom ζ with a key of the library",
         File(Segment("T3", R"("accidenti": [{"tipo": "riduzione", "zeta": 2}])")),
         {"«zeta»", "non è prevista"}},
        {"a valve of no Kv",
         File(Segment("T3", R"("valvole": [{"kv": 0}])")),
         {"Tratto «T3», valvole n. 1, kv"}},
        {"a terminal with both loads",
         File(Segment("T3", R"("terminale": {"potenza": 1, "portata": 1})")),
         {"Tratto «T3», terminale", "una e una sola"}},
        {"a terminal with neither", File(Segment("T3", R"("terminale": {})")), {"una e una sola"}},
        {"a terminal with both device losses",
         File(Segment("T3", R"("terminale": {"potenza": 1, "dp": 1, "kv": 1})")),
         {"«dp» oppure con «kv»"}},
        {"a negative load",
         File(Segment("T3", R"("terminale": {"potenza": -1})")),
         {"terminale, potenza"}},
        {"a device Kv of 0",
         File(Segment("T3", R"("terminale": {"portata": 1, "kv": 0})")),
         {"terminale, kv"}},
        {"an unknown fluid",
         File("", R"({"tipo": "olio", "mandata": 70, "ritorno": 60})"),
         {"Fluido, tipo", "«olio»"}},
        {"a glycol without its percentage",
         File("", R"({"tipo": "etilenico", "mandata": 70, "ritorno": 60})"),
         {"Fluido, percentuale: manca"}},
        {"a glycol of 70 %",
         File("", R"({"tipo": "etilenico", "percentuale": 70, "mandata": 70, "ritorno": 60})"),
         {"Fluido, percentuale", "tra 10 e 60"}},
        {"water with a percentage",
         File("", R"({"tipo": "acqua", "percentuale": 20, "mandata": 70, "ritorno": 60})"),
         {"Fluido, percentuale", "acqua"}},
        {"a supply above the data",
         File("", R"({"tipo": "acqua", "mandata": 120, "ritorno": 60})"),
         {"Fluido, mandata", "120 °C"}},
        {"a return where the glycol freezes",
         File("", R"({"tipo": "etilenico", "percentuale": 20, "mandata": 5, "ritorno": -30})"),
         {"Fluido, ritorno"}},
        {"supply equal to return",
         File("", R"({"tipo": "acqua", "mandata": 60, "ritorno": 60})"),
         {"Fluido, ritorno", "stessa temperatura"}},
        {"a limit of 0",
         File("").insert(1, R"("limiti": {"pa_per_m": 0}, )"),
         {"Limiti, pa_per_m"}},
        {"a margin over 100 %",
         File("").insert(1, R"("margini": {"prevalenza": 101}, )"),
         {"Margini, prevalenza", "tra 0 e 100"}},
        {"a figure out of scale",
         File(Segment("A", R"("terminale": {"potenza": 1e308})")),
         {"Tratto «A»", "fuori scala"}},
        {"nesting past any circuit", std::string(100, '[') + std::string(100, ']'), {"annidato"}},
    };
    for (const Fault& fault : faults) {
        const std::string message = LoadFault(fault.text);
        for (const std::string& piece : fault.says) {
            EXPECT_NE(message.find(piece), std::string::npos)
                << fault.what << ": «" << piece << "» not in: " << message;
        }
        EXPECT_EQ(message.find('\n'), std::string::npos) << fault.what;
        EXPECT_EQ(message.find(": La "), std::string::npos) << fault.what << ": " << message;
    }
}

TEST(LoadCircuit, TheExampleLoadsWithItsDefaultsAndKeys) {
    const LoadedCircuit loaded = LoadCircuitText(kExample, BuiltIn());
    const Circuit& circuit = loaded.circuit;
    EXPECT_EQ(circuit.project.name, "Villetta");
    ASSERT_EQ(circuit.segments.size(), 2U);
    EXPECT_EQ(circuit.segments[0].fittings.size(), 2U);
    EXPECT_EQ(circuit.segments[0].fittings[0].count, 4);
    EXPECT_EQ(circuit.segments[0].fittings[1].description, "filtro");
    EXPECT_EQ(circuit.segments[1].upstream, "A");
    EXPECT_TRUE(circuit.segments[1].tube.automatic);
    EXPECT_EQ(circuit.segments[1].terminal->device, Terminal::Device::Kv);
    EXPECT_EQ(loaded.solution.index, 1U);

    // The sections and keys a file may leave out take their defaults; a child may come before
    // its parent.
    const Circuit minimal =
        ParseCircuit(File(Segment("B", R"("a_monte": "A")") + "," + Segment("A")));
    EXPECT_EQ(minimal.limits.pascalPerMetre, 200.0);
    EXPECT_EQ(minimal.limits.velocityMs, 1.0);
    EXPECT_EQ(minimal.margins.flowPercent, 0.0);
    EXPECT_EQ(minimal.fluid.volumePercent, 0.0);
    EXPECT_EQ(minimal.segments[0].fittings.size(), 0U);
    EXPECT_NO_THROW(static_cast<void>(
        LoadCircuitText(File(Segment("B", R"("a_monte": "A")") + "," + Segment("A")), BuiltIn())));
}

// A save writes the keys in the format's order, defaults written out, two-space indentation;
// load → save → load → save gives the same bytes.
TEST(WriteCircuit, ReadingBackGivesTheSameBytes) {
    const std::string first = WriteCircuit(ParseCircuit(kExample));
    const std::string second = WriteCircuit(ParseCircuit(first));
    EXPECT_EQ(first, second);
    EXPECT_EQ(
        first.rfind("{\n  \"formato\": \"idrovela-circuito\",\n  \"versione\": 1,\n  \"progetto\"",
                    0),
        0U)
        << first;
    EXPECT_NE(first.find("\"pa_per_m\": 200,"), std::string::npos);  // whole numbers stay whole
    EXPECT_NE(first.find("\"rugosita\": 0.0015"), std::string::npos);
    EXPECT_NE(first.find("\"automatico\": true"), std::string::npos);  // saving keeps it
    EXPECT_LT(first.find("\"a_monte\""), first.find("\"descrizione\": \"\""));

    for (const std::uint64_t seed : {5U, 6U}) {
        const Circuit random = RandomCircuit(300, seed);
        const std::string text = WriteCircuit(random);
        const Circuit back = ParseCircuit(text);
        EXPECT_EQ(WriteCircuit(back), text);
        ASSERT_EQ(back.segments.size(), random.segments.size());
        for (std::size_t i = 0; i < back.segments.size(); ++i) {
            EXPECT_EQ(back.segments[i].lengthM, random.segments[i].lengthM);
            EXPECT_EQ(back.segments[i].tube.innerMm, random.segments[i].tube.innerMm);
        }
    }
    // Awkward doubles read back to themselves.
    Circuit odd = ParseCircuit(kExample);
    odd.segments[0].lengthM = 0.1 + 0.2;
    odd.segments[0].tube.roughnessMm = 1e-300;
    odd.fluid.supplyC = 70.000000000000014;
    const Circuit back = ParseCircuit(WriteCircuit(odd));
    EXPECT_EQ(back.segments[0].lengthM, 0.1 + 0.2);
    EXPECT_EQ(back.segments[0].tube.roughnessMm, 1e-300);
    EXPECT_EQ(back.fluid.supplyC, 70.000000000000014);
}

// Runs `act` with every file the process writes capped at `bytes`, so that a write fails half-way
// as on a full disk; false, without running it, where the system has no such cap (Windows).
bool WithFileSizeCap(std::size_t bytes, const std::function<void()>& act) {
#ifdef _WIN32
    static_cast<void>(bytes);
    static_cast<void>(act);
    return false;
#else
    struct rlimit before {};
    if (::getrlimit(RLIMIT_FSIZE, &before) != 0) {
        throw std::runtime_error("getrlimit failed");
    }
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // EFBIG instead of a signal
    struct rlimit small = before;
    small.rlim_cur = bytes;
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0) {
        throw std::runtime_error("setrlimit failed");
    }
    act();
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    return true;
#endif
}

class SavingACircuit : public ::testing::Test {
  protected:
    static std::string Read(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }
    // Entries of the folder other than `keep`: a failed save must leave none behind.
    [[nodiscard]] std::vector<std::string> Others(const std::string& keep) const {
        std::vector<std::string> others;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            if (entry.path().filename() != keep) {
                others.push_back(entry.path().filename().string());
            }
        }
        return others;
    }
    test_support::ScratchFolder scratch_{"idrovela-save"};
    fs::path folder_ = scratch_.path();
};

TEST_F(SavingACircuit, WritesAFileThatLoadsBackTheSame) {
    const LoadedCircuit loaded = LoadCircuitText(kExample, BuiltIn());
    const fs::path path = folder_ / "villetta.idrovela";
    SaveCircuit(loaded.circuit, BuiltIn(), path);
    const std::string saved = Read(path);
    EXPECT_EQ(saved, WriteCircuit(loaded.circuit));
    const LoadedCircuit again = LoadCircuitFile(path, BuiltIn());
    SaveCircuit(again.circuit, BuiltIn(), path);
    EXPECT_EQ(Read(path), saved);
    EXPECT_TRUE(Others("villetta.idrovela").empty());
}

TEST_F(SavingACircuit, AFailureLeavesTheOldFileAsItWas) {
    const fs::path path = folder_ / "circuito.idrovela";
    { std::ofstream(path) << "il file di prima"; }
    Circuit circuit = ParseCircuit(kExample);

    // Anything loading would refuse is not saved.
    Circuit refused = circuit;
    refused.segments[0].lengthM = -1.0;
    EXPECT_THROW(SaveCircuit(refused, BuiltIn(), path), CircuitError);
    EXPECT_EQ(Read(path), "il file di prima");

    // A folder in the file's place.
    fs::create_directory(folder_ / "cartella.idrovela");
    try {
        SaveCircuit(circuit, BuiltIn(), folder_ / "cartella.idrovela");
        FAIL() << "saved over a folder";
    } catch (const CircuitError& error) {
        EXPECT_NE(std::string(error.what()).find("cartella"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(fs::is_directory(folder_ / "cartella.idrovela"));

    // A folder that does not exist.
    EXPECT_THROW(SaveCircuit(circuit, BuiltIn(), folder_ / "manca" / "c.idrovela"), CircuitError);

    // A folder that may not be written (where permissions stop nothing, there is nothing to see).
    if (!test_support::PermissionsStopNothing()) {
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
        try {
            SaveCircuit(circuit, BuiltIn(), path);
            FAIL() << "saved into a read-only folder";
        } catch (const CircuitError& error) {
            EXPECT_NE(std::string(error.what()).find("permesso negato"), std::string::npos)
                << error.what();
        }
        fs::permissions(folder_, fs::perms::owner_all);
    }
    EXPECT_EQ(Read(path), "il file di prima");
    EXPECT_EQ(Others("circuito.idrovela"), std::vector<std::string>{"cartella.idrovela"});

    // A write that fails half-way, as on a full disk: the file-size limit cuts it short.
    WithFileSizeCap(64, [&] { EXPECT_THROW(SaveCircuit(circuit, BuiltIn(), path), CircuitError); });
    EXPECT_EQ(Read(path), "il file di prima");
    EXPECT_EQ(Others("circuito.idrovela"), std::vector<std::string>{"cartella.idrovela"});

    // A device in the file's place is not replaced by a file: a pipe, or Windows' NUL.
    const fs::path fifo = folder_ / "fifo.idrovela";
    if (test_support::MakeFifo(fifo)) {
        EXPECT_THROW(SaveCircuit(circuit, BuiltIn(), fifo), CircuitError);
        EXPECT_TRUE(fs::is_fifo(fifo));
    } else {
        EXPECT_THROW(SaveCircuit(circuit, BuiltIn(), folder_ / "NUL"), CircuitError);
    }
}

TEST_F(SavingACircuit, KeepsTheOldFilesPermissionsAndWritesThroughALink) {
    const fs::path path = folder_ / "c.idrovela";
    { std::ofstream(path) << "x"; }
    const fs::path link = folder_ / "link.idrovela";
    if (!test_support::MakeSymlink(path, link)) {
        GTEST_SKIP() << "no symbolic links (nor POSIX permissions) on this system";
    }
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const Circuit circuit = ParseCircuit(kExample);
    SaveCircuit(circuit, BuiltIn(), link);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(path), WriteCircuit(circuit));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SavingACircuit, FilesThatAreNotCircuitsAreRefusedWithoutReadingOn) {
    const auto faultOf = [](const fs::path& path) -> std::string {
        try {
            static_cast<void>(LoadCircuitFile(path, BuiltIn()));
        } catch (const CircuitError& error) {
            return error.what();
        }
        return "(loaded)";
    };
    EXPECT_NE(faultOf(folder_ / "manca.idrovela").find("non esiste"), std::string::npos);
    EXPECT_NE(faultOf(folder_).find("cartella"), std::string::npos);
    const fs::path fifo = folder_ / "fifo.idrovela";
    const fs::path device = test_support::MakeFifo(fifo) ? fifo : folder_ / "NUL";
    EXPECT_NE(faultOf(device).find("non è un file normale"), std::string::npos);  // and no hang
    const fs::path huge = folder_ / "enorme.idrovela";
    { std::ofstream(huge) << ' '; }
    fs::resize_file(huge, kMaxFileBytes + 1);  // sparse: no disk used
    EXPECT_NE(faultOf(huge).find("256 MiB"), std::string::npos);
}

TEST(LoadCircuit, AtMostTwoHundredThousandSegments) {
    std::string segments;
    for (std::size_t i = 0; i <= kMaxSegments; ++i) {
        segments += i == 0 ? "{}" : ",{}";
    }
    const std::string message = LoadFault(File(segments));
    EXPECT_NE(message.find("200000"), std::string::npos) << message;
}

// Where the JSON breaks, the column counts characters: a continuation byte belongs to the
// character before it, UTF-8 or not; a sequence cut short counts as one.
TEST(LoadCircuit, TheColumnOfAFaultCountsCharactersWhateverTheBytes) {
    const struct {
        const char* what;
        std::string text;
        const char* message;
    } cases[] = {
        {"cut short in a string", "{\"a\": \"\xC3\xA9\xE2\x80x\"}",
         "non è JSON valido (riga 1, colonna 10): sintassi non valida vicino a «\"é??x»."},
        {"a lead byte before a quote", "{\n\"\xC3\x97\xC3\": 1}",
         "non è JSON valido (riga 2, colonna 4): sintassi non valida vicino a «\"×?\"»."},
        {"four bytes, then two of four", "{\"a\": \"\xF0\x9F\x94\xA7\xF0\x9F\"}",
         "non è JSON valido (riga 1, colonna 10): sintassi non valida vicino a «\"🔧??\"»."},
        {"continuation bytes first", "\x80\x80{",
         "non è JSON valido (riga 1, colonna 1): sintassi non valida vicino a «?»."},
    };
    // Bytes that are not UTF-8 say so first, then where the JSON broke.
    const std::string notUtf8 =
        "Il file contiene caratteri che Idrovela non sa leggere, forse perché un altro programma "
        "lo ha salvato con un'altra codifica dei caratteri. Dettaglio: il testo non è UTF-8 e ";
    for (const auto& c : cases) {
        EXPECT_EQ(LoadFault(c.text), notUtf8 + c.message) << c.what;
    }
}

}  // namespace
}  // namespace idrovela::circuit
