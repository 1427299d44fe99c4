#include "gui/render.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPaintEngine>
#include <QPen>
#include <QPolygonF>
#include <QPointF>
#include <QTransform>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/plane.h"
#include "gui/stroke.h"

namespace kw {

QFont planeFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

namespace {

QColor toQColor(Rgb c) { return QColor(red(c), green(c), blue(c)); }

// Qt strokes lines and points in runs of 16, each run as one shape whose
// overlaps blend once. The batch hands them over in the same runs, so that a
// run can be left out where it does not touch the pixels wanted without
// changing any pixel of the runs that are painted. Polylines go out in
// pieces of a fixed number of vertices for the same reason.
constexpr qsizetype kRun = 16;
constexpr std::size_t kPiece = 64;

QRectF boxOf(const Plane::Vertex* v, std::size_t n, double pad)
{
    float left = v[0].x, right = v[0].x, top = v[0].y, bottom = v[0].y;
    for (std::size_t i = 1; i < n; ++i) {
        left = std::min(left, v[i].x);
        right = std::max(right, v[i].x);
        top = std::min(top, v[i].y);
        bottom = std::max(bottom, v[i].y);
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom)).adjusted(-pad, -pad, pad, pad);
}

// Collects consecutive items of one kind, colour and width and paints them in
// runs of the same pen.
class Batch {
public:
    // Vector output paints a polyline as one path: a curve becomes one path
    // in an SVG, not thousands of two-point lines.
    // thinnest: the narrowest pen in plane pixels.
    Batch(QPainter& painter, const QRectF& wanted, bool vector, double thinnest)
        : painter_(painter), wanted_(wanted), vector_(vector), thinnest_(thinnest)
    {
    }

    // Wide polylines on an image stroke through strokePolyline(), with the
    // image's pixels inside `clip` (device pixels) and this mapping onto them.
    void strokeInto(QImage* image, const QRect& clip, const QTransform& device)
    {
        image_ = image;
        clip_ = clip;
        device_ = device;
        scale_ = std::sqrt(std::fabs(device.determinant()));
    }

    void line(const Plane::Run& r, const Plane::Vertex* v, const QRectF& box)
    {
        start(Plane::Kind::Line, r);
        lines_.append(QLineF(v[0].x, v[0].y, v[1].x, v[1].y));
        add(box);
    }
    void point(const Plane::Run& r, const Plane::Vertex& v, const QRectF& box)
    {
        start(Plane::Kind::Point, r);
        points_.append(QPointF(v.x, v.y));
        add(box);
    }
    void polyline(const Plane::Run& r, const std::vector<Plane::Vertex>& v, double pad)
    {
        start(Plane::Kind::Line, r);
        flush();
        const double width = std::max<double>(width_, thinnest_) * scale_;
        if (image_ && width > 1) {
            mapped_.resize(v.size());
            for (std::size_t i = 0; i < v.size(); ++i)
                mapped_[i] = device_.map(QPointF(v[i].x, v[i].y));
            strokePolyline(*image_, clip_, mapped_, width, toQColor(colour_).rgb());
            return;
        }
        const std::size_t step = vector_ ? v.size() : kPiece - 1;
        for (std::size_t at = 0; at + 1 < v.size(); at += step) {
            const std::size_t n = std::min(step + 1, v.size() - at);
            if (!vector_ && !boxOf(&v[at], n, pad).intersects(wanted_))
                continue;
            piece_.resize(qsizetype(n));
            for (std::size_t i = 0; i < n; ++i)
                piece_[qsizetype(i)] = QPointF(v[at + i].x, v[at + i].y);
            painter_.drawPolyline(piece_);
        }
    }
    void flush()
    {
        if (touches_) {
            if (!lines_.isEmpty())
                painter_.drawLines(lines_);
            if (!points_.isEmpty())
                painter_.drawPoints(points_.constData(), int(points_.size()));
        }
        lines_.clear();
        points_.clear();
        touches_ = false;
    }
    // Paints what is collected and forgets the pen, after someone else used the painter.
    void interrupt()
    {
        flush();
        active_ = false;
    }

private:
    void start(Plane::Kind kind, const Plane::Run& r)
    {
        if (active_ && kind == kind_ && r.colour == colour_ && r.width == width_)
            return;
        flush();
        active_ = true;
        kind_ = kind;
        colour_ = r.colour;
        width_ = r.width;
        painter_.setPen(QPen(toQColor(colour_), std::max<double>(width_, thinnest_), Qt::SolidLine,
                             Qt::RoundCap, Qt::BevelJoin));
    }
    void add(const QRectF& box)
    {
        touches_ = touches_ || box.intersects(wanted_);
        if (!vector_ && lines_.size() + points_.size() == kRun)
            flush();
    }

    QPainter& painter_;
    const QRectF wanted_;
    const bool vector_;
    const double thinnest_;
    bool active_ = false;
    bool touches_ = false;
    Plane::Kind kind_ = Plane::Kind::Line;
    Rgb colour_ = 0;
    int width_ = 0;
    QVector<QLineF> lines_;
    QVector<QPointF> points_;
    QPolygonF piece_;
    QImage* image_ = nullptr;
    QRect clip_;
    QTransform device_;
    double scale_ = 1;
    std::vector<QPointF> mapped_;
};

// Paints the items that a picture of `whole` shows, as that picture paints
// them, but only the runs that reach into `wanted`. Polylines are reduced to
// what pixels of the painter's device can show.
void paintItems(QPainter& painter, const Plane& plane, const QRectF& whole, const QRectF& wanted,
                bool reduce)
{
    painter.save();
    const QTransform outer = painter.deviceTransform();
    painter.fillRect(wanted, Qt::white);
    painter.setClipRect(wanted);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Pixel (p, q) covers [p, p + 1): its centre is where a one-pixel line lies.
    painter.translate(0.5, 0.5);

    const QFont font = planeFont();
    const QFontMetricsF metrics(font);
    const double ascent = metrics.ascent();
    const QRectF area = whole.translated(-0.5, -0.5);
    const QRectF wantedArea = wanted.translated(-0.5, -0.5);
    // Texts reach right and down from their corner; leave room for long labels.
    auto textArea = [](const QRectF& r) { return r.adjusted(-200, -20, 0, 0); };

    // Device pixels per plane pixel.
    const QTransform device = painter.deviceTransform();
    const double scale = std::sqrt(std::fabs(device.determinant()));
    const double deviceSpread = scale > 0 ? 1 / scale : 1;  // a device pixel in plane pixels

    const QPaintEngine::Type engine = painter.paintEngine()->type();
    // A shrunken picture (a preview) keeps its curves one and a half device
    // pixels wide, so that they do not fade to a tint.
    const double thinnest = scale < 1 ? 1.5 * deviceSpread : 0.0;
    Batch batch(painter, wantedArea, engine == QPaintEngine::SVG || engine == QPaintEngine::Pdf,
                thinnest);
    // Onto an image that is only scaled and moved, wide curves go our way.
    QPaintDevice* target = painter.device();
    if (target->devType() == QInternal::Image && device.type() <= QTransform::TxScale) {
        auto* image = static_cast<QImage*>(target);
        if (image->format() == QImage::Format_RGB32)
            batch.strokeInto(image, outer.mapRect(wanted).toAlignedRect(), device);
    }
    std::vector<Plane::Vertex> reduced;
    const auto& vertices = plane.vertices();
    for (const Plane::Run& r : plane.runs()) {
        const double pad = std::max<double>(r.width, thinnest) / 2 + std::max(1.0, deviceSpread);
        auto v = vertices.begin() + r.first;
        switch (r.kind) {
        case Plane::Kind::Line: {
            const QRectF beyond = area.adjusted(-pad, -pad, pad, pad);
            reducePolyline(plane, r, reduce ? deviceSpread : 0,
                           {beyond.left(), beyond.top(), beyond.right(), beyond.bottom()}, reduced);
            if (reduced.size() == 1)
                reduced.push_back(reduced.front());  // a segment of no length is a dot
            if (reduced.size() == 2) {
                const QRectF box = boxOf(reduced.data(), 2, pad);
                if (box.intersects(area))
                    batch.line(r, reduced.data(), box);
            } else {
                batch.polyline(r, reduced, pad);
            }
            break;
        }
        case Plane::Kind::Point:
            for (std::uint32_t i = 0; i < r.count; ++i, ++v) {
                const QRectF box(v->x - pad, v->y - pad, 2 * pad, 2 * pad);
                if (box.intersects(area))
                    batch.point(r, *v, box);
            }
            break;
        case Plane::Kind::Text:
            if (textArea(area).contains(QPointF(v->x, v->y))) {
                batch.interrupt();
                if (textArea(wantedArea).contains(QPointF(v->x, v->y))) {
                    painter.setFont(font);
                    painter.setPen(toQColor(r.colour));
                    painter.drawText(QPointF(v->x, v->y + ascent),
                                     QString::fromStdString(plane.textOf(r)));
                }
            }
            break;
        }
    }
    batch.flush();
    painter.restore();
}

}  // namespace

void paintPlane(QPainter& painter, const Plane& plane, const QRectF& region, bool reduce)
{
    paintItems(painter, plane, region, region, reduce);
}

void paintPart(QPainter& painter, const Plane& plane, const QRectF& wanted)
{
    paintItems(painter, plane, QRectF(0, 0, plane.width(), plane.height()), wanted, true);
}

void paintRows(const Plane& plane, QImage& canvas, int top, int rows)
{
    QPainter painter(&canvas);
    paintPart(painter, plane, QRectF(0, top, plane.width(), rows));
}

bool renderPlane(const Plane& plane, QImage& image)
{
    if (image.width() != plane.width() || image.height() != plane.height() ||
        image.format() != QImage::Format_RGB32)
        image = QImage(plane.width(), plane.height(), QImage::Format_RGB32);
    if (image.isNull())
        return false;
    QPainter painter(&image);
    paintPlane(painter, plane, QRectF(0, 0, plane.width(), plane.height()));
    return true;
}

}  // namespace kw
