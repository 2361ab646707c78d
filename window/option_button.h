#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace idrovela::window {

// An option button. Only the user changes its state, through its group.
class OptionButton {
  public:
    OptionButton(std::string_view name, bool selected) : name_(name), selected_(selected) {}
    OptionButton(const OptionButton&) = delete;
    OptionButton& operator=(const OptionButton&) = delete;

    [[nodiscard]] std::string_view Name() const { return name_; }
    [[nodiscard]] bool Value() const { return selected_; }

    void OnClick(std::function<void()> handler) { click_ = std::move(handler); }

  private:
    friend class OptionGroup;

    std::string name_;
    bool selected_;
    std::function<void()> click_;
};

// The option buttons of one container, of which exactly one is selected.
class OptionGroup {
  public:
    explicit OptionGroup(std::vector<OptionButton*> buttons) : buttons_(std::move(buttons)) {}

    [[nodiscard]] const std::vector<OptionButton*>& Buttons() const { return buttons_; }

    // The user selects `button`: when it was not selected it becomes the group's selection and
    // its click handler runs; a click on the selected button does nothing.
    void UserSelect(OptionButton& button);

  private:
    std::vector<OptionButton*> buttons_;
};

// A check box: the user's click toggles it and then runs its handler.
class CheckBox {
  public:
    CheckBox(std::string_view name, bool checked) : name_(name), checked_(checked) {}
    CheckBox(const CheckBox&) = delete;
    CheckBox& operator=(const CheckBox&) = delete;

    [[nodiscard]] std::string_view Name() const { return name_; }
    [[nodiscard]] bool Value() const { return checked_; }

    void OnClick(std::function<void()> handler) { click_ = std::move(handler); }
    void UserClick();

  private:
    std::string name_;
    bool checked_;
    std::function<void()> click_;
};

}  // namespace idrovela::window
