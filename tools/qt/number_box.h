#pragma once

class QDoubleSpinBox;
class QString;

namespace idrovela::tools::qt {

// A number field that reads and writes the decimal comma, as the main window does, whatever the
// desktop's locale, with no digit grouping.
[[nodiscard]] QDoubleSpinBox* CommaNumberBox(double minimum, double maximum, double value,
                                             int decimals, const QString& suffix);

}  // namespace idrovela::tools::qt
