#pragma once

#include <optional>
#include <string>

#include "tools/fluid_tool.h"
#include "tools/pipe_table.h"

class QSettings;

namespace idrovela::tools::qt {

// What the tool windows keep between runs in the user's settings: the fluid dialog's choice,
// and the pipe table's limits and the series the user picked. A value is read back only when it
// is there and sound (a fluid of the dialog, finite numbers, limits not below zero); otherwise
// there is none and the window keeps its own default.
[[nodiscard]] std::optional<FluidChoice> RememberedFluid(const QSettings& settings);
void RememberFluid(QSettings& settings, const FluidChoice& choice);

[[nodiscard]] std::optional<PipeLimits> RememberedLimits(const QSettings& settings);
void RememberLimits(QSettings& settings, const PipeLimits& limits);

[[nodiscard]] std::optional<std::string> RememberedSeries(const QSettings& settings);
void RememberSeries(QSettings& settings, const std::string& series);

}  // namespace idrovela::tools::qt
