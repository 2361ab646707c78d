// The notification rules the handlers rely on, on the controls themselves.

#include "window/text_box.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "window/option_button.h"
#include "window/spinner.h"

namespace idrovela::window {
namespace {

// A text box whose handlers log what they see.
struct LoggedBox {
    LoggedBox() {
        box.OnChange([this] { log.push_back("change " + box.Text()); });
        box.OnKeyPress([this](std::int16_t& key) {
            log.push_back("press " + std::to_string(key));
            if (key == 'x') {
                key = 0;
            }
        });
        box.OnKeyUp([this](std::int16_t key, std::int16_t) {
            log.push_back("release " + std::to_string(key));
        });
    }
    TextBox box{"Text_T", "12", true};
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST(TextBox, KeystrokeIsPressThenChangeThenRelease) {
    LoggedBox t;
    t.box.Keystroke('3', "123");
    EXPECT_EQ(t.log, (Log{"press 51", "change 123", "release 51"}));
}

TEST(TextBox, DiscardedKeyChangesNothingButIsReleased) {
    LoggedBox t;
    t.box.Keystroke('x', "12x");
    EXPECT_EQ(t.box.Text(), "12");
    EXPECT_EQ(t.log, (Log{"press 120", "release 120"}));
}

TEST(TextBox, WriteOfTheSameTextRaisesNothing) {
    LoggedBox t;
    t.box.SetText("12");
    t.box.Keystroke('5', "12");  // a key that leaves the text as it was
    EXPECT_EQ(t.log, (Log{"press 53", "release 53"}));
}

TEST(TextBox, DeleteAndCharacterlessKeysHaveNoKeyPress) {
    LoggedBox t;
    t.box.DeleteKey("1");
    t.box.KeyRelease(37);
    EXPECT_EQ(t.log, (Log{"change 1", "release 46", "release 37"}));
}

TEST(TextBox, ChangeRunsInsideTheWriteAndMayWriteAgain) {
    TextBox box{"Text_T", "", true};
    int runs = 0;
    box.OnChange([&] {
        ++runs;
        box.SetText("whole");  // the nested run writes the same text and stops there
    });
    box.SetText("part");
    EXPECT_EQ(box.Text(), "whole");
    EXPECT_EQ(runs, 2);
}

TEST(OptionGroup, ClickRunsOnlyWhenTheSelectionChanges) {
    OptionButton a{"A", true}, b{"B", false};
    OptionGroup group({&a, &b});
    int clicksA = 0, clicksB = 0;
    a.OnClick([&] { ++clicksA; });
    b.OnClick([&] {
        ++clicksB;
        EXPECT_TRUE(b.Value());
        EXPECT_FALSE(a.Value());  // already deselected when the handler runs
    });
    group.UserSelect(a);
    group.UserSelect(b);
    group.UserSelect(b);
    EXPECT_EQ(clicksA, 0);
    EXPECT_EQ(clicksB, 1);
}

TEST(CheckBox, ClickTogglesThenRunsTheHandler) {
    CheckBox box{"Check1", true};
    std::vector<bool> seen;
    box.OnClick([&] { seen.push_back(box.Value()); });
    box.UserClick();
    box.UserClick();
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
}

struct LoggedSpinner {
    LoggedSpinner() {
        field.OnChange([this] { log.push_back("field " + field.Text()); });
        spinner.OnChange([this] { log.push_back("spinner " + std::to_string(spinner.Value())); });
    }
    TextBox field{"Text_T", "37", true};
    Spinner spinner{"UpDown_T", field, 1, 1000, 1};
    std::vector<std::string> log;
};

TEST(Spinner, WritesItsFieldThenRaisesItsChange) {
    LoggedSpinner s;
    s.spinner.UserUp();
    s.spinner.UserDown();
    EXPECT_EQ(s.log, (Log{"field 38", "spinner 38", "field 37", "spinner 37"}));
}

TEST(Spinner, TakesUpAWholeTypedValueWithinItsRange) {
    struct Case {
        const char* typed;
        const char* afterUp;
    };
    const Case cases[] = {
        {"500", "501"},   // taken up
        {"12,5", "38"},   // not whole: the spinner's own value steps
        {"0", "38"},      // outside the range
        {"-3", "38"},     //
        {"abc", "38"},    //
        {"1001", "38"},   //
        {"999", "1000"},  // up to the maximum
    };
    for (const Case& c : cases) {
        LoggedSpinner s;
        s.field.SetText(c.typed);
        s.spinner.UserUp();
        EXPECT_EQ(s.field.Text(), c.afterUp) << c.typed;
    }
}

TEST(Spinner, AtEitherEndAClickRaisesNothing) {
    LoggedSpinner s;
    s.field.SetText("1000");
    s.log.clear();
    s.spinner.UserUp();
    EXPECT_EQ(s.spinner.Value(), 1000);
    s.field.SetText("1");
    s.log.clear();
    s.spinner.UserDown();
    EXPECT_EQ(s.spinner.Value(), 1);
    EXPECT_TRUE(s.log.empty());
    EXPECT_EQ(s.field.Text(), "1");
}

}  // namespace
}  // namespace idrovela::window
