#pragma once

// Pieces of circuits for the tests: a copper segment with a fixed tube, a radiator.

#include <optional>
#include <string>

#include "circuit/circuit.h"

namespace idrovela::circuit::test {

inline Segment Fixed(std::string id, std::optional<std::string> upstream, double lengthM,
                     std::string designation, double innerMm) {
    Segment segment;
    segment.id = std::move(id);
    segment.upstream = std::move(upstream);
    segment.lengthM = lengthM;
    segment.tube = {"rame", false, std::move(designation), innerMm, 0.0015};
    return segment;
}

inline Terminal Radiator(double powerW, Terminal::Device device, double deviceValue) {
    return {"radiatore", Terminal::Load::Power, powerW, device, deviceValue};
}

}  // namespace idrovela::circuit::test
