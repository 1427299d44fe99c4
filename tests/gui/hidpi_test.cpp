#include <gtest/gtest.h>

#include "support/gui_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

// Twice the pixel density for the whole program, set before its QApplication starts.
const bool kScaled = qputenv("QT_SCALE_FACTOR", "2");

class HighDensity : public DrawnWindow {
protected:
    QPoint planePos() const { return w.plane()->pos(); }
    // What the frame shows, in device pixels.
    QImage seen()
    {
        QCoreApplication::processEvents();
        return w.fenster()->grab().toImage();
    }
};

TEST_F(HighDensity, ThePlaneIsRenderedAtTheScreensDensityInTheSameLayout)
{
    ASSERT_TRUE(kScaled);
    ASSERT_EQ(w.devicePixelRatioF(), 2.0);
    EXPECT_EQ(w.plane()->size(), QSize(1200, 1200));  // the layout counts in plane pixels
    const QImage image = seen();
    EXPECT_EQ(image.devicePixelRatio(), 2.0);
    EXPECT_EQ(image.size(), w.fenster()->size() * 2);

    // World (2, 4), pixel (660, 480) of the plane: on the parabola, in device pixels.
    const QPoint curve = (QPoint(660, 480) + planePos()) * 2;
    int red = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QColor c = image.pixelColor(curve + QPoint(dx, dy));
            red += c.red() > 150 && c.green() < 90;
        }
    EXPECT_GE(red, 6);
    // Drawn at the density, not drawn at plane pixels and scaled up: the
    // curve's soft edges vary within the 2 × 2 device pixels of a plane pixel.
    int finer = 0;
    for (int y = curve.y() - 20; y < curve.y() + 20; y += 2)
        for (int x = curve.x() - 20; x < curve.x() + 20; x += 2) {
            const QRgb p = image.pixel(x, y);
            finer += image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p;
        }
    EXPECT_GT(finer, 10);

    // The grid line x = -3 (plane column 510) covers exactly two device columns
    // in full grey, with white on both sides: sharp, not smeared over three.
    // Looked at in plane row 562, between two grid rows, away from labels and
    // the parabola.
    const int column = (510 + planePos().x()) * 2;
    const int row = (562 + planePos().y()) * 2;
    ASSERT_TRUE(image.rect().contains(column + 2, row));
    EXPECT_EQ(image.pixelColor(column - 1, row), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(column, row), QColor(220, 220, 220));
    EXPECT_EQ(image.pixelColor(column + 1, row), QColor(220, 220, 220));
    EXPECT_EQ(image.pixelColor(column + 2, row), QColor(Qt::white));
}

TEST_F(HighDensity, TheMouseStillPointsAtTheRightWorldPoints)
{
    move(w.plane(), QPoint(690, 480));
    EXPECT_EQ(ui.status[2], "Koordinaten: X= 3, Y= 4, Radius= 5");
    const QImage image = seen();
    const QPoint at = (QPoint(690, 480) + planePos()) * 2;
    EXPECT_GT(bluePixels(image, QRect(0, at.y(), image.width(), 2)), image.width() / 4);
    EXPECT_GT(bluePixels(image, QRect(at.x(), 0, 2, image.height())), image.height() / 4);

    wheel(w.plane(), QPoint(600, 600), 120);
    EXPECT_EQ(w.plane()->size(), QSize(1320, 1320));
    move(w.plane(), QPoint(660, 660));  // the middle of the zoomed plane
    EXPECT_EQ(ui.status[2], "Koordinaten: X= 0, Y= 0, Radius= 0");
}

}  // namespace
