#include "report/emitter_lines.h"

#include "text/figures.h"

namespace idrovela::report {

namespace {

constexpr const char* kNone = "–";
constexpr int kTemperatureDecimals = 1;
constexpr int kPowerDecimals = 0;
constexpr int kVolumeDecimals = 1;
constexpr int kPressureDecimals = 2;

std::string Optional(const std::optional<double>& value, int decimals) {
    return value ? columns::FixedFigure(*value, decimals) : std::string(kNone);
}

}  // namespace

const std::array<columns::ColumnInfo, kEmitterColumns>& EmitterColumns() {
    static constexpr std::array<columns::ColumnInfo, kEmitterColumns> kColumns = {{
        {"id", "id", "", -1},
        {"emettitore", "emettitore", "", -1},
        {"Φ [W]", "Φ", "W", kPowerDecimals},
        {"resa [W]", "resa", "W", kPowerDecimals},
        {"θr [°C]", "θr", "°C", kTemperatureDecimals},
        {"Δθ [K]", "Δθ", "K", kTemperatureDecimals},
        {"G [l/h]", "G", "l/h", 0},
        {"margine [%]", "margine", "%", kTemperatureDecimals},
    }};
    return kColumns;
}

std::string EmitterName(const circuit::Emitter& emitter) {
    if (!emitter.model.empty()) {
        return emitter.model + " × " + std::to_string(emitter.sections) +
               (emitter.sections == 1 ? " elemento" : " elementi");
    }
    return "Φn " + text::Shown(emitter.nominalW, 1) + " W, n " + text::Shown(emitter.exponent, 3);
}

std::vector<std::array<std::string, kEmitterColumns>> EmitterRows(
    const circuit::Circuit& circuit, const circuit::Solution& solution) {
    std::vector<std::array<std::string, kEmitterColumns>> rows;
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        const circuit::Segment& segment = circuit.segments[i];
        const std::optional<circuit::TerminalResult>& terminal = solution.segments[i].terminal;
        if (!segment.terminal || !segment.terminal->emitter || !terminal || !terminal->emitter) {
            continue;
        }
        const circuit::EmitterResult& emitter = *terminal->emitter;
        rows.push_back({segment.id, EmitterName(*segment.terminal->emitter),
                        columns::FixedFigure(terminal->loadW, kPowerDecimals),
                        columns::FixedFigure(emitter.outputW, kPowerDecimals),
                        Optional(emitter.returnC, kTemperatureDecimals),
                        Optional(emitter.coolingK, kTemperatureDecimals),
                        columns::FixedFigure(terminal->flowLph, 0),
                        Optional(emitter.marginPercent, kTemperatureDecimals)});
    }
    return rows;
}

std::vector<PlantFact> PlantFacts(const circuit::Circuit& circuit,
                                  const circuit::Solution& solution) {
    std::vector<PlantFact> facts;
    const auto figure = [&facts](std::string caption, double value, int decimals,
                                 std::string unit) {
        facts.push_back(
            {std::move(caption), columns::FixedFigure(value, decimals), std::move(unit)});
    };
    if (solution.lowestSupply) {
        const circuit::LowestSupply& lowest = *solution.lowestSupply;
        figure("mandata minima", lowest.supplyC, 2, "°C");
        facts.push_back({"terminale che la fissa", circuit.segments[lowest.segment].id, ""});
        figure("salto minimo degli emettitori", lowest.minimumDropK, 2, "K");
    }
    const circuit::WaterVolume& water = solution.water;
    figure("contenuto d'acqua dei tubi", water.pipesL, kVolumeDecimals, "l");
    figure("contenuto d'acqua degli emettitori", water.emittersL, kVolumeDecimals, "l");
    figure("contenuto d'acqua del generatore", water.generatorL, kVolumeDecimals, "l");
    figure("altro contenuto d'acqua", water.otherL, kVolumeDecimals, "l");
    figure("contenuto d'acqua dell'impianto Vs", water.totalL, kVolumeDecimals, "l");
    if (solution.vessel) {
        const circuit::VesselSizing& vessel = *solution.vessel;
        figure("temperatura massima θmax", vessel.maximumC, 1, "°C");
        figure("volume di espansione Ve", vessel.expansionL, 2, "l");
        figure("riserva d'acqua VWR", vessel.reserveL, 2, "l");
        figure("precarica del vaso p0", vessel.prechargeBar, kPressureDecimals, "bar");
        figure("pressione finale pe", vessel.finalBar, kPressureDecimals, "bar");
        figure("volume nominale del vaso Vn", vessel.nominalL, kVolumeDecimals, "l");
    }
    return facts;
}

std::string EmitterModelText() {
    return "La resa di un emettitore è Φ = Φn·(ΔTln/ΔTln,n)^n, con la differenza di temperatura "
           "media logaritmica ΔTln = (θf − θr)/ln((θf − θi)/(θr − θi)) riferita a quella della "
           "prova normalizzata 75/65/20 °C, ΔTln,n = 10/ln(55/45) = 49,83 K, alla quale i "
           "cataloghi danno Φn. Si usa la media logaritmica e non quella aritmetica perché "
           "questa sopravvaluta la resa quando il ritorno si avvicina alla temperatura "
           "ambiente, come accade alle basse temperature di mandata. θr è il ritorno al quale "
           "l'emettitore dà il carico alla mandata del circuito, la sua portata "
           "V̇ = Φ/(c_p·(θf − θr))/ρ; la resa è quella di progetto, il margine è la resa alla "
           "mandata e al ritorno del circuito rispetto al carico.";
}

std::string VesselText() {
    return "Vaso di espansione chiuso nella forma della EN 12828, appendice D, pressioni in bar "
           "relativi: Ve = (ρ(10 °C)/ρ(θmax) − 1)·Vs, VWR = max(0,005·Vs; 3 l), "
           "p0 = ρ(10 °C)·g·h/10⁵ + 0,2, pe = psv − max(0,5; 0,1·psv), "
           "Vn = (Ve + VWR)·(pe + 1)/(pe − p0); le densità sono quelle del fluido del circuito.";
}

}  // namespace idrovela::report
