#include "window/key_gate.h"

#include <algorithm>

namespace idrovela::window {

void KeyReleaseGate::PressedHere(int key, bool autoRepeat) {
    if (autoRepeat) {
        return;  // the key's first press settled whether its keystroke is this window's
    }
    // A key is held once, however often it is pressed without a release the window saw.
    if (std::find(held_.begin(), held_.end(), key) == held_.end()) {
        held_.push_back(key);
    }
}

void KeyReleaseGate::PressedElsewhere(int key) {
    Forget(key);
}

void KeyReleaseGate::ShortcutTaken() {
    held_.clear();
}

void KeyReleaseGate::KeystrokeStopped() {
    if (!held_.empty()) {
        held_.pop_back();
    }
}

bool KeyReleaseGate::ReleaseCounts(int key) {
    const bool held = std::find(held_.begin(), held_.end(), key) != held_.end();
    Forget(key);
    return held;
}

void KeyReleaseGate::Forget(int key) {
    held_.erase(std::remove(held_.begin(), held_.end(), key), held_.end());
}

}  // namespace idrovela::window
