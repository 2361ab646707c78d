#include "calc/number_conversions.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "calc/text_conversions.h"
#include "tests/support/expect_error.h"

namespace idrovela {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(DoubleToInteger, RoundsHalfToEvenWithinRange) {
    const struct {
        double x;
        std::int16_t expected;
    } cases[] = {
        {37.5, 38},
        {36.5, 36},
        {2.5, 2},
        {-2.5, -2},
        {-0.5, 0},
        {36.981, 37},
        {18.784, 19},
        {32767.4, 32767},
        {-32768.5, -32768},
        {10764.6, 10765},
        {0.49999999999999994, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DoubleToInteger(c.x).value(), c.expected) << c.x;
    }
}

TEST(DoubleToInteger, OutOfRangeOrNotANumberRaisesOverflow) {
    for (const double x : {32767.5, 32768.0, -32768.51, -32769.0, 1e300, kNaN, kInf, -kInf}) {
        EXPECT_RUNTIME_ERROR(DoubleToInteger(x), ErrorCode::Overflow);
    }
}

TEST(DoubleToLong, RoundsHalfToEvenAndChecksRange) {
    EXPECT_EQ(DoubleToLong(594.935).value(), 595);
    EXPECT_EQ(DoubleToLong(0.5).value(), 0);
    EXPECT_EQ(DoubleToLong(1.5).value(), 2);
    EXPECT_EQ(DoubleToLong(116.27906976744185).value(), 116);
    EXPECT_EQ(DoubleToLong(2147483647.4).value(), 2147483647);
    EXPECT_EQ(DoubleToLong(-2147483648.5).value(), -2147483647 - 1);
    EXPECT_RUNTIME_ERROR(DoubleToLong(2147483647.5), ErrorCode::Overflow);
    EXPECT_RUNTIME_ERROR(DoubleToLong(-2147483649.0), ErrorCode::Overflow);
    EXPECT_RUNTIME_ERROR(DoubleToLong(kNaN), ErrorCode::Overflow);
}

TEST(DoubleToCurrency, RoundsTheExactValueHalfToEven) {
    const struct {
        double x;
        std::int64_t expectedCount;
    } cases[] = {
        {934.77696732, 9347770},
        {2.58, 25800},
        {0.06500000000000083, 650},  // lambda after 650 additions of 0,0001
        {0.00015, 1},                // the Double lies just below 0,00015
        {0.03125, 312},              // exactly 312,5 ten-thousandths: to even
        {0.09375, 938},              // exactly 937,5 ten-thousandths: to even
        {-0.03125, -312},
        {-2.58, -25800},
        {1e-300, 0},
        {922337203685477.5, 9223372036854775000},
        {-922337203685477.5, -9223372036854775000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DoubleToCurrency(c.x).count(), c.expectedCount) << c.x;
    }
}

TEST(DoubleToCurrency, OutOfRangeRaisesOverflow) {
    for (const double x : {1e15, -1e15, 922337203685477.625, 1e300, kNaN, kInf}) {
        EXPECT_RUNTIME_ERROR(DoubleToCurrency(x), ErrorCode::Overflow);
    }
}

// The correctly rounded Double of a Currency, read from its exact decimal text.
double NearestDouble(Currency value) {
    std::string text = NumberToText(value);
    for (char& c : text) {
        if (c == ',') {
            c = '.';
        }
    }
    double nearest = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), nearest);
    return nearest;
}

TEST(CurrencyToDouble, GivesTheNearestDoubleOverTheWholeRange) {
    // Counts below and above 2^53, where dividing the count in Double would round twice.
    std::uint64_t state = 0x9E3779B97F4A7C15U;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005U + 1442695040888963407U;
        const int shift = i % 64;
        const auto count = static_cast<std::int64_t>(state >> shift);
        for (const std::int64_t signedCount : {count, -count}) {
            const Currency value = Currency::fromCount(signedCount);
            ASSERT_EQ(value.toDouble(), NearestDouble(value)) << signedCount;
        }
    }
    const Currency extremes[] = {
        Currency::fromCount(std::numeric_limits<std::int64_t>::max()),
        Currency::fromCount(std::numeric_limits<std::int64_t>::min()),
        Currency::fromCount((std::int64_t{1} << 53) + 1),
    };
    for (const Currency value : extremes) {
        EXPECT_EQ(value.toDouble(), NearestDouble(value)) << value.count();
    }
}

TEST(CurrencyArithmetic, IsExactAndRaisesOverflowOutsideTheRange) {
    const Currency step = Currency::fromWhole(1000);
    EXPECT_EQ((Currency::fromCount(1) + step).count(), 10000001);
    EXPECT_EQ((Currency::fromCount(1) - step).count(), -9999999);
    EXPECT_EQ(Currency(Integer(-37)).count(), -370000);
    EXPECT_EQ(Currency(Long(2147483647)).count(), 21474836470000);
    const Currency max = Currency::fromCount(std::numeric_limits<std::int64_t>::max());
    const Currency min = Currency::fromCount(std::numeric_limits<std::int64_t>::min());
    EXPECT_RUNTIME_ERROR(max + Currency::fromCount(1), ErrorCode::Overflow);
    EXPECT_RUNTIME_ERROR(min - Currency::fromCount(1), ErrorCode::Overflow);
    EXPECT_LT(min, max);
}

TEST(RoundToDigits, RoundsTheExactValueHalfToEven) {
    const struct {
        double x;
        int digits;
        double expected;
    } cases[] = {
        {0.125, 2, 0.12},  // exactly halfway: to even
        {0.375, 2, 0.38},
        {-0.125, 2, -0.12},
        {2.675, 2, 2.67},  // the Double lies below 2,675
        {2.5773502691896257, 2, 2.58},
        {0.8842201025753581, 2, 0.88},
        {2.5, 0, 2.0},
        {1e20, 2, 1e20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundToDigits(c.x, c.digits), c.expected) << c.x << " to " << c.digits;
    }
}

}  // namespace
}  // namespace idrovela
