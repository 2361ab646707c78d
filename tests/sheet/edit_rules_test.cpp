// The rules a sheet edit keeps: what it refuses before the engine sees it, the id a new segment
// gets, where a new segment goes, the rows a view is told of when a structural edit is undone,
// when the circuit counts as modified, and which figures an edit leaves as they were.

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
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
        events.push_back("insert " + At(parent, row));
    }
    void BeforeRemove(std::optional<std::size_t> parent, std::size_t row) override {
        events.push_back("remove " + At(parent, row));
    }
    void BeforeMove(std::optional<std::size_t> from, std::size_t fromRow,
                    std::optional<std::size_t> to, std::size_t toRow) override {
        events.push_back("move " + At(from, fromRow) + " → " + At(to, toRow));
    }
    void AfterInsert() override {}
    void AfterRemove() override {}
    void AfterMove() override {}
    void Recalculated(const std::vector<std::size_t>&) override {}

    std::vector<std::string> events;

  private:
    [[nodiscard]] std::string At(std::optional<std::size_t> parent, std::size_t row) const {
        return (parent ? document_.Circuit().segments[*parent].id : "sorgente") + " " +
               std::to_string(row);
    }
    Document& document_;
};

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
    };
    for (const auto& [proposal, reason] : cases) {
        ASSERT_TRUE(std::holds_alternative<std::string>(proposal)) << reason;
        EXPECT_EQ(std::get<std::string>(proposal), reason);
    }
}

TEST(SheetRules, ANewSegmentTakesTheFirstFreeId) {
    const std::pair<std::array<const char*, 3>, const char*> cases[] = {
        {{"R1", "R2", "R3"}, "T1"}, {{"T1", "R2", "R3"}, "T2"},    {{"T1", "T3", "R3"}, "T2"},
        {{"T2", "T3", "T1"}, "T4"}, {{"T01", "T 1", "T1x"}, "T1"}, {{"T3", "T4", "T5"}, "T1"}};
    for (const auto& [ids, expected] : cases) {
        circuit::Circuit circuit = ThreeRadiators();  // R1, R2 and R3 renamed
        for (std::size_t i = 0; i < 3; ++i) {
            circuit.segments[i + 1].id = ids[i];
        }
        EXPECT_EQ(NewSegment(*Open(circuit), std::nullopt).id, expected) << ids[0];
    }
    EXPECT_EQ(NewSegment(Document(BuiltIn()), std::nullopt).id, "T1");
}

// On A, R1, X, R2, R3, Z (X and Z under R2, one before it and one after R3 in file order), a
// structural edit tells the view the rows it changes, in the order the view needs them; undone,
// it tells the rows as they were. "Aggiungi dopo" puts the new segment right after its sibling.
TEST(SheetRules, StructuralEditsAndTheirUndoTellTheRows) {
    const auto after = [](const char* id) {
        return [id](const Document& d) {
            const std::size_t sibling = *d.Find(id);
            return AddAfter(d, sibling, NewSegment(d, sibling));
        };
    };
    circuit::Circuit six = ThreeRadiators();
    const circuit::Segment x{"X", "R2", "", 0.0, {"rame", true, "", 0, 0}, {}, {}, {}};
    six.segments.insert(six.segments.begin() + 2, x);
    six.segments.push_back(x);
    six.segments.back().id = "Z";
    struct Case {
        std::function<Proposal(const Document&)> edit;
        std::vector<std::string> done;
        std::vector<std::string> undone;
    };
    const Case cases[] = {{after("R1"), {"insert A 1"}, {"remove A 1"}},
                          {after("R2"), {"insert A 2"}, {"remove A 2"}},
                          {after("X"), {"insert R2 1"}, {"remove R2 1"}},
                          {after("Z"), {"insert R2 2"}, {"remove R2 2"}},
                          {after("A"), {"insert sorgente 1"}, {"remove sorgente 1"}},
                          {[](const Document& d) { return RemoveWithDownstream(d, 3); },
                           {"remove A 1"},
                           {"insert A 1"}},
                          {[](const Document& d) { return RemoveOnly(d, 3); },
                           {"move R2 0 → A 1", "move R2 0 → A 4", "remove A 2"},
                           {"insert A 2", "move A 4 → R2 0", "move A 1 → R2 0"}},
                          {[](const Document& d) { return Move(d, 4, 1); },
                           {"move A 2 → R1 0"},
                           {"move R1 0 → A 2"}}};
    for (const Case& c : cases) {
        auto document = Open(six);
        const std::string before = circuit::WriteCircuit(document->Circuit());
        Recorder recorder(*document);
        auto edit = Take(*document, c.edit(*document));
        ASSERT_TRUE(edit);
        EXPECT_EQ(recorder.events, c.done) << edit->name;
        recorder.events.clear();
        document->Undo(*edit);
        EXPECT_EQ(recorder.events, c.undone) << edit->name;
        EXPECT_EQ(circuit::WriteCircuit(document->Circuit()), before);
    }
}

// Saved, then undone past the save, then edited anew: the circuit differs from its file.
TEST(SheetRules, ModifiedAfterSaveAsUndoAndANewEdit) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("idrovela-modified-" + std::to_string(::getpid()));
    auto document = Open(ThreeRadiators());
    auto first = Take(*document, CellEdit(*document, 1, columns::SegmentColumn::Lunghezza, "7"));
    ASSERT_TRUE(first);
    ASSERT_EQ(document->SaveAs(file), std::nullopt);
    std::filesystem::remove(file);
    EXPECT_FALSE(document->Modified());
    document->Undo(*first);
    EXPECT_TRUE(document->Modified());
    auto second = Take(*document, CellEdit(*document, 2, columns::SegmentColumn::Lunghezza, "8"));
    ASSERT_TRUE(second);
    EXPECT_TRUE(document->Modified());
    document->Undo(*second);
    EXPECT_TRUE(document->Modified());
}

// An editor closed as it opened makes no edit, though its text is the length to 15 digits.
TEST(SheetRules, AnEditorClosedUnchangedKeepsTheUnroundedLength) {
    circuit::Circuit circuit = ThreeRadiators();
    circuit.segments[1].lengthM = 0.1 + 0.2;
    auto document = Open(circuit);
    EXPECT_EQ(EditorText(document->Catalogue(), document->Circuit().segments[1],
                         columns::SegmentColumn::Lunghezza),
              "0,3");
    EXPECT_TRUE(std::holds_alternative<NoChange>(
        CellEdit(*document, 1, columns::SegmentColumn::Lunghezza, "0,3")));
    EXPECT_EQ(document->Circuit().segments[1].lengthM, 0.1 + 0.2);
}

// Valves alone make an edit (another Kv, only another description, none); the same make none.
TEST(SheetRules, ValvesAloneAreAnEdit) {
    using Valves = std::vector<circuit::Valve>;
    for (const auto& [valves, edit] :
         {std::pair{Valves{{6.3, "valvola a sfera"}}, false},
          std::pair{Valves{{5.0, "valvola a sfera"}}, true},
          std::pair{Valves{{6.3, "saracinesca"}}, true}, std::pair{Valves{}, true}}) {
        auto document = Open(ThreeRadiators());  // A: no fittings, a valve of Kv 6,3
        const Proposal proposal = FittingsEdit(*document, 0, {}, valves);
        EXPECT_EQ(std::holds_alternative<Edit>(proposal), edit) << valves.size();
        EXPECT_EQ(Refusal(*document, proposal), "");
        EXPECT_EQ(document->Circuit().segments[0].valves.size(), valves.size());
    }
}

// Each figure of the settings panel, typed anew, changes alone; the others, left as shown, keep
// their unrounded values (and all of them when only the author changes).
TEST(SheetRules, ASettingLeftAsShownKeepsItsUnroundedValue) {
    circuit::Circuit circuit = ThreeRadiators();
    circuit.fluid = {circuit::FluidType::Etilenico, 30.000000000000004, 70.00000000000001,
                     60.00000000000001};
    circuit.limits = {200.00000000000003, 1.0000000000000002};
    circuit.margins = {10.000000000000002, 20.000000000000004};
    const auto values = [](const circuit::Circuit& c) {
        return std::vector<double>{c.fluid.volumePercent, c.fluid.supplyC,
                                   c.fluid.returnC,       c.limits.pascalPerMetre,
                                   c.limits.velocityMs,   c.margins.flowPercent,
                                   c.margins.headPercent};
    };
    std::string SettingsForm::*const texts[] = {
        &SettingsForm::percentText,   &SettingsForm::supplyText,
        &SettingsForm::returnText,    &SettingsForm::pascalPerMetreText,
        &SettingsForm::velocityText,  &SettingsForm::flowMarginText,
        &SettingsForm::headMarginText};
    const double typed[] = {40, 75, 55, 150, 0.8, 5, 15};
    for (std::size_t k = 0; k <= std::size(texts); ++k) {  // the last: the author alone
        auto document = Open(circuit);
        SettingsForm form = SettingsFormOf(document->Circuit());
        form.author = "Studio Rossi";
        std::vector<double> expected = values(circuit);
        if (k < std::size(texts)) {
            form.*texts[k] = NumberText(typed[k]);
            expected[k] = typed[k];
        }
        ASSERT_TRUE(Take(*document, SettingsEdit(*document, form))) << k;
        EXPECT_EQ(values(document->Circuit()), expected) << k;
    }
}

}  // namespace
}  // namespace idrovela::sheet::test
