#include "text/quoted.h"

#include <array>

#include "text/utf8.h"

namespace idrovela::text {

namespace {

constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                       '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};

void AppendEscaped(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += "\\x";
        out += kHex[byte >> 4U];
        out += kHex[byte & 0x0FU];
    }
}

void AppendCodePoint(std::string& out, char32_t codePoint) {
    out += "\\u";
    for (unsigned shift = 12;; shift -= 4) {
        out += kHex[(codePoint >> shift) & 0x0FU];
        if (shift == 0) {
            break;
        }
    }
}

// One step's bytes as the quoting writes them.
void Append(std::string& out, std::string_view bytes, const Utf8Step& step, Quoting quoting) {
    const bool shown = step.character && !IsControl(step.codePoint);
    switch (quoting) {
        case Quoting::Replaced:
            out += shown ? bytes : std::string_view("?");
            return;
        case Quoting::Escaped:
            if (!shown) {
                AppendEscaped(out, bytes);
            } else if (IsInvisibleFormat(step.codePoint)) {
                AppendCodePoint(out, step.codePoint);
            } else {
                out += bytes;
            }
            return;
        case Quoting::AsTyped:
            out += bytes;
            return;
    }
}

}  // namespace

std::string Quoted(std::string_view text, Quoting quoting) {
    const bool byBytes = quoting == Quoting::AsTyped;
    const Utf8Reading reading = byBytes ? Utf8Reading::Boundaries : Utf8Reading::Strict;
    std::string quoted = "«";
    std::size_t at = 0;
    std::size_t characters = 0;
    while (at < text.size()) {
        const Utf8Step step = Utf8At(text, at, reading);
        if (byBytes ? at + step.length > kQuotedBytes : characters == kQuotedCharacters) {
            break;
        }
        Append(quoted, text.substr(at, step.length), step, quoting);
        at += step.length;
        ++characters;
    }
    if (at < text.size()) {
        quoted += "…";
    }
    quoted += "»";
    return quoted;
}

}  // namespace idrovela::text
