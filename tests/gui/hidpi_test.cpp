#include <gtest/gtest.h>

#include "support/gui_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

// Twice the pixel density for the whole program, set before its QApplication starts.
const bool kScaled = qputenv("QT_SCALE_FACTOR", "2");

// What the frame shows, in device pixels, and where plane pixel p lies on it.
class HighDensity : public DrawnWindow {
protected:
    QImage seen()
    {
        QCoreApplication::processEvents();
        return w.viewport()->grab().toImage();
    }
    QPoint device(QPoint p) const { return (p + w.plane()->pos()) * 2; }
};

TEST_F(HighDensity, ThePlaneIsDrawnAtTheScreensDensityInTheSameLayout)
{
    ASSERT_TRUE(kScaled && w.devicePixelRatioF() == 2.0);
    EXPECT_EQ(w.plane()->size(), QSize(1200, 1200));  // the layout counts in plane pixels
    const QImage image = seen();
    EXPECT_EQ(image.size(), w.viewport()->size() * 2);

    // World (2, 4) on the parabola; drawn at the density, not at plane pixels
    // and scaled up: the curve's soft edges vary within a plane pixel's 2 × 2.
    const QPoint curve = device(QPoint(660, 480));
    EXPECT_GT(redPixels(image.copy(QRect(curve - QPoint(2, 2), QSize(5, 5)))), 5);
    int finer = 0;
    for (int y = curve.y() - 20; y < curve.y() + 20; y += 2)
        for (int x = curve.x() - 20; x < curve.x() + 20; x += 2)
            finer += image.pixel(x + 1, y) != image.pixel(x, y) ||
                     image.pixel(x, y + 1) != image.pixel(x, y);
    EXPECT_GT(finer, 10);

    // The grid line x = -3 (plane column 510) covers exactly two device columns
    // in full grey, white on both sides; row 562 lies between grid rows.
    const QPoint grid = device(QPoint(510, 562));
    for (int dx : {-1, 0, 1, 2})
        EXPECT_EQ(image.pixelColor(grid + QPoint(dx, 0)),
                  dx == 0 || dx == 1 ? QColor(220, 220, 220) : QColor(Qt::white));

    // The mouse still points at the right world points (world (3, 4) lies at
    // plane pixel (690, 480)); dotted blue lines through it, nowhere else.
    move(w.plane(), QPoint(690, 480));
    EXPECT_EQ(ui.status[2], "Koordinaten: X= 3, Y= 4, Radius= 5");
    const QImage traced = seen();
    const QPoint at = device(QPoint(690, 480));
    EXPECT_GT(bluePixels(traced, QRect(0, at.y(), traced.width(), 2)), traced.width() / 4);
    EXPECT_GT(bluePixels(traced, QRect(at.x(), 0, 2, traced.height())), traced.height() / 4);
    EXPECT_EQ(bluePixels(traced, QRect(0, at.y() + 40, at.x() - 4, 2)), 0);

    wheel(w.plane(), QPoint(600, 600), 120);
    ASSERT_EQ(w.plane()->size(), QSize(1320, 1320));
    move(w.plane(), QPoint(660, 660));  // the middle of the zoomed plane
    EXPECT_EQ(ui.status[2], "Koordinaten: X= 0, Y= 0, Radius= 0");
}

}  // namespace
