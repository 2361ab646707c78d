#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace idrovela::catalogues {

// The length of the well-formed UTF-8 sequence that starts at `at`, or 0 when the byte there
// starts none: a stray continuation byte, a truncated sequence, an overlong form, a surrogate
// or a code point past U+10FFFF.
[[nodiscard]] std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

// Where the first byte that is not part of well-formed UTF-8 is; npos when the text is valid.
[[nodiscard]] std::size_t FirstInvalidUtf8(std::string_view text);

// Whether the text holds anything a reader cannot see or tell apart: bytes that are not UTF-8,
// control characters (C0, DEL, C1), or invisible format characters (soft hyphen, zero-width
// spaces and joiners, direction marks and overrides, line and paragraph separators, word joiner,
// a byte order mark). Two designations that differ only in these would look the same.
[[nodiscard]] bool HasHiddenCharacters(std::string_view text);

// Most characters of the text a message quotes; longer texts end in "…".
inline constexpr std::size_t kQuotedCharacters = 40;

// The text between « and » for a message, always valid UTF-8 and on one line: bytes that are not
// UTF-8, and control characters, are written as \xNN, invisible format characters as \uNNNN.
[[nodiscard]] std::string Quoted(std::string_view text);

}  // namespace idrovela::catalogues
