// The window target's input: a sequence of user actions, each an action letter followed by its
// arguments. Bytes that start no action are skipped, so any input decodes. The letters keep seed
// inputs readable: "oP pY100\n r Y\n" selects the power mode, pastes 100 as the target and
// releases a key in Text_Y.
//
//   t F C      keystroke of the character byte C at the end of field F: key press, change,
//              key release, as the model delivers one keystroke
//   k F C      the same keystroke as the desktop window delivers it: key press on its own,
//              the edit, then the release
//   b F        Backspace at the end of F
//   d F N      the Delete key at position N (modulo the text's length + 1)
//   p F TEXT   paste TEXT over the whole of F; TEXT runs to a newline or the end
//   i F N TEXT paste TEXT at position N
//   r F K      release of key code K in F
//   o B        click option button B
//   c          click Check1
//   x          click Text1
//   u S, v S   up or down arrow of spinner S
//   f K P C    "Applica" of the fluid dialog: fluid K (w water, e ethylene, p propylene glycol,
//              or any byte modulo 3) at P % by volume (the byte modulo 71) and C − 30 °C (the
//              byte modulo 131)
//   h N R      Enter on row R (modulo the rows) of the pipe table of built-in series N (modulo
//              the series)
//
// F is one of the letters D L P T G V Y I E M R (Text_D, Text_Pollici, Text_P, Text_dT, Text_G,
// Text_V, Text_Y, Text1, Text_epsilon, Text_Mu, Text_Rho) or any other byte modulo 11. B is one
// of D P L (the modes), 1 2 3 4 X (materials), a b c x (fluids), or any byte modulo 12. S is D, P
// or Y, or any byte modulo 3.
//
// After every action the tool windows' figures are worked out as they are after a user's action:
// the physics panel's, and the pipe table of one built-in series, each series in turn. Each figure
// is finite, or the tool says why there is none; nothing is raised. While a chosen tube is
// remembered, the panel's loss is the table's for that tube, to the bit.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "calc/runtime_error.h"
#include "catalogues/built_in.h"
#include "fuzz/checks.h"
#include "tools/fluid_tool.h"
#include "tools/physics_panel.h"
#include "tools/pipe_table.h"
#include "tools/tool_memory.h"
#include "window/form_principale.h"

namespace idrovela::fuzz {

namespace {

using window::Form_Principale;
using window::OptionButton;
using window::Spinner;
using window::TextBox;

class Platform final : public window::AlwaysOnTop, public window::ErrorReporter {
  public:
    void SetAlwaysOnTop(bool /*onTop*/) override {}
    void ReportError(const RuntimeError& error) override {
        switch (error.code()) {
            case ErrorCode::InvalidProcedureCall:
            case ErrorCode::Overflow:
            case ErrorCode::DivisionByZero:
            case ErrorCode::TypeMismatch:
                return;
        }
        throw PropertyBroken(std::string("an error that is none of the four: ") + error.what());
    }
};

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    [[nodiscard]] bool Empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
    std::string Line() {
        std::string line;
        while (!Empty() && data_[at_] != '\n') {
            line += static_cast<char>(data_[at_++]);
        }
        ++at_;
        return line;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::size_t Pick(std::uint8_t byte, std::string_view letters) {
    const std::size_t found = letters.find(static_cast<char>(byte));
    return found != std::string_view::npos ? found : byte % letters.size();
}

class WindowUnderTest {
  public:
    WindowUnderTest() { form_.Load(); }

    void Run(Input& input) {
        while (!input.Empty()) {
            const window::RecalcWork before = form_.Work();
            if (Act(input)) {
                memory_.Follow(form_);
                CheckInvariants(before);
                CheckTools();
            }
        }
        CheckStillAnswers();
    }

  private:
    TextBox& Field(std::uint8_t byte) { return *form_.TextBoxes()[Pick(byte, "DLPTGVYIEMR")]; }
    OptionButton& Option(std::uint8_t byte) {
        return *form_.OptionButtons()[Pick(byte, "DPL1234Xabcx")];
    }
    Spinner& SpinnerOf(std::uint8_t byte) { return *form_.Spinners()[Pick(byte, "DPY")]; }

    static std::size_t Position(std::uint8_t byte, const std::string& text) {
        return byte % (text.size() + 1);
    }

    // Runs one action; false for a byte that starts none.
    bool Act(Input& input) {
        switch (input.Byte()) {
            case 't': {
                TextBox& field = Field(input.Byte());
                const auto c = static_cast<char>(input.Byte());
                form_.UserKeystroke(field, static_cast<std::uint8_t>(c), field.Text() + c);
                return true;
            }
            case 'k': {
                TextBox& field = Field(input.Byte());
                const auto c = static_cast<char>(input.Byte());
                const auto code = static_cast<std::int16_t>(static_cast<std::uint8_t>(c));
                if (form_.UserKeyPress(field, code) != 0) {
                    form_.UserEdit(field, field.Text() + c);
                }
                form_.UserKeyRelease(field, code);
                return true;
            }
            case 'b': {
                TextBox& field = Field(input.Byte());
                std::string after = field.Text();
                if (!after.empty()) {
                    after.pop_back();
                }
                form_.UserKeystroke(field, 8, after);
                return true;
            }
            case 'd': {
                TextBox& field = Field(input.Byte());
                std::string after = field.Text();
                const std::size_t at = Position(input.Byte(), after);
                if (at < after.size()) {
                    after.erase(at, 1);
                }
                form_.UserDelete(field, after);
                return true;
            }
            case 'p': {
                TextBox& field = Field(input.Byte());
                form_.UserEdit(field, input.Line());
                return true;
            }
            case 'i': {
                TextBox& field = Field(input.Byte());
                std::string after = field.Text();
                const std::size_t at = Position(input.Byte(), after);
                after.insert(at, input.Line());
                form_.UserEdit(field, after);
                return true;
            }
            case 'r': {
                TextBox& field = Field(input.Byte());
                form_.UserKeyRelease(field, input.Byte());
                return true;
            }
            case 'o':
                form_.UserClick(Option(input.Byte()));
                return true;
            case 'c':
                form_.UserClick(form_.Check1);
                return true;
            case 'x':
                form_.UserClick(form_.Text1);
                return true;
            case 'u':
                form_.UserUp(SpinnerOf(input.Byte()));
                return true;
            case 'v':
                form_.UserDown(SpinnerOf(input.Byte()));
                return true;
            case 'f': {
                static constexpr tools::FluidKind kKinds[] = {tools::FluidKind::Acqua,
                                                              tools::FluidKind::Etilenico,
                                                              tools::FluidKind::Propilenico};
                const tools::FluidKind kind = kKinds[Pick(input.Byte(), "wep")];
                const double percent = input.Byte() % 71;
                const double celsius = input.Byte() % 131 - 30.0;
                static_cast<void>(memory_.ApplyFluid(form_, {kind, percent, celsius}));
                return true;
            }
            case 'h': {
                const catalogues::Series& series =
                    catalogue_.series[input.Byte() % catalogue_.series.size()];
                const tools::PipeTable table = tools::ComputePipeTable(form_, series, {});
                const std::uint8_t row = input.Byte();
                if (!table.rows.empty()) {
                    static_cast<void>(
                        memory_.ChooseTube(form_, series, table.rows[row % table.rows.size()]));
                }
                return true;
            }
            default:
                return false;
        }
    }

    void CheckInvariants(const window::RecalcWork& before) {
        for (const window::OptionGroup* group :
             {&form_.SolveModeGroup, &form_.MaterialGroup, &form_.FluidGroup}) {
            const auto selected = std::count_if(group->Buttons().begin(), group->Buttons().end(),
                                                [](const OptionButton* b) { return b->Value(); });
            if (selected != 1) {
                throw PropertyBroken("an option group without exactly one selection");
            }
        }
        const bool otherFluid = form_.Option_FluidoX.Value();
        if (form_.Text_Mu.Enabled() != otherFluid || form_.Text_Rho.Enabled() != otherFluid) {
            throw PropertyBroken("the fluid fields do not follow the fluid selection");
        }
        if (form_.Text_epsilon.Enabled() != form_.Option_TuboX.Value()) {
            throw PropertyBroken("the roughness field does not follow the material selection");
        }
        const bool shown[] = {form_.UpDown_D.Visible(), form_.UpDown_P.Visible(),
                              form_.UpDown_Y.Visible()};
        const bool expected[] = {!form_.Option_Diametro.Value(), !form_.Option_Potenza.Value(),
                                 !form_.Option_Perdita.Value()};
        if (!std::equal(std::begin(shown), std::end(shown), std::begin(expected))) {
            throw PropertyBroken("the visible spinners do not follow the solve mode");
        }
        const std::int64_t evaluations = form_.Work().evaluations - before.evaluations;
        if (evaluations > kMaxEvaluationsPerAction) {
            throw PropertyBroken("one action ran " + std::to_string(evaluations) +
                                 " loss evaluations");
        }
        const std::int64_t differences =
            form_.Work().colebrookDifferences - before.colebrookDifferences;
        if (differences > kMaxDifferencesPerAction) {
            throw PropertyBroken("one action worked out " + std::to_string(differences) +
                                 " friction-factor differences");
        }
    }

    // The tools give finite figures or say why they have none, whatever the window holds.
    void CheckTools() {
        const tools::PhysicsCheck check = tools::CheckPhysics(form_, memory_.Tube());
        if (check.flow) {
            const physics::PipeFlow& flow = *check.flow;
            const bool finite =
                std::isfinite(flow.reynolds) && std::isfinite(flow.pascalPerMetre) &&
                std::isfinite(flow.mbarPerMetre) && std::isfinite(flow.mmWaterPerMetre) &&
                (!flow.lambda || std::isfinite(*flow.lambda));
            if (!finite || flow.lambda.has_value() != flow.regime.has_value()) {
                throw PropertyBroken("the physics panel shows a figure that is not a number");
            }
        } else if (check.message.empty()) {
            throw PropertyBroken("the physics panel shows neither figures nor why");
        }
        static_cast<void>(tools::PanelLines(check));  // every figure can be written
        if (const tools::ChosenTube* chosen = memory_.Tube()) {
            CheckPanelIsTheTable(check, *chosen);
        }
        // One series after each action, each in turn: the table of every series after every
        // action would cost the fuzzer most of its speed.
        const catalogues::Series& series = catalogue_.series[actions_++ % catalogue_.series.size()];
        const tools::PipeTable table = tools::ComputePipeTable(form_, series, {});
        if (table.rows.empty() && table.message.empty()) {
            throw PropertyBroken("the pipe table is empty without a reason");
        }
        for (const tools::PipeRow& row : table.rows) {
            const bool finite = std::isfinite(row.velocityMs) &&
                                (!row.standard || std::isfinite(row.standard->pascalPerMetre));
            if (!finite || (!row.standard && row.standardError.empty())) {
                throw PropertyBroken("the pipe table shows a figure that is not a number");
            }
        }
        static_cast<void>(tools::SessionLines(table));
    }

    // The panel at a chosen tube has the table's inputs for that tube, and so its figures.
    void CheckPanelIsTheTable(const tools::PhysicsCheck& check, const tools::ChosenTube& chosen) {
        catalogues::Series alone;
        alone.tubes = {chosen.tube};
        const tools::PipeTable table = tools::ComputePipeTable(form_, alone, {});
        const tools::PipeRow* row = table.rows.empty() ? nullptr : &table.rows.front();
        const bool tableHasFigures = row != nullptr && row->standard.has_value();
        if (check.flow.has_value() != tableHasFigures) {
            throw PropertyBroken("the panel at a chosen tube and the table disagree on a loss");
        }
        if (tableHasFigures && (check.flow->pascalPerMetre != row->standard->pascalPerMetre ||
                                check.flow->reynolds != row->standard->reynolds)) {
            throw PropertyBroken("the panel at a chosen tube gives another loss than the table");
        }
    }

    // Whatever came before, the information line still toggles on the next two clicks.
    void CheckStillAnswers() {
        form_.UserClick(form_.Text1);
        const std::string first = form_.Text1.Text();
        form_.UserClick(form_.Text1);
        const std::string second = form_.Text1.Text();
        const bool toggles = (first == window::kWebAddress && second == window::kVersionText) ||
                             (first == window::kVersionText && second == window::kWebAddress);
        if (!toggles) {
            throw PropertyBroken("the window no longer answers a click");
        }
    }

    Platform platform_;
    Form_Principale form_{platform_, platform_};
    catalogues::Catalogue catalogue_ = catalogues::BuiltInCatalogue();
    tools::ToolMemory memory_;
    std::size_t actions_ = 0;
};

}  // namespace

void CheckWindowActions(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    WindowUnderTest window;
    window.Run(input);
}

}  // namespace idrovela::fuzz
