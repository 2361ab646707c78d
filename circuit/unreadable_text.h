#pragma once

// Why a circuit file's text cannot be read at all, before any key of it: empty, cut short, not
// text, damaged, in another encoding, or with a fault in its JSON. The first sentence says it in
// words an engineer knows; the technical detail (line, column, what the JSON parser met) follows
// it. Only ParseCircuit uses these.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace idrovela::circuit {

// The line and column of byte `at` of the text, counted from 1, the column in characters:
// "riga 2, colonna 18".
[[nodiscard]] std::string LineAndColumn(std::string_view text, std::size_t at);

// Whether the text holds nothing but the blanks JSON allows between values.
[[nodiscard]] bool IsBlank(std::string_view text);

// Where the JSON parser stopped and what it met there.
struct JsonFault {
    std::size_t at = 0;           // the byte it stopped at; the text's size at its end
    bool numberTooLarge = false;  // a number beyond the doubles
    std::string token;            // what it had read of the value it stopped in
};

// The message for a text the parser refused (`fault`), or for one that holds a NUL byte after a
// whole document (no fault). In this order: control characters that text never holds (a binary
// file), bytes that are not UTF-8 (another encoding), NUL bytes (a damaged file), a text that
// ends in the middle (cut short), a number too large, any other fault of the JSON.
[[nodiscard]] std::string UnreadableText(std::string_view text,
                                         const std::optional<JsonFault>& fault);

}  // namespace idrovela::circuit
