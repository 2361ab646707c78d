#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "catalogues/catalogue.h"
#include "circuit/load.h"

namespace idrovela::session {

// The session actions of circuits:
//   circuit PATH        load and work out a circuit file, and print the sheet
//   circuit-save PATH   write the loaded circuit, normalised
//   circuit-csv PATH    write the loaded circuit's segment and terminal tables as CSV
// PATH is the rest of the line. A fault prints `circuit.error=MESSAGE` and leaves nothing loaded;
// the session goes on.
class CircuitActions {
  public:
    // `catalogue` gives the series tubes come from: those of `pipes`.
    CircuitActions(std::ostream& out, std::function<const catalogues::Catalogue&()> catalogue);

    // Whether `action` was one of the above (then it ran).
    bool Run(std::string_view action, std::string_view arguments);

  private:
    void Load(std::string_view path);
    void Save(std::string_view path);
    void WriteCsv(std::string_view path);

    std::ostream& out_;
    std::function<const catalogues::Catalogue&()> catalogue_;
    std::optional<circuit::LoadedCircuit> loaded_;
};

// What `circuit` prints for a loaded circuit: its lines, each ending in a line break.
[[nodiscard]] std::string CircuitLines(const circuit::LoadedCircuit& loaded);

}  // namespace idrovela::session
