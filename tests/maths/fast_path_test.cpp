// The fast paths' error bounds, measured against the slow path: the rounding test is only as
// sound as the bound it is given.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "maths/big_float.h"
#include "maths/cores.h"
#include "maths/slow_path.h"

namespace idrovela::maths::detail {
namespace {

// |fast − slow| / |slow|, to double precision.
double RelativeError(DoubleDouble fast, int exponent, const BigFloat& slow) {
    const BigFloat fastBig = Scaled(Add(BigFromDouble(fast.hi), BigFromDouble(fast.lo)), exponent);
    const BigFloat difference = Subtract(fastBig, slow);
    if (difference.IsZero()) {
        return 0.0;
    }
    const double ratio =
        Approximate(Scaled(difference, -slow.exponent)) / Approximate(Scaled(slow, -slow.exponent));
    return ratio < 0.0 ? -ratio : ratio;
}

double Draw(std::mt19937_64& generator, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(generator);
}

TEST(FastPathBounds, ExpCoreStaysWithinItsBound) {
    std::mt19937_64 generator(27);
    double worst = 0.0;
    for (int i = 0; i < 3000; ++i) {
        const double x = i % 3 == 0 ? Draw(generator, -745.0, 709.0)
                                    : Draw(generator, -1.0, 1.0) * (i % 3 == 1 ? 1e-3 : 50.0);
        const ScaledDoubleDouble fast = ExpCore({x, 0.0});
        const double error = RelativeError(fast.value, fast.exponent, ExpBig(BigFromDouble(x)));
        worst = error > worst ? error : worst;
    }
    RecordProperty("worst", std::to_string(worst));
    EXPECT_LT(worst, kExpCoreError / 2.0);
}

// Arguments of every kind for the logarithm: any positive double, near 1 where no table term
// may cancel, the bucket edges around 1,5 and 0,75 where e moves, the program's range.
double LogArgument(std::mt19937_64& generator, int i) {
    double x = 0.0;
    switch (i % 4) {
        case 0:
            do {
                x = std::bit_cast<double>(generator() >> 1);
            } while (!(x > 0.0) || x > 1.7e308);
            return x;
        case 1:
            return 1.0 + Draw(generator, -1.0, 1.0) * 0x1p-8;
        case 2:
            return (i % 8 == 2 ? 1.5 : 0.75) * (1.0 + Draw(generator, -1.0, 1.0) * 0x1p-9);
        default:
            return Draw(generator, 1e-3, 1e9);
    }
}

TEST(FastPathBounds, LogCoreStaysWithinItsBound) {
    std::mt19937_64 generator(28);
    double worst = 0.0;
    for (int i = 0; i < 1500; ++i) {
        const double x = LogArgument(generator, i);
        const DoubleDouble fast = LogCore({x, 0.0});
        const double error = RelativeError(fast, 0, LogBig(BigFromDouble(x), fast));
        worst = error > worst ? error : worst;
    }
    RecordProperty("worst", std::to_string(worst));
    EXPECT_LT(worst, kLogCoreError / 2.0);
}

TEST(FastPathBounds, QuickLogStaysWithinHalfItsBound) {
    std::mt19937_64 generator(29);
    for (int i = 0; i < 1500; ++i) {
        const double x = LogArgument(generator, i);
        const BoundedDoubleDouble quick = QuickLogCore(x);
        const BigFloat exact = LogBig(BigFromDouble(x), LogCore({x, 0.0}));
        const double error = RelativeError(quick.value, 0, exact);
        const double magnitude = quick.value.hi < 0.0 ? -quick.value.hi : quick.value.hi;
        EXPECT_LE(error * magnitude, quick.error / 4.0) << std::hexfloat << x;
    }
}

}  // namespace
}  // namespace idrovela::maths::detail
