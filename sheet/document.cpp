#include "sheet/document.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "circuit/write.h"

namespace idrovela::sheet {

namespace {

constexpr std::size_t kNoSegment = static_cast<std::size_t>(-1);

// Where an index of the circuit goes once segments are inserted at `positions` (ascending, in
// the circuit after the insertion).
std::size_t AfterInsertion(std::size_t index, const std::vector<std::size_t>& positions) {
    for (const std::size_t position : positions) {
        if (position > index) {
            break;
        }
        ++index;
    }
    return index;
}

bool SameTerminal(const std::optional<circuit::TerminalResult>& a,
                  const std::optional<circuit::TerminalResult>& b) {
    if (a.has_value() != b.has_value()) {
        return false;
    }
    return !a ||
           (a->flowLph == b->flowLph && a->loadW == b->loadW && a->deviceDpPa == b->deviceDpPa &&
            a->totalPa == b->totalPa && a->excessPa == b->excessPa && a->kv == b->kv);
}

// Whether a segment's figures, as the sheet shows them, are the same.
bool SameFigures(const circuit::SegmentResult& a, const circuit::SegmentResult& b) {
    return a.designation == b.designation && a.innerMm == b.innerMm &&
           a.roughnessMm == b.roughnessMm && a.flowLph == b.flowLph && a.loadW == b.loadW &&
           a.velocityMs == b.velocityMs && a.flow.pascalPerMetre == b.flow.pascalPerMetre &&
           a.frictionPa == b.frictionPa && a.zeta == b.zeta && a.localPa == b.localPa &&
           a.valvesPa == b.valvesPa && a.dpPa == b.dpPa && a.pathPa == b.pathPa &&
           SameTerminal(a.terminal, b.terminal);
}

// Each segment's marks: on the index path (bit 0), and the codes of its warnings (bits 1…).
std::vector<std::uint32_t> Marks(const circuit::Solution& solution) {
    std::vector<std::uint32_t> marks(solution.segments.size(), 0);
    for (const std::size_t segment : solution.indexPath) {
        marks[segment] |= 1u;
    }
    for (const circuit::Warning& warning : solution.warnings) {
        marks[warning.segment] |= 2u << static_cast<unsigned>(warning.code);
    }
    return marks;
}

}  // namespace

Document::Document(std::shared_ptr<const catalogues::Catalogue> catalogue)
    : Document(catalogue, circuit::LoadedCircuit{}, std::nullopt) {
    solution_ = circuit::Solve(circuit_, *catalogue_);
}

Document::Document(std::shared_ptr<const catalogues::Catalogue> catalogue,
                   circuit::LoadedCircuit loaded, std::optional<std::filesystem::path> file)
    : catalogue_(std::move(catalogue)),
      circuit_(std::move(loaded.circuit)),
      solution_(std::move(loaded.solution)),
      file_(std::move(file)) {
    keys_.resize(circuit_.segments.size());
    for (std::uint64_t& key : keys_) {
        key = nextKey_++;
    }
    Rebuild();
}

std::unique_ptr<Document> Document::Open(std::shared_ptr<const catalogues::Catalogue> catalogue,
                                         const std::filesystem::path& file) {
    circuit::LoadedCircuit loaded = circuit::LoadCircuitFile(file, *catalogue);
    return std::make_unique<Document>(std::move(catalogue), std::move(loaded), file);
}

std::optional<std::size_t> Document::SegmentOf(std::uint64_t key) const {
    if (key >= segmentOfKey_.size() || segmentOfKey_[key] == kNoSegment) {
        return std::nullopt;
    }
    return segmentOfKey_[key];
}

std::optional<std::size_t> Document::Find(std::string_view id) const {
    for (std::size_t i = 0; i < circuit_.segments.size(); ++i) {
        if (circuit_.segments[i].id == id) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> Document::Apply(Edit& edit) {
    std::optional<std::string> refused = Run(edit, Direction::Forward);
    if (!refused) {
        edit.stateBefore = state_;
        edit.stateAfter = nextState_++;
        state_ = edit.stateAfter;
    }
    return refused;
}

void Document::Undo(Edit& edit) {
    if (std::optional<std::string> refused = Run(edit, Direction::Backward)) {
        // The state it goes back to was the engine's once: only a changed catalogue could refuse.
        throw circuit::CircuitError(*refused);
    }
    state_ = edit.stateBefore;
}

void Document::Redo(Edit& edit) {
    if (std::optional<std::string> refused = Run(edit, Direction::Forward)) {
        throw circuit::CircuitError(*refused);
    }
    state_ = edit.stateAfter;
}

std::optional<std::string> Document::Run(Edit& edit, Direction direction) {
    const auto each = [&edit, direction](bool forward, const auto& action) {
        if ((direction == Direction::Forward) == forward) {
            for (Step& step : edit.steps) {
                action(step);
            }
        } else {
            for (auto step = edit.steps.rbegin(); step != edit.steps.rend(); ++step) {
                action(*step);
            }
        }
    };
    const bool changesTree = std::any_of(edit.steps.begin(), edit.steps.end(),
                                         [](const Step& step) { return ChangesTree(step); });
    const std::vector<std::uint64_t> keysBefore =
        changesTree ? keys_ : std::vector<std::uint64_t>{};
    touched_.clear();

    // First on the circuit alone, to ask the engine; the tree and the view wait.
    each(true, [this](Step& step) { Do(step, false); });
    circuit::Solution solved;
    try {
        solved = circuit::Solve(circuit_, *catalogue_);
    } catch (const std::exception& error) {
        each(false, [this](Step& step) { Do(step, false); });
        return std::string(error.what());
    }
    if (changesTree) {
        // Back, then again step by step, so that a view follows each change of the tree.
        each(false, [this](Step& step) { Do(step, false); });
        current_ = false;
        touched_.clear();
        each(true, [this](Step& step) { Do(step, true); });
    }
    const circuit::Solution before = std::exchange(solution_, std::move(solved));
    current_ = true;
    if (listener_ != nullptr) {
        listener_->Recalculated(Changed(before, changesTree ? keysBefore : keys_, touched_));
    }
    return std::nullopt;
}

void Document::Do(Step& step, bool tellListener) {
    std::visit(
        [this, tellListener](auto& each) {
            using Kind = std::decay_t<decltype(each)>;
            if constexpr (std::is_same_v<Kind, ReplaceSegment> ||
                          std::is_same_v<Kind, ReplaceSettings>) {
                Do(each);
            } else {
                Do(each, tellListener);
            }
        },
        step);
}

void Document::Do(ReplaceSegment& step) {
    std::swap(circuit_.segments[step.index], step.segment);
    touched_.push_back(step.index);
}

void Document::Do(ReplaceSettings& step) {
    Settings current = SettingsOf(circuit_);
    circuit_.project = std::move(step.settings.project);
    circuit_.fluid = step.settings.fluid;
    circuit_.limits = step.settings.limits;
    circuit_.margins = step.settings.margins;
    circuit_.emitterSettings = step.settings.emitterSettings;
    circuit_.volumes = step.settings.volumes;
    circuit_.vessel = step.settings.vessel;
    step.settings = std::move(current);
}

void Document::Do(Reattach& step, bool tellListener) {
    const Upstream& from = step.done ? step.after : step.before;
    const Upstream& to = step.done ? step.before : step.after;
    const bool tell = tellListener && step.moves && listener_ != nullptr;
    if (tell) {
        std::size_t toRow = 0;
        for (const std::size_t sibling : tree_.ChildrenOf(to.index)) {
            if (sibling < step.index) {
                ++toRow;
            }
        }
        listener_->BeforeMove(from.index, tree_.Row(step.index), to.index, toRow);
    }
    circuit_.segments[step.index].upstream = to.id;
    step.done = !step.done;
    if (tellListener && step.moves) {
        Rebuild();
    }
    if (tell) {
        listener_->AfterMove();
    }
}

void Document::Do(SubtreeStep& step, bool tellListener) {
    if (step.segments.empty()) {
        Remove(step, tellListener);
    } else {
        Insert(step, tellListener);
    }
}

void Document::Insert(SubtreeStep& step, bool tellListener) {
    const bool tell = tellListener && listener_ != nullptr;
    if (tell) {
        const std::optional<std::string>& upstream = step.segments[step.top].upstream;
        const std::optional<std::size_t> parent = upstream ? Find(*upstream) : std::nullopt;
        std::size_t row = 0;
        for (const std::size_t sibling : tree_.ChildrenOf(parent)) {
            if (AfterInsertion(sibling, step.positions) < step.positions[step.top]) {
                ++row;
            }
        }
        listener_->BeforeInsert(parent, row);
    }
    // One pass over the circuit, however many segments go in.
    const std::size_t count = circuit_.segments.size() + step.positions.size();
    std::vector<circuit::Segment> segments;
    std::vector<std::uint64_t> keys;
    segments.reserve(count);
    keys.reserve(count);
    std::size_t old = 0;
    std::size_t k = 0;
    for (std::size_t at = 0; at < count; ++at) {
        if (k < step.positions.size() && step.positions[k] == at) {
            segments.push_back(std::move(step.segments[k]));
            keys.push_back(k < step.keys.size() ? step.keys[k] : nextKey_++);
            ++k;
        } else {
            segments.push_back(std::move(circuit_.segments[old]));
            keys.push_back(keys_[old]);
            ++old;
        }
    }
    circuit_.segments = std::move(segments);
    keys_ = std::move(keys);
    step.segments.clear();
    step.keys.clear();
    if (tellListener) {
        Rebuild();
    }
    if (tell) {
        listener_->AfterInsert();
    }
}

void Document::Remove(SubtreeStep& step, bool tellListener) {
    const bool tell = tellListener && listener_ != nullptr;
    if (tell) {
        const std::size_t top = step.positions[step.top];
        listener_->BeforeRemove(tree_.Parent(top), tree_.Row(top));
    }
    // Taken out, then the rest closed up in one pass, however many segments go.
    step.segments.resize(step.positions.size());
    step.keys.resize(step.positions.size());
    std::vector<char> out(circuit_.segments.size(), 0);
    for (std::size_t k = 0; k < step.positions.size(); ++k) {
        step.segments[k] = std::move(circuit_.segments[step.positions[k]]);
        step.keys[k] = keys_[step.positions[k]];
        out[step.positions[k]] = 1;
    }
    std::size_t kept = 0;
    for (std::size_t at = 0; at < out.size(); ++at) {
        if (out[at] == 0) {
            if (kept != at) {
                circuit_.segments[kept] = std::move(circuit_.segments[at]);
                keys_[kept] = keys_[at];
            }
            ++kept;
        }
    }
    circuit_.segments.resize(kept);
    keys_.resize(kept);
    if (tellListener) {
        Rebuild();
    }
    if (tell) {
        listener_->AfterRemove();
    }
}

void Document::Rebuild() {
    tree_ = SegmentTree(circuit_);
    segmentOfKey_.assign(nextKey_, kNoSegment);
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        segmentOfKey_[keys_[i]] = i;
    }
}

std::vector<std::size_t> Document::Changed(const circuit::Solution& before,
                                           const std::vector<std::uint64_t>& keysBefore,
                                           const std::vector<std::size_t>& touched) const {
    const std::size_t count = circuit_.segments.size();
    std::vector<char> changed(count, 0);
    for (const std::size_t segment : touched) {
        if (segment < count) {
            changed[segment] = 1;
        }
    }
    // Where each segment was before: the same index, unless the tree changed.
    std::vector<std::size_t> was(count);
    if (keysBefore == keys_) {
        for (std::size_t i = 0; i < count; ++i) {
            was[i] = i;
        }
    } else {
        std::vector<std::size_t> byKey(nextKey_, kNoSegment);
        for (std::size_t i = 0; i < keysBefore.size(); ++i) {
            byKey[keysBefore[i]] = i;
        }
        for (std::size_t i = 0; i < count; ++i) {
            was[i] = byKey[keys_[i]];
        }
    }
    const std::vector<std::uint32_t> marksBefore = Marks(before);
    const std::vector<std::uint32_t> marks = Marks(solution_);
    std::vector<std::size_t> list;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t old = was[i];
        if (changed[i] != 0 || old >= before.segments.size() || marks[i] != marksBefore[old] ||
            !SameFigures(solution_.segments[i], before.segments[old])) {
            list.push_back(i);
        }
    }
    return list;
}

std::optional<std::string> Document::SaveAs(const std::filesystem::path& file) {
    try {
        circuit::SaveCircuit(circuit_, *catalogue_, file);
    } catch (const circuit::CircuitError& error) {
        return std::string(error.what());
    }
    file_ = file;
    savedState_ = state_;
    return std::nullopt;
}

}  // namespace idrovela::sheet
