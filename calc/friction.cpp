#include "calc/checked_math.h"
#include "calc/colebrook.h"
#include "calc/lambda_steps.h"
#include "calc/module_calcoli.h"
#include "calc/number_conversions.h"

namespace idrovela::Module_Calcoli {

using checked::Add;
using checked::Div;
using checked::Ln;
using checked::Mul;
using checked::Pow;
using checked::Sub;

namespace {

constexpr double kMmPerMetre = 1000.0;
constexpr double kGravity = 9.81;
constexpr double kStartDifference = 1000000.0;
constexpr double kRootExponent = 0.5;
constexpr double kReynoldsTerm = 18.7;
constexpr double kColebrookConstant = 1.74;
constexpr double kFixedDensity = 998.2;

// 2 eps / D, the roughness term of Colebrook-White.
double RoughnessTerm(double epsilon, double diameter) {
    return Div(Mul(2.0, epsilon), diameter);
}

// 1,74 - 2 log10(v), the right side of Colebrook-White for the argument v of its logarithm.
// The root check and the stepping share it, so that both round alike.
double RightSide(double v, double ln10) {
    const double logarithm = Div(Ln(v), ln10);
    return Sub(kColebrookConstant, Mul(2.0, logarithm));
}

}  // namespace

bool ColebrookHasNoRoot(Currency roughnessMm, Integer diameterMm, Currency reynolds) {
    if (reynolds.count() <= 0 || roughnessMm.count() <= 0 || diameterMm.value() <= 0) {
        return false;
    }
    const double t = RoughnessTerm(roughnessMm.toDouble(), diameterMm.toDouble());
    return RightSide(t, Ln(10.0)) <= 0.0;
}

double CalcolaReynolds(Currency velocityMs, Currency density, Currency viscosity,
                       Integer diameterMm) {
    double a = Div(diameterMm.toDouble(), kMmPerMetre);
    a = Mul(velocityMs.toDouble(), a);
    const double b = Mul(density.toDouble(), a);
    const double c = Div(b, viscosity.toDouble());
    return Mul(c, kGravity);
}

ColebrookInputs ColebrookInputsOf(Currency roughnessMm, Integer diameterMm, Currency reynolds,
                                  std::int64_t* differences) {
    return {roughnessMm.toDouble(), diameterMm.toDouble(), reynolds.toDouble(), Ln(10.0),
            differences};
}

double ColebrookDifference(double lambda, const ColebrookInputs& inputs) {
    if (inputs.differences != nullptr) {
        ++*inputs.differences;
    }
    const double left = Div(1.0, Pow(lambda, kRootExponent));
    const double t = RoughnessTerm(inputs.roughnessMm, inputs.diameterMm);
    const double s = Mul(inputs.reynolds, Pow(lambda, kRootExponent));
    const double u = Div(kReynoldsTerm, s);
    const double v = Add(t, u);
    const double right = RightSide(v, inputs.ln10);
    return Sub(left, right);
}

LambdaStepping SteppedLambda(Currency roughnessMm, Integer diameterMm, Currency reynolds,
                             std::int64_t maxSteps, std::int64_t* differences) {
    const ColebrookInputs inputs =
        ColebrookInputsOf(roughnessMm, diameterMm, reynolds, differences);

    double lambda = 0.0;
    double difference = kStartDifference;
    double previous = kStartDifference;
    std::int64_t steps = 0;
    while (difference <= previous && difference >= 0.0) {
        if (steps == maxSteps) {
            Raise(ErrorCode::Overflow);
        }
        previous = difference;
        lambda = Add(lambda, kLambdaStep);
        ++steps;
        difference = ColebrookDifference(lambda, inputs);
    }
    return {DoubleToCurrency(lambda), steps};
}

LambdaStepping LambdaAndSteps(Currency roughnessMm, Integer diameterMm, Currency reynolds,
                              std::int64_t* differences) {
    if (ColebrookHasNoRoot(roughnessMm, diameterMm, reynolds)) {
        Raise(ErrorCode::Overflow);
    }
    return SearchedLambda(roughnessMm, diameterMm, reynolds, kMaxLambdaSteps, differences);
}

Currency CalcolaLambda(Currency roughnessMm, Integer diameterMm, Currency reynolds) {
    return LambdaAndSteps(roughnessMm, diameterMm, reynolds).lambda;
}

Long CalcolaPerdita(Currency lambda, Currency velocityMs, Integer diameterMm) {
    const double w = velocityMs.toDouble();
    const double w2 = Mul(w, w);
    double x = Div(lambda.toDouble(), diameterMm.toDouble());
    x = Mul(x, w2);
    x = Div(x, 2.0);
    x = Div(x, kGravity);
    x = Mul(x, kFixedDensity);
    x = Mul(x, kMmPerMetre);
    return DoubleToLong(x);
}

}  // namespace idrovela::Module_Calcoli
