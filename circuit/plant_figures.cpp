#include "circuit/plant_figures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "circuit/check_plant.h"
#include "circuit/emitter.h"
#include "circuit/messages.h"
#include "physics/physics_error.h"

namespace idrovela::circuit {

namespace {

// An emitter that cannot cool the water by this much to give its load is insufficient.
constexpr double kLeastCoolingK = 1.0;

constexpr double kLitresPerCubicMetre = 1000.0;
constexpr double kMmPerMetre = 1000.0;
constexpr double kPascalPerBar = 1e5;
constexpr double kStandardGravity = 9.80665;

// The vessel's figures of the form of EN 12828, Annex D.
constexpr double kReserveShare = 0.005;     // VWR: 0,5 % of the water
constexpr double kLeastReserveL = 3.0;      // and 3 l at least
constexpr double kPrechargeAboveBar = 0.2;  // p0 over the static head
constexpr double kLeastMarginBar = 0.5;     // pe below psv by 0,5 bar
constexpr double kMarginShare = 0.1;        // or by 10 % of psv, whichever is more

double DensityAt(const Fluid& fluid, double celsius) {
    try {
        return PropertiesAt(fluid, celsius).densityKgM3;
    } catch (const physics::PhysicsError& error) {
        Fail("Vaso", "temperatura " + Amount(celsius, "°C"), error.what());
    }
}

}  // namespace

double MinimumDropK(const Circuit& circuit, const FluidState& fluid) {
    if (circuit.emitterSettings && circuit.emitterSettings->minimumDropK) {
        return *circuit.emitterSettings->minimumDropK;
    }
    return fluid.deltaK;
}

EmitterResult EmitterFigures(const Emitter& emitter, double loadW, const Fluid& fluid,
                             const FluidState& state, double minimumDropK) {
    EmitterResult result;
    result.nominalW = emitter.nominalW;
    const double supply = fluid.supplyC;
    if (fluid.returnC > emitter.roomC) {
        result.circuitOutputW = EmitterOutputW(emitter, supply, fluid.returnC);
        if (loadW > 0.0) {
            result.marginPercent = (*result.circuitOutputW - loadW) / loadW * 100.0;
        }
    }
    if (!(loadW > 0.0)) {
        return result;
    }
    const double excess = ExcessForLoadK(emitter, loadW);
    result.lowestSupplyC = SupplyForExcess(emitter.roomC, excess, minimumDropK);
    const double inletExcess = supply - emitter.roomC;
    if (inletExcess > kLeastCoolingK &&
        LogMeanExcessK(supply, supply - kLeastCoolingK, emitter.roomC) >= excess) {
        const std::optional<double> returnC = ReturnForExcess(supply, emitter.roomC, excess);
        if (returnC && supply - *returnC >= kLeastCoolingK) {
            result.returnC = *returnC;
            result.coolingK = supply - *returnC;
            result.outputW = loadW;
            return result;
        }
    }
    result.insufficient = true;
    result.neededSupplyC = minimumDropK == state.deltaK
                               ? *result.lowestSupplyC
                               : SupplyForExcess(emitter.roomC, excess, state.deltaK);
    if (inletExcess > 0.0) {
        // ρ·c_p·V̇ of the flow of the circuit's Δθ, V̇ worked out as every terminal's.
        const double rho = state.properties.densityKgM3;
        const double cp = state.properties.specificHeatJKgK;
        const double massFlowKgS = loadW / (cp * state.deltaK);
        const double volumeFlowM3S = massFlowKgS / rho;
        const double capacityWK = volumeFlowM3S * rho * cp;
        const double returnC = ReturnAtCapacity(emitter, supply, capacityWK);
        result.flowReturnC = returnC;
        result.outputW = returnC > emitter.roomC ? EmitterOutputW(emitter, supply, returnC) : 0.0;
    }
    return result;
}

std::string InsufficientText(const EmitterResult& result, const Emitter& emitter, double loadW,
                             double flowLph, const Fluid& fluid) {
    const std::string needed = "; darebbe " + Amount(loadW, "W") +
                               " con il salto del circuito a una mandata di " +
                               Amount(*result.neededSupplyC, "°C") + ".";
    if (!result.flowReturnC) {
        return "L'emettitore non scalda: la mandata (" + Amount(fluid.supplyC, "°C") +
               ") non supera l'ambiente (" + Amount(emitter.roomC, "°C") + ")" + needed;
    }
    return "L'emettitore non dà " + Amount(loadW, "W") +
           " con un raffreddamento di almeno 1 K: alla portata del salto del circuito (" +
           Amount(flowLph, "l/h") + ") rende " + Amount(result.outputW, "W") + ", con ritorno a " +
           Amount(*result.flowReturnC, "°C") + needed;
}

std::optional<LowestSupply> LowestSupplyOf(const Circuit& circuit, const Solution& solution,
                                           double minimumDropK) {
    std::optional<LowestSupply> lowest;
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        const std::optional<TerminalResult>& terminal = solution.segments[i].terminal;
        if (!terminal || !(terminal->loadW > 0.0)) {
            continue;
        }
        if (!terminal->emitter) {
            return std::nullopt;
        }
        const double supply = *terminal->emitter->lowestSupplyC;
        if (!lowest || supply > lowest->supplyC) {
            lowest = LowestSupply{supply, i, minimumDropK};
        }
    }
    return lowest;
}

WaterVolume WaterOf(const Circuit& circuit, const Solution& solution) {
    WaterVolume water;
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        const double diameterM = solution.segments[i].innerMm / kMmPerMetre;
        const double area = std::numbers::pi * (diameterM * diameterM) / 4.0;
        water.pipesL = water.pipesL + area * circuit.segments[i].lengthM * kLitresPerCubicMetre;
    }
    for (const Segment& segment : circuit.segments) {
        if (segment.terminal && segment.terminal->emitter) {
            water.emittersL = water.emittersL + segment.terminal->emitter->contentL;
        }
    }
    if (circuit.volumes) {
        water.generatorL = circuit.volumes->generatorL;
        water.otherL = circuit.volumes->otherL;
    }
    water.totalL = ((water.pipesL + water.emittersL) + water.generatorL) + water.otherL;
    if (!std::isfinite(water.totalL)) {
        throw CircuitError(
            "Il volume d'acqua del circuito è fuori scala: supera i numeri che il calcolo sa "
            "trattare.");
    }
    return water;
}

VesselSizing SizeVessel(const Circuit& circuit, double waterL) {
    const Vessel& vessel = *circuit.vessel;
    VesselSizing sizing;
    sizing.maximumC =
        vessel.maximumC.value_or(std::max(circuit.fluid.supplyC, circuit.fluid.returnC));
    sizing.fillDensityKgM3 = DensityAt(circuit.fluid, kFillC);
    sizing.maximumDensityKgM3 = DensityAt(circuit.fluid, sizing.maximumC);
    const double expansion = sizing.fillDensityKgM3 / sizing.maximumDensityKgM3 - 1.0;
    sizing.expansionL = expansion * waterL;
    sizing.reserveL = std::max(kReserveShare * waterL, kLeastReserveL);
    sizing.prechargeBar =
        sizing.fillDensityKgM3 * kStandardGravity * vessel.staticHeightM / kPascalPerBar +
        kPrechargeAboveBar;
    sizing.finalBar =
        vessel.reliefValveBar - std::max(kLeastMarginBar, kMarginShare * vessel.reliefValveBar);
    if (!(sizing.finalBar > sizing.prechargeBar)) {
        Fail("Vaso", "",
             "la pressione finale pe " + Amount(sizing.finalBar, "bar") +
                 " (la valvola di sicurezza, " + Amount(vessel.reliefValveBar, "bar") +
                 ", meno il suo margine) non supera la precarica p0 " +
                 Amount(sizing.prechargeBar, "bar") + " (l'altezza statica, " +
                 Amount(vessel.staticHeightM, "m") +
                 ", più 0,2 bar): nessun vaso basta; serve una valvola di sicurezza tarata più "
                 "in alto o un vaso posto più in alto.");
    }
    sizing.nominalL = (sizing.expansionL + sizing.reserveL) * (sizing.finalBar + 1.0) /
                      (sizing.finalBar - sizing.prechargeBar);
    if (!std::isfinite(sizing.nominalL)) {
        throw CircuitError(
            "Il volume del vaso d'espansione è fuori scala: supera i numeri che il calcolo sa "
            "trattare.");
    }
    return sizing;
}

}  // namespace idrovela::circuit
