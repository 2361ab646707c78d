#pragma once

// The steps of working out a circuit that concern its emitters and the water it holds: each
// terminal's emitter, the lowest supply temperature, the water volume and the expansion vessel.
// Solve runs them; nothing outside the engine needs them.

#include <optional>
#include <string>

#include "circuit/check.h"
#include "circuit/circuit.h"
#include "circuit/solve.h"

namespace idrovela::circuit {

// The least cooling asked of the emitters: the emitters' salto_minimo, or the circuit's Δθ.
[[nodiscard]] double MinimumDropK(const Circuit& circuit, const FluidState& fluid);

// The figures of an emitter at a terminal whose load is `loadW` (0 or above), in a heating
// circuit of fluid `state`; `minimumDropK` for its lowest supply (EmitterResult says what each
// figure is).
[[nodiscard]] EmitterResult EmitterFigures(const Emitter& emitter, double loadW, const Fluid& fluid,
                                           const FluidState& state, double minimumDropK);

// The warning of an insufficient emitter at a terminal of flow `flowLph`.
[[nodiscard]] std::string InsufficientText(const EmitterResult& result, const Emitter& emitter,
                                           double loadW, double flowLph, const Fluid& fluid);

// The largest of the terminals' lowest supplies, where every terminal with a load above 0 has
// an emitter.
[[nodiscard]] std::optional<LowestSupply> LowestSupplyOf(const Circuit& circuit,
                                                         const Solution& solution,
                                                         double minimumDropK);

// The water the pipes (with the tubes the solution uses), the emitters and the volumi hold.
// CircuitError when it is out of scale.
[[nodiscard]] WaterVolume WaterOf(const Circuit& circuit, const Solution& solution);

// The circuit's vessel for `waterL` litres. CircuitError, with the reason, when its final pressure
// is not above its pre-charge.
[[nodiscard]] VesselSizing SizeVessel(const Circuit& circuit, double waterL);

}  // namespace idrovela::circuit
