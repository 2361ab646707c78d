#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "physics/fluid_properties.h"

namespace idrovela::window {
class Form_Principale;
}

namespace idrovela::tools {

// "Proprietà del fluido": water, or a glycol mixture by volume, at a temperature.
enum class FluidKind { Acqua, Etilenico, Propilenico };

struct FluidChoice {
    FluidKind kind = FluidKind::Acqua;
    double volumePercent = 30;  // glycols only
    double celsius = 20;
};

// "acqua", "etilenico", "propilenico"; none for any other name.
[[nodiscard]] std::optional<FluidKind> FluidKindNamed(std::string_view name);

// The properties of a choice, and the texts "Applica" writes into the window: the density
// rounded half to even to one decimal, the viscosity to four, written as the presets write
// theirs (998,2; 1,0016). Outside the data there are no properties, and `error` says which
// range holds; a freezing point outside its own table leaves the other properties given.
struct FluidEvaluation {
    std::optional<physics::FluidProperties> properties;
    std::string error;
    std::optional<double> freezingPointC;
    std::string freezingError;
    std::string densityText;
    std::string viscosityText;
};

[[nodiscard]] FluidEvaluation EvaluateFluid(const FluidChoice& choice);

// Does what a user would do by hand with the fluid's figures: selects "Altro" in the fluid group,
// which enables the fields, writes the viscosity and the density, and recalculates as a preset
// click does, all through the window's user actions (an error of the recalculation is reported
// as any other). Outside the data it changes nothing and gives the evaluation's error.
[[nodiscard]] FluidEvaluation ApplyFluid(window::Form_Principale& form, const FluidChoice& choice);

}  // namespace idrovela::tools
