#include "window/spinner.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace idrovela::window {

namespace {

// The whole number that `text` spells with plain digits, if it lies within [minimum, maximum].
bool ReadWhole(std::string_view text, int minimum, int maximum, int& value) {
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return false;
    }
    int parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    if (parsed < minimum || parsed > maximum) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

Spinner::Spinner(std::string_view name, TextBox& buddy, int minimum, int maximum, int step)
    : name_(name),
      buddy_(buddy),
      minimum_(minimum),
      maximum_(maximum),
      step_(step),
      value_(minimum) {
    // The starting value is the field's default text.
    ReadWhole(buddy_.Text(), minimum_, maximum_, value_);
}

void Spinner::UserUp() {
    TakeUpBuddyText();
    StepTo(std::min(value_ + step_, maximum_));
}

void Spinner::UserDown() {
    TakeUpBuddyText();
    StepTo(std::max(value_ - step_, minimum_));
}

void Spinner::WriteAndNotify(std::string_view text) {
    ReadWhole(text, minimum_, maximum_, value_);
    buddy_.SetText(text);
    if (change_) {
        change_();
    }
}

void Spinner::TakeUpBuddyText() {
    ReadWhole(buddy_.Text(), minimum_, maximum_, value_);
}

void Spinner::StepTo(int value) {
    if (value == value_) {
        return;
    }
    value_ = value;
    WriteAndNotify(std::to_string(value_));
}

}  // namespace idrovela::window
