#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "window/controls.h"
#include "window/form_principale.h"
#include "window/qt/platform_qt.h"

class QCheckBox;
class QKeyEvent;
class QLineEdit;
class QRadioButton;

namespace idrovela::window::qt {

// The pixels, device-independent, of a length in twips: 15 twips make one pixel at 96 dpi.
[[nodiscard]] int TwipsToPixels(int twips);

// The font every control uses. Liberation Sans at 8 pt fits every caption at the window's sizes.
inline constexpr std::string_view kFontFamily = "Liberation Sans";
inline constexpr int kFontPointSize = 8;

// The desktop window over the window model. It creates one widget per control, named by the
// control, at the control's twips; forwards the user's clicks, edits and keys to the model; and
// after each of them mirrors the model back: texts (keeping the caret), enabled states, option
// and check states, and which spinners show. All state lives in the model.
class MainWindow final : public QWidget {
  public:
    // `onTop` and `messageBox` stand in for the platform in tests; by default the window keeps
    // itself on top and shows run-time errors in a message box.
    explicit MainWindow(AlwaysOnTop* onTop = nullptr, MessageBox messageBox = ShowErrorMessageBox);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the native window, runs the model's start-up and mirrors its result; the focus
    // starts in Text_Y. Call once, before show().
    void Start();

    [[nodiscard]] Form_Principale& Model() { return model_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    [[nodiscard]] QWidget* Widget(std::string_view name) const;
    void CreateControls();
    QWidget* CreateControl(const ControlDesign& design, QWidget* container);
    QWidget* CreateSpinner(window::Spinner& spinner, QWidget* container);
    void GroupOptionButtons();
    void SetTabOrder();
    void ConnectTextBox(QLineEdit& edit, TextBox& box);
    [[nodiscard]] bool FilterKeyPress(TextBox& box, const QKeyEvent& event);

    // Runs one action of the user on the model, then mirrors the model. Nothing thrown inside
    // leaves it: a Qt handler must not unwind through Qt.
    template <typename Action>
    void Forward(Action&& action);
    void Mirror();

    std::unique_ptr<WindowOnTop> ownOnTop_;
    AlwaysOnTop& onTop_;
    QueuedErrorReporter reporter_;
    Form_Principale model_;

    std::map<std::string, QWidget*, std::less<>> widgets_;
    std::vector<std::pair<QLineEdit*, TextBox*>> textBoxes_;
    std::vector<std::pair<QRadioButton*, OptionButton*>> optionButtons_;
    std::vector<std::pair<QWidget*, window::Spinner*>> spinners_;
    QCheckBox* check1_ = nullptr;
    QLineEdit* text1_ = nullptr;
};

}  // namespace idrovela::window::qt
