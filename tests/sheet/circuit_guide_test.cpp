// The circuit guide stays true as the program changes: it explains every column of the sheet and
// of the terminals and every warning code, and the markup of both guides is whole.

#include "sheet/circuit_guide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "circuit/solve.h"
#include "columns/columns.h"
#include "window/help_text.h"

namespace idrovela::sheet::test {
namespace {

using Texts = std::vector<std::string>;

// The parts one after the other (appended: GCC 12 at -O3 warns falsely of an overlapping copy when
// a literal and a string are joined with +).
std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string joined;
    for (const std::string_view part : parts) {
        joined += part;
    }
    return joined;
}

// The parts the guide lacks, each looked for as `open` + part + `close`.
template <typename Parts>
Texts Missing(const Parts& parts, std::string_view open, std::string_view close) {
    const std::string_view guide = CircuitGuideHtml();
    Texts missing;
    for (const auto& part : parts) {
        const std::string marked = Joined({open, part, close});
        if (guide.find(marked) == std::string_view::npos) {
            missing.emplace_back(part);
        }
    }
    return missing;
}

TEST(CircuitGuide, ExplainsEveryColumnOfTheSheetAndOfTheTerminals) {
    Texts captions;
    for (const columns::ColumnInfo& column : columns::SegmentColumns()) {
        captions.emplace_back(column.caption);
    }
    for (const columns::ColumnInfo& column : columns::TerminalColumns()) {
        captions.emplace_back(column.caption);
    }
    EXPECT_EQ(Missing(captions, "<b>", "</b>"), Texts{});
}

// Over the codes as far as the enumeration goes, so that a code added later is looked for too:
// WarningCodeName names each and gives nothing past the last.
TEST(CircuitGuide, ExplainsEveryWarningCode) {
    Texts names;
    for (int code = 0; code < 1000; ++code) {
        const std::string_view name =
            circuit::WarningCodeName(static_cast<circuit::WarningCode>(code));
        if (name.empty()) {
            break;
        }
        names.emplace_back(name);
    }
    ASSERT_GT(names.size(), static_cast<std::size_t>(circuit::WarningCode::TerminaleSenzaPortata));
    EXPECT_EQ(Missing(names, "<code>", "</code>"), Texts{});
}

// The file's keys that count the supply and the return together, which the user must know.
TEST(CircuitGuide, NamesTheFileKeysThatCountBothLegs) {
    EXPECT_EQ(Missing(Texts{"lunghezza", "accidenti", "valvole"}, "<code>", "</code>"), Texts{});
}

// What is wrong with the tags of `html`: a tag the guides do not use (a "<" meant as text among
// them), a tag closed that is not the one open, a tag left open.
Texts TagFaults(std::string_view html) {
    static const Texts kPaired = {"h2", "h3",  "p",    "ul",    "ol", "li", "b",
                                  "i",  "kbd", "code", "table", "tr", "td", "th"};
    Texts faults;
    Texts open;
    for (std::size_t at = html.find('<'); at != std::string_view::npos;
         at = html.find('<', at + 1)) {
        const std::size_t end = html.find('>', at);
        if (end == std::string_view::npos) {
            faults.push_back(Joined({"unended tag at ", std::to_string(at)}));
            break;
        }
        std::string_view tag = html.substr(at + 1, end - at - 1);
        const bool closing = !tag.empty() && tag.front() == '/';
        if (closing) {
            tag.remove_prefix(1);
        }
        const std::string name(tag.substr(0, tag.find(' ')));
        if (std::find(kPaired.begin(), kPaired.end(), name) == kPaired.end()) {
            faults.push_back(Joined({"<", tag, "> at ", std::to_string(at)}));
        } else if (!closing) {
            open.push_back(name);
        } else if (open.empty() || open.back() != name) {
            faults.push_back(Joined({"</", name, "> at ", std::to_string(at), " closes ",
                                     open.empty() ? std::string_view("nothing") : open.back()}));
        } else {
            open.pop_back();
        }
    }
    for (const std::string& name : open) {
        faults.push_back(Joined({"<", name, "> left open"}));
    }
    return faults;
}

TEST(CircuitGuide, TheTagsOfBothGuidesCloseInOrder) {
    EXPECT_EQ(TagFaults(CircuitGuideHtml()), Texts{});
    EXPECT_EQ(TagFaults(window::HelpHtml()), Texts{});
    // What the check finds.
    EXPECT_EQ(TagFaults("<p>Re <b>2300</p></b>"), (Texts{"</p> at 13 closes b", "<p> left open"}));
    EXPECT_EQ(TagFaults("<p>Re < 2300</p>"), (Texts{"< 2300</p> at 6"}));
}

}  // namespace
}  // namespace idrovela::sheet::test
