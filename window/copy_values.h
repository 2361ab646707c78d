#pragma once

#include <optional>
#include <string>
#include <vector>

namespace idrovela::window {

class Form_Principale;

// One line of "Copia i valori": a caption as the window shows it (it carries the unit) and the
// text beside it.
struct CopiedValue {
    std::string caption;
    std::string text;
};

// The window's figures as they stand, from the top of the window down: every quantity with its
// caption, then the material and its roughness, the fluid with its viscosity and density, and
// the solve mode. `otherFluid` says what the fluid "Altro" is, when someone knows ("glicole
// etilenico 30 % a 40 °C"): it follows "Altro" in brackets while "Altro" is selected.
[[nodiscard]] std::vector<CopiedValue> ValuesToCopy(
    const Form_Principale& form, const std::optional<std::string>& otherFluid = std::nullopt);

// One line per value, caption and text separated by a tab, for a spreadsheet. Tabs and line
// breaks inside a text become spaces, so every value stays in its cell.
[[nodiscard]] std::string ValuesAsTabSeparated(const std::vector<CopiedValue>& values);

// The same as an HTML table, for a document; every text is escaped.
[[nodiscard]] std::string ValuesAsHtmlTable(const std::vector<CopiedValue>& values);

}  // namespace idrovela::window
