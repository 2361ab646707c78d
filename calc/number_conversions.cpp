#include "calc/number_conversions.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace idrovela {

namespace {

__extension__ using Uint128 = unsigned __int128;

constexpr std::uint64_t kTwoPow63 = std::uint64_t{1} << 63;

// Half to even under the default rounding mode, which the program never changes.
double RoundWhole(double x) {
    if (!std::isfinite(x)) {
        Raise(ErrorCode::Overflow);
    }
    return std::nearbyint(x);
}

}  // namespace

Integer DoubleToInteger(double x) {
    const double whole = RoundWhole(x);
    if (whole < Integer::kMin || whole > Integer::kMax) {
        Raise(ErrorCode::Overflow);
    }
    return Integer(static_cast<std::int16_t>(whole));
}

Long DoubleToLong(double x) {
    const double whole = RoundWhole(x);
    if (whole < Long::kMin || whole > Long::kMax) {
        Raise(ErrorCode::Overflow);
    }
    return Long(static_cast<std::int32_t>(whole));
}

Currency DoubleToCurrency(double x) {
    if (!std::isfinite(x)) {
        Raise(ErrorCode::Overflow);
    }
    if (x == 0.0) {
        return Currency{};
    }
    // x = mantissa * 2^exponent exactly, with a 53-bit whole mantissa; then the count of
    // ten-thousandths is mantissa * 10000 * 2^exponent, rounded half to even.
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(x), &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int exponent = binaryExponent - 53;
    const Uint128 scaled = Uint128{mantissa} * Currency::kScale;  // below 2^67

    const std::uint64_t limit = x < 0.0 ? kTwoPow63 : kTwoPow63 - 1;
    Uint128 magnitude = 0;
    if (exponent >= 0) {
        if (exponent > 63 || scaled > (Uint128{limit} >> exponent)) {
            Raise(ErrorCode::Overflow);
        }
        magnitude = scaled << exponent;
    } else if (exponent > -100) {
        const int shift = -exponent;
        magnitude = scaled >> shift;
        const Uint128 remainder = scaled - (magnitude << shift);
        const Uint128 half = Uint128{1} << (shift - 1);
        if (remainder > half || (remainder == half && (magnitude & 1U) != 0)) {
            ++magnitude;
        }
    }  // else: far below half a ten-thousandth, so zero
    if (magnitude > limit) {
        Raise(ErrorCode::Overflow);
    }
    const auto count = static_cast<std::uint64_t>(magnitude);
    return Currency::fromCount(x < 0.0 ? static_cast<std::int64_t>(0 - count)
                                       : static_cast<std::int64_t>(count));
}

double RoundToDigits(double x, int digits) {
    if (!std::isfinite(x)) {
        Raise(ErrorCode::Overflow);
    }
    if (digits < 0) {
        Raise(ErrorCode::InvalidProcedureCall);
    }
    // The fixed notation of to_chars is the exact value rounded half to even at the last digit
    // written; reading it back gives the nearest Double to that decimal.
    std::string buffer(static_cast<std::size_t>(330 + digits), '\0');
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                       std::chars_format::fixed, digits);
    if (written.ec != std::errc{}) {
        Raise(ErrorCode::Overflow);
    }
    double rounded = 0.0;
    std::from_chars(buffer.data(), written.ptr, rounded);
    return rounded;
}

}  // namespace idrovela
