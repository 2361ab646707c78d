#pragma once

#include <cstdint>

#include "circuit/circuit.h"

namespace idrovela::circuit {

// The version a circuit's file is written as: kVersion when it uses anything that version added
// (an emitter, the emitters' settings, the volumes, the vessel), else kFirstVersion, so that a
// circuit without them is written exactly as before and older versions of the program read it.
[[nodiscard]] std::int64_t FileVersion(const Circuit& circuit);

}  // namespace idrovela::circuit
