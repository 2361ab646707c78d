#include "text/quoted.h"

#include <gtest/gtest.h>

#include <string>

#include "text/utf8.h"

namespace idrovela::text {
namespace {

constexpr std::size_t kValid = std::string_view::npos;

std::string Times(std::size_t count, std::string_view piece) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

// The same texts in the three quotings: a circuit's messages, a catalogue's problems, a tool's
// message about a field.
TEST(Quoted, EachQuotingWritesWhatItCannotShowAndCutsItsOwnWay) {
    const struct {
        const char* name;
        std::string text;
        std::string replaced;
        std::string escaped;
        std::string asTyped;
    } cases[] = {
        {"plain", "22×1", "«22×1»", "«22×1»", "«22×1»"},
        {"empty", "", "«»", "«»", "«»"},
        {"tab", "a\tb", "«a?b»", "«a\\x09b»", "«a\tb»"},
        {"c1 control", "\xC2\x85", "«?»", "«\\xC2\\x85»", "«\xC2\x85»"},
        {"latin-1 byte",
         "22\xD7"
         "1",
         "«22?1»", "«22\\xD71»",
         "«22\xD7"
         "1»"},
        {"cut short", "\xE2\x80", "«??»", "«\\xE2\\x80»", "«\xE2\x80»"},
        {"surrogate", "\xED\xA0\x80", "«???»", "«\\xED\\xA0\\x80»", "«\xED\xA0\x80»"},
        {"invisible format",
         "\uFEFF"
         "22\u200B",
         "«\uFEFF"
         "22\u200B»",
         "«\\uFEFF22\\u200B»",
         "«\uFEFF"
         "22\u200B»"},
        {"40 characters", std::string(40, 'x'), "«" + std::string(40, 'x') + "»",
         "«" + std::string(40, 'x') + "»", "«" + std::string(24, 'x') + "…»"},
        {"41 characters", std::string(41, 'x'), "«" + std::string(40, 'x') + "…»",
         "«" + std::string(40, 'x') + "…»", "«" + std::string(24, 'x') + "…»"},
        {"24 bytes", std::string(24, 'x'), "«" + std::string(24, 'x') + "»",
         "«" + std::string(24, 'x') + "»", "«" + std::string(24, 'x') + "»"},
        {"a character across byte 24", std::string(23, 'x') + "×",
         "«" + std::string(23, 'x') + "×»", "«" + std::string(23, 'x') + "×»",
         "«" + std::string(23, 'x') + "…»"},
        {"24 two-byte characters", Times(24, "×"), "«" + Times(24, "×") + "»",
         "«" + Times(24, "×") + "»", "«" + Times(12, "×") + "…»"},
        {"continuation bytes only", std::string(30, '\x80'), "«" + std::string(30, '?') + "»",
         "«" + Times(30, "\\x80") + "»", "«…»"},
        {"continuation bytes first", std::string(10, '\x80') + std::string(20, 'a'),
         "«" + std::string(10, '?') + std::string(20, 'a') + "»",
         "«" + Times(10, "\\x80") + std::string(20, 'a') + "»",
         "«" + std::string(10, '\x80') + std::string(14, 'a') + "…»"},
        {"cut short before byte 24", std::string(23, 'x') + "\xE2\x82y",
         "«" + std::string(23, 'x') + "??y»", "«" + std::string(23, 'x') + "\\xE2\\x82y»",
         "«" + std::string(23, 'x') + "…»"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Quoted(c.text), c.replaced) << c.name;
        EXPECT_EQ(Quoted(c.text, Quoting::Replaced), c.replaced) << c.name;
        EXPECT_EQ(Quoted(c.text, Quoting::Escaped), c.escaped) << c.name;
        EXPECT_EQ(Quoted(c.text, Quoting::AsTyped), c.asTyped) << c.name;
    }
}

TEST(QuotedEscaped, KeepsShortTextsAndMarksWhereItCut) {
    EXPECT_EQ(Quoted("22×1", Quoting::Escaped), "«22×1»");
    EXPECT_EQ(Quoted("", Quoting::Escaped), "«»");
    const std::string forty(kQuotedCharacters, 'x');
    EXPECT_EQ(Quoted(forty, Quoting::Escaped), "«" + forty + "»");
    EXPECT_EQ(Quoted(forty + "y", Quoting::Escaped), "«" + forty + "…»");
    // Counted in characters, never cutting one in half.
    std::string multiplied;
    for (std::size_t i = 0; i < kQuotedCharacters + 5; ++i) {
        multiplied += "×";
    }
    const std::string quoted = Quoted(multiplied, Quoting::Escaped);
    EXPECT_EQ(FirstInvalidUtf8(quoted), kValid);
    EXPECT_EQ(quoted, "«" + multiplied.substr(0, 2 * kQuotedCharacters) + "…»");
}

TEST(QuotedEscaped, EscapesWhatIsNotPrintableUtf8) {
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
        EXPECT_EQ(Quoted(c.text, Quoting::Escaped), c.expected);
        EXPECT_EQ(FirstInvalidUtf8(Quoted(c.text, Quoting::Escaped)), kValid);
    }
    // Escaping does not let a long run of bad bytes through in full.
    EXPECT_EQ(Quoted(std::string(1000, '\xFF'), Quoting::Escaped).size(),
              std::string("«…»").size() + 4 * kQuotedCharacters);
}

}  // namespace
}  // namespace idrovela::text
