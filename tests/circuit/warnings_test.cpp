// The warnings an engineer needs beside the sheet's own: a value beyond any building, which a
// file may still hold, and a terminal whose own loss the pump's head leaves out.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogues/built_in.h"
#include "circuit/load.h"
#include "circuit/scale.h"
#include "circuit/solve.h"
#include "circuit/write.h"
#include "tests/circuit/circuits.h"

namespace idrovela::circuit {
namespace {

const catalogues::Catalogue& BuiltIn() {
    static const catalogues::Catalogue catalogue = catalogues::BuiltInCatalogue();
    return catalogue;
}

// One copper segment feeding a radiator with its own loss, 4 m of 22×1.
Circuit OneRadiator() {
    Circuit circuit;
    Segment segment = test::Fixed("R1", std::nullopt, 4.0, "22×1", 20.0);
    segment.terminal = test::Radiator(1500.0, Terminal::Device::PressureDrop, 2000.0);
    circuit.segments = {segment};
    return circuit;
}

// The texts of the warnings of one code.
std::vector<std::string> TextsOf(const Solution& solution, WarningCode code) {
    std::vector<std::string> texts;
    for (const Warning& warning : solution.warnings) {
        if (warning.code == code) {
            texts.push_back(warning.text);
        }
    }
    return texts;
}

// Each limit takes its own value and warns of anything beyond it, naming the key; the circuit is
// worked out all the same.
TEST(Warnings, AValueBeyondAnyBuildingLoadsWithAWarningNamingItsKey) {
    const std::string tail = " è fuori scala per qualunque edificio; si accettano valori ";
    const struct {
        const char* what;
        std::function<void(Segment&)> change;
        std::vector<std::string> texts;
    } cases[] = {
        {"10 000 m", [](Segment& s) { s.lengthM = 10'000.0; }, {}},
        {"10 000,5 m",
         [](Segment& s) { s.lengthM = 10'000.5; },
         {"Lunghezza: 10000,5 m" + tail + "da 0 a 10 000 m."}},
        {"10 MW", [](Segment& s) { s.terminal->loadValue = 1e7; }, {}},
        {"10¹⁵ W",
         [](Segment& s) { s.terminal->loadValue = 1e15; },
         {"Terminale, potenza: 1e+15 W" + tail + "da 0 a 10 000 000 W."}},
        {"1 000 000 l/h",
         [](Segment& s) {
             *s.terminal = {"", Terminal::Load::Flow, 1e6, {}, 0.0};
         },
         {}},
        {"1 000 001 l/h",
         [](Segment& s) {
             *s.terminal = {"", Terminal::Load::Flow, 1'000'001.0, {}, 0.0};
         },
         {"Terminale, portata: 1000001 l/h" + tail + "da 0 a 1 000 000 l/h."}},
        {"a valve of Kv 10 000",
         [](Segment& s) {
             s.valves = {{10'000.0, ""}};
         },
         {}},
        {"the second valve and the device's Kv",
         [](Segment& s) {
             s.valves = {{6.3, ""}, {20'000.0, ""}};
             s.terminal->device = Terminal::Device::Kv;
             s.terminal->deviceValue = 1e5;
         },
         {"Valvole n. 2, kv: 20000 m³/h" + tail + "sopra 0 e fino a 10 000 m³/h.",
          "Terminale, kv: 100000 m³/h" + tail + "sopra 0 e fino a 10 000 m³/h."}},
        {"a length and a load",
         [](Segment& s) {
             s.lengthM = 12'345.0;
             s.terminal->loadValue = 2e7;
         },
         {"Lunghezza: 12345 m" + tail + "da 0 a 10 000 m.",
          "Terminale, potenza: 20000000 W" + tail + "da 0 a 10 000 000 W."}},
    };
    for (const auto& c : cases) {
        Circuit circuit = OneRadiator();
        c.change(circuit.segments[0]);
        const Solution solution = Solve(circuit, BuiltIn());
        EXPECT_EQ(TextsOf(solution, WarningCode::ValoreFuoriScala), c.texts) << c.what;
        // Written and loaded again, as a file that loaded before keeps loading.
        EXPECT_EQ(TextsOf(LoadCircuitText(WriteCircuit(circuit), BuiltIn()).solution,
                          WarningCode::ValoreFuoriScala),
                  c.texts)
            << c.what;
    }
}

// Without a dp, a kv or the fitting "radiatore", nothing counts the terminal's valve and
// emitter: the pump's head leaves them out.
TEST(Warnings, ATerminalWithoutALossOfItsOwn) {
    const struct {
        const char* what;
        std::function<void(Segment&)> change;
        bool warned;
    } cases[] = {
        {"a dp", [](Segment&) {}, false},
        {"a dp of 0", [](Segment& s) { s.terminal->deviceValue = 0.0; }, false},
        {"a kv", [](Segment& s) { s.terminal = test::Radiator(1500.0, Terminal::Device::Kv, 1.0); },
         false},
        {"nothing",
         [](Segment& s) { s.terminal = test::Radiator(1500.0, Terminal::Device::None, 0.0); },
         true},
        {"the fitting radiatore",
         [](Segment& s) {
             s.terminal = test::Radiator(1500.0, Terminal::Device::None, 0.0);
             s.fittings = {{"curva-90-r1", 0.0, 2, ""}, {"radiatore", 0.0, 1, ""}};
         },
         false},
        {"other fittings only",
         [](Segment& s) {
             s.terminal = test::Radiator(1500.0, Terminal::Device::None, 0.0);
             s.fittings = {{"curva-90-r1", 0.0, 2, ""}, {"", 3.0, 1, "radiatore"}};
         },
         true},
        {"no terminal", [](Segment& s) { s.terminal.reset(); }, false},
    };
    for (const auto& c : cases) {
        Circuit circuit = OneRadiator();
        c.change(circuit.segments[0]);
        const Solution solution = Solve(circuit, BuiltIn());
        const std::vector<std::string> texts =
            TextsOf(solution, WarningCode::TerminaleSenzaPerdita);
        EXPECT_EQ(texts.size(), c.warned ? 1u : 0u) << c.what;
        if (!texts.empty()) {
            EXPECT_EQ(texts[0],
                      "Il terminale non ha una perdita propria (né «dp» né «kv») e il tratto non "
                      "ha l'accidente «radiatore»: la prevalenza della pompa non comprende "
                      "valvola e corpo scaldante.");
        }
    }
}

// The two come last, in this order, after a terminal without flow.
TEST(Warnings, TheNewCodesComeLastInTheirOrder) {
    Circuit circuit = OneRadiator();
    circuit.segments[0].lengthM = 20'000.0;
    circuit.segments[0].terminal = test::Radiator(0.0, Terminal::Device::None, 0.0);
    const Solution solution = Solve(circuit, BuiltIn());
    std::vector<std::string> codes;
    for (const Warning& warning : solution.warnings) {
        codes.emplace_back(WarningCodeName(warning.code));
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"nessuna-portata", "terminale-senza-portata",
                                               "valore-fuori-scala", "terminale-senza-perdita"}));
}

}  // namespace
}  // namespace idrovela::circuit
