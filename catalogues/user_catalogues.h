#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "catalogues/catalogue.h"

namespace idrovela::catalogues {

// The folder of the user's own series: $XDG_DATA_HOME/idrovela/tubi, or
// $HOME/.local/share/idrovela/tubi when XDG_DATA_HOME is unset, empty or not an absolute path (a
// relative one is ignored, as the XDG Base Directory rules say). Without an absolute HOME either,
// none. On Windows %APPDATA%\idrovela\tubi, or none when APPDATA is not an absolute path (never
// a folder under HOME, which Wine sets to the Unix home). `getenv` looks a variable up, as
// std::getenv does but in UTF-8, so that tests need not touch the real environment.
[[nodiscard]] std::optional<std::filesystem::path> UserCatalogueDir(
    const std::function<const char*(const char*)>& getenv);

// The folder of the user's own emitter models: "emettitori" beside the tube folder `tubeDir`
// ($XDG_DATA_HOME/idrovela/emettitori beside …/tubi).
[[nodiscard]] std::filesystem::path EmitterDirBeside(const std::filesystem::path& tubeDir);

// The built-in series, then one series for every *.csv file in `userDir`, named by the file's
// stem, in name order. A missing folder is no problem; a folder that cannot be read, a *.csv that
// is not a regular file or cannot be read, and a file named as a built-in series (rame.csv) are
// each skipped with a problem. Other files load whatever happens to one. Reads at most
// kMaxBytes + 1 bytes of a file. Never throws.
//
// The emitter models the same way: the built-in files', then those of every *.csv file in the
// folder beside `userDir` (EmitterDirBeside), in name order, their problems apart
// (emitterProblems).
[[nodiscard]] Catalogue LoadCatalogues(const std::optional<std::filesystem::path>& userDir);

}  // namespace idrovela::catalogues
