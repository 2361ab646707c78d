#pragma once

// Paths as the program holds them: UTF-8 text everywhere inside, turned into the system's own
// form only where a path meets the system. On Linux that form is the same bytes; on Windows it
// is UTF-16, which std::filesystem would otherwise fill from the ANSI code page. Every path the
// program takes as text, or shows, goes through these two functions.

#include <filesystem>
#include <string>
#include <string_view>

namespace idrovela::text {

// The path that UTF-8 text names. Any bytes name a path and come back from Utf8OfPath as they
// were: on Linux they are the name; on Windows a byte that is not UTF-8 becomes a lone surrogate
// (below), so that such a name is one no one saves under, and its messages show it as on Linux.
[[nodiscard]] std::filesystem::path PathFromUtf8(std::string_view utf8);

// A path's text in UTF-8, as messages and files show it: on Linux the bytes of the name as they
// are, on Windows its UTF-16 in UTF-8 (below).
[[nodiscard]] std::string Utf8OfPath(const std::filesystem::path& path);

// UTF-16 from UTF-8. Each byte that is not part of well-formed UTF-8 (80 to FF) becomes the lone
// surrogate U+DC80 to U+DCFF, which Utf8FromUtf16 turns back into that byte: any bytes make the
// round trip.
[[nodiscard]] std::u16string Utf16FromUtf8(std::string_view utf8);

// UTF-8 from UTF-16. A lone surrogate U+DC80 to U+DCFF becomes the byte 80 to FF it stands for;
// any other unpaired surrogate becomes U+FFFD.
[[nodiscard]] std::string Utf8FromUtf16(std::u16string_view utf16);

}  // namespace idrovela::text
