#include "text/utf8.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "text/quoted.h"

namespace idrovela::text {
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
        EXPECT_EQ(HasHiddenCharacters(c.text), c.expected) << Quoted(c.text, Quoting::Escaped);
    }
}

// Each step as "CODE/LENGTH" (the length when above 1), "!BYTE" for bytes that make no character.
std::string Steps(std::string_view text, Utf8Reading reading) {
    std::string steps;
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Step step = Utf8At(text, at, reading);
        std::array<char, 32> buffer{};
        std::snprintf(buffer.data(), buffer.size(), "%s%02X", step.character ? "" : "!",
                      static_cast<unsigned>(step.codePoint));
        // Appended piece by piece: GCC 12 at -O3 warns falsely of an overlapping copy when the
        // pieces are joined as strings first.
        if (!steps.empty()) {
            steps += ' ';
        }
        steps.append(buffer.data());
        if (step.length > 1) {
            std::snprintf(buffer.data(), buffer.size(), "/%zu", step.length);
            steps.append(buffer.data());
        }
        at += step.length;
    }
    return steps;
}

// Where the readings part: the file's texts (Strict), a script's keystrokes (Lenient), counts and
// cuts (Boundaries).
TEST(Utf8At, EachReadingTakesIllFormedBytesItsOwnWay) {
    const struct {
        const char* name;
        std::string text;
        const char* strict;
        const char* lenient;
        const char* boundaries;
    } cases[] = {
        {"ascii and two bytes", "A×", "41 D7/2", "41 D7/2", "41 C3/2"},
        {"three and four bytes", "…\xF0\x9F\x94\xA7", "2026/3 1F527/4", "2026/3 1F527/4",
         "E2/3 F0/4"},
        {"last code point", "\xF4\x8F\xBF\xBF", "10FFFF/4", "10FFFF/4", "F4/4"},
        {"overlong two bytes", "\xC0\xAF", "!C0 !AF", "!C0 !AF", "C0/2"},
        {"overlong three bytes", "\xE0\x80\xAF", "!E0 !80 !AF", "2F/3", "E0/3"},
        {"overlong four bytes", "\xF0\x80\x80\xAF", "!F0 !80 !80 !AF", "2F/4", "F0/4"},
        {"surrogate", "\xED\xA0\x80", "!ED !A0 !80", "D800/3", "ED/3"},
        {"past U+10FFFF", "\xF4\x90\x80\x80", "!F4 !90 !80 !80", "110000/4", "F4/4"},
        {"f5 lead", "\xF5\x80\x80\x80", "!F5 !80 !80 !80", "!F5 !80 !80 !80", "F5/4"},
        {"cut short by the end", "a\xE2\x80", "61 !E2 !80", "61 !E2 !80", "61 E2/2"},
        {"cut short by ascii", "\xE2\x80x", "!E2 !80 78", "!E2 !80 78", "E2/2 78"},
        {"stray continuation bytes",
         "\x80\x80"
         "A\x80",
         "!80 !80 41 !80", "!80 !80 41 !80", "!80/2 41/2"},
        {"c1 control", "\xC2\x85", "85/2", "85/2", "C2/2"},
        {"c2 before ascii",
         "\xC2"
         "A",
         "!C2 41", "!C2 41", "C2 41"},
        {"ff fe", "\xFF\xFE", "!FF !FE", "!FF !FE", "FF FE"},
        {"nul", std::string("\0", 1), "00", "00", "00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Steps(c.text, Utf8Reading::Strict), c.strict) << c.name;
        EXPECT_EQ(Steps(c.text, Utf8Reading::Lenient), c.lenient) << c.name;
        EXPECT_EQ(Steps(c.text, Utf8Reading::Boundaries), c.boundaries) << c.name;
    }
}

// An id's characters: bytes that are not UTF-8 still count, where a character starts.
TEST(CharacterCount, CountsEveryByteThatIsNotAContinuationByte) {
    const struct {
        std::string text;
        std::size_t expected;
    } cases[] = {
        {"", 0},
        {"T1", 2},
        {"22×1", 4},
        {"\xF0\x9F\x94\xA7", 1},
        {"\xE2\x80", 1},
        {"\xC0\xAF", 1},
        {"\xED\xA0\x80", 1},
        {"\x80\x80"
         "a",
         1},
        {"a\x80", 1},
        {"\xFF\xFE", 2},
        {"\xF0\x80\x80\x80\x80\x80", 1},
        {std::string(64, 'x'), 64},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharacterCount(c.text), c.expected) << Quoted(c.text, Quoting::Escaped);
    }
}

// Controls of well-formed text; bytes that are not UTF-8 pass, but for a C2 before ASCII.
TEST(HasControlCharacter, FindsC0DelAndC1) {
    const struct {
        std::string text;
        bool expected;
    } cases[] = {
        {"22×1", false},
        {"a\tb", true},
        {std::string("a\0", 2), true},
        {"\x7F", true},
        {"\xC2\x80", true},
        {"\xC2\x9F", true},
        {"\xC2\xA0", false},
        {"\xC2"
         "A",
         true},
        {"a\xC2", false},
        {"\xC2\xC3\xA9", false},
        {"\xE2\x80\x8B", false},
        {"\xC0\x80", false},
        {"\xE0\x80\x80", false},
        {"\xFF\x01", true},
        {"\xE2\xC2\x85", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HasControlCharacter(c.text), c.expected) << Quoted(c.text, Quoting::Escaped);
    }
}

}  // namespace
}  // namespace idrovela::text
