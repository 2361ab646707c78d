#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "catalogues/catalogue.h"
#include "tools/fluid_tool.h"
#include "tools/pipe_table.h"

namespace idrovela::window {
class Form_Principale;
}

namespace idrovela::tools {

// A tube chosen in "Tubi commerciali", with the series it came from.
struct ChosenTube {
    std::string seriesName;   // "pert", as `choose` names it
    std::string seriesTitle;  // "PE-RT per pannelli radianti"
    catalogues::Tube tube;
};

// How the window's "Altro" fluid is described once "Applica" wrote it: "acqua a 20 °C",
// "glicole etilenico 30 % a 40 °C".
[[nodiscard]] std::string DescribeFluid(const FluidChoice& choice);

// What the tool windows know of the main window beyond its own texts and selections: the tube
// whose bore the diameter holds, and the fluid whose viscosity and density "Altro" holds. Both
// the Qt tool windows and idrovela-session keep one beside the window, choose and apply through
// it, and call Follow after every action of the user, so that the two forget alike.
class ToolMemory {
  public:
    // Chooses `row` of `series` (ChooseTube); when the window took it, the tube is remembered.
    bool ChooseTube(window::Form_Principale& form, const catalogues::Series& series,
                    const PipeRow& row);
    // "Applica" (ApplyFluid); an applied fluid is remembered, one outside the data changes
    // nothing here either.
    FluidEvaluation ApplyFluid(window::Form_Principale& form, const FluidChoice& choice);

    // After every action of the user, the two above included. The tube is forgotten once the
    // diameter's text, the roughness's text or the selected material changes, or the diameter
    // mode recalculates (its search writes D); the fluid once the viscosity's or the density's
    // text changes or "Altro" is no longer selected in "Liquido".
    void Follow(const window::Form_Principale& form);

    // The chosen tube while the window's diameter is the one it wrote; null otherwise.
    [[nodiscard]] const ChosenTube* Tube() const { return tube_ ? &tube_->chosen : nullptr; }
    // The applied fluid's description while the window holds what "Applica" wrote.
    [[nodiscard]] std::optional<std::string> FluidDescription() const;

  private:
    struct TubeInWindow {
        ChosenTube chosen;
        std::string diameterText;
        std::string roughnessText;
        std::string material;
        std::int64_t evaluations = 0;
    };
    struct FluidInWindow {
        std::string description;
        std::string viscosityText;
        std::string densityText;
    };

    std::optional<TubeInWindow> tube_;
    std::optional<FluidInWindow> fluid_;
};

}  // namespace idrovela::tools
