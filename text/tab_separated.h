#pragma once

#include <string>
#include <string_view>

namespace idrovela::text {

// A text as one cell of tab-separated lines, for a spreadsheet: its tabs and line breaks become
// spaces, so that it stays in its cell.
[[nodiscard]] std::string TabSeparatedCell(std::string_view text);

}  // namespace idrovela::text
