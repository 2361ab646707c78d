#pragma once

// What the circuit window says: its title, its questions, the detail pane's lines for the
// selected segment's terminal, the pump's status lines, the warnings, and what the fittings
// dialog shows as the user types.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/catalogue.h"
#include "circuit/circuit.h"
#include "circuit/solve.h"

namespace idrovela::sheet {

// The circuit's name: its file's name without ".idrovela", or "Senza nome" before the first save.
[[nodiscard]] std::string DocumentName(const std::optional<std::filesystem::path>& file);
// «NAME – Circuito», with "*" after the name while there are unsaved changes.
[[nodiscard]] std::string WindowTitle(const std::optional<std::filesystem::path>& file,
                                      bool modified);
// "Salvare le modifiche a «NAME»?"
[[nodiscard]] std::string SaveQuestion(const std::optional<std::filesystem::path>& file);

// The file name "Salva con nome" proposes for a circuit never saved: its project name, with
// what a file name cannot hold (/ \ : * ? " < > | and control characters) replaced by "_",
// spaces and dots trimmed at either end, and the extension; "Senza nome" without a name.
[[nodiscard]] std::string SuggestedFileName(std::string_view projectName);

// The extension of circuit files, and a path given one if it has none.
inline constexpr std::string_view kExtension = ".idrovela";
[[nodiscard]] std::filesystem::path WithExtension(std::filesystem::path path);

// A line of the detail pane or of the pump's status area: what it is, and its figure with the
// unit.
struct Line {
    std::string label;
    std::string value;
};

// The selected segment's terminal: its load and flow, the device's loss, the total, the excess
// and the balancing Kv (2 decimals). Empty without a terminal.
[[nodiscard]] std::vector<Line> TerminalLines(const circuit::Circuit& circuit,
                                              const circuit::Solution& solution,
                                              std::size_t segment);

// The pump's duty: the flow in l/h and m³/h, the head in kPa and in metres of the circuit's
// fluid, the index circuit, and each margin on a line of its own.
[[nodiscard]] std::vector<Line> PumpLines(const circuit::Circuit& circuit,
                                          const circuit::Solution& solution);

// The sheet's tube cell as the window shows it, the series by its catalogue label: "Rame EN
// 1057 15×1,2 (automatico)".
[[nodiscard]] std::string TubeCellText(const catalogues::Catalogue& catalogue,
                                       const circuit::Segment& segment,
                                       const circuit::SegmentResult& result);

// A warning as the list shows it: "«R1» — text".
[[nodiscard]] std::string WarningLine(const circuit::Circuit& circuit,
                                      const circuit::Warning& warning);

// What a segment's fittings and valves add up to at its flow and velocity, as the dialog shows
// them while the user types: the engine's own sums.
[[nodiscard]] circuit::LocalLosses LocalLossesOf(const circuit::Solution& solution,
                                                 std::size_t segment,
                                                 const std::vector<circuit::Fitting>& fittings,
                                                 const std::vector<circuit::Valve>& valves);

}  // namespace idrovela::sheet
