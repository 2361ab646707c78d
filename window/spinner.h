#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "window/text_box.h"

namespace idrovela::window {

// A pair of up and down arrows bound to a text box. It keeps a whole value between its minimum
// and maximum, writes it into the text box as digits and then raises its own Change.
class Spinner {
  public:
    Spinner(std::string_view name, TextBox& buddy, int minimum, int maximum, int step);
    Spinner(const Spinner&) = delete;
    Spinner& operator=(const Spinner&) = delete;

    [[nodiscard]] std::string_view Name() const { return name_; }
    [[nodiscard]] TextBox& Buddy() const { return buddy_; }
    [[nodiscard]] int Value() const { return value_; }
    [[nodiscard]] int Minimum() const { return minimum_; }
    [[nodiscard]] int Maximum() const { return maximum_; }
    [[nodiscard]] bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    // Arrow clicks. Each first takes up the field's text when it reads as a whole number within
    // the range, then steps; at either end the value stays where it is and nothing is raised.
    void UserUp();
    void UserDown();

    // Writes `text` into the text box, with its change handler, then raises Change: what an arrow
    // click does once it has the new value.
    void WriteAndNotify(std::string_view text);

    void OnChange(std::function<void()> handler) { change_ = std::move(handler); }

  private:
    void TakeUpBuddyText();
    void StepTo(int value);

    std::string name_;
    TextBox& buddy_;
    int minimum_;
    int maximum_;
    int step_;
    int value_;
    bool visible_ = true;
    std::function<void()> change_;
};

}  // namespace idrovela::window
