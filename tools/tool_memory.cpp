#include "tools/tool_memory.h"

#include "window/form_principale.h"

namespace idrovela::tools {

bool ToolMemory::ChooseTube(window::Form_Principale& form, const catalogues::Series& series,
                            const PipeRow& row) {
    if (!tools::ChooseTube(form, row)) {
        return false;
    }
    // The spinner writes the diameter even when the recalculation after it raises.
    const std::string diameter = WholeDiameterText(row);
    if (form.Text_D.Text() != diameter) {
        tube_.reset();
        return true;
    }
    tube_ = TubeInWindow{{series.name, series.title, row.tube},
                         diameter,
                         form.Text_epsilon.Text(),
                         SelectedMaterial(form),
                         form.Work().evaluations};
    return true;
}

void ToolMemory::Follow(const window::Form_Principale& form) {
    if (tube_) {
        const bool searched =
            form.Option_Diametro.Value() && form.Work().evaluations != tube_->evaluations;
        if (searched || form.Text_D.Text() != tube_->diameterText ||
            form.Text_epsilon.Text() != tube_->roughnessText ||
            SelectedMaterial(form) != tube_->material) {
            tube_.reset();
        } else {
            tube_->evaluations = form.Work().evaluations;
        }
    }
}

}  // namespace idrovela::tools
