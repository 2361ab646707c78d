#pragma once

#include <optional>
#include <string>
#include <string_view>

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
    // dT and P as Text_dT and Text_P take them; an empty text is left as the window has it.
    std::string deltaTText;
    std::string powerText;  // in kW
    // The pipe's own figures, to say what the window cannot hold of them.
    std::optional<double> flowLphUnrounded;
    std::optional<double> pascalPerMetre;  // its standard loss R
};

// G as the window's own heat relation gives it from P and dT (as the change of Text_P writes it,
// then the change of Text_G rounds it); none when a text is not a number, dT is 0, or the flow
// falls outside what Text_G holds.
[[nodiscard]] std::optional<Integer> FlowFromPower(std::string_view powerText,
                                                   std::string_view deltaTText);

// Sets the window up as the user would by hand, each step one of the user's actions, each
// handler running as it does for the user: the loss mode selected; the fluid applied as
// "Applica" of "Proprietà del fluido" applies it (ToolMemory::ApplyFluid); dT written, then P
// (whose change works G out by the window's heat relation), then G last, so that every figure
// the window shows is the pipe's; then D written as the tube's bore in whole mm, and the tube
// chosen as "Tubi commerciali" chooses a row (ToolMemory::ChooseTube: the preset of its
// roughness clicked, or "Altro" with its roughness, then UpDown_D spun to that bore, which
// recalculates Y at that G). So the memory holds the tube, and the physics panel works at its
// exact bore. None once done, else why it stopped where it did: a fluid outside the data, or a P
// whose G the window cannot hold (then before dT and P are written).
[[nodiscard]] std::optional<std::string> SetUpCalculator(window::Form_Principale& form,
                                                         ToolMemory& memory,
                                                         const CalculatorSetUp& setUp);

// Once set up, one line on what the window could not hold of the pipe: its bore rounded to whole
// mm, its flow rounded to whole l/h, the G the window's own relation gives from P, and then by
// about how much the physics panel's R (at that G, with ρ and μ as the window's texts hold them)
// differs from the pipe's. Empty when the window holds every figure of it.
[[nodiscard]] std::string CalculatorNote(const window::Form_Principale& form,
                                         const ToolMemory& memory, const CalculatorSetUp& setUp);

}  // namespace idrovela::tools
