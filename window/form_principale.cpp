#include "window/form_principale.h"

#include <algorithm>
#include <stdexcept>

#include "calc/module_calcoli.h"
#include "calc/text_conversions.h"
#include "recalc/ricalcola.h"
#include "window/controls.h"

namespace idrovela::window {

namespace MC = Module_Calcoli;

namespace {

TextBox MakeTextBox(std::string_view name) {
    const ControlDesign& design = DesignOf(name);
    return TextBox(design.name, design.caption, design.enabled);
}

OptionButton MakeOptionButton(std::string_view name) {
    const ControlDesign& design = DesignOf(name);
    return OptionButton(design.name, design.selected);
}

int SpinnerMaximum(std::string_view name) {
    for (const SpinnerDesign& spinner : kSpinners) {
        if (spinner.name == name) {
            return spinner.maximum;
        }
    }
    throw std::out_of_range("no spinner named " + std::string(name));
}

template <typename Control>
Control* FindByName(const std::vector<Control*>& controls, std::string_view name) {
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [name](const Control* c) { return c->Name() == name; });
    return found == controls.end() ? nullptr : *found;
}

// Key-release limits, both ends exclusive.
constexpr double kDiameterUpperLimit = 1001.0;
constexpr double kPowerUpperLimit = 90000.0;
constexpr double kLossUpperLimit = 10000000.0;

constexpr std::int16_t kBackspace = 8;
constexpr std::int16_t kComma = 44;

}  // namespace

Form_Principale::Form_Principale(AlwaysOnTop& alwaysOnTop, ErrorReporter& errorReporter)
    : Text_D(MakeTextBox("Text_D")),
      Text_Pollici(MakeTextBox("Text_Pollici")),
      Text_P(MakeTextBox("Text_P")),
      Text_dT(MakeTextBox("Text_dT")),
      Text_G(MakeTextBox("Text_G")),
      Text_V(MakeTextBox("Text_V")),
      Text_Y(MakeTextBox("Text_Y")),
      Text1(MakeTextBox("Text1")),
      Text_epsilon(MakeTextBox("Text_epsilon")),
      Text_Mu(MakeTextBox("Text_Mu")),
      Text_Rho(MakeTextBox("Text_Rho")),
      Option_Diametro(MakeOptionButton("Option_Diametro")),
      Option_Potenza(MakeOptionButton("Option_Potenza")),
      Option_Perdita(MakeOptionButton("Option_Perdita")),
      Option_Tubo1(MakeOptionButton("Option_Tubo1")),
      Option_Tubo2(MakeOptionButton("Option_Tubo2")),
      Option_Tubo3(MakeOptionButton("Option_Tubo3")),
      Option_Tubo4(MakeOptionButton("Option_Tubo4")),
      Option_TuboX(MakeOptionButton("Option_TuboX")),
      Option_Fluido1(MakeOptionButton("Option_Fluido1")),
      Option_Fluido2(MakeOptionButton("Option_Fluido2")),
      Option_Fluido3(MakeOptionButton("Option_Fluido3")),
      Option_FluidoX(MakeOptionButton("Option_FluidoX")),
      Check1("Check1", DesignOf("Check1").selected),
      UpDown_D("UpDown_D", Text_D, kSpinnerMinimum, SpinnerMaximum("UpDown_D"), kSpinnerStep),
      UpDown_P("UpDown_P", Text_P, kSpinnerMinimum, SpinnerMaximum("UpDown_P"), kSpinnerStep),
      UpDown_Y("UpDown_Y", Text_Y, kSpinnerMinimum, SpinnerMaximum("UpDown_Y"), kSpinnerStep),
      SolveModeGroup({&Option_Diametro, &Option_Potenza, &Option_Perdita}),
      MaterialGroup({&Option_Tubo1, &Option_Tubo2, &Option_Tubo3, &Option_Tubo4, &Option_TuboX}),
      FluidGroup({&Option_Fluido1, &Option_Fluido2, &Option_Fluido3, &Option_FluidoX}),
      alwaysOnTop_(alwaysOnTop),
      errorReporter_(errorReporter),
      recalcFields_(*this),
      textBoxes_{&Text_D, &Text_Pollici, &Text_P,       &Text_dT, &Text_G,  &Text_V,
                 &Text_Y, &Text1,        &Text_epsilon, &Text_Mu, &Text_Rho},
      options_{&Option_Diametro, &Option_Potenza, &Option_Perdita, &Option_Tubo1,
               &Option_Tubo2,    &Option_Tubo3,   &Option_Tubo4,   &Option_TuboX,
               &Option_Fluido1,  &Option_Fluido2, &Option_Fluido3, &Option_FluidoX},
      spinners_{&UpDown_D, &UpDown_P, &UpDown_Y} {
    for (Spinner* spinner : spinners_) {
        spinner->SetVisible(DesignOf(spinner->Name()).visible);
    }
    WireHandlers();
}

void Form_Principale::WireHandlers() {
    Option_Fluido1.OnClick([this] { Option_Fluido1_Click(); });
    Option_Fluido2.OnClick([this] { Option_Fluido2_Click(); });
    Option_Fluido3.OnClick([this] { Option_Fluido3_Click(); });
    Option_FluidoX.OnClick([this] { Option_FluidoX_Click(); });
    Option_Tubo1.OnClick([this] { Option_Tubo1_Click(); });
    Option_Tubo2.OnClick([this] { Option_Tubo2_Click(); });
    Option_Tubo3.OnClick([this] { Option_Tubo3_Click(); });
    Option_Tubo4.OnClick([this] { Option_Tubo4_Click(); });
    Option_TuboX.OnClick([this] { Option_TuboX_Click(); });
    Text_epsilon.OnChange([this] { Text_epsilon_Change(); });

    Text_D.OnChange([this] { Text_D_Change(); });
    Text_G.OnChange([this] { Text_G_Change(); });
    Text_P.OnChange([this] { Text_P_Change(); });
    Text_P.OnKeyPress([this](std::int16_t& keyAscii) { Text_P_KeyPress(keyAscii); });
    Text_D.OnKeyUp([this](std::int16_t code, std::int16_t shift) { Text_D_KeyUp(code, shift); });
    Text_P.OnKeyUp([this](std::int16_t code, std::int16_t shift) { Text_P_KeyUp(code, shift); });
    Text_Y.OnKeyUp([this](std::int16_t code, std::int16_t shift) { Text_Y_KeyUp(code, shift); });
    UpDown_D.OnChange([this] { UpDown_D_Change(); });
    UpDown_P.OnChange([this] { UpDown_P_Change(); });
    UpDown_Y.OnChange([this] { UpDown_Y_Change(); });

    Option_Diametro.OnClick([this] { Option_Diametro_Click(); });
    Option_Potenza.OnClick([this] { Option_Potenza_Click(); });
    Option_Perdita.OnClick([this] { Option_Perdita_Click(); });

    Check1.OnClick([this] { Check1_Click(); });
}

// ---- The user's actions ----

template <typename Action>
void Form_Principale::RunUserAction(Action&& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        errorReporter_.ReportError(error);
    }
}

void Form_Principale::Load() {
    RunUserAction([this] { Form_Load(); });
}

void Form_Principale::UserKeystroke(TextBox& field, std::int16_t keyAscii,
                                    std::string_view textAfter) {
    if (field.Enabled()) {
        RunUserAction([&] { field.Keystroke(keyAscii, textAfter); });
    }
}

std::int16_t Form_Principale::UserKeyPress(TextBox& field, std::int16_t keyAscii) {
    std::int16_t passed = 0;
    if (field.Enabled()) {
        RunUserAction([&] { passed = field.KeyPress(keyAscii); });
    }
    return passed;
}

void Form_Principale::UserKeyRelease(TextBox& field, std::int16_t keyCode) {
    if (field.Enabled()) {
        RunUserAction([&] { field.KeyRelease(keyCode); });
    }
}

void Form_Principale::UserDelete(TextBox& field, std::string_view textAfter) {
    if (field.Enabled()) {
        RunUserAction([&] { field.DeleteKey(textAfter); });
    }
}

void Form_Principale::UserEdit(TextBox& field, std::string_view textAfter) {
    if (field.Enabled()) {
        RunUserAction([&] { field.SetText(textAfter); });
    }
}

void Form_Principale::UserClick(OptionButton& button) {
    RunUserAction([&] { GroupOf(button).UserSelect(button); });
}

void Form_Principale::UserClick(CheckBox& box) {
    RunUserAction([&] { box.UserClick(); });
}

void Form_Principale::UserClick(TextBox& field) {
    if (&field == &Text1) {
        RunUserAction([this] { Text1_Click(); });
    }
}

void Form_Principale::UserUp(Spinner& spinner) {
    if (spinner.Visible()) {
        RunUserAction([&] { spinner.UserUp(); });
    }
}

void Form_Principale::UserDown(Spinner& spinner) {
    if (spinner.Visible()) {
        RunUserAction([&] { spinner.UserDown(); });
    }
}

void Form_Principale::UserSpin(Spinner& spinner, std::string_view text) {
    if (spinner.Visible()) {
        RunUserAction([&] { spinner.WriteAndNotify(text); });
    }
}

void Form_Principale::UserRecalc() {
    RunUserAction([this] { Ricalcola(); });
}

// ---- Lookups ----

TextBox* Form_Principale::FindTextBox(std::string_view name) const {
    return FindByName(textBoxes_, name);
}

OptionButton* Form_Principale::FindOptionButton(std::string_view name) const {
    return FindByName(options_, name);
}

Spinner* Form_Principale::FindSpinner(std::string_view name) const {
    return FindByName(spinners_, name);
}

OptionGroup& Form_Principale::GroupOf(const OptionButton& button) {
    for (OptionGroup* group : {&SolveModeGroup, &MaterialGroup, &FluidGroup}) {
        const auto& buttons = group->Buttons();
        if (std::find(buttons.begin(), buttons.end(), &button) != buttons.end()) {
            return *group;
        }
    }
    throw std::logic_error("option button outside every group");
}

// ---- The recalculation ----

void Form_Principale::Ricalcola() {
    recalc::Ricalcola(recalcFields_);
}

Long Form_Principale::ValutaPerdita(Currency velocityMs, Integer diameterMm) {
    return recalc::ValutaPerdita(recalcFields_, velocityMs, diameterMm);
}

TextBox& Form_Principale::RecalcFields::Box(recalc::Field field) const {
    switch (field) {
        case recalc::Field::D:
            return form_.Text_D;
        case recalc::Field::V:
            return form_.Text_V;
        case recalc::Field::Y:
            return form_.Text_Y;
        case recalc::Field::G:
            return form_.Text_G;
        case recalc::Field::P:
            return form_.Text_P;
        case recalc::Field::dT:
            return form_.Text_dT;
        case recalc::Field::Mu:
            return form_.Text_Mu;
        case recalc::Field::Rho:
            return form_.Text_Rho;
        case recalc::Field::Epsilon:
            return form_.Text_epsilon;
    }
    throw std::logic_error("unknown field");
}

const std::string& Form_Principale::RecalcFields::Text(recalc::Field field) const {
    return Box(field).Text();
}

void Form_Principale::RecalcFields::SetText(recalc::Field field, const std::string& text) {
    Box(field).SetText(text);
}

bool Form_Principale::RecalcFields::Selected(recalc::Mode mode) const {
    switch (mode) {
        case recalc::Mode::Potenza:
            return form_.Option_Potenza.Value();
        case recalc::Mode::Perdita:
            return form_.Option_Perdita.Value();
        case recalc::Mode::Diametro:
            return form_.Option_Diametro.Value();
    }
    return false;
}

void Form_Principale::RecalcFields::SetNumeroReynolds(Currency reynolds) {
    form_.numeroreynolds_ = reynolds;
}

void Form_Principale::RecalcFields::CountEvaluation() {
    ++form_.work_.evaluations;
}

void Form_Principale::RecalcFields::CountLambdaSteps(std::int64_t steps) {
    form_.work_.lambdaSteps += steps;
}

void Form_Principale::RecalcFields::CountColebrookDifferences(std::int64_t differences) {
    form_.work_.colebrookDifferences += differences;
}

// ---- Start-up, and the fluid and pipe-material presets ----

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

// ---- The power, flow and diameter fields ----
// Keeping the flow, the velocity and the nominal size in step, the power field's key filter, and
// the recalculation on key release and spinner change.

// The velocity of the flow Text_G shows in the diameter Text_D shows, into Text_V.
void Form_Principale::FlowToVelocity() {
    const Integer diameter = TextToInteger(Text_D.Text());
    const Currency flow = TextToCurrency(Text_G.Text());
    Text_V.SetText(NumberToText(MC::CalcolaVelocita(flow, diameter)));
}

void Form_Principale::Text_D_Change() {
    FlowToVelocity();
    Text_Pollici.SetText(MC::CalcolaPollici(Text_D.Text()));
}

void Form_Principale::Text_G_Change() {
    // Rewriting a flow that is not whole runs this handler once more, nested; a whole flow
    // writes the same text, which raises nothing.
    Text_G.SetText(NumberToText(TextToInteger(Text_G.Text())));
    FlowToVelocity();
}

void Form_Principale::Text_P_Change() {
    if (Text_P.Text().empty()) {
        Text_P.SetText("1");
    }
    const double power = TextToDouble(Text_P.Text());
    const double deltaT = TextToDouble(Text_dT.Text());
    Text_G.SetText(NumberToText(MC::CalcolaPortata(power, deltaT)));
}

void Form_Principale::Text_P_KeyPress(std::int16_t& keyAscii) {
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (!digit && keyAscii != kComma && keyAscii != kBackspace) {
        keyAscii = 0;
    }
}

void Form_Principale::GuardedRecalc(const TextBox& field, double upperLimit,
                                    void (Form_Principale::*spinnerChange)()) {
    if (field.Text().empty()) {
        return;
    }
    const double value = TextToDouble(field.Text());
    if (value > 0.0 && value < upperLimit) {
        (this->*spinnerChange)();
    }
}

void Form_Principale::Text_D_KeyUp(std::int16_t /*keyCode*/, std::int16_t /*shift*/) {
    GuardedRecalc(Text_D, kDiameterUpperLimit, &Form_Principale::UpDown_D_Change);
}

void Form_Principale::Text_P_KeyUp(std::int16_t /*keyCode*/, std::int16_t /*shift*/) {
    GuardedRecalc(Text_P, kPowerUpperLimit, &Form_Principale::UpDown_P_Change);
}

void Form_Principale::Text_Y_KeyUp(std::int16_t /*keyCode*/, std::int16_t /*shift*/) {
    GuardedRecalc(Text_Y, kLossUpperLimit, &Form_Principale::UpDown_Y_Change);
}

void Form_Principale::UpDown_D_Change() {
    Ricalcola();
}

void Form_Principale::UpDown_P_Change() {
    Ricalcola();
}

void Form_Principale::UpDown_Y_Change() {
    Ricalcola();
}

// ---- The solve mode's buttons and spinners, always-on-top and the information line ----

// The spinner of the quantity the mode works out is hidden; the user steps only the inputs.
void Form_Principale::ShowSpinners(bool d, bool p, bool y) {
    UpDown_D.SetVisible(d);
    UpDown_P.SetVisible(p);
    UpDown_Y.SetVisible(y);
}

void Form_Principale::Option_Diametro_Click() {
    ShowSpinners(false, true, true);
}

void Form_Principale::Option_Potenza_Click() {
    ShowSpinners(true, false, true);
}

void Form_Principale::Option_Perdita_Click() {
    ShowSpinners(true, true, false);
}

void Form_Principale::Check1_Click() {
    alwaysOnTop_.SetAlwaysOnTop(Check1.Value());
}

void Form_Principale::Text1_Click() {
    if (Text1.Text() == kWebAddress) {
        Text1.SetText(kVersionText);
    } else {
        Text1.SetText(kWebAddress);
    }
}

}  // namespace idrovela::window
