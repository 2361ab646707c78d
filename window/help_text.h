#pragma once

#include <string>
#include <string_view>

namespace idrovela::window {

// The help window's text, in HTML: what each field, unit and solve mode means, and that Y comes
// from the program's own reference formulas.
[[nodiscard]] std::string_view HelpHtml();

// The "Informazioni su Idrovela" text, in HTML: the version, the licence and the toolkit's version.
[[nodiscard]] std::string AboutHtml(std::string_view toolkitVersion);

}  // namespace idrovela::window
