#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace idrovela::text {

// How a message quotes a text between « and ».
enum class Quoting {
    // At most kQuotedCharacters characters, then "…"; control characters and bytes that are not
    // UTF-8 become "?". A message stays one readable line of UTF-8 whatever a file holds.
    Replaced,
    // At most kQuotedCharacters characters, then "…"; bytes that are not UTF-8 and control
    // characters are written as \xNN, invisible format characters as \uNNNN, so that the reader
    // learns what a line of a file holds.
    Escaped,
    // A field's text as typed, nothing replaced: at most kQuotedBytes bytes, cut where a
    // character starts, then "…".
    AsTyped,
};

inline constexpr std::size_t kQuotedCharacters = 40;
inline constexpr std::size_t kQuotedBytes = 24;

[[nodiscard]] std::string Quoted(std::string_view text, Quoting quoting = Quoting::Replaced);

}  // namespace idrovela::text
