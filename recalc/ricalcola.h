#pragma once

#include "calc/numbers.h"
#include "recalc/recalc_window.h"

namespace idrovela::recalc {

// Works out what the selected solve mode asks for and writes it back into the window. Run-time
// errors pass through to the caller; what was written before an error stays written.
void Ricalcola(RecalcWindow& window);

// The loss gradient of velocityMs in diameterMm, with the fluid and roughness the window shows.
// Sets numeroreynolds on the way.
[[nodiscard]] Long ValutaPerdita(RecalcWindow& window, Currency velocityMs, Integer diameterMm);

// Loss mode: the loss gradient of the velocity and diameter the window shows, into Text_Y.
void LossMode(RecalcWindow& window);

// Power mode: the flow at which the pipe reaches the target loss, into Text_G, and the power it
// carries, into Text_P.
void PowerSearch(RecalcWindow& window);

// Diameter mode: the narrowest whole diameter at which the flow keeps under the target loss, into
// Text_D, and its velocity, into Text_V.
void DiameterSearch(RecalcWindow& window);

// The power search gives up, with Overflow, once its coarse stage passes this flow. No flow
// above 32767 l/h fits the flow field, so nothing that would have been found is lost.
inline constexpr Currency kMaxSearchFlowLph = Currency::fromWhole(1'000'000);

}  // namespace idrovela::recalc
