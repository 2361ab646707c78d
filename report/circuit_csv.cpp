#include "report/circuit_csv.h"

#include <string_view>
#include <vector>

#include "circuit/write.h"
#include "columns/columns.h"
#include "text/csv_cell.h"

namespace idrovela::report {

namespace {

// The byte order mark tells a spreadsheet that the file is UTF-8, where it would otherwise read
// it in the system's own code page and garble "Φ", "Δp" and "m³/h".
constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

template <typename Cells>
void AppendRow(std::string& csv, const Cells& cells) {
    bool first = true;
    for (const auto& cell : cells) {
        if (!first) {
            csv += ';';
        }
        first = false;
        csv += text::CsvCell(cell);
    }
    csv += '\n';
}

}  // namespace

std::string CircuitCsv(const circuit::Circuit& circuit, const circuit::Solution& solution) {
    std::string csv = kByteOrderMark;
    csv += "Tratti\n";
    std::vector<std::string_view> captions;
    for (const columns::ColumnInfo& column : columns::SegmentColumns()) {
        captions.push_back(column.caption);
    }
    AppendRow(csv, captions);
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        cells.clear();
        for (std::size_t c = 0; c < columns::kSegmentColumns; ++c) {
            cells.push_back(
                columns::SegmentCell(circuit, solution, i, static_cast<columns::SegmentColumn>(c)));
        }
        AppendRow(csv, cells);
    }

    csv += "\nTerminali\n";
    captions.clear();
    for (const columns::ColumnInfo& column : columns::TerminalColumns()) {
        captions.push_back(column.caption);
    }
    AppendRow(csv, captions);
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        if (!solution.segments[i].terminal) {
            continue;
        }
        cells.clear();
        for (std::size_t c = 0; c < columns::kTerminalColumns; ++c) {
            cells.push_back(columns::TerminalCell(circuit, solution, i,
                                                  static_cast<columns::TerminalColumn>(c)));
        }
        AppendRow(csv, cells);
    }
    return csv;
}

void SaveCircuitCsv(const std::filesystem::path& path, const circuit::Circuit& circuit,
                    const circuit::Solution& solution) {
    circuit::WriteFileAtomically(path, CircuitCsv(circuit, solution));
}

}  // namespace idrovela::report
