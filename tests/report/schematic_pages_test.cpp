// The schematic cut into the report's pages: every segment drawn in exactly one part, every part
// inside a page, the vertical line a segment hangs from reaching it on its part, the parts named
// when there are more than one, and no schematic at all above 500 segments.

#include "report/schematic_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "test_circuits.h"

namespace idrovela::report {
namespace {

void ExpectPagesHoldTheLayout(const circuit::LoadedCircuit& loaded, const PageRoom& room) {
    const std::optional<SchematicPages> pages =
        PlanSchematicPages(loaded.circuit, loaded.solution, room);
    ASSERT_TRUE(pages);
    const SchematicLayout& layout = pages->layout;
    const SchematicMetrics& m = layout.metrics;
    ASSERT_FALSE(pages->parts.empty());
    const bool single = pages->parts.size() == 1;
    EXPECT_EQ(pages->captionHeight, single ? 0.0 : 26.0);

    std::vector<std::size_t> holders(layout.segments.size(), pages->parts.size());
    for (std::size_t k = 0; k < pages->parts.size(); ++k) {
        const SchematicPart& part = pages->parts[k];
        SCOPED_TRACE(k);
        // On the page at the plan's scale.
        EXPECT_LE(part.width * pages->scale, room.width + 1e-9);
        EXPECT_LE(part.height * pages->scale, room.height);
        EXPECT_EQ(part.caption.empty(), single);
        if (!single) {
            EXPECT_EQ(part.caption.rfind("Parte " + std::to_string(k + 1) + " di " +
                                             std::to_string(pages->parts.size()) + ": colonn",
                                         0),
                      0u)
                << part.caption;
        }
        bool any = false;
        for (std::size_t i = 0; i < layout.segments.size(); ++i) {
            const SchematicSegment& s = layout.segments[i];
            if (!PartHolds(part, s)) {
                continue;
            }
            any = true;
            EXPECT_EQ(holders[i], pages->parts.size()) << "segment " << i << " drawn twice";
            holders[i] = k;
            // Its line, its labels' band and its terminal inside the part's drawing.
            EXPECT_GE(s.x0, part.left);
            EXPECT_LE(s.x1 + (layout.terminalOf[i] ? m.terminalWidth : 0.0),
                      part.left + part.width + 1e-9);
            EXPECT_GE(s.y - m.rowHeight / 2, part.top);
            EXPECT_LE(s.y + m.rowHeight / 2, part.top + part.height - pages->captionHeight + 1e-9);
        }
        EXPECT_TRUE(any) << "a part with no segment";
    }

    const circuit::Topology& tree = loaded.solution.topology;
    for (std::size_t i = 0; i < layout.segments.size(); ++i) {
        ASSERT_LT(holders[i], pages->parts.size()) << "segment " << i << " drawn nowhere";
        // The line it hangs from is drawn on its part too.
        if (const std::optional<std::size_t> up = tree.upstream[i]) {
            EXPECT_TRUE(PartCrossesBranch(pages->parts[holders[i]], layout.segments[*up], m) ||
                        layout.segments[i].y == layout.segments[*up].y)
                << "segment " << i << " hangs from nothing";
        }
    }
    const std::vector<std::size_t>& path = loaded.solution.indexPath;
    for (std::size_t k = 0; k < layout.segments.size(); ++k) {
        const auto at = std::find(path.begin(), path.end(), k);
        if (at == path.end() || at + 1 == path.end()) {
            EXPECT_FALSE(pages->indexDownTo[k]) << k;
        } else {
            EXPECT_EQ(pages->indexDownTo[k], layout.segments[*(at + 1)].y) << k;
        }
    }
}

TEST(SchematicPages, EverySegmentOnOnePartAndEveryPartOnAPage) {
    struct Case {
        std::size_t segments;  // 0 for the five-segment house
        PageRoom room;
        std::size_t fewestParts;
    };
    const PageRoom a4;
    const PageRoom small{400.0, 500.0};
    for (const Case& test : {Case{0, a4, 1}, Case{0, small, 1}, Case{60, a4, 2},
                             Case{200, small, 4}, Case{500, a4, 4}}) {
        SCOPED_TRACE(test.segments);
        const circuit::LoadedCircuit loaded = test.segments == 0
                                                  ? testing::Worked(testing::FiveSegments())
                                                  : testing::WorkedRandom(test.segments, 5);
        ExpectPagesHoldTheLayout(loaded, test.room);
        const auto pages = PlanSchematicPages(loaded.circuit, loaded.solution, test.room);
        ASSERT_TRUE(pages);
        EXPECT_GE(pages->parts.size(), test.fewestParts);
        // One scale for every circuit on a page of that width: the labels' size does not vary.
        EXPECT_DOUBLE_EQ(pages->scale, test.room.width / (20 + 90 + 3 * 220 + 220 + 20));
    }
}

TEST(SchematicPages, NoneWithoutSegmentsOrAbove500) {
    EXPECT_FALSE(PlanSchematicPages(circuit::Circuit{}, testing::Worked({}).solution, PageRoom{}));
    const circuit::LoadedCircuit big = testing::WorkedRandom(501, 5);
    EXPECT_FALSE(PlanSchematicPages(big.circuit, big.solution, PageRoom{}));
    const circuit::LoadedCircuit most = testing::WorkedRandom(500, 5);
    EXPECT_TRUE(PlanSchematicPages(most.circuit, most.solution, PageRoom{}));
}

}  // namespace
}  // namespace idrovela::report
