// The functions against C99 Annex F's special values, the exact and halfway powers, and the
// committed sample of 50-digit references (scripts/check_maths.py --write-sample).

#include "maths/maths.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace idrovela::maths {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMin = 0x1p-1074;

// The same double, sign of zero included, or both NaN.
bool SameDouble(double a, double b) {
    return std::isnan(a) ? std::isnan(b)
                         : std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

std::string Hex(double x) {
    std::ostringstream text;
    text << std::hexfloat << x;
    return text.str();
}

struct UnaryCase {
    const char* function;
    double x;
    double expected;
};

double Call(const std::string& function, double x) {
    if (function == "exp") {
        return Exp(x);
    }
    if (function == "log") {
        return Log(x);
    }
    if (function == "log1p") {
        return Log1p(x);
    }
    return Log10(x);
}

TEST(Maths, UnaryFunctionsGiveCsSpecialValues) {
    const std::vector<UnaryCase> cases = {
        {"exp", kNaN, kNaN},
        {"exp", kInf, kInf},
        {"exp", -kInf, 0.0},
        {"exp", 0.0, 1.0},
        {"exp", -0.0, 1.0},
        {"exp", 0x1p-60, 1.0},
        {"exp", 709.79, kInf},  // just past ln(largest double)
        {"exp", 709.782712893384, 0x1.fffffffffff2ap+1023},
        {"exp", -745.13, kMin},  // the smallest subnormal
        {"exp", -745.14, 0.0},   // below ln(2^-1075)
        {"log", kNaN, kNaN},
        {"log", -1.0, kNaN},
        {"log", -kInf, kNaN},
        {"log", 0.0, -kInf},
        {"log", -0.0, -kInf},
        {"log", 1.0, 0.0},
        {"log", kInf, kInf},
        {"log", kMin, -0x1.74385446d71c3p+9},
        {"log", 0x1.fffffffffffffp+1023, 0x1.62e42fefa39efp+9},
        {"log10", kNaN, kNaN},
        {"log10", -2.0, kNaN},
        {"log10", 0.0, -kInf},
        {"log10", 1.0, 0.0},
        {"log10", 10.0, 1.0},
        {"log10", 1e22, 22.0},  // the largest exact power of ten
        {"log10", kInf, kInf},
        {"log1p", kNaN, kNaN},
        {"log1p", -1.0, -kInf},
        {"log1p", -2.0, kNaN},
        {"log1p", -kInf, kNaN},
        {"log1p", kInf, kInf},
        {"log1p", 0.0, 0.0},
        {"log1p", -0.0, -0.0},
        {"log1p", kMin, kMin},
        {"log1p", -0x1p-60, -0x1p-60},
        {"log1p", 2.0, 0x1.193ea7aad030bp+0},  // ln 3
    };
    for (const UnaryCase& c : cases) {
        const double got = Call(c.function, c.x);
        EXPECT_TRUE(SameDouble(got, c.expected))
            << c.function << "(" << Hex(c.x) << ") = " << Hex(got) << ", want " << Hex(c.expected);
    }
}

struct PowCase {
    double x;
    double y;
    double expected;
};

TEST(Maths, PowGivesAnnexFSpecialValues) {
    const std::vector<PowCase> cases = {
        {kNaN, 0.0, 1.0},
        {kNaN, -0.0, 1.0},
        {1.0, kNaN, 1.0},
        {1.0, -kInf, 1.0},
        {kNaN, 1.0, kNaN},
        {2.0, kNaN, kNaN},
        {-1.0, kInf, 1.0},
        {-1.0, -kInf, 1.0},
        {0.0, -3.0, kInf},
        {-0.0, -3.0, -kInf},
        {-0.0, -2.0, kInf},
        {-0.0, -0.5, kInf},
        {0.0, -kInf, kInf},
        {0.0, 3.0, 0.0},
        {-0.0, 3.0, -0.0},
        {-0.0, 2.0, 0.0},
        {-0.0, 0.5, 0.0},
        {-0.0, kInf, 0.0},
        {0.5, -kInf, kInf},
        {2.0, -kInf, 0.0},
        {0.5, kInf, 0.0},
        {2.0, kInf, kInf},
        {-0.5, kInf, 0.0},
        {-2.0, -kInf, 0.0},
        {-kInf, -3.0, -0.0},
        {-kInf, -2.0, 0.0},
        {-kInf, 3.0, -kInf},
        {-kInf, 2.0, kInf},
        {-kInf, 0.5, kInf},
        {kInf, -1.0, 0.0},
        {kInf, 0.5, kInf},
        {-8.0, 1.0 / 3.0, kNaN},
        {-2.0, 0.5, kNaN},
        {-kInf, -0.5, 0.0},
        // Overflow and underflow keep the sign of an odd power.
        {10.0, 400.0, kInf},
        {-10.0, 401.0, -kInf},
        {10.0, -400.0, 0.0},
        {-10.0, -401.0, -0.0},
        {-2.0, 0x1p53, kInf},
        {0x1p-1074, 0.5, 0x1p-537},
        {0x1p-1074, 2.0, 0.0},
    };
    for (const PowCase& c : cases) {
        const double got = Pow(c.x, c.y);
        EXPECT_TRUE(SameDouble(got, c.expected))
            << "pow(" << Hex(c.x) << ", " << Hex(c.y) << ") = " << Hex(got) << ", want "
            << Hex(c.expected);
    }
}

TEST(Maths, ExactAndHalfwayPowersAreRoundedExactly) {
    const std::vector<PowCase> cases = {
        {10.0, 2.0, 100.0},
        {2.0, -3.0, 0.125},
        {49.0, 0.5, 7.0},
        {10.0, 22.0, 1e22},
        {-2.0, 3.0, -8.0},
        {0x1p-537, 2.0, kMin},
        {2.0, -1074.0, kMin},
        {2.0, 1023.0, 0x1p1023},
        {2.0, 1024.0, kInf},
        {4.0, -0.5, 0.5},
        {81.0, 0.25, 3.0},
        {81.0, 1.5, 729.0},
        // Halfway between two doubles: to the even one.
        {5.0, 23.0, 0x1.52d02c7e14af6p+53},
        {-5.0, 23.0, -0x1.52d02c7e14af6p+53},
        {3.0, 34.0, 0x1.d9fe779881944p+53},
        {7.0, 19.0, 0x1.43f9e0d2d93ecp+53},
        {134217727.0, 2.0, 18014398241046528.0},
        {2.0, -1075.0, 0.0},                      // 2^-1075, halfway between 0 and the least
        {0x1.8p-214, 5.0, 122.0 * kMin},          // 243·2^-1075 between 121 and 122·2^-1074
        {68718952449.0, 1.5, 0x1.fffe80006p+53},  // 262143³, 54 bits
    };
    for (const PowCase& c : cases) {
        const double got = Pow(c.x, c.y);
        EXPECT_TRUE(SameDouble(got, c.expected))
            << "pow(" << Hex(c.x) << ", " << Hex(c.y) << ") = " << Hex(got) << ", want "
            << Hex(c.expected);
    }
}

double ParseHex(const std::string& text) {
    double value = 0.0;
    const bool negative = !text.empty() && text[0] == '-';
    std::string digits = text.substr(negative ? 1 : 0);
    if (digits.rfind("0x", 0) == 0) {
        digits = digits.substr(2);
    }
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                        std::chars_format::hex);
    if (result.ec != std::errc{} || result.ptr != digits.data() + digits.size()) {
        ADD_FAILURE() << "not a hexadecimal double: " << text;
    }
    return negative ? -value : value;
}

TEST(Maths, MatchesTheFiftyDigitReferences) {
    std::ifstream file(IDROVELA_MATHS_REFERENCES);
    ASSERT_TRUE(file) << IDROVELA_MATHS_REFERENCES;
    std::map<std::string, int> checked;
    std::string line;
    int failures = 0;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream words(line);
        std::string function;
        std::string x;
        std::string y;
        std::string expected;
        words >> function >> x;
        if (function == "pow") {
            words >> y;
        }
        words >> expected;
        const double want = ParseHex(expected);
        const double got =
            function == "pow" ? Pow(ParseHex(x), ParseHex(y)) : Call(function, ParseHex(x));
        if (!SameDouble(got, want) && ++failures <= 20) {
            ADD_FAILURE() << line << "\n  got " << Hex(got);
        }
        ++checked[function];
    }
    EXPECT_EQ(failures, 0);
    for (const char* function : {"exp", "log", "log1p", "log10", "pow"}) {
        EXPECT_GE(checked[function], 3000) << function;
    }
}

}  // namespace
}  // namespace idrovela::maths
