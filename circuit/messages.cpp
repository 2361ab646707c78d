#include "circuit/messages.h"

#include "physics/decimal_text.h"

namespace idrovela::circuit {

namespace {

constexpr std::size_t kLongestQuote = 40;  // characters

// Length in bytes of the UTF-8 character that starts at `text[at]`, or 0 where no well-formed
// one does (a stray or missing continuation byte, an overlong form, a surrogate, a code point
// past U+10FFFF): a file's bytes, a path or a parser's token may hold anything.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the second byte
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() - at < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(k) < 0x80 || byte(k) > 0xBF) {
            return 0;
        }
    }
    return length;
}

bool IsControl(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) {
        return lead < 0x20 || lead == 0x7F;
    }
    // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F.
    return character.size() == 2 && lead == 0xC2 &&
           static_cast<unsigned char>(character[1]) <= 0x9F;
}

}  // namespace

std::string Quoted(std::string_view text) {
    std::string quoted = "«";
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (characters == kLongestQuote) {
            quoted += "…";
            break;
        }
        const std::size_t length = CharacterLength(text, at);
        if (length == 0) {
            quoted += '?';
            ++at;
        } else {
            const std::string_view character = text.substr(at, length);
            quoted += IsControl(character) ? std::string_view("?") : character;
            at += length;
        }
        ++characters;
    }
    return quoted + "»";
}

std::string SegmentName(const Segment& segment, std::size_t index) {
    if (segment.id.empty()) {
        return "Tratto n. " + std::to_string(index + 1);
    }
    return "Tratto " + Quoted(segment.id);
}

std::string Amount(double value, std::string_view unit) {
    return physics::QuantityText(value, unit);
}

void Fail(std::string_view where, std::string_view key, std::string_view problem) {
    std::string message(where);
    if (!key.empty()) {
        message += ", ";
        message += key;
    }
    message += ": ";
    message += problem;
    throw CircuitError(message);
}

}  // namespace idrovela::circuit
