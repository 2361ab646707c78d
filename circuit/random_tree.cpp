#include "circuit/random_tree.h"

#include <array>
#include <random>
#include <string>
#include <vector>

#include "circuit/fittings.h"

namespace idrovela::circuit {

namespace {

// Copper EN 1057 as the built-in catalogue has it: designation, inner diameter.
struct CopperTube {
    const char* designation;
    double innerMm;
};
constexpr std::array kCopper = {
    CopperTube{"12×1", 10.0},   CopperTube{"15×1", 13.0},   CopperTube{"18×1", 16.0},
    CopperTube{"22×1", 20.0},   CopperTube{"28×1,5", 25.0}, CopperTube{"35×1,5", 32.0},
    CopperTube{"42×1,5", 39.0}, CopperTube{"54×2", 50.0},
};
constexpr double kCopperRoughnessMm = 0.0015;

std::string IdOf(std::size_t index) {
    std::string id = std::to_string(index + 1);
    id.insert(id.begin(), 'T');
    return id;
}

Circuit Base() {
    Circuit circuit;
    circuit.project.name = "Circuito di prova";
    circuit.fluid = {FluidType::Acqua, 0.0, 70.0, 60.0};
    return circuit;
}

}  // namespace

Circuit RandomCircuit(std::size_t segments, std::uint64_t seed, bool everyTubeAutomatic) {
    std::mt19937_64 random(seed);
    const auto below = [&random](std::size_t n) {
        return static_cast<std::size_t>(random() % static_cast<std::uint64_t>(n));
    };
    const auto chance = [&random](unsigned percent) { return random() % 100 < percent; };

    Circuit circuit = Base();
    circuit.segments.resize(segments);
    std::vector<bool> feedsOthers(segments, false);
    for (std::size_t i = 0; i < segments; ++i) {
        Segment& segment = circuit.segments[i];
        segment.id = IdOf(i);
        // A few roots; otherwise under any earlier segment, as a building's branches go: a
        // random tree, about 3·ln(n) segments deep at most.
        if (i > 0 && !(i < 1000 && chance(1))) {
            const std::size_t upstream = below(i);
            segment.upstream = IdOf(upstream);
            feedsOthers[upstream] = true;
        }
        segment.lengthM = 0.5 + static_cast<double>(below(400)) / 10.0;
        if (everyTubeAutomatic || chance(33)) {
            segment.tube = {"rame", true, "", 0.0, 0.0};
        } else {
            const CopperTube& tube = kCopper[below(kCopper.size())];
            segment.tube = {"rame", false, tube.designation, tube.innerMm, kCopperRoughnessMm};
        }
        if (chance(50)) {
            const std::size_t lines = 1 + below(3);
            const auto library = FittingLibrary();
            for (std::size_t k = 0; k < lines; ++k) {
                Fitting fitting;
                if (chance(90)) {
                    fitting.key = std::string(library[below(library.size())].key);
                } else {
                    fitting.zeta = 0.5 + static_cast<double>(below(40)) / 10.0;
                    fitting.description = "filtro";
                }
                fitting.count = static_cast<std::int64_t>(1 + below(4));
                segment.fittings.push_back(std::move(fitting));
            }
        }
        if (chance(20)) {
            segment.valves.push_back({1.0 + static_cast<double>(below(90)) / 10.0, "valvola"});
        }
    }
    for (std::size_t i = 0; i < segments; ++i) {
        if (feedsOthers[i]) {
            continue;
        }
        Terminal terminal;
        terminal.description = "radiatore";
        if (chance(80)) {
            terminal.load = Terminal::Load::Power;
            terminal.loadValue = 500.0 + static_cast<double>(below(2501));
        } else {
            terminal.load = Terminal::Load::Flow;
            terminal.loadValue = 40.0 + static_cast<double>(below(260));
        }
        if (chance(50)) {
            terminal.device = Terminal::Device::Kv;
            terminal.deviceValue = 0.5 + static_cast<double>(below(20)) / 10.0;
        } else if (chance(50)) {
            terminal.device = Terminal::Device::PressureDrop;
            terminal.deviceValue = static_cast<double>(below(5000));
        }
        circuit.segments[i].terminal = terminal;
    }
    return circuit;
}

Circuit WithEmitters(Circuit circuit) {
    std::size_t n = 0;
    for (Segment& segment : circuit.segments) {
        if (!segment.terminal) {
            continue;
        }
        Terminal& terminal = *segment.terminal;
        if (terminal.load == Terminal::Load::Flow) {
            terminal.load = Terminal::Load::Power;
            terminal.loadValue = 500.0 + 10.0 * terminal.loadValue;
        }
        // From 1,3 to 2,2 times the load at the rating: every one gives it at 70/60 °C, with a
        // return of its own from about 42 to 65 °C.
        Emitter emitter;
        emitter.nominalW = terminal.loadValue * (1.3 + static_cast<double>(n % 10) / 10.0);
        emitter.exponent = 1.25 + static_cast<double>(n % 6) / 50.0;
        emitter.contentL = static_cast<double>(1 + n % 8);
        terminal.emitter = emitter;
        ++n;
    }
    return circuit;
}

Circuit ChainCircuit(std::size_t segments) {
    Circuit circuit = Base();
    circuit.segments.resize(segments);
    for (std::size_t i = 0; i < segments; ++i) {
        Segment& segment = circuit.segments[i];
        segment.id = IdOf(i);
        if (i > 0) {
            segment.upstream = IdOf(i - 1);
        }
        segment.lengthM = 1.0;
        segment.tube = {"rame", false, "28×1,5", 25.0, kCopperRoughnessMm};
    }
    if (segments > 0) {
        circuit.segments.back().terminal =
            Terminal{"radiatore", Terminal::Load::Power, 1500.0, Terminal::Device::None, 0.0};
    }
    return circuit;
}

}  // namespace idrovela::circuit
