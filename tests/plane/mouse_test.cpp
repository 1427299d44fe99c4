#include <gtest/gtest.h>

#include <new>

#include "plane/mouse.h"
#include "plane/picture_size.h"
#include "plane/save_status.h"
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

class PictureSize : public test::PanelFixture {
protected:
    std::vector<int> asked;

    // Memory for pictures up to `largest` pixels square; records the sizes asked for.
    PictureProbe upTo(int largest)
    {
        return [this, largest](int w, int) { return asked.push_back(w), w <= largest; };
    }
};

TEST_F(PictureSize, LargestSizeRedrawsEveryGraphAtTheNewSize)
{
    draw("x^2");
    c.state.picture.Zoom_Prozent = 130;
    EXPECT_EQ(MenuGroesse_Click(c, 8, upTo(9600)), 8);
    EXPECT_EQ(c.plane.height(), 2400);
    EXPECT_DOUBLE_EQ(c.plane.pixelX(20), 2400);  // the axes span the new size
    EXPECT_FALSE(graph().empty());
    EXPECT_DOUBLE_EQ(c.state.picture.Zoom_Prozent, 130);  // the zoom is not the menu's business
}

TEST_F(PictureSize, TooLittleMemoryStepsDownOneSizeAtATime)
{
    const std::string reduced(kMemoryReducedMessage);
    EXPECT_EQ(MenuGroesse_Click(c, 8, upTo(1800)), 6);
    EXPECT_EQ(asked, (std::vector<int>{2400, 2100, 1800}));
    EXPECT_EQ(c.plane.width(), 1800);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{reduced, reduced}));
    // Running out of memory while redrawing counts as a failure too.
    PictureProbe throwing = [](int w, int) { return w > 600 ? throw std::bad_alloc() : true; };
    EXPECT_EQ(MenuGroesse_Click(c, 3, throwing), 2);
    EXPECT_EQ(c.plane.width(), 600);
    // Not even the smallest size: the caller ends the program after the last message.
    ui.messages.clear();
    EXPECT_EQ(MenuGroesse_Click(c, 3, upTo(0)), 0);
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{reduced, reduced, std::string(kMemoryEndMessage)}));
}

// The save window's messages are checked with the window; here the ends of the table.
TEST(SaveStatus, NumbersBeyondTheTableGetTheGeneralText)
{
    EXPECT_EQ(statusMessage(20), "Property Not Supported. GDI+ Error:20");
    EXPECT_EQ(statusMessage(21), "Unknown GDI+ Error. GDI+ Error:21");
    EXPECT_EQ(statusMessage(-1), "Unknown GDI+ Error. GDI+ Error:-1");
}

// A small plane does not stay for the default range, a size chosen from the
// menu stays while its numbers can be read, and a wheel's zoom without numbers
// ends at the next "Zeichnen".
TEST_F(PictureSize, NoSequenceOfRangesZoomsAndSizesLeavesANewDrawingWithoutNumbers)
{
    struct Row {
        const char* from;  // "Zeichnen" from this to its negation, or null
        int wheel, menu;   // notches, and a menu item (0 for none), before it
        int height;        // the plane's afterwards (0: not checked)
        const char* zoom;
        int numbers;       // more than 70, none, or not checked (-1)
    };
    const Row rows[] = {{"-3", 0, 0, 180, "Zoom: 100%", -1},   {"-20", 0, 0, 1200, nullptr, 1},
                        {nullptr, -5, 0, 0, "Zoom: 50%", 0}, {"-20", 0, 0, 1200, "Zoom: 100%", 1},
                        {"-20", 0, 8, 2400, "Zoom: 200%", 1}, {"-20", 0, 1, 1200, nullptr, 1},
                        {"-100", 0, 0, 0, "Zoom: 100%", 1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(&r - rows);
        for (int i = 0; i < -r.wheel; ++i)
            MouseWheel(c, -120);
        if (r.menu)
            MenuGroesse_Click(c, r.menu, upTo(9600));
        if (r.from)
            draw("x", r.from, r.from + 1);
        EXPECT_TRUE(!r.height || c.plane.height() == r.height) << c.plane.height();
        EXPECT_TRUE(!r.zoom || ui.status[3] == r.zoom) << ui.status[3];
        const std::size_t n = c.plane.texts().size();
        EXPECT_TRUE(r.numbers < 0 || (r.numbers ? n > 70 : n == 0)) << n;
    }
}

}  // namespace
