#include "circuit/check.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "circuit/fittings.h"
#include "circuit/messages.h"
#include "physics/colebrook.h"
#include "physics/glycol.h"
#include "physics/physics_error.h"
#include "physics/water.h"
#include "text/utf8.h"

namespace idrovela::circuit {

namespace {

constexpr std::size_t kMaxIdCharacters = 64;

// ---- Numbers ----

void RequireAtLeast(double value, double low, std::string_view where, std::string_view key,
                    std::string_view unit) {
    if (!std::isfinite(value) || value < low) {
        Fail(where, key,
             "il valore " + Amount(value, unit) + " è fuori campo; deve essere almeno " +
                 Amount(low, unit) + ".");
    }
}

void RequireAbove(double value, double low, std::string_view where, std::string_view key,
                  std::string_view unit) {
    if (!std::isfinite(value) || value <= low) {
        Fail(where, key,
             "il valore " + Amount(value, unit) + " è fuori campo; deve essere maggiore di " +
                 Amount(low, unit) + ".");
    }
}

void RequireBetween(double value, double low, double high, std::string_view where,
                    std::string_view key, std::string_view unit) {
    if (!std::isfinite(value) || value < low || value > high) {
        Fail(where, key,
             "il valore " + Amount(value, unit) + " è fuori campo; deve essere tra " +
                 Amount(low, "") + " e " + Amount(high, unit) + ".");
    }
}

// ---- The fluid ----

physics::FluidProperties PropertiesAt(const Fluid& fluid, double celsius) {
    switch (fluid.type) {
        case FluidType::Etilenico:
            return physics::GlycolMixture(physics::Glycol::Etilenico, fluid.volumePercent, celsius);
        case FluidType::Propilenico:
            return physics::GlycolMixture(physics::Glycol::Propilenico, fluid.volumePercent,
                                          celsius);
        case FluidType::Acqua:
            break;
    }
    return physics::Water(celsius);
}

FluidState CheckFluid(const Fluid& fluid) {
    constexpr std::string_view kWhere = "Fluido";
    if (fluid.type == FluidType::Acqua) {
        if (fluid.volumePercent != 0.0) {
            Fail(kWhere, "percentuale",
                 "il valore " + Amount(fluid.volumePercent, "%") +
                     " non vale per l'acqua; si lascia 0 o si omette.");
        }
    } else {
        RequireBetween(fluid.volumePercent, physics::kGlycolMinVolumePercent,
                       physics::kGlycolMaxVolumePercent, kWhere, "percentuale", "% in volume");
    }
    FluidState state;
    for (const auto& [key, celsius] :
         {std::pair<std::string_view, double>{"mandata", fluid.supplyC},
          {"ritorno", fluid.returnC}}) {
        if (!std::isfinite(celsius)) {
            Fail(kWhere, key, "la temperatura deve essere un numero finito.");
        }
        try {
            static_cast<void>(PropertiesAt(fluid, celsius));
        } catch (const physics::PhysicsError& error) {
            Fail(kWhere, key, error.what());
        }
    }
    if (fluid.supplyC == fluid.returnC) {
        Fail(kWhere, "ritorno",
             "il ritorno è alla stessa temperatura della mandata (" + Amount(fluid.supplyC, "°C") +
                 "): senza salto termico il circuito non porta calore.");
    }
    state.meanC = (fluid.supplyC + fluid.returnC) / 2.0;
    state.deltaK = std::fabs(fluid.returnC - fluid.supplyC);
    try {
        state.properties = PropertiesAt(fluid, state.meanC);
    } catch (const physics::PhysicsError& error) {
        Fail(kWhere, "temperatura media " + Amount(state.meanC, "°C"), error.what());
    }
    return state;
}

// ---- One segment ----

void CheckTube(const Tube& tube, const catalogues::Catalogue& catalogue, std::string_view where) {
    if (tube.series.empty()) {
        Fail(where, "tubo, serie", "manca il nome della serie.");
    }
    if (tube.automatic) {
        const catalogues::Series* series = catalogue.Find(tube.series);
        if (series == nullptr) {
            Fail(where, "tubo, serie",
                 "la serie " + Quoted(tube.series) +
                     " non è nel catalogo; un tubo automatico si sceglie da una serie nota.");
        }
        if (series->tubes.empty()) {
            Fail(where, "tubo, serie", "la serie " + Quoted(tube.series) + " non ha tubi.");
        }
        return;
    }
    if (tube.designation.empty() || text::HasControlCharacter(tube.designation) ||
        tube.designation.find(';') != std::string::npos) {
        Fail(where, "tubo, designazione",
             Quoted(tube.designation) +
                 " non è una designazione valida: non è vuota e non ha «;» né caratteri di "
                 "controllo.");
    }
    RequireAbove(tube.innerMm, 0.0, where, "tubo, diametro_interno", "mm");
    RequireAtLeast(tube.roughnessMm, 0.0, where, "tubo, rugosita", "mm");
    if (!(tube.roughnessMm / tube.innerMm < physics::kColebrookRoughnessLimit)) {
        Fail(where, "tubo, rugosita",
             Amount(tube.roughnessMm, "mm") + " su " + Amount(tube.innerMm, "mm") +
                 " è fuori campo; l'equazione di Colebrook ha soluzione solo per ε/D minore di "
                 "3,7.");
    }
}

void CheckSegment(const Segment& segment, std::size_t index,
                  const catalogues::Catalogue& catalogue) {
    const std::string where = SegmentName(segment, index);
    if (const std::string problem = IdProblem(segment.id); !problem.empty()) {
        Fail(where, "id", problem);
    }
    if (segment.upstream && !IdProblem(*segment.upstream).empty()) {
        Fail(where, "a_monte", Quoted(*segment.upstream) + " non è l'id di un tratto.");
    }
    RequireAtLeast(segment.lengthM, 0.0, where, "lunghezza", "m");
    CheckTube(segment.tube, catalogue, where);
    for (std::size_t i = 0; i < segment.fittings.size(); ++i) {
        const Fitting& fitting = segment.fittings[i];
        const std::string key = "accidenti n. " + std::to_string(i + 1);
        if (!fitting.key.empty()) {
            if (FindFitting(fitting.key) == nullptr) {
                Fail(where, key + ", tipo",
                     Quoted(fitting.key) +
                         " non è un accidente della libreria; per un altro ζ si scrive "
                         "\"zeta\".");
            }
        } else {
            RequireAbove(fitting.zeta, 0.0, where, key + ", zeta", "");
        }
        if (fitting.count < 1) {
            Fail(where, key + ", numero",
                 "il valore " + WholeText(fitting.count) + " è fuori campo; deve essere almeno 1.");
        }
    }
    for (std::size_t i = 0; i < segment.valves.size(); ++i) {
        RequireAbove(segment.valves[i].kv, 0.0, where,
                     "valvole n. " + std::to_string(i + 1) + ", kv", "m³/h");
    }
    if (segment.terminal) {
        const Terminal& terminal = *segment.terminal;
        if (terminal.load == Terminal::Load::Power) {
            RequireAtLeast(terminal.loadValue, 0.0, where, "terminale, potenza", "W");
        } else {
            RequireAtLeast(terminal.loadValue, 0.0, where, "terminale, portata", "l/h");
        }
        if (terminal.device == Terminal::Device::PressureDrop) {
            RequireAtLeast(terminal.deviceValue, 0.0, where, "terminale, dp", "Pa");
        } else if (terminal.device == Terminal::Device::Kv) {
            RequireAbove(terminal.deviceValue, 0.0, where, "terminale, kv", "m³/h");
        }
    }
}

// ---- The tree ----

// The segments by id: open addressing over the ids' hashes, which are compared before the ids.
class IdIndex {
  public:
    explicit IdIndex(const Circuit& circuit) : circuit_(circuit) {
        std::size_t size = 16;
        while (size < 2 * circuit.segments.size()) {
            size *= 2;
        }
        slots_.assign(size, kEmpty);
        hashes_.resize(circuit.segments.size());
    }

    // Adds segment `index`; the segment already holding its id, if one does.
    std::optional<std::size_t> Add(std::size_t index) {
        const std::string_view id = circuit_.segments[index].id;
        hashes_[index] = std::hash<std::string_view>{}(id);
        std::size_t slot = hashes_[index] & (slots_.size() - 1);
        for (; slots_[slot] != kEmpty; slot = (slot + 1) & (slots_.size() - 1)) {
            if (hashes_[slots_[slot]] == hashes_[index] &&
                circuit_.segments[slots_[slot]].id == id) {
                return slots_[slot];
            }
        }
        slots_[slot] = index;
        return std::nullopt;
    }

    [[nodiscard]] std::optional<std::size_t> Find(std::string_view id) const {
        const std::size_t hash = std::hash<std::string_view>{}(id);
        for (std::size_t slot = hash & (slots_.size() - 1); slots_[slot] != kEmpty;
             slot = (slot + 1) & (slots_.size() - 1)) {
            if (hashes_[slots_[slot]] == hash && circuit_.segments[slots_[slot]].id == id) {
                return slots_[slot];
            }
        }
        return std::nullopt;
    }

  private:
    static constexpr std::size_t kEmpty = static_cast<std::size_t>(-1);
    const Circuit& circuit_;
    std::vector<std::size_t> slots_;
    std::vector<std::size_t> hashes_;
};

Topology BuildTopology(const Circuit& circuit) {
    const std::size_t count = circuit.segments.size();
    Topology topology;
    topology.upstream.resize(count);

    IdIndex byId(circuit);
    for (std::size_t i = 0; i < count; ++i) {
        if (const std::optional<std::size_t> first = byId.Add(i)) {
            throw CircuitError("Tratti n. " + std::to_string(*first + 1) + " e n. " +
                               std::to_string(i + 1) + ": l'id " + Quoted(circuit.segments[i].id) +
                               " compare due volte; ogni tratto ha un id suo.");
        }
    }
    std::vector<std::size_t> feeds(count + 1, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const Segment& segment = circuit.segments[i];
        if (!segment.upstream) {
            topology.roots.push_back(i);
            continue;
        }
        const std::optional<std::size_t> found = byId.Find(*segment.upstream);
        if (!found) {
            Fail(SegmentName(segment, i), "a_monte",
                 "il tratto " + Quoted(*segment.upstream) + " non esiste.");
        }
        topology.upstream[i] = *found;
        ++feeds[*found + 1];
    }
    // Each segment's downstream ones, in file order, as one list.
    for (std::size_t i = 0; i < count; ++i) {
        feeds[i + 1] += feeds[i];
    }
    topology.firstDownstream = feeds;
    topology.downstream.resize(count - topology.roots.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (topology.upstream[i]) {
            topology.downstream[feeds[*topology.upstream[i]]++] = i;
        }
    }

    // Breadth first from the source; what it never reaches hangs from a loop.
    topology.order.reserve(count);
    topology.order = topology.roots;
    for (std::size_t next = 0; next < topology.order.size(); ++next) {
        for (const std::size_t child : topology.Downstream(topology.order[next])) {
            topology.order.push_back(child);
        }
    }
    if (topology.order.size() == count) {
        return topology;
    }
    // The first segment, in file order, left out: going upstream from it, without recursion,
    // reaches the loop, whose ids are named in the order of the flow.
    std::vector<bool> reached(count, false);
    for (const std::size_t i : topology.order) {
        reached[i] = true;
    }
    std::size_t start = 0;
    while (reached[start]) {
        ++start;
    }
    std::vector<std::size_t> seenAt(count, count);
    std::vector<std::size_t> walk;
    std::size_t at = start;
    while (seenAt[at] == count) {
        seenAt[at] = walk.size();
        walk.push_back(at);
        at = *topology.upstream[at];
    }
    if (walk.size() - seenAt[at] == 1) {
        Fail(SegmentName(circuit.segments[at], at), "a_monte",
             "il tratto è a monte di se stesso, e non parte dalla sorgente.");
    }
    // Named from the one first in the file, in the order of the flow.
    std::vector<std::size_t> loop(walk.rbegin(),
                                  walk.rend() - static_cast<std::ptrdiff_t>(seenAt[at]));
    std::rotate(loop.begin(), std::min_element(loop.begin(), loop.end()), loop.end());
    std::string ids;
    for (const std::size_t i : loop) {
        ids += (ids.empty() ? "" : ", ") + Quoted(circuit.segments[i].id);
    }
    throw CircuitError(
        "Tratti " + ids +
        ": i loro a_monte formano un anello, e nessuno di loro parte dalla sorgente.");
}

}  // namespace

std::string IdProblem(std::string_view id) {
    const std::size_t characters = text::CharacterCount(id);
    if (characters == 0 || characters > kMaxIdCharacters) {
        return "un id ha da 1 a 64 caratteri; " + Quoted(id) + " ne ha " +
               std::to_string(characters) + ".";
    }
    if (text::HasControlCharacter(id)) {
        return Quoted(id) + " contiene un carattere di controllo.";
    }
    if (id.find_first_of(",;=") != std::string_view::npos) {
        return Quoted(id) + " contiene «,», «;» o «=», che un id non può avere.";
    }
    if (id.front() == ' ' || id.back() == ' ') {
        return Quoted(id) + " comincia o finisce con uno spazio.";
    }
    return {};
}

CheckedCircuit CheckCircuit(const Circuit& circuit, const catalogues::Catalogue& catalogue) {
    CheckedCircuit checked;
    checked.fluid = CheckFluid(circuit.fluid);
    RequireAbove(circuit.limits.pascalPerMetre, 0.0, "Limiti", "pa_per_m", "Pa/m");
    RequireAbove(circuit.limits.velocityMs, 0.0, "Limiti", "velocita", "m/s");
    RequireBetween(circuit.margins.flowPercent, 0.0, 100.0, "Margini", "portata", "%");
    RequireBetween(circuit.margins.headPercent, 0.0, 100.0, "Margini", "prevalenza", "%");
    if (circuit.segments.size() > kMaxSegments) {
        throw CircuitError("Il circuito ha " + std::to_string(circuit.segments.size()) +
                           " tratti; un circuito ne ha al più " + std::to_string(kMaxSegments) +
                           ".");
    }
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        CheckSegment(circuit.segments[i], i, catalogue);
    }
    checked.topology = BuildTopology(circuit);
    return checked;
}

}  // namespace idrovela::circuit
