#pragma once

#include <vector>

namespace idrovela::window {

// Which key releases end a keystroke of this window. A keystroke in a field is its key press, its
// change and its key release; a release counts only when the same key's press was delivered to
// this window and nothing took the key since: not another window (a message box that closes on
// the press hands its release to the field below it), not a menu shortcut (its keys, modifiers
// included, belong to the menu). A press in one control and its release in another, as Tab
// moving the focus, still counts. A run-time error raised by a keystroke's press or change ends
// the keystroke there, so its release does not count either. A key held down repeats its press,
// but it is still the one keystroke its first press began, wherever that went: its auto-repeats
// neither start a keystroke here nor take up again one that an error ended. Keys are the
// toolkit's key numbers.
class KeyReleaseGate {
  public:
    // A press delivered to a control of this window; `autoRepeat` when the key was already down.
    void PressedHere(int key, bool autoRepeat);
    // A press delivered to another window of the program, auto-repeats included.
    void PressedElsewhere(int key);
    // A shortcut fired: every key held now belongs to it.
    void ShortcutTaken();
    // A run-time error ended the keystroke of the key pressed last (in its key press or in the
    // change it made), so its release is not part of it.
    void KeystrokeStopped();
    // Whether the release of `key` is the end of a keystroke here; the key is no longer held.
    [[nodiscard]] bool ReleaseCounts(int key);

  private:
    void Forget(int key);

    std::vector<int> held_;
};

}  // namespace idrovela::window
