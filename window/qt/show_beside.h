#pragma once

class QWidget;

namespace idrovela::window::qt {

// Shows a window of the program beside the main window and brings it forward. The first time,
// it goes where it covers neither the main window nor another of its windows: to the right of the
// main window (below the windows already there), below it, or to its left, whichever fits on the
// screen first; on a screen too small for any, to its right as far as the screen allows. After
// that it stays where the user puts it.
void ShowBeside(QWidget& tool, const QWidget& main);

}  // namespace idrovela::window::qt
