#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstring>
#include <random>

#include "gui/plane_png.h"
#include "core/examples.h"
#include "gui/render.h"
#include "gui/stroke.h"
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

// The stroker covers each pixel by how far its centre lies inside the
// nearest segment's edge, laid on once, only inside the clip: steep, flat,
// zero-length and single-point polylines, partly off the picture, over
// pixels that already have the colour and others that do not.
TEST(Stroke, CoversEachPixelByItsDistanceToTheNearestSegment)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> at(-20, 140), step(-30, 30);
    const QRgb colour = qRgb(200, 10, 60);
    for (int round = 0; round < 60; ++round) {
        std::vector<QPointF> points{{at(random), at(random)}};
        for (int i = round % 7; i > 0; --i) {
            const double dx = step(random), dy = step(random) * (round % 3);  // flat every third round
            const QPointF move(dx, dy);
            points.push_back(points.back() + (i == 3 ? QPointF() : move));
        }
        const double width = 1.5 + round % 4;
        const QRect clip(10, 5 + round, 100, 90);
        QImage image(120, 160, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, (x / 9 + y / 7) % 3 ? qRgb(x, y, 255 - x) : colour);
        QImage expected = image;
        const double reach = width / 2 + 0.5;
        for (int y = clip.top(); y <= clip.bottom(); ++y)
            for (int x = clip.left(); x <= clip.right(); ++x) {
                double d = HUGE_VAL;
                const QPointF p(x + 0.5, y + 0.5);
                for (std::size_t i = 0; i < points.size(); ++i) {
                    const QPointF a = points[i], b = points[std::min(i + 1, points.size() - 1)], s = b - a;
                    const double l2 = QPointF::dotProduct(s, s);
                    const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(p - a, s) / l2, 0.0, 1.0) : 0;
                    d = std::min(d, std::hypot(p.x() - a.x() - t * s.x(), p.y() - a.y() - t * s.y()));
                }
                const int k = int(std::min(reach - d, 1.0) * 255 + 0.5);
                if (k <= 0)
                    continue;
                const QRgb was = expected.pixel(x, y);
                auto mix = [k](int from, int to) { return (from * k + to * (255 - k) + 127) / 255; };
                expected.setPixel(x, y, qRgb(mix(qRed(colour), qRed(was)),
                                             mix(qGreen(colour), qGreen(was)),
                                             mix(qBlue(colour), qBlue(was))));
            }
        strokePolyline(image, clip, points, width, colour);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_LE(difference(image.pixel(x, y), expected.pixel(x, y)), 3)
                    << "round " << round << " at " << x << ", " << y;
    }
}

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
