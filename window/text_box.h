#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace idrovela::window {

// A one-line text field. It owns the notification rules that every handler relies on:
//  - writing a text raises Change at once, inside the write, and the handler runs to its end
//    before the write returns; a write that leaves the text as it was raises nothing;
//  - one keystroke raises KeyPress (which may discard the key by setting its code to 0), then
//    Change when the text changed, then KeyUp.
// A handler's run-time error leaves the write done and stops the rest of the sequence.
class TextBox {
  public:
    using ChangeHandler = std::function<void()>;
    using KeyPressHandler = std::function<void(std::int16_t& keyAscii)>;
    using KeyUpHandler = std::function<void(std::int16_t keyCode, std::int16_t shift)>;

    TextBox(std::string_view name, std::string_view defaultText, bool enabled);
    TextBox(const TextBox&) = delete;
    TextBox& operator=(const TextBox&) = delete;

    [[nodiscard]] std::string_view Name() const { return name_; }
    [[nodiscard]] const std::string& Text() const { return text_; }
    [[nodiscard]] bool Enabled() const { return enabled_; }

    // A write by the program, or the field's new text after the user's edit.
    void SetText(std::string_view text);
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    // The user's keystroke of a key with a character: the text the field would hold if the key
    // is not discarded is `textAfter`.
    void Keystroke(std::int16_t keyAscii, std::string_view textAfter);
    // Only the KeyPress of a keystroke, for a toolkit that edits the text itself: returns the
    // character code the handler leaves, 0 when it discards the key.
    [[nodiscard]] std::int16_t KeyPress(std::int16_t keyAscii);
    // The release of a key without a character (an arrow, Home, Shift): only KeyUp is raised.
    void KeyRelease(std::int16_t keyCode);
    // The Delete key: the text changes, then the key is released; there is no key press.
    void DeleteKey(std::string_view textAfter);

    void OnChange(ChangeHandler handler) { change_ = std::move(handler); }
    void OnKeyPress(KeyPressHandler handler) { keyPress_ = std::move(handler); }
    void OnKeyUp(KeyUpHandler handler) { keyUp_ = std::move(handler); }

  private:
    void RaiseKeyUp(std::int16_t keyCode);

    std::string name_;
    std::string text_;
    bool enabled_;
    ChangeHandler change_;
    KeyPressHandler keyPress_;
    KeyUpHandler keyUp_;
};

}  // namespace idrovela::window
