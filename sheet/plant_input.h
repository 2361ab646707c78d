#pragma once

// The circuit's emitter, volume and vessel settings as the settings panel edits them.

#include "circuit/circuit.h"
#include "sheet/edit.h"
#include "sheet/input.h"
#include "sheet/numbers.h"

namespace idrovela::sheet {

// The texts of the salto minimo, the volumes and the vessel, each empty where the circuit has
// none (the vessel's maximum where it takes the default).
void WritePlantTexts(const circuit::Circuit& circuit, SettingsForm& form);

// Those settings as the form gives them: a figure left as shown keeps its unrounded value; the
// salto minimo left empty is the circuit's Δθ, both volumes left empty are none (one alone is 0),
// the vessel's three left empty are no vessel (its height alone empty is 0 m).
void ReadPlant(const SettingsForm& form, const SettingsForm& shown, const Settings& before,
               Settings& after, Numbers& numbers);

}  // namespace idrovela::sheet
