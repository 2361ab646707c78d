// The open circuit: every edit checked through the engine, undone and done again exactly, and
// told to a view in steps it can follow.

#include "sheet/document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>

#include "circuit/random_tree.h"
#include "circuit/write.h"
#include "sheet/input.h"
#include "tests/sheet/sheet_fixture.h"

namespace idrovela::sheet::test {
namespace {

// A view that knows the tree only from what the document tells it, as an item view does: its
// own lists of children, by key, changed by each notification alone.
class ShadowView final : public DocumentListener {
  public:
    explicit ShadowView(Document& document) : document_(document) {
        document.SetListener(this);
        Fetch(std::nullopt);
    }
    ~ShadowView() override { document_.SetListener(nullptr); }

    void BeforeInsert(std::optional<std::size_t> parent, std::size_t row) override {
        ASSERT_LE(row, children_[KeyOf(parent)].size());
        pending_ = {KeyOf(parent), row};
    }
    void AfterInsert() override {
        const auto [parentKey, row] = pending_;
        const std::optional<std::size_t> parent =
            parentKey == 0 ? std::nullopt : document_.SegmentOf(parentKey);
        const std::size_t added = document_.Tree().ChildrenOf(parent)[row];
        auto& list = children_[parentKey];
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(row), document_.KeyOf(added));
        Fetch(added);
    }
    void BeforeRemove(std::optional<std::size_t> parent, std::size_t row) override {
        auto& list = children_[KeyOf(parent)];
        ASSERT_LT(row, list.size());
        // The document is still as it was: the row is the segment going.
        EXPECT_EQ(list[row], document_.KeyOf(document_.Tree().ChildrenOf(parent)[row]));
        Drop(list[row]);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(row));
    }
    void AfterRemove() override {}
    void BeforeMove(std::optional<std::size_t> from, std::size_t fromRow,
                    std::optional<std::size_t> to, std::size_t toRow) override {
        ASSERT_NE(KeyOf(from), KeyOf(to));
        auto& source = children_[KeyOf(from)];
        auto& target = children_[KeyOf(to)];
        ASSERT_LT(fromRow, source.size());
        ASSERT_LE(toRow, target.size());
        const std::uint64_t moved = source[fromRow];
        EXPECT_EQ(moved, document_.KeyOf(document_.Tree().ChildrenOf(from)[fromRow]));
        source.erase(source.begin() + static_cast<std::ptrdiff_t>(fromRow));
        target.insert(target.begin() + static_cast<std::ptrdiff_t>(toRow), moved);
    }
    void AfterMove() override {}
    void Recalculated(const std::vector<std::size_t>& changed) override {
        ASSERT_NE(document_.Solution(), nullptr);
        lastChanged = changed;
        ++recalculations;
    }

    // Whether the view's tree is the document's.
    [[nodiscard]] bool Matches() const {
        std::size_t listed = 0;
        for (const auto& [parentKey, keys] : children_) {
            const std::optional<std::size_t> parent =
                parentKey == 0 ? std::nullopt : document_.SegmentOf(parentKey);
            if (parentKey != 0 && !parent) {
                return false;
            }
            const auto real = document_.Tree().ChildrenOf(parent);
            if (real.size() != keys.size()) {
                return false;
            }
            for (std::size_t row = 0; row < keys.size(); ++row) {
                if (document_.KeyOf(real[row]) != keys[row]) {
                    return false;
                }
            }
            listed += keys.size();
        }
        return listed == document_.Circuit().segments.size();
    }

    std::vector<std::size_t> lastChanged;
    int recalculations = 0;

  private:
    [[nodiscard]] std::uint64_t KeyOf(std::optional<std::size_t> segment) const {
        return segment ? document_.KeyOf(*segment) : 0;
    }
    // Reads the children of a segment and of everything under it, as a view expanding them.
    void Fetch(std::optional<std::size_t> from) {
        std::vector<std::optional<std::size_t>> pending{from};
        while (!pending.empty()) {
            const std::optional<std::size_t> parent = pending.back();
            pending.pop_back();
            auto& list = children_[KeyOf(parent)];
            list.clear();
            for (const std::size_t child : document_.Tree().ChildrenOf(parent)) {
                list.push_back(document_.KeyOf(child));
                pending.emplace_back(child);
            }
        }
    }
    void Drop(std::uint64_t key) {
        std::vector<std::uint64_t> pending{key};
        while (!pending.empty()) {
            const std::uint64_t next = pending.back();
            pending.pop_back();
            const auto found = children_.find(next);
            if (found != children_.end()) {
                pending.insert(pending.end(), found->second.begin(), found->second.end());
                children_.erase(found);
            }
        }
    }

    Document& document_;
    std::map<std::uint64_t, std::vector<std::uint64_t>> children_;
    std::pair<std::uint64_t, std::size_t> pending_;
};

std::string Text(const Document& document) {
    return circuit::WriteCircuit(document.Circuit());
}

TEST(Document, BuildsTheThreeRadiatorsStepByStepToTheEnginesFigures) {
    Document document(BuiltIn());
    ShadowView view(document);
    const circuit::Circuit target = ThreeRadiators();
    // As the window does: a new segment, then its id, length, tube and terminal.
    for (const circuit::Segment& wanted : target.segments) {
        const std::optional<std::size_t> parent =
            wanted.upstream ? document.Find(*wanted.upstream) : std::nullopt;
        circuit::Segment segment = NewSegment(document, parent);
        ASSERT_TRUE(Take(document, AddDownstream(document, parent, segment)));
        const std::size_t at = *document.Find(segment.id);
        ASSERT_TRUE(Take(document, CellEdit(document, at, columns::SegmentColumn::Id, wanted.id)));
        circuit::Segment rest = wanted;
        ASSERT_TRUE(Take(document, ChangeSegment(document, at, rest, "resto")));
        EXPECT_TRUE(view.Matches());
    }
    ASSERT_TRUE(Take(document, ChangeSettings(document, SettingsOf(target))));
    EXPECT_EQ(Text(document), circuit::WriteCircuit(target));

    const circuit::Solution engine = circuit::Solve(target, *BuiltIn());
    const circuit::Solution& sheet = *document.Solution();
    EXPECT_EQ(sheet.index, engine.index);
    EXPECT_EQ(sheet.indexPath, engine.indexPath);
    EXPECT_EQ(sheet.pump.headPa, engine.pump.headPa);
    EXPECT_EQ(sheet.pump.flowLph, engine.pump.flowLph);
    for (std::size_t i = 0; i < engine.segments.size(); ++i) {
        ASSERT_TRUE(engine.segments[i].terminal || i == 0);
        if (engine.segments[i].terminal) {
            EXPECT_EQ(sheet.segments[i].terminal->kv, engine.segments[i].terminal->kv) << i;
        }
    }
}

TEST(Document, AnEditTheEngineRefusesChangesNothingAndGivesItsMessage) {
    auto document = Open(ThreeRadiators());
    ShadowView view(*document);
    const std::string before = Text(*document);
    const double head = document->Solution()->pump.headPa;

    // The sheet reads the number; the engine refuses it.
    EXPECT_EQ(Refusal(*document, CellEdit(*document, 1, columns::SegmentColumn::Lunghezza, "-2")),
              "Tratto «R1», lunghezza: il valore −2 m è fuori campo; deve essere almeno 0 m.");
    SettingsForm same = SettingsFormOf(document->Circuit());
    same.returnText = same.supplyText;
    EXPECT_NE(Refusal(*document, SettingsEdit(*document, same)).find("Fluido, ritorno"),
              std::string::npos);
    // A structural edit the engine refuses: the tree goes back before any view is told.
    circuit::Segment orphanTube = NewSegment(*document, 0);
    orphanTube.tube = {"nessuna-serie", true, "", 0, 0};
    EXPECT_NE(
        Refusal(*document, AddDownstream(*document, 0, orphanTube)).find("non è nel catalogo"),
        std::string::npos);

    EXPECT_EQ(Text(*document), before);
    EXPECT_EQ(document->Solution()->pump.headPa, head);
    EXPECT_FALSE(document->Modified());
    EXPECT_EQ(view.recalculations, 0);
    EXPECT_TRUE(view.Matches());
}

TEST(Document, StructureRefusedBeforeTheEngine) {
    auto document = Open(ThreeRadiators());
    const std::size_t a = 0, r1 = 1;
    EXPECT_NE(Refusal(*document, Move(*document, a, r1)).find("anello"), std::string::npos);
    EXPECT_NE(Refusal(*document, Move(*document, a, a)).find("anello"), std::string::npos);
    EXPECT_EQ(Refusal(*document, Move(*document, r1, a)), "");  // already there: nothing
    EXPECT_TRUE(std::holds_alternative<NoChange>(Move(*document, r1, a)));
    EXPECT_EQ(UpstreamChoices(*document, a), std::vector<std::size_t>{});
    EXPECT_EQ(UpstreamChoices(*document, r1), (std::vector<std::size_t>{0, 2, 3}));
    EXPECT_NE(
        Refusal(*document, CellEdit(*document, r1, columns::SegmentColumn::Id, "R2")).find("già"),
        std::string::npos);
    EXPECT_NE(
        Refusal(*document, CellEdit(*document, r1, columns::SegmentColumn::Id, "R;1")).find("«;»"),
        std::string::npos);
    EXPECT_FALSE(document->Modified());
}

TEST(Document, RenameCarriesTheDownstreamSegmentsAlong) {
    auto document = Open(ThreeRadiators());
    ShadowView view(*document);
    const std::string before = Text(*document);
    auto edit = Take(*document, CellEdit(*document, 0, columns::SegmentColumn::Id, "Caldaia"));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->name, "Rinomina «A» in «Caldaia»");
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(document->Circuit().segments[i].upstream, "Caldaia");
    }
    EXPECT_EQ(document->Tree().Children(0).size(), 3u);
    document->Undo(*edit);
    EXPECT_EQ(Text(*document), before);
    EXPECT_TRUE(view.Matches());
}

TEST(Document, RemovingASegmentAloneHandsItsSegmentsToItsUpstreamOne) {
    circuit::Circuit circuit = ThreeRadiators();
    circuit.segments[2].upstream = "R1";  // R2 under R1
    circuit.segments[3].upstream = "R1";  // R3 under R1
    auto document = Open(circuit);
    ShadowView view(*document);
    const std::string before = Text(*document);

    auto only = Take(*document, RemoveOnly(*document, 1));
    ASSERT_TRUE(only);
    EXPECT_EQ(only->name, "Rimuovi «R1»");
    ASSERT_EQ(document->Circuit().segments.size(), 3u);
    EXPECT_EQ(document->Circuit().segments[1].id, "R2");
    EXPECT_EQ(document->Circuit().segments[1].upstream, "A");
    EXPECT_EQ(document->Circuit().segments[2].upstream, "A");
    EXPECT_TRUE(view.Matches());
    document->Undo(*only);
    EXPECT_EQ(Text(*document), before);
    EXPECT_TRUE(view.Matches());

    auto all = Take(*document, RemoveWithDownstream(*document, 1));
    ASSERT_TRUE(all);
    EXPECT_EQ(all->name, "Rimuovi «R1» e i tratti a valle");
    EXPECT_EQ(document->Circuit().segments.size(), 1u);
    EXPECT_TRUE(view.Matches());
    document->Undo(*all);
    EXPECT_EQ(Text(*document), before);
    EXPECT_TRUE(view.Matches());
}

TEST(Document, ModifiedFollowsUndoAndSaving) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("sheet-doc-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    auto document = Open(ThreeRadiators());
    EXPECT_FALSE(document->Modified());
    auto longer = Take(*document, CellEdit(*document, 1, columns::SegmentColumn::Lunghezza, "7,5"));
    ASSERT_TRUE(longer);
    EXPECT_EQ(longer->name, "Modifica lunghezza di «R1»");
    EXPECT_TRUE(document->Modified());
    document->Undo(*longer);
    EXPECT_FALSE(document->Modified());
    document->Redo(*longer);
    EXPECT_TRUE(document->Modified());

    // A failed save keeps the document as it was: unsaved, and without the new file.
    const std::filesystem::path nowhere = folder / "manca" / "villetta.idrovela";
    const std::optional<std::string> failed = document->SaveAs(nowhere);
    ASSERT_TRUE(failed);
    EXPECT_NE(failed->find("la cartella non esiste"), std::string::npos) << *failed;
    EXPECT_TRUE(document->Modified());
    EXPECT_FALSE(document->File());

    const std::filesystem::path file = folder / "villetta.idrovela";
    EXPECT_EQ(document->SaveAs(file), std::nullopt);
    EXPECT_FALSE(document->Modified());
    EXPECT_EQ(document->File(), file);
    document->Undo(*longer);
    EXPECT_TRUE(document->Modified());  // the file holds 7,5 m
    document->Redo(*longer);
    EXPECT_FALSE(document->Modified());

    auto reopened = Document::Open(BuiltIn(), file);
    EXPECT_EQ(Text(*reopened), Text(*document));
    std::filesystem::remove_all(folder);
}

// A value edit tells the view only the rows whose cells or marks changed: in a chain, the edited
// segment and those downstream of it (their path), not those upstream.
TEST(Document, AValueEditNamesTheRowsItChanged) {
    auto document = Open(circuit::ChainCircuit(6));
    ShadowView view(*document);
    ASSERT_TRUE(Take(*document, CellEdit(*document, 3, columns::SegmentColumn::Lunghezza, "4")));
    EXPECT_EQ(view.lastChanged, (std::vector<std::size_t>{3, 4, 5}));
    ASSERT_TRUE(
        Take(*document, CellEdit(*document, 2, columns::SegmentColumn::Descrizione, "scala")));
    EXPECT_EQ(view.lastChanged, (std::vector<std::size_t>{2}));
}

// Random edits, undos and redos on a random circuit: after each, the view's tree is the
// document's, the figures are the engine's for the circuit as it stands, and undoing gives back
// the very text the circuit had.
TEST(Document, RandomEditsUndoAndRedoExactly) {
    auto document = Open(circuit::RandomCircuit(120, 7));
    ShadowView view(*document);
    std::mt19937_64 random(11);
    const auto below = [&random](std::size_t n) {
        return static_cast<std::size_t>(random() % static_cast<std::uint64_t>(n));
    };
    std::vector<std::unique_ptr<Edit>> done;
    std::vector<std::unique_ptr<Edit>> undone;
    std::vector<std::string> texts{Text(*document)};
    int taken = 0;
    for (int round = 0; round < 300; ++round) {
        const std::size_t count = document->Circuit().segments.size();
        const std::size_t pick = count == 0 ? 0 : below(count);
        std::optional<Proposal> proposal;
        switch (count == 0 ? 0 : below(9)) {
            case 0:
                proposal = AddDownstream(*document, count == 0 ? std::nullopt : std::optional(pick),
                                         NewSegment(*document, std::nullopt));
                break;
            case 1:
                proposal = AddAfter(*document, pick, NewSegment(*document, pick));
                break;
            case 2:
                proposal = RemoveWithDownstream(*document, pick);
                break;
            case 3:
                proposal = RemoveOnly(*document, pick);
                break;
            case 4: {
                const auto choices = UpstreamChoices(*document, pick);
                proposal = Move(*document, pick,
                                choices.empty() || below(5) == 0
                                    ? std::nullopt
                                    : std::optional(choices[below(choices.size())]));
                break;
            }
            case 5:
                proposal = CellEdit(*document, pick, columns::SegmentColumn::Lunghezza,
                                    std::to_string(below(50)));
                break;
            case 6:
                proposal = CellEdit(*document, pick, columns::SegmentColumn::Id,
                                    "N" + std::to_string(round));
                break;
            default: {
                if (!done.empty()) {
                    document->Undo(*done.back());
                    undone.push_back(std::move(done.back()));
                    done.pop_back();
                    texts.pop_back();
                    ASSERT_EQ(Text(*document), texts.back()) << "round " << round;
                } else if (!undone.empty()) {
                    document->Redo(*undone.back());
                    done.push_back(std::move(undone.back()));
                    undone.pop_back();
                    texts.push_back(Text(*document));
                }
                break;
            }
        }
        if (proposal) {
            if (auto* edit = std::get_if<Edit>(&*proposal)) {
                auto owned = std::make_unique<Edit>(std::move(*edit));
                if (!document->Apply(*owned)) {
                    done.push_back(std::move(owned));
                    undone.clear();
                    texts.push_back(Text(*document));
                    ++taken;
                }
            }
        }
        ASSERT_TRUE(view.Matches()) << "round " << round;
        const circuit::Solution engine = circuit::Solve(document->Circuit(), *BuiltIn());
        ASSERT_EQ(document->Solution()->pump.headPa, engine.pump.headPa) << "round " << round;
        ASSERT_EQ(document->Solution()->indexPath, engine.indexPath) << "round " << round;
    }
    EXPECT_GT(taken, 100);
    // Undo everything: the circuit as it was loaded, and unchanged.
    while (!done.empty()) {
        document->Undo(*done.back());
        done.pop_back();
    }
    EXPECT_EQ(Text(*document), texts.front());
    EXPECT_FALSE(document->Modified());
    EXPECT_TRUE(view.Matches());
}

}  // namespace
}  // namespace idrovela::sheet::test
