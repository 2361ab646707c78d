// The power, flow and diameter fields: keeping the flow, the velocity and the nominal size in
// step, the power field's key filter, and the recalculation on key release and spinner change.

#include "calc/module_calcoli.h"
#include "calc/text_conversions.h"
#include "window/form_principale.h"

namespace idrovela::window {

namespace MC = Module_Calcoli;

namespace {
// Key-release limits, both ends exclusive.
constexpr double kDiameterUpperLimit = 1001.0;
constexpr double kPowerUpperLimit = 90000.0;
constexpr double kLossUpperLimit = 10000000.0;

constexpr std::int16_t kBackspace = 8;
constexpr std::int16_t kComma = 44;
}  // namespace

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

}  // namespace idrovela::window
