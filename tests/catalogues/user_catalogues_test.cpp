#include "catalogues/user_catalogues.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "catalogues/file_lines.h"
#include "catalogues/tube_row.h"
#include "tests/support/scratch_folder.h"
#include "text/path_text.h"

namespace idrovela::catalogues {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir : public test_support::ScratchFolder {
  public:
    TempDir() : ScratchFolder("idrovela-tubi") {}
};

const std::string kGoodFile = "# Rame speciale\n" + std::string(kHeader) +
                              "\n"
                              "22×1;22;1;20;0,0015\n";

std::vector<std::string> Names(const Catalogue& catalogue) {
    std::vector<std::string> names;
    for (const Series& series : catalogue.series) {
        names.push_back(series.name);
    }
    return names;
}

const std::vector<std::string> kBuiltInNames = {"rame", "acciaio-m", "acciaio-h", "multistrato",
                                                "pex",  "pert",      "ppr-pn20",  "pe100-sdr11"};

std::vector<std::string> BuiltInsThen(std::vector<std::string> user) {
    std::vector<std::string> names = kBuiltInNames;
    names.insert(names.end(), user.begin(), user.end());
    return names;
}

TEST(LoadCatalogues, WithoutAFolderGivesTheBuiltIns) {
    const Catalogue catalogue = LoadCatalogues(std::nullopt);
    EXPECT_EQ(Names(catalogue), kBuiltInNames);
    EXPECT_TRUE(catalogue.problems.empty());
}

TEST(LoadCatalogues, AMissingFolderIsNoProblem) {
    const TempDir dir;
    const Catalogue catalogue = LoadCatalogues(dir.path() / "tubi");
    EXPECT_EQ(Names(catalogue), kBuiltInNames);
    EXPECT_TRUE(catalogue.problems.empty());
}

TEST(LoadCatalogues, AddsTheUsersSeriesByName) {
    const TempDir dir;
    dir.Write("zeta.csv", kGoodFile);
    dir.Write("alfa.csv", kGoodFile);
    dir.Write("alfa-bis.csv", kGoodFile);
    dir.Write("appunti.txt", "non un catalogo");
    dir.Write("maiuscolo.CSV", kGoodFile);
    const Catalogue catalogue = LoadCatalogues(dir.path());
    EXPECT_TRUE(catalogue.problems.empty());
    EXPECT_EQ(Names(catalogue), BuiltInsThen({"alfa", "alfa-bis", "zeta"}));
    const Series* user = catalogue.Find("zeta");
    ASSERT_NE(user, nullptr);
    EXPECT_FALSE(user->builtIn);
    EXPECT_EQ(user->origin, (dir.path() / "zeta.csv").string());
    EXPECT_EQ(user->title, "Rame speciale");
    ASSERT_EQ(user->tubes.size(), 1U);
    EXPECT_EQ(user->tubes[0].innerMm, 20.0);
}

TEST(LoadCatalogues, SkipsWhatCannotBeReadAndLoadsTheRest) {
    const TempDir dir;
    dir.Write("buono.csv", kGoodFile);
    dir.Write("rame.csv", kGoodFile);
    dir.Write("vuoto.csv", "");
    dir.Write("misto.csv", kGoodFile + "15×1;15;1;12;0\n");
    fs::create_directory(dir.path() / "cartella.csv");
    // A FIFO would block a plain read for ever. Windows has neither FIFOs in folders nor, without
    // a privilege, symbolic links: there the other files are read alone.
    const bool fifo = test_support::MakeFifo(dir.path() / "fifo.csv");
    const bool links =
        test_support::MakeSymlink(dir.path() / "manca", dir.path() / "rotto.csv") &&
        test_support::MakeSymlink(dir.path() / "buono.csv", dir.path() / "collegato.csv");

    const Catalogue catalogue = LoadCatalogues(dir.path());
    EXPECT_EQ(Names(catalogue),
              BuiltInsThen(links ? std::vector<std::string>{"buono", "collegato", "misto"}
                                 : std::vector<std::string>{"buono", "misto"}));
    EXPECT_EQ(catalogue.Find("rame")->origin, kBuiltInOrigin);
    EXPECT_EQ(catalogue.Find("misto")->tubes.size(), 1U);

    const auto file = [&](const char* name) { return text::Utf8OfPath(dir.path() / name); };
    struct Expected {
        std::string file;
        int line;
        std::string messagePart;
    };
    std::vector<Expected> expected = {
        {file("cartella.csv"), 0, "è una cartella"},
        {file("fifo.csv"), 0, "non è un file normale"},
        {file("misto.csv"), 4, "«diametro interno [mm]» 12 non torna"},
        {file("rame.csv"), 0, "ha il nome della serie incorporata «rame»"},
        {file("rotto.csv"), 0, "file non leggibile"},
        {file("vuoto.csv"), 0, "file vuoto"},
    };
    std::erase_if(expected, [&](const Expected& e) {
        return (!fifo && e.file == file("fifo.csv")) || (!links && e.file == file("rotto.csv"));
    });
    ASSERT_EQ(catalogue.problems.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Problem& problem = catalogue.problems[i];
        EXPECT_EQ(problem.file, expected[i].file);
        EXPECT_EQ(problem.line, expected[i].line) << problem.file;
        EXPECT_NE(problem.message.find(expected[i].messagePart), std::string::npos)
            << problem.file << ": " << problem.message;
    }
}

TEST(LoadCatalogues, ReadsOnlyUpToTheByteCapOfAHugeFile) {
    const TempDir dir;
    std::string text = kGoodFile;
    for (int row = 0; text.size() <= 2 * kMaxBytes; ++row) {
        text += 't';
        text += std::to_string(row) + std::string(150, 'x') + ";10;1;8;0\n";
    }
    dir.Write("grande.csv", text);
    const Catalogue catalogue = LoadCatalogues(dir.path());
    const Series* series = catalogue.Find("grande");
    ASSERT_NE(series, nullptr);
    EXPECT_LT(series->tubes.size(), kMaxBytes / 150);
    ASSERT_EQ(catalogue.problems.size(), 1U);
    EXPECT_NE(catalogue.problems[0].message.find("supera 1 MiB"), std::string::npos);
}

TEST(LoadCatalogues, APathThatIsNotAFolderIsAProblem) {
    const TempDir dir;
    dir.Write("file-non-cartella", kGoodFile);
    const Catalogue notAFolder = LoadCatalogues(dir.path() / "file-non-cartella");
    EXPECT_EQ(Names(notAFolder), kBuiltInNames);
    ASSERT_EQ(notAFolder.problems.size(), 1U);
    EXPECT_NE(notAFolder.problems[0].message.find("non è una cartella"), std::string::npos);
}

TEST(LoadCatalogues, WhatPermissionsKeepClosedIsAProblem) {
    if (const auto why = test_support::PermissionsStopNothing()) {
        GTEST_SKIP() << *why;
    }
    const TempDir dir;
    const fs::path locked = dir.path() / "chiusa";
    fs::create_directory(locked);
    std::ofstream(locked / "dentro.csv") << kGoodFile;
    fs::permissions(locked, fs::perms::none);
    const Catalogue lockedFolder = LoadCatalogues(locked);
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(Names(lockedFolder), kBuiltInNames);
    ASSERT_EQ(lockedFolder.problems.size(), 1U);
    EXPECT_EQ(lockedFolder.problems[0].file, locked.string());
    EXPECT_NE(lockedFolder.problems[0].message.find("non leggibile"), std::string::npos);

    dir.Write("buono.csv", kGoodFile);
    dir.Write("chiuso.csv", kGoodFile);
    fs::permissions(dir.path() / "chiuso.csv", fs::perms::none);
    const Catalogue lockedFile = LoadCatalogues(dir.path());
    EXPECT_EQ(Names(lockedFile), BuiltInsThen({"buono"}));
    ASSERT_EQ(lockedFile.problems.size(), 1U);
    EXPECT_EQ(lockedFile.problems[0].file, (dir.path() / "chiuso.csv").string());
    EXPECT_EQ(lockedFile.problems[0].message, "file non leggibile");
}

// A getenv that looks variables up in `environment`.
std::function<const char*(const char*)> LookUpIn(
    const std::map<std::string, std::string>& environment) {
    return [&environment](const char* variable) -> const char* {
        const auto found = environment.find(variable);
        return found == environment.end() ? nullptr : found->second.c_str();
    };
}

#ifndef _WIN32
TEST(UserCatalogueDir, FollowsTheXdgRules) {
    const struct {
        const char* name;
        std::map<std::string, std::string> environment;
        std::optional<fs::path> expected;
    } cases[] = {
        {"data home", {{"XDG_DATA_HOME", "/dati"}, {"HOME", "/home/u"}}, "/dati/idrovela/tubi"},
        {"data home without home", {{"XDG_DATA_HOME", "/dati"}}, "/dati/idrovela/tubi"},
        {"home", {{"HOME", "/home/u"}}, "/home/u/.local/share/idrovela/tubi"},
        {"empty data home",
         {{"XDG_DATA_HOME", ""}, {"HOME", "/home/u"}},
         "/home/u/.local/share/idrovela/tubi"},
        {"relative data home",
         {{"XDG_DATA_HOME", "dati"}, {"HOME", "/home/u"}},
         "/home/u/.local/share/idrovela/tubi"},
        {"nothing", {}, std::nullopt},
        {"empty home", {{"HOME", ""}}, std::nullopt},
        {"relative home", {{"HOME", "u"}}, std::nullopt},
        {"relative data home, no home", {{"XDG_DATA_HOME", "dati"}}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UserCatalogueDir(LookUpIn(c.environment)), c.expected) << c.name;
    }
    EXPECT_EQ(UserCatalogueDir(nullptr), std::nullopt);
}
#else
// The user's roaming application data, given in UTF-8; never the HOME Wine sets to a Unix path.
TEST(UserCatalogueDir, IsInTheRoamingAppData) {
    const struct {
        const char* name;
        std::map<std::string, std::string> environment;
        std::optional<std::string> expected;
    } cases[] = {
        {"app data",
         {{"APPDATA", "C:\\Users\\u\\AppData\\Roaming"}, {"HOME", "/home/u"}},
         "C:\\Users\\u\\AppData\\Roaming\\idrovela\\tubi"},
        {"a user's name beyond ASCII",
         {{"APPDATA", "C:\\Users\\Łukasz Δ\\AppData\\Roaming"}},
         "C:\\Users\\Łukasz Δ\\AppData\\Roaming\\idrovela\\tubi"},
        {"XDG and HOME only", {{"XDG_DATA_HOME", "C:\\dati"}, {"HOME", "/home/u"}}, std::nullopt},
        {"empty", {{"APPDATA", ""}}, std::nullopt},
        {"relative", {{"APPDATA", "Roaming"}}, std::nullopt},
        {"no drive", {{"APPDATA", "\\Users\\u"}}, std::nullopt},
        {"a Unix path", {{"APPDATA", "/home/u"}}, std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<fs::path> dir = UserCatalogueDir(LookUpIn(c.environment));
        EXPECT_EQ(dir ? std::optional(text::Utf8OfPath(*dir)) : std::nullopt, c.expected) << c.name;
    }
}
#endif

}  // namespace
}  // namespace idrovela::catalogues
