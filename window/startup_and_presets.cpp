// Start-up, and the fluid and pipe-material presets.

#include "calc/module_calcoli.h"
#include "calc/text_conversions.h"
#include "window/form_principale.h"

namespace idrovela::window {

namespace MC = Module_Calcoli;

void Form_Principale::Form_Load() {
    alwaysOnTop_.SetAlwaysOnTop(true);
    costantec = Integer(140);
    costanterho = TextToCurrency(Text_Rho.Text());
    costanteepsilon_ = TextToCurrency(Text_epsilon.Text());
    costantemu_ = TextToCurrency(Text_Mu.Text());

    const double power = TextToDouble(Text_P.Text());
    const double deltaT = TextToDouble(Text_dT.Text());
    Text_G.SetText(NumberToText(MC::CalcolaPortata(power, deltaT)));

    FlowToVelocity();
    Ricalcola();
}

// ---- Fluid: water at 4, 20 and 80 °C, or another fluid typed in ----

void Form_Principale::FluidPreset(std::string_view viscosity, std::string_view density) {
    Text_Mu.SetEnabled(false);
    Text_Rho.SetEnabled(false);
    Text_Mu.SetText(viscosity);
    Text_Rho.SetText(density);
    Ricalcola();
}

void Form_Principale::Option_Fluido1_Click() {
    FluidPreset(NumberToText(1.556), NumberToText(Integer(1000)));
}

void Form_Principale::Option_Fluido2_Click() {
    FluidPreset(NumberToText(Integer(1)), NumberToText(998.2));
}

void Form_Principale::Option_Fluido3_Click() {
    FluidPreset(NumberToText(0.3527), NumberToText(971.8));
}

void Form_Principale::Option_FluidoX_Click() {
    Text_Mu.SetEnabled(true);
    Text_Rho.SetEnabled(true);
}

// ---- Pipe material: roughness in mm, or another roughness typed in ----

void Form_Principale::MaterialPreset(std::string_view roughness) {
    Text_epsilon.SetEnabled(false);
    Text_epsilon.SetText(roughness);
    Ricalcola();
}

void Form_Principale::Option_Tubo1_Click() {
    MaterialPreset(NumberToText(0.0015));
}

void Form_Principale::Option_Tubo2_Click() {
    MaterialPreset(NumberToText(0.045));
}

void Form_Principale::Option_Tubo3_Click() {
    MaterialPreset(NumberToText(0.3));
}

void Form_Principale::Option_Tubo4_Click() {
    MaterialPreset(NumberToText(0.007));
}

void Form_Principale::Option_TuboX_Click() {
    Text_epsilon.SetEnabled(true);
}

void Form_Principale::Text_epsilon_Change() {
    costanteepsilon_ = TextToCurrency(Text_epsilon.Text());
}

}  // namespace idrovela::window
