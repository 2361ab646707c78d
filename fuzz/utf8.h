#pragma once

#include <string_view>

namespace idrovela::fuzz {

// RFC 3629 UTF-8, decoded to code points: an independent path from the readers' own checks.
[[nodiscard]] bool IsUtf8(std::string_view text);

}  // namespace idrovela::fuzz
