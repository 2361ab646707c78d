#pragma once

#include <string_view>

#include "circuit/circuit.h"

namespace idrovela::circuit {

// Reads the text of a circuit file (UTF-8 JSON). Checks the JSON itself, the format and version,
// that every key is known and appears once, that every value has its type, and the keys that go
// together (a terminal's one load, at most one device loss; a tube fixed or automatic). The
// values' ranges, the ids and the tree are CheckCircuit's. The first fault found throws
// CircuitError: a fault of the JSON names its line and column, counted in characters from 1; any
// other names the segment and the key.
[[nodiscard]] Circuit ParseCircuit(std::string_view text);

}  // namespace idrovela::circuit
