// The sheet's operations on emitters: the supply set to the lowest at which every emitter gives
// its load, as one edit that undoes, and refused where it cannot be.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "circuit/emitter.h"
#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet {
namespace {

using test::Open;
using test::Refusal;
using test::Take;
using test::ThreeRadiators;
using test::ThreeRadiatorsWithEmitters;

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
