#pragma once

#include <string_view>

namespace idrovela::text {

// The program's version, as the build and the package carry it.
[[nodiscard]] std::string_view ProgramVersion();

}  // namespace idrovela::text
