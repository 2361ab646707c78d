#pragma once

namespace idrovela::app {

// A Windows program with a window has no console of its own: what it writes to standard output
// and standard error goes nowhere. For a command run from a console (`idrovela --relazione`),
// each of the two streams that was not redirected by whoever started the program is joined to
// the console of the process that started it, when there is one, so that its user reads the
// messages. Windows only.
void WriteToParentConsole();

}  // namespace idrovela::app
