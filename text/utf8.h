#pragma once

// UTF-8 as the program reads it: one decoder, read three ways. A file's texts are shown only as
// Unicode's well-formed UTF-8; a script's keystrokes are taken as the lead byte announces them;
// a length or a column counts where characters start, whatever follows.

#include <cstddef>
#include <string_view>

namespace idrovela::text {

enum class Utf8Reading {
    // Unicode's well-formed sequences only (its table 3-7): no overlong form, no surrogate, no code
    // point past U+10FFFF. Any other byte is one byte that makes no character.
    Strict,
    // The lead byte alone gives the length (C2–DF two bytes, E0–EF three, F0–F4 four) and the
    // bytes after it need only be continuation bytes, so that overlong three- and four-byte
    // forms, surrogates and code points up to U+13FFFF decode too. Any other byte, a sequence
    // cut short included, is one byte that makes no character.
    Lenient,
    // Where characters start, not what they are: every byte that is not a continuation byte
    // starts a character, and every continuation byte after it belongs to it. Continuation
    // bytes at the start of the text belong to none.
    Boundaries,
};

// One step along a text: the bytes that make one character, or the bytes that make none (one
// byte, or under Boundaries the continuation bytes the text starts with).
struct Utf8Step {
    std::size_t length = 0;  // at least 1
    // The character's code point. For bytes that make none, and under Boundaries, the value of
    // the step's first byte.
    char32_t codePoint = 0;
    bool character = false;  // whether the bytes make a character
};

// The step at byte `at`, which is inside the text.
[[nodiscard]] Utf8Step Utf8At(std::string_view text, std::size_t at, Utf8Reading reading);

// Where the first byte that is not part of well-formed UTF-8 is; npos when the text is valid.
[[nodiscard]] std::size_t FirstInvalidUtf8(std::string_view text);

// C0 controls, DEL and the C1 controls: each would break a message's line or hide what the text
// holds.
[[nodiscard]] bool IsControl(char32_t codePoint);

// Soft hyphen, zero-width spaces and joiners, direction marks and overrides, line and paragraph
// separators, word joiner and invisible operators, byte order mark: a reader sees none of them.
[[nodiscard]] bool IsInvisibleFormat(char32_t codePoint);

// Whether the text holds anything a reader cannot see or tell apart: bytes that are not UTF-8,
// control characters, or invisible format characters. Two designations that differ only in these
// would look the same.
[[nodiscard]] bool HasHiddenCharacters(std::string_view text);

// Whether the well-formed characters of the text include a control character. Bytes that are not
// UTF-8 are not looked at, save one: a C2 lead byte followed by an ASCII byte counts as the start
// of a C1 control.
[[nodiscard]] bool HasControlCharacter(std::string_view text);

// How many characters the text holds, read for their boundaries: every byte that is not a
// continuation byte counts one, so that a sequence cut short or ill-formed counts as one
// character, and continuation bytes the text starts with count as none.
[[nodiscard]] std::size_t CharacterCount(std::string_view text);

}  // namespace idrovela::text
