#pragma once

// Water-glycol mixtures by volume concentration: density and viscosity from the ASHRAE tables,
// and the freezing point.

#include <string_view>

#include "physics/fluid_properties.h"

namespace idrovela::physics {

enum class Glycol { Etilenico, Propilenico };

// "glicole etilenico", "glicole propilenico".
[[nodiscard]] std::string_view GlycolName(Glycol glycol);

// The table's range: 10–60 % in volume, −20 to 80 °C.
inline constexpr double kGlycolMinVolumePercent = 10.0;
inline constexpr double kGlycolMaxVolumePercent = 60.0;
inline constexpr double kGlycolMinCelsius = -20.0;
inline constexpr double kGlycolMaxCelsius = 80.0;

// Interpolated linearly in temperature and concentration, the viscosity in its logarithm; at a
// grid temperature or concentration only that grid line is used, so a grid point is given as it
// stands. PhysicsError, never an extrapolation, when the point lies beyond the table or any cell
// the interpolation uses is frozen: the message names the range that holds.
[[nodiscard]] FluidProperties GlycolMixture(Glycol glycol, double volumePercent, double celsius);

// Freezing point in °C, interpolated linearly in its own table (ethylene 8,9–57,8 %, propylene
// 9,6–60 % in volume); PhysicsError outside it.
[[nodiscard]] double GlycolFreezingPointC(Glycol glycol, double volumePercent);

}  // namespace idrovela::physics
