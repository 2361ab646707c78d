#pragma once

class QWidget;

namespace idrovela::window::qt {

// In `window` and in the dialogs it owns, a spin box, a combo box or a slider changes with the
// mouse wheel only while it has the keyboard focus, and the wheel never gives it the focus: over
// one the user has not clicked, the wheel scrolls whatever holds it (a list, a scrolled pane).
// Scroll bars and every other control keep their wheel; windows not named here keep Qt's way.
void WheelOnlyWithFocus(QWidget& window);

}  // namespace idrovela::window::qt
