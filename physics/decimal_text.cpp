#include "physics/decimal_text.h"

#include <array>
#include <charconv>

namespace idrovela::physics {

namespace {
constexpr int kSignificantDigits = 6;
constexpr std::string_view kMinusSign = "\u2212";
}  // namespace

std::string DecimalText(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::general, kSignificantDigits);
    std::string text;
    if (error != std::errc{}) {
        return text;  // not reached: 32 characters hold any double at six digits
    }
    for (const char* c = buffer.data(); c != end; ++c) {
        if (*c == '.') {
            text += ',';
        } else if (*c == '-') {
            text += kMinusSign;
        } else {
            text += *c;
        }
    }
    return text;
}

std::string QuantityText(double value, std::string_view unit) {
    std::string text = DecimalText(value);
    if (!unit.empty()) {
        text += ' ';
        text += unit;
    }
    return text;
}

}  // namespace idrovela::physics
