#include "calc/checked_math.h"
#include "calc/module_calcoli.h"
#include "calc/number_conversions.h"

namespace idrovela::Module_Calcoli {

using checked::Div;
using checked::Mul;
using checked::Pow;

namespace {
constexpr double kLitreDegreesPerKwHour = 860.0;
constexpr double kLitresPerCubicMetre = 1000.0;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kMmDiameterPerMetreRadius = 2000.0;
constexpr double kPi = 3.1415;  // the program's value of pi, not 3,14159...
}  // namespace

double CalcolaPortata(double powerKw, double deltaT) {
    const double x = Mul(powerKw, kLitreDegreesPerKwHour);
    return Div(x, deltaT);
}

Long CalcolaPotenza(Currency flowLph, double deltaT) {
    double x = Mul(flowLph.toDouble(), deltaT);
    x = Div(x, kLitreDegreesPerKwHour);
    return DoubleToLong(x);
}

Currency CalcolaVelocita(Currency flowLph, Integer diameterMm) {
    double q = Div(flowLph.toDouble(), kLitresPerCubicMetre);
    q = Div(q, kSecondsPerHour);
    const double r = Div(diameterMm.toDouble(), kMmDiameterPerMetreRadius);
    double a = Mul(r, r);
    a = Mul(a, kPi);
    const double x = Div(q, a);
    return DoubleToCurrency(RoundToDigits(x, 2));
}

Integer CalcolaDiametro(Integer flowLph, Currency velocityMs) {
    double x = Div(flowLph.toDouble(), kLitresPerCubicMetre);
    x = Div(x, kSecondsPerHour);
    x = Div(x, velocityMs.toDouble());
    x = Div(x, kPi);
    x = Pow(x, 0.5);
    x = Mul(x, kMmDiameterPerMetreRadius);
    return DoubleToInteger(x);
}

}  // namespace idrovela::Module_Calcoli
