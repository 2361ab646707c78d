#pragma once

#include <QString>
#include <Qt>
#include <cstdint>
#include <optional>

namespace idrovela::window::qt {

// The character code a key press types, as the window's key-press handlers receive it, or no
// code for a key that types nothing (arrows, Home, End, Delete, function keys, Tab, a modifier
// alone). The key decides together with its text, as the text alone differs by platform: under
// X, Delete carries 0x7f and Ctrl+V carries 0x16, elsewhere both may carry nothing. Backspace
// is 8, Enter 13, Escape 27, and Ctrl with a letter its control code (Ctrl+V is 22) on every
// platform; any other character is its own code.
[[nodiscard]] std::optional<std::int16_t> CharacterCode(int key, Qt::KeyboardModifiers modifiers,
                                                        const QString& text);

// The key code of a key release, as the window's key-release handlers receive it: letters and
// digits their upper-case character, the editing and navigation keys the codes the window has
// always used (Backspace 8, Delete 46, the arrows 37 to 40, ...), any other key 0.
[[nodiscard]] std::int16_t KeyCode(int key);

}  // namespace idrovela::window::qt
