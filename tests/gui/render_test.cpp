#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include "gui/render.h"
#include "support/plane_helpers.h"

using namespace kw;

// The exported picture's graph and axes are checked by the batch export test;
// here the grid, the background, the reused image and the painted region.
using Rendering = test::PanelFixture;

TEST_F(Rendering, PaintsTheWholePlaneIntoAReusedImageOrOnlyARegion)
{
    draw("x");
    QImage image;
    renderPlane(c.ebene, image);
    ASSERT_EQ(image.size(), QSize(1200, 1200));
    auto at = [&](double x, double y) {
        return image.pixelColor(int(c.ebene.pixelX(x)), int(c.ebene.pixelY(y)));
    };
    EXPECT_EQ(at(-10.5, 10.2), QColor(220, 220, 220));  // grid
    EXPECT_EQ(at(-10.3, 10.2), QColor(255, 255, 255));
    const uchar* bits = image.constBits();
    renderPlane(c.ebene, image);
    EXPECT_EQ(image.constBits(), bits);  // no fresh image per redraw

    QImage part(100, 100, QImage::Format_RGB32);
    part.fill(Qt::blue);
    QPainter painter(&part);
    painter.translate(-550, -550);  // the 100 × 100 pixels around the origin
    paintPlane(painter, c.ebene, QRectF(550, 550, 100, 100));
    painter.end();
    EXPECT_EQ(part.pixelColor(50, 10), QColor(0, 0, 0));  // y-axis at pixel column 600
    EXPECT_GT(part.pixelColor(50, 50).red(), 150);       // the line y = x through the origin
    EXPECT_NE(part.pixelColor(0, 0), QColor(Qt::blue));  // everything was painted over
}
