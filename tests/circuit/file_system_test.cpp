// Files as every reader and writer of the program meets them: one fault, one set of words,
// whether a circuit is read, saved, or written as a copy or an export; and no export in the
// place of its own circuit, by whatever name.

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogues/built_in.h"
#include "circuit/export_refusal.h"
#include "circuit/file_system.h"
#include "circuit/load.h"
#include "circuit/parse.h"
#include "circuit/write.h"
#include "tests/support/scratch_folder.h"
#include "text/path_text.h"

namespace idrovela::circuit {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kNoSegments =
    R"({"formato": "idrovela-circuito", "versione": 1, "fluido": {"tipo": "acqua", "mandata": 70, "ritorno": 60}, "tratti": []})";

class FileFaults : public ::testing::Test {
  protected:
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
    test_support::ScratchFolder scratch_{"idrovela-faults"};
    fs::path folder_ = scratch_.path();
};

// Each fault as the reader, the saver and the plain atomic writer (recovery copies, the CSV) say
// it: the same words, an old file that stays said so, and nothing left beside the target.
TEST_F(FileFaults, OneFaultHasOneSetOfWordsForEveryReaderAndWriter) {
    const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    const Circuit circuit = ParseCircuit(kNoSegments);
    { std::ofstream(folder_ / "file.txt") << "x"; }
    fs::create_directory(folder_ / "cartella.idrovela");
    // What is not a file: a pipe, or on Windows a device's name, which is one in any folder.
    fs::path notAFile = folder_ / "NUL";
    if (test_support::MakeFifo(folder_ / "fifo.idrovela")) {
        notAFile = folder_ / "fifo.idrovela";
    }
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
        {"a pipe or a device", notAFile, "non è un file normale", "non è un file normale"},
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

    // A folder that may not be written, with a file in it that stays.
    const bool permissionsApply = !test_support::PermissionsStopNothing();
    if (permissionsApply) {
        const fs::path kept = folder_ / "c.idrovela";
        { std::ofstream(kept) << "prima"; }
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
        const std::string saved = FaultOf([&] { SaveCircuit(circuit, catalogue, kept); });
        EXPECT_TRUE(EndsWith(saved, ": permesso negato. Il file di prima è rimasto com'era."))
            << saved;
        EXPECT_EQ(FaultOf([&] { WriteFileAtomically(kept, "testo"); }), saved);
        fs::permissions(folder_, fs::perms::owner_all);
    }
#ifdef _WIN32
    // A file another program holds open without letting it go (as a spreadsheet holds a CSV) may
    // not be replaced: a stream of the C library shares reading and writing, not deleting.
    const fs::path held = folder_ / "aperto.idrovela";
    { std::ofstream(held) << "prima"; }
    {
        const std::ifstream holder(held);
        const std::string saved = FaultOf([&] { SaveCircuit(circuit, catalogue, held); });
        EXPECT_TRUE(EndsWith(saved, ": permesso negato. Il file di prima è rimasto com'era."))
            << saved;
        EXPECT_EQ(FaultOf([&] { WriteFileAtomically(held, "testo"); }), saved);
    }
    EXPECT_EQ(ReadCircuitFile(held), "prima");
#endif
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder_)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    std::vector<std::string> made = {"cartella.idrovela", "file.txt"};
    if (permissionsApply) {
        made.push_back("c.idrovela");
    }
    if (notAFile.filename() == "fifo.idrovela") {
        made.push_back("fifo.idrovela");
    }
#ifdef _WIN32
    made.push_back("aperto.idrovela");
#endif
    std::sort(made.begin(), made.end());
    EXPECT_EQ(left, made);
}

// A name beyond ASCII is the same name on every system: a circuit saved under it reads back and
// lists under it, and the messages show it as it was given.
TEST_F(FileFaults, ANameBeyondAsciiIsTheSameNameEverywhere) {
    const std::string name = "Villetta Łódź – Δp.idrovela";
    const fs::path path = folder_ / text::PathFromUtf8(name);
    const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    const Circuit circuit = ParseCircuit(kNoSegments);
    SaveCircuit(circuit, catalogue, path);
    EXPECT_EQ(ReadCircuitFile(path), WriteCircuit(circuit));
    WriteFileAtomically(path, "testo");
    EXPECT_EQ(ReadCircuitFile(path), "testo");
    std::vector<std::string> listed;
    for (const auto& entry : fs::directory_iterator(folder_)) {
        listed.push_back(text::Utf8OfPath(entry.path().filename()));
    }
    EXPECT_EQ(listed, std::vector<std::string>{name});

    EXPECT_EQ(ExportRefusal(path, path, "Il CSV"),
              "Il CSV non può prendere il posto del circuito «Villetta Łódź – Δp.idrovela»: "
              "scegliere un altro file.");
    // Relative names, so that the messages quote them whole.
    EXPECT_EQ(FaultOf([] {
                  static_cast<void>(ReadCircuitFile(text::PathFromUtf8("manca Łódź Δp.idrovela")));
              }),
              "Impossibile aprire «manca Łódź Δp.idrovela»: il file non esiste.");
    EXPECT_EQ(FaultOf([&] {
                  SaveCircuit(circuit, catalogue, text::PathFromUtf8("manca Łódź/Δp.idrovela"));
              }),
              "Impossibile salvare «manca Łódź/Δp.idrovela»: la cartella non esiste.");
}

// An export may not go where its circuit is, by any name for that file; anywhere else it may.
TEST_F(FileFaults, AnExportNeverTakesThePlaceOfItsCircuit) {
    const fs::path own = folder_ / "villetta.idrovela";
    { std::ofstream(own) << "{}"; }
    fs::create_directory(folder_ / "sotto");
    const bool linked = test_support::MakeSymlink(own, folder_ / "collegamento.pdf");
    fs::create_hard_link(own, folder_ / "altro-nome.pdf");
    const struct {
        fs::path target;
        std::optional<fs::path> circuit;
        bool refused;
    } cases[] = {
        {own, own, true},
        {folder_ / "sotto" / ".." / "villetta.idrovela", own, true},
        // Without a link (Windows without the privilege) a file of that name, which is another.
        {folder_ / "collegamento.pdf", own, linked},
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

long long OwnProcess() {
#ifdef _WIN32
    return ::GetCurrentProcessId();
#else
    return ::getpid();
#endif
}

// The number of a process that has run and ended (this test program, listing no test).
long long AnEndedProcess() {
#ifdef _WIN32
    std::wstring program(MAX_PATH, L'\0');
    program.resize(::GetModuleFileNameW(nullptr, program.data(), MAX_PATH));
    std::wstring line = L"\"" + program + L"\" --gtest_list_tests --gtest_filter=-*";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        throw std::runtime_error("CreateProcessW failed");
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return process.dwProcessId;
#else
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
#endif
}

// The test of a recovery copy's lock: the process that holds it runs, or has ended; a number that
// is no process's is not taken for an ended one.
TEST(ProcessEnded, OnlyAProcessThatHasEndedHasEnded) {
    EXPECT_FALSE(ProcessEnded(OwnProcess()));
    EXPECT_TRUE(ProcessEnded(AnEndedProcess()));
    EXPECT_FALSE(ProcessEnded(0));
    EXPECT_FALSE(ProcessEnded(-1));
}

}  // namespace
}  // namespace idrovela::circuit
