#include "physics/pipe_flow.h"

#include "physics/colebrook.h"
#include "physics/decimal_text.h"
#include "physics/input_checks.h"
#include "physics/physics_error.h"

namespace idrovela::physics {

namespace {
constexpr double kMmPerMetre = 1000.0;
constexpr double kPascalPerMbar = 100.0;
constexpr double kPascalPerMmWater = 9.80665;
constexpr double kLaminarFactor = 64.0;

void CheckInputs(const PipeFlowInputs& inputs) {
    RequirePositive(inputs.diameterMm, "Diametro interno", "mm");
    RequireNotNegative(inputs.velocityMs, "Velocità", "m/s");
    RequirePositive(inputs.densityKgM3, "Densità", "kg/m³");
    RequirePositive(inputs.viscosityMPaS, "Viscosità", "mPa·s");
    RequireNotNegative(inputs.roughnessMm, "Scabrezza", "mm");
}

Regime RegimeOf(double reynolds) {
    if (reynolds < kLaminarBelowReynolds) {
        return Regime::Laminare;
    }
    if (reynolds < kTurbulentFromReynolds) {
        return Regime::Transizione;
    }
    return Regime::Turbolento;
}
}  // namespace

std::string_view RegimeName(Regime regime) {
    switch (regime) {
        case Regime::Laminare:
            return "laminare";
        case Regime::Transizione:
            return "transizione";
        case Regime::Turbolento:
            return "turbolento";
    }
    return "";
}

PipeFlow StandardPipeFlow(const PipeFlowInputs& inputs) {
    CheckInputs(inputs);
    const double relativeRoughness = inputs.roughnessMm / inputs.diameterMm;
    if (!(relativeRoughness < kColebrookRoughnessLimit)) {  // also an overflowing ratio
        throw PhysicsError("Scabrezza relativa ε/D: " + QuantityText(inputs.roughnessMm, "mm") +
                           " su " + QuantityText(inputs.diameterMm, "mm") +
                           " è fuori campo; l'equazione di Colebrook ha soluzione solo per ε/D "
                           "minore di 3,7.");
    }

    PipeFlow flow;
    flow.outsideCheckedRange = relativeRoughness > kCheckedMaxRelativeRoughness;
    if (inputs.velocityMs == 0.0) {
        return flow;
    }

    // ρ·w·D/μ: the factors 1/1000 of D in mm and of μ in mPa·s cancel.
    double reynolds = inputs.densityKgM3 * inputs.velocityMs;
    reynolds = reynolds * inputs.diameterMm;
    reynolds = reynolds / inputs.viscosityMPaS;
    flow.reynolds = FiniteResult(reynolds, "Numero di Reynolds");

    const Regime regime = RegimeOf(flow.reynolds);
    const double lambda = regime == Regime::Laminare
                              ? FiniteResult(kLaminarFactor / flow.reynolds, "Fattore d'attrito")
                              : ColebrookLambda(flow.reynolds, relativeRoughness);
    flow.lambda = lambda;
    flow.regime = regime;
    flow.outsideCheckedRange = flow.outsideCheckedRange || flow.reynolds > kCheckedMaxReynolds;

    // λ/D·ρ·w²/2, as (λ·w)·(ρ·w)/D/2: in creeping flow λ is huge and w tiny, and λ/D·ρ alone
    // could overflow where the loss is small.
    const double diameterM = inputs.diameterMm / kMmPerMetre;
    const double lambdaW = lambda * inputs.velocityMs;
    const double rhoW = inputs.densityKgM3 * inputs.velocityMs;
    double loss = lambdaW * rhoW;
    loss = loss / diameterM;
    loss = loss / 2.0;
    flow.pascalPerMetre = FiniteResult(loss, "Perdita di carico");
    flow.mbarPerMetre = flow.pascalPerMetre / kPascalPerMbar;
    flow.mmWaterPerMetre = flow.pascalPerMetre / kPascalPerMmWater;
    return flow;
}

}  // namespace idrovela::physics
