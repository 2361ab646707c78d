#pragma once

// What a circuit works out to, as the segment sheet gives it: every segment's flow, tube,
// velocity and losses, the loss along the path from the source, every terminal's total and excess
// and the Kv of the valve that balances it, the index circuit and the pump's duty.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/catalogue.h"
#include "circuit/check.h"
#include "circuit/circuit.h"
#include "physics/pipe_flow.h"

namespace idrovela::circuit {

// Warnings are not faults: the circuit is worked out all the same. In this order.
enum class WarningCode {
    NessunaPortata,         // nothing flows in the segment
    FuoriLimiti,            // a fixed tube over a limit
    NessunTuboNeiLimiti,    // an automatic tube: none of the series within the limits
    Laminare,               // laminar flow
    Transizione,            // transitional flow: λ uncertain
    FuoriCampoVerificato,   // ε/D or Re beyond the range the friction factor was checked over
    DimensioniDiverse,      // a fixed tube's bore or roughness differs from the catalogue's
    TuboNonInCatalogo,      // a fixed tube's series or designation is not in the catalogue
    TerminaleSenzaPortata,  // a terminal with no flow
    ValoreFuoriScala,       // a length, load or Kv beyond any building
    TerminaleSenzaPerdita,  // a terminal with no loss of its own: no dp, no kv, no radiatore
};

// "nessuna-portata", "fuori-limiti", ...
[[nodiscard]] std::string_view WarningCodeName(WarningCode code);

struct Warning {
    std::size_t segment = 0;  // index into the circuit's segments
    WarningCode code = WarningCode::NessunaPortata;
    std::string text;  // in Italian, one line
};

struct TerminalResult {
    double flowLph = 0.0;            // V̇: Φ/(c_p·Δθ)/ρ, or the file's portata
    double loadW = 0.0;              // Φ: the file's potenza, or V̇·ρ·c_p·Δθ
    double deviceDpPa = 0.0;         // the device's own loss: dp, or from its kv at V̇, or 0
    double totalPa = 0.0;            // path + device
    std::optional<double> excessPa;  // index total − total; none without an index
    std::optional<double> kv;  // the balancing valve, m³/h at 1 bar; none at the index, at no
                               // excess and without flow
};

struct SegmentResult {
    std::string designation;  // the tube used: the file's, or the one chosen automatically
    double innerMm = 0.0;
    double roughnessMm = 0.0;
    double flowLph = 0.0;     // its terminal's V̇ and everything downstream
    double loadW = 0.0;       // Φ of its terminal and everything downstream
    double velocityMs = 0.0;  // w = V̇/(π·d²/4)
    physics::PipeFlow flow;   // Re, λ, regime, R in Pa/m
    double frictionPa = 0.0;  // R·l
    double zeta = 0.0;        // Σ numero·ζ
    double localPa = 0.0;     // Z = Σζ·ρ·w²/2
    double valvesPa = 0.0;    // Σ (ρ/1000)·(V̇/kv)²·10⁵
    double dpPa = 0.0;        // (R·l + Z) + valves
    double pathPa = 0.0;      // from the source to this segment's downstream end
    std::optional<TerminalResult> terminal;
};

struct PumpDuty {
    double flowLph = 0.0;                     // every terminal's V̇
    double headPa = 0.0;                      // the index total
    double headM = 0.0;                       // in metres of the circuit's fluid
    std::optional<double> flowWithMarginLph;  // only with a flow margin
    std::optional<double> headWithMarginPa;   // only with a head margin
    std::optional<double> headWithMarginM;
};

struct Solution {
    FluidState fluid;
    Topology topology;
    std::vector<SegmentResult> segments;  // in file order
    std::size_t terminals = 0;
    std::optional<std::size_t> index;    // the segment that carries the index terminal
    std::vector<std::size_t> indexPath;  // from the source to the index segment
    PumpDuty pump;
    std::vector<Warning> warnings;  // by segment in file order, then by code
};

// Checks the circuit (CheckCircuit) and works it out, every figure an unrounded double in the
// order the sheet gives. CircuitError for the first fault, or for a figure that overflows, naming
// the segment.
[[nodiscard]] Solution Solve(const Circuit& circuit, const catalogues::Catalogue& catalogue);

// The velocity of a flow in l/h in a bore in mm, in m/s: V̇/(π·d²/4).
[[nodiscard]] double VelocityMs(double flowLph, double innerMm);

// The loss of a Kv at a flow, in Pa, for a liquid of density ρ: (ρ/1000)·(V̇[m³/h]/kv)²·10⁵.
[[nodiscard]] double KvLossPa(double flowLph, double kv, double densityKgM3);

// What a segment's fittings and valves lose at its flow and velocity, each sum taken in their
// order: Σζ = Σ numero·ζ (a library fitting's ζ by its key), Z = Σζ·ρ·w²/2, and the valves'
// Σ KvLossPa. Solve takes these very figures, and refuses one that is not finite.
struct LocalLosses {
    double zeta = 0.0;
    double localPa = 0.0;
    double valvesPa = 0.0;
};
[[nodiscard]] LocalLosses LocalLossesAt(const std::vector<Fitting>& fittings,
                                        const std::vector<Valve>& valves, double flowLph,
                                        double velocityMs, double densityKgM3);

}  // namespace idrovela::circuit
