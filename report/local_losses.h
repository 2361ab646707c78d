#pragma once

// Every fitting and valve of a circuit on a line of its own, with what it loses at its segment's
// flow, for a reader who has only the report or the CSV: the engine's own figures
// (circuit::LocalLossesAt, circuit::KvLossPa), so that a segment's lines add up to its Z and
// valve columns.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "circuit/solve.h"
#include "columns/columns.h"

namespace idrovela::report {

// What the "tipo" cell says of a line that is not a library fitting.
inline constexpr const char* kCustomZetaType = "zeta";
inline constexpr const char* kValveType = "valvola";

struct LocalLossLine {
    std::size_t segment = 0;            // into the circuit's segments
    std::string type;                   // the library key, kCustomZetaType or kValveType
    std::string description;            // the library's name for a key, else the file's description
    std::optional<double> zeta;         // ζ of one fitting; none for a valve
    std::optional<std::int64_t> count;  // how many; none for a valve, which is one
    std::optional<double> kv;           // m³/h; a valve's only
    double lossPa = 0.0;  // numero·ζ·ρ·w²/2, or (ρ/1000)·(V̇/Kv)²·10⁵, at the segment's flow
};

// The lines in file order: each segment's fittings as the file lists them, then its valves.
[[nodiscard]] std::vector<LocalLossLine> LocalLossLines(const circuit::Circuit& circuit,
                                                        const circuit::Solution& solution);

// The table's columns: the CSV heads them with the captions, the report with the names over the
// units.
inline constexpr std::size_t kLocalLossColumns = 7;
[[nodiscard]] const std::array<columns::ColumnInfo, kLocalLossColumns>& LocalLossColumns();

// A line's cells, as both the report and the CSV show them: ζ and Kv as given, to 4 decimals at
// most; the loss to a tenth of a pascal, so that small fittings do not all read 0; "–" for what
// a line does not have.
[[nodiscard]] std::array<std::string, kLocalLossColumns> LocalLossCells(
    const circuit::Circuit& circuit, const LocalLossLine& line);

}  // namespace idrovela::report
