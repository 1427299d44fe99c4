#include <gtest/gtest.h>

#include "plane/frame.h"

using namespace kw;

namespace {

constexpr int kBar = 17;              // scroll bar thickness in these tests
constexpr Extent kClient{541, 458};   // the drawing window's client area at start
constexpr Extent kFenster{524, 441};  // the same with both bars
constexpr Extent kPlane{1200, 1800};

TEST(Frame, BarsShowWhenThePlaneDoesNotFitBesideTheOtherBar)
{
    const FrameLayout l = Form_Resize(kClient, {1200, 1200}, kBar, kBar);
    EXPECT_TRUE(l.hScroll && l.vScroll);
    EXPECT_EQ(l.viewport.width, kFenster.width);
    EXPECT_EQ(l.viewport.height, kFenster.height);
    const FrameLayout small = Form_Resize(kClient, {300, 300}, kBar, kBar);
    EXPECT_FALSE(small.hScroll || small.vScroll);
    // The plane is 10 pixels narrower than the client area, but the vertical bar
    // takes 17: without the horizontal bar 7 columns could never be reached.
    EXPECT_TRUE(Form_Resize({1210, 458}, {1200, 2000}, kBar, kBar).hScroll);
    EXPECT_FALSE(Form_Resize({1300, 458}, {1200, 2000}, kBar, kBar).hScroll);
}

TEST(Frame, ScrollValuesPlaceThePlaneAndFollowItBack)
{
    const Offset middle = Ebene_Positionieren({524, 443}, {1200, 1200}, kScrollStart, kScrollStart);
    EXPECT_EQ(middle.left, -338);  // -(1200 - 524) / 2: the origin in the middle
    EXPECT_EQ(middle.top, -378);   // -(1200 - 443) / 2 = -378,5: the half rounded to even
    EXPECT_EQ(Ebene_Positionieren(kFenster, kPlane, kScrollMax, 0).left, 524 - 1200);
    EXPECT_EQ(Ebene_Positionieren(kFenster, kPlane, 20, 0).left, -14);  // 676 · 20 / 1000 = 13,52
    EXPECT_EQ(Ebene_Positionieren(kClient, {300, 300}, kScrollMax, kScrollMax).left, 0);
    // Positions are whole pixels; going back may be off by what a pixel is worth.
    const ScrollValues back =
        scrollValuesFor(kFenster, kPlane, Ebene_Positionieren(kFenster, kPlane, 333, 980), {});
    EXPECT_NEAR(back.h, 333, 1000.0 / (1200 - 524));
    EXPECT_NEAR(back.v, 980, 1000.0 / (1800 - 441));
    // A side that does not scroll keeps its value.
    EXPECT_EQ(scrollValuesFor({600, 441}, {300, 1800}, {0, 0}, {123, 456}).h, 123);
}

TEST(Frame, DraggingFollowsTheMouseWithoutUncoveringTheFrame)
{
    const Offset start{-338, -380};
    EXPECT_EQ(dragPlane(kFenster, {1200, 1200}, start, 100, -50).left, -238);
    EXPECT_EQ(dragPlane(kFenster, {1200, 1200}, start, 5000, -5000).top, 441 - 1200);
    // Smaller than the frame along one side only: that side snaps, the other follows.
    const Offset narrow = dragPlane(kFenster, {300, 1200}, {-20, -100}, 40, 60);
    EXPECT_EQ(narrow.left, 0);
    EXPECT_EQ(narrow.top, -40);
}

TEST(Docking, DraggedMainPanelTakesTheOthersAlong)
{
    const Box drawing{341, 126, 557, 520};
    const DockAfterDrag d = dockToMainPanel({100, 700, 600, 150}, drawing, 541, 541);
    EXPECT_TRUE(d.moveDrawing);
    EXPECT_EQ(d.drawing.top, 180);
    EXPECT_EQ(d.analysis.left, 700);  // beside the main panel
    // A window wider than its plane stays where it is.
    EXPECT_FALSE(dockToMainPanel({100, 700, 600, 150}, drawing, 541, 540).moveDrawing);
}

// Outer boxes as a window manager frames them: the drawing window at its place,
// the main panel below it, the analysis panel beside it.
constexpr Box kDrawing{340, 106, 543, 502};
constexpr Box kPanel{340, 608, 543, 173};
constexpr Box kAnalysis{883, 106, 343, 555};

TEST(Docking, WindowsMoveOntoTheScreenJustAsFarAsNeeded)
{
    const Box two[] = {kDrawing, kPanel};
    const Box three[] = {kDrawing, kPanel, kAnalysis};
    auto shift = [](std::span<const Box> group, Box area) {
        const Offset by = shiftInto(group, area);
        return std::pair{by.left, by.top};
    };
    // Where everything fits, nothing moves.
    EXPECT_EQ(shift(three, {0, 0, 1920, 1080}), std::pair(0, 0));
    // 1366 × 768 less a task bar of 40: up by what reaches below, all together.
    EXPECT_EQ(shift(two, {0, 0, 1366, 728}), std::pair(0, 728 - 781));
    EXPECT_EQ(shift(three, {0, 0, 1366, 728}), std::pair(0, 728 - 781));
    // Too narrow for the analysis panel: left.
    EXPECT_EQ(shift(three, {0, 0, 1024, 768}), std::pair(1024 - 1226, -13));
    // A task bar at the top or left: the area does not start at 0.
    EXPECT_EQ(shift(two, {0, 40, 1366, 728}), std::pair(0, -13));
    EXPECT_EQ(shift(two, {400, 0, 1200, 900}), std::pair(60, 0));
    // Larger than the screen: the top-left corner stays on it.
    EXPECT_EQ(shift(three, {0, 0, 800, 600}), std::pair(-340, -106));
    // No screen known: nothing moves.
    EXPECT_EQ(shift(two, {}), std::pair(0, 0));
}

}  // namespace
