#include "session/session.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "calc/runtime_error.h"
#include "calc/text_conversions.h"
#include "session/circuit_actions.h"
#include "session/tool_actions.h"
#include "session/words.h"
#include "text/utf8.h"
#include "window/controls.h"
#include "window/form_principale.h"

namespace idrovela::session {

using window::AlwaysOnTop;
using window::ControlDesign;
using window::ErrorReporter;
using window::Form_Principale;
using window::kControls;
using window::OptionButton;
using window::Spinner;
using window::TextBox;

namespace {

// The window's platform in a session: remembers the last on-top call and prints each error.
class SessionPlatform final : public AlwaysOnTop, public ErrorReporter {
  public:
    explicit SessionPlatform(std::ostream& out) : out_(out) {}

    void SetAlwaysOnTop(bool onTop) override { onTop_ = onTop; }
    void ReportError(const RuntimeError& error) override {
        ++errors_;
        out_ << "error " << error.number() << ' ' << error.description() << '\n';
    }

    [[nodiscard]] bool OnTop() const { return onTop_; }
    [[nodiscard]] int Errors() const { return errors_; }

  private:
    std::ostream& out_;
    bool onTop_ = false;
    int errors_ = 0;
};

class Session {
  public:
    Session(std::ostream& out, std::ostream& err,
            std::optional<std::filesystem::path> userCatalogueDir)
        : out_(out),
          err_(err),
          platform_(out),
          form_(platform_, platform_),
          tools_(form_, out, err, std::move(userCatalogueDir)),
          circuits_(out, [this]() -> const catalogues::Catalogue& { return tools_.Catalogue(); }) {}

    // Runs one line; false after reporting an unknown action or control.
    bool Run(std::string_view line) {
        const bool ran = RunAction(line);
        tools_.AfterEachAction();
        return ran;
    }

  private:
    bool Unknown(std::string_view what, std::string_view name) {
        err_ << "idrovela-session: unknown " << what << " \"" << name << "\"\n";
        return false;
    }
    bool RunAction(std::string_view line);
    void Type(TextBox& field, std::string_view typed);
    bool Click(std::string_view name);
    void Print();

    std::ostream& out_;
    std::ostream& err_;
    SessionPlatform platform_;
    Form_Principale form_;
    ToolActions tools_;
    CircuitActions circuits_;
};

bool Session::RunAction(std::string_view line) {
    std::string_view rest = line;
    const std::string_view action = NextWord(rest);

    if (action == "load") {
        form_.Load();
    } else if (action == "recalc") {
        form_.UserRecalc();
    } else if (action == "print") {
        Print();
    } else if (action == "click") {
        return Click(rest);
    } else if (action == "keystroke" || action == "type" || action == "key" || action == "delete" ||
               action == "paste") {
        const std::string_view name = NextWord(rest);
        TextBox* field = form_.FindTextBox(name);
        if (field == nullptr) {
            return Unknown("text box", name);
        }
        if (action == "keystroke") {
            const std::string_view codeText = NextWord(rest);
            int code = 0;
            const auto [end, error] =
                std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
            if (error != std::errc() || end != codeText.data() + codeText.size() ||
                code < INT16_MIN || code > UINT16_MAX) {
                return Unknown("character code", codeText);
            }
            form_.UserKeystroke(*field, static_cast<std::int16_t>(code), rest);
        } else if (action == "type") {
            Type(*field, rest);
        } else if (action == "key") {
            form_.UserKeyRelease(*field, 0);
        } else if (action == "delete") {
            form_.UserDelete(*field, rest);
        } else {
            form_.UserEdit(*field, rest);
        }
    } else if (action == "up" || action == "down" || action == "spin") {
        const std::string_view name = NextWord(rest);
        Spinner* spinner = form_.FindSpinner(name);
        if (spinner == nullptr) {
            return Unknown("spinner", name);
        }
        if (action == "up") {
            form_.UserUp(*spinner);
        } else if (action == "down") {
            form_.UserDown(*spinner);
        } else {
            form_.UserSpin(*spinner, rest);
        }
    } else {
        switch (tools_.Run(action, rest)) {
            case ToolActions::Outcome::Ran:
                break;
            case ToolActions::Outcome::Unknown:
                return false;
            case ToolActions::Outcome::NotMine:
                if (!circuits_.Run(action, rest)) {
                    return Unknown("action", action);
                }
                break;
        }
    }
    return true;
}

void Session::Type(TextBox& field, std::string_view typed) {
    const int errorsBefore = platform_.Errors();
    while (!typed.empty()) {
        // A byte that starts no character is a key of its own.
        const text::Utf8Step key = text::Utf8At(typed, 0, text::Utf8Reading::Lenient);
        std::string after = field.Text();
        after.append(typed.substr(0, key.length));
        form_.UserKeystroke(field, static_cast<std::int16_t>(key.codePoint & 0xFFFFu), after);
        if (platform_.Errors() != errorsBefore) {
            return;  // the error's message box takes the rest of the keys
        }
        typed.remove_prefix(key.length);
    }
}

bool Session::Click(std::string_view name) {
    if (OptionButton* button = form_.FindOptionButton(name)) {
        form_.UserClick(*button);
    } else if (name == form_.Check1.Name()) {
        form_.UserClick(form_.Check1);
    } else if (TextBox* field = form_.FindTextBox(name)) {
        form_.UserClick(*field);
    } else {
        // Labels, frames and spinners take clicks but run nothing.
        const bool known = std::any_of(kControls.begin(), kControls.end(),
                                       [name](const ControlDesign& c) { return c.name == name; });
        if (!known) {
            return Unknown("control", name);
        }
    }
    return true;
}

void Session::Print() {
    for (const TextBox* field : form_.TextBoxes()) {
        out_ << "text." << field->Name() << '=' << field->Text() << '\n';
    }
    for (const TextBox* field : form_.TextBoxes()) {
        out_ << "enabled." << field->Name() << '=' << field->Enabled() << '\n';
    }
    for (const OptionButton* button : form_.OptionButtons()) {
        out_ << "selected." << button->Name() << '=' << button->Value() << '\n';
    }
    out_ << "checked." << form_.Check1.Name() << '=' << form_.Check1.Value() << '\n';
    for (const Spinner* spinner : form_.Spinners()) {
        out_ << "visible." << spinner->Name() << '=' << spinner->Visible() << '\n';
    }
    out_ << "ontop=" << platform_.OnTop() << '\n';
    out_ << "var.costanterho=" << NumberToText(form_.costanterho) << '\n';
    out_ << "var.costantec=" << NumberToText(form_.costantec) << '\n';
    out_ << "var.numeroreynolds=" << NumberToText(form_.numeroreynolds()) << '\n';
    out_ << "var.costantemu=" << NumberToText(form_.costantemu()) << '\n';
    out_ << "var.costanteepsilon=" << NumberToText(form_.costanteepsilon()) << '\n';
    out_ << "end\n";
}

}  // namespace

int RunSession(std::istream& script, std::ostream& out, std::ostream& err,
               std::optional<std::filesystem::path> userCatalogueDir) {
    Session session(out, err, std::move(userCatalogueDir));
    std::string line;
    while (std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (!session.Run(line)) {
            out.flush();
            return 2;
        }
    }
    out.flush();
    return 0;
}

}  // namespace idrovela::session
