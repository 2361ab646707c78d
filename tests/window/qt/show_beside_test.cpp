// Where the program's other windows go beside the main window, and where a remembered one goes
// back to: frames on screens, as a desktop of 1024 × 768 or 1280 × 900 pixels has them.

#include "window/qt/show_beside.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

QT_BEGIN_NAMESPACE
void PrintTo(const QRect& rect, std::ostream* out) {
    *out << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
}
QT_END_NAMESPACE

namespace idrovela::window::qt {
namespace {

// The frames of the real windows: the main window centred on the screen, and the tool windows
// at the sizes they ask for and the least they take (title bar and border included).
const QRect kScreen1024(0, 0, 1024, 768);
const QRect kMain1024(320, 212, 384, 344);
const QRect kScreen1280(0, 0, 1280, 900);
const QRect kMain1280(448, 278, 384, 344);

struct Window {
    QSize preferred;
    QSize minimum;
};
const Window kPanel{{304, 457}, {302, 345}};
const Window kTable{{702, 581}, {311, 409}};
const Window kHelp{{522, 581}, {104, 143}};
const Window kCircuit{{1002, 708}, {746, 380}};

struct Placement {
    std::string name;
    QRect screen;
    QRect main;
    std::vector<QRect> others;
    Window window;
    QRect expected;
};

class PlaceBesideTest : public ::testing::TestWithParam<Placement> {};

TEST_P(PlaceBesideTest, GoesBesideTheMainWindowOnTheScreen) {
    const Placement& p = GetParam();
    const QRect place =
        PlaceBeside(p.screen, p.main, p.others, p.window.preferred, p.window.minimum);
    EXPECT_EQ(place, p.expected);
    EXPECT_TRUE(p.screen.contains(place));
    EXPECT_FALSE(place.intersects(p.main));
    for (const QRect& other : p.others) {
        EXPECT_FALSE(place.intersects(other)) << "covers another window";
    }
    EXPECT_GE(place.width(), p.window.minimum.width());
    EXPECT_GE(place.height(), p.window.minimum.height());
}

INSTANTIATE_TEST_SUITE_P(
    Screens, PlaceBesideTest,
    ::testing::Values(
        // Right of the main window, level with it, at the size it asks for.
        Placement{"Panel1024Right", kScreen1024, kMain1024, {}, kPanel, {708, 212, 304, 457}},
        // Right, but narrowed to the room there, and raised to fit the screen's height.
        Placement{
            "Table1024RightNarrowed", kScreen1024, kMain1024, {}, kTable, {708, 187, 316, 581}},
        // The right taken: left, against the main window.
        Placement{"Table1024LeftOfThePanel",
                  kScreen1024,
                  kMain1024,
                  {{708, 212, 304, 457}},
                  kTable,
                  {0, 187, 316, 581}},
        // Both sides taken: below, as wide as the room between the others.
        Placement{"Help1024BelowBetweenTheOthers",
                  kScreen1024,
                  kMain1024,
                  {{708, 212, 304, 457}, {0, 187, 316, 581}},
                  kHelp,
                  {320, 560, 384, 208}},
        Placement{"Table1280Right", kScreen1280, kMain1280, {}, kTable, {836, 278, 444, 581}},
        // Below another window in the same column when it fits there whole.
        Placement{"Panel1280UnderAShortWindow",
                  kScreen1280,
                  kMain1280,
                  {{836, 278, 310, 100}},
                  kPanel,
                  {836, 382, 304, 457}},
        // At its full size on the left rather than squeezed under a window on the right.
        Placement{"Panel1280LeftRatherThanSqueezed",
                  kScreen1280,
                  kMain1280,
                  {{836, 278, 444, 581}},
                  kPanel,
                  {140, 278, 304, 457}},
        // The main window against the screen's right edge: left.
        Placement{
            "MainAtTheRightEdge", kScreen1280, {896, 0, 384, 344}, {}, kPanel, {588, 0, 304, 457}},
        // No room on either side: below, as high as the room is when it holds the minimum.
        Placement{"MainAsWideAsTheScreen",
                  {0, 0, 800, 900},
                  {0, 0, 800, 344},
                  {},
                  kPanel,
                  {0, 348, 304, 457}},
        // Whole on the left rather than narrowed on the right.
        Placement{"Table1600LeftWholeRatherThanNarrowedRight",
                  {0, 0, 1600, 900},
                  {800, 278, 384, 344},
                  {},
                  kTable,
                  {94, 278, 702, 581}},
        // A circuit window at 1920 × 1080, the main window a little right of the centre: the
        // left side is the wider (766 against 760), and it goes there.
        Placement{"Circuit1920TheLargerSide",
                  {0, 0, 1920, 1080},
                  {770, 376, 386, 327},
                  {},
                  kCircuit,
                  {0, 372, 766, 708}},
        // The screen's free area need not start at 0 (a panel on the left, one on top).
        Placement{"ScreenAreaBelowAndRightOfPanels",
                  {64, 32, 1216, 868},
                  {100, 40, 384, 344},
                  {},
                  kTable,
                  {488, 40, 702, 581}}),
    [](const ::testing::TestParamInfo<Placement>& param) { return param.param.name; });

TEST(PlaceBeside, WithoutRoomBesideTheMainWindowStaysOnTheScreenAtMostItsSize) {
    const QRect screen(0, 0, 800, 600);
    const QRect main(100, 100, 600, 400);  // no side holds even the minimum
    const QRect place = PlaceBeside(screen, main, {}, QSize(702, 581), QSize(311, 409));
    EXPECT_TRUE(screen.contains(place));
    EXPECT_EQ(place.size(), QSize(702, 581));
    const QRect tiny(0, 0, 640, 480);
    const QRect squeezed =
        PlaceBeside(tiny, QRect(0, 0, 640, 480), {}, QSize(702, 581), QSize(311, 409));
    EXPECT_TRUE(tiny.contains(squeezed));
    EXPECT_EQ(squeezed.size(), QSize(640, 480));
}

TEST(PlaceBeside, CoversAnotherToolWindowRatherThanTheMainOne) {
    // Right, left and below all hold a window already.
    const std::vector<QRect> others{{708, 0, 316, 768}, {0, 0, 316, 768}, {320, 560, 384, 208}};
    const QRect place =
        PlaceBeside(kScreen1024, kMain1024, others, kPanel.preferred, kPanel.minimum);
    EXPECT_FALSE(place.intersects(kMain1024));
    EXPECT_TRUE(kScreen1024.contains(place));
}

// A remembered frame comes back onto the screen that shows its title bar, whole: narrowed first,
// keeping its left edge, then moved; moved up; one off every screen is let go.
TEST(BackOnScreen, BringsARememberedPlaceWholeOntoItsScreen) {
    const std::vector<QRect> screens{{0, 0, 1280, 900}, {1280, 0, 1024, 768}};
    struct Case {
        const char* name;
        QRect frame;
        std::optional<QRect> expected;
    };
    const Case cases[] = {
        {"whole on the first screen", {30, 40, 444, 581}, QRect(30, 40, 444, 581)},
        {"whole on the second screen", {1500, 100, 444, 581}, QRect(1500, 100, 444, 581)},
        // Its title bar partly off the left edge: moved in; too low: moved up.
        {"off the left and the bottom", {-300, 500, 444, 581}, QRect(0, 319, 444, 581)},
        // Past the second screen's right and bottom edges: narrowed to its least width (311),
        // then moved back; moved up.
        {"past the right and bottom", {2200, 700, 444, 581}, QRect(1993, 187, 311, 581)},
        // «Tubi commerciali» remembered from a wider screen, on the 1024 × 768 one: narrowed to the
        // room right of a centred main window, where it would go afresh; with less room there,
        // at its least width against the screen's edge. Its close button shows either way.
        {"from a wider screen", {1280 + 708, 187, 702, 581}, QRect(1280 + 708, 187, 316, 581)},
        {"from a wider screen, less room",
         {1280 + 900, 100, 702, 581},
         QRect(1280 + 713, 100, 311, 581)},
        // Larger than its screen: as wide as the room from its left edge, as high as the screen.
        {"larger than its screen", {1300, 10, 1800, 1200}, QRect(1300, 0, 1004, 768)},
        // Off every screen: a second screen that is gone, above the top, too little showing.
        {"a screen that is gone", {2400, 100, 444, 581}, std::nullopt},
        {"above the top", {30, -10, 444, 581}, std::nullopt},
        {"too little showing on the left", {-420, 100, 444, 581}, std::nullopt},
        {"below the first screen", {500, 890, 444, 581}, std::nullopt},
        {"below the second screen", {1300, 760, 444, 581}, std::nullopt},
        {"far away", {-1000000, 0, 444, 581}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BackOnScreen(c.frame, screens, kTable.minimum.width()), c.expected) << c.name;
    }
    EXPECT_EQ(BackOnScreen(QRect(30, 40, 444, 581), {}, kTable.minimum.width()), std::nullopt);
}

}  // namespace
}  // namespace idrovela::window::qt
