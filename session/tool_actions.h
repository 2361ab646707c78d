#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string_view>

#include "catalogues/catalogue.h"
#include "tools/pipe_table.h"
#include "tools/tool_memory.h"

namespace idrovela::window {
class Form_Principale;
}

namespace idrovela::session {

// The session actions of the tool windows:
//   physics                      the "Verifica fisica" figures
//   fluid KIND PERCENT CELSIUS   what "Applica" of "Proprietà del fluido" does
//   pipes SERIES                 the commercial-pipe table of a series
//   choose SERIES DESIGNATION    what Enter on that row of the table does
//   limits PA_PER_M VELOCITY     the table's two limits
//   catalogues DIR               read the user's catalogues from DIR
class ToolActions {
  public:
    enum class Outcome { NotMine, Ran, Unknown };

    // The user's catalogues are read from `userCatalogueDir` (none: the built-in series only)
    // when a table is first asked for, unless `catalogues DIR` names another folder first.
    ToolActions(window::Form_Principale& form, std::ostream& out, std::ostream& err,
                std::optional<std::filesystem::path> userCatalogueDir);

    // Runs `action` with its arguments when it is one of the above. Unknown: a word of the line
    // was not understood, and a message went to `err`.
    Outcome Run(std::string_view action, std::string_view arguments);
    // After every line of the script, as the tool windows follow every action of the user.
    void AfterEachAction() { memory_.Follow(form_); }

    // The series of the commercial-pipe table and of circuits: read when first asked for.
    const catalogues::Catalogue& Catalogue();

  private:
    Outcome Unknown(std::string_view what, std::string_view name);
    // Unknown("number", text), or for a number written with a dot, how to write it.
    Outcome UnknownNumber(std::string_view text);
    Outcome Fluid(std::string_view arguments);
    Outcome Pipes(std::string_view seriesName);
    Outcome Choose(std::string_view arguments);
    Outcome Limits(std::string_view arguments);

    window::Form_Principale& form_;
    std::ostream& out_;
    std::ostream& err_;
    std::optional<std::filesystem::path> userCatalogueDir_;
    std::optional<catalogues::Catalogue> catalogue_;
    tools::PipeLimits limits_;
    tools::ToolMemory memory_;
};

}  // namespace idrovela::session
