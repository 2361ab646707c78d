// A circuit file that cannot be read at all says why in words an engineer knows, the technical
// detail after them, and every message about a file names it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "catalogues/built_in.h"
#include "circuit/load.h"
#include "circuit/messages.h"
#include "circuit/write.h"
#include "tests/circuit/circuits.h"

namespace idrovela::circuit {
namespace {

namespace fs = std::filesystem;

const catalogues::Catalogue& BuiltIn() {
    static const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    return catalogue;
}

// A circuit of one radiator, as a save writes it.
std::string OneRadiator(double lengthM = 4.0) {
    Circuit circuit;
    Segment segment = test::Fixed("R1", std::nullopt, lengthM, "15×1", 13.0);
    segment.terminal = test::Radiator(1500.0, Terminal::Device::PressureDrop, 2000.0);
    circuit.segments = {segment};
    return WriteCircuit(circuit);
}

constexpr const char* kEmpty = "Il file è vuoto.";
constexpr const char* kCutShort =
    "Il file è incompleto e finisce a metà, forse perché è stato troncato durante una copia. "
    "Dettaglio: il testo JSON si interrompe alla ";
constexpr const char* kBinary =
    "Il file non è un testo ma un file binario, come un'immagine, un archivio o un programma, e "
    "non è un circuito di Idrovela. Dettaglio: carattere di controllo ";
constexpr const char* kZeros =
    "Il file è danneggiato, con una parte del testo sostituita da zeri, come accade quando il "
    "computer si spegne mentre il file viene scritto. Dettaglio: il primo byte nullo è alla ";
constexpr const char* kEncoding =
    "Il file contiene caratteri che Idrovela non sa leggere, forse perché un altro programma lo "
    "ha salvato con un'altra codifica dei caratteri. Dettaglio: il testo non è UTF-8 e non è JSON "
    "valido (";
constexpr const char* kSyntax =
    "Il file contiene un errore nel testo, forse per una modifica fatta a mano. Dettaglio: il "
    "testo non è JSON valido (";

TEST(UnreadableText, EachFaultOfTheTextHasItsOwnMessage) {
    const std::string whole = OneRadiator();
    const struct {
        const char* what;
        std::string text;
        std::string message;
    } cases[] = {
        {"empty", "", kEmpty},
        {"only blanks", " \n\t\r\n", kEmpty},
        {"cut in a string", R"({"formato": "idrovela-circ)",
         std::string(kCutShort) + "riga 1, colonna 27."},
        {"cut after a line", whole.substr(0, whole.find("\"tratti\"")),
         std::string(kCutShort) + "riga 23, colonna 3."},
        {"the last brace cut off", whole.substr(0, whole.size() - 2),
         std::string(kCutShort) + "riga 43, colonna 1."},
        {"an image", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
         std::string(kBinary) + "0x1A alla riga 2, colonna 1."},
        {"a control byte after a NUL", std::string("{}\0\x01", 4),
         std::string(kBinary) + "0x01 alla riga 1, colonna 4."},
        {"zeros after the whole circuit", whole + std::string(8, '\0'),
         std::string(kZeros) + "riga 44, colonna 1."},
        {"zeros in the middle", whole.substr(0, 40) + std::string(200, '\0'),
         std::string(kZeros) + "riga 3, colonna 5."},
        {"nothing but zeros", std::string(4096, '\0'), std::string(kZeros) + "riga 1, colonna 1."},
        {"Latin-1", "{\"progetto\": {\"nome\": \"Caff\xE8\"}}",
         std::string(kEncoding) + "riga 1, colonna 29): sintassi non valida vicino a «\"Caff?\"»."},
        {"UTF-16 with its mark", std::string("\xFF\xFE{\0\"\0", 6),
         std::string(kEncoding) + "riga 1, colonna 1): sintassi non valida vicino a «?»."},
        {"a number too large", R"({"a": 1e999})",
         "Il file contiene un numero troppo grande per essere letto. Dettaglio: il testo non è "
         "JSON valido (riga 1, colonna 11): numero troppo grande vicino a «1e999»."},
        {"a stray word", "{\n  \"formato\": \"×\" x\n}",
         std::string(kSyntax) + "riga 2, colonna 18): sintassi non valida vicino a «\"×\" x»."},
    };
    for (const auto& c : cases) {
        try {
            static_cast<void>(LoadCircuitText(c.text, BuiltIn()));
            ADD_FAILURE() << c.what << ": loaded";
        } catch (const CircuitError& error) {
            EXPECT_EQ(error.what(), c.message) << c.what;
        }
    }
    EXPECT_NO_THROW(static_cast<void>(LoadCircuitText(whole, BuiltIn())));
}

// A path too long to quote whole keeps its end, the file's name, and as many folders before it
// as fit in 40 characters with the "…".
TEST(UnreadableText, APathTooLongToQuoteKeepsTheFilesName) {
    const std::string forty = "/home/anna/impianti/2024/villetta.idrovela";  // 42 characters
    const std::pair<std::string, std::string> cases[] = {
        {"villetta.idrovela", "«villetta.idrovela»"},
        {forty.substr(2), "«" + forty.substr(2) + "»"},  // 40: whole
        {forty, "«…/anna/impianti/2024/villetta.idrovela»"},
        {"/home/anna/Documenti/impianti/2024/villetta.idrovela",
         "«…/impianti/2024/villetta.idrovela»"},
        {"/tmp/" + std::string(45, 'x') + ".idrovela", "«…/" + std::string(38, 'x') + "…»"},
        {std::string(45, 'x'), "«" + std::string(40, 'x') + "…»"},
    };
    for (const auto& [path, quoted] : cases) {
        EXPECT_EQ(QuotedPath(path), quoted) << path;
    }
}

// Whatever is wrong with a file, the message names it: as `idrovela FILE…`, the window's
// "Apri…", `idrovela --relazione` and a session's `circuit` all load through here.
TEST(UnreadableText, AMessageAboutAFileNamesIt) {
    const fs::path folder =
        fs::temp_directory_path() / ("idrovela-named-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string whole = OneRadiator();
    const struct {
        const char* name;
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"vuoto.idrovela", "", "il file è vuoto."},
        {"troncato.idrovela", whole.substr(0, whole.size() / 2), "il file è incompleto e finisce"},
        {"binario.idrovela", std::string("PK\x03\x04\x14\0\0\0", 8), "il file non è un testo"},
        {"zeri.idrovela", whole + std::string(3, '\0'), "il file è danneggiato"},
        {"negativo.idrovela", OneRadiator(-2.0),
         "tratto «R1», lunghezza: il valore −2 m è fuori campo; deve essere almeno 0 m."},
    };
    for (const auto& c : cases) {
        const fs::path path = folder / c.name;
        std::ofstream(path, std::ios::binary) << c.bytes;
        try {
            static_cast<void>(LoadCircuitFile(path, BuiltIn()));
            ADD_FAILURE() << c.name << ": loaded";
        } catch (const CircuitError& error) {
            EXPECT_EQ(std::string(error.what())
                          .rfind("Impossibile aprire " + QuotedPath(path) + ": " + c.reason, 0),
                      0u)
                << error.what();
        }
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace idrovela::circuit
