#include "window/option_button.h"

namespace idrovela::window {

void OptionGroup::UserSelect(OptionButton& button) {
    if (button.selected_) {
        return;
    }
    for (OptionButton* other : buttons_) {
        other->selected_ = false;
    }
    button.selected_ = true;
    if (button.click_) {
        button.click_();
    }
}

void CheckBox::UserClick() {
    checked_ = !checked_;
    if (click_) {
        click_();
    }
}

}  // namespace idrovela::window
