#pragma once

#include <string_view>

namespace idrovela::tools {

// What the tools say wherever they show the window's own Y beside the textbook loss, which a
// user would otherwise read as the same figure.
inline constexpr std::string_view kWindowYToolTip =
    "La Y della finestra segue le formule di riferimento proprie del programma: non è una perdita "
    "di carico in Pa/m e non si confronta con essa. La perdita in Pa/m è quella calcolata con le "
    "relazioni dei manuali.";

// The tooltip of a caption or a column title of a tool: kWindowYToolTip for those that name the
// window's Y ("Y finestra", "Y calcolata", "Y obiettivo"), none for any other.
[[nodiscard]] constexpr std::string_view ToolTipFor(std::string_view caption) {
    return caption == "Y finestra" || caption == "Y calcolata" || caption == "Y obiettivo"
               ? kWindowYToolTip
               : std::string_view();
}

}  // namespace idrovela::tools
