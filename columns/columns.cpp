#include "columns/columns.h"

#include "text/figures.h"

namespace idrovela::columns {

namespace {

constexpr std::string_view kNone = "–";

}  // namespace

const std::array<ColumnInfo, kSegmentColumns>& SegmentColumns() {
    static constexpr std::array<ColumnInfo, kSegmentColumns> kColumns = {{
        {"id", "id", "", -1},
        {"descrizione", "descrizione", "", -1},
        {"Φ [W]", "Φ", "W", 0},
        {"tubo", "tubo", "", -1},
        {"l (mandata+ritorno) [m]", "l", "m", 2},
        {"G [l/h]", "G", "l/h", 0},
        {"d_i [mm]", "d_i", "mm", 1},
        {"w [m/s]", "w", "m/s", 2},
        {"R [Pa/m]", "R", "Pa/m", 1},
        {"R·l [Pa]", "R·l", "Pa", 0},
        {"Σζ", "Σζ", "", 2},
        {"Z [Pa]", "Z", "Pa", 0},
        {"valvole [Pa]", "valvole", "Pa", 0},
        {"Δp tratto [Pa]", "Δp tratto", "Pa", 0},
        {"Δp percorso [Pa]", "Δp percorso", "Pa", 0},
    }};
    return kColumns;
}

const std::array<ColumnInfo, kTerminalColumns>& TerminalColumns() {
    static constexpr std::array<ColumnInfo, kTerminalColumns> kColumns = {{
        {"id", "id", "", -1},
        {"descrizione", "descrizione", "", -1},
        {"Φ [W]", "Φ", "W", 0},
        {"G [l/h]", "G", "l/h", 0},
        {"Δp percorso [Pa]", "Δp percorso", "Pa", 0},
        {"Δp apparecchio [Pa]", "Δp apparecchio", "Pa", 0},
        {"Δp totale [Pa]", "Δp totale", "Pa", 0},
        {"eccedenza [Pa]", "eccedenza", "Pa", 0},
        {"Kv di bilanciamento [m³/h]", "Kv", "m³/h", 2},
    }};
    return kColumns;
}

const ColumnInfo& Info(SegmentColumn column) {
    return SegmentColumns()[static_cast<std::size_t>(column)];
}

const ColumnInfo& Info(TerminalColumn column) {
    return TerminalColumns()[static_cast<std::size_t>(column)];
}

std::string_view Help(SegmentColumn column) {
    switch (column) {
        case SegmentColumn::Id:
            return "L'id del tratto; ▶ segna i tratti del circuito indice";
        case SegmentColumn::Descrizione:
            return "Una descrizione libera del tratto";
        case SegmentColumn::Carico:
            return "Il carico termico di tutti i terminali a valle";
        case SegmentColumn::Tubo:
            return "Serie e tubo; «automatico» sceglie il primo tubo della serie entro i limiti";
        case SegmentColumn::Lunghezza:
            return "La lunghezza del tratto, mandata e ritorno insieme";
        case SegmentColumn::Portata:
            return "La portata del tratto";
        case SegmentColumn::Diametro:
            return "Il diametro interno del tubo";
        case SegmentColumn::Velocita:
            return "La velocità media nel tubo";
        case SegmentColumn::R:
            return "La perdita di carico continua per metro";
        case SegmentColumn::RL:
            return "La perdita continua del tratto";
        case SegmentColumn::Zeta:
            return "La somma dei coefficienti delle perdite localizzate";
        case SegmentColumn::Z:
            return "La perdita localizzata del tratto";
        case SegmentColumn::Valvole:
            return "La perdita delle valvole del tratto";
        case SegmentColumn::DpTratto:
            return "La perdita totale del tratto";
        case SegmentColumn::DpPercorso:
            return "La perdita dalla sorgente alla fine del tratto";
    }
    return "";
}

std::string FixedFigure(double value, int decimals) {
    return text::Fixed(value, decimals);
}

std::optional<double> SegmentValue(const circuit::Circuit& circuit,
                                   const circuit::Solution& solution, std::size_t segment,
                                   SegmentColumn column) {
    const circuit::SegmentResult& result = solution.segments[segment];
    switch (column) {
        case SegmentColumn::Carico:
            return result.loadW;
        case SegmentColumn::Lunghezza:
            return circuit.segments[segment].lengthM;
        case SegmentColumn::Portata:
            return result.flowLph;
        case SegmentColumn::Diametro:
            return result.innerMm;
        case SegmentColumn::Velocita:
            return result.velocityMs;
        case SegmentColumn::R:
            return result.flow.pascalPerMetre;
        case SegmentColumn::RL:
            return result.frictionPa;
        case SegmentColumn::Zeta:
            return result.zeta;
        case SegmentColumn::Z:
            return result.localPa;
        case SegmentColumn::Valvole:
            return result.valvesPa;
        case SegmentColumn::DpTratto:
            return result.dpPa;
        case SegmentColumn::DpPercorso:
            return result.pathPa;
        case SegmentColumn::Id:
        case SegmentColumn::Descrizione:
        case SegmentColumn::Tubo:
            break;
    }
    return std::nullopt;
}

std::optional<double> TerminalValue(const circuit::Solution& solution, std::size_t segment,
                                    TerminalColumn column) {
    const circuit::SegmentResult& result = solution.segments[segment];
    if (!result.terminal) {
        return std::nullopt;
    }
    const circuit::TerminalResult& terminal = *result.terminal;
    switch (column) {
        case TerminalColumn::Carico:
            return terminal.loadW;
        case TerminalColumn::Portata:
            return terminal.flowLph;
        case TerminalColumn::DpPercorso:
            return result.pathPa;
        case TerminalColumn::DpApparecchio:
            return terminal.deviceDpPa;
        case TerminalColumn::DpTotale:
            return terminal.totalPa;
        case TerminalColumn::Eccedenza:
            return terminal.excessPa;
        case TerminalColumn::Kv:
            return terminal.kv;
        case TerminalColumn::Id:
        case TerminalColumn::Descrizione:
            break;
    }
    return std::nullopt;
}

const ColumnInfo& UpstreamColumn() {
    static constexpr ColumnInfo kColumn = {"a monte", "a monte", "", -1};
    return kColumn;
}

std::string UpstreamCell(const circuit::Circuit& circuit, std::size_t segment) {
    return circuit.segments[segment].upstream.value_or(std::string());
}

std::string TubeText(const circuit::Segment& segment, const circuit::SegmentResult& result) {
    std::string text = segment.tube.series + ' ' + result.designation;
    if (segment.tube.automatic) {
        text += " (automatico)";
    }
    return text;
}

std::string SegmentCell(const circuit::Circuit& circuit, const circuit::Solution& solution,
                        std::size_t segment, SegmentColumn column) {
    switch (column) {
        case SegmentColumn::Id:
            return circuit.segments[segment].id;
        case SegmentColumn::Descrizione:
            return circuit.segments[segment].description;
        case SegmentColumn::Tubo:
            return TubeText(circuit.segments[segment], solution.segments[segment]);
        default:
            break;
    }
    const std::optional<double> value = SegmentValue(circuit, solution, segment, column);
    return value ? FixedFigure(*value, Info(column).decimals) : std::string(kNone);
}

std::string TerminalCell(const circuit::Circuit& circuit, const circuit::Solution& solution,
                         std::size_t segment, TerminalColumn column) {
    switch (column) {
        case TerminalColumn::Id:
            return circuit.segments[segment].id;
        case TerminalColumn::Descrizione:
            return circuit.segments[segment].terminal
                       ? circuit.segments[segment].terminal->description
                       : std::string();
        default:
            break;
    }
    const std::optional<double> value = TerminalValue(solution, segment, column);
    return value ? FixedFigure(*value, Info(column).decimals) : std::string(kNone);
}

}  // namespace idrovela::columns
