#include "sheet/edit.h"

namespace idrovela::sheet {

Settings SettingsOf(const circuit::Circuit& circuit) {
    return {circuit.project,         circuit.fluid,   circuit.limits, circuit.margins,
            circuit.emitterSettings, circuit.volumes, circuit.vessel};
}

bool ChangesTree(const Step& step) {
    if (const auto* reattach = std::get_if<Reattach>(&step)) {
        return reattach->moves;
    }
    return std::holds_alternative<SubtreeStep>(step);
}

}  // namespace idrovela::sheet
