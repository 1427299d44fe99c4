#include <gtest/gtest.h>

#include "plane/frame.h"

using namespace kw;

namespace {

constexpr int kBar = 17;             // scroll bar thickness in these tests
constexpr Extent kClient{541, 458};  // the drawing window's client area at start

TEST(Frame, DefaultWindowShowsBothBarsAndTheOriginInTheMiddle)
{
    const FrameLayout l = Form_Resize(kClient, {1200, 1200}, kBar, kBar);
    EXPECT_TRUE(l.hLauf);
    EXPECT_TRUE(l.vLauf);
    EXPECT_EQ(l.fenster.width, 541 - kBar);
    EXPECT_EQ(l.fenster.height, 458 - kBar);

    const Offset at = Ebene_Positionieren(l.fenster, {1200, 1200}, kLaufStart, kLaufStart);
    EXPECT_EQ(at.left, -338);  // -(1200 - 524) / 2
    EXPECT_EQ(at.top, -380);   // -(1200 - 441) / 2, half a pixel rounded to even
    // The plane's middle (the origin) lies in the frame's middle.
    EXPECT_NEAR(at.left + 600, l.fenster.width / 2.0, 0.5);
    EXPECT_NEAR(at.top + 600, l.fenster.height / 2.0, 0.5);
}

TEST(Frame, ScrollValuesRunFromEdgeToEdge)
{
    const Extent fenster{524, 441};
    const Extent plane{1200, 1800};
    EXPECT_EQ(Ebene_Positionieren(fenster, plane, 0, 0).left, 0);
    EXPECT_EQ(Ebene_Positionieren(fenster, plane, 0, 0).top, 0);
    const Offset end = Ebene_Positionieren(fenster, plane, kLaufMax, kLaufMax);
    EXPECT_EQ(end.left, 524 - 1200);  // the right edge meets the frame's right edge
    EXPECT_EQ(end.top, 441 - 1800);
    EXPECT_EQ(Ebene_Positionieren(fenster, plane, 20, 200).left, -14);  // 676 · 20 / 1000 = 13,52
}

TEST(Frame, SmallPictureNeedsNoBarsAndSitsInTheCorner)
{
    const FrameLayout l = Form_Resize(kClient, {300, 300}, kBar, kBar);
    EXPECT_FALSE(l.hLauf);
    EXPECT_FALSE(l.vLauf);
    EXPECT_EQ(l.fenster.width, 541);
    EXPECT_EQ(l.fenster.height, 458);
    const Offset at = Ebene_Positionieren(l.fenster, {300, 300}, kLaufMax, 700);
    EXPECT_EQ(at.left, 0);
    EXPECT_EQ(at.top, 0);

    // Tall and narrow: only the vertical bar.
    const FrameLayout tall = Form_Resize(kClient, {300, 1800}, kBar, kBar);
    EXPECT_FALSE(tall.hLauf);
    EXPECT_TRUE(tall.vLauf);
    EXPECT_EQ(tall.fenster.height, 458);
}

TEST(Frame, ABarThatTakesTheLastPixelsBringsTheOtherOne)
{
    // The plane is 10 pixels narrower than the client area, but the vertical bar
    // needs 17: without the horizontal bar 7 columns could never be reached.
    const FrameLayout l = Form_Resize({1210, 458}, {1200, 2000}, kBar, kBar);
    EXPECT_TRUE(l.vLauf);
    EXPECT_TRUE(l.hLauf);
    EXPECT_EQ(l.fenster.width, 1193);
    EXPECT_EQ(l.fenster.height, 441);

    // Room enough beside the bar: no horizontal bar.
    EXPECT_FALSE(Form_Resize({1300, 458}, {1200, 2000}, kBar, kBar).hLauf);
}

TEST(Frame, DraggingFollowsTheMouseWithoutUncoveringTheFrame)
{
    const Extent fenster{524, 441};
    const Extent plane{1200, 1200};
    const Offset start{-338, -380};
    Offset at = dragPlane(fenster, plane, start, 100, -50);
    EXPECT_EQ(at.left, -238);
    EXPECT_EQ(at.top, -430);
    at = dragPlane(fenster, plane, start, 5000, -5000);
    EXPECT_EQ(at.left, 0);
    EXPECT_EQ(at.top, 441 - 1200);

    // A plane smaller than the frame snaps to its top-left corner and stays.
    at = dragPlane(fenster, {300, 300}, {-20, -30}, 40, 40);
    EXPECT_EQ(at.left, 0);
    EXPECT_EQ(at.top, 0);
    // Smaller along one side only: that side snaps, the other follows.
    at = dragPlane(fenster, {300, 1200}, {0, -100}, 40, 60);
    EXPECT_EQ(at.left, 0);
    EXPECT_EQ(at.top, -40);
}

TEST(Frame, ScrollValuesFollowADraggedPlane)
{
    const Extent fenster{524, 441};
    const Extent plane{1200, 1800};
    for (int h : {0, 20, 333, 500, 980, 1000}) {
        const Offset at = Ebene_Positionieren(fenster, plane, h, 1000 - h);
        const LaufValues back = laufFor(fenster, plane, at, {});
        // Positions are whole pixels; going back may be off by what a pixel is worth.
        EXPECT_NEAR(back.h, h, 1000.0 / (1200 - 524));
        EXPECT_NEAR(back.v, 1000 - h, 1000.0 / (1800 - 441));
    }
    // A side that does not scroll keeps its value.
    const LaufValues kept = laufFor({600, 441}, {300, 1800}, {0, 0}, {123, 456});
    EXPECT_EQ(kept.h, 123);
    EXPECT_EQ(kept.v, 0);
}

TEST(Docking, PanelsSitBelowAndBesideTheDrawingWindow)
{
    const Box drawing{341, 126, 557, 520};
    EXPECT_EQ(mainPanelBelow(drawing).left, 341);
    EXPECT_EQ(mainPanelBelow(drawing).top, 646);
    EXPECT_EQ(analysisBeside(drawing).left, 898);
    EXPECT_EQ(analysisBeside(drawing).top, 126);
}

TEST(Docking, DraggedMainPanelTakesTheOthersAlong)
{
    const Box panel{100, 700, 600, 150};
    const Box drawing{341, 126, 557, 520};
    DockAfterDrag d = dockToMainPanel(panel, drawing, 541, 1200);
    EXPECT_TRUE(d.moveDrawing);
    EXPECT_EQ(d.drawing.left, 100);
    EXPECT_EQ(d.drawing.top, 180);
    EXPECT_EQ(d.analysis.left, 700);  // beside the main panel
    EXPECT_EQ(d.analysis.top, 180);

    // A window wider than its plane stays where it is.
    d = dockToMainPanel(panel, drawing, 541, 300);
    EXPECT_FALSE(d.moveDrawing);
    EXPECT_TRUE(dockToMainPanel(panel, drawing, 541, 541).moveDrawing);
}

}  // namespace
