#include "sheet/copied_rows.h"

#include <string_view>

#include "columns/columns.h"
#include "text/html.h"
#include "text/tab_separated.h"

namespace idrovela::sheet {

std::vector<std::size_t> InSheetOrder(const SegmentTree& tree,
                                      const std::vector<std::size_t>& segments) {
    std::vector<bool> wanted(tree.Size(), false);
    for (const std::size_t segment : segments) {
        if (segment < tree.Size()) {
            wanted[segment] = true;
        }
    }
    // Depth first from the source with a stack of our own: a deep chain needs no recursion.
    std::vector<std::size_t> ordered;
    std::vector<std::size_t> stack(tree.Roots().rbegin(), tree.Roots().rend());
    while (!stack.empty()) {
        const std::size_t segment = stack.back();
        stack.pop_back();
        if (wanted[segment]) {
            ordered.push_back(segment);
        }
        const auto children = tree.Children(segment);
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    return ordered;
}

std::string RowsAsTabSeparated(const circuit::Circuit& circuit, const circuit::Solution& solution,
                               const std::vector<std::size_t>& segments) {
    std::string lines;
    for (std::size_t column = 0; column < columns::kSegmentColumns; ++column) {
        if (column > 0) {
            lines += '\t';
        }
        lines += text::TabSeparatedCell(columns::SegmentColumns()[column].caption);
    }
    lines += '\n';
    for (const std::size_t segment : segments) {
        for (std::size_t column = 0; column < columns::kSegmentColumns; ++column) {
            if (column > 0) {
                lines += '\t';
            }
            lines += text::TabSeparatedCell(columns::SegmentCell(
                circuit, solution, segment, static_cast<columns::SegmentColumn>(column)));
        }
        lines += '\n';
    }
    return lines;
}

std::string RowsAsHtmlTable(const circuit::Circuit& circuit, const circuit::Solution& solution,
                            const std::vector<std::size_t>& segments) {
    std::string html = "<table>\n<tr>";
    for (const columns::ColumnInfo& info : columns::SegmentColumns()) {
        html += "<th>" + text::EscapeHtml(info.caption) + "</th>";
    }
    html += "</tr>\n";
    for (const std::size_t segment : segments) {
        html += "<tr>";
        for (std::size_t column = 0; column < columns::kSegmentColumns; ++column) {
            const bool figure = columns::SegmentColumns()[column].decimals >= 0;
            html += std::string(figure ? "<td align=\"right\">" : "<td>") +
                    text::EscapeHtml(columns::SegmentCell(
                        circuit, solution, segment, static_cast<columns::SegmentColumn>(column))) +
                    "</td>";
        }
        html += "</tr>\n";
    }
    html += "</table>\n";
    return html;
}

}  // namespace idrovela::sheet
