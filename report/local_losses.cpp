#include "report/local_losses.h"

#include "circuit/fittings.h"
#include "text/figures.h"

namespace idrovela::report {

namespace {

constexpr const char* kNone = "–";
// ζ and Kv are read from the file unrounded; 4 decimals show every value a hand writes.
constexpr int kGivenDecimals = 4;
constexpr int kLossDecimals = 1;

}  // namespace

std::vector<LocalLossLine> LocalLossLines(const circuit::Circuit& circuit,
                                          const circuit::Solution& solution) {
    std::vector<LocalLossLine> lines;
    const double rho = solution.fluid.properties.densityKgM3;
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        const circuit::Segment& segment = circuit.segments[i];
        const circuit::SegmentResult& result = solution.segments[i];
        for (const circuit::Fitting& fitting : segment.fittings) {
            LocalLossLine line;
            line.segment = i;
            const circuit::FittingType* type =
                fitting.key.empty() ? nullptr : circuit::FindFitting(fitting.key);
            line.type = fitting.key.empty() ? std::string(kCustomZetaType) : fitting.key;
            line.description = type != nullptr ? std::string(type->name) : fitting.description;
            line.zeta = type != nullptr ? type->zeta : fitting.zeta;
            line.count = fitting.count;
            // The engine's own sum over one line: numero·ζ, then times ρ·w²/2.
            line.lossPa =
                circuit::LocalLossesAt({fitting}, {}, result.flowLph, result.velocityMs, rho)
                    .localPa;
            lines.push_back(std::move(line));
        }
        for (const circuit::Valve& valve : segment.valves) {
            LocalLossLine line;
            line.segment = i;
            line.type = kValveType;
            line.description = valve.description;
            line.kv = valve.kv;
            line.lossPa = circuit::KvLossPa(result.flowLph, valve.kv, rho);
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

const std::array<columns::ColumnInfo, kLocalLossColumns>& LocalLossColumns() {
    static constexpr std::array<columns::ColumnInfo, kLocalLossColumns> kColumns = {{
        {"id", "id", "", -1},
        {"tipo", "tipo", "", -1},
        {"descrizione", "descrizione", "", -1},
        {"ζ", "ζ", "", kGivenDecimals},
        {"numero", "numero", "", 0},
        {"Kv", "Kv", "m³/h", kGivenDecimals},
        {"Δp [Pa]", "Δp", "Pa", kLossDecimals},
    }};
    return kColumns;
}

std::array<std::string, kLocalLossColumns> LocalLossCells(const circuit::Circuit& circuit,
                                                          const LocalLossLine& line) {
    const auto given = [](const std::optional<double>& value) {
        return value ? text::Shown(*value, kGivenDecimals) : std::string(kNone);
    };
    return {circuit.segments[line.segment].id,
            line.type,
            line.description,
            given(line.zeta),
            line.count ? std::to_string(*line.count) : std::string(kNone),
            given(line.kv),
            text::Fixed(line.lossPa, kLossDecimals)};
}

}  // namespace idrovela::report
