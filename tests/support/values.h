#pragma once

#include <cstdint>
#include <string_view>

#include "calc/numbers.h"
#include "calc/text_conversions.h"

namespace idrovela::test {

// Short spellings for test tables: a Currency as the window writes it, and a whole Integer.
inline Currency C(std::string_view text) {
    return TextToCurrency(text);
}
inline Integer I(std::int16_t value) {
    return Integer(value);
}

}  // namespace idrovela::test
