// `circuit-csv PATH` in idrovela-session: the loaded circuit's tables written, or why not.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "circuit/write.h"
#include "report/circuit_csv.h"
#include "session/session.h"
#include "test_circuits.h"

namespace idrovela::report {
namespace {

namespace fs = std::filesystem;

std::string RunScript(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    EXPECT_EQ(session::RunSession(in, out, err), 0) << err.str();
    return out.str();
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CsvSession : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() /
            ("idrovela-csv-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        circuitFile_ = folder_ / "villetta rossi.idrovela";
        std::ofstream(circuitFile_, std::ios::binary)
            << circuit::WriteCircuit(testing::FiveSegments());
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_;
    fs::path circuitFile_;
};

TEST_F(CsvSession, WritesTheLoadedCircuitsTables) {
    const fs::path csv = folder_ / "tabelle con spazi.csv";
    const std::string out =
        RunScript("circuit " + circuitFile_.string() + "\ncircuit-csv " + csv.string() + "\n");
    EXPECT_NE(out.find("circuit.csv=" + csv.string() + "\n"), std::string::npos) << out;
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    EXPECT_EQ(ReadFile(csv), CircuitCsv(loaded.circuit, loaded.solution));
}

TEST_F(CsvSession, WithoutACircuitOrWhereItCannotWriteItSaysWhy) {
    EXPECT_EQ(RunScript("circuit-csv " + (folder_ / "a.csv").string() + "\n"),
              "circuit.error=Nessun circuito caricato\n");
    EXPECT_FALSE(fs::exists(folder_ / "a.csv"));

    // A circuit that failed to load leaves none loaded.
    std::ofstream(folder_ / "rotto.idrovela") << "{";
    const std::string afterFault = RunScript(
        "circuit " + circuitFile_.string() + "\ncircuit " + (folder_ / "rotto.idrovela").string() +
        "\ncircuit-csv " + (folder_ / "b.csv").string() + "\n");
    EXPECT_NE(afterFault.find("circuit.error=Nessun circuito caricato\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder_ / "b.csv"));

    // A folder in the way: the error, and the folder is as it was.
    fs::create_directories(folder_ / "cartella.csv");
    const std::string out = RunScript("circuit " + circuitFile_.string() + "\ncircuit-csv " +
                                      (folder_ / "cartella.csv").string() + "\n");
    EXPECT_NE(out.find("circuit.error=Impossibile salvare"), std::string::npos) << out;
    EXPECT_EQ(out.find("circuit.csv="), std::string::npos);
    EXPECT_TRUE(fs::is_directory(folder_ / "cartella.csv"));
}

}  // namespace
}  // namespace idrovela::report
