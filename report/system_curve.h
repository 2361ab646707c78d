#pragma once

// The system curve ("curva dell'impianto"): how the circuit's loss grows with the flow through
// it, Δp = Δp_progetto·(V̇/V̇_progetto)², from no flow to 1,5 times the design flow, with the pump's
// duty point on it and, with margins, the duty the pump is chosen for. In m³/h and kPa, on axes
// with round steps, for a widget and for the report to draw alike.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "circuit/solve.h"

namespace idrovela::report {

struct CurvePoint {
    double flowM3h = 0.0;
    double lossKPa = 0.0;
};

// An axis from 0 to `max` in `step`s of 1, 2, 2,5 or 5 times a power of ten.
struct Axis {
    double max = 1.0;
    double step = 0.2;
    int decimals = 1;  // enough for every tick
    std::string caption;

    [[nodiscard]] std::size_t Ticks() const;  // the steps from 0 to max
    [[nodiscard]] double Tick(std::size_t n) const;
    [[nodiscard]] std::string TickLabel(std::size_t n) const;  // with the decimal comma
};

// The smallest axis of round steps, about five of them, that reaches `value`.
[[nodiscard]] Axis RoundAxis(double value);

struct SystemCurve {
    std::vector<CurvePoint> points;  // evenly spaced in flow, from 0; none without a duty
    std::optional<CurvePoint> duty;  // the design flow and the index circuit's loss
    // The flow and head with their margins, each × (1 + margin/100); only with a margin.
    std::optional<CurvePoint> dutyWithMargins;
    Axis flowAxis;  // "V̇ [m³/h]"
    Axis lossAxis;  // "Δp [kPa]"
    // What the chart says in words: the curve's formula, the duty point, the one with margins;
    // without a duty, why there is no curve.
    std::vector<std::string> legend;
};

inline constexpr double kCurveFlowRange = 1.5;  // the curve runs to 1,5 × the design flow

// The system curve of a pump duty, in `points` steps (at least 2). Without a flowing terminal
// (no flow or no head) there is no curve: the legend says so.
[[nodiscard]] SystemCurve MakeSystemCurve(const circuit::PumpDuty& pump, std::size_t points = 61);

}  // namespace idrovela::report
