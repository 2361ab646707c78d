#pragma once

#include <QObject>

#include "window/platform.h"

class QEvent;
class QWidget;

namespace idrovela::window::qt {

// Whether `widget` is a window the user sees as one: a main window, a dialog or a tool window;
// not a menu, a tooltip or a pop-up list.
[[nodiscard]] bool IsWindowOfItsOwn(const QWidget& widget);

// The program's windows on top together. The main window's on-top calls go to `mainOnTop`
// exactly as the window model makes them. Every other window of the program (circuit windows,
// tool windows, the help, dialogs and message boxes; not menus or tooltips) takes the same
// state, set in place as WindowOnTop sets it: each window open at the call, and each window
// again as it is shown, so that one created while the main window is on top starts on top. While
// the main window stays on top they all do, and stack among themselves as the user activates
// them; when it is released, they all are.
class WindowsOnTop final : public QObject, public AlwaysOnTop {
  public:
    WindowsOnTop(const QWidget& mainWindow, AlwaysOnTop& mainOnTop);
    WindowsOnTop(const WindowsOnTop&) = delete;
    WindowsOnTop& operator=(const WindowsOnTop&) = delete;
    ~WindowsOnTop() override = default;

    void SetAlwaysOnTop(bool onTop) override;
    // The state the main window was last given.
    [[nodiscard]] bool OnTop() const { return onTop_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Whether `widget` is one of the program's other windows, which follow the main one.
    [[nodiscard]] bool Follows(const QWidget& widget) const;

    const QWidget& mainWindow_;
    AlwaysOnTop& mainOnTop_;
    bool onTop_ = false;
};

}  // namespace idrovela::window::qt
