// The schematic's layout: every segment leaves the end of the one upstream, the segments a
// segment feeds hang from its vertical line and no other segment touches it, terminals have the
// room right of their line to themselves, the index path is marked; and a chain 100 000 deep is
// laid out without recursion.

#include "report/schematic_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "test_circuits.h"

namespace idrovela::report {
namespace {

// Everything that makes the drawing readable, checked on one layout.
void ExpectReadable(const circuit::LoadedCircuit& loaded, const SchematicLayout& layout) {
    const circuit::Topology& tree = loaded.solution.topology;
    const SchematicMetrics& m = layout.metrics;
    const std::size_t count = loaded.circuit.segments.size();
    ASSERT_EQ(layout.segments.size(), count);

    // One segment a place, each inside the drawing.
    std::map<std::pair<std::size_t, std::size_t>, std::size_t> byPlace;  // (column, row)
    for (std::size_t i = 0; i < count; ++i) {
        const SchematicSegment& s = layout.segments[i];
        EXPECT_TRUE(byPlace.emplace(std::pair(s.column, s.row), i).second)
            << loaded.circuit.segments[i].id << " shares its place";
        EXPECT_LT(s.row, layout.rows);
        EXPECT_LT(s.column, layout.columns);
        EXPECT_DOUBLE_EQ(s.x1 - s.x0, m.columnWidth);
        EXPECT_GT(s.y, 0.0);
        EXPECT_LT(s.y, layout.height);
        EXPECT_LE(s.x1 + m.terminalWidth, layout.width);
    }

    for (std::size_t i = 0; i < count; ++i) {
        const SchematicSegment& s = layout.segments[i];
        const std::optional<std::size_t> up = tree.upstream[i];
        if (!up) {
            // Off the source's right side, within its height.
            EXPECT_DOUBLE_EQ(s.x0, layout.sourceRight);
            EXPECT_GE(s.y, layout.sourceTop);
            EXPECT_LE(s.y, layout.sourceBottom);
            continue;
        }
        // Off the end of the segment upstream, on its vertical line.
        const SchematicSegment& parent = layout.segments[*up];
        EXPECT_DOUBLE_EQ(s.x0, parent.x1) << loaded.circuit.segments[i].id;
        EXPECT_GE(s.y, parent.y);
        EXPECT_LE(s.y, parent.branchBottom);
    }

    // A vertical line meets the segments it feeds and no other: every place in the next column
    // along it is one of them, or empty.
    for (std::size_t i = 0; i < count; ++i) {
        const SchematicSegment& s = layout.segments[i];
        const std::set<std::size_t> fed(tree.Downstream(i).begin(), tree.Downstream(i).end());
        for (std::size_t row = s.row;
             m.margin + (static_cast<double>(row) + 0.5) * m.rowHeight <= s.branchBottom; ++row) {
            const auto there = byPlace.find({s.column + 1, row});
            if (there != byPlace.end()) {
                EXPECT_TRUE(fed.contains(there->second))
                    << loaded.circuit.segments[there->second].id << " touches the line of "
                    << loaded.circuit.segments[i].id;
            }
        }
        // A terminal's symbol and label have the place right of its line to themselves.
        if (layout.terminalOf[i]) {
            EXPECT_FALSE(byPlace.contains({s.column + 1, s.row}))
                << loaded.circuit.segments[i].id << "'s terminal is covered";
            const SchematicTerminal& t = layout.terminals[*layout.terminalOf[i]];
            EXPECT_EQ(t.segment, i);
            EXPECT_DOUBLE_EQ(t.x, s.x1);
            EXPECT_DOUBLE_EQ(t.y, s.y);
        }
    }

    // The index path, and nothing else, is marked.
    const std::set<std::size_t> path(loaded.solution.indexPath.begin(),
                                     loaded.solution.indexPath.end());
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(layout.segments[i].onIndexPath, path.contains(i));
    }
    std::size_t terminals = 0;
    for (std::size_t i = 0; i < count; ++i) {
        terminals += loaded.solution.segments[i].terminal ? 1u : 0u;
    }
    EXPECT_EQ(layout.terminals.size(), terminals);
}

TEST(SchematicLayout, RandomCircuitsAreReadable) {
    for (const std::size_t segments : {1u, 2u, 7u, 60u, 200u, 2000u}) {
        for (const std::uint64_t seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(std::to_string(segments) + " segments, seed " + std::to_string(seed));
            const circuit::LoadedCircuit loaded = testing::WorkedRandom(segments, seed);
            ExpectReadable(loaded, LayoutSchematic(loaded.circuit, loaded.solution));
        }
    }
}

TEST(SchematicLayout, TheSmallCircuitAsDrawn) {
    // A ─┬─ B ─┬─ R2 [camera, the index]
    //    │     └─ R3 [bagno]
    //    └─ R1 [soggiorno]
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    const SchematicLayout layout = LayoutSchematic(loaded.circuit, loaded.solution);
    ExpectReadable(loaded, layout);
    using Place = std::pair<std::size_t, std::size_t>;
    const auto place = [&](std::size_t i) {
        return std::pair(layout.segments[i].column, layout.segments[i].row);
    };
    EXPECT_EQ(place(0), (Place{0, 0}));  // A
    EXPECT_EQ(place(1), (Place{1, 0}));  // B goes on in A's row
    EXPECT_EQ(place(3), (Place{2, 0}));  // R2 in B's
    EXPECT_EQ(place(4), (Place{2, 1}));  // R3 below it
    EXPECT_EQ(place(2), (Place{1, 2}));  // R1 below everything B feeds
    EXPECT_EQ(layout.rows, 3u);
    EXPECT_EQ(layout.columns, 3u);
    EXPECT_DOUBLE_EQ(layout.segments[0].branchBottom, layout.segments[2].y);

    EXPECT_EQ(layout.segments[2].texts.id, "R1");
    EXPECT_EQ(layout.segments[2].texts.tube, "rame 15×1,2 (automatico)");
    EXPECT_EQ(layout.segments[0].texts.loss.rfind("Δp ", 0), 0u);
    EXPECT_EQ(layout.segments[0].texts.loss.substr(layout.segments[0].texts.loss.size() - 3),
              " Pa");
    ASSERT_EQ(loaded.solution.index, std::optional<std::size_t>(3));
    EXPECT_EQ(layout.terminals[*layout.terminalOf[3]].label, "indice");
    EXPECT_TRUE(layout.terminals[*layout.terminalOf[3]].index);
    EXPECT_EQ(layout.terminals[*layout.terminalOf[2]].label.rfind("eccedenza ", 0), 0u);
}

TEST(SchematicLayout, ATerminalWithSegmentsBeyondItKeepsItsRow) {
    circuit::Circuit c = testing::FiveSegments();
    c.segments[1].terminal = testing::Radiator("termoarredo", 300.0);  // on "B"
    const circuit::LoadedCircuit loaded = testing::Worked(c);
    const SchematicLayout layout = LayoutSchematic(loaded.circuit, loaded.solution);
    ExpectReadable(loaded, layout);
    EXPECT_GT(layout.segments[3].row, layout.segments[1].row);  // R2 no longer goes on in B's row
}

TEST(SchematicLayout, WithoutAFlowingTerminalThereIsNoIndexAndNoExcess) {
    circuit::Circuit c = testing::ThreeSegments();
    c.segments[1].terminal->loadValue = 0.0;
    c.segments[2].terminal->loadValue = 0.0;
    const circuit::LoadedCircuit loaded = testing::Worked(c);
    const SchematicLayout layout = LayoutSchematic(loaded.circuit, loaded.solution);
    ExpectReadable(loaded, layout);
    for (const SchematicTerminal& t : layout.terminals) {
        EXPECT_FALSE(t.index);
        EXPECT_EQ(t.label, "eccedenza –");
    }
}

TEST(SchematicLayout, AnEmptyCircuitIsTheSourceAlone) {
    const circuit::LoadedCircuit loaded = testing::Worked(circuit::Circuit{});
    const SchematicLayout layout = LayoutSchematic(loaded.circuit, loaded.solution);
    EXPECT_TRUE(layout.segments.empty());
    EXPECT_GT(layout.sourceBottom, layout.sourceTop);
    EXPECT_GE(layout.width, layout.sourceRight);
    EXPECT_GE(layout.height, layout.sourceBottom);
}

TEST(SchematicLayout, AChain100000DeepIsOneRowWithoutRecursion) {
    const circuit::LoadedCircuit loaded = testing::Worked(circuit::ChainCircuit(100'000));
    const SchematicLayout layout = LayoutSchematic(loaded.circuit, loaded.solution);
    EXPECT_EQ(layout.rows, 1u);
    EXPECT_EQ(layout.columns, 100'000u);
    EXPECT_DOUBLE_EQ(layout.segments.back().x0,
                     layout.sourceRight + 99'999 * layout.metrics.columnWidth);
    EXPECT_TRUE(layout.segments.back().onIndexPath);
}

TEST(SchematicLayout, TheShapeIsTheTreeAndItsTerminals) {
    const circuit::Circuit c = testing::FiveSegments();
    const SchematicShape before = ShapeOf(testing::Worked(c).solution);

    circuit::Circuit longer = c;
    longer.segments[1].lengthM = 30.0;
    longer.segments[0].id = "M";  // a new id is a new text, not a new shape
    longer.segments[1].upstream = "M";
    longer.segments[2].upstream = "M";
    EXPECT_TRUE(before == ShapeOf(testing::Worked(longer).solution));

    circuit::Circuit moved = c;
    moved.segments[4].upstream = "A";
    EXPECT_FALSE(before == ShapeOf(testing::Worked(moved).solution));

    circuit::Circuit withTerminal = c;
    withTerminal.segments[1].terminal = testing::Radiator("termoarredo", 300.0);
    EXPECT_FALSE(before == ShapeOf(testing::Worked(withTerminal).solution));

    circuit::Circuit fewer = c;
    fewer.segments.pop_back();
    EXPECT_FALSE(before == ShapeOf(testing::Worked(fewer).solution));
}

TEST(SchematicLayout, AnEditReachesTheSegmentAndThoseUpstream) {
    const circuit::LoadedCircuit loaded = testing::Worked(testing::FiveSegments());
    const circuit::Topology& tree = loaded.solution.topology;
    EXPECT_EQ(EditedAndUpstream(tree, 4), (std::vector<std::size_t>{4, 1, 0}));  // R3, B, A
    EXPECT_EQ(EditedAndUpstream(tree, 0), (std::vector<std::size_t>{0}));
    // Without recursion, the whole chain.
    const circuit::LoadedCircuit chain = testing::Worked(circuit::ChainCircuit(50'000));
    EXPECT_EQ(EditedAndUpstream(chain.solution.topology, 49'999).size(), 50'000u);
}

}  // namespace
}  // namespace idrovela::report
