#pragma once

// The steps of working out a circuit that concern one segment at a time: its figures at its flow,
// with its tube, and its warnings. Solve runs them; nothing outside the engine needs them.

#include <cstddef>
#include <string_view>
#include <vector>

#include "catalogues/catalogue.h"
#include "circuit/circuit.h"
#include "circuit/solve.h"

namespace idrovela::circuit {

// A figure that must be finite: beyond the doubles, the segment's figure is out of scale, and
// CircuitError names the segment and the figure. Gives the value.
double Finite(double value, const Circuit& circuit, std::size_t segment, std::string_view figure);

// The figures of segment `i` at the flow `result` already holds, in the sheet's order of
// operations (tube, velocity, friction, fittings and valves, the segment's loss), then its
// warnings in their order.
void SegmentFigures(const Circuit& circuit, std::size_t i, const FluidState& fluid,
                    const catalogues::Catalogue& catalogue, SegmentResult& result,
                    std::vector<Warning>& warnings);

}  // namespace idrovela::circuit
