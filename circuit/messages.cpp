#include "circuit/messages.h"

#include "physics/decimal_text.h"

namespace idrovela::circuit {

namespace {

constexpr std::size_t kLongestQuote = 40;  // characters

// Length in bytes of the UTF-8 character that starts at `text[at]` (1 for a stray byte).
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xF0) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    return at + length <= text.size() ? length : 1;
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
        const std::string_view character = text.substr(at, length);
        quoted += IsControl(character) ? std::string_view("?") : character;
        at += length;
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
