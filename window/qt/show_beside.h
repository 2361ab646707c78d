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
// `main`, else to its left, else below it: on the first side with room for its `minimum` size,
// at its `preferred` size as far as that side has room, so that it never covers the main window.
// Where it can it also keeps clear of the program's other windows (`others`), stacking below or
// beside them, at its full size first, else shrunk. A screen with no room beside the main window
// gets it right of the main window as far as the screen allows, at most the screen's size.
[[nodiscard]] QRect PlaceBeside(const QRect& screen, const QRect& main,
                                const std::vector<QRect>& others, QSize preferred, QSize minimum);

// A remembered frame, on the screens as they are now (their free areas): as it was, at most the
// size of its screen, while a screen shows the whole height of its title bar over a width the
// mouse can take it by; none when it is off every screen.
[[nodiscard]] std::optional<QRect> StillOnScreen(const QRect& frame,
                                                 const std::vector<QRect>& screens);

// Shows a window of the program beside the main window and brings it forward. The first time in
// a run it goes where `settings` remembers it; when that is off every screen, or nothing is
// remembered, beside the main window (PlaceBeside), sized to fit. After that it stays where the
// user puts it. With `settings`, which must outlive it, its place and size are remembered there
// whenever they change.
void ShowBeside(QWidget& tool, const QWidget& main, QSettings* settings = nullptr);

// Escape closes `tool`, as it closes a dialog, whichever of its controls has the focus.
void CloseOnEscape(QWidget& tool);

}  // namespace idrovela::window::qt
