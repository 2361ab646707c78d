#include "calc/text_conversions.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace idrovela {

namespace {

__extension__ using Uint128 = unsigned __int128;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number as the text spells it, split at the decimal comma.
struct DecimalText {
    bool negative = false;
    std::string_view wholeDigits;
    std::string_view fractionDigits;
};

bool AllDigits(std::string_view digits) {
    for (const char c : digits) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

DecimalText Parse(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    DecimalText parsed;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        parsed.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t comma = text.find(',');
    parsed.wholeDigits = text.substr(0, comma);
    if (comma != std::string_view::npos) {
        parsed.fractionDigits = text.substr(comma + 1);
    }
    if ((parsed.wholeDigits.empty() && parsed.fractionDigits.empty()) ||
        !AllDigits(parsed.wholeDigits) || !AllDigits(parsed.fractionDigits)) {
        Raise(ErrorCode::TypeMismatch);
    }
    return parsed;
}

// The magnitude of the number rounded to `decimals` places, half to even, as a whole count of
// units of the last place; raises Overflow once the count passes `limit`.
std::uint64_t RoundedMagnitude(const DecimalText& number, std::size_t decimals,
                               std::uint64_t limit) {
    Uint128 count = 0;
    const auto addDigit = [&](char digit) {
        count = count * 10U + static_cast<unsigned>(digit - '0');
        if (count > limit) {
            Raise(ErrorCode::Overflow);
        }
    };
    for (const char digit : number.wholeDigits) {
        addDigit(digit);
    }
    const std::string_view fraction = number.fractionDigits;
    for (std::size_t i = 0; i < decimals; ++i) {
        addDigit(i < fraction.size() ? fraction[i] : '0');
    }
    if (fraction.size() > decimals) {
        const char firstDropped = fraction[decimals];
        const bool restNonZero =
            fraction.find_first_not_of('0', decimals + 1) != std::string_view::npos;
        const bool roundUp = firstDropped > '5' || (firstDropped == '5' && restNonZero) ||
                             (firstDropped == '5' && !restNonZero && (count & 1U) != 0);
        if (roundUp) {
            ++count;
            if (count > limit) {
                Raise(ErrorCode::Overflow);
            }
        }
    }
    return static_cast<std::uint64_t>(count);
}

std::string StripTrailingZeros(std::string digits) {
    const std::size_t last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
    return digits;
}

// Joins a whole part and a fraction into the program's number format.
std::string Compose(bool negative, std::string_view whole, const std::string& fraction) {
    std::string text;
    if (negative) {
        text += '-';
    }
    text += whole;
    const std::string kept = StripTrailingZeros(fraction);
    if (!kept.empty()) {
        text += ',';
        text += kept;
    }
    return text;
}

}  // namespace

double TextToDouble(std::string_view text) {
    const DecimalText number = Parse(text);
    std::string plain;
    plain.reserve(number.wholeDigits.size() + number.fractionDigits.size() + 3);
    plain += number.wholeDigits.empty() ? std::string_view("0") : number.wholeDigits;
    plain += '.';
    plain += number.fractionDigits.empty() ? std::string_view("0") : number.fractionDigits;

    double value = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Out of range is an overflow when the whole part has a significant digit; otherwise
        // the number is below the smallest Double and underflows to zero.
        const bool large = number.wholeDigits.find_first_not_of('0') != std::string_view::npos;
        if (large) {
            Raise(ErrorCode::Overflow);
        }
        value = 0.0;
    } else if (error != std::errc{} || end != plain.data() + plain.size()) {
        Raise(ErrorCode::TypeMismatch);
    }
    return number.negative ? -value : value;
}

Currency TextToCurrency(std::string_view text) {
    const DecimalText number = Parse(text);
    constexpr std::uint64_t kMaxPositive = static_cast<std::uint64_t>(INT64_MAX);
    const std::uint64_t magnitude =
        RoundedMagnitude(number, 4, number.negative ? kMaxPositive + 1 : kMaxPositive);
    return Currency::fromCount(number.negative ? static_cast<std::int64_t>(0 - magnitude)
                                               : static_cast<std::int64_t>(magnitude));
}

Integer TextToInteger(std::string_view text) {
    const DecimalText number = Parse(text);
    const auto limit = static_cast<std::uint64_t>(number.negative ? -std::int32_t{Integer::kMin}
                                                                  : std::int32_t{Integer::kMax});
    const auto magnitude = static_cast<std::int32_t>(RoundedMagnitude(number, 0, limit));
    return Integer(static_cast<std::int16_t>(number.negative ? -magnitude : magnitude));
}

std::string NumberToText(double value) {
    if (value == 0.0 || !std::isfinite(value)) {
        return "0";
    }
    // d.dddddddddddddde±x: the exact value rounded half to even to 15 significant digits.
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const bool negative = scientific.front() == '-';
    const std::size_t mantissaStart = negative ? 1 : 0;
    const std::size_t exponentMark = scientific.find('e');

    std::string digits;
    for (std::size_t i = mantissaStart; i < exponentMark; ++i) {
        if (scientific[i] != '.') {
            digits += scientific[i];
        }
    }
    int exponent = 0;
    const char* exponentBegin = scientific.data() + exponentMark + 1;
    if (*exponentBegin == '+') {
        ++exponentBegin;
    }
    std::from_chars(exponentBegin, scientific.data() + scientific.size(), exponent);

    if (exponent < 0) {
        const std::string fraction(static_cast<std::size_t>(-exponent - 1), '0');
        return Compose(negative, "0", fraction + digits);
    }
    const auto wholeLength = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() < wholeLength) {
        digits.append(wholeLength - digits.size(), '0');
    }
    return Compose(negative, std::string_view(digits).substr(0, wholeLength),
                   digits.substr(wholeLength));
}

std::string NumberToText(Currency value) {
    const std::int64_t count = value.count();
    const std::uint64_t magnitude =
        count < 0 ? 0 - static_cast<std::uint64_t>(count) : static_cast<std::uint64_t>(count);
    const auto scale = static_cast<std::uint64_t>(Currency::kScale);
    std::string fraction = std::to_string(magnitude % scale);
    fraction.insert(0, 4 - fraction.size(), '0');
    return Compose(count < 0, std::to_string(magnitude / scale), fraction);
}

std::string NumberToText(Integer value) {
    return std::to_string(value.value());
}

std::string NumberToText(Long value) {
    return std::to_string(value.value());
}

}  // namespace idrovela
