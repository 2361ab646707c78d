#include "catalogues/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace idrovela::catalogues {
namespace {

constexpr std::size_t kValid = std::string_view::npos;

TEST(FirstInvalidUtf8, FindsTheFirstByteOfAnIllFormedSequence) {
    const struct {
        const char* name;
        std::string text;
        std::size_t expected;
    } cases[] = {
        {"empty", "", kValid},
        {"ascii", "DN 25;33,7", kValid},
        {"times sign",
         "22\xC3\x97"
         "1",
         kValid},
        {"three bytes", "\xE2\x80\xA6", kValid},
        {"four bytes", "\xF0\x9F\x94\xA7", kValid},
        {"last code point", "\xF4\x8F\xBF\xBF", kValid},
        {"nul is ascii", std::string("a\0b", 3), kValid},
        {"latin-1 times sign",
         "22\xD7"
         "1",
         2},
        {"stray continuation", "a\x80", 1},
        {"truncated at the end", "ab\xC3", 2},
        {"truncated before ascii", "\xE2\x80x", 0},
        {"overlong two bytes", "\xC0\xAF", 0},
        {"overlong three bytes", "\xE0\x80\xAF", 0},
        {"overlong four bytes", "\xF0\x80\x80\xAF", 0},
        {"surrogate", "ok\xED\xA0\x80", 2},
        {"past U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"f5 lead", "\xF5\x80\x80\x80", 0},
        {"ff", "x\xFF", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FirstInvalidUtf8(c.text), c.expected) << c.name;
    }
}

TEST(HasHiddenCharacters, FindsWhatAReaderCannotSee) {
    const struct {
        std::string text;
        bool expected;
    } cases[] = {
        {"22×1", false},
        {"DN 25", false},
        {"Ø 20 – PN 16 €", false},
        {"22\x01"
         "1",
         true},
        {"22\x7F", true},
        {"22\u0085", true},
        {"22\u00AD"
         "1",
         true},
        {"\u200B"
         "22",
         true},
        {"22\u200D", true},
        {"\u202E"
         "1×22",
         true},
        {"22\u2060", true},
        {"\uFEFF"
         "22×1",
         true},
        {"22\xD7"
         "1",
         true},
        {"\u2063", true},
        {"\u2065", false},
        {"\u202F", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HasHiddenCharacters(c.text), c.expected) << Quoted(c.text);
    }
}

TEST(Quoted, KeepsShortTextsAndMarksWhereItCut) {
    EXPECT_EQ(Quoted("22×1"), "«22×1»");
    EXPECT_EQ(Quoted(""), "«»");
    const std::string forty(kQuotedCharacters, 'x');
    EXPECT_EQ(Quoted(forty), "«" + forty + "»");
    EXPECT_EQ(Quoted(forty + "y"), "«" + forty + "…»");
    // Counted in characters, never cutting one in half.
    std::string multiplied;
    for (std::size_t i = 0; i < kQuotedCharacters + 5; ++i) {
        multiplied += "×";
    }
    const std::string quoted = Quoted(multiplied);
    EXPECT_EQ(FirstInvalidUtf8(quoted), kValid);
    EXPECT_EQ(quoted, "«" + multiplied.substr(0, 2 * kQuotedCharacters) + "…»");
}

TEST(Quoted, EscapesWhatIsNotPrintableUtf8) {
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {"22\xD7"
         "1",
         "«22\\xD71»"},
        {"a\tb\r", "«a\\x09b\\x0D»"},
        {std::string("\0", 1), "«\\x00»"},
        {"\x7F", "«\\x7F»"},
        {"\xC2\x85", "«\\xC2\\x85»"},
        {"\xE2\x80", "«\\xE2\\x80»"},
        {"\uFEFF"
         "22\u200B",
         "«\\uFEFF22\\u200B»"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Quoted(c.text), c.expected);
        EXPECT_EQ(FirstInvalidUtf8(Quoted(c.text)), kValid);
    }
    // Escaping does not let a long run of bad bytes through in full.
    EXPECT_EQ(Quoted(std::string(1000, '\xFF')).size(),
              std::string("«…»").size() + 4 * kQuotedCharacters);
}

}  // namespace
}  // namespace idrovela::catalogues
