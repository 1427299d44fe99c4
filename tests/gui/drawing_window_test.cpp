#include <gtest/gtest.h>

#include <QAction>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "panel/context.h"
#include "panel/main_panel.h"
#include "plane/drawing_window.h"
#include "plane/plane_widget.h"
#include "support/gui_helpers.h"
#include "support/recording_ui.h"

using namespace kw;
using namespace kw::test;

namespace {

class DrawingWindowTest : public ::testing::Test {
protected:
    RecordingUi ui;
    Context c{ui};
    DrawingWindow w{c};

    void SetUp() override
    {
        mainPanelLoad(c);
        c.s.Eingabe = "x^2";
        zeichnen(c);
        w.planeChanged();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    }

    QPoint planePos() const { return w.plane()->pos(); }
    QSize fenster() const { return w.fenster()->size(); }
    QWidget* client() const { return w.centralWidget(); }
};

TEST_F(DrawingWindowTest, StartsWithTheOriginInTheMiddleOfTheFrame)
{
    EXPECT_EQ(client()->size(), QSize(541, 458));
    EXPECT_TRUE(w.hLauf()->isVisible());
    EXPECT_TRUE(w.vLauf()->isVisible());
    for (QScrollBar* bar : {w.hLauf(), w.vLauf()}) {
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 1000);
        EXPECT_EQ(bar->singleStep(), 20);
        EXPECT_EQ(bar->pageStep(), 200);
        EXPECT_EQ(bar->value(), 500);
    }
    EXPECT_EQ(fenster().width(), 541 - w.vLauf()->width());
    EXPECT_EQ(fenster().height(), 458 - w.hLauf()->height());
    EXPECT_EQ(w.hLauf()->geometry().top(), fenster().height());
    EXPECT_EQ(w.vLauf()->geometry().left(), fenster().width());
    EXPECT_EQ(w.plane()->size(), QSize(1200, 1200));
    EXPECT_NEAR(planePos().x() + 600, fenster().width() / 2.0, 0.5);
    EXPECT_NEAR(planePos().y() + 600, fenster().height() / 2.0, 0.5);
}

TEST_F(DrawingWindowTest, ThePlaneFollowsTheScrollBars)
{
    w.hLauf()->setValue(0);
    w.vLauf()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(planePos(), QPoint(0, fenster().height() - 1200));

    // Dragging the thumb moves the plane before the thumb is let go.
    w.hLauf()->setSliderDown(true);
    w.hLauf()->setSliderPosition(1000);
    EXPECT_EQ(planePos().x(), fenster().width() - 1200);
    w.hLauf()->setSliderDown(false);

    // A larger window keeps the scroll fractions.
    w.resize(800, w.height() + 100);
    EXPECT_EQ(planePos().x(), fenster().width() - 1200);
    EXPECT_EQ(planePos().y(), fenster().height() - 1200);
}

TEST_F(DrawingWindowTest, WheelNotchZoomsAndKeepsTheViewCentred)
{
    wheel(w.plane(), QPoint(600, 600), 120);
    EXPECT_EQ(c.w.sizex, 1320);
    EXPECT_EQ(w.plane()->size(), QSize(1320, 1320));
    EXPECT_EQ(ui.status[3], "Zoom: 110%");
    EXPECT_NEAR(planePos().x() + 660, fenster().width() / 2.0, 0.5);

    // A fine wheel's half notches add up to one.
    wheel(w.plane(), QPoint(600, 600), -60);
    EXPECT_EQ(c.w.sizex, 1320);
    wheel(w.plane(), QPoint(600, 600), -60);
    EXPECT_EQ(c.w.sizex, 1200);
    EXPECT_EQ(ui.status[3], "Zoom: 100%");

    // Zoomed far out the plane fits: no bars, plane in the corner.
    for (int i = 0; i < 9; ++i)
        wheel(w.plane(), QPoint(10, 10), -120);
    EXPECT_EQ(w.plane()->size(), QSize(120, 120));
    EXPECT_FALSE(w.hLauf()->isVisible());
    EXPECT_FALSE(w.vLauf()->isVisible());
    EXPECT_EQ(planePos(), QPoint(0, 0));
}

TEST_F(DrawingWindowTest, PaintsOnlyWhatTheFrameShows)
{
    for (int i = 0; i < 20; ++i)
        wheel(w.plane(), QPoint(600, 600), 120);
    ASSERT_EQ(w.plane()->size(), QSize(3600, 3600));
    w.repaint();
    QCoreApplication::processEvents();
    const QSize kept = w.plane()->viewSize();
    EXPECT_GT(kept.width(), 0);
    EXPECT_LE(kept.width(), fenster().width());
    EXPECT_LE(kept.height(), fenster().height());
}

TEST_F(DrawingWindowTest, CursorShowsCoordinatesAndTraceLines)
{
    // World (3, 4) lies at pixel (690, 480) of the default plane.
    move(w.plane(), QPoint(690, 480));
    EXPECT_EQ(ui.status[2], "Koordinaten: X= 3, Y= 4, Radius= 5");
    ASSERT_TRUE(w.plane()->trace());
    EXPECT_EQ(*w.plane()->trace(), QPointF(3, 4));

    // Seen in the frame: dotted blue lines through the cursor across the frame.
    QCoreApplication::processEvents();
    const QImage seen = w.fenster()->grab().toImage();
    const QPoint at = QPoint(690, 480) + planePos();
    EXPECT_GT(bluePixels(seen, QRect(0, at.y(), seen.width(), 1)), seen.width() / 4);
    EXPECT_GT(bluePixels(seen, QRect(at.x(), 0, 1, seen.height())), seen.height() / 4);
    EXPECT_EQ(bluePixels(seen, QRect(0, at.y() + 20, at.x() - 2, 1)), 0);

    // They stay at their world position when the plane is zoomed.
    wheel(w.plane(), QPoint(690, 480), 120);
    EXPECT_EQ(*w.plane()->trace(), QPointF(3, 4));
}

TEST_F(DrawingWindowTest, LeftButtonDragsThePlaneAndTheBarsFollow)
{
    const QPoint start = planePos();
    QWidget* p = w.plane();
    move(p, QPoint(600, 600));  // over the origin
    mouse(p, QEvent::MouseButtonPress, QPoint(600, 600), Qt::LeftButton, Qt::LeftButton);
    const std::string grabbed = ui.status[2];
    move(p, QPoint(500, 550), Qt::LeftButton);
    EXPECT_EQ(planePos(), start + QPoint(-100, -50));
    // The plane moved with the cursor: it still points at the same place.
    EXPECT_EQ(ui.status[2], grabbed);
    EXPECT_EQ(*w.plane()->trace(), QPointF(0, 0));
    EXPECT_GT(w.hLauf()->value(), 500);
    EXPECT_GT(w.vLauf()->value(), 500);
    mouse(p, QEvent::MouseButtonRelease, QPoint(500, 550), Qt::LeftButton, Qt::NoButton);

    // Scrolling goes on from where the plane was left.
    const QPoint dragged = planePos();
    w.hLauf()->setValue(w.hLauf()->value());
    EXPECT_EQ(planePos(), dragged);

    // Never beyond the plane's edge.
    mouse(p, QEvent::MouseButtonPress, QPoint(600, 600), Qt::LeftButton, Qt::LeftButton);
    move(p, QPoint(600 + 5000, 600), Qt::LeftButton);
    EXPECT_EQ(planePos().x(), 0);
    mouse(p, QEvent::MouseButtonRelease, QPoint(600, 600), Qt::LeftButton, Qt::NoButton);

    // The right button does nothing.
    const QPoint before = planePos();
    mouse(p, QEvent::MouseButtonPress, QPoint(600, 600), Qt::RightButton, Qt::RightButton);
    move(p, QPoint(300, 300), Qt::RightButton);
    EXPECT_EQ(planePos(), before);
}

TEST_F(DrawingWindowTest, PictureSizeMenuRedrawsAtTheChosenSize)
{
    const DrawingWindow::Menu& m = w.menu();
    m.groesse[7]->trigger();
    EXPECT_TRUE(m.groesse[7]->isChecked());
    EXPECT_FALSE(m.groesse[3]->isChecked());
    EXPECT_EQ(c.w.sizex, 2400);
    EXPECT_EQ(w.plane()->size(), QSize(2400, 2400));
    EXPECT_NEAR(planePos().x() + 1200, fenster().width() / 2.0, 0.5);

    m.groesse[0]->trigger();
    EXPECT_EQ(w.plane()->size(), QSize(300, 300));
    EXPECT_FALSE(w.hLauf()->isVisible());
    EXPECT_FALSE(w.vLauf()->isVisible());
    EXPECT_EQ(planePos(), QPoint(0, 0));

    // Dragging a plane smaller than the frame leaves it in the corner.
    mouse(w.plane(), QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    move(w.plane(), QPoint(150, 180), Qt::LeftButton);
    EXPECT_EQ(planePos(), QPoint(0, 0));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DrawingWindowTest, TooLittleMemoryFallsBackToASmallerSize)
{
    w.setPictureProbe([](int width, int) { return width < 2100; });
    w.menu().groesse[7]->trigger();
    EXPECT_TRUE(w.menu().groesse[5]->isChecked());
    EXPECT_EQ(w.plane()->size(), QSize(1800, 1800));
    EXPECT_EQ(ui.messages.size(), 2u);

    QSignalSpy ended(&w, &DrawingWindow::endProgram);
    w.setPictureProbe([](int, int) { return false; });
    w.menu().groesse[1]->trigger();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(w.menu().groesse[0]->isChecked());
    EXPECT_EQ(ui.messages.back(), "Viel zu wenig Speicher, Ende!");
}

TEST_F(DrawingWindowTest, EndeClosesTheWindow)
{
    QSignalSpy closing(&w, &DrawingWindow::closing);
    w.menu().ende->trigger();
    EXPECT_EQ(closing.count(), 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.menu().info->isEnabled());  // the help windows come later
}

}  // namespace
