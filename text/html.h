#pragma once

#include <string>
#include <string_view>

namespace idrovela::text {

// `text` as HTML text: &, <, > and " written as entities, so that a typed text never becomes
// markup.
[[nodiscard]] std::string EscapeHtml(std::string_view text);

}  // namespace idrovela::text
