#include "tools/display_numbers.h"

#include <array>
#include <cstdio>

#include "calc/number_conversions.h"
#include "calc/text_conversions.h"

namespace idrovela::tools {

std::string Shown(double value, int decimals) {
    return NumberToText(RoundToDigits(value, decimals));
}

std::string Fixed(double value, int decimals) {
    const double rounded = RoundToDigits(value, decimals);
    std::string text = NumberToText(rounded == 0.0 ? 0.0 : rounded);  // never "-0"
    if (decimals > 0) {
        std::size_t comma = text.find(',');
        if (comma == std::string::npos) {
            comma = text.size();
            text += ',';
        }
        text.append(static_cast<std::size_t>(decimals) - (text.size() - comma - 1), '0');
    }
    return text;
}

std::string Exact(double value) {
    std::array<char, 32> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.17g", value);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::string Quoted(const std::string& text) {
    constexpr std::size_t kLongest = 24;
    if (text.size() <= kLongest) {
        return "«" + text + "»";
    }
    // Cut on a character boundary: never inside a UTF-8 sequence.
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return "«" + text.substr(0, cut) + "…»";
}

}  // namespace idrovela::tools
