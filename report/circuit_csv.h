#pragma once

#include <filesystem>
#include <string>

#include "circuit/circuit.h"
#include "circuit/solve.h"

namespace idrovela::report {

// The segment sheet for a spreadsheet, enough to check the circuit without its file: UTF-8 with a
// byte order mark, ";" between cells, the cells as the sheet shows them (decimal comma, the
// column's decimals, "–" for a figure a row lacks). Four tables, each a line with its name, its
// captions and its rows, with an empty line between them: "Tratti", one row a segment in file
// order, with the segment upstream after the id (empty for one that leaves the source);
// "Terminali", one row a terminal in file order; "Accidenti e valvole", one row a fitting or
// valve (LocalLossLines); "Pompa", one figure a row with its unit, then the index circuit and its
// path. Each cell as text::CsvCell writes it.
[[nodiscard]] std::string CircuitCsv(const circuit::Circuit& circuit,
                                     const circuit::Solution& solution);

// "Esporta CSV…": the CSV written to `path` atomically (circuit::WriteFileAtomically): on any
// failure the old file is untouched and CircuitError says why.
void SaveCircuitCsv(const std::filesystem::path& path, const circuit::Circuit& circuit,
                    const circuit::Solution& solution);

}  // namespace idrovela::report
