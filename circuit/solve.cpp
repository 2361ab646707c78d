#include "circuit/solve.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "circuit/fittings.h"
#include "circuit/messages.h"
#include "physics/physics_error.h"

namespace idrovela::circuit {

namespace {

constexpr double kLitresPerHourPerCubicMetrePerSecond = 3'600'000.0;
constexpr double kLitresPerCubicMetre = 1000.0;
constexpr double kMmPerMetre = 1000.0;
constexpr double kPascalPerBar = 1e5;
constexpr double kWaterDensityOfKv = 1000.0;  // Kv is defined for water at 1000 kg/m³
constexpr double kStandardGravity = 9.80665;

// A figure that must be finite: beyond the doubles, the segment's figure is out of scale.
double Finite(double value, const Circuit& circuit, std::size_t segment, std::string_view figure) {
    if (!std::isfinite(value)) {
        Fail(SegmentName(circuit.segments[segment], segment), "",
             std::string(figure) + " è fuori scala: supera i numeri che il calcolo sa trattare.");
    }
    return value;
}

// The tube an automatic segment gets: the first of its series, in the catalogue's order, whose
// velocity and standard loss are each at most their limit (a value equal to a limit passes); the
// last when none is; the first when nothing flows.
struct TubeChoice {
    const catalogues::Tube* tube = nullptr;
    bool withinLimits = true;
};

TubeChoice ChooseTube(const catalogues::Series& series, double flowLph, const Limits& limits,
                      const physics::FluidProperties& fluid) {
    if (flowLph == 0.0) {
        return {&series.tubes.front(), true};
    }
    for (const catalogues::Tube& tube : series.tubes) {
        const double velocity = VelocityMs(flowLph, tube.innerMm);
        if (!(velocity <= limits.velocityMs)) {
            continue;  // no need for the friction factor
        }
        try {
            const physics::PipeFlow flow = physics::StandardPipeFlow(
                {tube.innerMm, velocity, fluid.densityKgM3, fluid.viscosityMPaS, tube.roughnessMm});
            if (flow.pascalPerMetre <= limits.pascalPerMetre) {
                return {&tube, true};
            }
        } catch (const physics::PhysicsError&) {
            // A figure out of scale in this tube: it is not one within the limits.
        }
    }
    return {&series.tubes.back(), false};
}

const catalogues::Tube* FindTube(const catalogues::Series& series, std::string_view designation) {
    for (const catalogues::Tube& tube : series.tubes) {
        if (tube.designation == designation) {
            return &tube;
        }
    }
    return nullptr;
}

// The figures of one segment at its flow, in the sheet's order of operations.
void SegmentFigures(const Circuit& circuit, std::size_t i, const FluidState& fluid,
                    const catalogues::Catalogue& catalogue, SegmentResult& result,
                    std::vector<Warning>& warnings) {
    const Segment& segment = circuit.segments[i];
    const double rho = fluid.properties.densityKgM3;
    const auto warn = [&](WarningCode code, std::string text) {
        warnings.push_back({i, code, std::move(text)});
    };

    std::optional<std::string> catalogueWarning;
    bool automaticOutside = false;
    if (segment.tube.automatic) {
        const catalogues::Series& series = *catalogue.Find(segment.tube.series);
        const TubeChoice choice =
            ChooseTube(series, result.flowLph, circuit.limits, fluid.properties);
        result.designation = choice.tube->designation;
        result.innerMm = choice.tube->innerMm;
        result.roughnessMm = choice.tube->roughnessMm;
        automaticOutside = !choice.withinLimits;
    } else {
        result.designation = segment.tube.designation;
        result.innerMm = segment.tube.innerMm;
        result.roughnessMm = segment.tube.roughnessMm;
    }

    result.velocityMs =
        Finite(VelocityMs(result.flowLph, result.innerMm), circuit, i, "la velocità");
    try {
        result.flow =
            physics::StandardPipeFlow({result.innerMm, result.velocityMs, rho,
                                       fluid.properties.viscosityMPaS, result.roughnessMm});
    } catch (const physics::PhysicsError& error) {
        Fail(SegmentName(segment, i), "", error.what());
    }
    result.frictionPa = Finite(result.flow.pascalPerMetre * segment.lengthM, circuit, i, "R·l");
    double zeta = 0.0;
    for (const Fitting& fitting : segment.fittings) {
        const double each = fitting.key.empty() ? fitting.zeta : FindFitting(fitting.key)->zeta;
        zeta = zeta + static_cast<double>(fitting.count) * each;
    }
    result.zeta = Finite(zeta, circuit, i, "Σζ");
    const double dynamicPressure = rho * (result.velocityMs * result.velocityMs) / 2.0;
    result.localPa = Finite(result.zeta * dynamicPressure, circuit, i, "la perdita localizzata Z");
    double valves = 0.0;
    for (const Valve& valve : segment.valves) {
        valves = valves + KvLossPa(result.flowLph, valve.kv, rho);
    }
    result.valvesPa = Finite(valves, circuit, i, "la perdita delle valvole");
    result.dpPa = Finite((result.frictionPa + result.localPa) + result.valvesPa, circuit, i,
                         "la perdita del tratto");

    // The warnings, in their order.
    const double r = result.flow.pascalPerMetre;
    if (result.flowLph == 0.0) {
        warn(WarningCode::NessunaPortata,
             "Nel tratto non scorre portata: nessun terminale a valle ne chiede.");
    }
    if (!segment.tube.automatic) {
        std::vector<std::string> over;
        if (r > circuit.limits.pascalPerMetre) {
            over.push_back("il limite di perdita (R " + Amount(r, "Pa/m") + " oltre " +
                           Amount(circuit.limits.pascalPerMetre, "Pa/m") + ")");
        }
        if (result.velocityMs > circuit.limits.velocityMs) {
            over.push_back("il limite di velocità (w " + Amount(result.velocityMs, "m/s") +
                           " oltre " + Amount(circuit.limits.velocityMs, "m/s") + ")");
        }
        if (!over.empty()) {
            warn(WarningCode::FuoriLimiti, "Il tubo " + Quoted(result.designation) + " supera " +
                                               over.front() +
                                               (over.size() > 1 ? " e " + over.back() : "") + ".");
        }
    }
    if (automaticOutside) {
        warn(WarningCode::NessunTuboNeiLimiti,
             "Nessun tubo della serie " + Quoted(segment.tube.series) + " resta entro " +
                 Amount(circuit.limits.pascalPerMetre, "Pa/m") + " e " +
                 Amount(circuit.limits.velocityMs, "m/s") + ": si usa il più grande, " +
                 Quoted(result.designation) + ".");
    }
    if (result.flow.regime == physics::Regime::Laminare) {
        warn(WarningCode::Laminare,
             "Moto laminare (Re " + Amount(result.flow.reynolds, "") + "): λ = 64/Re.");
    }
    if (result.flow.regime == physics::Regime::Transizione) {
        warn(WarningCode::Transizione,
             "Regime di transizione (Re " + Amount(result.flow.reynolds, "") +
                 ", tra 2300 e 4000): λ di Colebrook-White, valore incerto.");
    }
    if (result.flow.outsideCheckedRange) {
        warn(WarningCode::FuoriCampoVerificato,
             "Fuori dal campo in cui il fattore d'attrito è stato verificato (ε/D fino a 0,05, Re "
             "fino a 10⁸).");
    }
    if (!segment.tube.automatic) {
        const catalogues::Series* series = catalogue.Find(segment.tube.series);
        const catalogues::Tube* tube =
            series == nullptr ? nullptr : FindTube(*series, segment.tube.designation);
        if (tube != nullptr && (tube->innerMm != segment.tube.innerMm ||
                                tube->roughnessMm != segment.tube.roughnessMm)) {
            warn(WarningCode::DimensioniDiverse,
                 "Il file dà al tubo " + Quoted(segment.tube.designation) + " Ø interno " +
                     Amount(segment.tube.innerMm, "mm") + " e rugosità " +
                     Amount(segment.tube.roughnessMm, "mm") + ", il catalogo " +
                     Amount(tube->innerMm, "mm") + " e " + Amount(tube->roughnessMm, "mm") +
                     ": valgono quelle del file.");
        }
        if (series == nullptr) {
            catalogueWarning = "La serie " + Quoted(segment.tube.series) +
                               " non è nel catalogo: valgono le misure del file.";
        } else if (tube == nullptr) {
            catalogueWarning = "Il tubo " + Quoted(segment.tube.designation) +
                               " non è nella serie " + Quoted(segment.tube.series) +
                               ": valgono le misure del file.";
        }
    }
    if (catalogueWarning) {
        warn(WarningCode::TuboNonInCatalogo, *catalogueWarning);
    }
    if (result.terminal && result.terminal->flowLph == 0.0) {
        warn(WarningCode::TerminaleSenzaPortata,
             "Il terminale non ha portata: non conta per il circuito indice né per la pompa.");
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

Solution Solve(const Circuit& circuit, const catalogues::Catalogue& catalogue) {
    CheckedCircuit checked = CheckCircuit(circuit, catalogue);
    Solution solution;
    solution.fluid = checked.fluid;
    solution.topology = std::move(checked.topology);
    const Topology& tree = solution.topology;
    const std::size_t count = circuit.segments.size();
    const double rho = solution.fluid.properties.densityKgM3;
    const double cp = solution.fluid.properties.specificHeatJKgK;
    const double deltaK = solution.fluid.deltaK;
    solution.segments.resize(count);

    // The terminals' flows and loads.
    for (std::size_t i = 0; i < count; ++i) {
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

    // Each segment carries its terminal's flow and everything downstream: from the far ends in.
    for (std::size_t k = count; k-- > 0;) {
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

    std::vector<std::vector<Warning>> warnings(count);
    for (std::size_t i = 0; i < count; ++i) {
        SegmentFigures(circuit, i, solution.fluid, catalogue, solution.segments[i], warnings[i]);
    }

    // The path from the source, then each terminal's total; the index is the largest total of a
    // terminal with flow, the first in file order on a tie.
    for (const std::size_t i : tree.order) {
        SegmentResult& segment = solution.segments[i];
        const double upstream =
            tree.upstream[i] ? solution.segments[*tree.upstream[i]].pathPa : 0.0;
        segment.pathPa = tree.upstream[i] ? Finite(upstream + segment.dpPa, circuit, i,
                                                   "la perdita lungo il percorso")
                                          : segment.dpPa;
    }
    for (std::size_t i = 0; i < count; ++i) {
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
        for (std::optional<std::size_t> at = solution.index; at; at = tree.upstream[*at]) {
            solution.indexPath.push_back(*at);
        }
        std::reverse(solution.indexPath.begin(), solution.indexPath.end());
        pump.headPa = indexTotal;
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

    for (std::vector<Warning>& segmentWarnings : warnings) {
        for (Warning& warning : segmentWarnings) {
            solution.warnings.push_back(std::move(warning));
        }
    }
    return solution;
}

}  // namespace idrovela::circuit
