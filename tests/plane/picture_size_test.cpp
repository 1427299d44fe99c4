#include <gtest/gtest.h>

#include <new>

#include "plane/mouse.h"
#include "plane/picture_size.h"
#include "plane/save_status.h"
#include "support/plane_helpers.h"

using namespace kw;

namespace {

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

TEST_F(PictureSize, NoSequenceOfRangesZoomsAndSizesLeavesANewDrawingWithoutNumbers)
{
    auto numbers = [&] { return c.plane.texts().size(); };
    auto zeichnenAt = [&](const char* a, const char* b) { draw("x", a, b); };
    zeichnenAt("-3", "3");  // a small plane…
    EXPECT_EQ(c.plane.height(), 180);
    EXPECT_EQ(ui.status[3], "Zoom: 100%");
    zeichnenAt("-20", "20");  // …does not stay for the default range
    EXPECT_EQ(c.plane.height(), 1200);
    EXPECT_GT(numbers(), 70u);
    for (int i = 0; i < 5; ++i)
        MouseWheel(c, -120);  // 600 pixels: 50 %, no numbers
    EXPECT_EQ(ui.status[3], "Zoom: 50%");
    EXPECT_EQ(numbers(), 0u);
    zeichnenAt("-20", "20");
    EXPECT_EQ(c.plane.height(), 1200);
    EXPECT_EQ(ui.status[3], "Zoom: 100%");
    EXPECT_GT(numbers(), 70u);
    // A size chosen from the menu stays while its numbers can be read.
    MenuGroesse_Click(c, 8, upTo(9600));
    zeichnenAt("-20", "20");
    EXPECT_EQ(c.plane.height(), 2400);
    EXPECT_EQ(ui.status[3], "Zoom: 200%");
    MenuGroesse_Click(c, 1, upTo(9600));
    zeichnenAt("-20", "20");
    EXPECT_EQ(c.plane.height(), 1200);
    EXPECT_GT(numbers(), 70u);
    zeichnenAt("-100", "100");
    EXPECT_EQ(ui.status[3], "Zoom: 100%");
}

}  // namespace
