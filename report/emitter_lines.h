#pragma once

// What the emitters do and what the plant holds, for the report and the CSV alike: one row a
// terminal with an emitter, and the plant's figures (the lowest supply temperature and the
// terminal that sets it, the water volume, the expansion vessel), each cell as both show it.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "circuit/solve.h"
#include "columns/columns.h"

namespace idrovela::report {

// The emitters table: id, emitter (its catalogue model and sections, else Φn and n), load, output
// at design, return θr, own cooling, flow, and the margin at the circuit's supply and return.
inline constexpr std::size_t kEmitterColumns = 8;
[[nodiscard]] const std::array<columns::ColumnInfo, kEmitterColumns>& EmitterColumns();

// One row a terminal with an emitter, in file order; "–" for what an emitter does not have (θr
// and its cooling when it is insufficient, a margin where the circuit's return is not above the
// room).
[[nodiscard]] std::vector<std::array<std::string, kEmitterColumns>> EmitterRows(
    const circuit::Circuit& circuit, const circuit::Solution& solution);

// The emitter in words: "Modello × 10 elementi" from a catalogue, else "Φn 2 000 W, n 1,3".
[[nodiscard]] std::string EmitterName(const circuit::Emitter& emitter);

// One of the plant's figures: its caption, the value as the sheet writes it and its unit (empty
// for a text, as the terminal that sets the lowest supply).
struct PlantFact {
    std::string caption;
    std::string value;
    std::string unit;
};

// The lowest supply temperature and its terminal (when the circuit has one), the water volume
// with its parts, and the vessel's figures (with a "vaso").
[[nodiscard]] std::vector<PlantFact> PlantFacts(const circuit::Circuit& circuit,
                                                const circuit::Solution& solution);

// What the report says of the emitter model and of the vessel, a paragraph each.
[[nodiscard]] std::string EmitterModelText();
[[nodiscard]] std::string VesselText();

}  // namespace idrovela::report
