#pragma once

// The segment sheet as engineers write it by hand: its columns, with their captions, units,
// decimals and help, and every cell's text, the same in the circuit window, its exports and its
// report.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "circuit/circuit.h"
#include "circuit/solve.h"

namespace idrovela::columns {

struct ColumnInfo {
    std::string_view caption;  // as the sheet heads it: "G [l/h]"
    std::string_view name;     // the quantity alone, for the units row: "G"
    std::string_view unit;     // "l/h"; empty for texts and pure numbers
    int decimals;              // the figures' decimals; -1 for a text column
};

// One row a segment.
enum class SegmentColumn {
    Id,
    Descrizione,
    Carico,      // Φ [W]: the loads of every terminal downstream
    Tubo,        // series and designation, "(automatico)" for a tube chosen by the limits
    Lunghezza,   // l, supply and return
    Portata,     // G
    Diametro,    // d_i
    Velocita,    // w
    R,           // R [Pa/m]
    RL,          // R·l
    Zeta,        // Σζ
    Z,           // Z
    Valvole,     // the valves' loss
    DpTratto,    // the segment's loss
    DpPercorso,  // along the path from the source
};
inline constexpr std::size_t kSegmentColumns = 15;

// One row a terminal.
enum class TerminalColumn {
    Id,           // the segment that carries it
    Descrizione,  // the terminal's
    Carico,       // Φ [W]
    Portata,      // G [l/h]
    DpPercorso,   // the path to it
    DpApparecchio,
    DpTotale,
    Eccedenza,  // what its balancing valve must throttle
    Kv,         // that valve's Kv, 2 decimals
};
inline constexpr std::size_t kTerminalColumns = 9;

[[nodiscard]] const std::array<ColumnInfo, kSegmentColumns>& SegmentColumns();
[[nodiscard]] const std::array<ColumnInfo, kTerminalColumns>& TerminalColumns();
[[nodiscard]] const ColumnInfo& Info(SegmentColumn column);
[[nodiscard]] const ColumnInfo& Info(TerminalColumn column);
// What a segment column holds, in a sentence without its end: the header's tooltip.
[[nodiscard]] std::string_view Help(SegmentColumn column);

// A figure as the sheet shows it: rounded half to even to a fixed number of decimals, with
// exactly that many, and the decimal comma.
[[nodiscard]] std::string FixedFigure(double value, int decimals);

// The figure of a numeric cell, unrounded; none for a text column or a figure the row lacks (an
// index terminal's Kv).
[[nodiscard]] std::optional<double> SegmentValue(const circuit::Circuit& circuit,
                                                 const circuit::Solution& solution,
                                                 std::size_t segment, SegmentColumn column);
[[nodiscard]] std::optional<double> TerminalValue(const circuit::Solution& solution,
                                                  std::size_t segment, TerminalColumn column);

// A cell's text: the figure rounded as its column says, a text as it stands, "–" for a figure
// the row does not have. A terminal's cells are asked of the segment that carries it.
[[nodiscard]] std::string SegmentCell(const circuit::Circuit& circuit,
                                      const circuit::Solution& solution, std::size_t segment,
                                      SegmentColumn column);
[[nodiscard]] std::string TerminalCell(const circuit::Circuit& circuit,
                                       const circuit::Solution& solution, std::size_t segment,
                                       TerminalColumn column);

// The segment upstream, for the report and the CSV, where no tree shows it (the window's sheet
// shows the tree instead, and has no such column). The cell holds the upstream segment's id, and
// is empty for a segment that leaves the source: an id is never empty, so no id reads as that.
[[nodiscard]] const ColumnInfo& UpstreamColumn();
[[nodiscard]] std::string UpstreamCell(const circuit::Circuit& circuit, std::size_t segment);

// The tube of a segment in words: "rame 28×1,5", "rame 15×1,2 (automatico)".
[[nodiscard]] std::string TubeText(const circuit::Segment& segment,
                                   const circuit::SegmentResult& result);

}  // namespace idrovela::columns
