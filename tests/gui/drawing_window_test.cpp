#include <gtest/gtest.h>

#include "support/gui_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

class DrawingWindowTest : public DrawnWindow {
protected:
    QPoint planePos() const { return w.plane()->pos(); }
    QSize viewport() const { return w.viewport()->size(); }
    void expectCentred(int side)
    {
        EXPECT_NEAR(planePos().x() + side / 2, viewport().width() / 2.0, 0.5);
        EXPECT_NEAR(planePos().y() + side / 2, viewport().height() / 2.0, 0.5);
    }
};

TEST_F(DrawingWindowTest, StartsCentredAndThePlaneFollowsTheScrollBars)
{
    EXPECT_EQ(w.plane()->size(), QSize(1200, 1200));
    expectCentred(1200);
    w.hScroll()->setValue(0);
    w.vScroll()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(planePos(), QPoint(0, viewport().height() - 1200));

    // Dragging the thumb moves the plane before the thumb is let go.
    w.hScroll()->setSliderDown(true);
    w.hScroll()->setSliderPosition(1000);
    EXPECT_EQ(planePos().x(), viewport().width() - 1200);
    w.hScroll()->setSliderDown(false);

    // A larger window keeps the scroll fractions.
    w.resize(800, w.height() + 100);
    EXPECT_EQ(planePos(), QPoint(viewport().width() - 1200, viewport().height() - 1200));
}

TEST_F(DrawingWindowTest, WheelNotchesZoomAndKeepTheViewCentred)
{
    // The zoom steps themselves are checked without the window.
    wheel(w.plane(), QPoint(600, 600), 120);
    EXPECT_EQ(w.plane()->size(), QSize(1320, 1320));
    expectCentred(1320);

    // A fine wheel's half notches add up to one.
    wheel(w.plane(), QPoint(600, 600), -60);
    EXPECT_EQ(c.state.picture.sizex, 1320);
    wheel(w.plane(), QPoint(600, 600), -60);
    EXPECT_EQ(c.state.picture.sizex, 1200);

    // At 3600 pixels the plane is rendered once per redraw; scrolling only copies.
    for (int i = 0; i < 40; ++i)
        wheel(w.plane(), QPoint(600, 600), 120);
    ASSERT_EQ(w.plane()->size(), QSize(3600, 3600));
    w.repaint();
    QCoreApplication::processEvents();
    const int rendered = w.plane()->rendered();
    w.plane()->move(w.plane()->pos() + QPoint(-300, -200));
    w.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.plane()->rendered(), rendered);
    EXPECT_GT(w.plane()->cacheBytes(), 0u);
    EXPECT_LE(w.plane()->cacheBytes(), PlaneWidget::kWholeBytes);
}

TEST_F(DrawingWindowTest, TheLeftButtonDragsThePlane)
{
    // The status and the trace lines are checked on the screen of twice the
    // density. The left button drags the plane along under the cursor.
    QWidget* p = w.plane();
    const QPoint start = planePos();
    mouse(p, QEvent::MouseButtonPress, QPoint(600, 600), Qt::LeftButton, Qt::LeftButton);
    move(p, QPoint(500, 550), Qt::LeftButton);
    EXPECT_EQ(planePos(), start + QPoint(-100, -50));
    EXPECT_EQ(*w.plane()->trace(), QPointF(0, 0));
    mouse(p, QEvent::MouseButtonRelease, QPoint(500, 550), Qt::LeftButton, Qt::NoButton);
    // Stale scroll values would snap the plane back at the next scroll.
    const QPoint dragged = planePos();
    w.hScroll()->setValue(w.hScroll()->value());
    EXPECT_EQ(planePos(), dragged);
}

}  // namespace
