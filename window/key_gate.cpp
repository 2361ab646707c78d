#include "window/key_gate.h"

#include <algorithm>

namespace idrovela::window {

void KeyReleaseGate::PressedHere(int key) {
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
