#include "calc/text_conversions.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "tests/support/expect_error.h"

namespace idrovela {
namespace {

const std::string kHugeWhole = "1" + std::string(400, '0');
const std::string kTinyFraction = "0," + std::string(400, '0') + "1";

TEST(TextToDouble, ReadsTheProgramsNumberFormat) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"998,2", 998.2},
        {"1,000", 1.0},
        {"  37 ", 37.0},
        {"\t37", 37.0},
        {"5,", 5.0},
        {",5", 0.5},
        {"-5", -5.0},
        {"+5", 5.0},
        {"13,2", 13.2},
        {"0,045", 0.045},
        {"007", 7.0},
        {"-0,0015", -0.0015},
        {"14251,4285714286", 14251.4285714286},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToDouble(c.text), c.expected) << '"' << c.text << '"';
    }
    EXPECT_EQ(TextToDouble(kTinyFraction), 0.0);
}

TEST(TextConversions, TextThatIsNotANumberRaisesTypeMismatch) {
    const char* const notNumbers[] = {
        "",
        " ",
        ",",
        "-",
        "+,",
        "abc",
        "1,2,3",
        "1.5",
        "--1",
        "1e5",
        "- 1",
        "1 000",
        "0x10",
        "3,5kW",
        "\xC2\xA0"
        "5",
        "5\n",
        "١",
    };
    for (const char* text : notNumbers) {
        EXPECT_RUNTIME_ERROR(TextToDouble(text), ErrorCode::TypeMismatch);
        EXPECT_RUNTIME_ERROR(TextToCurrency(text), ErrorCode::TypeMismatch);
        EXPECT_RUNTIME_ERROR(TextToInteger(text), ErrorCode::TypeMismatch);
    }
}

TEST(TextToDouble, BeyondTheDoubleRangeRaisesOverflow) {
    EXPECT_RUNTIME_ERROR(TextToDouble(kHugeWhole), ErrorCode::Overflow);
    EXPECT_RUNTIME_ERROR(TextToDouble("-" + kHugeWhole), ErrorCode::Overflow);
}

TEST(TextToCurrency, RoundsTheTextsDigitsHalfToEven) {
    const struct {
        std::string text;
        std::int64_t expectedCount;
    } cases[] = {
        {"0,00005", 0},
        {"0,00015", 2},
        {"0,00025", 2},
        {"0,000250000000000000000001", 3},
        {"0,00004999999999999999999", 0},
        {"-0,00015", -2},
        {"2,58", 25800},
        {"1,000", 10000},
        {"998,2", 9982000},
        {"934,777", 9347770},
        {"5,", 50000},
        {"922337203685477,5807", std::numeric_limits<std::int64_t>::max()},
        {"-922337203685477,5808", std::numeric_limits<std::int64_t>::min()},
        {"0000000000000000000000000000000000001", 10000},
        {kTinyFraction, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToCurrency(c.text).count(), c.expectedCount) << '"' << c.text << '"';
    }
}

TEST(TextToCurrency, OutsideTheRangeRaisesOverflow) {
    for (const std::string& text :
         {std::string("922337203685477,5808"), std::string("922337203685477,58075"),
          std::string("-922337203685477,5809"), kHugeWhole}) {
        EXPECT_RUNTIME_ERROR(TextToCurrency(text), ErrorCode::Overflow);
    }
}

TEST(TextToInteger, RoundsTheTextsDigitsHalfToEven) {
    const struct {
        const char* text;
        std::int16_t expected;
    } cases[] = {
        {"37,5", 38},       {"36,5", 36},       {"3,5", 4},  // not the 3,4999... of a Double
        {"32767,4", 32767}, {"-32768", -32768}, {"-32768,5", -32768}, {"36,50000000001", 37},
        {"-2,5", -2},       {"0,5", 0},         {"9976", 9976},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToInteger(c.text).value(), c.expected) << '"' << c.text << '"';
    }
}

TEST(TextToInteger, OutsideTheRangeRaisesOverflow) {
    for (const char* text : {"32767,5", "32768", "-32768,51", "-32769", "99999999999999999999"}) {
        EXPECT_RUNTIME_ERROR(TextToInteger(text), ErrorCode::Overflow);
    }
}

TEST(NumberToText, WritesDoublesWithFifteenSignificantDigits) {
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {998.2, "998,2"},
        {0.0015, "0,0015"},
        {116.0 * 860.0 / 7.0, "14251,4285714286"},
        {9976.0, "9976"},
        {-2.58, "-2,58"},
        {0.1 + 0.2, "0,3"},
        {123456789012345678.0, "123456789012346000"},
        {1e20, "100000000000000000000"},
        {1.5e-7, "0,00000015"},
        {0.0, "0"},
        {-0.0, "0"},
        {0.9999999999999999, "1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberToText(c.value), c.expected) << c.value;
    }
}

TEST(NumberToText, WritesExactTypesWithoutTrailingZeros) {
    EXPECT_EQ(NumberToText(Currency::fromCount(25800)), "2,58");
    EXPECT_EQ(NumberToText(Currency::fromWhole(100)), "100");
    EXPECT_EQ(NumberToText(Currency::fromCount(1)), "0,0001");
    EXPECT_EQ(NumberToText(Currency::fromCount(-5000)), "-0,5");
    EXPECT_EQ(NumberToText(Currency::fromCount(std::numeric_limits<std::int64_t>::min())),
              "-922337203685477,5808");
    EXPECT_EQ(NumberToText(Integer(37)), "37");
    EXPECT_EQ(NumberToText(Integer(-32768)), "-32768");
    EXPECT_EQ(NumberToText(Long(595)), "595");
    EXPECT_EQ(NumberToText(Long(-2147483647 - 1)), "-2147483648");
}

// The Double rounded to 15 significant digits, by the standard library's own formatting.
double RoundedToFifteenDigits(double value) {
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    double rounded = 0.0;
    std::from_chars(buffer, written.ptr, rounded);
    return rounded;
}

TEST(NumberToText, ReadsBackAsTheValueItWrote) {
    std::uint64_t state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 6364136223846793005U + 1442695040888963407U;
        const auto count = static_cast<std::int64_t>(state) >> (i % 64);
        const Currency currency = Currency::fromCount(count);
        ASSERT_EQ(TextToCurrency(NumberToText(currency)), currency) << count;

        // Clearing the lowest exponent bit keeps every pattern finite.
        const auto value = std::bit_cast<double>(state & 0xFFEFFFFFFFFFFFFFU);
        ASSERT_EQ(TextToDouble(NumberToText(value)), RoundedToFifteenDigits(value)) << value;
    }
    for (const int whole : {-32768, -1, 0, 1, 32767}) {
        const Integer integer(static_cast<std::int16_t>(whole));
        EXPECT_EQ(TextToInteger(NumberToText(integer)), integer);
    }
}

}  // namespace
}  // namespace idrovela
