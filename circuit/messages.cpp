#include "circuit/messages.h"

#include "physics/decimal_text.h"
#include "text/path_text.h"
#include "text/utf8.h"

namespace idrovela::circuit {

std::string QuotedPath(const std::filesystem::path& path) {
#ifdef _WIN32
    constexpr std::string_view kSeparators = "/\\";  // a Windows path may hold either
#else
    constexpr std::string_view kSeparators = "/";
#endif
    const std::string whole = text::Utf8OfPath(path);
    std::size_t start = whole.find_last_of(kSeparators);
    if (text::CharacterCount(whole) <= text::kQuotedCharacters || start == std::string::npos) {
        return Quoted(whole);
    }
    // The name, and each folder before it while "…" and all of them fit.
    constexpr std::string_view kCut = "…";
    while (start > 0) {
        const std::size_t before = whole.find_last_of(kSeparators, start - 1);
        if (before == std::string::npos ||
            1 + text::CharacterCount(std::string_view(whole).substr(before)) >
                text::kQuotedCharacters) {
            break;
        }
        start = before;
    }
    return Quoted(std::string(kCut) + whole.substr(start));
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

std::string WholeText(std::int64_t value) {
    if (value >= 0) {
        return std::to_string(value);
    }
    // The magnitude as unsigned, which holds that of the most negative value too.
    return "−" + std::to_string(0 - static_cast<std::uint64_t>(value));
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
