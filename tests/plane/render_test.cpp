#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>

#include "panel/context.h"
#include "panel/main_panel.h"
#include "plane/render.h"
#include "support/recording_ui.h"

using namespace kw;

namespace {

QColor pixelAt(const QImage& image, const Plane& plane, double x, double y)
{
    return image.pixelColor(int(plane.pixelX(x)), int(plane.pixelY(y)));
}

TEST(Rendering, PaintsGraphAxesGridAndBackground)
{
    test::RecordingUi ui;
    Context c{ui};
    mainPanelLoad(c);
    c.s.Eingabe = "x^2";
    zeichnen(c);
    QImage image;
    renderPlane(c.ebene, image);
    ASSERT_EQ(image.size(), QSize(1200, 1200));

    for (double x : {2.0, -2.0, 3.0}) {
        const QColor on = pixelAt(image, c.ebene, x, x * x);
        EXPECT_GT(on.red(), 150) << x;
        EXPECT_LT(on.green(), 90) << x;
    }
    EXPECT_EQ(pixelAt(image, c.ebene, 0, 10), QColor(0, 0, 0));        // y-axis
    EXPECT_EQ(pixelAt(image, c.ebene, -10.3, 0), QColor(0, 0, 0));     // x-axis
    EXPECT_EQ(pixelAt(image, c.ebene, -10.5, -10.3), QColor(220, 220, 220));  // grid
    EXPECT_EQ(pixelAt(image, c.ebene, -10.3, -10.3), QColor(255, 255, 255));

    // A second render into the same image reuses it.
    const uchar* bits = image.constBits();
    renderPlane(c.ebene, image);
    EXPECT_EQ(image.constBits(), bits);
}

TEST(Rendering, ClipsToTheRequestedRegion)
{
    test::RecordingUi ui;
    Context c{ui};
    mainPanelLoad(c);
    c.s.Eingabe = "x";
    zeichnen(c);
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

}  // namespace
