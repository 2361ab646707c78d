#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/number_conversions.h"
#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "fuzz/checks.h"

namespace idrovela::fuzz {

namespace {

// Runs one conversion of the text; only Type mismatch and Overflow may end it.
template <typename Conversion>
void ConvertsOrFailsCleanly(const char* name, std::string_view text, Conversion conversion) {
    try {
        static_cast<void>(conversion(text));
    } catch (const RuntimeError& error) {
        if (error.code() != ErrorCode::TypeMismatch && error.code() != ErrorCode::Overflow) {
            throw PropertyBroken(std::string(name) + " raised " + error.what());
        }
    }
}

template <typename Number>
Number Take(const std::uint8_t* data) {
    Number number;
    std::memcpy(&number, data, sizeof number);
    return number;
}

template <typename Number, typename Read>
void ReadsBack(const char* name, Number value, Read read) {
    const std::string text = NumberToText(value);
    if (!(read(text) == value)) {
        throw PropertyBroken(std::string(name) + " does not read back: " + text);
    }
}

// The Double nearest to `value` rounded half to even to 15 significant digits, by the C
// library's own conversions: an independent path from NumberToText's.
double RoundedTo15Digits(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    return std::strtod(buffer, nullptr);
}

void DoubleReadsBackRounded(double value) {
    const std::string written = NumberToText(value);
    const double expected = RoundedTo15Digits(value) + 0.0;  // -0 is written, and read, as 0
    double read = 0;
    try {
        read = TextToDouble(written);
    } catch (const RuntimeError& error) {
        // Within half a unit of the 15th digit of the largest Double, the rounded value lies
        // beyond the Double range: it is written, and reading it back is an Overflow.
        if (error.code() == ErrorCode::Overflow && std::isinf(expected)) {
            return;
        }
        throw PropertyBroken("Double does not read back: " + written + ": " + error.what());
    }
    if (std::memcmp(&read, &expected, sizeof read) != 0) {
        throw PropertyBroken("Double does not read back rounded: " + written);
    }
}

}  // namespace

void CheckTexts(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ConvertsOrFailsCleanly("TextToDouble", text, TextToDouble);
    ConvertsOrFailsCleanly("TextToCurrency", text, TextToCurrency);
    ConvertsOrFailsCleanly("TextToInteger", text, TextToInteger);

    if (size >= sizeof(std::int64_t)) {
        ReadsBack("Currency", Currency::fromCount(Take<std::int64_t>(data)), TextToCurrency);
        ReadsBack("Integer", Integer(Take<std::int16_t>(data)), TextToInteger);
        ReadsBack("Long", Long(Take<std::int32_t>(data)),
                  [](std::string_view t) { return DoubleToLong(TextToDouble(t)); });
        const auto value = Take<double>(data);
        if (std::isfinite(value)) {
            DoubleReadsBackRounded(value);
        }
    }
}

}  // namespace idrovela::fuzz
