#include "text/path_text.h"

#include "text/utf8.h"

namespace idrovela::text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// The lone surrogates that stand for bytes 80 to FF that are not UTF-8: U+DC80 to U+DCFF.
constexpr char32_t kEscapedByte = 0xDC00;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
    const auto byte = [&out](char32_t value) { out += static_cast<char>(value); };
    if (codePoint < 0x80) {
        byte(codePoint);
    } else if (codePoint < 0x800) {
        byte(0xC0 | (codePoint >> 6U));
        byte(0x80 | (codePoint & 0x3FU));
    } else if (codePoint < 0x10000) {
        byte(0xE0 | (codePoint >> 12U));
        byte(0x80 | ((codePoint >> 6U) & 0x3FU));
        byte(0x80 | (codePoint & 0x3FU));
    } else {
        byte(0xF0 | (codePoint >> 18U));
        byte(0x80 | ((codePoint >> 12U) & 0x3FU));
        byte(0x80 | ((codePoint >> 6U) & 0x3FU));
        byte(0x80 | (codePoint & 0x3FU));
    }
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
    std::u16string utf16;
    utf16.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Step step = Utf8At(utf8, at, Utf8Reading::Strict);
        // A byte that makes no character (80 to FF) is kept as a lone surrogate.
        const char32_t codePoint = step.character ? step.codePoint : kEscapedByte | step.codePoint;
        if (codePoint < 0x10000) {
            utf16 += static_cast<char16_t>(codePoint);
        } else {
            const char32_t above = codePoint - 0x10000;
            utf16 += static_cast<char16_t>(0xD800 | (above >> 10U));
            utf16 += static_cast<char16_t>(0xDC00 | (above & 0x3FFU));
        }
        at += step.length;
    }
    return utf16;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
    std::string utf8;
    utf8.reserve(utf16.size());
    for (std::size_t at = 0; at < utf16.size(); ++at) {
        const char16_t unit = utf16[at];
        if (IsHighSurrogate(unit) && at + 1 < utf16.size() && IsLowSurrogate(utf16[at + 1])) {
            const char32_t high = unit - 0xD800U;
            const char32_t low = utf16[at + 1] - 0xDC00U;
            AppendUtf8(utf8, 0x10000 + ((high << 10U) | low));
            ++at;
        } else if (unit >= (kEscapedByte | 0x80U) && unit <= (kEscapedByte | 0xFFU)) {
            utf8 += static_cast<char>(unit & 0xFFU);
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(utf8, kReplacement);
        } else {
            AppendUtf8(utf8, unit);
        }
    }
    return utf8;
}

#ifdef _WIN32

// wchar_t is a UTF-16 code unit on Windows.
std::filesystem::path PathFromUtf8(std::string_view utf8) {
    const std::u16string utf16 = Utf16FromUtf8(utf8);
    return std::filesystem::path(std::wstring(utf16.begin(), utf16.end()));
}

std::string Utf8OfPath(const std::filesystem::path& path) {
    const std::wstring& native = path.native();
    return Utf8FromUtf16(std::u16string(native.begin(), native.end()));
}

#else

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::string(utf8));
}

std::string Utf8OfPath(const std::filesystem::path& path) {
    return path.native();
}

#endif

}  // namespace idrovela::text
