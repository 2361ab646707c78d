#include "sheet/window_texts.h"

#include "circuit/messages.h"
#include "columns/columns.h"
#include "columns/duty_texts.h"
#include "sheet/input.h"
#include "text/path_text.h"
#include "text/quoted.h"
#include "text/utf8.h"

namespace idrovela::sheet {

std::string DocumentName(const std::optional<std::filesystem::path>& file) {
    if (!file || file->filename().empty()) {
        return "Senza nome";
    }
    const std::filesystem::path name = file->filename();
    return text::Utf8OfPath(name.extension() == kExtension ? name.stem() : name);
}

std::string WindowTitle(const std::optional<std::filesystem::path>& file, bool modified) {
    return DocumentName(file) + (modified ? "*" : "") + " – Circuito";
}

std::string SaveQuestion(const std::optional<std::filesystem::path>& file) {
    return "Salvare le modifiche a " + text::Quoted(DocumentName(file)) + "?";
}

std::string SuggestedFileName(std::string_view projectName) {
    // Whole characters only, within what a file name holds with the extension.
    constexpr std::size_t kLongestName = 200;
    std::string name;
    for (std::size_t at = 0; at < projectName.size();) {
        const text::Utf8Step step = text::Utf8At(projectName, at, text::Utf8Reading::Strict);
        const std::string_view bytes = projectName.substr(at, step.length);
        at += step.length;
        const bool refused =
            !step.character || text::IsControl(step.codePoint) ||
            std::string_view("/\\:*?\"<>|").find(bytes.front()) != std::string_view::npos;
        if (name.size() + bytes.size() > kLongestName) {
            break;
        }
        name += refused ? std::string_view("_") : bytes;
    }
    // A name that starts with a dot is hidden, and one that ends with a dot or a space is not
    // kept as written everywhere.
    const std::size_t first = name.find_first_not_of(" .");
    if (first == std::string::npos) {
        return DocumentName(std::nullopt) + std::string(kExtension);
    }
    return name.substr(first, name.find_last_not_of(" .") - first + 1) + std::string(kExtension);
}

std::filesystem::path WithExtension(std::filesystem::path path) {
    if (path.extension() != kExtension) {
        path += kExtension;
    }
    return path;
}

std::vector<Line> TerminalLines(const circuit::Circuit& circuit, const circuit::Solution& solution,
                                std::size_t segment) {
    const circuit::SegmentResult& result = solution.segments[segment];
    if (!result.terminal || !circuit.segments[segment].terminal) {
        return {};
    }
    const circuit::Terminal& given = *circuit.segments[segment].terminal;
    const auto cell = [&](columns::TerminalColumn column) {
        const columns::ColumnInfo& info = columns::Info(column);
        const std::string text = columns::TerminalCell(circuit, solution, segment, column);
        return info.unit.empty() || text == "–" ? text : text + ' ' + std::string(info.unit);
    };
    std::vector<Line> lines;
    lines.push_back(
        {given.load == circuit::Terminal::Load::Power ? "Carico" : "Carico (dalla portata)",
         cell(columns::TerminalColumn::Carico)});
    lines.push_back(
        {given.load == circuit::Terminal::Load::Flow ? "Portata" : "Portata (dal carico)",
         cell(columns::TerminalColumn::Portata)});
    lines.push_back({"Δp percorso", cell(columns::TerminalColumn::DpPercorso)});
    lines.push_back({"Δp apparecchio", cell(columns::TerminalColumn::DpApparecchio)});
    lines.push_back({"Δp totale", cell(columns::TerminalColumn::DpTotale)});
    lines.push_back({"Eccedenza", cell(columns::TerminalColumn::Eccedenza)});
    std::string kv = cell(columns::TerminalColumn::Kv);
    if (solution.index == segment) {
        kv += " (circuito indice: nessuna valvola da tarare)";
    } else if (result.terminal->flowLph == 0.0) {
        kv += " (senza portata)";
    }
    lines.push_back({"Kv di bilanciamento", kv});
    return lines;
}

std::vector<Line> PumpLines(const circuit::Circuit& circuit, const circuit::Solution& solution) {
    const circuit::PumpDuty& pump = solution.pump;
    std::vector<Line> lines;
    lines.push_back({"Portata della pompa", columns::FlowText(pump.flowLph)});
    lines.push_back(
        {"Prevalenza", columns::HeadText(pump.headPa, pump.headM, columns::HeadForm::Short)});
    std::string path;
    for (const std::size_t segment : solution.indexPath) {
        path += (path.empty() ? "" : " → ") + circuit.segments[segment].id;
    }
    lines.push_back({"Circuito indice", path.empty() ? std::string("–") : path});
    if (pump.flowWithMarginLph) {
        lines.push_back({"Portata con margine del " +
                             columns::FixedFigure(circuit.margins.flowPercent, 1) + " %",
                         columns::FlowText(*pump.flowWithMarginLph)});
    }
    if (pump.headWithMarginPa && pump.headWithMarginM) {
        lines.push_back({"Prevalenza con margine del " +
                             columns::FixedFigure(circuit.margins.headPercent, 1) + " %",
                         columns::HeadText(*pump.headWithMarginPa, *pump.headWithMarginM,
                                           columns::HeadForm::Short)});
    }
    return lines;
}

std::string TubeCellText(const catalogues::Catalogue& catalogue, const circuit::Segment& segment,
                         const circuit::SegmentResult& result) {
    std::string text = SeriesLabel(catalogue, segment.tube.series) + ' ' + result.designation;
    if (segment.tube.automatic) {
        text += " (automatico)";
    }
    return text;
}

std::string WarningLine(const circuit::Circuit& circuit, const circuit::Warning& warning) {
    return text::Quoted(circuit.segments[warning.segment].id) + " — " + warning.text;
}

circuit::LocalLosses LocalLossesOf(const circuit::Solution& solution, std::size_t segment,
                                   const std::vector<circuit::Fitting>& fittings,
                                   const std::vector<circuit::Valve>& valves) {
    const circuit::SegmentResult& result = solution.segments[segment];
    return circuit::LocalLossesAt(fittings, valves, result.flowLph, result.velocityMs,
                                  solution.fluid.properties.densityKgM3);
}

}  // namespace idrovela::sheet
