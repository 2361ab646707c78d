// Files as every reader and writer of the program meets them: one fault, one set of words,
// whether a circuit is read, saved, or written as a copy or an export; and no export in the
// place of its own circuit, by whatever name.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogues/built_in.h"
#include "circuit/export_refusal.h"
#include "circuit/load.h"
#include "circuit/parse.h"
#include "circuit/write.h"

namespace idrovela::circuit {
namespace {

namespace fs = std::filesystem;

class FileFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "idrovela-faults-XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        folder_ = name;
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder_);
    }
    // What `act` throws, or "(done)".
    static std::string FaultOf(const std::function<void()>& act) {
        try {
            act();
        } catch (const CircuitError& error) {
            return error.what();
        }
        return "(done)";
    }
    static bool EndsWith(const std::string& text, const std::string& end) {
        return text.size() >= end.size() &&
               text.compare(text.size() - end.size(), end.size(), end) == 0;
    }
    fs::path folder_;
};

// Each fault as the reader, the saver and the plain atomic writer (recovery copies, the CSV) say
// it: the same words, an old file that stays said so, and nothing left beside the target.
TEST_F(FileFaults, OneFaultHasOneSetOfWordsForEveryReaderAndWriter) {
    const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    const Circuit circuit = ParseCircuit(
        R"({"formato": "idrovela-circuito", "versione": 1, "fluido": {"tipo": "acqua", "mandata": 70, "ritorno": 60}, "tratti": []})");
    { std::ofstream(folder_ / "file.txt") << "x"; }
    fs::create_directory(folder_ / "cartella.idrovela");
    ASSERT_EQ(::mkfifo((folder_ / "fifo.idrovela").c_str(), 0600), 0);
    const struct {
        const char* what;
        fs::path path;
        const char* read;   // what reading it says; empty: not read
        const char* write;  // what writing it says
    } cases[] = {
        {"no folder", folder_ / "manca" / "c.idrovela", "il file non esiste",
         "la cartella non esiste"},
        {"a folder in its place", folder_ / "cartella.idrovela", "è una cartella, non un file",
         "è una cartella, non un file"},
        {"a file in the path", folder_ / "file.txt" / "c.idrovela",
         "una parte del percorso non è una cartella", "una parte del percorso non è una cartella"},
        {"a pipe", folder_ / "fifo.idrovela", "non è un file normale", "non è un file normale"},
        {"a name too long", folder_ / (std::string(300, 'n') + ".idrovela"),
         "il nome è troppo lungo", "il nome è troppo lungo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string read = FaultOf([&] { static_cast<void>(ReadCircuitFile(c.path)); });
        EXPECT_EQ(read.rfind("Impossibile aprire «", 0), 0u) << read;
        EXPECT_TRUE(EndsWith(read, std::string(": ") + c.read + ".")) << read;
        const std::string saved = FaultOf([&] { SaveCircuit(circuit, catalogue, c.path); });
        EXPECT_EQ(saved.rfind("Impossibile salvare «", 0), 0u) << saved;
        EXPECT_TRUE(EndsWith(saved, std::string(": ") + c.write + ".")) << saved;
        EXPECT_EQ(FaultOf([&] { WriteFileAtomically(c.path, "testo"); }), saved);
    }

    // A folder that may not be written, with a file in it that stays (root may write anywhere).
    if (::geteuid() != 0) {
        const fs::path kept = folder_ / "c.idrovela";
        { std::ofstream(kept) << "prima"; }
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
        const std::string saved = FaultOf([&] { SaveCircuit(circuit, catalogue, kept); });
        EXPECT_TRUE(EndsWith(saved, ": permesso negato. Il file di prima è rimasto com'era."))
            << saved;
        EXPECT_EQ(FaultOf([&] { WriteFileAtomically(kept, "testo"); }), saved);
        fs::permissions(folder_, fs::perms::owner_all);
    }
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder_)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    const std::vector<std::string> made =
        ::geteuid() != 0
            ? std::vector<std::string>{"c.idrovela", "cartella.idrovela", "fifo.idrovela",
                                       "file.txt"}
            : std::vector<std::string>{"cartella.idrovela", "fifo.idrovela", "file.txt"};
    EXPECT_EQ(left, made);
}

// An export may not go where its circuit is, by any name for that file; anywhere else it may.
TEST_F(FileFaults, AnExportNeverTakesThePlaceOfItsCircuit) {
    const fs::path own = folder_ / "villetta.idrovela";
    { std::ofstream(own) << "{}"; }
    fs::create_directory(folder_ / "sotto");
    fs::create_symlink(own, folder_ / "collegamento.pdf");
    fs::create_hard_link(own, folder_ / "altro-nome.pdf");
    const struct {
        fs::path target;
        std::optional<fs::path> circuit;
        bool refused;
    } cases[] = {
        {own, own, true},
        {folder_ / "sotto" / ".." / "villetta.idrovela", own, true},
        {folder_ / "collegamento.pdf", own, true},
        {folder_ / "altro-nome.pdf", own, true},
        {folder_ / "villetta.pdf", own, false},
        {own, std::nullopt, false},
        // Neither is there yet: the names decide.
        {folder_ / "nuovo.idrovela", folder_ / "sotto" / ".." / "nuovo.idrovela", true},
        {folder_ / "nuovo.pdf", folder_ / "nuovo.idrovela", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExportRefusal(c.target, c.circuit, "Il CSV").has_value(), c.refused) << c.target;
    }
    EXPECT_EQ(ExportRefusal(own, own, "La relazione"),
              "La relazione non può prendere il posto del circuito «villetta.idrovela»: "
              "scegliere un altro file.");
}

}  // namespace
}  // namespace idrovela::circuit
