#include "text/figures.h"

#include <array>
#include <charconv>

#include "calc/number_conversions.h"
#include "calc/text_conversions.h"

namespace idrovela::text {

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
    // Never through printf: the desktop program sets the C locale from the user's environment,
    // and an Italian one would write a comma.
    std::array<char, 32> buffer{};
    constexpr int kDigits = 17;
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::general, kDigits);
    if (error != std::errc{}) {
        return {};  // not reached: 32 characters hold any double at 17 digits
    }
    return {buffer.data(), end};
}

}  // namespace idrovela::text
