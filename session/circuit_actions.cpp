#include "session/circuit_actions.h"

#include <array>
#include <charconv>
#include <ostream>

#include "circuit/write.h"
#include "report/circuit_csv.h"
#include "text/path_text.h"

namespace idrovela::session {

namespace {

// A figure for a program: the shortest text that reads back to the same double, with a dot.
std::string ShortestRoundTrip(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc{} ? std::string(buffer.data(), end) : std::string("-");
}

std::string Optional(const std::optional<double>& value) {
    return value ? ShortestRoundTrip(*value) : std::string("-");
}

// One line, whatever the message holds.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

}  // namespace

CircuitActions::CircuitActions(std::ostream& out,
                               std::function<const catalogues::Catalogue&()> catalogue)
    : out_(out), catalogue_(std::move(catalogue)) {}

bool CircuitActions::Run(std::string_view action, std::string_view arguments) {
    if (action == "circuit") {
        Load(arguments);
        return true;
    }
    if (action == "circuit-save") {
        Save(arguments);
        return true;
    }
    if (action == "circuit-csv") {
        WriteCsv(arguments);
        return true;
    }
    return false;
}

void CircuitActions::Load(std::string_view path) {
    loaded_.reset();
    try {
        loaded_ = circuit::LoadCircuitFile(text::PathFromUtf8(path), catalogue_());
    } catch (const circuit::CircuitError& error) {
        out_ << "circuit.error=" << OneLine(error.what()) << '\n';
        return;
    }
    out_ << CircuitLines(*loaded_);
}

void CircuitActions::Save(std::string_view path) {
    if (!loaded_) {
        out_ << "circuit.error=Nessun circuito caricato\n";
        return;
    }
    try {
        circuit::SaveCircuit(loaded_->circuit, catalogue_(), text::PathFromUtf8(path));
    } catch (const circuit::CircuitError& error) {
        out_ << "circuit.error=" << OneLine(error.what()) << '\n';
        return;
    }
    out_ << "circuit.saved=" << path << '\n';
}

void CircuitActions::WriteCsv(std::string_view path) {
    if (!loaded_) {
        out_ << "circuit.error=Nessun circuito caricato\n";
        return;
    }
    try {
        report::SaveCircuitCsv(text::PathFromUtf8(path), loaded_->circuit, loaded_->solution);
    } catch (const circuit::CircuitError& error) {
        out_ << "circuit.error=" << OneLine(error.what()) << '\n';
        return;
    }
    out_ << "circuit.csv=" << path << '\n';
}

std::string CircuitLines(const circuit::LoadedCircuit& loaded) {
    const circuit::Circuit& circuit = loaded.circuit;
    const circuit::Solution& solution = loaded.solution;
    std::string lines;
    lines += "circuit.segments=" + std::to_string(circuit.segments.size()) + '\n';
    lines += "circuit.terminals=" + std::to_string(solution.terminals) + '\n';
    lines += "circuit.index=" +
             (solution.index ? circuit.segments[*solution.index].id : std::string("-")) + '\n';
    std::string path;
    for (const std::size_t i : solution.indexPath) {
        path += (path.empty() ? "" : ",") + circuit.segments[i].id;
    }
    lines += "circuit.index_path=" + (path.empty() ? std::string("-") : path) + '\n';
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        const circuit::SegmentResult& s = solution.segments[i];
        const physics::PipeFlow& flow = s.flow;
        lines += "segment." + circuit.segments[i].id + '=' + s.designation + ';' +
                 ShortestRoundTrip(s.innerMm) + ';' + ShortestRoundTrip(s.flowLph) + ';' +
                 ShortestRoundTrip(s.velocityMs) + ';' + ShortestRoundTrip(flow.reynolds) + ';' +
                 Optional(flow.lambda) + ';' +
                 (flow.regime ? std::string(physics::RegimeName(*flow.regime)) : std::string("-")) +
                 ';' + ShortestRoundTrip(flow.pascalPerMetre) + ';' +
                 ShortestRoundTrip(s.frictionPa) + ';' + ShortestRoundTrip(s.zeta) + ';' +
                 ShortestRoundTrip(s.localPa) + ';' + ShortestRoundTrip(s.valvesPa) + ';' +
                 ShortestRoundTrip(s.dpPa) + '\n';
    }
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        const auto& terminal = solution.segments[i].terminal;
        if (!terminal) {
            continue;
        }
        lines += "terminal." + circuit.segments[i].id + '=' + ShortestRoundTrip(terminal->flowLph) +
                 ';' + ShortestRoundTrip(solution.segments[i].pathPa) + ';' +
                 ShortestRoundTrip(terminal->deviceDpPa) + ';' +
                 ShortestRoundTrip(terminal->totalPa) + ';' + Optional(terminal->excessPa) + ';' +
                 Optional(terminal->kv) + '\n';
    }
    const circuit::PumpDuty& pump = solution.pump;
    lines += "pump.flow_l_h=" + ShortestRoundTrip(pump.flowLph) + '\n';
    lines += "pump.head_pa=" + ShortestRoundTrip(pump.headPa) + '\n';
    lines += "pump.head_m=" + ShortestRoundTrip(pump.headM) + '\n';
    if (pump.flowWithMarginLph) {
        lines += "pump.flow_with_margin_l_h=" + ShortestRoundTrip(*pump.flowWithMarginLph) + '\n';
    }
    if (pump.headWithMarginPa) {
        lines += "pump.head_with_margin_pa=" + ShortestRoundTrip(*pump.headWithMarginPa) + '\n';
        lines += "pump.head_with_margin_m=" + ShortestRoundTrip(*pump.headWithMarginM) + '\n';
    }
    for (std::size_t n = 0; n < solution.warnings.size(); ++n) {
        const circuit::Warning& warning = solution.warnings[n];
        lines += "warning." + std::to_string(n + 1) + '=' + circuit.segments[warning.segment].id +
                 ';' + std::string(circuit::WarningCodeName(warning.code)) + ';' + warning.text +
                 '\n';
    }
    // What a reader needs to work the figures out again: the fluid's state at the mean
    // temperature, and each segment's length and the roughness its tube uses.
    const physics::FluidProperties& fluid = solution.fluid.properties;
    lines += "fluid.rho_kg_m3=" + ShortestRoundTrip(fluid.densityKgM3) + '\n';
    lines += "fluid.mu_mpa_s=" + ShortestRoundTrip(fluid.viscosityMPaS) + '\n';
    lines += "fluid.cp_j_kg_k=" + ShortestRoundTrip(fluid.specificHeatJKgK) + '\n';
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        lines += "input." + circuit.segments[i].id + '=' +
                 ShortestRoundTrip(circuit.segments[i].lengthM) + ';' +
                 ShortestRoundTrip(solution.segments[i].roughnessMm) + '\n';
    }
    return lines;
}

}  // namespace idrovela::session
