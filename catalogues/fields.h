#pragma once

// The fields of a catalogue row: split at ";", trimmed, and read as numbers with the decimal comma.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace idrovela::catalogues {

inline constexpr char kSeparator = ';';

[[nodiscard]] std::vector<std::string_view> SplitFields(std::string_view line);

// Without blanks (spaces and tabs) at either end.
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);

// A column's name as messages quote it: «diametro esterno [mm]».
[[nodiscard]] std::string ColumnName(std::string_view column);

// The number in a field (TextToDouble: digits, the decimal comma), or why it is not one, naming
// the column.
[[nodiscard]] std::variant<double, std::string> ReadCommaNumber(std::string_view field,
                                                                std::string_view column);

}  // namespace idrovela::catalogues
