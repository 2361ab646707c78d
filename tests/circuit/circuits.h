#pragma once

// Pieces of circuits for the tests: a copper segment with a fixed tube, a radiator; the built-in
// catalogue, and the message with which a circuit's text fails to load.

#include <optional>
#include <string>

#include "catalogues/built_in.h"
#include "circuit/circuit.h"
#include "circuit/load.h"

namespace idrovela::circuit::test {

inline const catalogues::Catalogue& BuiltIn() {
    static const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    return catalogue;
}

// The message of the first fault of `text`, or "(loaded)".
inline std::string LoadFault(const std::string& text) {
    try {
        static_cast<void>(LoadCircuitText(text, BuiltIn()));
    } catch (const CircuitError& error) {
        return error.what();
    }
    return "(loaded)";
}

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
