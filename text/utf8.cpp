#include "text/utf8.h"

namespace idrovela::text {

namespace {

unsigned char ByteAt(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]);
}

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0U) == 0x80U;
}

Utf8Step NoCharacter(unsigned char byte) {
    return {1, byte, false};
}

// A character starts at `at` unless a continuation byte is there, and runs over every
// continuation byte after it.
Utf8Step BoundaryStep(std::string_view text, std::size_t at) {
    const unsigned char first = ByteAt(text, at);
    std::size_t end = at + 1;
    while (end < text.size() && IsContinuation(ByteAt(text, end))) {
        ++end;
    }
    return {end - at, first, !IsContinuation(first)};
}

}  // namespace

Utf8Step Utf8At(std::string_view text, std::size_t at, Utf8Reading reading) {
    if (reading == Utf8Reading::Boundaries) {
        return BoundaryStep(text, at);
    }
    const unsigned char lead = ByteAt(text, at);
    if (lead < 0x80) {
        return {1, lead, true};
    }
    std::size_t length = 0;
    if (InRange(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (InRange(lead, 0xE0, 0xEF)) {
        length = 3;
    } else if (InRange(lead, 0xF0, 0xF4)) {
        length = 4;
    } else {
        return NoCharacter(lead);
    }
    // Unicode narrows the second byte after four lead bytes; every other byte is 80..BF.
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (reading == Utf8Reading::Strict) {
        if (lead == 0xE0) {
            secondLow = 0xA0;  // no overlong three-byte form
        } else if (lead == 0xED) {
            secondHigh = 0x9F;  // no surrogate
        } else if (lead == 0xF0) {
            secondLow = 0x90;  // no overlong four-byte form
        } else if (lead == 0xF4) {
            secondHigh = 0x8F;  // nothing past U+10FFFF
        }
    }
    if (text.size() - at < length || !InRange(ByteAt(text, at + 1), secondLow, secondHigh)) {
        return NoCharacter(lead);
    }
    char32_t codePoint = lead & (0x7FU >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char byte = ByteAt(text, at + i);
        if (!IsContinuation(byte)) {
            return NoCharacter(lead);
        }
        codePoint = (codePoint << 6U) | (byte & 0x3FU);
    }
    return {length, codePoint, true};
}

std::size_t FirstInvalidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Step step = Utf8At(text, at, Utf8Reading::Strict);
        if (!step.character) {
            return at;
        }
        at += step.length;
    }
    return std::string_view::npos;
}

bool IsControl(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

bool IsInvisibleFormat(char32_t codePoint) {
    return codePoint == 0xAD || (codePoint >= 0x200B && codePoint <= 0x200F) ||
           (codePoint >= 0x2028 && codePoint <= 0x202E) ||
           (codePoint >= 0x2060 && codePoint <= 0x2064) || codePoint == 0xFEFF;
}

bool HasHiddenCharacters(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Step step = Utf8At(text, at, Utf8Reading::Strict);
        if (!step.character || IsControl(step.codePoint) || IsInvisibleFormat(step.codePoint)) {
            return true;
        }
        at += step.length;
    }
    return false;
}

bool HasControlCharacter(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Step step = Utf8At(text, at, Utf8Reading::Strict);
        if (step.character
                ? IsControl(step.codePoint)
                : (step.codePoint == 0xC2 && at + 1 < text.size() && ByteAt(text, at + 1) < 0x80)) {
            return true;
        }
        at += step.length;
    }
    return false;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Step step = Utf8At(text, at, Utf8Reading::Boundaries);
        count += step.character ? 1 : 0;
        at += step.length;
    }
    return count;
}

}  // namespace idrovela::text
