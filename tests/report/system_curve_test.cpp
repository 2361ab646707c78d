// The system curve: through the duty point, a parabola from no flow to 1,5 times the design
// flow, on round axes that hold the curve and the duty with margins.

#include "report/system_curve.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_circuits.h"

namespace idrovela::report {
namespace {

circuit::PumpDuty Duty(double flowLph, double headPa) {
    circuit::PumpDuty pump;
    pump.flowLph = flowLph;
    pump.headPa = headPa;
    return pump;
}

TEST(RoundAxis, ReachesTheValueInAboutFiveRoundSteps) {
    struct Case {
        double value;
        double max;
        double step;
        int decimals;
    };
    const Case cases[] = {
        {7.99, 8.0, 2.0, 0},     {0.316, 0.4, 0.1, 1},        {1.0, 1.0, 0.2, 1},
        {12.0, 12.5, 2.5, 1},    {0.0123, 0.0125, 0.0025, 4}, {100.0, 100.0, 20.0, 0},
        {101.0, 125.0, 25.0, 0}, {3.0, 3.0, 1.0, 0},          {45.0, 50.0, 10.0, 0},
        {0.6, 0.6, 0.2, 1},      {2.2e6, 2.5e6, 5e5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const Axis axis = RoundAxis(c.value);
        EXPECT_DOUBLE_EQ(axis.max, c.max);
        EXPECT_DOUBLE_EQ(axis.step, c.step);
        EXPECT_EQ(axis.decimals, c.decimals);
        EXPECT_GE(axis.max, c.value);
        EXPECT_GE(axis.Ticks(), 3u);
        EXPECT_LE(axis.Ticks(), 10u);
    }
    // Nothing to show, or nonsense: 0 to 1.
    for (const double nothing : {0.0, -3.0, std::nan(""), HUGE_VAL}) {
        EXPECT_DOUBLE_EQ(RoundAxis(nothing).max, 1.0);
    }
}

TEST(RoundAxis, LabelsEveryTickWithTheDecimalComma) {
    const Axis axis = RoundAxis(0.0123);
    ASSERT_EQ(axis.Ticks(), 5u);
    EXPECT_EQ(axis.TickLabel(0), "0,0000");
    EXPECT_EQ(axis.TickLabel(1), "0,0025");
    EXPECT_EQ(axis.TickLabel(5), "0,0125");
    EXPECT_EQ(RoundAxis(7.99).TickLabel(4), "8");
}

TEST(SystemCurve, IsTheParabolaThroughTheDutyTo1Point5TimesTheFlow) {
    const SystemCurve curve = MakeSystemCurve(Duty(2400.0, 18000.0));
    ASSERT_EQ(curve.points.size(), 61u);
    ASSERT_TRUE(curve.duty);
    EXPECT_DOUBLE_EQ(curve.duty->flowM3h, 2.4);
    EXPECT_DOUBLE_EQ(curve.duty->lossKPa, 18.0);
    EXPECT_EQ(curve.points.front().flowM3h, 0.0);
    EXPECT_EQ(curve.points.front().lossKPa, 0.0);
    EXPECT_DOUBLE_EQ(curve.points.back().flowM3h, 3.6);
    EXPECT_DOUBLE_EQ(curve.points.back().lossKPa, 18.0 * 2.25);
    // The 41st point is the duty itself, exactly.
    EXPECT_EQ(curve.points[40].flowM3h, curve.duty->flowM3h);
    EXPECT_EQ(curve.points[40].lossKPa, curve.duty->lossKPa);
    for (std::size_t i = 1; i < curve.points.size(); ++i) {
        const CurvePoint& p = curve.points[i];
        EXPECT_GT(p.flowM3h, curve.points[i - 1].flowM3h);
        EXPECT_NEAR(p.lossKPa, 18.0 * std::pow(p.flowM3h / 2.4, 2), 1e-12);
    }
    EXPECT_GE(curve.flowAxis.max, 3.6);
    EXPECT_GE(curve.lossAxis.max, 40.5);
    EXPECT_EQ(curve.flowAxis.caption, "V̇ [m³/h]");
    EXPECT_EQ(curve.lossAxis.caption, "Δp [kPa]");
    EXPECT_FALSE(curve.dutyWithMargins);
    ASSERT_EQ(curve.legend.size(), 2u);
    EXPECT_EQ(curve.legend[1], "Punto di lavoro: 2,400 m³/h, 18,00 kPa");
}

TEST(SystemCurve, MarginsGiveTheirOwnPointAndTheAxesHoldIt) {
    circuit::PumpDuty both = Duty(1000.0, 10000.0);
    both.flowWithMarginLph = 2000.0;  // 100 %: beyond the curve's 1,5
    both.headWithMarginPa = 30000.0;
    const SystemCurve curve = MakeSystemCurve(both);
    ASSERT_TRUE(curve.dutyWithMargins);
    EXPECT_DOUBLE_EQ(curve.dutyWithMargins->flowM3h, 2.0);
    EXPECT_DOUBLE_EQ(curve.dutyWithMargins->lossKPa, 30.0);
    EXPECT_DOUBLE_EQ(curve.points.back().flowM3h, 1.5);  // the curve still ends at 1,5 ×
    EXPECT_GE(curve.flowAxis.max, 2.0);
    EXPECT_GE(curve.lossAxis.max, 30.0);
    EXPECT_EQ(curve.legend.back(), "Con i margini: 2,000 m³/h, 30,00 kPa");

    // A head margin alone keeps the design flow, and the other way round.
    circuit::PumpDuty head = Duty(1000.0, 10000.0);
    head.headWithMarginPa = 11000.0;
    EXPECT_DOUBLE_EQ(MakeSystemCurve(head).dutyWithMargins->flowM3h, 1.0);
    circuit::PumpDuty flow = Duty(1000.0, 10000.0);
    flow.flowWithMarginLph = 1100.0;
    EXPECT_DOUBLE_EQ(MakeSystemCurve(flow).dutyWithMargins->lossKPa, 10.0);
}

TEST(SystemCurve, FromACircuitsPumpAndWithoutAFlowingTerminal) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    const SystemCurve curve = MakeSystemCurve(loaded.solution.pump);
    ASSERT_TRUE(curve.duty && curve.dutyWithMargins);
    EXPECT_DOUBLE_EQ(curve.duty->lossKPa, loaded.solution.pump.headPa / 1000.0);
    EXPECT_DOUBLE_EQ(curve.dutyWithMargins->flowM3h, curve.duty->flowM3h * 1.1);

    for (const circuit::PumpDuty& none : {Duty(0.0, 0.0), Duty(500.0, 0.0)}) {
        const SystemCurve empty = MakeSystemCurve(none);
        EXPECT_TRUE(empty.points.empty());
        EXPECT_FALSE(empty.duty);
        ASSERT_EQ(empty.legend.size(), 1u);
        EXPECT_NE(empty.legend[0].find("Nessun terminale"), std::string::npos);
    }
}

}  // namespace
}  // namespace idrovela::report
