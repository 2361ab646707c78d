#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/runtime_error.h"
#include "window/form_principale.h"

namespace idrovela::window::test {

// Stands in for the platform: records every on-top call and every reported error.
class Recorder final : public AlwaysOnTop, public ErrorReporter {
  public:
    void SetAlwaysOnTop(bool onTop) override { onTopCalls.push_back(onTop); }
    void ReportError(const RuntimeError& error) override { errors.push_back(error.code()); }

    std::vector<bool> onTopCalls;
    std::vector<ErrorCode> errors;
};

// A window with a recorder, created in its initial state; Start() runs its load notification.
class WindowTest : public ::testing::Test {
  protected:
    void Start() {
        form.Load();
        ASSERT_TRUE(recorder.errors.empty());
    }
    // The user selects the text of `field` and pastes `text` over it.
    void Paste(TextBox& field, std::string_view text) { form.UserEdit(field, text); }
    // The user types `text` at the end of `field`, one keystroke per character.
    void Type(TextBox& field, std::string_view text) {
        for (const char c : text) {
            form.UserKeystroke(field, static_cast<std::int16_t>(c), field.Text() + c);
        }
    }
    std::int64_t Evaluations() const { return form.Work().evaluations; }
    std::vector<ErrorCode> TakeErrors() { return std::exchange(recorder.errors, {}); }

    Recorder recorder;
    Form_Principale form{recorder, recorder};
};

}  // namespace idrovela::window::test
