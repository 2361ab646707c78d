#pragma once

#include <functional>

class QWidget;

namespace idrovela::window::qt {

// Runs `work` once the window has been painted for the first time, from the event loop, so that
// what the user does not need to see the window (a scan of the recovery folder, the files named
// at start, Qt's own translations) does not hold its first appearance back. Should no paint
// come (a window started minimised, a window manager that never shows it), the work runs after
// `fallbackMs` all the same. Owned by the window: gone with it, the work never runs.
void AfterFirstPaint(QWidget& window, std::function<void()> work, int fallbackMs = 500);

}  // namespace idrovela::window::qt
