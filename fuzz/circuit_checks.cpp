// The circuit loader's properties: any text either loads, and then works out to finite figures
// and writes and reads back to itself, or is refused with one readable line.

#include <cmath>
#include <exception>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "catalogues/built_in.h"
#include "circuit/load.h"
#include "circuit/write.h"
#include "fuzz/checks.h"
#include "fuzz/utf8.h"

namespace idrovela::fuzz {

namespace {

using circuit::Circuit;
using circuit::CircuitError;
using circuit::LoadedCircuit;

void Require(bool holds, const std::string& what) {
    if (!holds) {
        throw PropertyBroken(what);
    }
}

// Non-empty, UTF-8, and no control character: one line for a message box or a session line.
void RequireOneLine(std::string_view text, const std::string& what) {
    Require(!text.empty(), what + " is empty");
    Require(IsUtf8(text), what + " is not UTF-8");
    for (const char c : text) {
        Require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F,
                what + " holds a control character");
    }
}

const catalogues::Catalogue& Catalogue() {
    static const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    return catalogue;
}

// Loads `text`: the circuit, or none with the reason. Anything but a CircuitError breaks the
// property.
std::optional<LoadedCircuit> Load(std::string_view text, std::string& reason) {
    try {
        return circuit::LoadCircuitText(text, Catalogue());
    } catch (const CircuitError& error) {
        reason = error.what();
        return std::nullopt;
    } catch (const std::exception& error) {
        throw PropertyBroken(std::string("loading threw another exception: ") + error.what());
    } catch (...) {
        throw PropertyBroken("loading threw something that is not an exception");
    }
}

void RequireFinite(double value, const std::string& what) {
    Require(std::isfinite(value), what + " is not finite");
}

void RequireFinite(const std::optional<double>& value, const std::string& what) {
    if (value) {
        RequireFinite(*value, what);
    }
}

void CheckSolution(const LoadedCircuit& loaded) {
    const circuit::Solution& solution = loaded.solution;
    const std::size_t count = loaded.circuit.segments.size();
    Require(solution.segments.size() == count, "a result for every segment");
    RequireFinite(solution.fluid.properties.densityKgM3, "rho");
    RequireFinite(solution.fluid.properties.viscosityMPaS, "mu");
    RequireFinite(solution.fluid.properties.specificHeatJKgK, "c_p");
    RequireFinite(solution.fluid.meanC, "the mean temperature");
    RequireFinite(solution.fluid.deltaK, "the temperature difference");
    for (std::size_t i = 0; i < count; ++i) {
        const circuit::SegmentResult& s = solution.segments[i];
        const std::string name = "segment " + std::to_string(i + 1) + ": ";
        for (const auto& [figure, value] : {std::pair<const char*, double>{"d", s.innerMm},
                                            {"epsilon", s.roughnessMm},
                                            {"flow", s.flowLph},
                                            {"load", s.loadW},
                                            {"w", s.velocityMs},
                                            {"Re", s.flow.reynolds},
                                            {"R", s.flow.pascalPerMetre},
                                            {"R*l", s.frictionPa},
                                            {"zeta", s.zeta},
                                            {"Z", s.localPa},
                                            {"valves", s.valvesPa},
                                            {"DP", s.dpPa},
                                            {"path", s.pathPa}}) {
            RequireFinite(value, name + figure);
        }
        RequireFinite(s.flow.lambda, name + "lambda");
        Require(loaded.circuit.segments[i].terminal.has_value() == s.terminal.has_value(),
                name + "a terminal result without a terminal, or none with one");
        if (s.terminal) {
            RequireFinite(s.terminal->flowLph, name + "terminal flow");
            RequireFinite(s.terminal->loadW, name + "terminal load");
            RequireFinite(s.terminal->deviceDpPa, name + "device loss");
            RequireFinite(s.terminal->totalPa, name + "total");
            RequireFinite(s.terminal->excessPa, name + "excess");
            RequireFinite(s.terminal->kv, name + "Kv");
        }
    }
    const circuit::PumpDuty& pump = solution.pump;
    RequireFinite(pump.flowLph, "pump flow");
    RequireFinite(pump.headPa, "pump head");
    RequireFinite(pump.headM, "pump head in metres");
    RequireFinite(pump.flowWithMarginLph, "pump flow with margin");
    RequireFinite(pump.headWithMarginPa, "pump head with margin");
    RequireFinite(pump.headWithMarginM, "pump head in metres with margin");
    Require(solution.index.has_value() != solution.indexPath.empty(),
            "an index without a path, or a path without an index");
    if (solution.index) {
        Require(solution.indexPath.back() == *solution.index, "the index path ends elsewhere");
    }
    for (const circuit::Warning& warning : solution.warnings) {
        Require(warning.segment < count, "a warning on no segment");
        RequireOneLine(warning.text, "a warning's text");
    }
}

// ---- The same circuit: every field, numbers by value ----

std::string Difference(const circuit::Tube& a, const circuit::Tube& b) {
    if (a.series != b.series || a.automatic != b.automatic || a.designation != b.designation ||
        a.innerMm != b.innerMm || a.roughnessMm != b.roughnessMm) {
        return "tube";
    }
    return {};
}

std::string Difference(const circuit::Segment& a, const circuit::Segment& b) {
    if (a.id != b.id || a.upstream != b.upstream || a.description != b.description ||
        a.lengthM != b.lengthM) {
        return "id, upstream, description or length";
    }
    if (const std::string tube = Difference(a.tube, b.tube); !tube.empty()) {
        return tube;
    }
    if (a.fittings.size() != b.fittings.size()) {
        return "number of fittings";
    }
    for (std::size_t k = 0; k < a.fittings.size(); ++k) {
        const circuit::Fitting& x = a.fittings[k];
        const circuit::Fitting& y = b.fittings[k];
        if (x.key != y.key || x.zeta != y.zeta || x.count != y.count ||
            x.description != y.description) {
            return "fitting " + std::to_string(k + 1);
        }
    }
    if (a.valves.size() != b.valves.size()) {
        return "number of valves";
    }
    for (std::size_t k = 0; k < a.valves.size(); ++k) {
        if (a.valves[k].kv != b.valves[k].kv ||
            a.valves[k].description != b.valves[k].description) {
            return "valve " + std::to_string(k + 1);
        }
    }
    if (a.terminal.has_value() != b.terminal.has_value()) {
        return "terminal";
    }
    if (a.terminal) {
        const circuit::Terminal& x = *a.terminal;
        const circuit::Terminal& y = *b.terminal;
        if (x.description != y.description || x.load != y.load || x.loadValue != y.loadValue ||
            x.device != y.device || x.deviceValue != y.deviceValue) {
            return "terminal";
        }
    }
    return {};
}

std::string Difference(const Circuit& a, const Circuit& b) {
    if (a.project.name != b.project.name || a.project.author != b.project.author ||
        a.project.notes != b.project.notes) {
        return "project";
    }
    if (a.fluid.type != b.fluid.type || a.fluid.volumePercent != b.fluid.volumePercent ||
        a.fluid.supplyC != b.fluid.supplyC || a.fluid.returnC != b.fluid.returnC) {
        return "fluid";
    }
    if (a.limits.pascalPerMetre != b.limits.pascalPerMetre ||
        a.limits.velocityMs != b.limits.velocityMs) {
        return "limits";
    }
    if (a.margins.flowPercent != b.margins.flowPercent ||
        a.margins.headPercent != b.margins.headPercent) {
        return "margins";
    }
    if (a.segments.size() != b.segments.size()) {
        return "number of segments";
    }
    for (std::size_t i = 0; i < a.segments.size(); ++i) {
        if (const std::string d = Difference(a.segments[i], b.segments[i]); !d.empty()) {
            return "segment " + std::to_string(i + 1) + ", " + d;
        }
    }
    return {};
}

}  // namespace

void CheckCircuitText(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string reason;
    const std::optional<LoadedCircuit> loaded = Load(text, reason);
    if (!loaded) {
        RequireOneLine(reason, "the message «" + reason + "»");
        return;
    }
    // JSON text has no NUL byte anywhere: one must not end the file early.
    Require(text.find('\0') == std::string_view::npos, "a text with a NUL byte loads");
    CheckSolution(*loaded);

    // Written, it is JSON exactly as nlohmann-json indents it, and it loads as the same circuit,
    // which writes the same text.
    const std::string written = circuit::WriteCircuit(loaded->circuit);
    Require(!written.empty() && written.back() == '\n', "the written text ends without a newline");
    Require(nlohmann::ordered_json::parse(written).dump(2) + '\n' == written,
            "the written text is not JSON with two-space indentation");
    const std::optional<LoadedCircuit> again = Load(written, reason);
    Require(again.has_value(), "the written circuit does not load: " + reason);
    const std::string difference = Difference(loaded->circuit, again->circuit);
    Require(difference.empty(), "written and loaded again, the circuit differs: " + difference);
    Require(circuit::WriteCircuit(again->circuit) == written,
            "written, loaded and written again, the text differs");
}

}  // namespace idrovela::fuzz
