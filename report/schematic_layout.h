#pragma once

// Where the schematic draws a circuit, without a toolkit: the source on the left, each segment a
// line one column to the right of the segment it leaves, each terminal an end symbol. Every
// segment has a row; a segment goes on in the row of the segment it leaves when it is that
// segment's first and the segment carries no terminal, and otherwise opens a row of its own below
// everything drawn so far. The segments a segment feeds then hang from one vertical line at its
// end, and no line crosses another. Worked out in one pass over the tree, with no recursion, so a
// chain 100 000 deep neither overflows the stack nor takes more than linear time.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "circuit/solve.h"

namespace idrovela::report {

// The sizes the schematic is laid out with, in the view's units (pixels at zoom 1).
struct SchematicMetrics {
    double columnWidth = 220.0;    // a segment's line, with room for its labels
    double rowHeight = 60.0;       // a line with a label above and one below
    double sourceWidth = 90.0;     // the source's box
    double terminalWidth = 220.0;  // room right of the last column for a symbol and its label
    double margin = 20.0;
};

// What a segment's line says: its id above, its tube and loss below.
struct SegmentTexts {
    std::string id;
    std::string tube;  // "rame 15×1,2 (automatico)"
    std::string loss;  // "Δp 653 Pa"
    bool operator==(const SegmentTexts&) const = default;
};

struct SchematicSegment {
    std::size_t row = 0;
    std::size_t column = 0;  // how many segments lie between it and the source
    double x0 = 0.0;         // the line runs from x0 to x1 at y
    double x1 = 0.0;
    double y = 0.0;
    double branchBottom = 0.0;  // the vertical line at x1 runs from y down to here: the last
                                // segment it feeds, or y when it feeds none
    bool onIndexPath = false;
    SegmentTexts texts;
};

struct SchematicTerminal {
    std::size_t segment = 0;  // the segment that carries it
    double x = 0.0;           // the symbol starts at the end of its segment's line
    double y = 0.0;
    bool index = false;
    std::string label;  // "eccedenza 2096 Pa", "indice"
};

struct SchematicLayout {
    SchematicMetrics metrics;
    // The source's box: its right side is where the segments leaving it start.
    double sourceLeft = 0.0;
    double sourceRight = 0.0;
    double sourceTop = 0.0;
    double sourceBottom = 0.0;
    std::vector<SchematicSegment> segments;              // by segment index
    std::vector<SchematicTerminal> terminals;            // in file order
    std::vector<std::optional<std::size_t>> terminalOf;  // by segment index: into terminals
    std::size_t rows = 0;
    std::size_t columns = 0;
    double width = 0.0;
    double height = 0.0;
};

[[nodiscard]] SchematicLayout LayoutSchematic(const circuit::Circuit& circuit,
                                              const circuit::Solution& solution,
                                              const SchematicMetrics& metrics = {});

// The texts alone, for a view that keeps its positions when only figures change.
[[nodiscard]] SegmentTexts SchematicSegmentTexts(const circuit::Circuit& circuit,
                                                 const circuit::Solution& solution,
                                                 std::size_t segment);
[[nodiscard]] std::string SchematicTerminalLabel(const circuit::Solution& solution,
                                                 std::size_t segment);

// What the places depend on: the segment each one leaves, and which carry a terminal. Two
// worked-out circuits of the same shape draw the same lines in the same places; only the texts
// and the index path differ.
struct SchematicShape {
    std::vector<std::optional<std::size_t>> upstream;
    std::vector<bool> terminal;
    bool operator==(const SchematicShape&) const = default;
};
[[nodiscard]] SchematicShape ShapeOf(const circuit::Solution& solution);

// The segments whose texts an edit of `segment` can change while the shape stays: the segment
// and every one upstream of it, whose flow, automatic tube and loss follow what it carries. (The
// terminals' excesses and the index path can change anywhere.)
[[nodiscard]] std::vector<std::size_t> EditedAndUpstream(const circuit::Topology& tree,
                                                         std::size_t segment);

}  // namespace idrovela::report
