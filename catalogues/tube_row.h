#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "catalogues/catalogue.h"
#include "catalogues/fields.h"

namespace idrovela::catalogues {

// The header row every catalogue file has, and the names of its columns.
inline constexpr std::string_view kHeader =
    "designazione;diametro esterno [mm];spessore [mm];diametro interno [mm];rugosità [mm]";
inline constexpr std::array<std::string_view, 5> kColumns = {
    "designazione", "diametro esterno [mm]", "spessore [mm]", "diametro interno [mm]",
    "rugosità [mm]"};

// How far the inner diameter may be from outer − 2·wall. The comparison allows a further 1e-9
// mm, so that a value written exactly 0,05 away, which a Double cannot hold, is still accepted.
inline constexpr double kInnerToleranceMm = 0.05;
inline constexpr double kRepresentationMarginMm = 1e-9;

// No tube comes near 10 m; a larger dimension is a typing error, and would carry absurd numbers
// into every calculation made with the tube.
inline constexpr double kMaxDimensionMm = 10'000.0;

// A data row read into a tube, or why it cannot be one, in words for the user.
using TubeRow = std::variant<Tube, std::string>;

// Reads one data row: the five fields, numbers with the decimal comma. The designation loses its
// surrounding blanks and must not be empty or hold hidden characters (text::HasHiddenCharacters);
// outer diameter, wall and inner diameter must be above zero, the roughness zero or above, all
// within kMaxDimensionMm; and the inner diameter must agree with outer − 2·wall.
[[nodiscard]] TubeRow ReadTubeRow(std::string_view line);

}  // namespace idrovela::catalogues
