// IAPWS-IF97 region 1: the specific volume from the derivative in pressure of the dimensionless
// Gibbs energy γ, the isobaric specific heat from its second derivative in temperature.
// Coefficients: IAPWS R7-97(2012), Eq. 7 and Table 2 (as tabulated in jjgomera/iapws,
// iapws/_iapws97Constants.py, Region1_Li, Region1_Lj, Region1_n); check values: Table 5.

#include <array>
#include <cmath>
#include <string>

#include "maths/maths.h"
#include "physics/decimal_text.h"
#include "physics/input_checks.h"
#include "physics/physics_error.h"
#include "physics/water.h"

namespace idrovela::physics {

namespace {

struct Term {
    int i;
    int j;
    double n;
};

constexpr std::array<Term, 34> kTerms{{
    {0, -2, 0.14632971213167},        {0, -1, -0.84548187169114},
    {0, 0, -0.37563603672040e1},      {0, 1, 0.33855169168385e1},
    {0, 2, -0.95791963387872},        {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1},     {0, 5, 0.81214629983568e-3},
    {1, -9, 0.28319080123804e-3},     {1, -7, -0.60706301565874e-3},
    {1, -1, -0.18990068218419e-1},    {1, 0, -0.32529748770505e-1},
    {1, 1, -0.21841717175414e-1},     {1, 3, -0.52838357969930e-4},
    {2, -3, -0.47184321073267e-3},    {2, 0, -0.30001780793026e-3},
    {2, 1, 0.47661393906987e-4},      {2, 3, -0.44141845330846e-5},
    {2, 17, -0.72694996297594e-15},   {3, -4, -0.31679644845054e-4},
    {3, 0, -0.28270797985312e-5},     {3, 6, -0.85205128120103e-9},
    {4, -5, -0.22425281908000e-5},    {4, -2, -0.65171222895601e-6},
    {4, 10, -0.14341729937924e-12},   {5, -8, -0.40516996860117e-6},
    {8, -11, -0.12734301741641e-8},   {8, -6, -0.17424871230634e-9},
    {21, -29, -0.68762131295531e-18}, {23, -31, 0.14478307828521e-19},
    {29, -38, 0.26335781662795e-22},  {30, -39, -0.11947622640071e-22},
    {31, -40, 0.18228094581404e-23},  {32, -41, -0.93537087292458e-25},
}};

constexpr double kReducingPressureMPa = 16.53;    // p*
constexpr double kReducingTemperatureK = 1386.0;  // T*
constexpr double kGasConstant = 0.461526;         // R, kJ/(kg·K)
constexpr double kPiOffset = 7.1;
constexpr double kTauOffset = 1.222;
// R·T/p with R in kJ/(kg·K) and p in MPa is in kJ/(kg·MPa) = 1e-3 m³/kg.
constexpr double kKJPerMPaInM3 = 1e-3;

void CheckState(double temperatureK, double pressureMPa) {
    RequireFinite(temperatureK, "Temperatura");
    RequireFinite(pressureMPa, "Pressione");
    if (temperatureK < kRegion1MinTemperatureK || temperatureK > kRegion1MaxTemperatureK) {
        throw PhysicsError("Temperatura: il valore " + QuantityText(temperatureK, "K") +
                           " è fuori campo; l'acqua liquida di IAPWS-IF97 (regione 1) va da "
                           "273,15 a 623,15 K.");
    }
    if (!(pressureMPa > 0.0) || pressureMPa > kRegion1MaxPressureMPa) {
        throw PhysicsError("Pressione: il valore " + QuantityText(pressureMPa, "MPa") +
                           " è fuori campo; l'acqua liquida di IAPWS-IF97 (regione 1) va da "
                           "sopra 0 a 100 MPa.");
    }
    const double saturation = SaturationPressureMPa(temperatureK);
    if (pressureMPa < saturation) {
        throw PhysicsError("Pressione: a " + QuantityText(temperatureK, "K") + " il valore " +
                           QuantityText(pressureMPa, "MPa") +
                           " è sotto la pressione di saturazione, " +
                           QuantityText(saturation, "MPa") +
                           ": l'acqua è vapore, fuori dalla regione 1 di IAPWS-IF97 (liquido).");
    }
}

}  // namespace

double Region1SpecificVolume(double temperatureK, double pressureMPa) {
    CheckState(temperatureK, pressureMPa);
    const double pi = pressureMPa / kReducingPressureMPa;
    const double tau = kReducingTemperatureK / temperatureK;
    const double piTerm = kPiOffset - pi;
    const double tauTerm = tau - kTauOffset;
    // γ_π = Σ −n·I·(7,1 − π)^(I−1)·(τ − 1,222)^J
    double gammaPi = 0.0;
    for (const Term& term : kTerms) {
        double value = -term.n * term.i;
        value = value * maths::Pow(piTerm, static_cast<double>(term.i - 1));
        value = value * maths::Pow(tauTerm, static_cast<double>(term.j));
        gammaPi = gammaPi + value;
    }
    // v = (R·T/p)·π·γ_π
    double volume = kGasConstant * temperatureK / pressureMPa;
    volume = volume * kKJPerMPaInM3;
    volume = volume * pi;
    volume = volume * gammaPi;
    return volume;
}

double Region1SpecificHeatKJKgK(double temperatureK, double pressureMPa) {
    CheckState(temperatureK, pressureMPa);
    const double pi = pressureMPa / kReducingPressureMPa;
    const double tau = kReducingTemperatureK / temperatureK;
    const double piTerm = kPiOffset - pi;
    const double tauTerm = tau - kTauOffset;
    // γ_ττ = Σ n·(7,1 − π)^I·J·(J − 1)·(τ − 1,222)^(J−2)
    double gammaTauTau = 0.0;
    for (const Term& term : kTerms) {
        double value = term.n * maths::Pow(piTerm, static_cast<double>(term.i));
        value = value * (term.j * (term.j - 1));
        value = value * maths::Pow(tauTerm, static_cast<double>(term.j - 2));
        gammaTauTau = gammaTauTau + value;
    }
    // c_p = −R·τ²·γ_ττ
    double specificHeat = -kGasConstant * tau;
    specificHeat = specificHeat * tau;
    specificHeat = specificHeat * gammaTauTau;
    return specificHeat;
}

}  // namespace idrovela::physics
