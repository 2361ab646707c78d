#include "circuit/version.h"

#include <algorithm>

namespace idrovela::circuit {

std::int64_t FileVersion(const Circuit& circuit) {
    const bool uses =
        circuit.emitterSettings || circuit.volumes || circuit.vessel ||
        std::any_of(circuit.segments.begin(), circuit.segments.end(), [](const Segment& segment) {
            return segment.terminal && segment.terminal->emitter;
        });
    return uses ? kVersion : kFirstVersion;
}

}  // namespace idrovela::circuit
