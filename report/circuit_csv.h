#pragma once

#include <filesystem>
#include <string>

#include "circuit/circuit.h"
#include "circuit/solve.h"

namespace idrovela::report {

// The segment sheet for a spreadsheet: UTF-8 with a byte order mark, ";" between cells, the
// cells as the sheet shows them (decimal comma, the column's decimals, "–" for a figure a row
// lacks). A line "Tratti", the segment table's captions and one row a segment in file order; an
// empty line; a line "Terminali", the terminal table's captions and one row a terminal in file
// order. Each cell as text::CsvCell writes it.
[[nodiscard]] std::string CircuitCsv(const circuit::Circuit& circuit,
                                     const circuit::Solution& solution);

// "Esporta CSV…": the CSV written to `path` atomically (circuit::WriteFileAtomically): on any
// failure the old file is untouched and CircuitError says why.
void SaveCircuitCsv(const std::filesystem::path& path, const circuit::Circuit& circuit,
                    const circuit::Solution& solution);

}  // namespace idrovela::report
