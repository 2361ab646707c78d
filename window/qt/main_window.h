#pragma once

#include <QMainWindow>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "window/controls.h"
#include "window/form_principale.h"
#include "window/qt/classic_frame_style.h"
#include "window/qt/key_watch.h"
#include "window/qt/main_menus.h"
#include "window/qt/platform_qt.h"
#include "window/qt/windows_on_top.h"

class QAction;
class QCheckBox;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QRadioButton;
class QSettings;

namespace idrovela::window::qt {

class SpinnerWidget;

// The pixels, device-independent, of a length in twips: 15 twips make one pixel at 96 dpi.
[[nodiscard]] int TwipsToPixels(int twips);

// The font every control uses. Liberation Sans at 8 pt fits every caption at the window's sizes.
inline constexpr std::string_view kFontFamily = "Liberation Sans";
inline constexpr int kFontPointSize = 8;

// The desktop window over the window model: a menu bar above the client area, and in the client
// area one widget per control, named by the control, at the control's twips. It forwards the
// user's clicks, edits and keys to the model and after each of them mirrors the model back:
// texts (keeping the caret), enabled states, option and check states, and which spinners show.
// All state lives in the model.
class MainWindow final : public QMainWindow {
  public:
    // `onTop` and `messageBox` stand in for the platform in tests; by default the window keeps
    // itself on top and shows run-time errors in a message box. Either way the program's other
    // windows follow the window's on-top state (WindowsOnTop).
    explicit MainWindow(AlwaysOnTop* onTop = nullptr, MessageBox messageBox = ShowErrorMessageBox);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the native window, runs the model's start-up and mirrors its result; the focus
    // starts in Text_Y. Call once, before show().
    void Start();

    [[nodiscard]] Form_Principale& Model() { return model_; }
    // The window's client area, 5730 × 4575 twips, below the menu bar.
    [[nodiscard]] QWidget& ClientArea() const { return *client_; }
    // The menu "Strumenti", which the tool windows fill.
    [[nodiscard]] QMenu& ToolsMenu() const { return menus_->Tools(); }
    // The menu "File", where the circuit windows add their entries above the window's own.
    [[nodiscard]] QMenu& FileMenu() const { return menus_->File(); }
    // The menu bar's entries: "Copia i valori", "Guida", "Informazioni su Idrovela".
    [[nodiscard]] MainMenus& Menus() { return *menus_; }

    // Runs an action of the user from another window (a tool window) on the model, then mirrors
    // the model and tells the tool windows, as the window's own controls do.
    void Act(const std::function<void(Form_Principale&)>& action);
    // Calls `refresh` after every action of the user, once the window has mirrored the model.
    void AfterEachAction(std::function<void()> refresh);

    // Says what the fluid "Altro" is, for "Copia i valori"; the tool windows know it.
    void DescribeOtherFluid(std::function<std::optional<std::string>()> describe) {
        menus_->DescribeOtherFluid(std::move(describe));
    }

    // Where the program's other windows remember their places and the tools their choices
    // between runs: the user's settings, which the program's main() gives and which must outlive
    // the window. None by default (tests): nothing is read or remembered.
    void KeepSettingsIn(QSettings* settings) { settings_ = settings; }
    [[nodiscard]] QSettings* Settings() const { return settings_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    [[nodiscard]] QWidget* Widget(std::string_view name) const;
    void CreateControls();
    QWidget* CreateControl(const ControlDesign& design, QWidget* container);
    QWidget* CreateSpinner(window::Spinner& spinner, QWidget* container);
    void GroupOptionButtons();
    void SetTabOrder();
    void DescribeControls();
    void ConnectTextBox(QLineEdit& edit, TextBox& box);
    [[nodiscard]] bool FilterKeyPress(TextBox& box, const QKeyEvent& event);
    [[nodiscard]] bool SelectNeighbourOption(const OptionButton& option, const QKeyEvent& event);
    void KeyReleased(QWidget& receiver, const QKeyEvent& event);

    // Runs one action of the user on the model, then mirrors the model. Nothing thrown inside
    // leaves it: a Qt handler must not unwind through Qt.
    template <typename Action>
    void Forward(Action&& action);
    void Mirror();

    std::unique_ptr<WindowOnTop> ownOnTop_;
    WindowsOnTop onTop_;
    QueuedErrorReporter reporter_;
    Form_Principale model_;
    ClassicFrameStyle frameStyle_;
    QWidget* client_;
    std::unique_ptr<MainMenus> menus_;
    QSettings* settings_ = nullptr;
    std::vector<std::function<void()>> afterEachAction_;

    std::map<std::string, QWidget*, std::less<>> widgets_;
    std::vector<std::pair<QLineEdit*, TextBox*>> textBoxes_;
    std::vector<std::pair<QRadioButton*, OptionButton*>> optionButtons_;
    std::vector<std::pair<QWidget*, window::Spinner*>> spinners_;
    QCheckBox* check1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    KeyWatch keyWatch_;
};

}  // namespace idrovela::window::qt
