#include <gtest/gtest.h>

#include "curves/bridge.h"
#include "scene/redraw.h"
#include "scene/show_all.h"
#include "support/plane_helpers.h"

using namespace kw;

namespace {

class ShowAll : public test::PanelFixture {
protected:
    // Whether the world point lies on the plane.
    bool inView(double x, double y) const
    {
        const double px = c.plane.pixelX(x), py = c.plane.pixelY(y);
        return px >= 0 && px <= c.plane.width() && py >= 0 && py <= c.plane.height();
    }
};

TEST_F(ShowAll, TheWholeBridgeFitsTheViewAndTheZoomSaysSo)
{
    BridgeFields r{"100", "30", "5", {}, {}, {}, {}};
    ASSERT_TRUE(Berechne_CMD_Click(c, r));
    drawFromPanel(c);
    EXPECT_EQ(c.plane.height(), 3000);  // larger than any window
    ASSERT_TRUE(showAll(c, 800, 600));
    EXPECT_EQ(c.plane.width(), 600);
    EXPECT_EQ(c.plane.height(), 600);
    EXPECT_EQ(ui.status[3], "Zoom: 20%");
    EXPECT_EQ(c.state.main.x_eingabe, "-50");  // the towers stand at the range's ends
    for (double x : {-50.0, 50.0})
        EXPECT_TRUE(inView(x, 30));
    EXPECT_FALSE(test::worldLines(c.plane, kHangerColour).empty());  // the towers' redraw too
    EXPECT_TRUE(c.state.bridge.towersShown);
}

TEST_F(ShowAll, WidensTheRangeOnlyForWhatReachesBeyondItAndIsStable)
{
    draw("x^2");
    EXPECT_EQ(wholeDrawingTop(c), 20);  // the parabola's height does not count
    c.plane.setForeColor(rgb(0, 0, 255));
    c.plane.line(-35, 1, 30, 1);
    EXPECT_EQ(wholeDrawingTop(c), 37);
    draw("x^2");
    ASSERT_TRUE(showAll(c, 900, 700));
    EXPECT_EQ(c.plane.width(), 696);  // 58 %, a whole percentage
    EXPECT_EQ(ui.status[3], "Zoom: 58%");
    const Plane once = c.plane;
    ASSERT_TRUE(showAll(c, 900, 700));
    EXPECT_EQ(c.plane, once);
    EXPECT_EQ(c.state.main.y_eingabe, "20");

    c.state.main.x_eingabe = "-40000";
    ui.messages.clear();
    EXPECT_FALSE(showAll(c, 900, 700));
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kRangeMessage)});
    EXPECT_EQ(c.plane, once);
}

// A family above the plane: the range widens until each member shows, once.
TEST_F(ShowAll, BringsEveryMemberOfAFamilyIntoView)
{
    ui.answers = {"30", "60", "10"};
    draw("x+@");
    ASSERT_TRUE(showAll(c, 900, 700));
    EXPECT_EQ(c.state.main.x_eingabe, "-42");  // x + 60 at x = -20 is 40, and a little room
    for (const auto& m : c.drawing.familyDrawn) {
        int shown = 0;
        for (std::uint32_t r = m.firstRun; r < m.endRun; ++r)
            for (std::uint32_t i = 0; i < c.plane.runs()[r].count; ++i) {
                const auto& v = c.plane.vertices()[c.plane.runs()[r].first + i];
                shown += v.x >= 0 && v.y >= 0 && v.x <= c.plane.width() && v.y <= c.plane.height();
            }
        EXPECT_GT(shown, 0) << m.value;
    }
    ASSERT_TRUE(showAll(c, 900, 700));
    EXPECT_EQ(c.state.main.x_eingabe, "-42");
    EXPECT_EQ(c.drawing.familyDrawn.size(), 4u);
}

}  // namespace
