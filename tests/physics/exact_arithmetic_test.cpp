#include "physics/exact_arithmetic.h"

#include <gtest/gtest.h>

#include <cmath>

namespace idrovela::physics {
namespace {

// Products and sums whose rounding error is known exactly.
TEST(ExactArithmetic, RoundingErrorsAreRecoveredExactly) {
    const double a = 1.0 + 0x1p-30;
    const TwoDoubles square = TwoProduct(a, a);  // 1 + 2^-29 + 2^-60
    EXPECT_EQ(square.hi, 1.0 + 0x1p-29);
    EXPECT_EQ(square.lo, 0x1p-60);

    const TwoDoubles difference = TwoProduct(0x1p27 + 1.0, 0x1p27 - 1.0);  // 2^54 − 1
    EXPECT_EQ(difference.hi, 0x1p54);
    EXPECT_EQ(difference.lo, -1.0);

    const TwoDoubles sum = TwoSum(1.0, 0x1p-60);
    EXPECT_EQ(sum.hi, 1.0);
    EXPECT_EQ(sum.lo, 0x1p-60);

    const TwoDoubles cancelled = TwoSum(0x1p53, -0x1p53 + 2.0);
    EXPECT_EQ(cancelled.hi, 2.0);
    EXPECT_EQ(cancelled.lo, 0.0);
}

TEST(ExactArithmetic, QuotientCarriesTheDigitsARoundedQuotientLoses) {
    const struct {
        double numerator;
        double divisor;
    } cases[] = {{1.0, 3.0}, {2.51, 95288.172}, {0.045, 3.7}, {1e-100, 7.0}};
    for (const auto& c : cases) {
        const TwoDoubles q = Quotient({c.numerator, 0.0}, c.divisor);
        const long double exact = static_cast<long double>(c.numerator) / c.divisor;
        const long double sum = static_cast<long double>(q.hi) + q.lo;
        EXPECT_NE(q.lo, 0.0) << c.numerator << " / " << c.divisor;
        // Good to the 64 bits of long double, where hi alone is good to 53.
        EXPECT_LE(std::abs(sum - exact), 0x1p-62L * exact) << c.numerator << " / " << c.divisor;
    }
}

}  // namespace
}  // namespace idrovela::physics
