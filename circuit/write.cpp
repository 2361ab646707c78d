#include "circuit/write.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <string_view>

#include "circuit/file_error.h"
#include "circuit/file_system.h"
#include "circuit/messages.h"
#include "circuit/solve.h"
#include "text/path_text.h"

namespace idrovela::circuit {

namespace {

using Json = nlohmann::ordered_json;

// Whole numbers below 2⁵³ are written as integers ("200", not "200.0"), exactly; every other
// number as nlohmann-json writes a double, which reads back to the same one.
Json Number(double value) {
    constexpr double kExactIntegers = 9007199254740992.0;  // 2⁵³
    if (value == std::floor(value) && std::fabs(value) < kExactIntegers) {
        return Json(static_cast<std::int64_t>(value));
    }
    return Json(value);
}

std::string_view FluidName(FluidType type) {
    switch (type) {
        case FluidType::Etilenico:
            return "etilenico";
        case FluidType::Propilenico:
            return "propilenico";
        case FluidType::Acqua:
            break;
    }
    return "acqua";
}

Json TubeJson(const Tube& tube) {
    Json json = Json::object();
    json["serie"] = tube.series;
    if (tube.automatic) {
        json["automatico"] = true;
        return json;
    }
    json["designazione"] = tube.designation;
    json["diametro_interno"] = Number(tube.innerMm);
    json["rugosita"] = Number(tube.roughnessMm);
    return json;
}

Json SegmentJson(const Segment& segment) {
    Json json = Json::object();
    json["id"] = segment.id;
    if (segment.upstream) {
        json["a_monte"] = *segment.upstream;
    }
    json["descrizione"] = segment.description;
    json["lunghezza"] = Number(segment.lengthM);
    json["tubo"] = TubeJson(segment.tube);
    Json fittings = Json::array();
    for (const Fitting& fitting : segment.fittings) {
        Json item = Json::object();
        if (!fitting.key.empty()) {
            item["tipo"] = fitting.key;
            item["numero"] = fitting.count;
        } else {
            item["zeta"] = Number(fitting.zeta);
            item["numero"] = fitting.count;
            item["descrizione"] = fitting.description;
        }
        fittings.push_back(std::move(item));
    }
    json["accidenti"] = std::move(fittings);
    Json valves = Json::array();
    for (const Valve& valve : segment.valves) {
        Json item = Json::object();
        item["kv"] = Number(valve.kv);
        item["descrizione"] = valve.description;
        valves.push_back(std::move(item));
    }
    json["valvole"] = std::move(valves);
    if (segment.terminal) {
        const Terminal& terminal = *segment.terminal;
        Json item = Json::object();
        item["descrizione"] = terminal.description;
        item[terminal.load == Terminal::Load::Power ? "potenza" : "portata"] =
            Number(terminal.loadValue);
        if (terminal.device == Terminal::Device::PressureDrop) {
            item["dp"] = Number(terminal.deviceValue);
        } else if (terminal.device == Terminal::Device::Kv) {
            item["kv"] = Number(terminal.deviceValue);
        }
        json["terminale"] = std::move(item);
    }
    return json;
}

// The end of a message on a save that failed: the old file, if there was one, is as it was.
std::string OldFileKept(bool existed) {
    return existed ? " Il file di prima è rimasto com'era." : "";
}

[[noreturn]] void SaveFailed(const std::filesystem::path& path, const FileError& error) {
    throw CircuitError("Impossibile salvare " + QuotedPath(path) + ": " + error.what() + "." +
                       OldFileKept(error.HadOldFile()));
}

// The document before its segments: all of it, without the segments' list when there is none,
// else up to the list's "[" and its line break.
std::string Head(const Circuit& circuit) {
    Json json = Json::object();
    json["formato"] = kFormat;
    json["versione"] = kVersion;
    json["progetto"] = {{"nome", circuit.project.name},
                        {"autore", circuit.project.author},
                        {"note", circuit.project.notes}};
    Json fluid = Json::object();
    fluid["tipo"] = FluidName(circuit.fluid.type);
    fluid["percentuale"] = Number(circuit.fluid.volumePercent);
    fluid["mandata"] = Number(circuit.fluid.supplyC);
    fluid["ritorno"] = Number(circuit.fluid.returnC);
    json["fluido"] = std::move(fluid);
    Json limits = Json::object();
    limits["pa_per_m"] = Number(circuit.limits.pascalPerMetre);
    limits["velocita"] = Number(circuit.limits.velocityMs);
    json["limiti"] = std::move(limits);
    Json margins = Json::object();
    margins["portata"] = Number(circuit.margins.flowPercent);
    margins["prevalenza"] = Number(circuit.margins.headPercent);
    json["margini"] = std::move(margins);
    json["tratti"] = Json::array();
    std::string text = json.dump(2);
    if (circuit.segments.empty()) {
        text += '\n';
        return text;
    }
    constexpr std::string_view kEmptyListEnd = "]\n}";
    text.resize(text.size() - kEmptyListEnd.size());
    text += '\n';
    return text;
}

constexpr std::string_view kIndent = "    ";  // a segment's lines, two levels in
constexpr std::string_view kTail = "\n  ]\n}\n";

// A segment as dumping the whole document would write it. A dumped text never holds a line break
// of its own (it is written \n), so every line break in a segment's dump starts one of its lines.
void AppendSegment(std::string& text, const Segment& segment, bool first) {
    const std::string dumped = SegmentJson(segment).dump(2);
    if (!first) {
        text += ",\n";
    }
    text += kIndent;
    std::size_t from = 0;
    for (std::size_t lineBreak = dumped.find('\n'); lineBreak != std::string::npos;
         lineBreak = dumped.find('\n', from)) {
        text.append(dumped, from, lineBreak + 1 - from);
        text += kIndent;
        from = lineBreak + 1;
    }
    text.append(dumped, from);
}

// The circuit's text, the segments one at a time, each dumped on its own, so that no large
// circuit is held as a whole document too: `text` becomes the head, gets `room` more, and is
// handed to `full` whenever it holds kPieceBytes or more, which may empty it.
constexpr std::size_t kPieceBytes = 1u << 20;

template <typename Full>
void WriteText(const Circuit& circuit, std::string& text, std::size_t room, Full full) {
    text = Head(circuit);
    if (circuit.segments.empty()) {
        return;
    }
    text.reserve(text.size() + room);
    for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
        AppendSegment(text, circuit.segments[i], i == 0);
        if (text.size() >= kPieceBytes) {
            full(text);
        }
    }
    text += kTail;
}

}  // namespace

std::string WriteCircuit(const Circuit& circuit) {
    // Room for as many segments of half as much again as the first one, within what a file may
    // hold (room never written costs nothing): growing the text step by step took a third of the
    // time.
    std::size_t room = 0;
    if (!circuit.segments.empty()) {
        std::string first;
        AppendSegment(first, circuit.segments.front(), true);
        room = std::min<std::size_t>(circuit.segments.size() * (first.size() + 2) / 2 * 3,
                                     kMaxFileBytes);
    }
    std::string text;
    WriteText(circuit, text, room, [](std::string& /*whole*/) {});
    return text;
}

void WriteFileAtomically(const std::filesystem::path& path, const std::string& text, bool sync) {
    try {
        WriteWholeFile(path, text, sync);
    } catch (const FileError& error) {
        SaveFailed(path, error);
    }
}

void SaveCircuit(const Circuit& circuit, const catalogues::Catalogue& catalogue,
                 const std::filesystem::path& path, bool sync) {
    static_cast<void>(Solve(circuit, catalogue));
    try {
        // Written to the file a piece at a time, as WriteCircuit would give it.
        AtomicFile file(path);
        std::size_t bytes = 0;
        const auto write = [&](std::string& piece) {
            bytes += piece.size();
            // Long texts can make a circuit that loads write a file too large to load again.
            if (bytes > kMaxFileBytes) {
                throw CircuitError("Impossibile salvare " + QuotedPath(path) +
                                   ": il file supererebbe i 256 MiB che un circuito può avere, e "
                                   "non si potrebbe più aprire." +
                                   OldFileKept(file.Existed()));
            }
            file.Write(piece);
            piece.clear();
        };
        std::string piece;
        WriteText(circuit, piece, 2 * kPieceBytes, write);
        write(piece);
        file.Commit(sync);
    } catch (const FileError& error) {
        SaveFailed(path, error);
    }
}

}  // namespace idrovela::circuit
