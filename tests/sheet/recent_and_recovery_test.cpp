// The files around a circuit window: the recent circuits, and the recovery copies a later start
// offers back.

#include "sheet/recent_and_recovery.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "circuit/write.h"
#include "tests/sheet/sheet_fixture.h"
#include "text/path_text.h"

namespace idrovela::sheet::test {
namespace {

TEST(RecentCircuits, MostRecentFirstOnceAndAtMostEight) {
    std::vector<std::string> recent;
    for (int i = 1; i <= 10; ++i) {
        recent = Remember(recent, "/c/" + std::to_string(i) + ".idrovela");
    }
    ASSERT_EQ(recent.size(), 8u);
    EXPECT_EQ(recent.front(), "/c/10.idrovela");
    EXPECT_EQ(recent.back(), "/c/3.idrovela");
    recent = Remember(recent, "/c/5.idrovela");
    EXPECT_EQ(recent.size(), 8u);
    EXPECT_EQ(recent[0], "/c/5.idrovela");
    EXPECT_EQ(std::count(recent.begin(), recent.end(), "/c/5.idrovela"), 1);
    EXPECT_EQ(Forget(recent, "/c/5.idrovela").size(), 7u);
    EXPECT_EQ(RecentEntry(0, "/home/a/Bar & Co.idrovela"), "&1 Bar && Co.idrovela");
}

TEST(Recovery, TheFolderFollowsTheXdgRules) {
#ifndef _WIN32
    const auto dir = [](const char* state, const char* home) {
        return RecoveryDir([state, home](const char* name) -> const char* {
            return std::string_view(name) == "XDG_STATE_HOME" ? state : home;
        });
    };
    EXPECT_EQ(dir("/s", "/h"), std::filesystem::path("/s/idrovela"));
    EXPECT_EQ(dir("relativa", "/h"), std::filesystem::path("/h/.local/state/idrovela"));
    EXPECT_EQ(dir(nullptr, "/h"), std::filesystem::path("/h/.local/state/idrovela"));
    EXPECT_EQ(dir("", nullptr), std::nullopt);
#else
    // On Windows the local application data, given in UTF-8; never XDG_STATE_HOME or HOME, which
    // Wine sets to a Unix path.
    const auto dir = [](const char* local) -> std::optional<std::string> {
        const auto found = RecoveryDir([local](const char* name) -> const char* {
            return std::string_view(name) == "LOCALAPPDATA" ? local : "/h";
        });
        return found ? std::optional(text::Utf8OfPath(*found)) : std::nullopt;
    };
    EXPECT_EQ(dir("C:\\Users\\Łukasz\\AppData\\Local"),
              "C:\\Users\\Łukasz\\AppData\\Local\\idrovela");
    EXPECT_EQ(dir(nullptr), std::nullopt);
    EXPECT_EQ(dir(""), std::nullopt);
    EXPECT_EQ(dir("relativa"), std::nullopt);
    EXPECT_EQ(dir("/h"), std::nullopt);
#endif
    EXPECT_TRUE(IsRecoveryFile("/s/idrovela/" + RecoveryFileName(1234, 2)));
    EXPECT_FALSE(IsRecoveryFile("/s/idrovela/circuito-1234-2.recupero.lock"));
    EXPECT_FALSE(IsRecoveryFile("/s/idrovela/villetta.idrovela"));
}

TEST(Recovery, ACopyReadsBackWithItsFile) {
    const circuit::Circuit circuit = ThreeRadiators();
    for (const std::optional<std::filesystem::path>& file :
         {std::optional<std::filesystem::path>(),
          std::optional<std::filesystem::path>("/home/a/100% caldo\nnuovo.idrovela")}) {
        const Recovered recovered = ReadRecovery(RecoveryText(circuit, file), *BuiltIn());
        EXPECT_EQ(recovered.file, file);
        EXPECT_EQ(circuit::WriteCircuit(recovered.loaded.circuit), circuit::WriteCircuit(circuit));
    }
    EXPECT_THROW(static_cast<void>(ReadRecovery("{}", *BuiltIn())), circuit::CircuitError);
    EXPECT_THROW(static_cast<void>(ReadRecovery("idrovela-recupero 1\n", *BuiltIn())),
                 circuit::CircuitError);
    EXPECT_THROW(static_cast<void>(ReadRecovery("idrovela-recupero 1\n\n{", *BuiltIn())),
                 circuit::CircuitError);
    const Recovered unnamed = ReadRecovery(RecoveryText(circuit, std::nullopt), *BuiltIn());
    EXPECT_EQ(RecoveryQuestion(unnamed),
              "Idrovela si è chiuso senza salvare le modifiche a «Senza nome». Recuperarle?");
}

}  // namespace
}  // namespace idrovela::sheet::test
