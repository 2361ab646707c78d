#include "circuit/segment_figures.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "circuit/fittings.h"
#include "circuit/messages.h"
#include "circuit/scale.h"
#include "physics/physics_error.h"

namespace idrovela::circuit {

namespace {

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

// ---- The figures ----

// The tube the segment is worked out with: the file's, or an automatic one's choice. True when
// no tube of an automatic segment's series is within the limits.
bool TakeTube(const Limits& limits, const Segment& segment, const physics::FluidProperties& fluid,
              const catalogues::Catalogue& catalogue, SegmentResult& result) {
    if (!segment.tube.automatic) {
        result.designation = segment.tube.designation;
        result.innerMm = segment.tube.innerMm;
        result.roughnessMm = segment.tube.roughnessMm;
        return false;
    }
    const catalogues::Series& series = *catalogue.Find(segment.tube.series);
    const TubeChoice choice = ChooseTube(series, result.flowLph, limits, fluid);
    result.designation = choice.tube->designation;
    result.innerMm = choice.tube->innerMm;
    result.roughnessMm = choice.tube->roughnessMm;
    return !choice.withinLimits;
}

// The velocity, the flow's Re, λ and R, and the friction R·l.
void FrictionFigures(const Circuit& circuit, std::size_t i, const physics::FluidProperties& fluid,
                     SegmentResult& result) {
    const Segment& segment = circuit.segments[i];
    result.velocityMs =
        Finite(VelocityMs(result.flowLph, result.innerMm), circuit, i, "la velocità");
    try {
        result.flow =
            physics::StandardPipeFlow({result.innerMm, result.velocityMs, fluid.densityKgM3,
                                       fluid.viscosityMPaS, result.roughnessMm});
    } catch (const physics::PhysicsError& error) {
        Fail(SegmentName(segment, i), "", error.what());
    }
    result.frictionPa = Finite(result.flow.pascalPerMetre * segment.lengthM, circuit, i, "R·l");
}

// Σζ, Z and the valves, then the segment's loss (R·l + Z) + valves.
void LocalFigures(const Circuit& circuit, std::size_t i, double densityKgM3,
                  SegmentResult& result) {
    const Segment& segment = circuit.segments[i];
    const LocalLosses local = LocalLossesAt(segment.fittings, segment.valves, result.flowLph,
                                            result.velocityMs, densityKgM3);
    result.zeta = Finite(local.zeta, circuit, i, "Σζ");
    result.localPa = Finite(local.localPa, circuit, i, "la perdita localizzata Z");
    result.valvesPa = Finite(local.valvesPa, circuit, i, "la perdita delle valvole");
    result.dpPa = Finite((result.frictionPa + result.localPa) + result.valvesPa, circuit, i,
                         "la perdita del tratto");
}

// ---- The warnings ----

// One segment's warnings, in the order they are given.
struct SegmentWarnings {
    std::size_t segment;
    std::vector<Warning>& list;

    void Add(WarningCode code, std::string text) const {
        list.push_back({segment, code, std::move(text)});
    }
};

// A fixed tube over a limit; an automatic one whose series has no tube within them.
void LimitWarnings(const Limits& limits, const Segment& segment, const SegmentResult& result,
                   bool automaticOutside, const SegmentWarnings& warn) {
    const double r = result.flow.pascalPerMetre;
    if (!segment.tube.automatic) {
        std::vector<std::string> over;
        if (r > limits.pascalPerMetre) {
            over.push_back("il limite di perdita (R " + Amount(r, "Pa/m") + " oltre " +
                           Amount(limits.pascalPerMetre, "Pa/m") + ")");
        }
        if (result.velocityMs > limits.velocityMs) {
            over.push_back("il limite di velocità (w " + Amount(result.velocityMs, "m/s") +
                           " oltre " + Amount(limits.velocityMs, "m/s") + ")");
        }
        if (!over.empty()) {
            warn.Add(WarningCode::FuoriLimiti,
                     "Il tubo " + Quoted(result.designation) + " supera " + over.front() +
                         (over.size() > 1 ? " e " + over.back() : "") + ".");
        }
    }
    if (automaticOutside) {
        warn.Add(WarningCode::NessunTuboNeiLimiti,
                 "Nessun tubo della serie " + Quoted(segment.tube.series) + " resta entro " +
                     Amount(limits.pascalPerMetre, "Pa/m") + " e " +
                     Amount(limits.velocityMs, "m/s") + ": si usa il più grande, " +
                     Quoted(result.designation) + ".");
    }
}

// A laminar or transitional flow, and a friction factor beyond where it was checked.
void RegimeWarnings(const physics::PipeFlow& flow, const SegmentWarnings& warn) {
    if (flow.regime == physics::Regime::Laminare) {
        warn.Add(WarningCode::Laminare,
                 "Moto laminare (Re " + Amount(flow.reynolds, "") + "): λ = 64/Re.");
    }
    if (flow.regime == physics::Regime::Transizione) {
        warn.Add(WarningCode::Transizione,
                 "Regime di transizione (Re " + Amount(flow.reynolds, "") +
                     ", tra 2300 e 4000): λ di Colebrook-White, valore incerto.");
    }
    if (flow.outsideCheckedRange) {
        warn.Add(WarningCode::FuoriCampoVerificato,
                 "Fuori dal campo in cui il fattore d'attrito è stato verificato (ε/D fino a 0,05, "
                 "Re fino a 10⁸).");
    }
}

// A fixed tube set against the catalogue: a bore or roughness that differ from its tube's, or a
// series or designation the catalogue does not have.
void CatalogueWarnings(const Segment& segment, const catalogues::Catalogue& catalogue,
                       const SegmentWarnings& warn) {
    const catalogues::Series* series = catalogue.Find(segment.tube.series);
    const catalogues::Tube* tube =
        series == nullptr ? nullptr : FindTube(*series, segment.tube.designation);
    if (tube != nullptr &&
        (tube->innerMm != segment.tube.innerMm || tube->roughnessMm != segment.tube.roughnessMm)) {
        warn.Add(WarningCode::DimensioniDiverse,
                 "Il file dà al tubo " + Quoted(segment.tube.designation) + " Ø interno " +
                     Amount(segment.tube.innerMm, "mm") + " e rugosità " +
                     Amount(segment.tube.roughnessMm, "mm") + ", il catalogo " +
                     Amount(tube->innerMm, "mm") + " e " + Amount(tube->roughnessMm, "mm") +
                     ": valgono quelle del file.");
    }
    if (series == nullptr) {
        warn.Add(WarningCode::TuboNonInCatalogo,
                 "La serie " + Quoted(segment.tube.series) +
                     " non è nel catalogo: valgono le misure del file.");
    } else if (tube == nullptr) {
        warn.Add(WarningCode::TuboNonInCatalogo,
                 "Il tubo " + Quoted(segment.tube.designation) + " non è nella serie " +
                     Quoted(segment.tube.series) + ": valgono le misure del file.");
    }
}

}  // namespace

double Finite(double value, const Circuit& circuit, std::size_t segment, std::string_view figure) {
    if (!std::isfinite(value)) {
        Fail(SegmentName(circuit.segments[segment], segment), "",
             std::string(figure) + " è fuori scala: supera i numeri che il calcolo sa trattare.");
    }
    return value;
}

void SegmentFigures(const Circuit& circuit, std::size_t i, const FluidState& fluid,
                    const catalogues::Catalogue& catalogue, SegmentResult& result,
                    std::vector<Warning>& warnings) {
    const Segment& segment = circuit.segments[i];
    const bool automaticOutside =
        TakeTube(circuit.limits, segment, fluid.properties, catalogue, result);
    FrictionFigures(circuit, i, fluid.properties, result);
    LocalFigures(circuit, i, fluid.properties.densityKgM3, result);

    const SegmentWarnings warn{i, warnings};
    if (result.flowLph == 0.0) {
        warn.Add(WarningCode::NessunaPortata,
                 "Nel tratto non scorre portata: nessun terminale a valle ne chiede.");
    }
    LimitWarnings(circuit.limits, segment, result, automaticOutside, warn);
    RegimeWarnings(result.flow, warn);
    if (!segment.tube.automatic) {
        CatalogueWarnings(segment, catalogue, warn);
    }
    if (result.terminal && result.terminal->flowLph == 0.0) {
        warn.Add(WarningCode::TerminaleSenzaPortata,
                 "Il terminale non ha portata: non conta per il circuito indice né per la pompa.");
    }
    for (const OutOfScale& value : OutOfScaleValues(segment)) {
        warn.Add(WarningCode::ValoreFuoriScala, OutOfScaleWarning(value));
    }
    if (segment.terminal && segment.terminal->device == Terminal::Device::None &&
        std::none_of(segment.fittings.begin(), segment.fittings.end(),
                     [](const Fitting& fitting) { return fitting.key == kRadiatorFitting; })) {
        warn.Add(WarningCode::TerminaleSenzaPerdita,
                 "Il terminale non ha una perdita propria (né «dp» né «kv») e il tratto non ha "
                 "l'accidente «radiatore»: la prevalenza della pompa non comprende valvola e "
                 "corpo scaldante.");
    }
}

}  // namespace idrovela::circuit
