#include <gtest/gtest.h>

#include "plane/mouse.h"
#include "support/plane_helpers.h"

using namespace kw;

namespace {

class Wheel : public test::PanelFixture {
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        draw("x^2");
    }
    // Turns the wheel; returns the plane's new width.
    int notches(int n)
    {
        for (int i = 0; i < std::abs(n); ++i)
            MouseWheel(c, n > 0 ? 120 : -120);
        return c.plane.width();
    }
    bool graphShown() const { return !graph().empty(); }
};

TEST_F(Wheel, DefaultRangeZoomsBy10PercentBetween120And3600Pixels)
{
    int changes = ui.planeChanges;
    EXPECT_EQ(notches(1), 1320);
    EXPECT_EQ(ui.status[3], "Zoom: 110%");
    EXPECT_EQ(ui.planeChanges, changes + 1);  // everything redrawn
    EXPECT_DOUBLE_EQ(c.plane.pixelX(20), 1320);  // the axes span the new size
    EXPECT_TRUE(graphShown());

    EXPECT_EQ(notches(-10), 120);
    EXPECT_EQ(ui.status[3], "Zoom: 10%");
    // Further back the picture stays; the next notch forward starts from the bound.
    changes = ui.planeChanges;
    EXPECT_EQ(notches(-3), 120);
    EXPECT_EQ(ui.planeChanges, changes);
    EXPECT_EQ(notches(1), 240);

    c.state.picture.sizex = c.state.picture.sizey = 3480;
    EXPECT_EQ(notches(2), 3600);
    EXPECT_EQ(notches(-1), 3480);  // from the bound, not from 3720
    EXPECT_EQ(ui.status[3], "Zoom: 290%");
}

TEST_F(Wheel, OtherRangesScaleTheirBoundsAndPercentages)
{
    draw("x^2", "-10", "10");
    EXPECT_EQ(notches(1), 840);  // the general case moves two notches at once
    EXPECT_EQ(ui.status[3], "Zoom: 140%");
    draw("x^2", "-80", "80");  // above 50 the percentage counts hundreds: 1440 / (80 / 100 · 12)
    EXPECT_EQ(notches(1), 1440);
    EXPECT_EQ(ui.status[3], "Zoom: 150%");

    draw("x^2", "-1000", "1000");  // never beyond the plane's largest side, never a false zoom
    const std::string zoom = ui.status[3];
    EXPECT_EQ(notches(1), Plane::kMaxSide);
    EXPECT_EQ(ui.status[3], zoom);
    draw("x^2", "20", "-20");  // a nonsense range redraws nothing
    const int changes = ui.planeChanges;
    notches(3);
    notches(-5);
    EXPECT_EQ(ui.planeChanges, changes);
}

TEST_F(Wheel, IntersectionDrawingsReplaceTheGraph)
{
    // On the default range either flag of the intersection calculator brings
    // back only the coordinate system and its drawings …
    c.state.areas.Schnittstellen_integral_Zeichnen_Check = true;
    notches(1);
    EXPECT_FALSE(graphShown());
    // … on other ranges the area between graphs alone does not count.
    draw("x^2", "-10", "10");
    c.state.areas.Schnittstellen_integral_Zeichnen_Check = true;
    notches(1);
    EXPECT_TRUE(graphShown());
}

TEST(Coordinates, StatusTextRoundsToTwoDecimals)
{
    EXPECT_EQ(coordinatesText(-2.9166, 0.0041), "Koordinaten: X= -2,92, Y= 0, Radius= 2,92");
}

}  // namespace
