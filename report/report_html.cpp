#include "report/report_html.h"

#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

#include "circuit/fittings.h"
#include "columns/columns.h"
#include "columns/duty_texts.h"
#include "report/formulas.h"
#include "report/local_losses.h"
#include "report/schematic_pages.h"
#include "report/system_curve.h"
#include "text/figures.h"
#include "text/html.h"

namespace idrovela::report {

namespace {

using text::EscapeHtml;
using text::Fixed;
using text::Shown;

// The points of the system curve the report tabulates: every quarter of the design flow.
constexpr std::size_t kCurveRows = 7;

std::string Html(std::string_view text) {
    return EscapeHtml(text);
}

// A table cell; figures go right, so that their digits line up.
std::string Cell(std::string_view tag, std::string_view text, bool figure) {
    std::string cell = "<";
    cell += tag;
    cell += figure ? " align=\"right\">" : " align=\"left\">";
    cell += Html(text);
    cell += "</";
    cell += tag;
    cell += '>';
    return cell;
}

// A two-column table of captions and values, without borders.
class Facts {
  public:
    void Add(std::string_view caption, std::string_view value) {
        rows_ += "<tr><td>" + Html(caption) + "</td><td width=\"12\"></td><td>" + Html(value) +
                 "</td></tr>\n";
    }
    [[nodiscard]] std::string Table() const {
        return "<table cellspacing=\"0\" cellpadding=\"1\">\n" + rows_ + "</table>\n";
    }

  private:
    std::string rows_;
};

// "1 tratto", "3 tratti".
std::string Counted(std::size_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + ' ' + std::string(count == 1 ? one : many);
}

std::string Section(std::string_view title) {
    return "<h2>" + Html(title) + "</h2>\n";
}

std::string DataTableStart() {
    return "<table class=\"dati\" width=\"100%\" border=\"1\" cellspacing=\"0\" "
           "cellpadding=\"2\">\n";
}

// The captions and the units under them, both repeated on every page.
template <typename Columns>
std::string TableHead(const Columns& columns) {
    std::string names = "<tr>";
    std::string units = "<tr>";
    for (const columns::ColumnInfo& column : columns) {
        const bool figure = column.decimals >= 0;
        names += Cell("th", column.name, figure);
        units += Cell("th", column.unit, figure);
    }
    return "<thead>" + names + "</tr>\n" + units + "</tr>\n</thead>\n";
}

std::string Header(const circuit::Circuit& circuit, const ReportHeader& header) {
    std::string html = "<h1>Relazione di calcolo del circuito</h1>\n";
    Facts facts;
    facts.Add("Progetto", ReportTitle(circuit, header));
    facts.Add("Autore", circuit.project.author.empty() ? "–" : circuit.project.author);
    facts.Add("Data", header.date);
    facts.Add("Programma", "Idrovela " + header.version);
    if (!header.fileName.empty()) {
        facts.Add("File", header.fileName);
    }
    if (!circuit.project.notes.empty()) {
        facts.Add("Note", circuit.project.notes);
    }
    return html + facts.Table();
}

std::string FluidSection(const circuit::Circuit& circuit, const circuit::Solution& solution) {
    const circuit::Fluid& fluid = circuit.fluid;
    const physics::FluidProperties& p = solution.fluid.properties;
    Facts facts;
    facts.Add("Fluido", FluidName(fluid));
    facts.Add("Mandata", Shown(fluid.supplyC, 2) + " °C");
    facts.Add("Ritorno", Shown(fluid.returnC, 2) + " °C");
    facts.Add("Temperatura media", Shown(solution.fluid.meanC, 2) + " °C");
    facts.Add("Salto termico Δθ", Shown(solution.fluid.deltaK, 2) + " K");
    facts.Add("Densità ρ", Fixed(p.densityKgM3, 1) + " kg/m³");
    facts.Add("Viscosità dinamica μ", Fixed(p.viscosityMPaS, 4) + " mPa·s");
    facts.Add("Calore specifico c_p", Fixed(p.specificHeatJKgK / 1000.0, 3) + " kJ/(kg·K)");
    return Section("Fluido") + "<p>Proprietà alla temperatura media.</p>\n" + facts.Table();
}

std::string LimitsSection(const circuit::Circuit& circuit) {
    Facts facts;
    facts.Add("Limite di perdita dei tubi automatici",
              Shown(circuit.limits.pascalPerMetre, 4) + " Pa/m");
    facts.Add("Limite di velocità dei tubi automatici",
              Shown(circuit.limits.velocityMs, 4) + " m/s");
    facts.Add("Margine sulla portata della pompa", Shown(circuit.margins.flowPercent, 2) + " %");
    facts.Add("Margine sulla prevalenza della pompa", Shown(circuit.margins.headPercent, 2) + " %");
    return Section("Limiti e margini") + facts.Table();
}

std::string SegmentTable(const circuit::Circuit& circuit, const circuit::Solution& solution) {
    std::string html = Section("Tratti");
    if (circuit.segments.empty()) {
        return html + "<p>Il circuito non ha tratti.</p>\n";
    }
    html += "<p>" + Counted(circuit.segments.size(), "tratto", "tratti") +
            ", nell'ordine del file; ▶ segna quelli del circuito indice; «a monte» è il tratto da "
            "cui ciascuno parte, vuoto per quelli che partono dalla sorgente.</p>\n";
    std::vector<bool> onIndexPath(circuit.segments.size(), false);
    for (const std::size_t i : solution.indexPath) {
        onIndexPath[i] = true;
    }
    // The sheet's columns, with the segment upstream after the id: the tree a reader rebuilds.
    std::vector<columns::ColumnInfo> heads(columns::SegmentColumns().begin(),
                                           columns::SegmentColumns().end());
    heads.insert(heads.begin() + 1, columns::UpstreamColumn());
    html += DataTableStart() + TableHead(heads);
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        html += "<tr>";
        for (std::size_t c = 0; c < columns::kSegmentColumns; ++c) {
            const auto column = static_cast<columns::SegmentColumn>(c);
            std::string text = columns::SegmentCell(circuit, solution, i, column);
            if (column == columns::SegmentColumn::Id && onIndexPath[i]) {
                text = "▶ " + text;
            }
            html += Cell("td", text, columns::Info(column).decimals >= 0);
            if (column == columns::SegmentColumn::Id) {
                html += Cell("td", columns::UpstreamCell(circuit, i), false);
            }
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

std::string TerminalTable(const circuit::Circuit& circuit, const circuit::Solution& solution) {
    std::string html = Section("Terminali");
    if (solution.terminals == 0) {
        return html + "<p>Il circuito non ha terminali.</p>\n";
    }
    html += "<p>" + Counted(solution.terminals, "terminale", "terminali") +
            ". L'eccedenza è ciò che la valvola di bilanciamento deve strozzare; il suo Kv è alla "
            "portata del terminale.</p>\n";
    html += DataTableStart() + TableHead(columns::TerminalColumns());
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        if (!solution.segments[i].terminal) {
            continue;
        }
        html += "<tr>";
        for (std::size_t c = 0; c < columns::kTerminalColumns; ++c) {
            const auto column = static_cast<columns::TerminalColumn>(c);
            std::string text = columns::TerminalCell(circuit, solution, i, column);
            if (column == columns::TerminalColumn::Id && solution.index == i) {
                text = "▶ " + text;
            }
            html += Cell("td", text, columns::Info(column).decimals >= 0);
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

// Every fitting and valve with what it loses, after the terminals: a segment's lines add up to
// its Z and valve columns.
std::string LocalLossSection(const circuit::Circuit& circuit, const circuit::Solution& solution) {
    std::string html = Section("Accidenti e valvole");
    const std::vector<LocalLossLine> lines = LocalLossLines(circuit, solution);
    if (lines.empty()) {
        return html + "<p>Il circuito non ha né accidenti né valvole.</p>\n";
    }
    html +=
        "<p>Ogni accidente e ogni valvola, con la perdita alla portata del suo tratto: "
        "numero·ζ·ρ·w²/2 per un accidente, (ρ/1000)·(V̇/Kv)²·10⁵ per una valvola. Per ogni "
        "tratto la somma degli accidenti dà Z, quella delle valvole la colonna valvole. Il tipo "
        "è la chiave della libreria, «" +
        std::string(kCustomZetaType) + "» per un ζ dato nel circuito, «" + std::string(kValveType) +
        "» per una valvola.</p>\n";
    html += DataTableStart() + TableHead(LocalLossColumns());
    for (const LocalLossLine& line : lines) {
        const auto cells = LocalLossCells(circuit, line);
        html += "<tr>";
        for (std::size_t c = 0; c < kLocalLossColumns; ++c) {
            html += Cell("td", cells[c], LocalLossColumns()[c].decimals >= 0);
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

std::string IndexSection(const circuit::Circuit& circuit, const circuit::Solution& solution) {
    std::string html = Section("Circuito indice");
    if (!solution.index) {
        return html +
               "<p>Nessun terminale ha portata: il circuito indice non c'è (–), e la pompa non "
               "ha né portata né prevalenza.</p>\n";
    }
    const std::size_t index = *solution.index;
    const circuit::Segment& segment = circuit.segments[index];
    std::string path;
    for (const std::size_t i : solution.indexPath) {
        path += (path.empty() ? "" : " → ") + circuit.segments[i].id;
    }
    Facts facts;
    facts.Add("Terminale", segment.id + (segment.terminal->description.empty()
                                             ? std::string()
                                             : " (" + segment.terminal->description + ")"));
    facts.Add("Percorso dalla sorgente", path);
    facts.Add("Perdita totale", Fixed(solution.segments[index].terminal->totalPa, 0) + " Pa");
    return html + facts.Table();
}

// The schematic as pictures the printer paints, one a part (PlanSchematicPages), or why not.
std::string SchematicSection(const circuit::Circuit& circuit, const circuit::Solution& solution,
                             const PageRoom& room) {
    std::string html = Section("Schema del circuito");
    if (circuit.segments.empty()) {
        return html + "<p>Il circuito non ha tratti.</p>\n";
    }
    const std::optional<SchematicPages> pages = PlanSchematicPages(circuit, solution, room);
    if (!pages) {
        return html + "<p>Lo schema non è disegnato: il circuito ha " +
               std::to_string(circuit.segments.size()) + " tratti, più dei " +
               std::to_string(kSchematicMaxSegments) +
               " che la relazione disegna. La colonna «a monte» della tabella dei tratti dà "
               "l'albero del circuito.</p>\n";
    }
    html +=
        "<p>Dalla sorgente, a sinistra: ogni tratto è una linea una colonna a destra del "
        "tratto da cui parte, con sopra l'id e il tubo e sotto il suo Δp; ogni terminale è un "
        "radiatore con la sua eccedenza. Il circuito indice è più spesso e rosso scuro, il suo "
        "terminale pieno.";
    if (pages->parts.size() > 1) {
        html += " Lo schema è diviso in " + std::to_string(pages->parts.size()) +
                " parti, da sinistra a destra e poi dall'alto in basso: le colonne contano i "
                "tratti dalla sorgente, le righe si contano dall'alto.";
    }
    html += "</p>\n";
    for (std::size_t k = 0; k < pages->parts.size(); ++k) {
        const SchematicPart& part = pages->parts[k];
        html += "<p><img src=\"" + SchematicImage(k) + "\" width=\"" +
                std::to_string(static_cast<long>(std::ceil(part.width * pages->scale))) +
                "\" height=\"" +
                std::to_string(static_cast<long>(std::ceil(part.height * pages->scale))) +
                "\"></p>\n";
    }
    return html;
}

std::string PumpSection(const circuit::Circuit& circuit, const circuit::Solution& solution) {
    const circuit::PumpDuty& pump = solution.pump;
    Facts facts;
    facts.Add("Portata", columns::FlowText(pump.flowLph));
    facts.Add("Prevalenza", columns::HeadText(pump.headPa, pump.headM, columns::HeadForm::Full));
    if (pump.flowWithMarginLph) {
        facts.Add("Portata con il margine del " + Shown(circuit.margins.flowPercent, 2) + " %",
                  columns::FlowText(*pump.flowWithMarginLph));
    }
    if (pump.headWithMarginPa) {
        facts.Add("Prevalenza con il margine del " + Shown(circuit.margins.headPercent, 2) + " %",
                  columns::HeadText(*pump.headWithMarginPa, *pump.headWithMarginM,
                                    columns::HeadForm::Full));
    }
    std::string html = Section("Pompa") + facts.Table();

    const SystemCurve curve = MakeSystemCurve(pump, kCurveRows);
    html += "<h3>Curva dell'impianto</h3>\n";
    if (!curve.points.empty()) {
        html += "<p align=\"center\"><img src=\"" + std::string(kCurveImage) + "\"></p>\n";
    }
    std::string legend;
    for (const std::string& line : curve.legend) {
        legend += (legend.empty() ? "" : "<br>") + Html(line);
    }
    html += "<p>" + legend + "</p>\n";
    if (curve.points.empty()) {
        return html;
    }
    html += "<table class=\"dati\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n<thead><tr>" +
            Cell("th", "V̇/V̇_progetto", true) + Cell("th", "V̇ [m³/h]", true) +
            Cell("th", "Δp [kPa]", true) + "</tr></thead>\n";
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        const CurvePoint& point = curve.points[i];
        html += "<tr>" + Cell("td", std::to_string(i * 25) + " %", true) +
                Cell("td", Fixed(point.flowM3h, 3), true) +
                Cell("td", Fixed(point.lossKPa, 2), true) + "</tr>\n";
    }
    return html + "</table>\n";
}

std::string FormulaSection() {
    std::string html = Section("Formule usate") + "<table cellspacing=\"0\" cellpadding=\"2\">\n";
    for (const Formula& formula : Formulas()) {
        html += "<tr><td>" + Html(formula.words) + "</td><td><i>" + Html(formula.symbols) +
                "</i></td></tr>\n";
    }
    return html + "</table>\n";
}

std::string FittingSection(const circuit::Circuit& circuit) {
    // How many of each library fitting, and the custom ones as the file gives them.
    std::map<std::string_view, std::int64_t> used;
    std::vector<std::pair<std::size_t, const circuit::Fitting*>> custom;
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        for (const circuit::Fitting& fitting : circuit.segments[i].fittings) {
            if (fitting.key.empty()) {
                custom.emplace_back(i, &fitting);
            } else {
                used[fitting.key] += fitting.count;
            }
        }
    }
    std::string html = Section("Accidenti");
    if (used.empty() && custom.empty()) {
        return html + "<p>Il circuito non ha accidenti.</p>\n";
    }
    if (!used.empty()) {
        html += "<p>Dalla libreria incorporata, ζ riferito alla velocità del tratto:</p>\n";
        html += DataTableStart() + "<thead><tr>" + Cell("th", "chiave", false) +
                Cell("th", "accidente", false) + Cell("th", "ζ", true) +
                Cell("th", "numero", true) + Cell("th", "fonte", false) + "</tr></thead>\n";
        for (const circuit::FittingType& type : circuit::FittingLibrary()) {
            const auto found = used.find(type.key);
            if (found == used.end()) {
                continue;
            }
            html += "<tr>" + Cell("td", type.key, false) + Cell("td", type.name, false) +
                    Cell("td", Fixed(type.zeta, 2), true) +
                    Cell("td", std::to_string(found->second), true) +
                    Cell("td", type.source, false) + "</tr>\n";
        }
        html += "</table>\n";
    }
    if (!custom.empty()) {
        html += "<p>Con ζ dato nel circuito:</p>\n";
        html += DataTableStart() + "<thead><tr>" + Cell("th", "tratto", false) +
                Cell("th", "descrizione", false) + Cell("th", "ζ", true) +
                Cell("th", "numero", true) + "</tr></thead>\n";
        for (const auto& [segment, fitting] : custom) {
            html += "<tr>" + Cell("td", circuit.segments[segment].id, false) +
                    Cell("td", fitting->description, false) +
                    Cell("td", Shown(fitting->zeta, 4), true) +
                    Cell("td", std::to_string(fitting->count), true) + "</tr>\n";
        }
        html += "</table>\n";
    }
    return html;
}

std::string WarningSection(const circuit::Circuit& circuit, const circuit::Solution& solution) {
    std::string html = Section("Avvisi");
    if (solution.warnings.empty()) {
        return html + "<p>Nessun avviso.</p>\n";
    }
    html += DataTableStart() + "<thead><tr>" + Cell("th", "tratto", false) +
            Cell("th", "codice", false) + Cell("th", "avviso", false) + "</tr></thead>\n";
    for (const circuit::Warning& warning : solution.warnings) {
        html += "<tr>" + Cell("td", circuit.segments[warning.segment].id, false) +
                Cell("td", circuit::WarningCodeName(warning.code), false) +
                Cell("td", warning.text, false) + "</tr>\n";
    }
    return html + "</table>\n";
}

}  // namespace

std::string FluidName(const circuit::Fluid& fluid) {
    switch (fluid.type) {
        case circuit::FluidType::Acqua:
            return "acqua";
        case circuit::FluidType::Etilenico:
            return "glicole etilenico al " + Shown(fluid.volumePercent, 2) + " % in volume";
        case circuit::FluidType::Propilenico:
            return "glicole propilenico al " + Shown(fluid.volumePercent, 2) + " % in volume";
    }
    return {};
}

std::string ReportTitle(const circuit::Circuit& circuit, const ReportHeader& header) {
    if (!circuit.project.name.empty()) {
        return circuit.project.name;
    }
    return header.fileName.empty() ? std::string("Senza nome") : header.fileName;
}

std::string SchematicImage(std::size_t part) {
    return "schema-" + std::to_string(part + 1);
}

std::string ReportHtml(const circuit::Circuit& circuit, const circuit::Solution& solution,
                       const ReportHeader& header, const PageRoom& room) {
    std::string html =
        "<html><head><style>"
        "h1 { font-size: 15pt; } h2 { font-size: 12pt; margin-top: 14px; } "
        "h3 { font-size: 10pt; } table.dati { font-size: 7pt; } th { font-weight: bold; }"
        "</style></head><body>\n";
    html += Header(circuit, header);
    html += FluidSection(circuit, solution);
    html += LimitsSection(circuit);
    html += SegmentTable(circuit, solution);
    html += TerminalTable(circuit, solution);
    html += LocalLossSection(circuit, solution);
    html += IndexSection(circuit, solution);
    html += SchematicSection(circuit, solution, room);
    html += PumpSection(circuit, solution);
    html += FormulaSection();
    html += FittingSection(circuit);
    html += WarningSection(circuit, solution);
    return html + "</body></html>\n";
}

}  // namespace idrovela::report
