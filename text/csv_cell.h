#pragma once

#include <string>
#include <string_view>

namespace idrovela::text {

// A cell as the program's CSV files write it: a cell holding ";", a quote or a line break is
// quoted, its quotes doubled. A text a spreadsheet would run as a formula (one starting with
// "=", "+", "@", a tab or a carriage return, or with "-" without being a figure such as
// "-12,5") gets an apostrophe in front, so that a description typed in a shared file is shown,
// not run.
[[nodiscard]] std::string CsvCell(std::string_view text);

}  // namespace idrovela::text
