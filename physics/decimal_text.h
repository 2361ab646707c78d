#pragma once

#include <string>
#include <string_view>

namespace idrovela::physics {

// A number for a message: up to six significant digits, a decimal comma and the minus sign
// "−" (U+2212), as in "−10", "1054,31", "8,9" or "1e+100". Never taken from the locale.
[[nodiscard]] std::string DecimalText(double value);

// The number followed by its unit, as in "37 mm"; just the number when the unit is empty.
[[nodiscard]] std::string QuantityText(double value, std::string_view unit);

}  // namespace idrovela::physics
