#include "window/controls.h"

#include <stdexcept>
#include <string>

namespace idrovela::window {

namespace {
constexpr auto kFrame = ControlKind::Frame;
constexpr auto kLabel = ControlKind::Label;
constexpr auto kText = ControlKind::TextBox;
constexpr auto kSpin = ControlKind::Spinner;
constexpr auto kOption = ControlKind::OptionButton;
constexpr auto kCheck = ControlKind::CheckBox;
constexpr auto kLeft = Alignment::Left;
constexpr auto kRight = Alignment::Right;
constexpr auto kCenter = Alignment::Center;
constexpr bool kOn = true;
constexpr bool kOff = false;
}  // namespace

// clang-format off
// name, kind, container, caption or default text, {left, top, width, height}, tab, alignment,
// enabled, visible, selected or checked, button-face background
const std::array<ControlDesign, 38> kControls = {{
    {"Frame1",          kFrame,  "",       "Materiale Tubazione",           {120, 120, 1935, 1815},   15, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Label3",          kLabel,  "",       "Diametro [mm]",                 {2760, 240, 1095, 255},   13, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Text_D",          kText,   "",       "37",                            {3840, 240, 810, 288},    11, kRight,  kOn,  kOn,  kOff, kOff},
    {"UpDown_D",        kSpin,   "",       "",                              {4680, 240, 255, 285},    12, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Option_Diametro", kOption, "",       "",                              {5040, 240, 255, 255},    5,  kLeft,   kOn,  kOn,  kOff, kOff},
    {"Text_Pollici",    kText,   "",       "1\"1/2",                        {3840, 600, 810, 288},    14, kRight,  kOn,  kOn,  kOff, kOff},
    {"G",               kLabel,  "",       "P [kW]",                        {2760, 960, 735, 255},    3,  kLeft,   kOn,  kOn,  kOff, kOff},
    {"Text_P",          kText,   "",       "116",                           {3840, 960, 825, 288},    2,  kRight,  kOn,  kOn,  kOff, kOff},
    {"UpDown_P",        kSpin,   "",       "",                              {4680, 960, 255, 285},    4,  kLeft,   kOn,  kOn,  kOff, kOff},
    {"Option_Potenza",  kOption, "",       "",                              {5040, 960, 255, 255},    6,  kLeft,   kOn,  kOn,  kOff, kOff},
    {"Label6",          kLabel,  "",       "dT [°C]",                       {2760, 1320, 735, 255},   23, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Text_dT",         kText,   "",       "10",                            {3840, 1320, 810, 288},   21, kRight,  kOn,  kOn,  kOff, kOff},
    {"Label7",          kLabel,  "",       "G [litri/h]",                   {2760, 1680, 735, 255},   24, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Text_G",          kText,   "",       "9976",                          {3840, 1680, 810, 288},   22, kRight,  kOn,  kOn,  kOff, kOff},
    {"Frame2",          kFrame,  "",       "Liquido",                       {120, 2040, 1935, 1935},  19, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Label8",          kLabel,  "",       "w [m/s]",                       {2760, 2040, 735, 255},   26, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Text_V",          kText,   "",       "9976",                          {3840, 2040, 810, 288},   25, kRight,  kOn,  kOn,  kOff, kOff},
    {"Label4",          kLabel,  "",       "Y [Pa]",                        {2760, 2640, 975, 255},   1,  kLeft,   kOn,  kOn,  kOff, kOff},
    {"Text_Y",          kText,   "",       "100",                           {3840, 2640, 828, 288},   0,  kRight,  kOn,  kOn,  kOff, kOff},
    {"UpDown_Y",        kSpin,   "",       "",                              {4680, 2640, 255, 285},   8,  kLeft,   kOn,  kOff, kOff, kOff},
    {"Option_Perdita",  kOption, "",       "",                              {5040, 2640, 255, 255},   7,  kLeft,   kOn,  kOn,  kOn,  kOff},
    {"Text1",           kText,   "",       "cliccare qui per informazioni", {360, 4200, 4935, 288},   10, kCenter, kOn,  kOn,  kOff, kOn},
    {"Check1",          kCheck,  "",       "",                              {5400, 4200, 252, 252},   9,  kLeft,   kOn,  kOn,  kOn,  kOff},

    {"Option_Tubo1",    kOption, "Frame1", "Rame",                          {240, 240, 975, 255},     16, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Option_Tubo2",    kOption, "Frame1", "Acciaio Nuovi",                 {240, 480, 1455, 255},    17, kLeft,   kOn,  kOn,  kOn,  kOff},
    {"Option_Tubo3",    kOption, "Frame1", "Acciaio Vecchi",                {240, 720, 1455, 255},    18, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Option_Tubo4",    kOption, "Frame1", "Polietilene",                   {240, 960, 1455, 255},    37, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Option_TuboX",    kOption, "Frame1", "Altro",                         {240, 1200, 1455, 255},   35, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Label1",          kLabel,  "Frame1", "Epsilon",                       {240, 1440, 615, 255},    29, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Text_epsilon",    kText,   "Frame1", "0,045",                         {840, 1440, 855, 285},    30, kLeft,   kOff, kOn,  kOff, kOff},

    {"Option_Fluido1",  kOption, "Frame2", "Acqua 4°C",                     {240, 240, 1575, 255},    20, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Option_Fluido2",  kOption, "Frame2", "Acqua 20°C",                    {240, 480, 1575, 255},    27, kLeft,   kOn,  kOn,  kOn,  kOff},
    {"Option_Fluido3",  kOption, "Frame2", "Acqua 80°C",                    {240, 720, 1575, 255},    28, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Option_FluidoX",  kOption, "Frame2", "Altro",                         {240, 960, 1575, 255},    36, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Label2",          kLabel,  "Frame2", "µ",                             {240, 1200, 375, 255},    31, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Text_Mu",         kText,   "Frame2", "1,000",                         {840, 1200, 855, 285},    33, kLeft,   kOff, kOn,  kOff, kOff},
    {"Label9",          kLabel,  "Frame2", "Rho",                           {240, 1560, 375, 255},    32, kLeft,   kOn,  kOn,  kOff, kOff},
    {"Text_Rho",        kText,   "Frame2", "998,2",                         {840, 1560, 855, 285},    34, kLeft,   kOff, kOn,  kOff, kOff},
}};
// clang-format on

const ControlDesign& DesignOf(std::string_view name) {
    for (const ControlDesign& design : kControls) {
        if (design.name == name) {
            return design;
        }
    }
    throw std::out_of_range("no control named " + std::string(name));
}

}  // namespace idrovela::window
