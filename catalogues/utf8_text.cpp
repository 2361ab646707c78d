#include "catalogues/utf8_text.h"

#include <array>

namespace idrovela::catalogues {

namespace {

unsigned char ByteAt(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]);
}

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// The code point of a well-formed sequence.
char32_t Decode(std::string_view sequence) {
    const unsigned char lead = ByteAt(sequence, 0);
    if (sequence.size() == 1) {
        return lead;
    }
    const unsigned leadBits = sequence.size() == 2 ? 0x1FU : sequence.size() == 3 ? 0x0FU : 0x07U;
    char32_t codePoint = lead & leadBits;
    for (std::size_t i = 1; i < sequence.size(); ++i) {
        codePoint = (codePoint << 6U) | (ByteAt(sequence, i) & 0x3FU);
    }
    return codePoint;
}

// Control characters would break a message's line or hide what the text holds.
bool IsControl(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

bool IsInvisibleFormat(char32_t codePoint) {
    return codePoint == 0xAD || (codePoint >= 0x200B && codePoint <= 0x200F) ||
           (codePoint >= 0x2028 && codePoint <= 0x202E) ||
           (codePoint >= 0x2060 && codePoint <= 0x2064) || codePoint == 0xFEFF;
}

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

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    const unsigned char lead = ByteAt(text, at);
    if (lead < 0x80) {
        return 1;
    }
    // The well-formed sequences of the Unicode standard (table 3-7): the second byte's range
    // depends on the lead byte; every later byte is 80..BF.
    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (InRange(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (lead == 0xE0) {
        length = 3;
        secondLow = 0xA0;
    } else if (InRange(lead, 0xE1, 0xEC) || InRange(lead, 0xEE, 0xEF)) {
        length = 3;
    } else if (lead == 0xED) {
        length = 3;
        secondHigh = 0x9F;
    } else if (lead == 0xF0) {
        length = 4;
        secondLow = 0x90;
    } else if (InRange(lead, 0xF1, 0xF3)) {
        length = 4;
    } else if (lead == 0xF4) {
        length = 4;
        secondHigh = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - at < length || !InRange(ByteAt(text, at + 1), secondLow, secondHigh)) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!InRange(ByteAt(text, at + i), 0x80, 0xBF)) {
            return 0;
        }
    }
    return length;
}

std::size_t FirstInvalidUtf8(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t length = Utf8SequenceLength(text, at);
        if (length == 0) {
            return at;
        }
        at += length;
    }
    return std::string_view::npos;
}

bool HasHiddenCharacters(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t length = Utf8SequenceLength(text, at);
        if (length == 0) {
            return true;
        }
        const char32_t codePoint = Decode(text.substr(at, length));
        if (IsControl(codePoint) || IsInvisibleFormat(codePoint)) {
            return true;
        }
        at += length;
    }
    return false;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "«";
    std::size_t at = 0;
    std::size_t characters = 0;
    while (at < text.size() && characters < kQuotedCharacters) {
        const std::size_t length = Utf8SequenceLength(text, at);
        const std::string_view sequence = text.substr(at, length == 0 ? 1 : length);
        if (length == 0 || IsControl(Decode(sequence))) {
            AppendEscaped(quoted, sequence);
        } else if (IsInvisibleFormat(Decode(sequence))) {
            AppendCodePoint(quoted, Decode(sequence));
        } else {
            quoted += sequence;
        }
        at += sequence.size();
        ++characters;
    }
    if (at < text.size()) {
        quoted += "…";
    }
    quoted += "»";
    return quoted;
}

}  // namespace idrovela::catalogues
