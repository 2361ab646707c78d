#pragma once

// Water-glycol tables by volume concentration: ASHRAE Handbook Fundamentals 2001, as tabulated in
// SecCool (Skovrup 2013), stored in the CoolProp repository (commit ea27c639), files
// dev/incompressible_liquids/CPIncomp/data/SecCool/xVolume/
//   "ASHRAE, Ethylene Glycol_Rho.txt", "…_Mu.txt", "…_TFreeze.txt", "…_Vol2Mass.txt" and
//   "ASHRAE, Propylene Glycol_Rho.txt", "…_Mu.txt", "…_TFreeze.txt", "…_Vol2Mass.txt",
// every 10 K from −20 to 80 °C. The files store the viscosity in 1e-5 Pa·s (CPIncomp
// SecCoolFluids.py, viscosityFactor); here it is in mPa·s. kFrozen marks a state below the
// freezing point (−1 in the files).

#include <array>
#include <cstddef>
#include <optional>

namespace idrovela::physics::glycol_tables {

inline constexpr std::size_t kTemperatures = 11;   // −20, −10, …, 80 °C
inline constexpr std::size_t kConcentrations = 6;  // 10, 20, …, 60 % in volume
inline constexpr double kFirstCelsius = -20.0;
inline constexpr double kCelsiusStep = 10.0;
inline constexpr double kFirstVolumePercent = 10.0;
inline constexpr double kVolumePercentStep = 10.0;

using Row = std::array<std::optional<double>, kConcentrations>;
using Table = std::array<Row, kTemperatures>;
inline constexpr std::nullopt_t kFrozen = std::nullopt;

// Ethylene glycol, density in kg/m³.
inline constexpr Table kEthyleneDensity{{
    {kFrozen, kFrozen, kFrozen, 1071.98, 1086.87, 1101.06},
    {kFrozen, kFrozen, 1054.31, 1069.63, 1084.22, 1098.09},
    {1018.73, 1035.67, 1051.78, 1066.80, 1081.08, 1094.64},
    {1016.28, 1032.94, 1048.76, 1063.49, 1077.46, 1090.70},
    {1013.34, 1029.72, 1045.25, 1059.68, 1073.35, 1086.27},
    {1009.62, 1026.02, 1041.26, 1055.39, 1068.75, 1081.35},
    {1006.01, 1021.83, 1036.78, 1050.62, 1063.66, 1075.95},
    {1001.61, 1017.16, 1031.81, 1045.35, 1058.09, 1070.06},
    {996.72, 1011.99, 1026.36, 1039.61, 1052.04, 1063.69},
    {991.35, 1006.35, 1020.42, 1033.37, 1045.49, 1056.83},
    {985.50, 1000.21, 1014.00, 1026.65, 1038.46, 1049.48},
}};

// Ethylene glycol, dynamic viscosity in mPa·s.
inline constexpr Table kEthyleneViscosity{{
    {kFrozen, kFrozen, kFrozen, 15.75, 22.07, 34.28},
    {kFrozen, kFrozen, 6.19, 9.06, 12.74, 19.62},
    {2.08, 3.02, 4.15, 5.83, 8.09, 12.05},
    {1.56, 2.18, 2.95, 4.04, 5.50, 7.85},
    {1.21, 1.65, 2.20, 2.96, 3.94, 5.38},
    {0.97, 1.30, 1.69, 2.26, 2.94, 3.84},
    {0.80, 1.06, 1.34, 1.77, 2.26, 2.84},
    {0.67, 0.88, 1.09, 1.43, 1.78, 2.16},
    {0.57, 0.74, 0.90, 1.17, 1.43, 1.69},
    {0.50, 0.64, 0.76, 0.97, 1.17, 1.35},
    {0.44, 0.55, 0.65, 0.82, 0.98, 1.10},
}};

// Propylene glycol, density in kg/m³.
inline constexpr Table kPropyleneDensity{{
    {kFrozen, kFrozen, kFrozen, kFrozen, 1060.49, 1067.72},
    {kFrozen, kFrozen, 1039.42, 1048.79, 1056.85, 1063.61},
    {1013.85, 1025.84, 1036.24, 1045.12, 1052.71, 1059.00},
    {1011.24, 1022.68, 1032.55, 1040.94, 1048.04, 1053.88},
    {1008.13, 1019.01, 1028.35, 1036.24, 1042.87, 1048.25},
    {1004.54, 1014.84, 1023.64, 1031.03, 1037.18, 1042.11},
    {1000.46, 1010.16, 1018.42, 1025.30, 1030.98, 1035.47},
    {995.88, 1004.99, 1012.69, 1019.06, 1024.27, 1028.32},
    {990.82, 999.31, 1006.44, 1012.30, 1017.04, 1020.66},
    {985.27, 993.12, 999.69, 1005.03, 1009.30, 1012.49},
    {979.23, 986.44, 992.42, 997.25, 1001.05, 1003.81},
}};

// Propylene glycol, dynamic viscosity in mPa·s.
inline constexpr Table kPropyleneViscosity{{
    {kFrozen, kFrozen, kFrozen, kFrozen, 73.03, 137.96},
    {kFrozen, kFrozen, 11.87, 23.27, 34.78, 62.78},
    {2.68, 4.05, 7.08, 12.37, 18.40, 31.32},
    {1.89, 2.79, 4.52, 7.22, 10.65, 17.05},
    {1.42, 2.02, 3.06, 4.57, 6.65, 10.04},
    {1.11, 1.52, 2.18, 3.09, 4.43, 6.34},
    {0.89, 1.18, 1.63, 2.21, 3.11, 4.25},
    {0.73, 0.95, 1.26, 1.66, 2.29, 3.00},
    {0.62, 0.78, 1.01, 1.30, 1.75, 2.22},
    {0.53, 0.66, 0.83, 1.06, 1.38, 1.70},
    {0.46, 0.56, 0.70, 0.88, 1.12, 1.35},
}};

// Freezing point against volume concentration: the points of the files at 10, 20, … 60 % by
// mass, given here by their volume concentration.
struct FreezingPoint {
    double volumePercent;
    double celsius;
};
inline constexpr std::array<FreezingPoint, 6> kEthyleneFreezing{{
    {8.9, -3.2},
    {18.1, -7.8},
    {27.7, -14.1},
    {37.5, -22.3},
    {47.6, -33.8},
    {57.8, -48.3},
}};
inline constexpr std::array<FreezingPoint, 6> kPropyleneFreezing{{
    {9.6, -3.3},
    {19.4, -7.1},
    {29.4, -12.7},
    {39.6, -21.1},
    {49.9, -33.5},
    {60.0, -51.1},
}};

}  // namespace idrovela::physics::glycol_tables
