#include "text/path_text.h"

#include <gtest/gtest.h>

#include <string>

namespace idrovela::text {
namespace {

// UTF-8 and UTF-16 each way, with the bytes that are not UTF-8 kept as lone surrogates, so that
// a path's text comes back as it was whatever it holds.
TEST(PathText, Utf16AndBackKeepsEveryByte) {
    const struct {
        const char* name;
        std::string utf8;
        std::u16string utf16;
    } cases[] = {
        {"empty", "", u""},
        {"ascii", "C:\\Progetti/villetta.idrovela", u"C:\\Progetti/villetta.idrovela"},
        {"two, three and four bytes", "Łódź – Δp 🔧", u"Łódź – Δp 🔧"},
        {"the last code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"a Latin-1 byte", "caf\xE9", u"caf\xDCE9"},
        {"a sequence cut short", "\xC3", u"\xDCC3"},
        {"cut short before ASCII", "\xE2\x80x", u"\xDCE2\xDC80x"},
        {"a surrogate in UTF-8", "\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},
        {"an overlong slash", "\xC0\xAF", u"\xDCC0\xDCAF"},
        {"every byte that is never UTF-8", "\xFF\xFE\xF8", u"\xDCFF\xDCFE\xDCF8"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << c.name;
        EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8) << c.name;
    }
}

// What no byte gives: surrogates that stand for nothing become U+FFFD.
TEST(PathText, UnpairedSurrogatesThatStandForNoByteBecomeTheReplacement) {
    const struct {
        const char* name;
        std::u16string utf16;
        std::string utf8;
    } cases[] = {
        {"a lone high surrogate", u"a\xD800z", "a\xEF\xBF\xBDz"},
        {"a high surrogate at the end", u"a\xDBFF", "a\xEF\xBF\xBD"},
        {"two high surrogates", u"\xD800\xD800", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"a low surrogate below U+DC80", u"\xDC7F", "\xEF\xBF\xBD"},
        {"the lowest of all", u"\xDC00", "\xEF\xBF\xBD"},
        {"a pair, then a lone low", u"\xD83D\xDD27\xDC80", "\xF0\x9F\x94\xA7\x80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8) << c.name;
    }
}

// A path made from text gives the same text back on every system, and names what it says.
TEST(PathText, APathsTextComesBackAsItWasGiven) {
    for (const std::string text :
         {"Villetta Łódź – Δp.idrovela", "progetti/2024/Villetta Δp.idrovela",
          "/nonexistent/circuito-\xFF\xC3.idrovela", "100% caldo\nnuovo.idrovela"}) {
        EXPECT_EQ(Utf8OfPath(PathFromUtf8(text)), text);
    }
    const std::filesystem::path path = PathFromUtf8("progetti/Villetta Łódź – Δp.idrovela");
    EXPECT_EQ(Utf8OfPath(path.filename()), "Villetta Łódź – Δp.idrovela");
    EXPECT_EQ(Utf8OfPath(path.stem()), "Villetta Łódź – Δp");
    EXPECT_EQ(path.extension(), ".idrovela");
#ifdef _WIN32
    EXPECT_EQ(path.native(), L"progetti/Villetta \u0141\u00F3d\u017A \u2013 \u0394p.idrovela");
#endif
}

}  // namespace
}  // namespace idrovela::text
