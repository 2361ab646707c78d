#include "sheet/operations.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "circuit/check.h"
#include "circuit/messages.h"
#include "text/quoted.h"

namespace idrovela::sheet {

namespace {

bool SameTube(const circuit::Tube& a, const circuit::Tube& b) {
    return std::tie(a.series, a.automatic, a.designation, a.innerMm, a.roughnessMm) ==
           std::tie(b.series, b.automatic, b.designation, b.innerMm, b.roughnessMm);
}

bool SameFittings(const std::vector<circuit::Fitting>& a, const std::vector<circuit::Fitting>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const circuit::Fitting& x, const circuit::Fitting& y) {
                          return std::tie(x.key, x.zeta, x.count, x.description) ==
                                 std::tie(y.key, y.zeta, y.count, y.description);
                      });
}

bool SameValves(const std::vector<circuit::Valve>& a, const std::vector<circuit::Valve>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const circuit::Valve& x, const circuit::Valve& y) {
                          return std::tie(x.kv, x.description) == std::tie(y.kv, y.description);
                      });
}

bool SameTerminal(const std::optional<circuit::Terminal>& a,
                  const std::optional<circuit::Terminal>& b) {
    if (a.has_value() != b.has_value()) {
        return false;
    }
    return !a || std::tie(a->description, a->load, a->loadValue, a->device, a->deviceValue) ==
                     std::tie(b->description, b->load, b->loadValue, b->device, b->deviceValue);
}

bool SameSegment(const circuit::Segment& a, const circuit::Segment& b) {
    return a.id == b.id && a.upstream == b.upstream && a.description == b.description &&
           a.lengthM == b.lengthM && SameTube(a.tube, b.tube) &&
           SameFittings(a.fittings, b.fittings) && SameValves(a.valves, b.valves) &&
           SameTerminal(a.terminal, b.terminal);
}

std::string Named(const circuit::Segment& segment) {
    return text::Quoted(segment.id);
}

// A subtree taken out: its segments' places in file order, the top's among them.
SubtreeStep TakenOut(const Document& document, std::size_t top) {
    SubtreeStep step;
    step.positions = document.Tree().Subtree(top);
    std::sort(step.positions.begin(), step.positions.end());
    step.top = static_cast<std::size_t>(
        std::find(step.positions.begin(), step.positions.end(), top) - step.positions.begin());
    return step;
}

Proposal Inserted(const Document& document, std::size_t position, circuit::Segment segment) {
    if (std::string problem = circuit::IdProblem(segment.id); !problem.empty()) {
        return problem;
    }
    if (document.Find(segment.id)) {
        return "L'id " + Named(segment) + " è già di un altro tratto.";
    }
    Edit edit;
    edit.name = "Aggiungi " + Named(segment);
    SubtreeStep step;
    step.positions = {position};
    step.segments.push_back(std::move(segment));
    edit.steps.emplace_back(std::move(step));
    return edit;
}

Upstream UpstreamOf(const Document& document, std::optional<std::size_t> index) {
    if (!index) {
        return {};
    }
    return {document.Circuit().segments[*index].id, index};
}

}  // namespace

Proposal ChangeSegment(const Document& document, std::size_t index, circuit::Segment after,
                       std::string name) {
    const circuit::Segment& before = document.Circuit().segments[index];
    if (SameSegment(before, after)) {
        return std::string();
    }
    Edit edit;
    edit.name = std::move(name);
    edit.steps.emplace_back(ReplaceSegment{index, std::move(after)});
    return edit;
}

Proposal Rename(const Document& document, std::size_t index, std::string id) {
    const circuit::Segment& before = document.Circuit().segments[index];
    if (id == before.id) {
        return std::string();
    }
    if (std::string problem = circuit::IdProblem(id); !problem.empty()) {
        problem[0] = problem[0] == 'u' ? 'U' : problem[0];
        return problem;
    }
    if (document.Find(id)) {
        return "L'id " + text::Quoted(id) + " è già di un altro tratto.";
    }
    Edit edit;
    edit.name = "Rinomina " + Named(before) + " in " + text::Quoted(id);
    circuit::Segment after = before;
    after.id = id;
    edit.steps.emplace_back(ReplaceSegment{index, std::move(after)});
    for (const std::size_t child : document.Tree().Children(index)) {
        Reattach follow;
        follow.index = child;
        follow.before = {before.id, index};
        follow.after = {id, index};
        follow.moves = false;
        edit.steps.emplace_back(std::move(follow));
    }
    return edit;
}

circuit::Segment NewSegment(const Document& document, std::optional<std::size_t> like) {
    const circuit::Circuit& circuit = document.Circuit();
    circuit::Segment segment;
    for (std::size_t n = circuit.segments.size() + 1;; ++n) {
        segment.id = std::to_string(n);
        segment.id.insert(segment.id.begin(), 'T');
        if (!document.Find(segment.id)) {
            break;
        }
    }
    segment.tube.automatic = true;
    if (like) {
        segment.tube.series = circuit.segments[*like].tube.series;
    }
    if (segment.tube.series.empty() || document.Catalogue().Find(segment.tube.series) == nullptr) {
        const auto& series = document.Catalogue().series;
        segment.tube.series = series.empty() ? std::string("rame") : series.front().name;
    }
    return segment;
}

Proposal AddDownstream(const Document& document, std::optional<std::size_t> parent,
                       circuit::Segment segment) {
    const SegmentTree& tree = document.Tree();
    std::size_t position = document.Circuit().segments.size();
    if (parent) {
        segment.upstream = document.Circuit().segments[*parent].id;
        const auto children = tree.Children(*parent);
        position = (children.empty() ? *parent : children.back()) + 1;
    } else {
        segment.upstream.reset();
    }
    return Inserted(document, position, std::move(segment));
}

Proposal AddAfter(const Document& document, std::size_t sibling, circuit::Segment segment) {
    segment.upstream = document.Circuit().segments[sibling].upstream;
    return Inserted(document, sibling + 1, std::move(segment));
}

Proposal RemoveWithDownstream(const Document& document, std::size_t index) {
    Edit edit;
    const circuit::Segment& segment = document.Circuit().segments[index];
    edit.name = document.Tree().Children(index).empty()
                    ? "Rimuovi " + Named(segment)
                    : "Rimuovi " + Named(segment) + " e i tratti a valle";
    edit.steps.emplace_back(TakenOut(document, index));
    return edit;
}

Proposal RemoveOnly(const Document& document, std::size_t index) {
    Edit edit;
    const circuit::Segment& segment = document.Circuit().segments[index];
    edit.name = "Rimuovi " + Named(segment);
    const std::optional<std::size_t> parent = document.Tree().Parent(index);
    for (const std::size_t child : document.Tree().Children(index)) {
        Reattach step;
        step.index = child;
        step.before = UpstreamOf(document, index);
        step.after = UpstreamOf(document, parent);
        edit.steps.emplace_back(std::move(step));
    }
    // The segment alone is left; taken out after its children have gone up, its index is as
    // it was, as no step before moves a segment in file order.
    SubtreeStep out;
    out.positions = {index};
    edit.steps.emplace_back(std::move(out));
    return edit;
}

std::vector<std::size_t> UpstreamChoices(const Document& document, std::size_t index) {
    std::vector<std::size_t> choices;
    const SegmentTree& tree = document.Tree();
    for (std::size_t i = 0; i < tree.Size(); ++i) {
        if (i != index && !tree.IsDownstreamOf(i, index)) {
            choices.push_back(i);
        }
    }
    return choices;
}

Proposal Move(const Document& document, std::size_t index, std::optional<std::size_t> upstream) {
    const SegmentTree& tree = document.Tree();
    const circuit::Segment& segment = document.Circuit().segments[index];
    if (upstream == tree.Parent(index)) {
        return std::string();
    }
    if (upstream && (*upstream == index || tree.IsDownstreamOf(*upstream, index))) {
        return "Il tratto " + Named(segment) + " non può andare sotto " +
               Named(document.Circuit().segments[*upstream]) +
               ", che è a valle di lui: il circuito diventerebbe un anello.";
    }
    Edit edit;
    edit.name = upstream ? "Sposta " + Named(segment) + " sotto " +
                               Named(document.Circuit().segments[*upstream])
                         : "Sposta " + Named(segment) + " alla sorgente";
    Reattach step;
    step.index = index;
    step.before = UpstreamOf(document, tree.Parent(index));
    step.after = UpstreamOf(document, upstream);
    edit.steps.emplace_back(std::move(step));
    return edit;
}

Proposal ChangeSettings(const Document& document, Settings after) {
    const Settings before = SettingsOf(document.Circuit());
    const std::string name = SettingsEditName(before, after);
    if (name.empty()) {
        return std::string();
    }
    Edit edit;
    edit.name = name;
    edit.steps.emplace_back(ReplaceSettings{std::move(after)});
    return edit;
}

std::string SettingsEditName(const Settings& before, const Settings& after) {
    // The fluid and its percentage change together: one setting.
    const bool fluid = before.fluid.type != after.fluid.type ||
                       before.fluid.volumePercent != after.fluid.volumePercent;
    const std::pair<const char*, bool> settings[] = {
        {"nome", before.project.name != after.project.name},
        {"autore", before.project.author != after.project.author},
        {"note", before.project.notes != after.project.notes},
        {before.fluid.type != after.fluid.type ? "fluido" : "percentuale di glicole", fluid},
        {"mandata", before.fluid.supplyC != after.fluid.supplyC},
        {"ritorno", before.fluid.returnC != after.fluid.returnC},
        {"limite di perdita", before.limits.pascalPerMetre != after.limits.pascalPerMetre},
        {"limite di velocità", before.limits.velocityMs != after.limits.velocityMs},
        {"margine di portata", before.margins.flowPercent != after.margins.flowPercent},
        {"margine di prevalenza", before.margins.headPercent != after.margins.headPercent},
    };
    std::string name;
    int changed = 0;
    for (const auto& [setting, differs] : settings) {
        if (differs) {
            name = std::string("Modifica ") + setting;
            ++changed;
        }
    }
    return changed > 1 ? std::string("Modifica impostazioni del circuito") : name;
}

}  // namespace idrovela::sheet
