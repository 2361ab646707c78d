#include "report/schematic_pages.h"

#include <algorithm>
#include <cmath>

namespace idrovela::report {

namespace {

// The caption's strip over each part, in the layout's units: a line of the labels' size.
constexpr double kCaptionHeight = 26.0;
// Left of a part that does not start at the source: room for the vertical lines on its edge.
constexpr double kEdge = 10.0;
// What a page's body keeps beside a picture: the paragraph's spacing and the line's descent, and
// room for the section's heading and its introduction, which go over with the first part.
constexpr double kPageSlack = 160.0;

double RowTop(const SchematicMetrics& metrics, std::size_t row) {
    return metrics.margin + static_cast<double>(row) * metrics.rowHeight;
}

double ColumnLeft(const SchematicLayout& layout, std::size_t column) {
    return layout.sourceRight + static_cast<double>(column) * layout.metrics.columnWidth;
}

// "colonne 4–6", "colonna 4": the first and the last, counted from 1.
std::string Span(std::size_t first, std::size_t end, const char* one, const char* many) {
    if (end - first == 1) {
        return std::string(one) + ' ' + std::to_string(first + 1);
    }
    return std::string(many) + ' ' + std::to_string(first + 1) + "–" + std::to_string(end);
}

}  // namespace

bool PartHolds(const SchematicPart& part, const SchematicSegment& segment) {
    return segment.column >= part.firstColumn && segment.column < part.endColumn &&
           segment.row >= part.firstRow && segment.row < part.endRow;
}

bool PartCrossesBranch(const SchematicPart& part, const SchematicSegment& segment,
                       const SchematicMetrics& metrics) {
    // A segment's end is the start of the next column: the part's left edge for the column
    // before its first.
    const bool inColumns =
        segment.column + 1 >= part.firstColumn && segment.column < part.endColumn;
    return inColumns && segment.branchBottom > segment.y &&
           segment.y < RowTop(metrics, part.endRow) &&
           segment.branchBottom > RowTop(metrics, part.firstRow);
}

std::optional<SchematicPages> PlanSchematicPages(const circuit::Circuit& circuit,
                                                 const circuit::Solution& solution,
                                                 const PageRoom& room) {
    if (circuit.segments.empty() || circuit.segments.size() > kSchematicMaxSegments) {
        return std::nullopt;
    }
    SchematicPages pages;
    pages.layout = LayoutSchematic(circuit, solution);
    const SchematicLayout& layout = pages.layout;
    const SchematicMetrics& m = layout.metrics;
    pages.indexDownTo.resize(layout.segments.size());
    for (std::size_t k = 0; k + 1 < solution.indexPath.size(); ++k) {
        pages.indexDownTo[solution.indexPath[k]] = layout.segments[solution.indexPath[k + 1]].y;
    }

    // One scale for every circuit, so that every report's labels are the same size: the first
    // part's columns with the source and the terminals' room as wide as the page.
    const double fullWidth = m.margin + m.sourceWidth +
                             static_cast<double>(kSchematicPartColumns) * m.columnWidth +
                             m.terminalWidth + m.margin;
    pages.scale = room.width / fullWidth;
    const bool single =
        layout.columns <= kSchematicPartColumns &&
        RowTop(m, layout.rows) + m.margin <= (room.height - kPageSlack) / pages.scale;
    pages.captionHeight = single ? 0.0 : kCaptionHeight;
    const double drawable =
        (room.height - kPageSlack) / pages.scale - pages.captionHeight - 2 * m.margin;
    const std::size_t partRows =
        std::max<std::size_t>(1, static_cast<std::size_t>(std::floor(drawable / m.rowHeight)));

    for (std::size_t firstRow = 0; firstRow < layout.rows; firstRow += partRows) {
        for (std::size_t firstColumn = 0; firstColumn < layout.columns;
             firstColumn += kSchematicPartColumns) {
            SchematicPart part;
            part.firstColumn = firstColumn;
            part.endColumn = std::min(firstColumn + kSchematicPartColumns, layout.columns);
            part.firstRow = firstRow;
            part.endRow = std::min(firstRow + partRows, layout.rows);
            const bool holdsOne =
                std::any_of(layout.segments.begin(), layout.segments.end(),
                            [&part](const SchematicSegment& s) { return PartHolds(part, s); });
            if (!holdsOne) {
                continue;
            }
            part.left = firstColumn == 0 ? 0.0 : ColumnLeft(layout, firstColumn) - kEdge;
            const double right = std::min(
                layout.width, ColumnLeft(layout, part.endColumn) + m.terminalWidth + m.margin);
            part.width = right - part.left;
            part.top = firstRow == 0 ? 0.0 : RowTop(m, firstRow);
            const double bottom =
                part.endRow == layout.rows ? layout.height : RowTop(m, part.endRow);
            part.height = pages.captionHeight + (bottom - part.top);
            pages.parts.push_back(std::move(part));
        }
    }
    if (pages.parts.size() > 1) {
        const std::string count = std::to_string(pages.parts.size());
        for (std::size_t k = 0; k < pages.parts.size(); ++k) {
            SchematicPart& part = pages.parts[k];
            part.caption = "Parte " + std::to_string(k + 1) + " di " + count + ": " +
                           Span(part.firstColumn, part.endColumn, "colonna", "colonne") + ", " +
                           Span(part.firstRow, part.endRow, "riga", "righe");
        }
    }
    return pages;
}

}  // namespace idrovela::report
