// The viscosity of water, IAPWS R12-08 (IAPWS 2008), without the critical enhancement (μ̄2 = 1),
// which the release advises omitting for industrial use. Coefficients as tabulated in
// jjgomera/iapws, iapws/_iapws.py, _Viscosity (H, li, lj, Hij); check values: the release's
// Table 4 for μ̄2 = 1.

#include <array>
#include <cmath>
#include <cstddef>

#include "maths/maths.h"
#include "physics/decimal_text.h"
#include "physics/input_checks.h"
#include "physics/physics_error.h"
#include "physics/water.h"

namespace idrovela::physics {

namespace {

constexpr double kReducingTemperatureK = 647.096;  // T*
constexpr double kReducingDensity = 322.0;         // ρ*, kg/m³
constexpr double kReducingViscosityPaS = 1.0e-6;   // μ*
constexpr double kMaxTemperatureK = 1173.15;
// Above the densest liquid of the formulation's range (about 1100 kg/m³ at 300 MPa) and its
// check value at 1200 kg/m³; far beyond, the residual term falls to nothing or overflows.
constexpr double kMaxDensityKgM3 = 1250.0;

// Dilute gas: μ̄0 = 100·√T̄ / Σ H_i/T̄^i
constexpr std::array<double, 4> kDilute{1.67752, 2.20462, 0.6366564, -0.241605};

// Residual: μ̄1 = exp(ρ̄·Σ H_ij·(1/T̄ − 1)^i·(ρ̄ − 1)^j), the 21 non-zero H_ij
struct Term {
    int i;
    int j;
    double h;
};
constexpr std::array<Term, 21> kResidual{{
    {0, 0, 0.520094},     {1, 0, 0.0850895}, {2, 0, -1.08374},   {3, 0, -0.289555},
    {0, 1, 0.222531},     {1, 1, 0.999115},  {2, 1, 1.88797},    {3, 1, 1.26613},
    {5, 1, 0.120573},     {0, 2, -0.281378}, {1, 2, -0.906851},  {2, 2, -0.772479},
    {3, 2, -0.489837},    {4, 2, -0.257040}, {0, 3, 0.161913},   {1, 3, 0.257399},
    {0, 4, -0.0325372},   {3, 4, 0.0698452}, {4, 5, 0.00872102}, {3, 6, -0.00435673},
    {5, 6, -0.000593264},
}};

}  // namespace

double WaterViscosityPaS(double temperatureK, double densityKgM3) {
    RequireFinite(temperatureK, "Temperatura");
    if (temperatureK < kRegion1MinTemperatureK || temperatureK > kMaxTemperatureK) {
        throw PhysicsError("Temperatura: il valore " + QuantityText(temperatureK, "K") +
                           " è fuori campo; la viscosità IAPWS 2008 è data da 273,15 a "
                           "1173,15 K.");
    }
    RequirePositive(densityKgM3, "Densità", "kg/m³");
    if (densityKgM3 > kMaxDensityKgM3) {
        throw PhysicsError("Densità: il valore " + QuantityText(densityKgM3, "kg/m³") +
                           " è fuori campo; la viscosità IAPWS 2008 è data fino a 1250 kg/m³.");
    }

    const double t = temperatureK / kReducingTemperatureK;
    const double rho = densityKgM3 / kReducingDensity;

    double diluteSum = 0.0;
    for (std::size_t i = 0; i < kDilute.size(); ++i) {
        diluteSum = diluteSum + kDilute[i] / maths::Pow(t, static_cast<double>(i));
    }
    const double dilute = 100.0 * std::sqrt(t) / diluteSum;

    const double inverseTerm = 1.0 / t - 1.0;
    const double densityTerm = rho - 1.0;
    double residualSum = 0.0;
    for (const Term& term : kResidual) {
        double value = term.h * maths::Pow(inverseTerm, static_cast<double>(term.i));
        value = value * maths::Pow(densityTerm, static_cast<double>(term.j));
        residualSum = residualSum + value;
    }
    const double residual = maths::Exp(rho * residualSum);

    double viscosity = kReducingViscosityPaS * dilute;
    viscosity = viscosity * residual;
    return FiniteResult(viscosity, "Viscosità");
}

}  // namespace idrovela::physics
