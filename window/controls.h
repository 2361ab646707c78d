#pragma once

#include <array>
#include <string_view>

namespace idrovela::window {

enum class ControlKind { Frame, Label, TextBox, Spinner, OptionButton, CheckBox };

enum class Alignment { Left, Right, Center };

// Position and size in twips (1/1440 inch; 15 twips are one pixel at 96 dpi), counted from the
// top-left corner of the control's container: the client area, or the inside of a frame.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// One control of the window as it is created.
struct ControlDesign {
    std::string_view name;
    ControlKind kind = ControlKind::Label;
    std::string_view container;  // empty: the window itself; otherwise a frame's name
    std::string_view caption;    // the caption, or a text box's default text
    Twips geometry;
    int tabIndex = 0;
    Alignment alignment = Alignment::Left;
    bool enabled = true;
    bool visible = true;
    bool selected = false;    // option buttons: selected; the check box: checked
    bool buttonFace = false;  // background in the system's button-face colour
};

inline constexpr std::string_view kCaption = "Idrovela";
inline constexpr int kClientWidthTwips = 5730;
inline constexpr int kClientHeightTwips = 4575;

// Every control, in the order the window lists them: first the controls on the window by rows
// from the top, then the contents of Frame1, then the contents of Frame2.
extern const std::array<ControlDesign, 38> kControls;

// The control named `name`; raises std::out_of_range for a name the window does not have.
[[nodiscard]] const ControlDesign& DesignOf(std::string_view name);

// A spinner: its bound text box and its range. Every spinner steps by 1 from a minimum of 1.
struct SpinnerDesign {
    std::string_view name;
    std::string_view buddy;
    int maximum = 0;
};

inline constexpr int kSpinnerMinimum = 1;
inline constexpr int kSpinnerStep = 1;
inline constexpr std::array<SpinnerDesign, 3> kSpinners = {{
    {"UpDown_D", "Text_D", 1000},
    {"UpDown_P", "Text_P", 5000},
    {"UpDown_Y", "Text_Y", 10000},
}};

}  // namespace idrovela::window
