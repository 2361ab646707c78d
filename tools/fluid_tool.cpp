#include "tools/fluid_tool.h"

#include "calc/number_conversions.h"
#include "calc/text_conversions.h"
#include "physics/glycol.h"
#include "physics/physics_error.h"
#include "physics/water.h"
#include "text/figures.h"
#include "window/form_principale.h"

namespace idrovela::tools {

using text::Exact;
using text::Fixed;

namespace {

physics::Glycol GlycolOf(FluidKind kind) {
    return kind == FluidKind::Etilenico ? physics::Glycol::Etilenico : physics::Glycol::Propilenico;
}

// Water freezes at 0 °C at the pressure the water data are for.
constexpr double kWaterFreezingPointC = 0.0;
constexpr double kJPerKJ = 1000.0;

}  // namespace

std::optional<FluidKind> FluidKindNamed(std::string_view name) {
    if (name == "acqua") {
        return FluidKind::Acqua;
    }
    if (name == "etilenico") {
        return FluidKind::Etilenico;
    }
    if (name == "propilenico") {
        return FluidKind::Propilenico;
    }
    return std::nullopt;
}

FluidEvaluation EvaluateFluid(const FluidChoice& choice) {
    FluidEvaluation evaluation;
    try {
        evaluation.properties = choice.kind == FluidKind::Acqua
                                    ? physics::Water(choice.celsius)
                                    : physics::GlycolMixture(GlycolOf(choice.kind),
                                                             choice.volumePercent, choice.celsius);
        evaluation.densityText = NumberToText(RoundToDigits(evaluation.properties->densityKgM3, 1));
        evaluation.viscosityText =
            NumberToText(RoundToDigits(evaluation.properties->viscosityMPaS, 4));
        evaluation.specificHeatText = Fixed(evaluation.properties->specificHeatJKgK / kJPerKJ, 3);
    } catch (const physics::PhysicsError& error) {
        evaluation.properties.reset();
        evaluation.error = error.what();
    }
    try {
        evaluation.freezingPointC =
            choice.kind == FluidKind::Acqua
                ? kWaterFreezingPointC
                : physics::GlycolFreezingPointC(GlycolOf(choice.kind), choice.volumePercent);
    } catch (const physics::PhysicsError& error) {
        evaluation.freezingError = error.what();
    }
    return evaluation;
}

std::string SessionLines(const FluidEvaluation& evaluation) {
    std::string lines;
    if (evaluation.properties) {
        lines += "fluid.rho=" + Exact(evaluation.properties->densityKgM3) + '\n';
        lines += "fluid.mu=" + Exact(evaluation.properties->viscosityMPaS) + '\n';
        lines += "fluid.cp=" + Exact(evaluation.properties->specificHeatJKgK) + '\n';
    } else {
        lines += "fluid.error=" + evaluation.error + '\n';
    }
    if (evaluation.freezingPointC) {
        lines += "fluid.freezing=" + Exact(*evaluation.freezingPointC) + '\n';
    } else {
        lines += "fluid.freezing_error=" + evaluation.freezingError + '\n';
    }
    return lines;
}

FluidEvaluation ApplyFluid(window::Form_Principale& form, const FluidChoice& choice) {
    FluidEvaluation evaluation = EvaluateFluid(choice);
    if (!evaluation.properties) {
        return evaluation;
    }
    form.UserClick(form.Option_FluidoX);  // nothing when it is already selected
    form.UserEdit(form.Text_Mu, evaluation.viscosityText);
    form.UserEdit(form.Text_Rho, evaluation.densityText);
    form.UserRecalc();
    return evaluation;
}

}  // namespace idrovela::tools
