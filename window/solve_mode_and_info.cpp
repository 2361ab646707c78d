// The solve-mode buttons with the spinners they show, always-on-top and the information line.

#include "window/form_principale.h"

namespace idrovela::window {

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
