#pragma once

#include <cstddef>
#include <cstdint>

#include "circuit/circuit.h"

namespace idrovela::circuit {

// Random circuits for benchmarks and tests, the same for the same seed: a tree of `segments`
// copper segments (water 70/60 °C), each hanging from a segment before it, so that most are
// branches and some run deep. A third have an automatic tube, half one to three fittings, a fifth
// a valve, and every leaf a terminal of 500 to 3000 W (some given as a flow, some with a device
// loss). With `everyTubeAutomatic` every tube is automatic.
[[nodiscard]] Circuit RandomCircuit(std::size_t segments, std::uint64_t seed,
                                    bool everyTubeAutomatic = false);

// The circuit with an emitter at every terminal: one given as a flow is given a load instead, and
// each emitter gives its load at 70/60 °C with some to spare.
[[nodiscard]] Circuit WithEmitters(Circuit circuit);

// A chain: each segment under the one before, `segments` deep, a terminal at the end.
[[nodiscard]] Circuit ChainCircuit(std::size_t segments);

}  // namespace idrovela::circuit
