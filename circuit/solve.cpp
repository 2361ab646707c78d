#include "circuit/solve.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

#include "circuit/fittings.h"
#include "circuit/segment_figures.h"

namespace idrovela::circuit {

namespace {

constexpr double kLitresPerHourPerCubicMetrePerSecond = 3'600'000.0;
constexpr double kLitresPerCubicMetre = 1000.0;
constexpr double kMmPerMetre = 1000.0;
constexpr double kPascalPerBar = 1e5;
constexpr double kWaterDensityOfKv = 1000.0;  // Kv is defined for water at 1000 kg/m³
constexpr double kStandardGravity = 9.80665;

// The terminals' flows and loads: V̇ = Φ/(c_p·Δθ)/ρ from a load, Φ = V̇·ρ·c_p·Δθ from a flow.
void TerminalFlows(const Circuit& circuit, Solution& solution) {
    const double rho = solution.fluid.properties.densityKgM3;
    const double cp = solution.fluid.properties.specificHeatJKgK;
    const double deltaK = solution.fluid.deltaK;
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        const std::optional<Terminal>& terminal = circuit.segments[i].terminal;
        if (!terminal) {
            continue;
        }
        TerminalResult result;
        if (terminal->load == Terminal::Load::Power) {
            result.loadW = terminal->loadValue;
            const double massFlowKgS = terminal->loadValue / (cp * deltaK);
            const double volumeFlowM3S = massFlowKgS / rho;
            result.flowLph = volumeFlowM3S * kLitresPerHourPerCubicMetrePerSecond;
        } else {
            result.flowLph = terminal->loadValue;
            const double volumeFlowM3S = terminal->loadValue / kLitresPerHourPerCubicMetrePerSecond;
            result.loadW = volumeFlowM3S * rho * cp * deltaK;
        }
        Finite(result.flowLph, circuit, i, "la portata del terminale");
        Finite(result.loadW, circuit, i, "il carico del terminale");
        solution.segments[i].terminal = result;
        ++solution.terminals;
    }
}

// Each segment carries its terminal's flow and everything downstream: from the far ends in.
void CarryFlowsUpstream(const Circuit& circuit, Solution& solution) {
    const Topology& tree = solution.topology;
    for (std::size_t k = tree.order.size(); k-- > 0;) {
        const std::size_t i = tree.order[k];
        SegmentResult& segment = solution.segments[i];
        double flow = segment.terminal ? segment.terminal->flowLph : 0.0;
        double load = segment.terminal ? segment.terminal->loadW : 0.0;
        for (const std::size_t child : tree.Downstream(i)) {
            flow = flow + solution.segments[child].flowLph;
            load = load + solution.segments[child].loadW;
        }
        segment.flowLph = Finite(flow, circuit, i, "la portata");
        segment.loadW = Finite(load, circuit, i, "il carico termico");
    }
}

// The loss along the path from the source to each segment's downstream end.
void PathLosses(const Circuit& circuit, Solution& solution) {
    const Topology& tree = solution.topology;
    for (const std::size_t i : tree.order) {
        SegmentResult& segment = solution.segments[i];
        const double upstream =
            tree.upstream[i] ? solution.segments[*tree.upstream[i]].pathPa : 0.0;
        segment.pathPa = tree.upstream[i] ? Finite(upstream + segment.dpPa, circuit, i,
                                                   "la perdita lungo il percorso")
                                          : segment.dpPa;
    }
}

// Each terminal's device loss and total; the index is the largest total of a terminal with flow,
// the first in file order on a tie, and its path runs from the source to it.
void TotalsAndIndex(const Circuit& circuit, Solution& solution) {
    const double rho = solution.fluid.properties.densityKgM3;
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        SegmentResult& segment = solution.segments[i];
        if (!segment.terminal) {
            continue;
        }
        TerminalResult& terminal = *segment.terminal;
        const Terminal& given = *circuit.segments[i].terminal;
        if (given.device == Terminal::Device::PressureDrop) {
            terminal.deviceDpPa = given.deviceValue;
        } else if (given.device == Terminal::Device::Kv) {
            terminal.deviceDpPa = Finite(KvLossPa(terminal.flowLph, given.deviceValue, rho),
                                         circuit, i, "la perdita dell'apparecchio");
        }
        terminal.totalPa =
            Finite(segment.pathPa + terminal.deviceDpPa, circuit, i, "la perdita totale");
        if (terminal.flowLph > 0.0 &&
            (!solution.index ||
             terminal.totalPa > solution.segments[*solution.index].terminal->totalPa)) {
            solution.index = i;
        }
    }
    for (std::optional<std::size_t> at = solution.index; at; at = solution.topology.upstream[*at]) {
        solution.indexPath.push_back(*at);
    }
    std::reverse(solution.indexPath.begin(), solution.indexPath.end());
}

// With an index, every terminal's excess over it, and the Kv of the valve that throttles it:
// V̇[m³/h]·√((ρ/1000)/(excess/10⁵)), for a terminal with flow and an excess.
void Balancing(Solution& solution) {
    if (!solution.index) {
        return;
    }
    const double rho = solution.fluid.properties.densityKgM3;
    const double indexTotal = solution.segments[*solution.index].terminal->totalPa;
    for (SegmentResult& segment : solution.segments) {
        if (!segment.terminal) {
            continue;
        }
        TerminalResult& terminal = *segment.terminal;
        terminal.excessPa = indexTotal - terminal.totalPa;
        if (terminal.flowLph > 0.0 && *terminal.excessPa > 0.0) {
            const double flowM3h = terminal.flowLph / kLitresPerCubicMetre;
            terminal.kv = flowM3h * std::sqrt((rho / kWaterDensityOfKv) /
                                              (*terminal.excessPa / kPascalPerBar));
        }
    }
}

// The pump: every terminal's flow, the index total as its head in Pa and in metres of the
// fluid, and each margin on a line of its own.
void PumpFigures(const Circuit& circuit, Solution& solution) {
    PumpDuty& pump = solution.pump;
    for (const SegmentResult& segment : solution.segments) {
        if (segment.terminal) {
            pump.flowLph = pump.flowLph + segment.terminal->flowLph;
        }
    }
    if (!std::isfinite(pump.flowLph)) {
        throw CircuitError(
            "La portata della pompa è fuori scala: supera i numeri che il calcolo sa "
            "trattare.");
    }
    if (solution.index) {
        const double rho = solution.fluid.properties.densityKgM3;
        pump.headPa = solution.segments[*solution.index].terminal->totalPa;
        pump.headM = pump.headPa / (rho * kStandardGravity);
    }
    if (circuit.margins.flowPercent != 0.0) {
        pump.flowWithMarginLph = pump.flowLph * (1.0 + circuit.margins.flowPercent / 100.0);
    }
    if (circuit.margins.headPercent != 0.0) {
        const double factor = 1.0 + circuit.margins.headPercent / 100.0;
        pump.headWithMarginPa = pump.headPa * factor;
        pump.headWithMarginM = pump.headM * factor;
    }
}

}  // namespace

std::string_view WarningCodeName(WarningCode code) {
    switch (code) {
        case WarningCode::NessunaPortata:
            return "nessuna-portata";
        case WarningCode::FuoriLimiti:
            return "fuori-limiti";
        case WarningCode::NessunTuboNeiLimiti:
            return "nessun-tubo-nei-limiti";
        case WarningCode::Laminare:
            return "laminare";
        case WarningCode::Transizione:
            return "transizione";
        case WarningCode::FuoriCampoVerificato:
            return "fuori-campo-verificato";
        case WarningCode::DimensioniDiverse:
            return "dimensioni-diverse";
        case WarningCode::TuboNonInCatalogo:
            return "tubo-non-in-catalogo";
        case WarningCode::TerminaleSenzaPortata:
            return "terminale-senza-portata";
        case WarningCode::ValoreFuoriScala:
            return "valore-fuori-scala";
        case WarningCode::TerminaleSenzaPerdita:
            return "terminale-senza-perdita";
    }
    return "";
}

double VelocityMs(double flowLph, double innerMm) {
    const double cubicMetresPerSecond = flowLph / kLitresPerHourPerCubicMetrePerSecond;
    const double diameterM = innerMm / kMmPerMetre;
    const double area = std::numbers::pi * (diameterM * diameterM) / 4.0;
    return cubicMetresPerSecond / area;
}

double KvLossPa(double flowLph, double kv, double densityKgM3) {
    const double ratio = (flowLph / kLitresPerCubicMetre) / kv;
    return ((densityKgM3 / kWaterDensityOfKv) * (ratio * ratio)) * kPascalPerBar;
}

LocalLosses LocalLossesAt(const std::vector<Fitting>& fittings, const std::vector<Valve>& valves,
                          double flowLph, double velocityMs, double densityKgM3) {
    LocalLosses losses;
    for (const Fitting& fitting : fittings) {
        const FittingType* type = fitting.key.empty() ? nullptr : FindFitting(fitting.key);
        const double each = type != nullptr ? type->zeta : fitting.zeta;
        losses.zeta = losses.zeta + static_cast<double>(fitting.count) * each;
    }
    const double dynamicPressure = densityKgM3 * (velocityMs * velocityMs) / 2.0;
    losses.localPa = losses.zeta * dynamicPressure;
    for (const Valve& valve : valves) {
        losses.valvesPa = losses.valvesPa + KvLossPa(flowLph, valve.kv, densityKgM3);
    }
    return losses;
}

Solution Solve(const Circuit& circuit, const catalogues::Catalogue& catalogue) {
    CheckedCircuit checked = CheckCircuit(circuit, catalogue);
    Solution solution;
    solution.fluid = checked.fluid;
    solution.topology = std::move(checked.topology);
    solution.segments.resize(circuit.segments.size());

    TerminalFlows(circuit, solution);
    CarryFlowsUpstream(circuit, solution);
    std::vector<std::vector<Warning>> warnings(circuit.segments.size());
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        SegmentFigures(circuit, i, solution.fluid, catalogue, solution.segments[i], warnings[i]);
    }
    PathLosses(circuit, solution);
    TotalsAndIndex(circuit, solution);
    Balancing(solution);
    PumpFigures(circuit, solution);

    // The warnings, by segment in file order.
    for (std::vector<Warning>& segmentWarnings : warnings) {
        for (Warning& warning : segmentWarnings) {
            solution.warnings.push_back(std::move(warning));
        }
    }
    return solution;
}

}  // namespace idrovela::circuit
