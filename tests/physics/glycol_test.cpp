#include "physics/glycol.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/physics/expect_physics_error.h"

namespace idrovela::physics {
namespace {

constexpr Glycol kEG = Glycol::Etilenico;
constexpr Glycol kPG = Glycol::Propilenico;

TEST(GlycolMixture, GridPointsAreGivenAsTheyStand) {
    const struct {
        Glycol glycol;
        double volumePercent;
        double celsius;
        double density;
        double viscosity;
    } cases[] = {
        {kEG, 30, -10, 1054.31, 6.19},  {kEG, 10, 0, 1018.73, 2.08},
        {kEG, 60, -20, 1101.06, 34.28}, {kEG, 10, 80, 985.50, 0.44},
        {kEG, 40, 20, 1059.68, 2.96},   {kPG, 10, 0, 1013.85, 2.68},
        {kPG, 50, -20, 1060.49, 73.03}, {kPG, 60, 80, 1003.81, 1.35},
        {kPG, 30, 50, 1012.69, 1.26},
    };
    for (const auto& c : cases) {
        const FluidProperties mixture = GlycolMixture(c.glycol, c.volumePercent, c.celsius);
        EXPECT_EQ(mixture.densityKgM3, c.density)
            << GlycolName(c.glycol) << " " << c.volumePercent << " % " << c.celsius << " °C";
        EXPECT_EQ(mixture.viscosityMPaS, c.viscosity)
            << GlycolName(c.glycol) << " " << c.volumePercent << " % " << c.celsius << " °C";
    }
}

TEST(GlycolMixture, LinearInDensityAndInTheLogarithmOfViscosity) {
    const struct {
        const char* what;
        Glycol glycol;
        double volumePercent;
        double celsius;
        double density;
        double viscosity;
    } cases[] = {
        // On the 30 % line, halfway from 10 to 20 °C: the mean, and the geometric mean.
        {"EG 30 % 15 °C", kEG, 30, 15, (1048.76 + 1045.25) / 2, std::sqrt(2.95 * 2.20)},
        // On the 20 °C line, halfway from 20 to 30 %.
        {"EG 25 % 20 °C", kEG, 25, 20, (1029.72 + 1045.25) / 2, std::sqrt(1.65 * 2.20)},
        // Centre of the cell 10–20 °C, 20–30 %: (2,18·2,95·1,65·2,20)^(1/4).
        {"EG 25 % 15 °C", kEG, 25, 15, 1039.1675, 2.198094115706223},
        // Weights 0,2 in concentration and 0,3 in temperature: for the viscosity
        // 3,09^0,56 · 4,43^0,14 · 2,21^0,24 · 3,11^0,06.
        {"PG 42 % 33 °C", kPG, 42, 33, 1030.5128, 2.9998051002548697},
    };
    for (const auto& c : cases) {
        const FluidProperties mixture = GlycolMixture(c.glycol, c.volumePercent, c.celsius);
        EXPECT_NEAR(mixture.densityKgM3, c.density, 1e-12 * c.density) << c.what;
        EXPECT_NEAR(mixture.viscosityMPaS, c.viscosity, 1e-12 * c.viscosity) << c.what;
    }
}

TEST(GlycolMixture, FrozenCellsNameWhereTheDataStart) {
    const double justBelowMinus10 = std::nextafter(-10.0, -20.0);
    const struct {
        Glycol glycol;
        double volumePercent;
        double celsius;
        const char* message;
    } cases[] = {
        {kEG, 30, -15, "a 30 % in volume i dati partono da \u221210 °C"},
        {kEG, 30, justBelowMinus10, "a 30 % in volume i dati partono da \u221210 °C"},
        {kEG, 25, -5, "a 25 % in volume i dati partono da 0 °C"},
        {kEG, 10, -10, "a 10 % in volume i dati partono da 0 °C"},
        {kEG, 35, -20, "a 35 % in volume i dati partono da \u221210 °C"},
        {kPG, 40, -20, "a 40 % in volume i dati partono da \u221210 °C"},
        {kPG, 45, -15, "a 45 % in volume i dati partono da \u221210 °C"},
        {kPG, 12.5, -0.5, "a 12,5 % in volume i dati partono da 0 °C"},
    };
    for (const auto& c : cases) {
        EXPECT_PHYSICS_ERROR(GlycolMixture(c.glycol, c.volumePercent, c.celsius), c.message);
    }
    EXPECT_PHYSICS_ERROR(GlycolMixture(kEG, 30, -15),
                         "Glicole etilenico al 30 % in volume a \u221215 °C");
    // Just above the first row with data, only that row and the next are used.
    const double justAboveMinus10 = std::nextafter(-10.0, 0.0);
    EXPECT_NEAR(GlycolMixture(kEG, 30, justAboveMinus10).densityKgM3, 1054.31, 1e-9);
}

TEST(GlycolMixture, NeverExtrapolatesBeyondTheTable) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double volumePercent;
        double celsius;
        const char* message;
    } cases[] = {
        {9.99, 20, "concentrazione tra 10 e 60 % in volume"},
        {0, 20, "il valore 0 % in volume è fuori tabella"},
        {60.01, 20, "concentrazione tra 10 e 60 % in volume"},
        {30, -20.5, "temperatura tra \u221220 e 80 °C"},
        {30, 80.01, "temperatura tra \u221220 e 80 °C"},
        {kNaN, 20, "Concentrazione di glicole: il valore non è un numero"},
        {30, kNaN, "Temperatura della miscela: il valore non è un numero"},
        {30, std::numeric_limits<double>::infinity(), "il valore è infinito"},
    };
    for (const Glycol glycol : {kEG, kPG}) {
        for (const auto& c : cases) {
            EXPECT_PHYSICS_ERROR(GlycolMixture(glycol, c.volumePercent, c.celsius), c.message);
        }
    }
    EXPECT_NO_THROW(static_cast<void>(GlycolMixture(kEG, 60, 80)));
}

TEST(GlycolFreezingPointC, InterpolatedInItsOwnTable) {
    const struct {
        Glycol glycol;
        double volumePercent;
        double celsius;
    } cases[] = {
        {kEG, 8.9, -3.2},
        {kEG, 27.7, -14.1},
        {kEG, 57.8, -48.3},
        {kEG, 30, -14.1 + (30 - 27.7) / (37.5 - 27.7) * (-22.3 + 14.1)},  // −16,02
        {kPG, 9.6, -3.3},
        {kPG, 60, -51.1},
        {kPG, 35, -12.7 + (35 - 29.4) / (39.6 - 29.4) * (-21.1 + 12.7)},  // −17,31
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(GlycolFreezingPointC(c.glycol, c.volumePercent), c.celsius, 1e-12)
            << GlycolName(c.glycol) << " " << c.volumePercent << " %";
    }
    EXPECT_EQ(GlycolFreezingPointC(kEG, 27.7), -14.1);

    EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kEG, 8.8), "tra 8,9 e 57,8 % in volume");
    EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kEG, 58), "tra 8,9 e 57,8 % in volume");
    EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kPG, 9.5), "tra 9,6 e 60 % in volume");
    EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kPG, 61), "Concentrazione di glicole propilenico");
    EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kPG, std::numeric_limits<double>::quiet_NaN()),
                         "il valore non è un numero");
}

}  // namespace
}  // namespace idrovela::physics
