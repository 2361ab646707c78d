#pragma once

// "Copia" in the circuit window: the selected rows of the sheet on the clipboard, as "Copia i
// valori" puts the main window's figures there: tab-separated lines for a spreadsheet, and an
// HTML table for a document. The sheet's captions first, then one line a segment, each cell as
// the sheet shows it (SegmentCell).

#include <cstddef>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "circuit/solve.h"
#include "sheet/tree.h"

namespace idrovela::sheet {

// The segments in the order the sheet lists them, each before those downstream of it, siblings
// in file order; each once.
[[nodiscard]] std::vector<std::size_t> InSheetOrder(const SegmentTree& tree,
                                                    const std::vector<std::size_t>& segments);

// Tabs and line breaks inside a text become spaces, so that every cell stays in its place.
[[nodiscard]] std::string RowsAsTabSeparated(const circuit::Circuit& circuit,
                                             const circuit::Solution& solution,
                                             const std::vector<std::size_t>& segments);
// Every text escaped; figures on the right.
[[nodiscard]] std::string RowsAsHtmlTable(const circuit::Circuit& circuit,
                                          const circuit::Solution& solution,
                                          const std::vector<std::size_t>& segments);

}  // namespace idrovela::sheet
