#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <cstring>

#include "gui/plane_png.h"
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
    renderPlane(c.plane, image);
    ASSERT_EQ(image.size(), QSize(1200, 1200));
    auto at = [&](double x, double y) {
        return image.pixelColor(int(c.plane.pixelX(x)), int(c.plane.pixelY(y)));
    };
    EXPECT_EQ(at(-10.5, 10.2), QColor(220, 220, 220));  // grid
    EXPECT_EQ(at(-10.3, 10.2), QColor(255, 255, 255));
    const uchar* bits = image.constBits();
    renderPlane(c.plane, image);
    EXPECT_EQ(image.constBits(), bits);  // no fresh image per redraw

    QImage part(100, 100, QImage::Format_RGB32);
    part.fill(Qt::blue);
    QPainter painter(&part);
    painter.translate(-550, -550);  // the 100 × 100 pixels around the origin
    paintPlane(painter, c.plane, QRectF(550, 550, 100, 100));
    painter.end();
    EXPECT_EQ(part.pixelColor(50, 10), QColor(0, 0, 0));  // y-axis at pixel column 600
    EXPECT_GT(part.pixelColor(50, 50).red(), 150);       // the line y = x through the origin
    EXPECT_NE(part.pixelColor(0, 0), QColor(Qt::blue));  // everything was painted over
}

// Very large planes are written in bands: each band gets the pixels of the same
// rows of the whole picture, also where curves (thin and wide), axes and labels
// cross its edges, and no other row is touched; the PNG file decodes to the
// whole picture.
TEST_F(Rendering, BandsAndThePngFileHaveThePixelsOfTheWholePicture)
{
    c.state.overlays.ableitungs_test = c.state.overlays.dritte_ableitungs_test = true;
    c.state.main.f_Linie_staerke = 1;  // thin lines go another way through Qt than wide ones
    draw("0,5*x^3-2*x^2-x+4", "-40", "40");
    ASSERT_EQ(c.plane.height(), 2400);
    QImage whole;
    ASSERT_TRUE(renderPlane(c.plane, whole));

    QImage canvas(whole.size(), QImage::Format_RGB32);
    canvas.fill(Qt::blue);
    const QRgb untouched = canvas.pixel(0, 0);
    const int band = 37;
    for (int top = 0; top < c.plane.height(); top += band) {
        const int rows = std::min(band, c.plane.height() - top);
        paintRows(c.plane, canvas, top, rows);
        for (int y = top; y < top + rows; ++y)
            ASSERT_EQ(std::memcmp(canvas.constScanLine(y), whole.constScanLine(y), whole.bytesPerLine()), 0)
                << "row " << y;
        if (top + rows < canvas.height()) {
            ASSERT_EQ(canvas.pixel(600, top + rows), untouched);
        }
    }

    QBuffer file;
    file.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writePlanePng(c.plane, file));
    QImage read;
    ASSERT_TRUE(read.loadFromData(file.data(), "png"));
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), whole);
    EXPECT_EQ(read.dotsPerMeterX(), whole.dotsPerMeterX());
}
