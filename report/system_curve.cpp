#include "report/system_curve.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "maths/maths.h"
#include "text/figures.h"

namespace idrovela::report {

namespace {

constexpr double kLitresPerCubicMetre = 1000.0;
constexpr double kPascalPerKilopascal = 1000.0;
constexpr double kAboutTicks = 5.0;

std::string PointText(const CurvePoint& point) {
    return text::Fixed(point.flowM3h, 3) + " m³/h, " + text::Fixed(point.lossKPa, 2) + " kPa";
}

}  // namespace

std::size_t Axis::Ticks() const {
    return static_cast<std::size_t>(std::llround(max / step));
}

double Axis::Tick(std::size_t n) const {
    return step * static_cast<double>(n);
}

std::string Axis::TickLabel(std::size_t n) const {
    return text::Fixed(Tick(n), decimals);
}

Axis RoundAxis(double value) {
    Axis axis;
    if (!(value > 0.0) || !std::isfinite(value)) {
        return axis;  // 0 to 1 in steps of 0,2
    }
    const double raw = value / kAboutTicks;
    const double power = std::floor(maths::Log10(raw));
    const double magnitude = maths::Pow(10.0, power);
    constexpr std::array kSteps = {1.0, 2.0, 2.5, 5.0, 10.0};
    double multiple = kSteps.back();
    for (const double candidate : kSteps) {
        // A hair of tolerance: a step a rounding error above a round one is that one.
        if (candidate * magnitude >= raw * (1.0 - 1e-12)) {
            multiple = candidate;
            break;
        }
    }
    axis.step = multiple * magnitude;
    double steps = std::ceil(value / axis.step);
    if (std::abs(value / axis.step - std::round(value / axis.step)) < 1e-9) {
        steps = std::round(value / axis.step);  // a value on a tick is the end
    }
    axis.max = std::max(1.0, steps) * axis.step;
    // 2,5 × 10^k needs one decimal more than its power; whole steps need none.
    const int stepPower = static_cast<int>(power) + (multiple == 10.0 ? 1 : 0);
    axis.decimals = std::max(0, -stepPower + (multiple == 2.5 ? 1 : 0));
    return axis;
}

SystemCurve MakeSystemCurve(const circuit::PumpDuty& pump, std::size_t points) {
    SystemCurve curve;
    const double designFlow = pump.flowLph / kLitresPerCubicMetre;
    const double designLoss = pump.headPa / kPascalPerKilopascal;
    if (!(designFlow > 0.0) || !(designLoss > 0.0)) {
        curve.flowAxis = RoundAxis(0.0);
        curve.lossAxis = RoundAxis(0.0);
        curve.flowAxis.caption = "V̇ [m³/h]";
        curve.lossAxis.caption = "Δp [kPa]";
        curve.legend.emplace_back(
            "Nessun terminale con portata e perdita: la curva dell'impianto non c'è.");
        return curve;
    }
    points = std::max<std::size_t>(points, 2);
    curve.points.reserve(points);
    for (std::size_t i = 0; i < points; ++i) {
        // The fraction of the design flow first, so that the duty's own fraction, 1, is exact.
        const double fraction =
            kCurveFlowRange * static_cast<double>(i) / static_cast<double>(points - 1);
        curve.points.push_back({designFlow * fraction, designLoss * (fraction * fraction)});
    }
    curve.duty = CurvePoint{designFlow, designLoss};
    double flowReach = curve.points.back().flowM3h;
    double lossReach = curve.points.back().lossKPa;
    curve.legend.emplace_back("Curva dell'impianto: Δp = Δp_progetto·(V̇/V̇_progetto)²");
    curve.legend.push_back("Punto di lavoro: " + PointText(*curve.duty));
    if (pump.flowWithMarginLph || pump.headWithMarginPa) {
        const CurvePoint withMargins{
            pump.flowWithMarginLph ? *pump.flowWithMarginLph / kLitresPerCubicMetre : designFlow,
            pump.headWithMarginPa ? *pump.headWithMarginPa / kPascalPerKilopascal : designLoss};
        curve.dutyWithMargins = withMargins;
        flowReach = std::max(flowReach, withMargins.flowM3h);
        lossReach = std::max(lossReach, withMargins.lossKPa);
        curve.legend.push_back("Con i margini: " + PointText(withMargins));
    }
    curve.flowAxis = RoundAxis(flowReach);
    curve.lossAxis = RoundAxis(lossReach);
    curve.flowAxis.caption = "V̇ [m³/h]";
    curve.lossAxis.caption = "Δp [kPa]";
    return curve;
}

}  // namespace idrovela::report
