#pragma once

#include <functional>

#include "calc/runtime_error.h"
#include "window/platform.h"

class QWidget;

namespace idrovela::window::qt {

// Keeps a top-level widget above all other windows, or releases it, without moving, resizing or
// activating it. On Windows through SetWindowPos; elsewhere through the stays-on-top hint of the
// widget's native window, which the window manager applies in place. (Changing the widget's own
// window flags would re-create the native window, and may move it.) Without a native window
// yet the call does nothing.
class WindowOnTop final : public AlwaysOnTop {
  public:
    explicit WindowOnTop(QWidget& window) : window_(window) {}
    void SetAlwaysOnTop(bool onTop) override;

  private:
    QWidget& window_;
};

// Shows a run-time error to the user; the default is a modal message box over `parent`.
using MessageBox = std::function<void(QWidget* parent, const RuntimeError& error)>;

// The message box the program shows for a run-time error: its number and description.
void ShowErrorMessageBox(QWidget* parent, const RuntimeError& error);

// Reports each error once the handlers that raised it have unwound: the message box is queued to
// the event loop, so its own modal loop never runs inside a handler.
class QueuedErrorReporter final : public ErrorReporter {
  public:
    QueuedErrorReporter(QWidget& window, MessageBox messageBox)
        : window_(window), messageBox_(std::move(messageBox)) {}
    void ReportError(const RuntimeError& error) override;
    // How many errors have been reported so far.
    [[nodiscard]] int Reported() const { return reported_; }

  private:
    QWidget& window_;
    MessageBox messageBox_;
    int reported_ = 0;
};

}  // namespace idrovela::window::qt
