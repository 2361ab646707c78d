#include "tools/tool_memory.h"

#include "physics/decimal_text.h"
#include "window/form_principale.h"

namespace idrovela::tools {

std::string DescribeFluid(const FluidChoice& choice) {
    const std::string celsius = physics::QuantityText(choice.celsius, "°C");
    switch (choice.kind) {
        case FluidKind::Acqua:
            return "acqua a " + celsius;
        case FluidKind::Etilenico:
            return "glicole etilenico " + physics::QuantityText(choice.volumePercent, "%") + " a " +
                   celsius;
        case FluidKind::Propilenico:
            return "glicole propilenico " + physics::QuantityText(choice.volumePercent, "%") +
                   " a " + celsius;
    }
    return {};
}

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

FluidEvaluation ToolMemory::ApplyFluid(window::Form_Principale& form, const FluidChoice& choice) {
    FluidEvaluation evaluation = tools::ApplyFluid(form, choice);
    if (evaluation.properties) {
        fluid_ = FluidInWindow{DescribeFluid(choice), form.Text_Mu.Text(), form.Text_Rho.Text()};
    }
    return evaluation;
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
    if (fluid_ && (!form.Option_FluidoX.Value() || form.Text_Mu.Text() != fluid_->viscosityText ||
                   form.Text_Rho.Text() != fluid_->densityText)) {
        fluid_.reset();
    }
}

std::optional<std::string> ToolMemory::FluidDescription() const {
    if (!fluid_) {
        return std::nullopt;
    }
    return fluid_->description;
}

}  // namespace idrovela::tools
