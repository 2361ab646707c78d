#pragma once

// A document over the built-in catalogue, edited as the window edits it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>

#include "catalogues/built_in.h"
#include "sheet/document.h"
#include "sheet/operations.h"

namespace idrovela::sheet::test {

inline std::shared_ptr<const catalogues::Catalogue> BuiltIn() {
    static const auto catalogue =
        std::make_shared<const catalogues::Catalogue>(catalogues::BuiltInCatalogue());
    return catalogue;
}

// Takes a proposal that must be an edit the engine accepts, and gives the edit for undoing.
inline std::unique_ptr<Edit> Take(Document& document, Proposal proposal) {
    if (auto* reason = std::get_if<std::string>(&proposal)) {
        ADD_FAILURE() << "no edit: " << *reason;
        return nullptr;
    }
    if (std::holds_alternative<NoChange>(proposal)) {
        ADD_FAILURE() << "no edit: nothing changes";
        return nullptr;
    }
    auto edit = std::make_unique<Edit>(std::move(std::get<Edit>(proposal)));
    if (const auto refused = document.Apply(*edit)) {
        ADD_FAILURE() << "refused: " << *refused;
        return nullptr;
    }
    return edit;
}

// The reason a proposal gives, or what the engine says of it; "" when it was taken or changes
// nothing.
inline std::string Refusal(Document& document, Proposal proposal) {
    if (auto* reason = std::get_if<std::string>(&proposal)) {
        return *reason;
    }
    if (std::holds_alternative<NoChange>(proposal)) {
        return "";
    }
    return document.Apply(std::get<Edit>(proposal)).value_or("");
}

// The circuit engineers draw first: a boiler segment A and three radiators under it.
//   A  12 m, rame 22×1, a valve Kv 6,3
//   R1 6 m, automatic, 1500 W, device Kv 0,8
//   R2 9 m, rame 15×1, 2000 W, device Δp 1000 Pa
//   R3 3 m, automatic, 800 W
inline circuit::Circuit ThreeRadiators() {
    circuit::Circuit circuit;
    circuit.project.name = "Villetta";
    circuit::Segment a;
    a.id = "A";
    a.lengthM = 12;
    a.tube = {"rame", false, "22×1", 20, 0.0015};
    a.valves.push_back({6.3, "valvola a sfera"});
    circuit.segments.push_back(a);
    const auto radiator = [&circuit](const char* id, double length, circuit::Tube tube,
                                     double watts, circuit::Terminal::Device device,
                                     double deviceValue) {
        circuit::Segment segment;
        segment.id = id;
        segment.upstream = "A";
        segment.lengthM = length;
        segment.tube = std::move(tube);
        segment.terminal = circuit::Terminal{"radiatore", circuit::Terminal::Load::Power, watts,
                                             device, deviceValue};
        circuit.segments.push_back(segment);
    };
    radiator("R1", 6, {"rame", true, "", 0, 0}, 1500, circuit::Terminal::Device::Kv, 0.8);
    radiator("R2", 9, {"rame", false, "15×1", 13, 0.0015}, 2000,
             circuit::Terminal::Device::PressureDrop, 1000);
    radiator("R3", 3, {"rame", true, "", 0, 0}, 800, circuit::Terminal::Device::None, 0);
    return circuit;
}

// The three radiators at 70/60 °C, each with an emitter of `nominalW`.
inline circuit::Circuit ThreeRadiatorsWithEmitters(double nominalW) {
    circuit::Circuit circuit = ThreeRadiators();
    circuit.fluid = {circuit::FluidType::Acqua, 0.0, 70.0, 60.0};
    for (circuit::Segment& segment : circuit.segments) {
        if (segment.terminal) {
            circuit::Emitter emitter;
            emitter.nominalW = nominalW;
            segment.terminal->emitter = emitter;
        }
    }
    return circuit;
}

inline std::unique_ptr<Document> Open(circuit::Circuit circuit) {
    circuit::LoadedCircuit loaded;
    loaded.solution = circuit::Solve(circuit, *BuiltIn());
    loaded.circuit = std::move(circuit);
    return std::make_unique<Document>(BuiltIn(), std::move(loaded), std::nullopt);
}

}  // namespace idrovela::sheet::test
