#pragma once

#include <optional>

namespace idrovela::report::qt {

// `idrovela --relazione IN.idrovela OUT.pdf`: loads and works out the circuit (with the user's
// catalogues, as the window does), writes its report as a PDF, and ends, with no window. It needs
// no display: without QT_QPA_PLATFORM it draws offscreen. Call it first in main(): none when the
// arguments ask for something else, else the exit status: 0 once the PDF is written; 2 for
// arguments it cannot use (OUT the very file IN is, which the PDF would replace); 1 when the
// circuit does not load or the PDF cannot be written, with the reason (the engine's own message)
// on standard error.
[[nodiscard]] std::optional<int> RunReportCommand(int argc, char** argv);

}  // namespace idrovela::report::qt
