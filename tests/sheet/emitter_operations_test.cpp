// The sheet's operations on emitters: a terminal's emitter added, changed and removed through the
// detail pane's form; the supply set to the lowest at which every emitter gives its load, as one
// edit that undoes, and refused where it cannot be.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "circuit/emitter.h"
#include "sheet/input.h"
#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet {
namespace {

using test::Open;
using test::Refusal;
using test::Take;
using test::ThreeRadiators;
using test::ThreeRadiatorsWithEmitters;

// Each edit of R1's emitter through the pane's form, from R1 with or without an emitter of
// 2 000 W, n 1,4, in a room at 18 °C holding 6 l: the edit's name and the emitter it leaves, or
// the refusal, the engine's own where a figure is out of its range.
TEST(EmitterOperations, ThePaneAddsChangesAndRemovesAnEmitter) {
    const circuit::Emitter given{2000.0, 1.4, 18.0, 6.0, "", 0};
    struct Row {
        const char* what;
        bool withEmitter;
        std::function<void(TerminalForm&)> change;
        std::string nameOrRefusal;
        std::optional<circuit::Emitter> after;
    };
    const auto figures = [](const char* nominal, const char* exponent, const char* room,
                            const char* content) {
        return [=](TerminalForm& form) {
            form.emitter.present = true;
            form.emitter.nominalText = nominal;
            form.emitter.exponentText = exponent;
            form.emitter.roomText = room;
            form.emitter.contentText = content;
        };
    };
    const std::string engine = "Tratto «R1», terminale, emettitore, ";
    const Row rows[] = {
        {"added with the defaults", false, figures("1800", "", "", ""),
         "Aggiungi emettitore a «R1»", circuit::Emitter{1800.0, 1.3, 20.0, 0.0, "", 0}},
        {"added with every figure", false, figures("1800,5", "1,25", "22", "3,5"),
         "Aggiungi emettitore a «R1»", circuit::Emitter{1800.5, 1.25, 22.0, 3.5, "", 0}},
        {"n at 1,0 and 2,0 inclusive", false, figures("1800", "2", "", ""),
         "Aggiungi emettitore a «R1»", circuit::Emitter{1800.0, 2.0, 20.0, 0.0, "", 0}},
        {"n changed", true, [](TerminalForm& form) { form.emitter.exponentText = "1"; },
         "Modifica emettitore di «R1»", circuit::Emitter{2000.0, 1.0, 18.0, 6.0, "", 0}},
        {"content to 0", true, [](TerminalForm& form) { form.emitter.contentText = "0"; },
         "Modifica emettitore di «R1»", circuit::Emitter{2000.0, 1.4, 18.0, 0.0, "", 0}},
        {"removed", true, [](TerminalForm& form) { form.emitter.present = false; },
         "Rimuovi emettitore da «R1»", std::nullopt},
        {"with the load", true,
         [](TerminalForm& form) {
             form.loadText = "1400";
             form.emitter.nominalText = "2100";
         },
         "Modifica terminale di «R1»", circuit::Emitter{2100.0, 1.4, 18.0, 6.0, "", 0}},
        {"Φn 0", false, figures("0", "", "", ""), engine + "potenza_nominale: ", std::nullopt},
        {"n above 2", true, [](TerminalForm& form) { form.emitter.exponentText = "2,01"; },
         engine + "esponente: ", std::nullopt},
        {"n below 1", false, figures("1800", "0,99", "", ""), engine + "esponente: ", std::nullopt},
        {"room at 90 °C", true, [](TerminalForm& form) { form.emitter.roomText = "90"; },
         engine + "ambiente: ", std::nullopt},
        {"content below 0", true, [](TerminalForm& form) { form.emitter.contentText = "-1"; },
         engine + "contenuto: ", std::nullopt},
        {"Φn not a number", false, figures("tanti", "", "", ""),
         "Potenza nominale: «tanti» non è un numero", std::nullopt},
        {"Φn left empty", false, figures("", "", "", ""), "Potenza nominale: ", std::nullopt},
        {"on a flow", false,
         [&figures](TerminalForm& form) {
             figures("1800", "", "", "")(form);
             form.load = circuit::Terminal::Load::Flow;
             form.loadText = "90";
         },
         engine.substr(0, engine.size() - 2) + ": un terminale dato con la portata", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        circuit::Circuit circuit = ThreeRadiators();
        if (row.withEmitter) {
            circuit.segments[1].terminal->emitter = given;
        }
        auto document = Open(circuit);
        TerminalForm form = TerminalFormOf(document->Circuit().segments[1]);
        row.change(form);
        if (!row.after && row.nameOrRefusal.rfind("Rimuovi", 0) != 0) {
            const std::string refusal = Refusal(*document, TerminalEdit(*document, 1, form));
            EXPECT_EQ(refusal.rfind(row.nameOrRefusal, 0), 0u) << refusal;
            EXPECT_EQ(document->Circuit(), circuit);
            continue;
        }
        auto edit = Take(*document, TerminalEdit(*document, 1, form));
        ASSERT_TRUE(edit);
        EXPECT_EQ(edit->name, row.nameOrRefusal);
        EXPECT_EQ(document->Circuit().segments[1].terminal->emitter, row.after);
        // With an emitter the flow follows from it; undone, the terminal is back.
        if (row.after) {
            EXPECT_TRUE(document->Solution()->segments[1].terminal->emitter);
        }
        document->Undo(*edit);
        EXPECT_EQ(document->Circuit(), circuit);
    }
}

// The salto minimo, the volumes and the vessel in the settings' form: each change one edit named
// for it that undoes, a field left empty taking the file's default, and a value out of range
// refused with the engine's message.
TEST(EmitterOperations, TheSettingsEditTheSaltoMinimoTheVolumesAndTheVessel) {
    struct Row {
        const char* what;
        std::function<void(SettingsForm&)> change;
        std::string nameOrRefusal;
        std::function<bool(const circuit::Circuit&)> holds;
    };
    const Row rows[] = {
        {"salto minimo", [](SettingsForm& form) { form.minimumDropText = "5,5"; },
         "Modifica salto minimo",
         [](const circuit::Circuit& c) {
             return c.emitterSettings == circuit::EmitterSettings{5.5};
         }},
        {"salto minimo at 1 K", [](SettingsForm& form) { form.minimumDropText = "1"; },
         "Modifica salto minimo",
         [](const circuit::Circuit& c) {
             return c.emitterSettings == circuit::EmitterSettings{1.0};
         }},
        {"salto minimo at 50 K", [](SettingsForm& form) { form.minimumDropText = "50"; },
         "Modifica salto minimo",
         [](const circuit::Circuit& c) {
             return c.emitterSettings == circuit::EmitterSettings{50.0};
         }},
        {"the generator alone", [](SettingsForm& form) { form.generatorText = "12"; },
         "Modifica volumi",
         [](const circuit::Circuit& c) {
             return c.volumes == circuit::Volumes{12.0, 0.0};
         }},
        {"a vessel with its maximum by default",
         [](SettingsForm& form) {
             form.staticHeightText = "8";
             form.reliefValveText = "3";
         },
         "Modifica vaso di espansione",
         [](const circuit::Circuit& c) {
             return c.vessel == circuit::Vessel{8.0, 3.0, std::nullopt};
         }},
        {"a vessel with its maximum",
         [](SettingsForm& form) {
             form.reliefValveText = "3";
             form.maximumText = "90";
         },
         "Modifica vaso di espansione",
         [](const circuit::Circuit& c) {
             return c.vessel == circuit::Vessel{0.0, 3.0, 90.0};
         }},
        {"several",
         [](SettingsForm& form) {
             form.minimumDropText = "5";
             form.otherText = "1";
         },
         "Modifica impostazioni del circuito",
         [](const circuit::Circuit& c) {
             return c.emitterSettings && c.volumes == circuit::Volumes{0.0, 1.0};
         }},
        {"salto minimo below 1 K", [](SettingsForm& form) { form.minimumDropText = "0,9"; },
         "Emettitori, salto_minimo: ", nullptr},
        {"a volume below 0", [](SettingsForm& form) { form.otherText = "-1"; },
         "Volumi, altro: ", nullptr},
        {"a vessel without its relief valve",
         [](SettingsForm& form) { form.staticHeightText = "8"; },
         "Vaso, valvola_sicurezza: ", nullptr},
        {"a height not a number",
         [](SettingsForm& form) {
             form.staticHeightText = "alto";
             form.reliefValveText = "3";
         },
         "Altezza statica: «alto» non è un numero", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const circuit::Circuit circuit = ThreeRadiatorsWithEmitters(2500.0);
        auto document = Open(circuit);
        SettingsForm form = SettingsFormOf(document->Circuit());
        row.change(form);
        if (!row.holds) {
            const std::string refusal = Refusal(*document, SettingsEdit(*document, form));
            EXPECT_EQ(refusal.rfind(row.nameOrRefusal, 0), 0u) << refusal;
            EXPECT_EQ(document->Circuit(), circuit);
            continue;
        }
        auto edit = Take(*document, SettingsEdit(*document, form));
        ASSERT_TRUE(edit);
        EXPECT_EQ(edit->name, row.nameOrRefusal);
        EXPECT_TRUE(row.holds(document->Circuit()));
        // Shown again, the form changes nothing.
        form = SettingsFormOf(document->Circuit());
        EXPECT_TRUE(std::holds_alternative<NoChange>(SettingsEdit(*document, form)));
        document->Undo(*edit);
        EXPECT_EQ(document->Circuit(), circuit);
    }

    // A vessel emptied goes, and with it the nominal volume.
    circuit::Circuit withVessel = ThreeRadiatorsWithEmitters(2500.0);
    withVessel.vessel = circuit::Vessel{8.0, 3.0, std::nullopt};
    auto document = Open(withVessel);
    ASSERT_TRUE(document->Solution()->vessel);
    SettingsForm form = SettingsFormOf(document->Circuit());
    EXPECT_EQ(form.reliefValveText, "3");
    EXPECT_EQ(form.maximumText, "");
    form.staticHeightText.clear();
    form.reliefValveText.clear();
    ASSERT_TRUE(Take(*document, SettingsEdit(*document, form)));
    EXPECT_FALSE(document->Circuit().vessel);
    EXPECT_FALSE(document->Solution()->vessel);
}

// A catalogue model with no sections typed gets the proposed number; the file keeps Φn and the
// content as sections times the model's, with the model and the sections. Sections typed are
// taken as they are, from 1 to 1000; another number, or a model not in the catalogue, is refused.
TEST(EmitterOperations, AModelFromTheCatalogueWithItsProposedSections) {
    auto document = Open(ThreeRadiatorsWithEmitters(2500.0));
    const catalogues::EmitterModel& model =
        *document->Catalogue().FindEmitter("Esempio alluminio 600");
    const std::optional<std::int64_t> proposed = ProposedSectionsAt(*document, 1, model.name, 20.0);
    // R1, 1 500 W at 70 °C with a cooling of 10 K, as ProposedSections works it out.
    ASSERT_TRUE(proposed);
    EXPECT_EQ(proposed, circuit::ProposedSections(model, 1500.0, 70.0, 10.0, 20.0));
    EXPECT_FALSE(ProposedSectionsAt(*document, 1, "Nessuno", 20.0));
    EXPECT_FALSE(ProposedSectionsAt(*document, 0, model.name, 20.0));  // no terminal

    TerminalForm form = TerminalFormOf(document->Circuit().segments[1]);
    form.emitter.model = model.name;
    auto edit = Take(*document, TerminalEdit(*document, 1, form));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->name, "Modifica emettitore di «R1»");
    const circuit::Emitter& chosen = *document->Circuit().segments[1].terminal->emitter;
    EXPECT_EQ(chosen, circuit::EmitterFromModel(model, *proposed, 20.0));
    EXPECT_EQ(chosen.model, model.name);
    EXPECT_EQ(chosen.sections, *proposed);
    EXPECT_FALSE(document->Solution()->segments[1].terminal->emitter->insufficient);

    // The sections typed; then Φn typed over the model's, which is no longer the model's.
    form = TerminalFormOf(document->Circuit().segments[1]);
    EXPECT_EQ(form.emitter.sectionsText, std::to_string(*proposed));
    form.emitter.sectionsText = "1000";
    ASSERT_TRUE(Take(*document, TerminalEdit(*document, 1, form)));
    EXPECT_EQ(document->Circuit().segments[1].terminal->emitter->nominalW, 1000.0 * model.sectionW);
    form = TerminalFormOf(document->Circuit().segments[1]);
    form.emitter.nominalText = "1900";
    ASSERT_TRUE(Take(*document, TerminalEdit(*document, 1, form)));
    EXPECT_EQ(document->Circuit().segments[1].terminal->emitter,
              (circuit::Emitter{1900.0, model.exponent, 20.0, 1000.0 * model.sectionL, "", 0}));

    for (const char* sections : {"0", "1001", "2,5", "100000000000000000000000"}) {
        form = TerminalFormOf(document->Circuit().segments[1]);
        form.emitter.model = model.name;
        form.emitter.sectionsText = sections;
        EXPECT_EQ(Refusal(*document, TerminalEdit(*document, 1, form)),
                  "Elementi: «" + std::string(sections) + "» non è un numero intero da 1 a 1000.");
    }
    form.emitter.model = "Nessuno";
    EXPECT_EQ(Refusal(*document, TerminalEdit(*document, 1, form)),
              "Modello: «Nessuno» non è nel catalogo degli emettitori.");
}

TEST(EmitterOperations, TheLowestSupplyIsOneEditThatUndoes) {
    auto document = Open(ThreeRadiatorsWithEmitters(2500.0));
    const double lowest = document->Solution()->lowestSupply->supplyC;
    // R2, 2000 W from 2500 W, sets it.
    EXPECT_EQ(document->Circuit().segments[document->Solution()->lowestSupply->segment].id, "R2");
    auto edit = Take(*document, SetLowestSupply(*document));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->name, "Imposta la mandata minima");
    const circuit::Fluid& fluid = document->Circuit().fluid;
    // Rounded up to the tenth above, the Δθ of 10 K kept.
    EXPECT_GE(fluid.supplyC, lowest);
    EXPECT_LT(fluid.supplyC - 0.1, lowest);
    EXPECT_EQ(std::round(fluid.supplyC * 10.0) / 10.0, fluid.supplyC);
    EXPECT_EQ(fluid.returnC, fluid.supplyC - 10.0);
    // Every emitter now gives its load.
    for (const circuit::SegmentResult& segment : document->Solution()->segments) {
        if (segment.terminal) {
            EXPECT_FALSE(segment.terminal->emitter->insufficient);
        }
    }
    // Once there, nothing changes; undone, the supply is back.
    EXPECT_EQ(Refusal(*document, SetLowestSupply(*document)), "");
    document->Undo(*edit);
    EXPECT_EQ(document->Circuit().fluid.supplyC, 70.0);
    EXPECT_EQ(document->Circuit().fluid.returnC, 60.0);
}

TEST(EmitterOperations, TheLowestSupplyIsRefusedWhereItCannotBe) {
    // A terminal with a load and no emitter: no lowest supply.
    circuit::Circuit partial = ThreeRadiatorsWithEmitters(2500.0);
    partial.segments[1].terminal->emitter.reset();
    auto document = Open(partial);
    EXPECT_NE(Refusal(*document, SetLowestSupply(*document)).find("emettitore"), std::string::npos);

    // Large emitters asked for a cooling of 1 K: a supply a little over the room, and a return
    // 30 K below it, in ice, which the engine refuses with its message.
    circuit::Circuit wide = ThreeRadiatorsWithEmitters(100'000.0);
    wide.fluid.returnC = 40.0;
    wide.emitterSettings = circuit::EmitterSettings{1.0};
    auto cold = Open(wide);
    ASSERT_TRUE(cold->Solution()->lowestSupply);
    EXPECT_LT(cold->Solution()->lowestSupply->supplyC, 25.0);
    const std::string refusal = Refusal(*cold, SetLowestSupply(*cold));
    EXPECT_NE(refusal.find("Fluido"), std::string::npos) << refusal;
    EXPECT_EQ(cold->Circuit().fluid.supplyC, 70.0);
}

// The fewest sections of a model that give the load with a cooling of at least the salto minimo.
TEST(EmitterOperations, TheFewestSectionsThatGiveTheLoad) {
    catalogues::EmitterModel model;
    model.name = "Prova";
    model.sectionW = 100.0;
    model.exponent = 1.3;
    model.sectionL = 0.5;
    struct Row {
        double loadW, supplyC, dropK;
        std::optional<std::int64_t> sections;
    };
    const Row rows[] = {
        // At 75/65/20 a section gives 100 W exactly: 10 for 1000 W, 11 for a watt more.
        {1000.0, 75.0, 10.0, 10},
        {1001.0, 75.0, 10.0, 11},
        {1.0, 75.0, 10.0, 1},
        // At 55/45/20 a section gives 51,0734 W: 1000 W needs 20.
        {1000.0, 55.0, 10.0, 20},
        // The return at or below the room, or more than 1000 sections: none.
        {1000.0, 30.0, 10.0, std::nullopt},
        {1e6, 55.0, 10.0, std::nullopt},
    };
    for (const Row& row : rows) {
        const std::optional<std::int64_t> sections =
            circuit::ProposedSections(model, row.loadW, row.supplyC, row.dropK, 20.0);
        EXPECT_EQ(sections, row.sections) << row.loadW << " W at " << row.supplyC;
        if (sections) {
            const circuit::Emitter emitter = circuit::EmitterFromModel(model, *sections, 20.0);
            EXPECT_EQ(emitter.nominalW, 100.0 * static_cast<double>(*sections));
            EXPECT_EQ(emitter.contentL, 0.5 * static_cast<double>(*sections));
            EXPECT_GE(circuit::EmitterOutputW(emitter, row.supplyC, row.supplyC - row.dropK),
                      row.loadW);
            if (*sections > 1) {
                const circuit::Emitter fewer =
                    circuit::EmitterFromModel(model, *sections - 1, 20.0);
                EXPECT_LT(circuit::EmitterOutputW(fewer, row.supplyC, row.supplyC - row.dropK),
                          row.loadW);
            }
        }
    }
}

}  // namespace
}  // namespace idrovela::sheet
