// IAPWS-IF97 region 4: the saturation pressure of water, Eq. 30 with the coefficients of
// Table 34 of IAPWS R7-97(2012); check values: Table 35.

#include <array>
#include <cmath>

#include "physics/decimal_text.h"
#include "physics/input_checks.h"
#include "physics/physics_error.h"
#include "physics/water.h"

namespace idrovela::physics {

namespace {

// n1 … n10
constexpr std::array<double, 10> kN{
    0.11670521452767e4,  -0.72421316703206e6, -0.17073846940092e2, 0.12020824702470e5,
    -0.32325550322333e7, 0.14915108613530e2,  -0.48232657361591e4, 0.40511340542057e6,
    -0.23855557567849,   0.65017534844798e3,
};

constexpr double kCriticalTemperatureK = 647.096;

}  // namespace

double SaturationPressureMPa(double temperatureK) {
    RequireFinite(temperatureK, "Temperatura");
    if (temperatureK < kRegion1MinTemperatureK || temperatureK > kCriticalTemperatureK) {
        throw PhysicsError("Temperatura: il valore " + QuantityText(temperatureK, "K") +
                           " è fuori campo; la pressione di saturazione è data da 273,15 K "
                           "al punto critico, 647,096 K.");
    }
    // θ = T + n9/(T − n10); A, B, C quadratics in θ; p = (2C/(−B + √(B² − 4AC)))⁴ MPa
    const double theta = temperatureK + kN[8] / (temperatureK - kN[9]);
    const double theta2 = theta * theta;
    const double a = theta2 + kN[0] * theta + kN[1];
    const double b = kN[2] * theta2 + kN[3] * theta + kN[4];
    const double c = kN[5] * theta2 + kN[6] * theta + kN[7];
    const double root = std::sqrt(b * b - 4.0 * a * c);
    const double ratio = 2.0 * c / (-b + root);
    const double square = ratio * ratio;
    return square * square;
}

}  // namespace idrovela::physics
