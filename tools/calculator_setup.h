#pragma once

#include <optional>
#include <string>

#include "calc/numbers.h"
#include "tools/fluid_tool.h"
#include "tools/tool_memory.h"

namespace idrovela::window {
class Form_Principale;
}

namespace idrovela::tools {

// A pipe to set the main window up for, as the circuit window's "Apri nel calcolatore" gives it.
struct CalculatorSetUp {
    FluidChoice fluid;  // at the circuit's mean temperature
    ChosenTube tube;    // its series, designation, bore and roughness
    Integer flowLph;    // G in whole l/h, all Text_G holds
};

// Sets the window up as the user would by hand, each step one of the user's actions: the loss
// mode selected; the fluid applied as "Applica" of "Proprietà del fluido" applies it
// (ToolMemory::ApplyFluid); G written into Text_G; then the tube chosen as "Tubi commerciali"
// chooses a row (ToolMemory::ChooseTube: the preset of its roughness clicked, or "Altro" with its
// roughness, then UpDown_D spun to its bore in whole mm, which recalculates Y at that G). So the
// memory holds the tube, and the physics panel works at its exact bore. None once done, else why
// it stopped where it did: a fluid outside the data.
[[nodiscard]] std::optional<std::string> SetUpCalculator(window::Form_Principale& form,
                                                         ToolMemory& memory,
                                                         const CalculatorSetUp& setUp);

}  // namespace idrovela::tools
