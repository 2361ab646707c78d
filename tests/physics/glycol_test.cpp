#include "physics/glycol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "tests/physics/expect_physics_error.h"

namespace idrovela::physics {
namespace {

constexpr Glycol kEG = Glycol::Etilenico;
constexpr Glycol kPG = Glycol::Propilenico;

// The lines of a data file of physics/data/ that are not comments, as numbers; "T\X" and "X Tf"
// (the headings) are read as NaN.
std::vector<std::vector<double>> DataFile(const std::string& name) {
    std::ifstream file(std::string(IDROVELA_GLYCOL_DATA) + "/" + name);
    EXPECT_TRUE(file) << "cannot read " << name;
    std::vector<std::vector<double>> rows;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<double> row;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) {
            double value = std::numeric_limits<double>::quiet_NaN();
            std::from_chars(field.data(), field.data() + field.size(), value);
            row.push_back(value);
        }
        rows.push_back(row);
    }
    return rows;
}

std::string FileOf(Glycol glycol, const char* quantity) {
    return std::string("ashrae-") + (glycol == kEG ? "ethylene" : "propylene") + "-glycol-vol-" +
           quantity + ".tsv";
}

// Every cell of the data files, at its own temperature and concentration, is given as the file
// has it (the viscosity from 1e-5 Pa·s to mPa·s), and every frozen cell is refused: the tables
// the program is built with are the files' whole tables, each in its place.
TEST(GlycolMixture, EveryCellOfTheDataFilesAsItStands) {
    for (const Glycol glycol : {kEG, kPG}) {
        const auto density = DataFile(FileOf(glycol, "rho"));
        const auto viscosity = DataFile(FileOf(glycol, "mu"));
        const auto specificHeat = DataFile(FileOf(glycol, "cp"));
        ASSERT_EQ(density.size(), 29u) << "−35 to 100 °C every 5 K, and the heading";
        ASSERT_EQ(viscosity.size(), density.size());
        ASSERT_EQ(specificHeat.size(), density.size());
        std::size_t given = 0;
        for (std::size_t t = 1; t < density.size(); ++t) {
            for (std::size_t c = 1; c < density[0].size(); ++c) {
                const double percent = density[0][c];
                const double celsius = density[t][0];
                const std::string where = std::string(GlycolName(glycol)) + " " +
                                          std::to_string(percent) + " % " +
                                          std::to_string(celsius) + " °C";
                if (density[t][c] == -1) {
                    EXPECT_PHYSICS_ERROR(GlycolMixture(glycol, percent, celsius),
                                         "troppo vicina al congelamento");
                    continue;
                }
                const FluidProperties mixture = GlycolMixture(glycol, percent, celsius);
                EXPECT_EQ(mixture.densityKgM3, density[t][c]) << where;
                EXPECT_EQ(mixture.viscosityMPaS, viscosity[t][c] / 100) << where;
                EXPECT_EQ(mixture.specificHeatJKgK, specificHeat[t][c]) << where;
                ++given;
            }
        }
        EXPECT_GT(given, 140u);  // of 168 cells
    }
}

TEST(GlycolMixture, GridPointsAreGivenAsTheyStand) {
    const struct {
        Glycol glycol;
        double volumePercent;
        double celsius;
        double density;
        double viscosity;
    } cases[] = {
        {kEG, 40, -15, 1070.87, 11.74},  // between the 10 K rows, where 11,9455 was given
        {kEG, 30, -10, 1054.31, 6.19},   {kEG, 10, 0, 1018.73, 2.08},
        {kEG, 60, -35, 1104.6, 93.44},   {kEG, 10, 100, 972.32, 0.35},
        {kEG, 20, -5, 1036.85, 3.65},    {kPG, 10, 0, 1013.85, 2.68},
        {kPG, 60, -35, 1072.92, 524.01}, {kPG, 60, 100, 984.94, 0.92},
        {kPG, 40, -15, 1050.43, 33.22},  {kPG, 30, 55, 1009.63, 1.13},
    };
    for (const auto& c : cases) {
        const FluidProperties mixture = GlycolMixture(c.glycol, c.volumePercent, c.celsius);
        EXPECT_EQ(mixture.densityKgM3, c.density)
            << GlycolName(c.glycol) << " " << c.volumePercent << " % " << c.celsius << " °C";
        EXPECT_EQ(mixture.viscosityMPaS, c.viscosity)
            << GlycolName(c.glycol) << " " << c.volumePercent << " % " << c.celsius << " °C";
    }
}

TEST(GlycolMixture, LinearInDensityAndSpecificHeatAndInTheLogarithmOfViscosity) {
    const struct {
        const char* what;
        Glycol glycol;
        double volumePercent;
        double celsius;
        double density;
        double viscosity;
        double specificHeat;
    } cases[] = {
        // On the 30 % line, halfway from 10 to 15 °C: the mean, and the geometric mean.
        {"EG 30 % 12,5 °C", kEG, 30, 12.5, (1048.76 + 1047.07) / 2, std::sqrt(2.95 * 2.53), 3624},
        // On the 20 °C line, halfway from 20 to 30 %.
        {"EG 25 % 20 °C", kEG, 25, 20, (1029.72 + 1045.25) / 2, std::sqrt(1.65 * 2.20), 3730},
        // Centre of the cell 10–15 °C, 20–30 %: (2,18·1,89·2,95·2,53)^(1/4).
        {"EG 25 % 12,5 °C", kEG, 25, 12.5, 1040.04, 2.354860628801069, 3710.75},
        // Weights 0,2 in concentration and 0,6 in temperature (30–35 °C): for the viscosity
        // 3,09^0,32 · 2,60^0,48 · 4,43^0,08 · 3,69^0,12.
        {"PG 42 % 33 °C", kPG, 42, 33, 1030.5524, 2.9904006778518477, 3712.08},
    };
    for (const auto& c : cases) {
        const FluidProperties mixture = GlycolMixture(c.glycol, c.volumePercent, c.celsius);
        EXPECT_NEAR(mixture.densityKgM3, c.density, 1e-12 * c.density) << c.what;
        EXPECT_NEAR(mixture.viscosityMPaS, c.viscosity, 1e-12 * c.viscosity) << c.what;
        EXPECT_NEAR(mixture.specificHeatJKgK, c.specificHeat, 1e-12 * c.specificHeat) << c.what;
    }
}

// Chilled-brine states that lie between the 10 K rows of the source and so were once refused:
// each is answered from the four cells around it, within them.
TEST(GlycolMixture, BrineStatesBetweenTheRowsAreAnswered) {
    const FluidProperties ethylene25 = GlycolMixture(kEG, 25, -5);
    EXPECT_NEAR(ethylene25.densityKgM3, 1044.98, 0.5e-2);
    EXPECT_NEAR(ethylene25.viscosityMPaS, 4.285, 0.5e-3);
    EXPECT_EQ(ethylene25.specificHeatJKgK, (3757 + 3574) / 2.0);
    const struct {
        Glycol glycol;
        double volumePercent;
        double celsius;
    } states[] = {
        {kEG, 20, -5},   {kEG, 20, -2.5}, {kEG, 25, -5},   {kEG, 25, -2.5}, {kPG, 20, -5},
        {kPG, 20, -2.5}, {kPG, 25, -5},   {kPG, 25, -2.5}, {kPG, 40, -15},  {kPG, 45, -15},
    };
    for (const auto& s : states) {
        const auto what = [&s] {
            return std::string(GlycolName(s.glycol)) + " " + std::to_string(s.volumePercent) +
                   " % " + std::to_string(s.celsius) + " °C";
        };
        try {
            const FluidProperties mixture = GlycolMixture(s.glycol, s.volumePercent, s.celsius);
            // The corners: the grid lines at and above the state.
            const double lowC = std::floor(s.celsius / 5) * 5;
            const double lowX = std::floor(s.volumePercent / 10) * 10;
            double least = std::numeric_limits<double>::infinity();
            double greatest = -least;
            for (const double c : {lowC, lowC + 5}) {
                for (const double x : {lowX, std::min(lowX + 10, 60.0)}) {
                    const double mu = GlycolMixture(s.glycol, x, c).viscosityMPaS;
                    least = std::min(least, mu);
                    greatest = std::max(greatest, mu);
                }
            }
            EXPECT_GE(mixture.viscosityMPaS, least) << what();
            EXPECT_LE(mixture.viscosityMPaS, greatest) << what();
        } catch (const PhysicsError& error) {
            ADD_FAILURE() << what() << ": " << error.what();
        }
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
        {kEG, 25, -7.5, "a 25 % in volume i dati partono da \u22125 °C"},
        {kEG, 10, -10, "a 10 % in volume i dati partono da 0 °C"},
        {kEG, 10, -35, "a 10 % in volume i dati partono da 0 °C"},
        {kEG, 35, -20, "a 35 % in volume i dati partono da \u221210 °C"},
        {kPG, 40, -20, "a 40 % in volume i dati partono da \u221215 °C"},
        {kPG, 45, -17.5, "a 45 % in volume i dati partono da \u221215 °C"},
        {kPG, 50, -30, "a 50 % in volume i dati partono da \u221225 °C"},
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
        {60, -35.5, "temperatura tra \u221235 e 100 °C"},
        {30, 100.01, "temperatura tra \u221235 e 100 °C"},
        {kNaN, 20, "Concentrazione di glicole: il valore non è un numero"},
        {30, kNaN, "Temperatura della miscela: il valore non è un numero"},
        {30, std::numeric_limits<double>::infinity(), "il valore è infinito"},
    };
    for (const Glycol glycol : {kEG, kPG}) {
        for (const auto& c : cases) {
            EXPECT_PHYSICS_ERROR(GlycolMixture(glycol, c.volumePercent, c.celsius), c.message);
        }
        // The corners of the tables that hold values are given.
        for (const double celsius : {-35.0, 100.0}) {
            EXPECT_NO_THROW(static_cast<void>(GlycolMixture(glycol, 60, celsius)));
        }
        EXPECT_NO_THROW(static_cast<void>(GlycolMixture(glycol, 10, 100)));
    }
}

TEST(GlycolFreezingPointC, FromTheWholeCurveOfTheSource) {
    // Every point of the curves as it stands.
    for (const Glycol glycol : {kEG, kPG}) {
        const auto curve = DataFile(FileOf(glycol, "tfreeze"));
        ASSERT_EQ(curve.size(), 46u);
        for (std::size_t k = 1; k < curve.size(); ++k) {
            EXPECT_EQ(GlycolFreezingPointC(glycol, curve[k][0]), curve[k][1])
                << GlycolName(glycol) << " " << curve[k][0] << " %";
        }
    }
    // Between the points, linearly: 25 % lies between 24,8 % (−12 °C) and 25,8 % (−12,7 °C).
    const struct {
        Glycol glycol;
        double volumePercent;
        double celsius;
    } cases[] = {
        {kEG, 25, -12 + 0.2 * -0.7},                              // −12,14
        {kEG, 30, -15.4 + 0.4 * -0.8},                            // −15,72
        {kPG, 35, -16.4 + (35 - 34.4) / (35.5 - 34.4) * (-0.9)},  // −16,89
        {kPG, 2.4, 0.5 * -1.6},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(GlycolFreezingPointC(c.glycol, c.volumePercent), c.celsius, 1e-12)
            << GlycolName(c.glycol) << " " << c.volumePercent << " %";
    }
}

TEST(GlycolFreezingPointC, SaysWhereTheSourceGivesNone) {
    // The ethylene curve ends at 57,8 %: above it there is no freezing point to give.
    for (const double percent : {std::nextafter(57.8, 60.0), 58.0, 60.0}) {
        EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kEG, percent),
                             "la fonte non dà il punto di congelamento oltre il 57,8 % in volume");
    }
    EXPECT_EQ(GlycolFreezingPointC(kEG, 57.8), -48.3);
    EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kEG, 60), "Glicole etilenico al 60 % in volume: ");
    EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kPG, 61), "oltre il 60 % in volume");
    EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kEG, -0.1), "tra 0 e 57,8 % in volume");
    EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kPG, -1), "Concentrazione di glicole propilenico");
    EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kPG, std::numeric_limits<double>::quiet_NaN()),
                         "il valore non è un numero");
    EXPECT_PHYSICS_ERROR(GlycolFreezingPointC(kEG, std::numeric_limits<double>::infinity()),
                         "il valore è infinito");
}

}  // namespace
}  // namespace idrovela::physics
