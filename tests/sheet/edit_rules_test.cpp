// The rules a sheet edit keeps: what it refuses before the engine sees it, the id a new segment
// gets, where a new segment goes, the rows a view is told of when a structural edit is undone,
// when the circuit counts as modified, and which figures an edit leaves as they were.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "circuit/write.h"
#include "sheet/input.h"
#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet::test {
namespace {

// What a document tells its view, each change in words, its segments named by their ids as
// they are when it tells.
class Recorder final : public DocumentListener {
  public:
    explicit Recorder(Document& document) : document_(document) { document.SetListener(this); }
    ~Recorder() override { document_.SetListener(nullptr); }

    void BeforeInsert(std::optional<std::size_t> parent, std::size_t row) override {
        events.push_back("insert " + Name(parent) + " " + std::to_string(row));
    }
    void AfterInsert() override {}
    void BeforeRemove(std::optional<std::size_t> parent, std::size_t row) override {
        events.push_back("remove " + Name(parent) + " " + std::to_string(row));
    }
    void AfterRemove() override {}
    void BeforeMove(std::optional<std::size_t> from, std::size_t fromRow,
                    std::optional<std::size_t> to, std::size_t toRow) override {
        events.push_back("move " + Name(from) + " " + std::to_string(fromRow) + " → " + Name(to) +
                         " " + std::to_string(toRow));
    }
    void AfterMove() override {}
    void Recalculated(const std::vector<std::size_t>&) override {}

    std::vector<std::string> events;

  private:
    [[nodiscard]] std::string Name(std::optional<std::size_t> segment) const {
        return segment ? document_.Circuit().segments[*segment].id : "sorgente";
    }
    Document& document_;
};

// The three radiators (A, R1, R2, R3 in file order) with segments under R2 put in at the given
// places, in ascending order.
circuit::Circuit UnderR2(const std::vector<std::pair<std::size_t, const char*>>& added) {
    circuit::Circuit circuit = ThreeRadiators();
    for (const auto& [at, id] : added) {
        circuit::Segment segment;
        segment.id = id;
        segment.upstream = "R2";
        segment.tube = {"rame", true, "", 0, 0};
        circuit.segments.insert(circuit.segments.begin() + static_cast<std::ptrdiff_t>(at),
                                segment);
    }
    return circuit;
}

TEST(SheetRules, ATakenIdOrASpaceAtEitherEndIsRefusedBeforeTheEngine) {
    auto document = Open(ThreeRadiators());
    const auto named = [&](const char* id) {
        circuit::Segment segment = NewSegment(*document, 0);
        segment.id = id;
        return segment;
    };
    const std::pair<Proposal, std::string> cases[] = {
        {Rename(*document, 1, "R2"), "L'id «R2» è già di un altro tratto."},
        {Rename(*document, 1, " R1"), "« R1» comincia o finisce con uno spazio."},
        {Rename(*document, 1, "R1 "), "«R1 » comincia o finisce con uno spazio."},
        {AddDownstream(*document, 0, named("R2")), "L'id «R2» è già di un altro tratto."},
        {AddAfter(*document, 1, named("A")), "L'id «A» è già di un altro tratto."},
        {AddAfter(*document, 1, named(" T")), "« T» comincia o finisce con uno spazio."},
    };
    for (const auto& [proposal, reason] : cases) {
        ASSERT_TRUE(std::holds_alternative<std::string>(proposal)) << reason;
        EXPECT_EQ(std::get<std::string>(proposal), reason);
    }
    EXPECT_TRUE(std::holds_alternative<Edit>(Rename(*document, 1, "R 1")));
}

TEST(SheetRules, ANewSegmentTakesTheFirstFreeId) {
    struct Case {
        std::vector<const char*> ids;  // R1, R2, R3 renamed
        const char* expected;
    };
    const Case cases[] = {
        {{"R1", "R2", "R3"}, "T1"}, {{"T1", "R2", "R3"}, "T2"},    {{"T1", "T3", "R3"}, "T2"},
        {{"T2", "T3", "T1"}, "T4"}, {{"T01", "T 1", "T1x"}, "T1"}, {{"T3", "T4", "T5"}, "T1"},
    };
    for (const Case& c : cases) {
        circuit::Circuit circuit = ThreeRadiators();
        for (std::size_t i = 0; i < 3; ++i) {
            circuit.segments[i + 1].id = c.ids[i];
        }
        const auto document = Open(circuit);
        EXPECT_EQ(NewSegment(*document, std::nullopt).id, c.expected) << c.ids[0];
    }
    EXPECT_EQ(NewSegment(Document(BuiltIn()), std::nullopt).id, "T1");
}

// "Aggiungi dopo": the new segment stands right after its sibling, under the same upstream
// segment, in the tree and in file order (before the sibling's own downstream segments).
TEST(SheetRules, AddAfterPutsTheSegmentRightAfterItsSibling) {
    struct Case {
        const char* sibling;
        std::size_t index;
        std::optional<std::string> upstream;
        const char* told;
    };
    const Case cases[] = {
        {"R1", 2, "A", "insert A 1"},
        {"R2", 3, "A", "insert A 2"},
        {"R3", 5, "A", "insert A 3"},
        {"X", 4, "R2", "insert R2 1"},
        {"A", 1, std::nullopt, "insert sorgente 1"},
    };
    for (const Case& c : cases) {
        auto document = Open(UnderR2({{3, "X"}}));  // A, R1, R2, X, R3
        Recorder recorder(*document);
        const std::size_t sibling = *document->Find(c.sibling);
        const circuit::Segment added = NewSegment(*document, sibling);
        ASSERT_TRUE(Take(*document, AddAfter(*document, sibling, added)));
        EXPECT_EQ(document->Find(added.id), c.index) << c.sibling;
        EXPECT_EQ(document->Circuit().segments[c.index].upstream, c.upstream) << c.sibling;
        EXPECT_EQ(recorder.events, std::vector<std::string>{c.told});
        const std::size_t row = document->Tree().Row(c.index);
        EXPECT_EQ(document->Tree().Row(*document->Find(c.sibling)) + 1, row) << c.sibling;
    }
}

// A subtree removed and brought back, R2's segments one before it and one after R3 in file
// order (A, R1, X, R2, R3, Z): the view is told the rows as they were, in the order it needs
// them (a segment back in its place before its segments move back under it).
TEST(SheetRules, UndoingAStructuralEditTellsTheRowsWhereTheyWere) {
    struct Case {
        std::function<Proposal(const Document&)> edit;
        std::vector<std::string> done;
        std::vector<std::string> undone;
    };
    const Case cases[] = {
        {[](const Document& d) { return RemoveWithDownstream(d, 3); },
         {"remove A 1"},
         {"insert A 1"}},
        {[](const Document& d) { return RemoveOnly(d, 3); },
         {"move R2 0 → A 1", "move R2 0 → A 4", "remove A 2"},
         {"insert A 2", "move A 4 → R2 0", "move A 1 → R2 0"}},
        {[](const Document& d) { return Move(d, 4, 1); }, {"move A 2 → R1 0"}, {"move R1 0 → A 2"}},
    };
    for (const Case& c : cases) {
        auto document = Open(UnderR2({{2, "X"}, {5, "Z"}}));
        const std::string before = circuit::WriteCircuit(document->Circuit());
        Recorder recorder(*document);
        auto edit = Take(*document, c.edit(*document));
        ASSERT_TRUE(edit);
        EXPECT_EQ(recorder.events, c.done) << edit->name;
        recorder.events.clear();
        document->Undo(*edit);
        EXPECT_EQ(recorder.events, c.undone) << edit->name;
        EXPECT_EQ(circuit::WriteCircuit(document->Circuit()), before);
        recorder.events.clear();
        document->Redo(*edit);
        EXPECT_EQ(recorder.events, c.done) << edit->name;
    }
}

// Saved, then undone past the save, then edited anew: the circuit differs from its file.
TEST(SheetRules, ModifiedAfterSaveAsUndoAndANewEdit) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("idrovela-modified-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    auto document = Open(ThreeRadiators());
    auto first = Take(*document, CellEdit(*document, 1, SegmentColumn::Lunghezza, "7"));
    ASSERT_TRUE(first);
    ASSERT_EQ(document->SaveAs(folder / "c.idrovela"), std::nullopt);
    EXPECT_FALSE(document->Modified());
    document->Undo(*first);
    EXPECT_TRUE(document->Modified());
    auto second = Take(*document, CellEdit(*document, 2, SegmentColumn::Lunghezza, "8"));
    ASSERT_TRUE(second);
    EXPECT_TRUE(document->Modified());
    document->Undo(*second);
    EXPECT_TRUE(document->Modified());
    std::filesystem::remove_all(folder);
}

// An editor closed as it opened makes no edit, though its text is the length rounded to 15
// digits.
TEST(SheetRules, AnEditorClosedUnchangedKeepsTheUnroundedLength) {
    circuit::Circuit circuit = ThreeRadiators();
    circuit.segments[1].lengthM = 0.1 + 0.2;
    auto document = Open(circuit);
    const std::string shown = EditorText(document->Circuit().segments[1], SegmentColumn::Lunghezza);
    EXPECT_EQ(shown, "0,3");
    EXPECT_EQ(std::get<std::string>(CellEdit(*document, 1, SegmentColumn::Lunghezza, shown)), "");
    EXPECT_EQ(document->Circuit().segments[1].lengthM, 0.1 + 0.2);
    ASSERT_TRUE(Take(*document, CellEdit(*document, 1, SegmentColumn::Lunghezza, "0,30")));
    EXPECT_EQ(document->Circuit().segments[1].lengthM, 0.3);
}

// Fittings and valves each make an edit on their own; the same ones make none.
TEST(SheetRules, FittingsOrValvesAloneAreAnEdit) {
    const circuit::Circuit circuit = ThreeRadiators();
    const circuit::Segment& a = circuit.segments[0];
    const std::vector<circuit::Fitting> bend = {{"curva-90-r1", 0, 2, ""}};
    struct Case {
        std::vector<circuit::Fitting> fittings;
        std::vector<circuit::Valve> valves;
        bool edit;
    };
    const Case cases[] = {
        {a.fittings, a.valves, false},
        {a.fittings, {{6.3, "valvola a sfera"}, {4.0, "detentore"}}, true},
        {a.fittings, {{5.0, "valvola a sfera"}}, true},
        {a.fittings, {{6.3, "saracinesca"}}, true},
        {a.fittings, {}, true},
        {bend, a.valves, true},
    };
    for (const Case& c : cases) {
        auto document = Open(circuit);
        const Proposal proposal = FittingsEdit(*document, 0, c.fittings, c.valves);
        ASSERT_EQ(std::holds_alternative<Edit>(proposal), c.edit) << c.valves.size();
        if (!c.edit) {
            EXPECT_EQ(std::get<std::string>(proposal), "");
            continue;
        }
        ASSERT_TRUE(Take(*document, proposal));
        EXPECT_EQ(document->Circuit().segments[0].valves.size(), c.valves.size());
        EXPECT_EQ(document->Circuit().segments[0].fittings.size(), c.fittings.size());
    }
}

// Each figure of the settings panel, typed anew, changes alone; the others, left as shown, keep
// their unrounded values.
TEST(SheetRules, ASettingLeftAsShownKeepsItsUnroundedValue) {
    circuit::Circuit circuit = ThreeRadiators();
    circuit.fluid = {circuit::FluidType::Etilenico, 30.000000000000004, 70.00000000000001,
                     60.00000000000001};
    circuit.limits = {200.00000000000003, 1.0000000000000002};
    circuit.margins = {10.000000000000002, 20.000000000000004};
    const std::vector<double> unrounded = {
        30.000000000000004, 70.00000000000001,  60.00000000000001, 200.00000000000003,
        1.0000000000000002, 10.000000000000002, 20.000000000000004};
    const auto values = [](const circuit::Circuit& c) {
        return std::vector<double>{c.fluid.volumePercent, c.fluid.supplyC,
                                   c.fluid.returnC,       c.limits.pascalPerMetre,
                                   c.limits.velocityMs,   c.margins.flowPercent,
                                   c.margins.headPercent};
    };
    struct Case {
        std::string SettingsForm::*text;  // none: the author alone
        const char* typed;
        double value;
    };
    const Case cases[] = {
        {nullptr, "", 0},
        {&SettingsForm::percentText, "40", 40},
        {&SettingsForm::supplyText, "75", 75},
        {&SettingsForm::returnText, "55", 55},
        {&SettingsForm::pascalPerMetreText, "150", 150},
        {&SettingsForm::velocityText, "0,8", 0.8},
        {&SettingsForm::flowMarginText, "5", 5},
        {&SettingsForm::headMarginText, "15", 15},
    };
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        auto document = Open(circuit);
        SettingsForm form = SettingsFormOf(document->Circuit());
        form.author = "Studio Rossi";
        std::vector<double> expected = unrounded;
        if (cases[k].text != nullptr) {
            form.*cases[k].text = cases[k].typed;
            expected[k - 1] = cases[k].value;
        }
        ASSERT_TRUE(Take(*document, SettingsEdit(*document, form))) << k;
        EXPECT_EQ(values(document->Circuit()), expected) << k;
        EXPECT_EQ(document->Circuit().project.author, "Studio Rossi");
    }
}

}  // namespace
}  // namespace idrovela::sheet::test
