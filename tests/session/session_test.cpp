// Whole sessions: every script in the sessions folder against its expected output. A script whose
// first line is "# exit 2" must end with that status.

#include "session/session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "catalogues/built_in.h"
#include "circuit/random_tree.h"
#include "circuit/write.h"
#include "tests/support/scratch_folder.h"
#include "text/path_text.h"

namespace idrovela::session {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string RunText(const std::string& script, int& status, std::string* errors = nullptr) {
    std::istringstream in(script);
    std::ostringstream out, err;
    status = RunSession(in, out, err);
    if (errors != nullptr) {
        *errors = err.str();
    }
    return out.str();
}

TEST(Session, ScriptsGiveTheirExpectedOutput) {
    std::vector<fs::path> scripts;
    for (const auto& entry : fs::directory_iterator(IDROVELA_SESSIONS_DIR)) {
        if (entry.path().extension() == ".session") {
            scripts.push_back(entry.path());
        }
    }
    ASSERT_GE(scripts.size(), 4u);
    for (const fs::path& script : scripts) {
        SCOPED_TRACE(script.filename().string());
        const std::string text = ReadFile(script);
        int status = -1;
        const std::string output = RunText(text, status);
        EXPECT_EQ(status, text.rfind("# exit 2", 0) == 0 ? 2 : 0);
        fs::path expected = script;
        expected.replace_extension(".expected");
        EXPECT_EQ(output, ReadFile(expected));
    }
}

TEST(Session, TextArgumentsKeepSpacesAndMayBeEmpty) {
    int status = -1;
    const std::string out =
        RunText("paste Text1  two  spaces \"q\" \npaste Text_dT \r\nprint\n", status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(out.find("text.Text1= two  spaces \"q\" \n"), std::string::npos);
    EXPECT_NE(out.find("text.Text_dT=\n"), std::string::npos);
}

TEST(Session, TypeEndsAtTheFirstError) {
    // With a temperature difference that is no number, the power's handler raises at the first
    // key, and the keys after it are not typed.
    int status = -1;
    const std::string out = RunText("load\npaste Text_dT x\ntype Text_P 55\nprint\n", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.find("error 13 Type mismatch\n"), 0u);
    EXPECT_NE(out.find("error 13 Type mismatch\ntext.Text_D"), std::string::npos);
    EXPECT_NE(out.find("text.Text_P=1165\n"), std::string::npos);
}

TEST(Session, UnknownNamesStopWithStatus2) {
    for (const char* line :
         {"jump", "click Option_Nothing", "up Text_D", "keystroke Text_D x 1", "type Label3 1",
          "keystroke Text_D 70000 1", "fluid olio 30 20", "fluid etilenico trenta 20",
          "fluid acqua 0 20.5", "limits 200", "choose nessuna 22×1"}) {
        int status = -1;
        std::string errors;
        const std::string out = RunText(std::string(line) + "\nprint\n", status, &errors);
        EXPECT_EQ(status, 2) << line;
        EXPECT_TRUE(out.empty()) << line;
        EXPECT_FALSE(errors.empty()) << line;
    }
}

// A firm's own series sit beside the built-in ones; their bad lines are counted, not fatal.
TEST(Session, UserCataloguesComeFromTheFolderTheScriptNames) {
    const test_support::ScratchFolder scratch("idrovela-session-catalogues");
    const fs::path& folder = scratch.path();
    std::ofstream(folder / "ditta.csv")
        << "# Ditta: multistrato 20\n"
           "designazione;diametro esterno [mm];spessore [mm];diametro interno [mm];rugosità [mm]\n"
           "20×2;20;2;16;0,007\n"
           "20×2 bis;20;2;15;0,007\n";  // 15 is not 20 − 2·2: skipped
    int status = -1;
    const std::string out = RunText("load\ncatalogues " + text::Utf8OfPath(folder) +
                                        "\npipes ditta\nchoose ditta 20×2\nprint\npipes ditta\n",
                                    status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.rfind("pipe.1=20×2;16,0;13,78;30553;", 0), 0u) << out;
    EXPECT_NE(out.find("pipes.problems=1\n"), std::string::npos) << out;
    // Chosen, the tube's 16 mm and its 0,007 mm ("Polietilene") are the window's; the table's
    // row then shows the window's Y.
    EXPECT_NE(out.find("text.Text_D=16\n"), std::string::npos) << out;
    EXPECT_NE(out.find("selected.Option_Tubo4=1\n"), std::string::npos) << out;
    const std::size_t y = out.find("text.Text_Y=");
    ASSERT_NE(y, std::string::npos);
    const std::string windowY = out.substr(y + 12, out.find('\n', y) - y - 12);
    EXPECT_NE(windowY, "30553");
    EXPECT_NE(out.find("end\npipe.1=20×2;16,0;13,78;" + windowY + ";"), std::string::npos) << out;
}

// Bytes that are not UTF-8, in a path or a file, come back in the message as "?": the line stays
// readable UTF-8 whatever the script or the file holds.
TEST(Session, CircuitMessagesStayUtf8) {
    int status = -1;
    const std::string out = RunText("circuit /nonexistent/circuito-\xff\xc3.idrovela\n", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out,
              "circuit.error=Impossibile aprire «/nonexistent/circuito-??.idrovela»: il file non "
              "esiste.\n");
}

// A damaged circuit file gets its own message, naming the file, and the session goes on.
TEST(Session, EachDamagedCircuitFileSaysWhatIsWrongAndNamesIt) {
    const test_support::ScratchFolder scratch("idrovela-damaged");
    const fs::path& folder = scratch.path();
    const std::string whole = circuit::WriteCircuit(circuit::ChainCircuit(2));
    const struct {
        const char* name;
        std::string bytes;
        const char* says;
    } cases[] = {
        {"vuoto.idrovela", "", "il file è vuoto."},
        {"troncato.idrovela", whole.substr(0, whole.size() / 2),
         "il file è incompleto e finisce a metà, forse perché è stato troncato durante una copia. "
         "Dettaglio: il testo JSON si interrompe alla riga "},
        {"binario.idrovela", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
         "il file non è un testo ma un file binario, come un'immagine, un archivio o un "
         "programma, e non è un circuito di Idrovela. Dettaglio: carattere di controllo 0x1A "
         "alla riga 2, colonna 1."},
        {"zeri.idrovela", whole + std::string(16, '\0'),
         "il file è danneggiato, con una parte del testo sostituita da zeri, come accade quando "
         "il computer si spegne mentre il file viene scritto. Dettaglio: il primo byte nullo è "
         "alla riga "},
    };
    std::string script;
    for (const auto& c : cases) {
        std::ofstream(folder / c.name, std::ios::binary) << c.bytes;
        script += "circuit " + text::Utf8OfPath(folder / c.name) + '\n';
    }
    int status = -1;
    const std::string out = RunText(script, status);
    EXPECT_EQ(status, 0);
    std::istringstream lines(out);
    for (const auto& c : cases) {
        std::string line;
        ASSERT_TRUE(std::getline(lines, line)) << c.name;
        const std::string start = "circuit.error=Impossibile aprire «";
        EXPECT_EQ(line.rfind(start, 0), 0u) << line;
        // The separator before the name, as the system writes it.
        const std::string named = text::Utf8OfPath(fs::path("x") / c.name).substr(1) + "»: ";
        const std::size_t name = line.find(named);
        ASSERT_NE(name, std::string::npos) << line;
        EXPECT_EQ(line.substr(name + named.size()).rfind(c.says, 0), 0u) << line;
    }
}

// A number the window would not take stops the script; one with a dot says how to write it.
// Before `load`, the window answers a recalculation as the calculator does before start-up.
TEST(Session, ANumberWithADotSaysToWriteTheComma) {
    const struct {
        const char* line;
        const char* errors;
    } cases[] = {
        {"fluid acqua 0 62.5",
         "idrovela-session: unknown number \"62.5\": write 62,5, with the decimal comma\n"},
        {"fluid etilenico 30.5 20",
         "idrovela-session: unknown number \"30.5\": write 30,5, with the decimal comma\n"},
        {"limits 200 1.2",
         "idrovela-session: unknown number \"1.2\": write 1,2, with the decimal comma\n"},
        {"limits 200 1.2.3", "idrovela-session: unknown number \"1.2.3\"\n"},
        {"fluid acqua 0 venti", "idrovela-session: unknown number \"venti\"\n"},
    };
    for (const auto& c : cases) {
        int status = -1;
        std::string errors;
        const std::string out =
            RunText(std::string("load\n") + c.line + "\nprint\n", status, &errors);
        EXPECT_EQ(out.find("end\n"), std::string::npos) << c.line;  // stopped before `print`
        EXPECT_EQ(status, 2) << c.line;
        EXPECT_EQ(errors, c.errors) << c.line;
    }
    int status = -1;
    EXPECT_EQ(RunText("fluid acqua 0 62,5\n", status).rfind("error 6 Overflow\n", 0), 0u);
    EXPECT_EQ(status, 0);
}

// Texts of any length load, so a circuit that loads can make a file too large to load again
// (written out with every key and indented, it grows): saving refuses it, and the old file stays.
TEST(CircuitSave, RefusesAFileTooLargeToLoadAgain) {
    const test_support::ScratchFolder scratch("idrovela-circuit-save");
    const fs::path& folder = scratch.path();
    const fs::path path = folder / "circuito.idrovela";
    std::ofstream(path) << "il circuito di prima";
    circuit::Circuit circuit = circuit::ChainCircuit(0);
    circuit.project.notes.assign(circuit::kMaxFileBytes, 'x');
    std::string message;
    try {
        circuit::SaveCircuit(circuit, catalogues::BuiltInCatalogue(), path, /*sync=*/false);
    } catch (const circuit::CircuitError& error) {
        message = error.what();
    }
    const std::string old = ReadFile(path);
    const auto files = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    EXPECT_NE(message.find("supererebbe i 256 MiB"), std::string::npos) << message;
    EXPECT_EQ(old, "il circuito di prima");
    EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace idrovela::session
