#pragma once

#include <string_view>

namespace idrovela::session {

// Splits off the first word of `rest`: the text up to its first space, which is dropped.
[[nodiscard]] inline std::string_view NextWord(std::string_view& rest) {
    const std::size_t space = rest.find(' ');
    const std::string_view word = rest.substr(0, space);
    rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    return word;
}

}  // namespace idrovela::session
