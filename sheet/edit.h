#pragma once

// Every change to a circuit, as the steps that make it. A step holds only what it changes (a
// segment before or after, a removed subtree and where it stood, an upstream id, the settings), and
// is undone by its own inverse, so that undo never keeps a copy of the whole circuit.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "circuit/circuit.h"

namespace idrovela::sheet {

// What the settings panel edits: everything of a circuit but its segments.
struct Settings {
    circuit::Project project;
    circuit::Fluid fluid;
    circuit::Limits limits;
    circuit::Margins margins;
    std::optional<circuit::EmitterSettings> emitterSettings;
    std::optional<circuit::Volumes> volumes;
    std::optional<circuit::Vessel> vessel;

    bool operator==(const Settings&) const = default;
};
[[nodiscard]] Settings SettingsOf(const circuit::Circuit& circuit);

// The segment at `index` and this one trade places: done again, it undoes itself.
struct ReplaceSegment {
    std::size_t index = 0;
    circuit::Segment segment;
};

struct ReplaceSettings {
    Settings settings;
};

// The segment at `index` goes from one upstream segment to another (none: the source); undone,
// back. Each is named by its id and by its index while the step runs. `moves` says whether the
// segment changes place in the tree, or only follows the rename of its upstream segment.
struct Upstream {
    std::optional<std::string> id;
    std::optional<std::size_t> index;
};
struct Reattach {
    std::size_t index = 0;
    Upstream before;
    Upstream after;
    bool moves = true;
    bool done = false;
};

// A segment and everything downstream of it, at their places in file order (ascending). Done
// while it holds the segments, it inserts them; done while they are in the circuit, it takes them
// out (with the keys the document knows them by), so an insertion and a removal undo each other.
struct SubtreeStep {
    std::vector<std::size_t> positions;
    std::vector<circuit::Segment> segments;  // empty while they are in the circuit
    std::vector<std::uint64_t> keys;         // none for segments never in the circuit
    std::size_t top = 0;                     // which of `positions` is the subtree's top
};

using Step = std::variant<ReplaceSegment, ReplaceSettings, Reattach, SubtreeStep>;

[[nodiscard]] bool ChangesTree(const Step& step);

// An edit as the user names it in the undo menu: "Modifica lunghezza di «R1»".
struct Edit {
    std::string name;
    std::vector<Step> steps;
    // Which state of the document the edit leads from and to (Document sets them).
    std::uint64_t stateBefore = 0;
    std::uint64_t stateAfter = 0;
};

}  // namespace idrovela::sheet
