#pragma once

#include <string_view>

namespace idrovela::window {

// What the window tells about a control beyond its caption: the name a screen reader speaks, the
// tooltip, and for a field the label that captions it. The captions and texts of the window stay
// as they are; these only describe them.
struct ControlHelp {
    std::string_view name;
    std::string_view accessibleName;  // empty: the control's own caption, or its label's
    std::string_view toolTip;
    std::string_view label;  // a field's caption label, empty for other controls
};

// The help of a control of the window; every control of the control table has one.
[[nodiscard]] const ControlHelp& HelpOf(std::string_view name);

}  // namespace idrovela::window
