// Which keys type a character, and which code the window's key handlers receive.

#include "window/qt/keys.h"

#include <gtest/gtest.h>

namespace idrovela::window::qt {
namespace {

TEST(Keys, CharacterCodeDependsOnTheKeyAndItsText) {
    struct Case {
        const char* what;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        std::optional<std::int16_t> code;
    };
    const Case cases[] = {
        {"digit", Qt::Key_5, Qt::NoModifier, "5", 53},
        {"comma", Qt::Key_Comma, Qt::NoModifier, ",", 44},
        {"point", Qt::Key_Period, Qt::NoModifier, ".", 46},
        {"shifted letter", Qt::Key_A, Qt::ShiftModifier, "A", 65},
        {"backspace under X", Qt::Key_Backspace, Qt::NoModifier, "\b", 8},
        {"backspace without text", Qt::Key_Backspace, Qt::NoModifier, "", 8},
        {"enter", Qt::Key_Return, Qt::NoModifier, "\r", 13},
        {"Ctrl+V under X", Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)), 22},
        {"Ctrl+V without text", Qt::Key_V, Qt::ControlModifier, "", 22},
        {"AltGr types", Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, "@", 64},
        {"Ctrl with a digit", Qt::Key_1, Qt::ControlModifier, "1", std::nullopt},
        {"Delete under X", Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)), std::nullopt},
        {"Delete", Qt::Key_Delete, Qt::NoModifier, "", std::nullopt},
        {"arrow", Qt::Key_Left, Qt::NoModifier, "", std::nullopt},
        {"Tab", Qt::Key_Tab, Qt::NoModifier, "\t", std::nullopt},
        {"Shift alone", Qt::Key_Shift, Qt::ShiftModifier, "", std::nullopt},
        {"non-Latin letter", Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x20ac)),
         static_cast<std::int16_t>(0x20ac)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CharacterCode(c.key, c.modifiers, c.text), c.code) << c.what;
    }
}

TEST(Keys, KeyCodesOfReleases) {
    EXPECT_EQ(KeyCode(Qt::Key_A), 65);
    EXPECT_EQ(KeyCode(Qt::Key_7), 55);
    EXPECT_EQ(KeyCode(Qt::Key_Delete), 46);
    EXPECT_EQ(KeyCode(Qt::Key_Left), 37);
    EXPECT_EQ(KeyCode(Qt::Key_Shift), 16);
    EXPECT_EQ(KeyCode(Qt::Key_F35), 0);
}

}  // namespace
}  // namespace idrovela::window::qt
