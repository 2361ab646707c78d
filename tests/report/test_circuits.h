#pragma once

// Circuits the report's tests look at, worked out with the built-in catalogue.

#include <cstddef>
#include <optional>
#include <string>

#include "catalogues/built_in.h"
#include "circuit/load.h"
#include "circuit/random_tree.h"
#include "circuit/solve.h"

namespace idrovela::report::testing {

inline circuit::Segment CopperSegment(std::string id, std::optional<std::string> upstream,
                                      double lengthM, const char* designation, double innerMm) {
    circuit::Segment segment;
    segment.id = std::move(id);
    segment.upstream = std::move(upstream);
    segment.lengthM = lengthM;
    segment.tube = {"rame", false, designation, innerMm, 0.0015};
    return segment;
}

inline circuit::Terminal Radiator(std::string description, double watts) {
    circuit::Terminal terminal;
    terminal.description = std::move(description);
    terminal.load = circuit::Terminal::Load::Power;
    terminal.loadValue = watts;
    return terminal;
}

// A boiler feeding three radiators: the main "A" with its fittings and a ball valve, then "B" to
// two radiators, and "R1" straight off "A". "R2" is the index; margins of 10 and 20 %.
inline circuit::Circuit FiveSegments() {
    circuit::Circuit c;
    c.project = {"Villetta Rossi", "Ing. Bianchi", ""};
    c.margins = {10.0, 20.0};
    circuit::Segment a = CopperSegment("A", std::nullopt, 12.0, "28×1,5", 25.0);
    a.description = "dalla caldaia al collettore";
    a.fittings = {{"caldaia", 0.0, 1, ""}, {"curva-90-r1", 0.0, 4, ""}, {"", 1.5, 1, "filtro"}};
    a.valves = {{6.3, "valvola a sfera"}};
    circuit::Segment b = CopperSegment("B", "A", 8.0, "22×1", 20.0);
    b.fittings = {{"ti-passaggio-divisione", 0.0, 1, ""}};
    circuit::Segment r1 = CopperSegment("R1", "A", 6.0, "", 0.0);
    r1.tube = {"rame", true, "", 0.0, 0.0};
    r1.terminal = Radiator("radiatore soggiorno", 1500.0);
    r1.terminal->device = circuit::Terminal::Device::Kv;
    r1.terminal->deviceValue = 0.8;
    circuit::Segment r2 = CopperSegment("R2", "B", 14.0, "15×1", 13.0);
    r2.terminal = Radiator("radiatore camera", 1200.0);
    r2.terminal->device = circuit::Terminal::Device::PressureDrop;
    r2.terminal->deviceValue = 6000.0;
    r2.fittings = {{"radiatore", 0.0, 1, ""}};
    circuit::Segment r3 = CopperSegment("R3", "B", 3.0, "15×1", 13.0);
    r3.terminal = Radiator("bagno", 0.0);
    r3.terminal->load = circuit::Terminal::Load::Flow;
    r3.terminal->loadValue = 40.0;
    c.segments = {a, b, r1, r2, r3};
    return c;
}

// The smallest circuit with a branch: "A" to "R1" and "R2".
inline circuit::Circuit ThreeSegments() {
    circuit::Circuit c;
    c.project = {"Monolocale", "Ing. Verdi", ""};
    circuit::Segment a = CopperSegment("A", std::nullopt, 10.0, "22×1", 20.0);
    circuit::Segment r1 = CopperSegment("R1", "A", 4.0, "15×1", 13.0);
    r1.terminal = Radiator("radiatore soggiorno", 1500.0);
    circuit::Segment r2 = CopperSegment("R2", "A", 9.0, "15×1", 13.0);
    r2.terminal = Radiator("radiatore camera", 900.0);
    c.segments = {a, r1, r2};
    return c;
}

// "ThreeSegments" as radiators kept for a heat pump at 55/45 °C: R1 an emitter of Φn 2 000 W,
// which cannot give its 1 500 W there; R2 10 sections of a catalogue's model, Φn 1 700 W and 5 l
// in all; 10 l in the generator, and a vessel 6 m below the top with a 3 bar relief valve.
inline circuit::Circuit ThreeSegmentsWithEmitters() {
    circuit::Circuit c = ThreeSegments();
    c.fluid = {circuit::FluidType::Acqua, 0.0, 55.0, 45.0};
    circuit::Emitter small;
    small.nominalW = 2000.0;
    c.segments[1].terminal->emitter = small;
    circuit::Emitter model;
    model.nominalW = 1700.0;
    model.contentL = 5.0;
    model.model = "Esempio 600";
    model.sections = 10;
    c.segments[2].terminal->emitter = model;
    c.volumes = circuit::Volumes{10.0, 0.0};
    c.vessel = circuit::Vessel{6.0, 3.0, std::nullopt};
    return c;
}

inline circuit::LoadedCircuit Worked(circuit::Circuit c) {
    circuit::LoadedCircuit loaded;
    loaded.solution = circuit::Solve(c, catalogues::BuiltInCatalogue());
    loaded.circuit = std::move(c);
    return loaded;
}

inline circuit::LoadedCircuit WorkedRandom(std::size_t segments, std::uint64_t seed) {
    return Worked(circuit::RandomCircuit(segments, seed));
}

}  // namespace idrovela::report::testing
