#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>

namespace idrovela::session {

// Drives a freshly created window and its tools with a script of user actions, one per line, and
// prints what they show. The format is read by other tools; see the README for it. Returns 0, or
// 2 after a message on `err` when a line names an unknown action or control. The commercial-pipe
// table reads the user's catalogues from `userCatalogueDir` (none: only the built-in series),
// unless the script names another folder.
int RunSession(std::istream& script, std::ostream& out, std::ostream& err,
               std::optional<std::filesystem::path> userCatalogueDir = std::nullopt);

}  // namespace idrovela::session
