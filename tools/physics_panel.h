#pragma once

#include <optional>
#include <string>
#include <vector>

#include "physics/pipe_flow.h"
#include "tools/tool_memory.h"

namespace idrovela::window {
class Form_Principale;
}

namespace idrovela::tools {

// "Verifica fisica": the textbook figures for the pipe the window shows, beside the window's Y.
// The bore and the roughness are those of the chosen tube while the window's diameter is the one
// it wrote (ToolMemory::Tube); otherwise D in whole mm (TextToInteger) and ε (TextToCurrency) as
// the window reads them. The velocity is that of the flow Text_G in that bore, unrounded, as the
// pipe table works it out (VelocityIn); ρ and μ are read with TextToCurrency. So for a chosen
// tube the panel and the table have the same inputs and give the same loss. A text that does not
// convert, or values the textbook relations cannot take, give a short message instead of
// figures; nothing is raised.
struct PhysicsCheck {
    physics::PipeFlowInputs inputs;         // as read, when every text converted
    std::optional<ChosenTube> tube;         // the tube whose bore and roughness are used
    std::optional<physics::PipeFlow> flow;  // the figures, or none
    std::string message;                    // why there are no figures
    bool lossMode = false;                  // the window works Y out; otherwise Y is its target
    std::string windowY;                    // the text of Text_Y
};

[[nodiscard]] PhysicsCheck CheckPhysics(const window::Form_Principale& form,
                                        const ChosenTube* tube = nullptr);

// One line of the panel: a caption and its value, units included.
struct PanelLine {
    std::string caption;
    std::string value;
};

// What the panel shows: the chosen tube, if any, the inputs it used, Re and its regime, λ, the
// loss in Pa/m, mbar/m and mm c.a./m, the window's Y labelled "Y calcolata" or "Y obiettivo";
// then the notes.
[[nodiscard]] std::vector<PanelLine> PanelLines(const PhysicsCheck& check);
[[nodiscard]] std::vector<std::string> PanelNotes(const PhysicsCheck& check);

// The figures as `physics.NAME=VALUE` lines for idrovela-session: `physics.tube=SERIES
// DESIGNATION` while a tube is chosen, the bore, velocity and roughness used, then the figures;
// doubles written as %.17g does, with a dot, so that they read back exactly; "-" for λ and the
// regime without flow; `physics.error=MESSAGE` when there are no figures.
[[nodiscard]] std::string SessionLines(const PhysicsCheck& check);

// The line that explains why the window's Y and the panel's loss differ.
inline constexpr const char* kWhyTheyDiffer =
    "La finestra segue le sue formule di riferimento; questo pannello segue le relazioni dei "
    "manuali, con il vero numero di Reynolds ρ·w·D/μ.";

}  // namespace idrovela::tools
