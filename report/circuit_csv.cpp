#include "report/circuit_csv.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "circuit/write.h"
#include "columns/columns.h"
#include "report/local_losses.h"
#include "text/csv_cell.h"
#include "text/figures.h"

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

constexpr double kLitresPerCubicMetre = 1000.0;
constexpr double kPascalPerKilopascal = 1000.0;

// The pump's lines, a figure a row with its unit: the flow in l/h and m³/h, the head in Pa, kPa
// and metres of the fluid, each margin's duty, and the index circuit with its path.
void AppendPump(std::string& csv, const circuit::Circuit& circuit,
                const circuit::Solution& solution) {
    const circuit::PumpDuty& pump = solution.pump;
    const auto flow = [&csv](const std::string& name, double lph) {
        AppendRow(csv, std::array{name, columns::FixedFigure(lph, 0), std::string("l/h")});
        AppendRow(csv, std::array{name, columns::FixedFigure(lph / kLitresPerCubicMetre, 3),
                                  std::string("m³/h")});
    };
    const auto head = [&csv](const std::string& name, double pa, double m) {
        AppendRow(csv, std::array{name, columns::FixedFigure(pa, 0), std::string("Pa")});
        AppendRow(csv, std::array{name, columns::FixedFigure(pa / kPascalPerKilopascal, 2),
                                  std::string("kPa")});
        AppendRow(csv, std::array{name, columns::FixedFigure(m, 2),
                                  std::string("m di colonna del fluido")});
    };
    csv += "\nPompa\n";
    AppendRow(csv, std::array{"voce", "valore", "unità"});
    flow("portata", pump.flowLph);
    head("prevalenza", pump.headPa, pump.headM);
    if (pump.flowWithMarginLph) {
        flow("portata con il margine del " + text::Shown(circuit.margins.flowPercent, 2) + " %",
             *pump.flowWithMarginLph);
    }
    if (pump.headWithMarginPa) {
        head("prevalenza con il margine del " + text::Shown(circuit.margins.headPercent, 2) + " %",
             *pump.headWithMarginPa, *pump.headWithMarginM);
    }
    std::string index = "–";
    std::string path = "–";
    if (solution.index) {
        index = circuit.segments[*solution.index].id;
        path.clear();
        for (const std::size_t i : solution.indexPath) {
            path += (path.empty() ? "" : " → ") + circuit.segments[i].id;
        }
    }
    AppendRow(csv, std::array{std::string("circuito indice"), index, std::string()});
    AppendRow(csv, std::array{std::string("percorso del circuito indice"), path, std::string()});
}

}  // namespace

std::string CircuitCsv(const circuit::Circuit& circuit, const circuit::Solution& solution) {
    std::string csv = kByteOrderMark;
    csv += "Tratti\n";
    // The sheet's columns, with the segment upstream after the id.
    std::vector<std::string_view> captions;
    for (const columns::ColumnInfo& column : columns::SegmentColumns()) {
        captions.push_back(column.caption);
    }
    captions.insert(captions.begin() + 1, columns::UpstreamColumn().caption);
    AppendRow(csv, captions);
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        cells.clear();
        for (std::size_t c = 0; c < columns::kSegmentColumns; ++c) {
            cells.push_back(
                columns::SegmentCell(circuit, solution, i, static_cast<columns::SegmentColumn>(c)));
        }
        cells.insert(cells.begin() + 1, columns::UpstreamCell(circuit, i));
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

    csv += "\nAccidenti e valvole\n";
    captions.clear();
    for (const columns::ColumnInfo& column : LocalLossColumns()) {
        captions.push_back(column.caption);
    }
    AppendRow(csv, captions);
    for (const LocalLossLine& line : LocalLossLines(circuit, solution)) {
        AppendRow(csv, LocalLossCells(circuit, line));
    }

    AppendPump(csv, circuit, solution);
    return csv;
}

void SaveCircuitCsv(const std::filesystem::path& path, const circuit::Circuit& circuit,
                    const circuit::Solution& solution) {
    circuit::WriteFileAtomically(path, CircuitCsv(circuit, solution));
}

}  // namespace idrovela::report
