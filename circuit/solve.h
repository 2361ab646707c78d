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
    NessunaPortata,           // nothing flows in the segment
    FuoriLimiti,              // a fixed tube over a limit
    NessunTuboNeiLimiti,      // an automatic tube: none of the series within the limits
    Laminare,                 // laminar flow
    Transizione,              // transitional flow: λ uncertain
    FuoriCampoVerificato,     // ε/D or Re beyond the range the friction factor was checked over
    DimensioniDiverse,        // a fixed tube's bore or roughness differs from the catalogue's
    TuboNonInCatalogo,        // a fixed tube's series or designation is not in the catalogue
    TerminaleSenzaPortata,    // a terminal with no flow
    ValoreFuoriScala,         // a length, load or Kv beyond any building
    TerminaleSenzaPerdita,    // a terminal with no loss of its own: no dp, no kv, no radiatore
    EmettitoreInsufficiente,  // an emitter that cannot give its load with a cooling of 1 K or more
};

// "nessuna-portata", "fuori-limiti", ...
[[nodiscard]] std::string_view WarningCodeName(WarningCode code);

struct Warning {
    std::size_t segment = 0;  // index into the circuit's segments
    WarningCode code = WarningCode::NessunaPortata;
    std::string text;  // in Italian, one line
};

// What a terminal's emitter does. With a load above 0 and a cooling of at least 1 K to give it
// with, it is sufficient: its return θr is where it gives the load (Φ(θf, θr) = the load), its
// cooling θf − θr sets the terminal's flow, and its output at design is the load. Otherwise it is
// insufficient: the terminal keeps the flow of the circuit's Δθ, its output at design is what it
// gives at that flow (where Φ(θf, θr) = ρ·c_p·V̇·(θf − θr)), and it has no return or cooling of
// its own. θf is the circuit's supply: no loss of heat along the pipes.
struct EmitterResult {
    double nominalW = 0.0;           // Φn, as the file gives it
    bool insufficient = false;       // the warning emettitore-insufficiente
    std::optional<double> returnC;   // θr; none when insufficient or without a load
    std::optional<double> coolingK;  // θf − θr, the terminal's own Δθ; none with θr
    double outputW = 0.0;            // at design: the load, or what it gives at the circuit's flow
    // Insufficient only: the return at the circuit's flow (none when θf is not above θi), and
    // the supply at which it would give the load with the circuit's Δθ.
    std::optional<double> flowReturnC;
    std::optional<double> neededSupplyC;
    // Φ at the circuit's supply and return, and how far it exceeds the load, in % of the load (a
    // negative margin falls short): the margin of an emitter sized for the circuit's Δθ. None where
    // the circuit's return is not above the room; the margin none too without a load.
    std::optional<double> circuitOutputW;
    std::optional<double> marginPercent;
    // The supply at which it gives its load with a cooling of the emitters' salto_minimo (by
    // default the circuit's Δθ); none without a load.
    std::optional<double> lowestSupplyC;

    bool operator==(const EmitterResult&) const = default;
};

struct TerminalResult {
    double flowLph = 0.0;  // V̇: Φ/(c_p·Δθ)/ρ, Φ/(c_p·(θf − θr))/ρ with an emitter, or the portata
    double loadW = 0.0;              // Φ: the file's potenza, or V̇·ρ·c_p·Δθ
    double deviceDpPa = 0.0;         // the device's own loss: dp, or from its kv at V̇, or 0
    double totalPa = 0.0;            // path + device
    std::optional<double> excessPa;  // index total − total; none without an index
    std::optional<double> kv;  // the balancing valve, m³/h at 1 bar; none at the index, at no
                               // excess and without flow
    std::optional<EmitterResult> emitter;  // with an emitter only
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

// The lowest supply temperature at which every terminal with a load above 0 gives it with a
// cooling of at least the emitters' salto_minimo: the largest of their lowest supplies, and the
// segment of the terminal that sets it (the first in file order on a tie). Only where every such
// terminal has an emitter, and there is one at least.
struct LowestSupply {
    double supplyC = 0.0;
    std::size_t segment = 0;
    double minimumDropK = 0.0;  // the salto_minimo it was worked out with
};

// The water the circuit holds, in litres: its pipes (π·d²/4 × lunghezza, which counts supply and
// return already), its emitters' contenuto, and the volumi; the total in that order.
struct WaterVolume {
    double pipesL = 0.0;
    double emittersL = 0.0;
    double generatorL = 0.0;
    double otherL = 0.0;
    double totalL = 0.0;
};

// The closed expansion vessel: Ve = (ρ(10 °C)/ρ(θmax) − 1)·Vs, VWR = max(0,005·Vs, 3 l),
// p0 = ρ(10 °C)·g·h/10⁵ + 0,2, pe = psv − max(0,5; 0,1·psv), Vn = (Ve + VWR)·(pe + 1)/(pe − p0),
// pressures in bar gauge; the densities the circuit's fluid's own, the static head's that of the
// fluid as filled, at 10 °C.
struct VesselSizing {
    double maximumC = 0.0;            // θmax: the file's, or for heating the supply
    double fillDensityKgM3 = 0.0;     // ρ at 10 °C
    double maximumDensityKgM3 = 0.0;  // ρ at θmax
    double expansionL = 0.0;          // Ve
    double reserveL = 0.0;            // VWR, the water reserve
    double prechargeBar = 0.0;        // p0
    double finalBar = 0.0;            // pe
    double nominalL = 0.0;            // Vn
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
    std::optional<LowestSupply> lowestSupply;
    WaterVolume water;
    std::optional<VesselSizing> vessel;  // with the file's vaso only
};

// Checks the circuit (CheckCircuit) and works it out, every figure an unrounded double in the
// order the sheet gives. CircuitError for the first fault, for a figure that overflows, naming
// the segment, or for a vessel whose final pressure is not above its pre-charge.
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
