#include "window/qt/keys.h"

#include <array>
#include <utility>

namespace idrovela::window::qt {

namespace {

constexpr std::int16_t kBackspace = 8;
constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kEscape = 27;
constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kDeleteCharacter = 0x7f;

bool IsLetter(int key) {
    return key >= Qt::Key_A && key <= Qt::Key_Z;
}

bool IsDigit(int key) {
    return key >= Qt::Key_0 && key <= Qt::Key_9;
}

}  // namespace

std::optional<std::int16_t> CharacterCode(int key, Qt::KeyboardModifiers modifiers,
                                          const QString& text) {
    switch (key) {
        case Qt::Key_Backspace:
            return kBackspace;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kEnter;
        case Qt::Key_Escape:
            return kEscape;
        case Qt::Key_Delete:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return std::nullopt;
        default:
            break;
    }
    // Ctrl without Alt makes a shortcut; with Alt it is AltGr on some keyboards, which types.
    const bool control =
        modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier);
    if (control) {
        if (IsLetter(key)) {
            return static_cast<std::int16_t>(key - Qt::Key_A + 1);
        }
        return std::nullopt;
    }
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const char16_t first = text.front().unicode();
    if (first < kFirstPrintable || first == kDeleteCharacter) {
        return std::nullopt;
    }
    // A character beyond 0x7fff keeps its 16 bits, as a 16-bit code always has.
    return static_cast<std::int16_t>(first);
}

std::int16_t KeyCode(int key) {
    if (IsLetter(key) || IsDigit(key)) {
        return static_cast<std::int16_t>(key);
    }
    static constexpr std::array<std::pair<int, std::int16_t>, 22> kCodes = {{
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},     {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},  {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
        {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27}, {Qt::Key_Space, 32},   {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},    {Qt::Key_Home, 36},    {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},       {Qt::Key_Right, 39},  {Qt::Key_Down, 40},    {Qt::Key_Insert, 45},
        {Qt::Key_Delete, 46},   {Qt::Key_Comma, 188},
    }};
    for (const auto& [qtKey, code] : kCodes) {
        if (qtKey == key) {
            return code;
        }
    }
    return 0;
}

}  // namespace idrovela::window::qt
