#include "columns/duty_texts.h"

#include <string_view>

#include "columns/columns.h"

namespace idrovela::columns {

namespace {

constexpr double kLitresPerCubicMetre = 1000.0;
constexpr double kPascalPerKilopascal = 1000.0;

std::string WithUnit(double value, int decimals, std::string_view unit) {
    return FixedFigure(value, decimals) + ' ' + std::string(unit);
}

}  // namespace

std::string FlowText(double flowLph) {
    return WithUnit(flowLph, 0, "l/h") + " = " +
           WithUnit(flowLph / kLitresPerCubicMetre, 3, "m³/h");
}

std::string HeadText(double headPa, double headM, HeadForm form) {
    const bool full = form == HeadForm::Full;
    std::string text = full ? WithUnit(headPa, 0, "Pa") + " = " : std::string();
    text += WithUnit(headPa / kPascalPerKilopascal, 2, "kPa") + " = ";
    return text + WithUnit(headM, 2, full ? "m di colonna del fluido" : "m di fluido");
}

}  // namespace idrovela::columns
