#pragma once

// Water-glycol mixtures by volume concentration: density, viscosity and specific heat from the
// ASHRAE tables, the freezing point from their freezing curves (physics/data/ holds them all and
// names their source).

#include <string_view>

#include "physics/fluid_properties.h"

namespace idrovela::physics {

enum class Glycol { Etilenico, Propilenico };

// "glicole etilenico", "glicole propilenico".
[[nodiscard]] std::string_view GlycolName(Glycol glycol);

// The tables' range: 10–60 % in volume, −35 to 100 °C where the mixture is liquid.
inline constexpr double kGlycolMinVolumePercent = 10.0;
inline constexpr double kGlycolMaxVolumePercent = 60.0;
inline constexpr double kGlycolMinCelsius = -35.0;
inline constexpr double kGlycolMaxCelsius = 100.0;

// From the four cells around the point (every 5 K, every 10 %), interpolated linearly in
// temperature and concentration, the viscosity in its logarithm; at a grid temperature or
// concentration only that grid line is used, so a grid point is given as it stands. PhysicsError,
// never an extrapolation, when the point lies beyond the tables or any cell the interpolation uses
// is frozen: the message names the range that holds.
[[nodiscard]] FluidProperties GlycolMixture(Glycol glycol, double volumePercent, double celsius);

// Freezing point in °C, interpolated linearly in the source's freezing curve (ethylene 0–57,8 %,
// propylene 0–60 % in volume). PhysicsError outside it: above its last point the message says
// that the source gives no freezing point there.
[[nodiscard]] double GlycolFreezingPointC(Glycol glycol, double volumePercent);

}  // namespace idrovela::physics
