#pragma once

#include <filesystem>
#include <string_view>

#include "catalogues/catalogue.h"
#include "circuit/circuit.h"
#include "circuit/solve.h"

namespace idrovela::circuit {

// A circuit as read, and what it works out to.
struct LoadedCircuit {
    Circuit circuit;
    Solution solution;
};

// Reads, checks and works out a circuit file's text: all of it, or CircuitError for the first
// fault and nothing at all.
[[nodiscard]] LoadedCircuit LoadCircuitText(std::string_view text,
                                            const catalogues::Catalogue& catalogue);

// The same from a file, which must be a regular file of at most kMaxFileBytes. A file that cannot
// be read, is too large, or is not a regular file (a folder, a FIFO) is refused without reading
// on. Every message names the file: "Impossibile aprire «PATH»: il file è vuoto.".
[[nodiscard]] LoadedCircuit LoadCircuitFile(const std::filesystem::path& path,
                                            const catalogues::Catalogue& catalogue);

// The text of a circuit file, under the same rules, unchecked; a message names the file.
[[nodiscard]] std::string ReadCircuitFile(const std::filesystem::path& path);

}  // namespace idrovela::circuit
