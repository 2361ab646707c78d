#pragma once

// Textbook pipe friction: the Reynolds number, the Darcy friction factor (64/Re in laminar flow,
// Colebrook-White otherwise) and the Darcy-Weisbach loss gradient.

#include <optional>
#include <string_view>

namespace idrovela::physics {

enum class Regime { Laminare, Transizione, Turbolento };

// "laminare", "transizione", "turbolento".
[[nodiscard]] std::string_view RegimeName(Regime regime);

// Laminar below this Reynolds number (λ = 64/Re); transitional from it up to
// kTurbulentFromReynolds, where Colebrook-White is given and flagged as transitional.
inline constexpr double kLaminarBelowReynolds = 2300.0;
inline constexpr double kTurbulentFromReynolds = 4000.0;
// The range over which the friction factor was checked against 50-digit roots; beyond it the
// figures are still given, flagged.
inline constexpr double kCheckedMaxRelativeRoughness = 0.05;
inline constexpr double kCheckedMaxReynolds = 1e8;

struct PipeFlowInputs {
    double diameterMm = 0.0;     // inner diameter D
    double velocityMs = 0.0;     // mean velocity w
    double densityKgM3 = 0.0;    // ρ
    double viscosityMPaS = 0.0;  // dynamic viscosity μ; water at 20 °C has about 1
    double roughnessMm = 0.0;    // absolute roughness ε
};

struct PipeFlow {
    double reynolds = 0;               // ρ·w·D/μ with D in m and μ in Pa·s
    std::optional<double> lambda;      // empty when there is no flow (w = 0)
    std::optional<Regime> regime;      // empty when there is no flow
    double pascalPerMetre = 0;         // Darcy-Weisbach λ/D·ρ·w²/2
    double mbarPerMetre = 0;           // 1 mbar = 100 Pa
    double mmWaterPerMetre = 0;        // mm c.a.: 1 mm c.a. = 9,80665 Pa
    bool outsideCheckedRange = false;  // ε/D > 0,05 or Re > 1e8: figures given, with a note
};

// The flow's figures, all finite. w = 0 is no flow: loss 0, no λ and no regime (a roughness past
// the checked range is flagged all the same: it does not depend on the flow). PhysicsError for
// a D, ρ or μ not above zero, a negative w or ε, ε/D of 3,7 or more (Colebrook-White has no root
// there), a NaN or infinite input, or a figure that overflows.
[[nodiscard]] PipeFlow StandardPipeFlow(const PipeFlowInputs& inputs);

}  // namespace idrovela::physics
