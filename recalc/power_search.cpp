#include <array>
#include <cstdint>

#include "calc/module_calcoli.h"
#include "calc/text_conversions.h"
#include "recalc/ricalcola.h"

namespace idrovela::recalc {

namespace {

// The loss gradient of a whole flow in the diameter the window shows, as a Currency.
Currency LossAtFlow(RecalcWindow& window, Currency flowLph) {
    const Integer diameter = TextToInteger(window.Text(Field::D));
    const Currency velocity = Module_Calcoli::CalcolaVelocita(flowLph, diameter);
    return Currency(ValutaPerdita(window, velocity, diameter));
}

}  // namespace

void PowerSearch(RecalcWindow& window) {
    constexpr std::array<std::int32_t, 4> kSteps = {1000, 100, 10, 1};
    constexpr std::int32_t kCoarseStep = kSteps.front();

    Currency flow = Currency::fromWhole(100);
    Currency loss = Currency::fromCount(1);  // 0,0001
    for (const std::int32_t step : kSteps) {
        const Currency increment = Currency::fromWhole(step);
        // The target is read anew for every test.
        while (loss < TextToCurrency(window.Text(Field::Y))) {
            flow = flow + increment;
            if (step == kCoarseStep && flow > kMaxSearchFlowLph) {
                Raise(ErrorCode::Overflow);
            }
            loss = LossAtFlow(window, flow);
        }
        if (step != 1) {
            // One step back, evaluated afresh, is where the finer stage starts.
            flow = flow - increment;
            loss = LossAtFlow(window, flow);
        }
    }

    window.SetText(Field::G, NumberToText(flow));
    const double deltaT = TextToDouble(window.Text(Field::dT));
    const Long power = Module_Calcoli::CalcolaPotenza(flow, deltaT);
    window.SetText(Field::P, NumberToText(power));
}

}  // namespace idrovela::recalc
