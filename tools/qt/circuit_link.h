#pragma once

#include <functional>
#include <optional>
#include <string>

#include "tools/tool_memory.h"

namespace idrovela::tools::qt {

// What the tool windows know of the circuit windows: given to them by the circuit windows, so
// that neither library depends on the other.
struct CircuitLink {
    // Whether a circuit is open to take a tube.
    std::function<bool()> circuitOpen;
    // "Aggiungi al circuito": the tube as a new leaf of the active circuit, at the main window's
    // G; why not, when it was not added.
    std::function<std::optional<std::string>(const ChosenTube&)> addTube;
};

}  // namespace idrovela::tools::qt
