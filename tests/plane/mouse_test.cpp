#include <gtest/gtest.h>

#include "panel/context.h"
#include "panel/main_panel.h"
#include "plane/mouse.h"
#include "support/plane_helpers.h"
#include "support/recording_ui.h"
#include "terms/redraw.h"

using namespace kw;
using kw::test::worldLines;

namespace {

constexpr Rgb kRot = rgb(200, 0, 0);
constexpr Rgb kBlack = rgb(0, 0, 0);

class Wheel : public ::testing::Test {
protected:
    test::RecordingUi ui;
    Context c{ui};

    void SetUp() override { draw("-20", "20"); }

    void draw(const char* from, const char* to)
    {
        c.s.x_eingabe = from;
        c.s.y_eingabe = to;
        mainPanelLoad(c);
        c.s.Eingabe = "x^2";
        zeichnen(c);
    }

    void notches(int n)
    {
        for (int i = 0; i < std::abs(n); ++i)
            MouseWheel(c, n > 0 ? 120 : -120);
    }

    bool graphShown() { return !worldLines(c.ebene, kRot).empty(); }
};

TEST_F(Wheel, OneNotchForwardZoomsTo110PercentAndRedrawsEverything)
{
    const int changes = ui.planeChanges;
    notches(1);
    EXPECT_EQ(c.w.sizex, 1320);
    EXPECT_EQ(c.w.sizey, 1320);
    EXPECT_EQ(c.ebene.width(), 1320);
    EXPECT_EQ(c.ebene.height(), 1320);
    EXPECT_EQ(ui.status[3], "Zoom: 110%");
    EXPECT_EQ(ui.planeChanges, changes + 1);
    // Redrawn on the new size: the axes span it, the graph is back.
    EXPECT_DOUBLE_EQ(c.ebene.pixelX(20), 1320);
    EXPECT_TRUE(graphShown());
    EXPECT_FALSE(c.s.Mausrad_Funktion);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Wheel, DefaultRangeStaysBetween120And3600Pixels)
{
    notches(-9);
    EXPECT_EQ(c.ebene.width(), 120);
    EXPECT_EQ(ui.status[3], "Zoom: 10%");

    // Further back the picture stays while the size drops to 0 …
    const int changes = ui.planeChanges;
    notches(-3);
    EXPECT_EQ(c.ebene.width(), 120);
    EXPECT_EQ(c.w.sizex, 0);
    EXPECT_EQ(ui.planeChanges, changes);
    EXPECT_EQ(ui.status[3], "Zoom: 10%");
    // … and the next notch forward starts again from the bound.
    notches(1);
    EXPECT_EQ(c.ebene.width(), 240);
    EXPECT_EQ(ui.status[3], "Zoom: 20%");

    c.w.sizex = c.w.sizey = 3480;
    notches(1);
    EXPECT_EQ(c.ebene.width(), 3600);
    EXPECT_EQ(ui.status[3], "Zoom: 300%");
    notches(1);
    EXPECT_EQ(c.ebene.width(), 3600);
    EXPECT_EQ(c.w.sizex, 3720);
    notches(-1);
    EXPECT_EQ(c.ebene.width(), 3480);
    EXPECT_EQ(ui.status[3], "Zoom: 290%");
}

TEST_F(Wheel, OtherRangesMoveTwoNotchesAtOnce)
{
    draw("-10", "10");  // 600 pixels; bounds 60 and 1800
    ASSERT_EQ(c.ebene.width(), 600);
    notches(1);
    EXPECT_EQ(c.ebene.width(), 840);
    EXPECT_EQ(ui.status[3], "Zoom: 140%");
    EXPECT_TRUE(graphShown());

    // Above 50 the percentage counts hundreds: 1440 / (80 / 100 · 12).
    draw("-80", "80");
    ASSERT_EQ(c.ebene.width(), 1200);
    notches(1);
    EXPECT_EQ(c.ebene.width(), 1440);
    EXPECT_EQ(ui.status[3], "Zoom: 150%");
}

TEST_F(Wheel, NeverGrowsThePlaneBeyondItsLargestSide)
{
    draw("-1000", "1000");
    ASSERT_EQ(c.ebene.width(), Plane::kMaxSide);
    const std::string zoom = ui.status[3];
    notches(1);
    EXPECT_EQ(c.ebene.width(), Plane::kMaxSide);
    EXPECT_EQ(ui.status[3], zoom);  // nothing redrawn, nothing claimed
    notches(-1);
    EXPECT_EQ(c.ebene.width(), Plane::kMaxSide - 120);
    EXPECT_EQ(ui.status[3], "Zoom: 79%");
}

TEST_F(Wheel, NonsenseRangesRedrawNothing)
{
    for (const char* top : {"0", "-20"}) {
        draw("20", top);
        const int changes = ui.planeChanges;
        notches(3);
        notches(-5);
        EXPECT_EQ(ui.planeChanges, changes) << top;
        EXPECT_FALSE(c.s.Mausrad_Funktion);
    }
}

TEST_F(Wheel, IntersectionDrawingsReplaceTheGraph)
{
    // While the intersection calculator's functions are shown, the wheel
    // brings back only the coordinate system and those drawings.
    c.s.Schnittstellen_Zeichnen_test = true;
    notches(1);
    EXPECT_EQ(c.ebene.width(), 1320);
    EXPECT_FALSE(graphShown());
    EXPECT_FALSE(worldLines(c.ebene, kBlack).empty());

    // On other ranges the area between graphs alone does not count.
    c.s.Schnittstellen_Zeichnen_test = false;
    c.s.Schnittstellen_integral_Zeichnen_Check = true;
    notches(1);
    EXPECT_FALSE(graphShown());
    c.s.x_eingabe = "-10";
    c.s.y_eingabe = "10";
    Zeichnen_click(c);  // clears both flags
    c.s.Schnittstellen_integral_Zeichnen_Check = true;
    notches(1);
    EXPECT_TRUE(graphShown());
}

TEST(Coordinates, StatusTextRoundsToTwoDecimals)
{
    EXPECT_EQ(koordinatenText(3, 4), "Koordinaten: X= 3, Y= 4, Radius= 5");
    EXPECT_EQ(koordinatenText(-0.5, 1.2), "Koordinaten: X= -0,5, Y= 1,2, Radius= 1,3");
    EXPECT_EQ(koordinatenText(-2.9166, 0.0041), "Koordinaten: X= -2,92, Y= 0, Radius= 2,92");

    test::RecordingUi ui;
    Context c(ui);
    Ebene_MouseMove(c, 3, 4);
    EXPECT_EQ(ui.status[2], "Koordinaten: X= 3, Y= 4, Radius= 5");
}

}  // namespace
