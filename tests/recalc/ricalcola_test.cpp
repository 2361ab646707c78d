// The recalculation over plain fields that run no change handlers, so that each search's own
// result, writes and work can be seen apart from the window's cascades.

#include "recalc/ricalcola.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "calc/text_conversions.h"
#include "tests/support/expect_error.h"
#include "tests/support/values.h"

namespace idrovela::recalc {
namespace {

using test::C;

class PlainFields final : public RecalcWindow {
  public:
    explicit PlainFields(Mode mode) : mode_(mode) {}

    const std::string& Text(Field field) const override { return texts_.at(field); }
    void SetText(Field field, const std::string& text) override {
        writes.emplace_back(field, text);
        texts_[field] = text;
    }
    bool Selected(Mode mode) const override { return mode == mode_; }
    void SetNumeroReynolds(Currency value) override { reynolds = value; }
    void CountEvaluation() override { ++evaluations; }
    void CountLambdaSteps(std::int64_t steps) override { lambdaSteps += steps; }
    void CountColebrookDifferences(std::int64_t count) override { differences += count; }

    void Set(Field field, std::string text) { texts_[field] = std::move(text); }

    std::vector<std::pair<Field, std::string>> writes;
    Currency reynolds;
    std::int64_t evaluations = 0;
    std::int64_t lambdaSteps = 0;
    std::int64_t differences = 0;

  private:
    Mode mode_;
    // The window's values after start-up.
    std::map<Field, std::string> texts_ = {
        {Field::D, "37"},     {Field::V, "2,58"},    {Field::Y, "100"},
        {Field::G, "9976"},   {Field::P, "116"},     {Field::dT, "10"},
        {Field::Mu, "1,000"}, {Field::Rho, "998,2"}, {Field::Epsilon, "0,045"},
    };
};

using Writes = std::vector<std::pair<Field, std::string>>;

TEST(LossMode, DefaultsGive595AndKeepTheReynoldsNumber) {
    PlainFields fields(Mode::Perdita);
    fields.Set(Field::Y, "1");
    Ricalcola(fields);
    EXPECT_EQ(fields.writes, (Writes{{Field::Y, "595"}}));
    EXPECT_EQ(fields.reynolds, C("934,777"));
    EXPECT_EQ(fields.evaluations, 1);
    EXPECT_EQ(fields.lambdaSteps, 650);
}

TEST(LossMode, ErrorsLeaveTheLossAsItWas) {
    struct Case {
        Field field;
        const char* text;
        ErrorCode error;
    };
    const Case cases[] = {
        {Field::V, "0", ErrorCode::DivisionByZero},  // Reynolds number 0
        {Field::D, "", ErrorCode::TypeMismatch},    {Field::D, "40000", ErrorCode::Overflow},
        {Field::Mu, "x", ErrorCode::TypeMismatch},  {Field::Mu, "0", ErrorCode::DivisionByZero},
        {Field::Rho, "", ErrorCode::TypeMismatch},  {Field::Epsilon, ",", ErrorCode::TypeMismatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PlainFields fields(Mode::Perdita);
        fields.Set(c.field, c.text);
        EXPECT_RUNTIME_ERROR(Ricalcola(fields), c.error);
        EXPECT_TRUE(fields.writes.empty());
    }
}

TEST(LossMode, CountsTheDifferencesOfAFrictionFactorThatRaised) {
    PlainFields fields(Mode::Perdita);
    fields.Set(Field::V, "0");  // the first difference divides by the Reynolds number 0
    EXPECT_RUNTIME_ERROR(Ricalcola(fields), ErrorCode::DivisionByZero);
    EXPECT_EQ(fields.differences, 1);
    EXPECT_EQ(fields.lambdaSteps, 0);
}

TEST(LossMode, FirstFailingConversionDecides) {
    // Diameter first, then viscosity, density and roughness.
    PlainFields fields(Mode::Perdita);
    fields.Set(Field::Rho, "x");
    fields.Set(Field::Mu, "0");  // converts fine; the density fails before any division
    EXPECT_RUNTIME_ERROR(Ricalcola(fields), ErrorCode::TypeMismatch);
    fields.Set(Field::D, "99999");
    EXPECT_RUNTIME_ERROR(Ricalcola(fields), ErrorCode::Overflow);
}

TEST(PowerSearch, FindsTheFlowOfTheTargetLoss) {
    struct Case {
        const char* target;
        const char* flow;
        const char* power;
        std::int64_t evaluations;
    };
    const Case cases[] = {
        {"100", "3310", "38", 21},
        {"18", "1065", "12", 26},  // 1100 l/h meets the target at once
        {"2", "175", "2", -1},
        {"4380", "32765", "381", -1},
        {"5000", "35398", "412", -1},  // too much for the flow field, which the window finds out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        PlainFields fields(Mode::Potenza);
        fields.Set(Field::Y, c.target);
        Ricalcola(fields);
        EXPECT_EQ(fields.writes, (Writes{{Field::G, c.flow}, {Field::P, c.power}}));
        if (c.evaluations >= 0) {
            EXPECT_EQ(fields.evaluations, c.evaluations);
        }
    }
}

TEST(PowerSearch, TargetsThatCannotBeMetWriteNothing) {
    struct Case {
        Field field;
        const char* text;
        ErrorCode error;
    };
    const Case cases[] = {
        {Field::Y, "0,0001", ErrorCode::InvalidProcedureCall},  // step back to -900 l/h
        {Field::Y, "-5", ErrorCode::InvalidProcedureCall},
        {Field::Y, "1", ErrorCode::DivisionByZero},  // step back to 0 l/h
        {Field::D, "0", ErrorCode::DivisionByZero},
        {Field::Y, "", ErrorCode::TypeMismatch},
        {Field::Mu, "", ErrorCode::TypeMismatch},
        {Field::Y, "3000000000", ErrorCode::Overflow},  // beyond the Long range of the loss
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PlainFields fields(Mode::Potenza);
        fields.Set(c.field, c.text);
        EXPECT_RUNTIME_ERROR(Ricalcola(fields), c.error);
        EXPECT_TRUE(fields.writes.empty());
    }
}

TEST(PowerSearch, BadTemperatureDifferenceFailsAfterTheFlowIsWritten) {
    PlainFields fields(Mode::Potenza);
    fields.Set(Field::dT, "abc");
    EXPECT_RUNTIME_ERROR(Ricalcola(fields), ErrorCode::TypeMismatch);
    EXPECT_EQ(fields.writes, (Writes{{Field::G, "3310"}}));
}

TEST(PowerSearch, CoarseStageStopsPastAMillionLitresPerHour) {
    // A wide pipe and a large target used to take one evaluation per 1000 l/h for seconds or
    // minutes, only to fail in the flow field. Now the coarse stage gives up past 1 000 000 l/h,
    // before anything is written.
    const char* targets[] = {"9999999", "2000000000"};
    for (const char* target : targets) {
        SCOPED_TRACE(target);
        PlainFields fields(Mode::Potenza);
        fields.Set(Field::D, "278");
        fields.Set(Field::Y, target);
        EXPECT_RUNTIME_ERROR(Ricalcola(fields), ErrorCode::Overflow);
        EXPECT_TRUE(fields.writes.empty());
        EXPECT_EQ(fields.evaluations, 999);  // 1100 to 999100 l/h
    }
}

TEST(PowerSearch, ResultsUpToTheBoundAreKept) {
    // In D 278 the target 110 is reached at 980 100 l/h in the coarse stage: the search ends as
    // it always did. The target 120 would need more than 1 000 000 l/h.
    PlainFields fields(Mode::Potenza);
    fields.Set(Field::D, "278");
    fields.Set(Field::Y, "110");
    Ricalcola(fields);
    EXPECT_EQ(fields.writes, (Writes{{Field::G, "980013"}, {Field::P, "11396"}}));

    PlainFields beyond(Mode::Potenza);
    beyond.Set(Field::D, "278");
    beyond.Set(Field::Y, "120");
    EXPECT_RUNTIME_ERROR(Ricalcola(beyond), ErrorCode::Overflow);
    EXPECT_TRUE(beyond.writes.empty());
}

TEST(DiameterSearch, WidensThePipeUntilTheLossIsMet) {
    struct Case {
        const char* target;
        const char* diameter;
        const char* velocity;
        std::int64_t evaluations;
    };
    const Case cases[] = {
        {"100", "55", "1,17", 36},
        {"103", "54", "1,21", 35},  // a loss equal to the target ends the search
        {"0", "175", "0,12", -1},
        {"2000000", "19", "9,77", 0},  // met by the start value: no evaluation
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        PlainFields fields(Mode::Diametro);
        fields.Set(Field::Y, c.target);
        Ricalcola(fields);
        EXPECT_EQ(fields.writes, (Writes{{Field::D, c.diameter}, {Field::V, c.velocity}}));
        if (c.evaluations >= 0) {
            EXPECT_EQ(fields.evaluations, c.evaluations);
        }
    }
}

TEST(DiameterSearch, FailuresWriteNothing) {
    struct Case {
        Field field;
        const char* text;
        ErrorCode error;
        std::int64_t evaluations;
    };
    const Case cases[] = {
        {Field::Y, "-1", ErrorCode::DivisionByZero, 841 - 19},  // the velocity rounds to 0
        {Field::G, "0", ErrorCode::DivisionByZero, 1},
        {Field::G, "-5", ErrorCode::InvalidProcedureCall, 0},
        {Field::G, "", ErrorCode::TypeMismatch, 0},
        {Field::Y, "x", ErrorCode::TypeMismatch, 0},
        {Field::Epsilon, "", ErrorCode::TypeMismatch, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PlainFields fields(Mode::Diametro);
        fields.Set(c.field, c.text);
        EXPECT_RUNTIME_ERROR(Ricalcola(fields), c.error);
        EXPECT_TRUE(fields.writes.empty());
        EXPECT_EQ(fields.evaluations, c.evaluations);
    }
}

}  // namespace
}  // namespace idrovela::recalc
