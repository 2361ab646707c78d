#include <gtest/gtest.h>

#include <cstdint>

#include "calc/module_calcoli.h"
#include "calc/number_conversions.h"
#include "calc/text_conversions.h"
#include "tests/support/expect_error.h"
#include "tests/support/values.h"

namespace idrovela::Module_Calcoli {
namespace {

using test::C;
using test::I;

TEST(CalcolaReynolds, MultipliesByGravityAndUsesTheViscosityUnscaled) {
    const struct {
        const char* velocity;
        const char* density;
        const char* viscosity;
        std::int16_t diameter;
        const char* expected;
    } cases[] = {
        {"2,58", "998,2", "1", 37, "934,77696732"},
        {"2,58", "1000", "1,556", 37, "601,83971722365"},
        {"2,58", "971,8", "0,3527", 37, "2580,25050944145"},
        {"1", "998,2", "1", 20, "195,84684"},
        {"0", "998,2", "1", 37, "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberToText(
                      CalcolaReynolds(C(c.velocity), C(c.density), C(c.viscosity), I(c.diameter))),
                  c.expected)
            << c.velocity << " m/s, " << c.diameter << " mm";
    }
    EXPECT_RUNTIME_ERROR(CalcolaReynolds(C("2,58"), C("998,2"), C("0"), I(37)),
                         ErrorCode::DivisionByZero);
    EXPECT_RUNTIME_ERROR(CalcolaReynolds(C("0"), C("998,2"), C("0"), I(37)), ErrorCode::Overflow);
}

TEST(CalcolaLambda, FirstMultipleOfTheStepPastTheRoot) {
    const struct {
        const char* roughness;
        std::int16_t diameter;
        const char* reynolds;
        const char* expected;
    } cases[] = {
        {"0,0015", 37, "934,777", "0,0643"}, {"0,007", 37, "934,777", "0,0644"},
        {"0,045", 37, "934,777", "0,065"},   {"0,3", 37, "934,777", "0,069"},
        {"0", 37, "934,777", "0,0643"},      {"0,045", 37, "95000", "0,023"},
        {"0,045", 37, "3000", "0,0447"},     {"0,045", 20, "50000", "0,0271"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberToText(CalcolaLambda(C(c.roughness), I(c.diameter), C(c.reynolds))),
                  c.expected)
            << "eps " << c.roughness << ", D " << c.diameter << ", Re " << c.reynolds;
    }
}

TEST(CalcolaLambda, FaultsRaiseTheirRuntimeErrors) {
    EXPECT_RUNTIME_ERROR(CalcolaLambda(C("0,045"), I(0), C("934,777")), ErrorCode::DivisionByZero);
    EXPECT_RUNTIME_ERROR(CalcolaLambda(C("0"), I(0), C("934,777")), ErrorCode::Overflow);
    EXPECT_RUNTIME_ERROR(CalcolaLambda(C("0,045"), I(37), C("0")), ErrorCode::DivisionByZero);
    // A negative Reynolds number makes the logarithm's argument negative at the first step.
    EXPECT_RUNTIME_ERROR(CalcolaLambda(C("0,045"), I(37), C("-934,777")),
                         ErrorCode::InvalidProcedureCall);
}

TEST(SteppedLambda, CountsItsStepsAndStopsWhereTheDifferenceTurnsNegative) {
    const LambdaStepping stepping = SteppedLambda(C("0,045"), I(37), C("934,777"));
    EXPECT_EQ(stepping.steps, 650);
    EXPECT_EQ(stepping.lambda, C("0,065"));
}

TEST(SteppedLambda, BoundIsTheLastStepAllowed) {
    const LambdaStepping atBound = SteppedLambda(C("0,045"), I(37), C("934,777"), 650);
    EXPECT_EQ(atBound.steps, 650);
    EXPECT_EQ(atBound.lambda, C("0,065"));
    EXPECT_RUNTIME_ERROR(SteppedLambda(C("0,045"), I(37), C("934,777"), 649), ErrorCode::Overflow);
}

TEST(CalcolaLambda, LongSteppingWithinTheBoundKeepsItsResult) {
    // 4 656 369 steps, under the bound of 10 000 000.
    const LambdaStepping stepping = SteppedLambda(C("130"), I(37), C("934,777"));
    EXPECT_EQ(stepping.steps, 4656369);
    EXPECT_EQ(stepping.lambda, C("465,6369"));
    EXPECT_EQ(CalcolaLambda(C("130"), I(37), C("934,777")), C("465,6369"));
}

TEST(CalcolaLambda, RoughnessOfAboutThreeAndAHalfDiametersHasNoRootAndRaisesOverflow) {
    // 2 eps / D = 10^0,87 (about 7,413) is where the root goes to infinity.
    EXPECT_FALSE(ColebrookHasNoRoot(C("130"), I(37), C("934,777")));
    EXPECT_FALSE(ColebrookHasNoRoot(C("137,1"), I(37), C("934,777")));
    EXPECT_TRUE(ColebrookHasNoRoot(C("137,2"), I(37), C("934,777")));
    EXPECT_TRUE(ColebrookHasNoRoot(C("100000"), I(1), C("0,0001")));
    // Outside Re > 0, eps > 0, D > 0 the stepping decides, faults included.
    EXPECT_FALSE(ColebrookHasNoRoot(C("137,2"), I(37), C("0")));
    EXPECT_FALSE(ColebrookHasNoRoot(C("137,2"), I(0), C("934,777")));
    EXPECT_FALSE(ColebrookHasNoRoot(C("0"), I(37), C("934,777")));

    EXPECT_RUNTIME_ERROR(CalcolaLambda(C("137,2"), I(37), C("934,777")), ErrorCode::Overflow);
    EXPECT_RUNTIME_ERROR(CalcolaLambda(C("3707"), I(1000), C("934,777")), ErrorCode::Overflow);
}

TEST(CalcolaLambda, RootBeyondTheBoundRaisesOverflow) {
    // A typed viscosity of 100000 gives Re 0,0093 for the default pipe: the root lies far
    // beyond a friction factor of 1000, which the stepping would take days to reach.
    const double reynolds = CalcolaReynolds(C("2,58"), C("998,2"), C("100000"), I(37));
    EXPECT_RUNTIME_ERROR(CalcolaLambda(C("0,045"), I(37), DoubleToCurrency(reynolds)),
                         ErrorCode::Overflow);
}

TEST(CalcolaPerdita, DarcyWeisbachWithTheFixedDensity) {
    EXPECT_EQ(CalcolaPerdita(C("0,065"), C("2,58"), I(37)).value(), 595);
    EXPECT_EQ(CalcolaPerdita(C("0,065"), C("1"), I(20)).value(), 165);
    EXPECT_EQ(CalcolaPerdita(C("0,03"), C("0"), I(37)).value(), 0);
    EXPECT_RUNTIME_ERROR(CalcolaPerdita(C("0,065"), C("2,58"), I(0)), ErrorCode::DivisionByZero);
    EXPECT_RUNTIME_ERROR(CalcolaPerdita(C("1000"), C("900000000"), I(1)), ErrorCode::Overflow);
}

TEST(ModuleCalcoli, DefaultWindowChainGives595) {
    const Currency velocity = CalcolaVelocita(C("9976"), I(37));
    EXPECT_EQ(NumberToText(velocity), "2,58");
    const double reynolds = CalcolaReynolds(velocity, C("998,2"), C("1,000"), I(37));
    EXPECT_EQ(NumberToText(reynolds), "934,77696732");
    const Currency numeroreynolds = DoubleToCurrency(reynolds);
    EXPECT_EQ(NumberToText(numeroreynolds), "934,777");
    const LambdaStepping stepping = SteppedLambda(C("0,045"), I(37), numeroreynolds);
    EXPECT_EQ(stepping.steps, 650);
    EXPECT_EQ(NumberToText(stepping.lambda), "0,065");
    EXPECT_EQ(CalcolaPerdita(stepping.lambda, velocity, I(37)).value(), 595);
}

}  // namespace
}  // namespace idrovela::Module_Calcoli
