#pragma once

#include <filesystem>
#include <string>

#include "catalogues/catalogue.h"
#include "circuit/circuit.h"

namespace idrovela::circuit {

// The circuit as its file holds it: UTF-8 JSON, two-space indentation, the keys in the format's
// order with every default written out (an automatic tube stays automatic), each number so that
// it reads back to the same double: whole numbers as integers, others in nlohmann-json's short
// form. Writing what was read gives the same text again. Checks nothing.
[[nodiscard]] std::string WriteCircuit(const Circuit& circuit);

// Writes the circuit to `path` atomically: first checked as loading would check it (Solve, and a
// text of at most kMaxFileBytes), then written beside the old file, flushed to the disk (unless
// `sync` is false, for benchmarks), and renamed over it, keeping the old file's permissions. On
// any failure the old file is untouched and CircuitError says why.
void SaveCircuit(const Circuit& circuit, const catalogues::Catalogue& catalogue,
                 const std::filesystem::path& path, bool sync = true);

// Writes `text` to `path` atomically as SaveCircuit does, without any check: for a recovery copy.
void WriteFileAtomically(const std::filesystem::path& path, const std::string& text,
                         bool sync = true);

}  // namespace idrovela::circuit
