#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <cstring>

#include "gui/plane_png.h"
#include "core/examples.h"
#include "gui/render.h"
#include "plane/plane_widget.h"
#include "support/plane_helpers.h"

using namespace kw;

using Rendering = test::PanelFixture;

// Very large planes are written in bands: each band gets the pixels of the same
// rows of the whole picture, also where curves (thin and wide), axes and labels
// cross its edges, and no other row is touched; the PNG file decodes to the
// whole picture; a redraw reuses the image.
TEST_F(Rendering, BandsAndThePngFileHaveThePixelsOfTheWholePicture)
{
    c.state.overlays.ableitungs_test = c.state.overlays.dritte_ableitungs_test = true;
    c.state.main.f_Linie_staerke = 1;  // thin lines go another way through Qt than wide ones
    draw("0,5*x^3-2*x^2-x+4", "-40", "40");
    ASSERT_EQ(c.plane.height(), 2400);
    QImage whole;
    ASSERT_TRUE(renderPlane(c.plane, whole));
    const uchar* bits = whole.constBits();
    ASSERT_TRUE(renderPlane(c.plane, whole));
    EXPECT_EQ(whole.constBits(), bits);  // no fresh image per redraw

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

namespace {

int difference(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// Whether pixel (x, y) of `a` has a pixel of nearly its colour in `b` at
// most one pixel away.
bool nearby(const QImage& a, const QImage& b, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (b.rect().contains(x + dx, y + dy) &&
                difference(a.pixel(x, y), b.pixel(x + dx, y + dy)) <= 96)
                return true;
    return false;
}

}  // namespace

// Curves reduced to what the pixels show look like curves of every sample:
// no pixel of them moves by more than one pixel, at the screen's density and
// at twice it, for every example term, a family and a curve of many samples.
// (A curve moved by less than half a pixel changes its soft edges by up to
// half its colour: those are no moved pixels.)
TEST_F(Rendering, ReducedCurvesLookLikeEverySample)
{
    std::vector<std::pair<std::string, int>> terms;  // term, quality
    for (std::string_view t : kExamples)
        terms.emplace_back(t, 50);
    terms.emplace_back("sin(x*40)*3", 2000);
    terms.emplace_back("@*sin(x)+@/4", 200);  // a family of 21 members
    for (const auto& [term, quality] : terms) {
        c.state.main.qualitaet_eingabe = std::to_string(quality);
        ui.answers = {"-5", "5", "0,5"};
        c.state.overlays.ableitungs_test = term == "x^2";  // one derivative curve, drawn thinner
        draw(term, "-6", "6");
        for (qreal ratio : {1.0, 2.0}) {
            auto paint = [&](bool reduce) {
                QImage image(QSize(c.plane.width(), c.plane.height()) * ratio, QImage::Format_RGB32);
                image.setDevicePixelRatio(ratio);
                QPainter painter(&image);
                paintPlane(painter, c.plane, QRectF(0, 0, c.plane.width(), c.plane.height()), reduce);
                return image;
            };
            const QImage reduced = paint(true), full = paint(false);
            for (int y = 0; y < full.height(); ++y)
                for (int x = 0; x < full.width(); ++x)
                    if (difference(full.pixel(x, y), reduced.pixel(x, y)) > 255) {
                        ASSERT_TRUE(nearby(full, reduced, x, y)) << term << " at " << x << ", " << y;
                        ASSERT_TRUE(nearby(reduced, full, x, y)) << term << " at " << x << ", " << y;
                    }
        }
    }
}

// A plane too large for one picture is shown from tiles, with the pixels of
// the whole picture also where the view crosses the tiles' edges.
TEST_F(Rendering, TheLargestPlanesAreShownFromTilesWithTheWholePicturesPixels)
{
    Plane& plane = c.plane;
    plane.resize(6000, 6000);
    plane.scale(-100, 100, 100, -100);
    plane.setPenWidth(2);
    for (double a = -100; a < 100; a += 0.01)
        plane.line(a, std::sin(a) * a, a + 0.01, std::sin(a + 0.01) * (a + 0.01), rgb(200, 0, 0));
    plane.print("Mitte");
    QWidget frame;
    frame.resize(700, 500);
    auto* widget = new PlaneWidget(plane, &frame);
    frame.show();
    widget->move(-(3 * PlaneWidget::kTileSide - 300), -(3 * PlaneWidget::kTileSide - 200));
    const QImage seen = frame.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage whole(plane.width(), plane.height(), QImage::Format_RGB32);
    paintRows(plane, whole, 0, plane.height());
    EXPECT_EQ(seen, whole.copy(QRect(-widget->pos(), frame.size())));
    EXPECT_LE(widget->cacheBytes(), PlaneWidget::kTileBytes);
}
