#pragma once

#include <iosfwd>

namespace idrovela::session {

// Drives a freshly created window with a script of user actions, one per line, and prints what
// the window shows. The format is read by other tools; see the README for it. Returns 0, or 2
// after a message on `err` when a line names an unknown action or control.
int RunSession(std::istream& script, std::ostream& out, std::ostream& err);

}  // namespace idrovela::session
