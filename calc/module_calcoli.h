#pragma once

// The calculation module: pure functions of their arguments, each a fixed sequence of Double
// operations whose order is part of the result. Units: P in kW, dT in °C, G in l/h, D and
// epsilon in mm, w in m/s, density in kg/m³, viscosity in the unit of the fluid presets.

#include <cstdint>
#include <string>
#include <string_view>

#include "calc/numbers.h"

namespace idrovela::Module_Calcoli {

// Heat relation: the flow G in l/h that carries powerKw at a difference of deltaT.
[[nodiscard]] double CalcolaPortata(double powerKw, double deltaT);

// Heat relation: the power in whole kW carried by flowLph at a difference of deltaT.
[[nodiscard]] Long CalcolaPotenza(Currency flowLph, double deltaT);

// Mean velocity in m/s, rounded to hundredths, of flowLph in a pipe of diameterMm.
[[nodiscard]] Currency CalcolaVelocita(Currency flowLph, Integer diameterMm);

// Inner diameter in whole mm that carries flowLph at velocityMs.
[[nodiscard]] Integer CalcolaDiametro(Integer flowLph, Currency velocityMs);

// Reynolds number of the flow, as the window has always worked it out.
[[nodiscard]] double CalcolaReynolds(Currency velocityMs, Currency density, Currency viscosity,
                                     Integer diameterMm);

// The friction factor: the first multiple of 0,0001 past the Colebrook-White root, as stepping
// upwards finds it (found by SearchedLambda, without the steps, for any input). Raises Overflow
// when the stepping would not end within kMaxLambdaSteps.
[[nodiscard]] Currency CalcolaLambda(Currency roughnessMm, Integer diameterMm, Currency reynolds);

// Loss gradient Y in Pa per metre, for a fixed density of 998,2.
[[nodiscard]] Long CalcolaPerdita(Currency lambda, Currency velocityMs, Integer diameterMm);

// Nominal size in inches for a diameter text in mm; empty above 81,7 mm.
[[nodiscard]] std::string CalcolaPollici(std::string_view diameterText);

// The most steps the friction factor may take: a friction factor of 1000.
inline constexpr std::int64_t kMaxLambdaSteps = 10'000'000;

// True when the stepping can never stop: with Re > 0, eps > 0 and D > 0, the right side of
// Colebrook-White tends to 1,74 - 2 log10(2 eps / D) as lambda grows, and when that is not
// positive the difference stays positive at every step (the Reynolds term only lowers the right
// side further) while it keeps falling. Roughly eps at least 3,707 times D.
[[nodiscard]] bool ColebrookHasNoRoot(Currency roughnessMm, Integer diameterMm, Currency reynolds);

// A friction factor with the number of 0,0001 steps that found it.
struct LambdaStepping {
    Currency lambda;
    std::int64_t steps = 0;
};

// CalcolaLambda with the number of steps the stepping takes, for callers that account for their
// work. When `differences` is given, every Colebrook-White difference worked out on the way is
// counted there as it is worked out, also when the call ends in an error: the real cost of the
// call, where the step count is the nominal one.
[[nodiscard]] LambdaStepping LambdaAndSteps(Currency roughnessMm, Integer diameterMm,
                                            Currency reynolds, std::int64_t* differences = nullptr);

// The stepping of CalcolaLambda, with its step count; raises Overflow where it would take more
// than maxSteps steps. Kept visible for the tests, which also use it with small bounds.
[[nodiscard]] LambdaStepping SteppedLambda(Currency roughnessMm, Integer diameterMm,
                                           Currency reynolds,
                                           std::int64_t maxSteps = kMaxLambdaSteps,
                                           std::int64_t* differences = nullptr);

// The result and step count of SteppedLambda, bit for bit, and the same run-time error where it
// raises one, found without stepping: past its first step or two the difference falls from step
// to step for any input, so a search over the step count finds the first step whose difference
// is negative or raises, at a cost that does not grow with lambda. A Reynolds number or a
// diameter of 0 (the first step raises), or a bound below 2 or above kMaxLambdaSteps, is stepped.
[[nodiscard]] LambdaStepping SearchedLambda(Currency roughnessMm, Integer diameterMm,
                                            Currency reynolds,
                                            std::int64_t maxSteps = kMaxLambdaSteps,
                                            std::int64_t* differences = nullptr);

}  // namespace idrovela::Module_Calcoli
