#pragma once

// The checks of what a circuit holds beyond its pipes: a terminal's emitter, the emitters'
// settings, the volumes and the vessel. CheckCircuit runs them in its order; each throws
// CircuitError for the first fault, naming the place and the key.

#include <string_view>

#include "circuit/circuit.h"

namespace idrovela::circuit {

// The least cooling that may be asked of the emitters ("salto_minimo"), in K.
inline constexpr double kMinimumDropLowK = 1.0;
inline constexpr double kMinimumDropHighK = 50.0;

// The room temperatures an emitter may stand in, °C.
inline constexpr double kRoomLowC = 0.0;
inline constexpr double kRoomHighC = 40.0;

// The temperature the circuit is filled at, °C: the vessel takes up the expansion from there.
inline constexpr double kFillC = 10.0;

// The emitter of a terminal of segment `where`: on a terminal given by its load, in a heating
// circuit, with its figures in their ranges.
void CheckEmitter(const Terminal& terminal, std::string_view where, const Fluid& fluid);

// The emitters' settings, the volumes and the vessel, in that order.
void CheckPlant(const Circuit& circuit);

}  // namespace idrovela::circuit
