#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/numbers.h"
#include "recalc/recalc_window.h"
#include "window/option_button.h"
#include "window/platform.h"
#include "window/spinner.h"
#include "window/text_box.h"

namespace idrovela::window {

// How much a window has computed: loss evaluations, friction-factor steps (the stepping's
// nominal count) and the Colebrook-White differences really worked out for them.
struct RecalcWork {
    std::int64_t evaluations = 0;
    std::int64_t lambdaSteps = 0;
    std::int64_t colebrookDifferences = 0;
};

// The main window as a model: every control with its state, the window variables and every
// handler, with no toolkit. A toolkit binding mirrors the controls and forwards the user's
// actions through the User... operations; everything runs on one thread, one action at a time.
class Form_Principale {
  public:
    Form_Principale(AlwaysOnTop& alwaysOnTop, ErrorReporter& errorReporter);
    Form_Principale(const Form_Principale&) = delete;
    Form_Principale& operator=(const Form_Principale&) = delete;

    // ---- Controls, by the names of the window ----
    TextBox Text_D;
    TextBox Text_Pollici;
    TextBox Text_P;
    TextBox Text_dT;
    TextBox Text_G;
    TextBox Text_V;
    TextBox Text_Y;
    TextBox Text1;
    TextBox Text_epsilon;
    TextBox Text_Mu;
    TextBox Text_Rho;

    OptionButton Option_Diametro;
    OptionButton Option_Potenza;
    OptionButton Option_Perdita;
    OptionButton Option_Tubo1;
    OptionButton Option_Tubo2;
    OptionButton Option_Tubo3;
    OptionButton Option_Tubo4;
    OptionButton Option_TuboX;
    OptionButton Option_Fluido1;
    OptionButton Option_Fluido2;
    OptionButton Option_Fluido3;
    OptionButton Option_FluidoX;

    CheckBox Check1;

    Spinner UpDown_D;
    Spinner UpDown_P;
    Spinner UpDown_Y;

    OptionGroup SolveModeGroup;  // the window
    OptionGroup MaterialGroup;   // Frame1
    OptionGroup FluidGroup;      // Frame2

    // ---- Window variables ----
    Currency costanterho;
    Integer costantec;
    [[nodiscard]] Currency numeroreynolds() const { return numeroreynolds_; }
    [[nodiscard]] Currency costantemu() const { return costantemu_; }
    [[nodiscard]] Currency costanteepsilon() const { return costanteepsilon_; }

    // ---- The user's actions ----
    // Each runs the notifications the action raises, in order. A run-time error ends the action
    // where it is raised, goes to the error reporter, and leaves the window as it stands. Input
    // to a disabled field or a hidden spinner is ignored, as the window would.
    void Load();
    void UserKeystroke(TextBox& field, std::int16_t keyAscii, std::string_view textAfter);
    // The key press alone, for a toolkit whose field edits itself and reports the edit through
    // UserEdit: returns the character code to type, 0 when the key is discarded.
    [[nodiscard]] std::int16_t UserKeyPress(TextBox& field, std::int16_t keyAscii);
    void UserKeyRelease(TextBox& field, std::int16_t keyCode);
    void UserDelete(TextBox& field, std::string_view textAfter);
    void UserEdit(TextBox& field, std::string_view textAfter);  // a paste, a cut, an undo
    void UserClick(OptionButton& button);
    void UserClick(CheckBox& box);
    void UserClick(TextBox& field);
    void UserUp(Spinner& spinner);
    void UserDown(Spinner& spinner);
    void UserSpin(Spinner& spinner, std::string_view text);
    void UserRecalc();

    // ---- Controls by kind, in the order the window lists them, and by name ----
    [[nodiscard]] const std::vector<TextBox*>& TextBoxes() const { return textBoxes_; }
    [[nodiscard]] const std::vector<OptionButton*>& OptionButtons() const { return options_; }
    [[nodiscard]] const std::vector<Spinner*>& Spinners() const { return spinners_; }
    [[nodiscard]] TextBox* FindTextBox(std::string_view name) const;
    [[nodiscard]] OptionButton* FindOptionButton(std::string_view name) const;
    [[nodiscard]] Spinner* FindSpinner(std::string_view name) const;
    [[nodiscard]] OptionGroup& GroupOf(const OptionButton& button);

    // The work of every recalculation so far.
    [[nodiscard]] const RecalcWork& Work() const { return work_; }

    // ---- Handlers ----
    void Form_Load();

    void Option_Fluido1_Click();
    void Option_Fluido2_Click();
    void Option_Fluido3_Click();
    void Option_FluidoX_Click();
    void Option_Tubo1_Click();
    void Option_Tubo2_Click();
    void Option_Tubo3_Click();
    void Option_Tubo4_Click();
    void Option_TuboX_Click();
    void Text_epsilon_Change();

    void Text_D_Change();
    void Text_G_Change();
    void Text_P_Change();
    void Text_P_KeyPress(std::int16_t& keyAscii);
    void Text_D_KeyUp(std::int16_t keyCode, std::int16_t shift);
    void Text_P_KeyUp(std::int16_t keyCode, std::int16_t shift);
    void Text_Y_KeyUp(std::int16_t keyCode, std::int16_t shift);
    void UpDown_D_Change();
    void UpDown_P_Change();
    void UpDown_Y_Change();

    void Option_Diametro_Click();
    void Option_Potenza_Click();
    void Option_Perdita_Click();

    void Check1_Click();
    void Text1_Click();

    // The recalculation and its evaluation step.
    void Ricalcola();
    [[nodiscard]] Long ValutaPerdita(Currency velocityMs, Integer diameterMm);

  private:
    // The window's fields as the recalculation sees them.
    class RecalcFields final : public recalc::RecalcWindow {
      public:
        explicit RecalcFields(Form_Principale& form) : form_(form) {}
        [[nodiscard]] const std::string& Text(recalc::Field field) const override;
        void SetText(recalc::Field field, const std::string& text) override;
        [[nodiscard]] bool Selected(recalc::Mode mode) const override;
        void SetNumeroReynolds(Currency reynolds) override;
        void CountEvaluation() override;
        void CountLambdaSteps(std::int64_t steps) override;
        void CountColebrookDifferences(std::int64_t differences) override;

      private:
        [[nodiscard]] TextBox& Box(recalc::Field field) const;
        Form_Principale& form_;
    };

    template <typename Action>
    void RunUserAction(Action&& action);
    void WireHandlers();
    void ShowSpinners(bool d, bool p, bool y);
    void FluidPreset(std::string_view viscosity, std::string_view density);
    void MaterialPreset(std::string_view roughness);
    void GuardedRecalc(const TextBox& field, double upperLimit,
                       void (Form_Principale::*spinnerChange)());
    void FlowToVelocity();

    AlwaysOnTop& alwaysOnTop_;
    ErrorReporter& errorReporter_;
    RecalcFields recalcFields_;
    RecalcWork work_;
    Currency numeroreynolds_;
    Currency costantemu_;
    Currency costanteepsilon_;
    std::vector<TextBox*> textBoxes_;
    std::vector<OptionButton*> options_;
    std::vector<Spinner*> spinners_;
};

// The information line's two texts after the first click.
inline constexpr std::string_view kWebAddress = "www.idrovela.example.org";
inline constexpr std::string_view kVersionText = "Versione Beta 2004 11 24";

}  // namespace idrovela::window
