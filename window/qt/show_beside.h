#pragma once

#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

class QSettings;
class QWidget;

namespace idrovela::window::qt {

// Where a window of the program goes beside the main window. Every rectangle is a frame, title
// bar and border included; `screen` is the screen's free area. The window goes to the right of
// `main` or to its left, on the first of the two that holds it at its `preferred` size, else on
// the one that gives it more room, at least its `minimum` (the right on a tie), narrowed to the
// room there; else below it; so that it never covers the main window. Where it can it also
// keeps clear of the program's other windows (`others`), stacking below or beside them, at its
// full size first, else shrunk. A screen with no room beside the main window gets it right of
// the main window as far as the screen allows, at most the screen's size.
[[nodiscard]] QRect PlaceBeside(const QRect& screen, const QRect& main,
                                const std::vector<QRect>& others, QSize preferred, QSize minimum);

// A remembered frame, on the screens as they are now (their free areas): on the screen that
// shows the whole height of its title bar over a width the mouse can take it by, brought onto
// that screen whole. No larger than the screen; where it runs past the right edge, narrowed
// toward `minimumWidth` first, keeping its left edge, then moved back; where it starts left of
// the screen, moved in; where it runs past the bottom, moved up. None when it is off every
// screen.
[[nodiscard]] std::optional<QRect> BackOnScreen(const QRect& frame,
                                                const std::vector<QRect>& screens,
                                                int minimumWidth);

// Shows a window of the program beside the main window and brings it forward, active (from the
// task bar too). The first time in a run it goes where `settings` remembers it, brought back on
// its screen whole (BackOnScreen); when that is off every screen, or nothing is remembered,
// beside the main window (PlaceBeside), sized to fit, clear of the program's other windows.
// After that it stays where the user puts it. With `settings`, which must outlive it, its place
// and size are remembered there whenever they change.
void ShowBeside(QWidget& tool, const QWidget& main, QSettings* settings = nullptr);

// Escape closes `tool`, as it closes a dialog, whichever of its controls has the focus.
void CloseOnEscape(QWidget& tool);

}  // namespace idrovela::window::qt
