#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/catalogue.h"
#include "circuit/circuit.h"
#include "physics/fluid_properties.h"

namespace idrovela::circuit {

// The tree of segments: each segment's upstream segment and the ones it feeds, by index into the
// circuit's segments.
struct Topology {
    std::vector<std::optional<std::size_t>> upstream;  // none for a segment leaving the source
    std::vector<std::size_t> roots;                    // in file order
    // Every segment once, each after its upstream segment: breadth first from the source, the
    // roots and each segment's downstream ones in file order.
    std::vector<std::size_t> order;
    // The segments `segment` feeds, in file order.
    [[nodiscard]] std::span<const std::size_t> Downstream(std::size_t segment) const {
        return std::span(downstream)
            .subspan(firstDownstream[segment],
                     firstDownstream[segment + 1] - firstDownstream[segment]);
    }

    // Every segment's downstream ones, one segment after the other, and where each one's start.
    std::vector<std::size_t> downstream;
    std::vector<std::size_t> firstDownstream;  // one more than the segments
};

// The fluid's properties where the circuit works them out: at the mean of supply and return.
struct FluidState {
    physics::FluidProperties properties;  // ρ, μ and c_p at the mean temperature
    double meanC = 0.0;                   // (mandata + ritorno)/2
    double deltaK = 0.0;                  // |ritorno − mandata|
};

// Checks every value of a circuit and its tree, and throws CircuitError for the first fault, in
// this order: the fluid (type and percentage, supply, return and mean where the fluid's data hold,
// supply not equal to return), the limits and margins, the emitters' settings, the volumes and
// the vessel, the number of segments, then each segment in file order (id, length, tube,
// fittings, valves, terminal and its emitter), then the ids (repeated), the
// upstream ids (unknown) and loops of upstream ids. An automatic tube's series must be in the
// catalogue; a fixed tube's need not. Gives the tree and the fluid's state.
struct CheckedCircuit {
    Topology topology;
    FluidState fluid;
};
[[nodiscard]] CheckedCircuit CheckCircuit(const Circuit& circuit,
                                          const catalogues::Catalogue& catalogue);

// The fluid's ρ, μ and c_p at a temperature: water at 101,325 kPa, or the glycol mixture.
// physics::PhysicsError where the fluid's data do not hold.
[[nodiscard]] physics::FluidProperties PropertiesAt(const Fluid& fluid, double celsius);

// The problem with a segment id, or empty when it is a good one: 1 to 64 characters, no control
// character, no ",", ";" or "=", no space at either end.
[[nodiscard]] std::string IdProblem(std::string_view id);

}  // namespace idrovela::circuit
