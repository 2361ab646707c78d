#pragma once

// The schematic on the report's pages, without a toolkit: the layout the window's view draws
// (LayoutSchematic), at one scale for every circuit, cut into parts that each fit a page. A part
// is a band of a few columns (segments at the same distance from the source) across a band of
// rows, read left to right and then down; a part with no segment in it is left out. A segment's
// line and labels, and its terminal, are drawn in the one part that holds its column and row; the
// vertical line the segments it feeds hang from runs on through every part it crosses.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "circuit/circuit.h"
#include "circuit/solve.h"
#include "report/schematic_layout.h"

namespace idrovela::report {

// Above this many segments the report leaves the schematic out: its pages would outnumber the
// tables', and laying them out would slow the report down.
inline constexpr std::size_t kSchematicMaxSegments = 500;

// The columns of a part: with the source and the terminals' room, as wide as a page.
inline constexpr std::size_t kSchematicPartColumns = 3;

// The room a page's body gives a picture, in the report's units (1/96 inch, as HTML sizes its
// images). By default an A4 page less 15 mm margins and the running head and foot.
struct PageRoom {
    double width = 680.0;
    double height = 960.0;
};

struct SchematicPart {
    std::size_t firstColumn = 0;  // the columns [firstColumn, endColumn) and rows [firstRow,
    std::size_t endColumn = 0;    // endRow) of the layout
    std::size_t firstRow = 0;
    std::size_t endRow = 0;
    // What the part shows, in the layout's units: the caption's strip at the top, then the
    // drawing from (left, top + captionHeight).
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;  // the caption's strip included
    std::string caption;  // "Parte 2 di 6: colonne 4–6, righe 1–14"; empty for a single part
};

struct SchematicPages {
    SchematicLayout layout;
    double scale = 1.0;          // from the layout's units to the report's
    double captionHeight = 0.0;  // in the layout's units; 0 for a single part
    std::vector<SchematicPart> parts;
    // By segment, as the view marks the index path: for each of its segments but the last, the
    // height of the next, down to which its heavier vertical line runs.
    std::vector<std::optional<double>> indexDownTo;
};

// None for a circuit without segments, or with more than kSchematicMaxSegments, which is not laid
// out at all.
[[nodiscard]] std::optional<SchematicPages> PlanSchematicPages(const circuit::Circuit& circuit,
                                                               const circuit::Solution& solution,
                                                               const PageRoom& room);

// Whether a part draws a segment's line, labels and terminal: its column and row are the part's.
[[nodiscard]] bool PartHolds(const SchematicPart& part, const SchematicSegment& segment);

// Whether a part draws the vertical line at a segment's end: it stands in the part's columns
// (the end of a segment in the column before the part's first is the part's left edge) and runs
// through its rows.
[[nodiscard]] bool PartCrossesBranch(const SchematicPart& part, const SchematicSegment& segment,
                                     const SchematicMetrics& metrics);

}  // namespace idrovela::report
