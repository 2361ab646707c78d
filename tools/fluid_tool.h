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
// theirs (998,2; 1,0016). The specific heat is for the eye only, in kJ/(kg·K) to three decimals
// (4,185). Outside the data there are no properties, and `error` says which range holds; a
// freezing point outside its own curve leaves the other properties given, and `freezingError`
// says why there is none.
struct FluidEvaluation {
    std::optional<physics::FluidProperties> properties;
    std::string error;
    std::optional<double> freezingPointC;
    std::string freezingError;
    std::string densityText;
    std::string viscosityText;
    std::string specificHeatText;
};

[[nodiscard]] FluidEvaluation EvaluateFluid(const FluidChoice& choice);

// What "Proprietà del fluido" shows, for idrovela-session: `fluid.rho`, `fluid.mu` and
// `fluid.cp` (kg/m³, mPa·s, J/(kg·K)) or `fluid.error=MESSAGE`, then `fluid.freezing` (°C) or
// `fluid.freezing_error=MESSAGE`; figures as printf's %.17g writes them, one a line.
[[nodiscard]] std::string SessionLines(const FluidEvaluation& evaluation);

// Does what a user would do by hand with the fluid's figures: selects "Altro" in the fluid group,
// which enables the fields, writes the viscosity and the density, and recalculates as a preset
// click does, all through the window's user actions (an error of the recalculation is reported
// as any other). Outside the data it changes nothing and gives the evaluation's error.
[[nodiscard]] FluidEvaluation ApplyFluid(window::Form_Principale& form, const FluidChoice& choice);

}  // namespace idrovela::tools
