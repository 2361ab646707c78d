// Emitters: the output at any temperatures against figures worked out to 40 digits, the return at
// which an emitter gives its load (to the ends of its range), the flow it sets, an emitter that is
// too small, the lowest supply temperature, the water volume and the expansion vessel.

#include "circuit/emitter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "catalogues/built_in.h"
#include "circuit/circuit.h"
#include "circuit/messages.h"
#include "circuit/random_tree.h"
#include "circuit/solve.h"
#include "tests/circuit/circuits.h"

namespace idrovela::circuit {
namespace {

using test::BuiltIn;
using test::Fixed;
using test::Radiator;

Emitter Made(double nominalW, double exponent, double roomC = 20.0, double contentL = 0.0) {
    Emitter emitter;
    emitter.nominalW = nominalW;
    emitter.exponent = exponent;
    emitter.roomC = roomC;
    emitter.contentL = contentL;
    return emitter;
}

// A one-terminal water circuit: a 22×1 copper pipe of `lengthM` feeding `load` W through `emitter`.
Circuit OneEmitter(double supplyC, double returnC, double loadW, std::optional<Emitter> emitter,
                   double lengthM = 5.0) {
    Circuit circuit;
    circuit.fluid = {FluidType::Acqua, 0.0, supplyC, returnC};
    Segment only = Fixed("R", std::nullopt, lengthM, "22×1", 20.0);
    only.terminal = Radiator(loadW, Terminal::Device::None, 0.0);
    only.terminal->emitter = emitter;
    circuit.segments = {only};
    return circuit;
}

// The warnings emettitore-insufficiente of a solution.
std::vector<Warning> EmitterWarnings(const Solution& solution) {
    std::vector<Warning> found;
    for (const Warning& warning : solution.warnings) {
        if (warning.code == WarningCode::EmettitoreInsufficiente) {
            found.push_back(warning);
        }
    }
    return found;
}

std::string SolveFault(const Circuit& circuit) {
    try {
        static_cast<void>(Solve(circuit, BuiltIn()));
    } catch (const CircuitError& error) {
        return error.what();
    }
    return "(solved)";
}

// The expected figures were worked out with mpmath at 40 digits from the ln form,
// (θf − θr)/ln((θf − θi)/(θr − θi)).
TEST(EmitterModel, TheOutputAgreesWithFortyDigitFigures) {
    struct Row {
        const char* what;
        double nominalW, exponent, supplyC, returnC, roomC, expectedW;
    };
    const Row rows[] = {
        {"the rating gives Φn", 2000, 1.3, 75, 65, 20, 2000},
        {"55/45/20", 2000, 1.3, 55, 45, 20, 1021.468862768670055507},
        {"45/35/20", 2000, 1.3, 45, 35, 20, 593.6147204373109196236},
        {"n 1, 70/50/20", 1000, 1.0, 70, 50, 20, 785.6720028362496900651},
        {"n 2, θr 1e-12 K below θf", 1000, 2.0, 55, 55 - 1e-12, 18, 551.2788865563216910149},
    };
    for (const Row& row : rows) {
        const double output =
            EmitterOutputW(Made(row.nominalW, row.exponent, row.roomC), row.supplyC, row.returnC);
        EXPECT_NEAR(output, row.expectedW, row.expectedW * 1e-13) << row.what;
    }
    EXPECT_NEAR(RatingLogMeanExcessK(), 49.83288654563970882616, 49.84 * 1e-15);
    // At θr = θf the log mean is the inlet's excess, with nothing cancelling on the way there.
    EXPECT_EQ(LogMeanExcessK(55.0, 55.0, 20.0), 35.0);
    EXPECT_NEAR(LogMeanExcessK(55.0, 55.0 - 1e-9, 20.0), 35.0, 1e-9);
}

// Φ(θr) equals the load within 1e-12 of it, with θr inside (θi, θf], at loads whose return lies
// anywhere from 1e-9 K over the room to 1e-9 K under the supply.
TEST(EmitterModel, TheReturnGivesTheLoadAcrossTheWholeRange) {
    struct Row {
        double exponent, supplyC, roomC, returnC;  // the load is what this return gives
    };
    const Row rows[] = {
        {1.3, 55, 20, 44.146825966109020},
        {1.3, 55, 20, 20 + 1e-9},
        {1.3, 55, 20, 55 - 1e-9},
        {1.0, 35, 20, 20 + 1e-6},
        {2.0, 90, 10, 89.999},
        {1.5, 45, 22, 30},
        {1.3, 20.5, 20, 20.25},
        {1.9, 80, 0, 1e-9},
    };
    for (const Row& row : rows) {
        const Emitter emitter = Made(1500.0, row.exponent, row.roomC);
        const double load = EmitterOutputW(emitter, row.supplyC, row.returnC);
        const std::optional<double> found = ReturnForLoad(emitter, row.supplyC, load);
        ASSERT_TRUE(found) << row.returnC;
        EXPECT_GT(*found, row.roomC) << row.returnC;
        EXPECT_LE(*found, row.supplyC) << row.returnC;
        EXPECT_NEAR(EmitterOutputW(emitter, row.supplyC, *found), load, load * 1e-12)
            << row.returnC;
        EXPECT_NEAR(*found, row.returnC, 1e-6) << row.returnC;
    }
    // The mpmath root of 1000 W from Φn 2000 W at 55 °C.
    EXPECT_NEAR(*ReturnForLoad(Made(2000.0, 1.3), 55.0, 1000.0), 44.14682596610902039613, 1e-11);
    // No return gives a load that needs the whole inlet excess or more, nor heat below the room.
    const Emitter small = Made(1000.0, 1.3);
    EXPECT_FALSE(ReturnForLoad(small, 55.0, EmitterOutputW(small, 55.0, 55.0) * 1.0001));
    EXPECT_FALSE(ReturnForLoad(small, 20.0, 10.0));
    EXPECT_FALSE(ReturnForLoad(small, 15.0, 10.0));
}

TEST(EmitterModel, AnEmitterSetsItsTerminalsReturnAndFlow) {
    const Circuit circuit = OneEmitter(55.0, 45.0, 1000.0, Made(2000.0, 1.3));
    const Solution solution = Solve(circuit, BuiltIn());
    const TerminalResult& terminal = *solution.segments[0].terminal;
    ASSERT_TRUE(terminal.emitter);
    const EmitterResult& emitter = *terminal.emitter;
    EXPECT_FALSE(emitter.insufficient);
    ASSERT_TRUE(emitter.returnC);
    EXPECT_NEAR(*emitter.returnC, 44.14682596610902039613, 1e-11);
    EXPECT_EQ(*emitter.coolingK, 55.0 - *emitter.returnC);
    EXPECT_EQ(emitter.outputW, 1000.0);
    EXPECT_EQ(emitter.nominalW, 2000.0);
    // V̇ = Φ/(c_p·(θf − θr))/ρ, in the order of every other flow.
    const double rho = solution.fluid.properties.densityKgM3;
    const double cp = solution.fluid.properties.specificHeatJKgK;
    EXPECT_EQ(terminal.flowLph, 1000.0 / (cp * *emitter.coolingK) / rho * 3'600'000.0);
    EXPECT_EQ(solution.segments[0].flowLph, terminal.flowLph);
    // The margin: the output at the circuit's 55/45 against the load.
    EXPECT_NEAR(*emitter.circuitOutputW, 1021.468862768670055507, 1021.47 * 1e-13);
    EXPECT_NEAR(*emitter.marginPercent, 2.1468862768670055507, 1e-10);
    EXPECT_TRUE(EmitterWarnings(solution).empty());

    // Without a load: no return, no flow, no margin, the output at the circuit's temperatures.
    const Solution idle = Solve(OneEmitter(55.0, 45.0, 0.0, Made(2000.0, 1.3)), BuiltIn());
    const EmitterResult& none = *idle.segments[0].terminal->emitter;
    EXPECT_FALSE(none.returnC);
    EXPECT_FALSE(none.insufficient);
    EXPECT_FALSE(none.marginPercent);
    EXPECT_EQ(idle.segments[0].terminal->flowLph, 0.0);
}

// Too small at this supply, needing a cooling below 1 K, or in a room as warm as the supply: the
// flow of the circuit's Δθ, the output at that flow, and the supply that would do.
TEST(EmitterModel, AnInsufficientEmitterKeepsTheCircuitsFlowAndSaysWhy) {
    const Emitter emitter = Made(1000.0, 1.3);
    struct Row {
        const char* what;
        double supplyC, returnC, loadW;
        bool warms;  // the supply is above the room
    };
    const Row rows[] = {
        {"too small", 55, 45, 1500, true},
        {"a cooling below 1 K", 55, 45, EmitterOutputW(emitter, 55.0, 54.5), true},
        {"a supply below the room", 18, 10, 500, false},
    };
    for (const Row& row : rows) {
        const Solution with =
            Solve(OneEmitter(row.supplyC, row.returnC, row.loadW, emitter), BuiltIn());
        const Solution without =
            Solve(OneEmitter(row.supplyC, row.returnC, row.loadW, std::nullopt), BuiltIn());
        const TerminalResult& terminal = *with.segments[0].terminal;
        const EmitterResult& result = *terminal.emitter;
        EXPECT_TRUE(result.insufficient) << row.what;
        EXPECT_FALSE(result.returnC) << row.what;
        EXPECT_FALSE(result.coolingK) << row.what;
        EXPECT_EQ(terminal.flowLph, without.segments[0].terminal->flowLph) << row.what;
        const std::vector<Warning> warnings = EmitterWarnings(with);
        ASSERT_EQ(warnings.size(), 1U) << row.what;
        EXPECT_EQ(WarningCodeName(warnings[0].code), "emettitore-insufficiente");
        // The supply at which it would give the load with the circuit's Δθ.
        ASSERT_TRUE(result.neededSupplyC) << row.what;
        const double needed = *result.neededSupplyC;
        EXPECT_NEAR(EmitterOutputW(emitter, needed, needed - with.fluid.deltaK), row.loadW,
                    row.loadW * 1e-12)
            << row.what;
        EXPECT_NE(warnings[0].text.find(Amount(needed, "°C")), std::string::npos)
            << warnings[0].text;
        if (!row.warms) {
            EXPECT_EQ(result.outputW, 0.0);
            EXPECT_FALSE(result.flowReturnC);
            EXPECT_NE(warnings[0].text.find("non scalda"), std::string::npos);
            continue;
        }
        // What it gives at that flow: its output equals what the water gives up.
        const double capacity = terminal.flowLph / 3'600'000.0 * with.fluid.properties.densityKgM3 *
                                with.fluid.properties.specificHeatJKgK;
        ASSERT_TRUE(result.flowReturnC) << row.what;
        const double flowReturn = *result.flowReturnC;
        EXPECT_GT(flowReturn, 20.0);
        EXPECT_NEAR(result.outputW, capacity * (row.supplyC - flowReturn), row.loadW * 1e-9)
            << row.what;
        EXPECT_EQ(result.outputW, EmitterOutputW(emitter, row.supplyC, flowReturn));
        EXPECT_LT(result.outputW, row.loadW) << row.what;
        EXPECT_NE(warnings[0].text.find(Amount(result.outputW, "W")), std::string::npos)
            << warnings[0].text;
    }
    // A cooling of 1,5 K is enough.
    const double enough = EmitterOutputW(emitter, 55.0, 53.5);
    const Solution solution = Solve(OneEmitter(55.0, 45.0, enough, emitter), BuiltIn());
    EXPECT_FALSE(solution.segments[0].terminal->emitter->insufficient);
    EXPECT_NEAR(*solution.segments[0].terminal->emitter->coolingK, 1.5, 1e-9);
}

// Three radiators at 70/60 °C. By mpmath, the supplies at which each gives its load with a cooling
// of 10 K: 58,8879084205, 63,0954646836, 62,1299265365; of 5 K: 56,2024620280, 60,4306904619,
// 59,4608285959. The second sets both.
TEST(EmitterModel, TheLowestSupplyOfThreeRadiators) {
    Circuit circuit;
    circuit.fluid = {FluidType::Acqua, 0.0, 70.0, 60.0};
    const struct {
        const char* id;
        double nominalW, exponent, loadW;
    } radiators[] = {{"R1", 1500, 1.3, 900}, {"R2", 2000, 1.3, 1400}, {"R3", 1200, 1.35, 800}};
    for (const auto& radiator : radiators) {
        Segment segment = Fixed(radiator.id, std::nullopt, 4.0, "15×1", 13.0);
        segment.terminal = Radiator(radiator.loadW, Terminal::Device::None, 0.0);
        segment.terminal->emitter = Made(radiator.nominalW, radiator.exponent);
        circuit.segments.push_back(segment);
    }
    // A terminal without a load needs no emitter.
    Segment idle = Fixed("R0", std::nullopt, 4.0, "15×1", 13.0);
    idle.terminal = Radiator(0.0, Terminal::Device::None, 0.0);
    circuit.segments.push_back(idle);

    struct Row {
        std::optional<double> minimumDropK;
        double expectedC;
        std::vector<double> each;
    };
    const Row rows[] = {
        {std::nullopt,
         63.09546468359547447972,
         {58.887908420499646, 63.09546468359547, 62.129926536527364}},
        {5.0, 60.43069046187965175529, {56.202462028043229, 60.43069046187965, 59.460828595884988}},
    };
    for (const Row& row : rows) {
        circuit.emitterSettings = EmitterSettings{row.minimumDropK};
        const Solution solution = Solve(circuit, BuiltIn());
        ASSERT_TRUE(solution.lowestSupply);
        EXPECT_NEAR(solution.lowestSupply->supplyC, row.expectedC, 1e-11);
        EXPECT_EQ(solution.lowestSupply->segment, 1U);
        EXPECT_EQ(solution.lowestSupply->minimumDropK, row.minimumDropK.value_or(10.0));
        for (std::size_t i = 0; i < row.each.size(); ++i) {
            EXPECT_NEAR(*solution.segments[i].terminal->emitter->lowestSupplyC, row.each[i], 1e-11);
        }
    }
    // A terminal with a load and no emitter: no lowest supply.
    circuit.segments.back().terminal->loadValue = 100.0;
    EXPECT_FALSE(Solve(circuit, BuiltIn()).lowestSupply);
}

// The water and the vessel worked out by hand from the formula: 200 l in the volumes and the
// emitter (the pipe has no length), water ρ(10 °C) 999,7015 and ρ(70 °C) 977,7793 kg/m³:
//   Ve = (999,7015/977,7793 − 1)·200 = 4,484079 l, VWR = max(1; 3) = 3 l,
//   p0 = 999,7015·9,80665·10/10⁵ + 0,2 = 1,180372 bar, pe = 3 − max(0,5; 0,3) = 2,5 bar,
//   Vn = (4,484079 + 3)·3,5/(2,5 − 1,180372) = 19,84975 l.
TEST(EmitterModel, TheWaterAndTheVesselByHand) {
    Circuit circuit = OneEmitter(70.0, 60.0, 1000.0, Made(2000.0, 1.3, 20.0, 12.5), 0.0);
    circuit.volumes = Volumes{150.0, 37.5};
    circuit.vessel = Vessel{10.0, 3.0, std::nullopt};
    const Solution solution = Solve(circuit, BuiltIn());
    EXPECT_EQ(solution.water.pipesL, 0.0);
    EXPECT_EQ(solution.water.emittersL, 12.5);
    EXPECT_EQ(solution.water.totalL, 200.0);
    ASSERT_TRUE(solution.vessel);
    const VesselSizing& vessel = *solution.vessel;
    EXPECT_EQ(vessel.maximumC, 70.0);
    EXPECT_NEAR(vessel.fillDensityKgM3, 999.7015, 1e-4);
    EXPECT_NEAR(vessel.maximumDensityKgM3, 977.7793, 1e-4);
    EXPECT_NEAR(vessel.expansionL, 4.484079, 1e-5);
    EXPECT_EQ(vessel.reserveL, 3.0);
    EXPECT_NEAR(vessel.prechargeBar, 1.180372, 1e-6);
    EXPECT_EQ(vessel.finalBar, 2.5);
    EXPECT_NEAR(vessel.nominalL, 19.84975, 1e-4);

    // A pipe's water is π·d²/4 × its length, which already counts both legs; a large circuit's
    // reserve is 0,5 % of its water; θmax as given.
    circuit.segments[0].lengthM = 100.0;
    circuit.volumes = Volumes{1000.0, 0.0};
    circuit.vessel->maximumC = 80.0;
    const Solution larger = Solve(circuit, BuiltIn());
    EXPECT_EQ(larger.water.pipesL, std::numbers::pi * (0.02 * 0.02) / 4.0 * 100.0 * 1000.0);
    EXPECT_EQ(larger.vessel->maximumC, 80.0);
    EXPECT_EQ(larger.vessel->reserveL, 0.005 * larger.water.totalL);

    // Without a vaso, the water only.
    circuit.vessel.reset();
    EXPECT_FALSE(Solve(circuit, BuiltIn()).vessel);
}

TEST(EmitterModel, WhatCannotBeWorkedOutIsRefusedWithTheReason) {
    const auto withVessel = [](double heightM, double valveBar) {
        Circuit circuit = OneEmitter(70.0, 60.0, 1000.0, std::nullopt);
        circuit.vessel = Vessel{heightM, valveBar, std::nullopt};
        return circuit;
    };
    Circuit cooling = OneEmitter(7.0, 12.0, 1000.0, std::nullopt);
    cooling.vessel = Vessel{5.0, 3.0, std::nullopt};
    Circuit steep = OneEmitter(70.0, 60.0, 1000.0, Made(1000.0, 2.01));
    Circuit drop = OneEmitter(70.0, 60.0, 1000.0, std::nullopt);
    drop.emitterSettings = EmitterSettings{0.5};
    struct Row {
        const char* what;
        Circuit circuit;
        std::vector<std::string> says;
    };
    const Row rows[] = {
        // pe = 1,5 − 0,5 = 1 bar, p0 = 1,18 bar.
        {"pe not above p0", withVessel(10.0, 1.5), {"Vaso", "pe 1 bar", "precarica p0 1,18"}},
        {"pe equal to p0", withVessel(0.0, 0.7), {"Vaso", "pe 0,2 bar", "p0 0,2 bar"}},
        {"cooling without θmax", cooling, {"Vaso, temperatura_massima", "raffrescamento"}},
        {"an exponent over 2", steep, {"esponente", "tra 1 e 2"}},
        {"a salto_minimo below 1 K", drop, {"Emettitori, salto_minimo", "tra 1 e 50 K"}},
    };
    for (const Row& row : rows) {
        const std::string fault = SolveFault(row.circuit);
        for (const std::string& piece : row.says) {
            EXPECT_NE(fault.find(piece), std::string::npos) << row.what << ": " << fault;
        }
    }
    EXPECT_EQ(SolveFault(withVessel(0.0, 0.71)), "(solved)");
}

// An emitter from a catalogue model: figures that differ from the model's times its sections get
// the warning dimensioni-diverse, the file's figures holding; the per-section products' rounding
// does not count; a model the catalogue lacks gets none.
TEST(EmitterModel, FiguresOtherThanTheCataloguesAreNamed) {
    const catalogues::EmitterModel& model = *BuiltIn().FindEmitter("Esempio alluminio 600");
    const Emitter listed = EmitterFromModel(model, 12, 20.0);
    EXPECT_EQ(listed.nominalW, 1620.0);
    EXPECT_EQ(listed.exponent, 1.33);
    struct Row {
        const char* what;
        double nominalW, exponent, contentL;
        const char* model;
        bool warns;
    };
    const Row rows[] = {
        {"as listed", listed.nominalW, listed.exponent, listed.contentL, model.name.c_str(), false},
        {"4,2 l typed", 1620.0, 1.33, 4.2, model.name.c_str(), false},
        {"another output", 1600.0, 1.33, 4.2, model.name.c_str(), true},
        {"another exponent", 1620.0, 1.3, 4.2, model.name.c_str(), true},
        {"another content", 1620.0, 1.33, 4.0, model.name.c_str(), true},
        {"a model not in the catalogue", 1600.0, 1.3, 0.0, "Altro", false},
    };
    for (const Row& row : rows) {
        Emitter emitter = Made(row.nominalW, row.exponent, 20.0, row.contentL);
        emitter.model = row.model;
        emitter.sections = 12;
        const Solution solution = Solve(OneEmitter(70.0, 60.0, 1000.0, emitter), BuiltIn());
        std::vector<std::string> texts;
        for (const Warning& warning : solution.warnings) {
            if (warning.code == WarningCode::DimensioniDiverse) {
                texts.push_back(warning.text);
            }
        }
        ASSERT_EQ(texts.size(), row.warns ? 1U : 0U) << row.what;
        if (row.warns) {
            EXPECT_NE(texts[0].find("«Esempio alluminio 600» di 12 elementi"), std::string::npos)
                << texts[0];
            EXPECT_NE(texts[0].find("valgono quelli del file"), std::string::npos) << texts[0];
        }
    }
}

// The window's three radiators (A feeding R1, R2 and R3) at 55/45 °C, each with its emitter:
// every flow follows from its radiator. The figures are those of emitter_circuit_check.py, an
// independent recomputation at 40 digits from the ln form, and agree to 1e-9.
TEST(EmitterModel, TheThreeRadiatorCircuitWithEmittersAgreesWithAnIndependentRecomputation) {
    Circuit circuit;
    circuit.fluid = {FluidType::Acqua, 0.0, 55.0, 45.0};
    Segment a = Fixed("A", std::nullopt, 12.0, "22×1", 20.0);
    a.valves = {{6.3, "valvola a sfera"}};
    Segment r1 = Fixed("R1", "A", 6.0, "", 0.0);
    r1.tube = {"rame", true, "", 0.0, 0.0};
    r1.terminal = Radiator(1500.0, Terminal::Device::Kv, 0.8);
    r1.terminal->emitter = Made(3200.0, 1.3);
    Segment r2 = Fixed("R2", "A", 9.0, "15×1", 13.0);
    r2.terminal = Radiator(2000.0, Terminal::Device::PressureDrop, 1000.0);
    r2.terminal->emitter = Made(3900.0, 1.33);
    Segment r3 = Fixed("R3", "A", 3.0, "", 0.0);
    r3.tube = {"rame", true, "", 0.0, 0.0};
    r3.terminal = Radiator(800.0, Terminal::Device::None, 0.0);
    r3.terminal->emitter = Made(1700.0, 1.3, 24.0);
    circuit.segments = {a, r1, r2, r3};
    const Solution solution = Solve(circuit, BuiltIn());
    // The script takes the program's ρ and c_p of water at 50 °C.
    EXPECT_EQ(solution.fluid.properties.densityKgM3, 988.04747686526878);
    EXPECT_EQ(solution.fluid.properties.specificHeatJKgK, 4179.5540028988817);

    const struct {
        std::size_t segment;
        double returnC, coolingK, flowLph;
    } rows[] = {
        {1, 41.700296814055193982, 13.299703185944806018, 98.320495049391798189},
        {2, 45.789898700802234674, 9.2101012991977653258, 189.30423727492428245},
        {3, 49.025517823634603008, 5.9744821763653969917, 116.73053163111752869},
    };
    for (const auto& row : rows) {
        const TerminalResult& terminal = *solution.segments[row.segment].terminal;
        const EmitterResult& emitter = *terminal.emitter;
        EXPECT_NEAR(*emitter.returnC, row.returnC, row.returnC * 1e-9) << row.segment;
        EXPECT_NEAR(*emitter.coolingK, row.coolingK, row.coolingK * 1e-9) << row.segment;
        EXPECT_NEAR(terminal.flowLph, row.flowLph, row.flowLph * 1e-9) << row.segment;
    }
    EXPECT_NEAR(solution.pump.flowLph, 404.35526395543360934, 404.36 * 1e-9);
    EXPECT_NEAR(solution.segments[0].flowLph, 404.35526395543360934, 404.36 * 1e-9);
    // R3, in a warmer room, sets the lowest supply: above the circuit's own 55 °C, as it gives
    // its load only with a cooling of 6 K, not the 10 K asked.
    ASSERT_TRUE(solution.lowestSupply);
    EXPECT_NEAR(solution.lowestSupply->supplyC, 57.204231662072939983, 57.2 * 1e-9);
    EXPECT_EQ(solution.lowestSupply->segment, 3U);
}

// Over random trees with an emitter at every terminal: each gives its load within 1e-12 of it at
// its return, and its flow is the one its cooling sets.
TEST(EmitterModel, EveryEmitterOfARandomTreeGivesItsLoad) {
    for (const std::uint64_t seed : {7U, 8U}) {
        const Circuit circuit = WithEmitters(RandomCircuit(500, seed));
        const Solution solution = Solve(circuit, BuiltIn());
        const double rho = solution.fluid.properties.densityKgM3;
        const double cp = solution.fluid.properties.specificHeatJKgK;
        for (std::size_t i = 0; i < circuit.segments.size(); ++i) {
            const std::optional<TerminalResult>& terminal = solution.segments[i].terminal;
            if (!terminal) {
                continue;
            }
            const Emitter& emitter = *circuit.segments[i].terminal->emitter;
            const EmitterResult& result = *terminal->emitter;
            ASSERT_FALSE(result.insufficient) << circuit.segments[i].id;
            EXPECT_NEAR(EmitterOutputW(emitter, 70.0, *result.returnC), terminal->loadW,
                        terminal->loadW * 1e-12);
            EXPECT_EQ(terminal->flowLph,
                      terminal->loadW / (cp * *result.coolingK) / rho * 3'600'000.0);
        }
        ASSERT_TRUE(solution.lowestSupply);
    }
}

}  // namespace
}  // namespace idrovela::circuit
