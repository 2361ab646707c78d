#pragma once

#include <string>
#include <string_view>

#include "calc/numbers.h"

namespace idrovela {

// Reading numbers from a field's text. The text is an optional sign, digits and at most one
// decimal comma, with digits on at least one side of the comma; leading and trailing blanks are
// ignored. Anything else, the empty text included, raises Type mismatch.

// The Double nearest to the number the text spells; beyond the Double range raises Overflow.
[[nodiscard]] double TextToDouble(std::string_view text);

// The number rounded to four decimal places, half to even, exactly from the text's digits.
[[nodiscard]] Currency TextToCurrency(std::string_view text);

// The number rounded to a whole number, half to even, exactly from the text's digits; outside
// the Integer range raises Overflow.
[[nodiscard]] Integer TextToInteger(std::string_view text);

// Writing numbers: decimal comma, no digit grouping, a leading minus sign when negative, no
// decimal part for whole values, no trailing zeros, and a "0" before the comma below 1.

// At most 15 significant digits, rounded half to even; never an exponent.
[[nodiscard]] std::string NumberToText(double value);
// At most the four decimal places.
[[nodiscard]] std::string NumberToText(Currency value);
[[nodiscard]] std::string NumberToText(Integer value);
[[nodiscard]] std::string NumberToText(Long value);

}  // namespace idrovela
