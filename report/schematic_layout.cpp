#include "report/schematic_layout.h"

#include <algorithm>

#include "columns/columns.h"

namespace idrovela::report {

SegmentTexts SchematicSegmentTexts(const circuit::Circuit& circuit,
                                   const circuit::Solution& solution, std::size_t segment) {
    return {circuit.segments[segment].id,
            columns::TubeText(circuit.segments[segment], solution.segments[segment]),
            "Δp " +
                columns::SegmentCell(circuit, solution, segment, columns::SegmentColumn::DpTratto) +
                " Pa"};
}

std::string SchematicTerminalLabel(const circuit::Solution& solution, std::size_t segment) {
    if (solution.index == segment) {
        return "indice";
    }
    const circuit::TerminalResult& terminal = *solution.segments[segment].terminal;
    if (!terminal.excessPa) {
        return "eccedenza –";
    }
    return "eccedenza " +
           columns::FixedFigure(*terminal.excessPa,
                                columns::Info(columns::TerminalColumn::Eccedenza).decimals) +
           " Pa";
}

SchematicShape ShapeOf(const circuit::Solution& solution) {
    SchematicShape shape;
    shape.upstream = solution.topology.upstream;
    shape.terminal.reserve(solution.segments.size());
    for (const circuit::SegmentResult& segment : solution.segments) {
        shape.terminal.push_back(segment.terminal.has_value());
    }
    return shape;
}

std::vector<std::size_t> EditedAndUpstream(const circuit::Topology& tree, std::size_t segment) {
    std::vector<std::size_t> segments;
    for (std::optional<std::size_t> at = segment; at; at = tree.upstream[*at]) {
        segments.push_back(*at);
    }
    return segments;
}

SchematicLayout LayoutSchematic(const circuit::Circuit& circuit, const circuit::Solution& solution,
                                const SchematicMetrics& metrics) {
    const circuit::Topology& tree = solution.topology;
    const std::size_t count = circuit.segments.size();
    SchematicLayout layout;
    layout.metrics = metrics;
    layout.segments.resize(count);
    layout.terminalOf.resize(count);

    // Rows, depth first from the source with a stack of our own: the segments a segment feeds
    // go on the stack last first, so that they come off in file order.
    std::size_t nextRow = 0;
    std::vector<std::size_t> stack(tree.roots.rbegin(), tree.roots.rend());
    while (!stack.empty()) {
        const std::size_t i = stack.back();
        stack.pop_back();
        SchematicSegment& segment = layout.segments[i];
        const std::optional<std::size_t> upstream = tree.upstream[i];
        const bool goesOn = upstream && !solution.segments[*upstream].terminal &&
                            tree.Downstream(*upstream).front() == i;
        if (goesOn) {
            segment.row = layout.segments[*upstream].row;
        } else {
            segment.row = nextRow++;
        }
        segment.column = upstream ? layout.segments[*upstream].column + 1 : 0;
        layout.columns = std::max(layout.columns, segment.column + 1);
        const std::span<const std::size_t> downstream = tree.Downstream(i);
        stack.insert(stack.end(), downstream.rbegin(), downstream.rend());
    }
    layout.rows = nextRow;

    const auto rowY = [&metrics](std::size_t row) {
        return metrics.margin + (static_cast<double>(row) + 0.5) * metrics.rowHeight;
    };
    layout.sourceLeft = metrics.margin;
    layout.sourceRight = metrics.margin + metrics.sourceWidth;
    layout.sourceTop = metrics.margin;
    layout.sourceBottom = metrics.margin + metrics.rowHeight;
    if (!tree.roots.empty()) {
        // From the first segment leaving the source to the last, and a row tall at least.
        layout.sourceBottom =
            std::max(layout.sourceBottom,
                     rowY(layout.segments[tree.roots.back()].row) + metrics.rowHeight / 2);
    }

    for (std::size_t i = 0; i < count; ++i) {
        SchematicSegment& segment = layout.segments[i];
        segment.x0 = layout.sourceRight + static_cast<double>(segment.column) * metrics.columnWidth;
        segment.x1 = segment.x0 + metrics.columnWidth;
        segment.y = rowY(segment.row);
        const std::span<const std::size_t> downstream = tree.Downstream(i);
        // The last segment it feeds opened the lowest of their rows.
        segment.branchBottom =
            downstream.empty() ? segment.y : rowY(layout.segments[downstream.back()].row);
        segment.texts = SchematicSegmentTexts(circuit, solution, i);
        if (solution.segments[i].terminal) {
            layout.terminalOf[i] = layout.terminals.size();
            layout.terminals.push_back({i, segment.x1, segment.y, solution.index == i,
                                        SchematicTerminalLabel(solution, i)});
        }
    }
    for (const std::size_t i : solution.indexPath) {
        layout.segments[i].onIndexPath = true;
    }

    layout.width = layout.sourceRight + static_cast<double>(layout.columns) * metrics.columnWidth +
                   metrics.terminalWidth + metrics.margin;
    layout.height =
        std::max(layout.sourceBottom,
                 metrics.margin + static_cast<double>(layout.rows) * metrics.rowHeight) +
        metrics.margin;
    return layout;
}

}  // namespace idrovela::report
