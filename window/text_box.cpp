#include "window/text_box.h"

namespace idrovela::window {

namespace {
constexpr std::int16_t kDeleteKeyCode = 46;
constexpr std::int16_t kNoShift = 0;
}  // namespace

TextBox::TextBox(std::string_view name, std::string_view defaultText, bool enabled)
    : name_(name), text_(defaultText), enabled_(enabled) {}

void TextBox::SetText(std::string_view text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    if (change_) {
        change_();
    }
}

void TextBox::Keystroke(std::int16_t keyAscii, std::string_view textAfter) {
    if (KeyPress(keyAscii) != 0) {
        SetText(textAfter);
    }
    RaiseKeyUp(keyAscii);
}

std::int16_t TextBox::KeyPress(std::int16_t keyAscii) {
    if (keyPress_) {
        keyPress_(keyAscii);
    }
    return keyAscii;
}

void TextBox::KeyRelease(std::int16_t keyCode) {
    RaiseKeyUp(keyCode);
}

void TextBox::DeleteKey(std::string_view textAfter) {
    SetText(textAfter);
    RaiseKeyUp(kDeleteKeyCode);
}

void TextBox::RaiseKeyUp(std::int16_t keyCode) {
    if (keyUp_) {
        keyUp_(keyCode, kNoShift);
    }
}

}  // namespace idrovela::window
