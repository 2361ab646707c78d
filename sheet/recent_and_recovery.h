#pragma once

// The files around a circuit window: the list of recent circuits, and the recovery copy of a
// circuit with unsaved changes, which a later start offers back after a crash.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/catalogue.h"
#include "circuit/circuit.h"
#include "circuit/load.h"

namespace idrovela::sheet {

// ---- Recent circuits ----

inline constexpr std::size_t kRecentCircuits = 8;

// The list with `path` first: once only, at most kRecentCircuits, the oldest dropped.
[[nodiscard]] std::vector<std::string> Remember(std::vector<std::string> recent,
                                                const std::string& path);
// The list without `path`.
[[nodiscard]] std::vector<std::string> Forget(std::vector<std::string> recent,
                                              const std::string& path);
// A menu entry: "&1 villetta.idrovela", the number its mnemonic, an "&" of the name doubled.
[[nodiscard]] std::string RecentEntry(std::size_t index, const std::string& path);

// ---- Recovery ----

// Where recovery copies go: $XDG_STATE_HOME/idrovela, or $HOME/.local/state/idrovela when
// XDG_STATE_HOME is unset, empty or relative; none without an absolute HOME either. On Windows
// %LOCALAPPDATA%\idrovela, or none when LOCALAPPDATA is not an absolute path. `getenv` as
// std::getenv, but in UTF-8.
[[nodiscard]] std::optional<std::filesystem::path> RecoveryDir(
    const std::function<const char*(const char*)>& getenv);

// The name of the `n`th recovery copy of the program running as process `pid`.
[[nodiscard]] std::string RecoveryFileName(long long pid, std::size_t n);
[[nodiscard]] bool IsRecoveryFile(const std::filesystem::path& path);

// A recovery copy: a header line, the file the circuit was loaded from or saved to (empty for
// none), then the circuit's file text.
[[nodiscard]] std::string RecoveryText(const circuit::Circuit& circuit,
                                       const std::optional<std::filesystem::path>& file);
struct Recovered {
    circuit::LoadedCircuit loaded;
    std::optional<std::filesystem::path> file;
};
// Reads a recovery copy's text; CircuitError when it is not one, or with the engine's message.
[[nodiscard]] Recovered ReadRecovery(std::string_view text, const catalogues::Catalogue& catalogue);
// What the program asks at start-up of a recovery copy.
[[nodiscard]] std::string RecoveryQuestion(const Recovered& recovered);

}  // namespace idrovela::sheet
