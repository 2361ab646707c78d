#pragma once

// The calculation report of a circuit ("relazione di calcolo"), as HTML for a rich-text printer:
// the header, the fluid, the limits and margins, the segment and terminal tables (each with a
// row of units under its captions, in <thead>, so that a printer repeats both on every page),
// every fitting and valve with its loss, the index circuit, the schematic (as pictures the printer
// paints, cut to the page), the pump's duty with the system curve and its points, the formulas,
// the fitting-library entries used with their sources, and the warnings. Figures line up on the
// right; every text from the circuit is escaped.

#include <string>
#include <string_view>

#include "circuit/circuit.h"
#include "circuit/solve.h"
#include "report/schematic_pages.h"

namespace idrovela::report {

// What the report says of itself: given, so that the same circuit gives the same report.
struct ReportHeader {
    std::string date;      // as printed: "14/03/2025"
    std::string version;   // the program's: "1.2.0"
    std::string fileName;  // the circuit's file, for a circuit without a project name; may be empty
};

// Where the system curve goes: an image of this name, which the printer draws.
inline constexpr std::string_view kCurveImage = "curva-impianto";

// The report's title: the project's name, else the file's name, else "Senza nome".
[[nodiscard]] std::string ReportTitle(const circuit::Circuit& circuit, const ReportHeader& header);

// The pictures of the schematic's parts (PlanSchematicPages for `room`), in their order: images
// of these names, each as large as its part at the plan's scale, which the printer draws.
[[nodiscard]] std::string SchematicImage(std::size_t part);

[[nodiscard]] std::string ReportHtml(const circuit::Circuit& circuit,
                                     const circuit::Solution& solution, const ReportHeader& header,
                                     const PageRoom& room = {});

// The fluid in words: "acqua", "glicole etilenico al 30 %".
[[nodiscard]] std::string FluidName(const circuit::Fluid& fluid);

}  // namespace idrovela::report
