#include "physics/water.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/physics/expect_physics_error.h"

namespace idrovela::physics {
namespace {

// Each official value is met to its last printed digit: within half a unit of it.
TEST(Region1SpecificVolume, OfficialCheckValues) {
    const struct {
        double temperatureK;
        double pressureMPa;
        double volume;
        double halfUnit;
    } cases[] = {
        {300.0, 3.0, 0.100215168e-2, 0.5e-11},
        {300.0, 80.0, 0.971180894e-3, 0.5e-12},
        {500.0, 3.0, 0.120241800e-2, 0.5e-11},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(Region1SpecificVolume(c.temperatureK, c.pressureMPa), c.volume, c.halfUnit)
            << c.temperatureK << " K, " << c.pressureMPa << " MPa";
    }
}

TEST(Region1SpecificHeatKJKgK, OfficialCheckValues) {
    const struct {
        double temperatureK;
        double pressureMPa;
        double specificHeat;
    } cases[] = {
        {300.0, 3.0, 4.17301218},
        {300.0, 80.0, 4.01008987},
        {500.0, 3.0, 4.65580682},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(Region1SpecificHeatKJKgK(c.temperatureK, c.pressureMPa), c.specificHeat, 0.5e-8)
            << c.temperatureK << " K, " << c.pressureMPa << " MPa";
    }
    // The same states as the specific volume: steam is refused.
    EXPECT_PHYSICS_ERROR(Region1SpecificHeatKJKgK(500.0, 1.0), "sotto la pressione di saturazione");
    EXPECT_PHYSICS_ERROR(Region1SpecificHeatKJKgK(273.0, 1.0), "da 273,15 a 623,15 K");
}

TEST(SaturationPressureMPa, OfficialCheckValuesAndTheBoilingPoint) {
    const struct {
        double temperatureK;
        double pressureMPa;
        double halfUnit;
    } cases[] = {
        {300.0, 0.353658941e-2, 0.5e-11},
        {500.0, 0.263889776e1, 0.5e-8},
        {600.0, 0.123443146e2, 0.5e-7},
        {373.15, 0.101418, 0.5e-6},  // just above the atmosphere: 100 °C is not liquid at 1 atm
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(SaturationPressureMPa(c.temperatureK), c.pressureMPa, c.halfUnit)
            << c.temperatureK << " K";
    }
}

TEST(WaterViscosityPaS, OfficialCheckValues) {
    const struct {
        double temperatureK;
        double densityKgM3;
        double microPascalSeconds;
    } cases[] = {
        {298.15, 998.0, 889.735100},
        {298.15, 1200.0, 1437.649467},
        {373.15, 1000.0, 307.883622},
        {433.15, 1.0, 14.538324},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(WaterViscosityPaS(c.temperatureK, c.densityKgM3) * 1e6, c.microPascalSeconds,
                    0.5e-6)
            << c.temperatureK << " K, " << c.densityKgM3 << " kg/m³";
    }
}

TEST(Water, ReferenceTableAtOneAtmosphere) {
    // IF97 density and IAPWS 2008 viscosity at 101,325 kPa, printed to 4 and 5 decimals.
    const struct {
        double celsius;
        double density;
        double viscosity;
    } rows[] = {
        {0, 999.8443, 1.79175},  {4, 999.9754, 1.56729},  {10, 999.7015, 1.30590},
        {20, 998.2061, 1.00160}, {30, 995.6521, 0.79722}, {40, 992.2243, 0.65273},
        {50, 988.0475, 0.54652}, {60, 983.2106, 0.46604}, {70, 977.7793, 0.40356},
        {80, 971.8029, 0.35406}, {90, 965.3187, 0.31418},
    };
    for (const auto& row : rows) {
        const FluidProperties water = Water(row.celsius);
        EXPECT_NEAR(water.densityKgM3, row.density, 0.5e-4) << row.celsius << " °C";
        EXPECT_NEAR(water.viscosityMPaS, row.viscosity, 0.5e-5) << row.celsius << " °C";
    }
    // c_p at one atmosphere, in J/(kg·K): about 4,18 kJ/(kg·K) at 20 °C and 4,19 at 70 °C; it
    // falls from 0 °C to its least near 40 °C, then rises.
    EXPECT_NEAR(Water(20).specificHeatJKgK, 4180, 5);
    EXPECT_NEAR(Water(70).specificHeatJKgK, 4190, 5);
    EXPECT_EQ(Water(20).specificHeatJKgK, Region1SpecificHeatKJKgK(293.15, 0.101325) * 1000);
    EXPECT_GT(Water(0).specificHeatJKgK, Water(20).specificHeatJKgK);
    EXPECT_LT(Water(40).specificHeatJKgK, Water(20).specificHeatJKgK);
    EXPECT_LT(Water(40).specificHeatJKgK, Water(60).specificHeatJKgK);
    // The ends of the range are accepted.
    EXPECT_NO_THROW(static_cast<void>(Water(0.0)));
    EXPECT_NO_THROW(static_cast<void>(Water(99.0)));
}

TEST(Water, RefusesStatesOutsideItsFormulations) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_PHYSICS_ERROR(Water(-0.5), "i dati coprono 0–99 °C");
    EXPECT_PHYSICS_ERROR(Water(99.5), "il valore 99,5 °C è fuori campo");
    EXPECT_PHYSICS_ERROR(Water(100.0), "0–99 °C");
    EXPECT_PHYSICS_ERROR(Water(kNaN), "Temperatura dell'acqua: il valore non è un numero");
    EXPECT_PHYSICS_ERROR(Water(kInf), "Temperatura dell'acqua: il valore è infinito");

    EXPECT_PHYSICS_ERROR(Region1SpecificVolume(273.14, 1.0), "da 273,15 a 623,15 K");
    EXPECT_PHYSICS_ERROR(Region1SpecificVolume(623.16, 50.0), "da 273,15 a 623,15 K");
    EXPECT_PHYSICS_ERROR(Region1SpecificVolume(kNaN, 1.0), "Temperatura");
    EXPECT_PHYSICS_ERROR(Region1SpecificVolume(300.0, 0.0), "Pressione: il valore 0 MPa");
    EXPECT_PHYSICS_ERROR(Region1SpecificVolume(300.0, -1.0), "da sopra 0 a 100 MPa");
    EXPECT_PHYSICS_ERROR(Region1SpecificVolume(300.0, 100.5), "da sopra 0 a 100 MPa");
    EXPECT_PHYSICS_ERROR(Region1SpecificVolume(300.0, kInf), "Pressione: il valore è infinito");
    // Below the saturation pressure the water is steam, outside the liquid's formulation.
    EXPECT_PHYSICS_ERROR(Region1SpecificVolume(500.0, 1.0), "sotto la pressione di saturazione");
    EXPECT_PHYSICS_ERROR(Region1SpecificVolume(373.15, 0.101325), "l'acqua è vapore");
    EXPECT_PHYSICS_ERROR(Region1SpecificVolume(623.15, 16.5), "16,5292 MPa");
    EXPECT_NO_THROW(static_cast<void>(Region1SpecificVolume(623.15, 16.53)));
    EXPECT_NO_THROW(static_cast<void>(Region1SpecificVolume(623.15, 100.0)));
    EXPECT_NO_THROW(static_cast<void>(Region1SpecificVolume(273.15, 0.001)));

    EXPECT_PHYSICS_ERROR(SaturationPressureMPa(650.0), "647,096 K");
    EXPECT_PHYSICS_ERROR(WaterViscosityPaS(1200.0, 100.0), "da 273,15 a 1173,15 K");
    EXPECT_PHYSICS_ERROR(WaterViscosityPaS(300.0, 0.0), "Densità: il valore 0 kg/m³");
    EXPECT_PHYSICS_ERROR(WaterViscosityPaS(300.0, kNaN), "Densità: il valore non è un numero");
    EXPECT_PHYSICS_ERROR(WaterViscosityPaS(300.0, 1300.0), "fino a 1250 kg/m³");
    EXPECT_NO_THROW(static_cast<void>(WaterViscosityPaS(1173.15, 1250.0)));
}

}  // namespace
}  // namespace idrovela::physics
