#pragma once

// The circuit and the main window's calculator, each way: a segment opened in the calculator
// ("Apri nel calcolatore"), and a tube of "Tubi commerciali" added to the circuit ("Aggiungi al
// circuito").

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "catalogues/catalogue.h"
#include "circuit/circuit.h"
#include "circuit/solve.h"
#include "sheet/document.h"
#include "sheet/operations.h"
#include "tools/calculator_setup.h"

namespace idrovela::sheet {

// What the main window is set up with for a segment: the circuit's fluid at its mean temperature,
// its temperature difference as dT, the segment's load as the sheet shows it (whole watts) as P
// in kW, the segment's tube as the sheet shows it (fixed, or the one the limits chose) with its
// series' title, and its flow rounded half to even to whole l/h; with the segment's unrounded
// flow and its R, for what the window cannot hold. Or why the window cannot take it: a flow of
// 0 l/h (its loss would divide by zero) or above the 32 767 l/h its G holds, a bore outside the
// 1 to 1000 mm of its D, or a P whose G by the window's own relation it cannot hold.
[[nodiscard]] std::variant<tools::CalculatorSetUp, std::string> CalculatorSetUpFor(
    const circuit::Circuit& circuit, const circuit::Solution& solution,
    const catalogues::Catalogue& catalogue, std::size_t segment);

// A new segment with `tube` fixed (its series, designation, bore and roughness), no length, and a
// terminal whose flow ("portata") is the main window's G, `flowText` as Text_G shows it; under
// `parent`, or leaving the source. One edit, or why not: a G that is not a number.
[[nodiscard]] Proposal AddTube(const Document& document, std::optional<std::size_t> parent,
                               const tools::ChosenTube& tube, std::string_view flowText);

}  // namespace idrovela::sheet
