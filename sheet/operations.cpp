#include "sheet/operations.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>
#include <utility>

#include "circuit/check.h"
#include "circuit/messages.h"
#include "text/quoted.h"

namespace idrovela::sheet {

namespace {

std::string Named(const circuit::Segment& segment) {
    return text::Quoted(segment.id);
}

// The smallest n from 1 such that no segment has the id "Tn" (n written without leading zeros,
// as ids compare byte for byte): one pass over the ids, however many there are. Of the numbers
// 1 to count + 1, one at least is free.
std::size_t FirstFreeNumber(const circuit::Circuit& circuit) {
    const std::size_t count = circuit.segments.size();
    std::vector<char> taken(count + 2, 0);
    for (const circuit::Segment& segment : circuit.segments) {
        const std::string_view id = segment.id;
        if (id.size() < 2 || id[0] != 'T' || id[1] == '0') {
            continue;
        }
        std::size_t n = 0;
        const char* end = id.data() + id.size();
        const auto [stop, error] = std::from_chars(id.data() + 1, end, n);
        if (error == std::errc() && stop == end && n <= count + 1) {
            taken[n] = 1;
        }
    }
    std::size_t n = 1;
    while (taken[n] != 0) {
        ++n;
    }
    return n;
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
    if (before == after) {
        return NoChange{};
    }
    Edit edit;
    edit.name = std::move(name);
    edit.steps.emplace_back(ReplaceSegment{index, std::move(after)});
    return edit;
}

Proposal Rename(const Document& document, std::size_t index, std::string id) {
    const circuit::Segment& before = document.Circuit().segments[index];
    if (id == before.id) {
        return NoChange{};
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
    // Written into a buffer: GCC 12 at -O3 warns falsely of an overlapping copy when "T" and the
    // number are joined as strings.
    std::array<char, 24> id{'T'};
    const auto written =
        std::to_chars(id.data() + 1, id.data() + id.size(), FirstFreeNumber(circuit));
    segment.id.assign(id.data(), written.ptr);
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
        return NoChange{};
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
    if (before == after) {
        return NoChange{};
    }
    std::string name = SettingsEditName(before, after);
    if (name.empty()) {  // a setting the names above do not list
        name = "Modifica impostazioni del circuito";
    }
    Edit edit;
    edit.name = name;
    edit.steps.emplace_back(ReplaceSettings{std::move(after)});
    return edit;
}

Proposal SetLowestSupply(const Document& document) {
    const circuit::Solution* solution = document.Solution();
    if (solution == nullptr || !solution->lowestSupply) {
        return std::string(
            "Nessuna mandata minima: ogni terminale con un carico deve avere un emettitore.");
    }
    const double lowest = solution->lowestSupply->supplyC;
    // Up to the next tenth of a degree, or the tenth itself where the lowest is one.
    const double tenths = std::ceil(lowest * 10.0);
    const double below = (tenths - 1.0) / 10.0;
    const double supply = below >= lowest ? below : tenths / 10.0;
    Settings after = SettingsOf(document.Circuit());
    const double dropK = after.fluid.supplyC - after.fluid.returnC;
    after.fluid.supplyC = supply;
    after.fluid.returnC = supply - dropK;
    Proposal proposal = ChangeSettings(document, std::move(after));
    if (Edit* edit = std::get_if<Edit>(&proposal)) {
        edit->name = "Imposta la mandata minima";
    }
    return proposal;
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
        {"salto minimo", before.emitterSettings != after.emitterSettings},
        {"volumi", before.volumes != after.volumes},
        {"vaso di espansione", before.vessel != after.vessel},
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
