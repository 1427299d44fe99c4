#include <gtest/gtest.h>

#include <new>

#include "panel/context.h"
#include "panel/main_panel.h"
#include "plane/picture_size.h"
#include "plane/save_status.h"
#include "support/plane_helpers.h"
#include "support/recording_ui.h"

using namespace kw;
using kw::test::worldLines;

namespace {

constexpr Rgb kRot = rgb(200, 0, 0);

class PictureSize : public ::testing::Test {
protected:
    test::RecordingUi ui;
    Context c{ui};
    std::vector<int> asked;

    void SetUp() override
    {
        mainPanelLoad(c);
        c.s.Eingabe = "x^2";
        zeichnen(c);
        c.w.Zoom_Prozent = 130;
    }

    // Memory for pictures up to `largest` pixels square.
    PictureProbe upTo(int largest)
    {
        return [this, largest](int w, int h) {
            EXPECT_EQ(w, h);
            asked.push_back(w);
            return w <= largest;
        };
    }
};

TEST_F(PictureSize, LargestSizeRedrawsEveryGraph)
{
    EXPECT_EQ(MenuGroesse_Click(c, 8, upTo(9600)), 8);
    EXPECT_EQ(c.w.sizex, 2400);
    EXPECT_EQ(c.w.sizey, 2400);
    EXPECT_EQ(c.ebene.width(), 2400);
    EXPECT_EQ(c.ebene.height(), 2400);
    EXPECT_DOUBLE_EQ(c.ebene.pixelX(20), 2400);  // redrawn on the new size
    EXPECT_FALSE(worldLines(c.ebene, kRot).empty());
    EXPECT_DOUBLE_EQ(c.w.Zoom_Prozent, 130);  // the zoom is not the menu's business
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PictureSize, TooLittleMemoryStepsDownOneSizeAtATime)
{
    EXPECT_EQ(MenuGroesse_Click(c, 8, upTo(1800)), 6);
    EXPECT_EQ(asked, (std::vector<int>{2400, 2100, 1800}));
    EXPECT_EQ(c.ebene.width(), 1800);
    EXPECT_DOUBLE_EQ(c.ebene.pixelX(20), 1800);
    EXPECT_FALSE(worldLines(c.ebene, kRot).empty());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0], kMeldungSpeicherReduziert);
    EXPECT_EQ(ui.messages[1], kMeldungSpeicherReduziert);
}

TEST_F(PictureSize, RedrawRunningOutOfMemoryCountsAsFailure)
{
    PictureProbe throwing = [](int w, int) {
        if (w > 600)
            throw std::bad_alloc();
        return true;
    };
    EXPECT_EQ(MenuGroesse_Click(c, 3, throwing), 2);
    EXPECT_EQ(c.ebene.width(), 600);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(PictureSize, NotEvenTheSmallestSizeEndsTheProgram)
{
    EXPECT_EQ(MenuGroesse_Click(c, 3, upTo(0)), 0);
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{std::string(kMeldungSpeicherReduziert),
                                        std::string(kMeldungSpeicherReduziert),
                                        std::string(kMeldungSpeicherEnde)}));
}

TEST(SaveStatus, MessagesNameTheStatusAndItsNumber)
{
    EXPECT_EQ(statusMessage(3), "Out Of Memory. GDI+ Error:3");
    EXPECT_EQ(statusMessage(12), "Access Denied. GDI+ Error:12");
    EXPECT_EQ(statusMessage(20), "Property Not Supported. GDI+ Error:20");
    EXPECT_EQ(statusMessage(21), "Unknown GDI+ Error. GDI+ Error:21");
    EXPECT_EQ(statusMessage(-1), "Unknown GDI+ Error. GDI+ Error:-1");

    test::RecordingUi ui;
    EXPECT_EQ(statusCheck(ui, 0), 0);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(statusCheck(ui, 7), 7);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Win32 Error. GDI+ Error:7");
    EXPECT_EQ(ui.titles[0], "GDI Error");
}

}  // namespace
