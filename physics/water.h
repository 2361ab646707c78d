#pragma once

// Liquid water: density and specific heat from IAPWS-IF97 region 1, viscosity from IAPWS 2008.

#include "physics/fluid_properties.h"

namespace idrovela::physics {

// Region 1 of IAPWS-IF97, the liquid: 273,15 K ≤ T ≤ 623,15 K and the saturation pressure
// ≤ p ≤ 100 MPa.
inline constexpr double kRegion1MinTemperatureK = 273.15;
inline constexpr double kRegion1MaxTemperatureK = 623.15;
inline constexpr double kRegion1MaxPressureMPa = 100.0;

// The atmosphere Water() is worked out at, and the temperatures it accepts.
inline constexpr double kAtmosphereMPa = 0.101325;
inline constexpr double kWaterMinCelsius = 0.0;
inline constexpr double kWaterMaxCelsius = 99.0;

// Specific volume in m³/kg (IAPWS-IF97 region 1). PhysicsError outside region 1, including a
// pressure below the saturation pressure, where the water is steam.
[[nodiscard]] double Region1SpecificVolume(double temperatureK, double pressureMPa);

// Isobaric specific heat c_p in kJ/(kg·K) (IAPWS-IF97 region 1), over the same states as
// Region1SpecificVolume and with the same refusals.
[[nodiscard]] double Region1SpecificHeatKJKgK(double temperatureK, double pressureMPa);

// Saturation pressure in MPa (IAPWS-IF97 region 4), 273,15 K to the critical 647,096 K.
[[nodiscard]] double SaturationPressureMPa(double temperatureK);

// Dynamic viscosity in Pa·s at a temperature and density (IAPWS 2008, without the critical
// enhancement, as advised for industrial use). 273,15 K to 1173,15 K, density above zero.
[[nodiscard]] double WaterViscosityPaS(double temperatureK, double densityKgM3);

// Water at 101,325 kPa, 0–99 °C: IF97 density and specific heat, and the IAPWS 2008 viscosity at
// that density.
[[nodiscard]] FluidProperties Water(double celsius);

}  // namespace idrovela::physics
