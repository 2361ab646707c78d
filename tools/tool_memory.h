#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "catalogues/catalogue.h"
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

// What the tool windows know of the main window beyond its own texts and selections: the tube
// whose bore the diameter holds. Both the Qt tool windows and idrovela-session keep one beside
// the window, choose through it, and call Follow after every action of the user, so that the
// two forget alike.
class ToolMemory {
  public:
    // Chooses `row` of `series` (ChooseTube); when the window took it, the tube is remembered.
    bool ChooseTube(window::Form_Principale& form, const catalogues::Series& series,
                    const PipeRow& row);

    // After every action of the user, the two above included. The tube is forgotten once the
    // diameter's text, the roughness's text or the selected material changes, or the diameter
    // mode recalculates (its search writes D).
    void Follow(const window::Form_Principale& form);

    // The chosen tube while the window's diameter is the one it wrote; null otherwise.
    [[nodiscard]] const ChosenTube* Tube() const { return tube_ ? &tube_->chosen : nullptr; }

  private:
    struct TubeInWindow {
        ChosenTube chosen;
        std::string diameterText;
        std::string roughnessText;
        std::string material;
        std::int64_t evaluations = 0;
    };

    std::optional<TubeInWindow> tube_;
};

}  // namespace idrovela::tools
